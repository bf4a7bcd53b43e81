// Run-time objects built from project objects (GL programs, decoded images,
// mixer chunks), found by the project object and rebuilt when its edit mark has
// moved on. The run-time caches of render/ and audio/ are made of these.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>

template <typename Model, typename Runtime> class ObjectCache {
public:
    // The run-time object of `model`, made and then brought up to date by
    // `update(Runtime&)` when missing or built from an older state of `model`.
    template <typename Update> Runtime& get(const Model& model, Update update) {
        Entry& entry = entries_[&model];
        const uint64_t mark = model.edits.value();
        if (!entry.object || entry.mark != mark) {
            if (!entry.object)
                entry.object = std::make_unique<Runtime>();
            entry.mark = mark;
            update(*entry.object);
        }
        return *entry.object;
    }

    // The run-time object of `model` as it was last built, or null when never built.
    Runtime* find(const Model& model) {
        const auto entry = entries_.find(&model);
        return entry == entries_.end() ? nullptr : entry->second.object.get();
    }
    // Releases what was built from `model`, which has left the project.
    void release(const Model* model) { entries_.erase(model); }

private:
    struct Entry {
        uint64_t mark = 0;
        std::unique_ptr<Runtime> object; // stays at its address while the table grows
    };
    std::unordered_map<const Model*, Entry> entries_;
};
