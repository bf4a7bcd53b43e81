#include "audio/RealFft.h"

#include <kissfft/kissfft.hh>

struct RealFft::Plan {
    kissfft<float> half; // the real transform runs as a complex one of half the length
    int points;
};

RealFft::RealFft(int points) : plan_(new Plan{kissfft<float>(static_cast<std::size_t>(points / 2), false), points}) {}

RealFft::~RealFft() = default;

void RealFft::transform(const float* input, std::complex<float>* bins) {
    plan_->half.transform_real(input, bins);
    // The header packs the Nyquist bin into bin 0's imaginary part; unpack it as kiss_fftr gives it.
    const int nyquist = plan_->points / 2;
    bins[nyquist] = {bins[0].imag(), 0.0f};
    bins[0] = {bins[0].real(), 0.0f};
}
