// Matchers for pixels read back from GL.
#pragma once

#include <gmock/gmock.h>

#include <cstdlib>

// A pixel (four channel bytes) within 2 of each expected channel value.
MATCHER_P4(IsRgba, r, g, b, a, "") {
    const int expected[4] = {r, g, b, a};
    for (int i = 0; i < 4; ++i)
        if (std::abs(static_cast<int>(arg[i]) - expected[i]) > 2)
            return false;
    return true;
}
