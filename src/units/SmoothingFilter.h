#pragma once

namespace hw {

// First-order low-pass filter that damps the gauges' needles.
class SmoothingFilter {
public:
    void Reset(double value)
    {
        state_ = value;
        output_ = value;
    }
    // alpha = exp(-dt / tau) unless tau is 0; returns the current alpha.
    double SetTimeConstant(double dt, double tau);
    double Update(double sample);

    double Alpha() const { return alpha_; }
    double Output() const { return output_; }

private:
    double alpha_ = 0.95;
    double state_ = 0;
    double output_ = 0;
};

} // namespace hw
