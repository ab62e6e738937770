#include "units/SmoothingFilter.h"

#include <cmath>

namespace hw {

double SmoothingFilter::SetTimeConstant(double dt, double tau)
{
    if (tau != 0)
        alpha_ = std::exp(-dt / tau);
    return alpha_;
}

double SmoothingFilter::Update(double sample)
{
    double y = (state_ - sample) * alpha_ + sample;
    state_ = y;
    output_ = y;
    return y;
}

} // namespace hw
