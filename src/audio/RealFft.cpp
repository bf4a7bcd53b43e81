#include "audio/RealFft.h"

#include <kiss_fftr.h>

struct RealFft::Plan {
    kiss_fftr_cfg config;
};

RealFft::RealFft(int points) : plan_(new Plan{kiss_fftr_alloc(points, 0, nullptr, nullptr)}) {}

RealFft::~RealFft() { kiss_fftr_free(plan_->config); }

void RealFft::transform(const float* input, std::complex<float>* bins) {
    // KissFFT's complex type is laid out as std::complex: real, then imaginary.
    kiss_fftr(plan_->config, input, reinterpret_cast<kiss_fft_cpx*>(bins));
}
