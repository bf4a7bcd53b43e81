// A deep copy of a whole project, for work on another thread (the autosave
// writes a copy while the editor goes on changing the original). Copying is
// memory bandwidth only, much cheaper than encoding the project.
#pragma once

#include "project/Demo.h"

#include <memory>

// Every object and byte buffer copied, every reference pointing into the copy.
// A reference to an object outside the project's lists becomes null. The copy's
// edit marks are new: no run-time cache has seen its objects.
std::unique_ptr<Demo> copyDemo(const Demo& demo);
