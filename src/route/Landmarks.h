#pragma once

#include "route/RouteMode.h"
#include "route/WalkingNetwork.h"

#include <cstdint>
#include <vector>

namespace hw {

// Landmarks for A*: a few nodes far apart, with the cost of a mode from
// each of them to every node and back. By the triangle inequality they give
// a lower bound of the cost between any two nodes, much closer than the
// great-circle distance where ways wind or climb. Measured over every way
// whatever its difficulty, the bound holds under any difficulty limit.
class Landmarks {
public:
    static constexpr int kCount = 8;

    Landmarks(const WalkingNetwork& network, RouteMode mode);

    // A lower bound of the cost from node v to node t (0 where the
    // landmarks do not reach both).
    double LowerBound(uint32_t v, uint32_t t) const
    {
        double bound = 0;
        const float* fv = &from_[std::size_t{v} * kCount];
        const float* ft = &from_[std::size_t{t} * kCount];
        const float* tv = symmetric_ ? fv : &to_[std::size_t{v} * kCount];
        const float* tt = symmetric_ ? ft : &to_[std::size_t{t} * kCount];
        for (int l = 0; l < kCount; ++l) {
            // d(L,t) - d(L,v) and d(v,L) - d(t,L); infinite where unreached.
            const float a = ft[l] - fv[l], b = tv[l] - tt[l];
            if (a > bound && a < kUnreached)
                bound = a;
            if (b > bound && b < kUnreached)
                bound = b;
        }
        return bound;
    }
    uint64_t MemoryBytes() const { return (from_.capacity() + to_.capacity()) * sizeof(float); }

private:
    static constexpr float kUnreached = 1e30f;
    // The costs from a node to every node, or from every node to it.
    void Measure(uint32_t landmark, bool toward, std::vector<double>& cost) const;

    const WalkingNetwork& network_;
    RouteMode mode_;
    bool symmetric_;
    std::vector<float> from_, to_; // per node, kCount each
};

} // namespace hw
