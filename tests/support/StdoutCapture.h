// Captures what the code under test prints on standard output. Flushes first, so
// output buffered before the capture does not leak into it.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

class StdoutCapture {
public:
    StdoutCapture() {
        std::fflush(stdout);
        ::testing::internal::CaptureStdout();
    }
    // Ends the capture; call once.
    std::string text() {
        std::fflush(stdout);
        return ::testing::internal::GetCapturedStdout();
    }
};
