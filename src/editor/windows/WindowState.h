// What a tool window remembers between frames. Windows point at project
// objects (a selection, a request from another window), so they are told when
// the project is replaced and when an object leaves it.
#pragma once

#include "project/Demo.h"
#include "project/ObjectRef.h"
#include "project/ProjectOperations.h"

#include <optional>
#include <string>

struct WindowState {
    virtual ~WindowState() = default;
    // A load is about to replace the project: drop every pointer into it.
    virtual void forgetProject() = 0;
    // `object` has left the project (a delete, or the undo of an add).
    virtual void forgetObject(const ObjectRef& object) = 0;
};

// What a window has selected in one of the project's lists: the object its
// inspector shows, the row shown selected, an object another window asked it
// to show ("Edit"), and the filter on the names it lists.
template <typename T> struct Selection {
    T* selected = nullptr;
    int index = 0;                // the row shown selected, where a window lists rows by index
    const T* requested = nullptr; // to show at the next draw
    char filter[256] = "";        // names holding it are listed, case-sensitive

    void select(T* object, int row = 0) {
        selected = object;
        index = row;
    }
    void forgetProject() {
        select(nullptr);
        requested = nullptr;
    }
    void forgetObject(const ObjectRef& object) {
        if (refersTo(object, selected))
            select(nullptr);
        if (refersTo(object, requested))
            requested = nullptr;
    }
    // Shows the object asked for since the last draw, when it is still in the
    // project; the row shown selected follows the selected object wherever an
    // undo moved it.
    void follow(Demo& demo) {
        if (T* asked = findObject(demo, requested))
            selected = asked;
        requested = nullptr;
        if (const std::optional<size_t> row = indexOf(demo, selected))
            index = static_cast<int>(*row);
        else
            select(nullptr);
    }
    bool lists(const T& object) const { return filter[0] == '\0' || object.name.find(filter) != std::string::npos; }
};
