// What a tool window remembers between frames. Windows point at project
// objects (a selection, a request from another window), so they are told when
// the project is replaced and when an object leaves it.
#pragma once

#include "project/ObjectRef.h"

struct WindowState {
    virtual ~WindowState() = default;
    // A load is about to replace the project: drop every pointer into it.
    virtual void forgetProject() = 0;
    // `object` has left the project (a delete, or the undo of an add).
    virtual void forgetObject(const ObjectRef& object) = 0;
};

// The state of a window that another window may ask to select one of its
// objects when it next draws (the Event Manager's "Edit" buttons).
template <typename T> struct RequestableWindowState : WindowState {
    const T* requested = nullptr; // to select at the next draw

    void forgetProject() override { requested = nullptr; }
    void forgetObject(const ObjectRef& object) override {
        if (refersTo(object, requested))
            requested = nullptr;
    }
};
