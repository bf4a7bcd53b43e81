// Conversions of untrusted floats that C++ leaves undefined out of range.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// Truncates toward zero into 32 bits, saturating at the ends of the range; NaN gives 0.
inline int32_t truncToInt32(float value) {
    if (std::isnan(value))
        return 0;
    // 2^31 is exactly representable as a float; anything at or beyond it saturates.
    constexpr float limit = 2147483648.0f;
    if (value >= limit)
        return std::numeric_limits<int32_t>::max();
    if (value <= -limit)
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}
