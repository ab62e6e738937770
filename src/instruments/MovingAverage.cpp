#include "instruments/MovingAverage.h"

namespace hw {

MovingAverage::MovingAverage(size_t capacity) : values_(capacity == 0 ? 1 : capacity) {}

void MovingAverage::Add(double value)
{
    if (count_ == values_.size())
        sum_ -= values_[next_];
    else
        ++count_;
    values_[next_] = value;
    sum_ += value;
    next_ = (next_ + 1) % values_.size();
}

double MovingAverage::Mean() const
{
    return count_ == 0 ? 0.0 : sum_ / static_cast<double>(count_);
}

void MovingAverage::Clear()
{
    next_ = count_ = 0;
    sum_ = 0;
}

} // namespace hw
