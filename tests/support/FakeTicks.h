// A tick source that tests move by hand, for the beat clock's `ticks`.
#pragma once

#include <cstdint>

// Milliseconds `fakeTicks` reports; each test sets it where it needs it.
inline uint32_t fakeNow = 0;
inline uint32_t fakeTicks() { return fakeNow; }
