// The mark an edit leaves on a project object, so the run-time caches built
// from it (GL programs, decoded images, opened fonts, mixer chunks) know to
// rebuild that object and nothing else.
//
// Every mark value is unique in the process: a new object created where a
// released one lived never looks like the object a cache entry was built from.
#pragma once

#include <cstdint>

class EditMark {
public:
    EditMark() : value_(nextValue()) {}
    // A copy is another object, which no cache has seen.
    EditMark(const EditMark&) : value_(nextValue()) {}
    EditMark& operator=(const EditMark&) {
        touch();
        return *this;
    }

    // Called after every change a cache must follow.
    void touch() { value_ = nextValue(); }
    uint64_t value() const { return value_; }

private:
    static uint64_t nextValue();

    uint64_t value_;
};
