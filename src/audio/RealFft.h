// The forward FFT of a block of real values, as the sound analysis needs it.
// The desktop build uses KissFFT's C library, the WebAssembly build its
// header-only C++ form; both give the same unscaled bins.
#pragma once

#include <complex>
#include <memory>

class RealFft {
public:
    // `points` must be even.
    explicit RealFft(int points);
    ~RealFft();
    RealFft(const RealFft&) = delete;
    RealFft& operator=(const RealFft&) = delete;

    // Transforms `points` values into the bins 0 to points / 2. Allocates nothing.
    void transform(const float* input, std::complex<float>* bins);

private:
    struct Plan;
    std::unique_ptr<Plan> plan_;
};
