// How a project load reports its progress: after each object it creates, the
// reader calls the hook with the number of objects created so far and the total
// the file announces. The shell shows it on the loader screen; tools and tests
// pass none.
#pragma once

#include <cstdint>
#include <functional>

using LoadProgress = std::function<void(uint64_t read, uint64_t total)>;
