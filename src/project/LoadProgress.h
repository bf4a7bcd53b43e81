// How a project load reports its progress: after each object it creates, the
// reader calls the hook with the number of objects created so far and the total
// the file announces. The shell points it at the loader screen; tools and tests
// leave it empty.
#pragma once

#include <cstdint>
#include <functional>

extern std::function<void(uint64_t read, uint64_t total)> loadProgress;

// Calls the hook, if any.
void reportLoadProgress(uint64_t read, uint64_t total);
