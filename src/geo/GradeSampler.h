#pragma once

namespace hw {

// One finished step of a walk: the height gained (negative when lost) over
// the horizontal distance travelled.
struct GradeStep {
    double climbMetres = 0;
    double distanceKm = 0;
    double GradePercent() const { return climbMetres / (distanceKm * 1000) * 100; }
};

// Cuts a walk into steps of at least 100 m of horizontal travel and sums the
// climb over each, so that altitude noise between close positions cancels
// out instead of adding to the ascent. A position at 0, 0 starts afresh.
class GradeSampler {
public:
    static constexpr double kStepKm = 0.1;

    // True when this position finishes a step, which is then in step.
    bool Add(double latitude, double longitude, double altitude, GradeStep& step);
    void Reset();
    // The step begun and not yet finished (zero when none).
    GradeStep Pending() const { return {climb_, distanceKm_}; }

private:
    double lat_ = 0, lon_ = 0;
    double distanceKm_ = 0;
    double previousAltitude_ = 0;
    double climb_ = 0;
};

} // namespace hw
