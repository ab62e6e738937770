#pragma once

#include "base/Clock.h"
#include "geo/GradeSampler.h"
#include "instruments/MovingAverage.h"
#include "instruments/RunningMean.h"
#include "waypoints/Waypoint.h"

#include <cstdint>

namespace hw {

// Trip statistics from the stream of GPS updates: odometer, speeds,
// altitudes, grade with ascent and descent, trip duration, and the time en
// route and arrival toward the navigation target. Never stored: each start
// or Reset begins a new trip.
class TripComputer {
public:
    static constexpr size_t kClosingSamples = 30;

    explicit TripComputer(const Clock& clock);

    // One GPS update. timeOfDay is the fix's UTC time of day in seconds (with
    // fraction); fixValid is 1 when the fix quality is not 0; navigating is 1
    // while a goto is active.
    void Update(double timeOfDay, const Waypoint& target, double latitude, double longitude,
                int fixValid, int navigating, double speedKnots, double altitudeMetres);
    void SetPositionFilter(int enabled) { positionFilter_ = enabled; }
    void Reset();
    // A goto was started (another target or the same again): the estimate
    // toward the old one is dropped at once.
    void NewTarget();

    double Odometer() const { return odometer_; }
    double LastStep() const { return lastStep_; }
    double Ete() const { return ete_; }
    int32_t Eta() const { return eta_; }
    // Whether ETE and ETA hold an estimate toward the present target; until
    // the first one they are unknown.
    bool HasEstimate() const { return estimated_; }
    double AverageSpeed() const { return averageSpeed_.Mean(); }
    int64_t TripDuration() const { return clock_.NowSeconds() - tripStart_; }
    double MaximumAltitude() const { return maxAltitude_; }
    double MinimumAltitude() const { return minAltitude_; }
    double MaximumSpeed() const { return maxSpeed_; }
    double CurrentGrade() const { return grade_; }
    double MaximumGrade() const { return maxGrade_; }
    double MinimumGrade() const { return minGrade_; }
    double AverageGrade() const { return averageGrade_.Mean(); }
    double AverageAscendingGrade() const { return averageAscent_.Mean(); }
    double AverageDescendingGrade() const { return averageDescent_.Mean(); }
    double TotalAscent() const { return totalAscent_; }
    double TotalDescent() const { return totalDescent_; }

private:
    void UpdateGrade(double latitude, double longitude, double altitude);
    bool UpdateOdometer(double latitude, double longitude, int fixValid);
    void UpdateEte(double timeOfDay, const Waypoint& target, double latitude, double longitude);
    void UpdateAltitude(double altitude);

    const Clock& clock_;

    // odometer
    double refLat_ = 0, refLon_ = 0;
    int previousFixValid_ = 0;
    unsigned updateCount_ = 0;
    double odometer_ = 0;
    double lastStep_ = 0;
    int positionFilter_ = 1;

    // time en route
    double previousTime_ = 0;
    double previousDistance_ = 0;
    MovingAverage closing_{kClosingSamples};
    double ete_ = 0;
    int32_t eta_ = 0;
    bool estimated_ = false;
    int32_t targetLat_ = 0, targetLon_ = 0; // of the samples taken

    RunningMean averageSpeed_;
    double maxSpeed_ = 0;
    int64_t tripStart_ = 0;

    double maxAltitude_ = 0, minAltitude_ = 0;
    int firstAltitudePending_ = 1;

    double grade_ = 0, maxGrade_ = 0, minGrade_ = 0;
    RunningMean averageGrade_, averageAscent_, averageDescent_;
    GradeSampler gradeSampler_;
    double totalAscent_ = 0, totalDescent_ = 0;
};

} // namespace hw
