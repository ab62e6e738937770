#pragma once

namespace hw {

// The mean of every value added since the last Clear; 0 while empty.
class RunningMean {
public:
    void Add(double value)
    {
        sum_ += value;
        ++count_;
    }
    double Mean() const { return count_ == 0 ? 0.0 : sum_ / count_; }
    unsigned Count() const { return count_; }
    void Clear()
    {
        sum_ = 0;
        count_ = 0;
    }

private:
    double sum_ = 0;
    unsigned count_ = 0;
};

} // namespace hw
