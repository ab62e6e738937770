#include "geo/GradeSampler.h"

#include "geo/SphericalGeometry.h"

namespace hw {

bool GradeSampler::Add(double latitude, double longitude, double altitude, GradeStep& step)
{
    if (lat_ != 0 && lon_ != 0) {
        distanceKm_ += DistanceKm(lat_, lon_, latitude, longitude);
        climb_ += altitude - previousAltitude_;
    }
    lat_ = latitude;
    lon_ = longitude;
    previousAltitude_ = altitude;
    if (distanceKm_ < kStepKm || distanceKm_ == 0)
        return false;
    step = {climb_, distanceKm_};
    climb_ = 0;
    distanceKm_ = 0;
    return true;
}

void GradeSampler::Reset()
{
    *this = GradeSampler();
}

} // namespace hw
