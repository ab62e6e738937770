#include "course/CourseProfile.h"

#include "course/Tobler.h"
#include "geo/GradeSampler.h"
#include "geo/SphericalGeometry.h"
#include "terrain/TerrainFile.h"

#include <algorithm>
#include <cmath>

namespace hw {

CourseProfile::CourseProfile(Course course, TerrainFile* terrain) : course_(std::move(course))
{
    const auto& pts = course_.points;
    const size_t n = pts.size();
    distance_.resize(n);
    height_.resize(n);
    ascent_.resize(n);
    descent_.resize(n);
    GradeSampler sampler;
    double up = 0, down = 0;
    for (size_t i = 0; i < n; ++i) {
        double h = terrain && terrain->IsOpen() ? terrain->HeightAt(pts[i].lat, pts[i].lon) : NAN;
        height_[i] = std::isfinite(h) ? h : pts[i].ele;
        hasHeights_ = hasHeights_ || std::isfinite(height_[i]);
        if (i > 0) {
            double dx = DistanceKm(pts[i - 1].lat, pts[i - 1].lon, pts[i].lat, pts[i].lon) * 1000;
            distance_[i] = distance_[i - 1] + dx;
        }
        GradeStep step;
        if (std::isfinite(height_[i]) && sampler.Add(pts[i].lat, pts[i].lon, height_[i], step)) {
            up += std::max(step.climbMetres, 0.0);
            down += std::max(-step.climbMetres, 0.0);
        }
        // The walk ends within the last step: what it climbed counts too.
        if (i + 1 == n) {
            double rest = sampler.Pending().climbMetres;
            up += std::max(rest, 0.0);
            down += std::max(-rest, 0.0);
        }
        ascent_[i] = up;
        descent_[i] = down;
    }
    tobler_ = ToblerCumulativeSeconds(distance_, height_);
}

CourseFigures CourseProfile::Figures(double paceFactor) const
{
    CourseFigures f;
    f.points = Size();
    f.lengthM = LengthM();
    f.timeS = (tobler_.empty() ? 0 : tobler_.back()) * paceFactor;
    f.bounds = BoundsOf(course_);
    if (hasHeights_) {
        f.ascentM = ascent_.back();
        f.descentM = descent_.back();
        double lo = INFINITY, hi = -INFINITY;
        for (double h : height_)
            if (std::isfinite(h)) {
                lo = std::min(lo, h);
                hi = std::max(hi, h);
            }
        f.minEle = lo;
        f.maxEle = hi;
    }
    return f;
}

} // namespace hw
