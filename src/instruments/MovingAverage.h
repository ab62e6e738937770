#pragma once

#include <cstddef>
#include <vector>

namespace hw {

// The mean of the last N values added: a ring of N values with a running sum.
class MovingAverage {
public:
    explicit MovingAverage(size_t capacity);

    void Add(double value);
    double Mean() const;
    size_t Count() const { return count_; }
    size_t Capacity() const { return values_.size(); }
    void Clear();

private:
    std::vector<double> values_;
    size_t next_ = 0;
    size_t count_ = 0;
    double sum_ = 0;
};

} // namespace hw
