#pragma once

#include "base/DrawList.h"

#include <array>
#include <cstddef>

namespace hw {

class UnitFormatter;

// The altitudes of the most recent fixes, newest at the right, drawn as a
// filled silhouette with the highest and lowest altitude in its corners.
class AltitudeProfile {
public:
    static constexpr size_t kCapacity = 4096;
    static constexpr float kEmptyMaximum = -1000000.0f;
    static constexpr float kEmptyMinimum = 1000000.0f;
    static constexpr Colour kCurveColour = Rgb(128, 128, 255);

    AltitudeProfile() { Clear(); }

    void Push(double altitudeMetres);
    void Clear();

    size_t WriteIndex() const { return write_; }
    float Maximum() const { return maximum_; }
    float Minimum() const { return minimum_; }
    // Sample t counted back from the newest (t = 0); empty slots hold 0.
    float Sample(size_t t) const
    {
        return samples_[(write_ + kCapacity - 1 - t % kCapacity) % kCapacity];
    }

    // The drawing for a client rectangle. Drawing narrows the stored range to
    // the samples on screen; a push outside it widens it again.
    void Draw(const ScreenRect& client, const UnitFormatter& units, DrawList& out);

    // The white sheet with its black edge, and the highest and lowest height
    // in its corners: shared with the profile of a followed course.
    static void DrawSheet(const ScreenRect& client, DrawList& out);
    static void DrawHeightLabels(double highestM, double lowestM, const ScreenRect& client,
                                 const UnitFormatter& units, DrawList& out);

private:
    std::array<float, kCapacity> samples_{};
    size_t write_ = 0;
    float maximum_ = kEmptyMaximum;
    float minimum_ = kEmptyMinimum;
};

} // namespace hw
