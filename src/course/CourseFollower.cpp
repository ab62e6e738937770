#include "course/CourseFollower.h"

#include "gps/GpsFix.h"
#include "geo/SphericalGeometry.h"
#include "track/TrackRecorder.h"

#include <algorithm>
#include <cmath>

namespace hw {
namespace {

constexpr double kMetresPerDegree = kEarthRadiusKm * 1000 * kRadiansPerDegree;
// How far the progress may move beyond the walker's own step between two
// fixes before a nearer point costs more than it gains: GPS noise.
constexpr double kStepSlackM = 10;
// The walker's heading is taken over this much ground, above the noise.
constexpr double kHeadingBaseM = 10;
// What walking against a segment's direction costs: where two legs lie
// side by side, the one walked the way the walker goes wins.
constexpr double kAgainstM = 15;
constexpr size_t kTrailFixes = 600;

bool Known(double timeS)
{
    return std::isfinite(timeS) && timeS > 0;
}

} // namespace

std::optional<FollowFix> FollowFixFrom(const GpsFix& fix)
{
    if (!fix.HasFix() || !(std::fabs(fix.ggaLatitude) <= 90) ||
        !(std::fabs(fix.ggaLongitude) <= 180))
        return std::nullopt;
    FollowFix f{fix.ggaLatitude, fix.ggaLongitude, NAN};
    int32_t time = TrackRecorder::PointFromFix(fix, 0).time;
    if (fix.dateKnown && time != 0)
        f.timeS = time;
    return f;
}

CourseFollower::CourseFollower(const Course& course, bool reversed, TerrainFile* terrain,
                               const FollowSettings& settings)
    : profile_(reversed ? course.Reversed() : course, terrain), reversed_(reversed),
      settings_(settings)
{
    settings_.offCourseM = std::clamp(settings_.offCourseM, FollowSettings::kMinOffCourseM,
                                      FollowSettings::kMaxOffCourseM);
}

// The nearest point of one segment, in a plane around the walker (metres
// east and north), which is exact enough at the distances that matter.
CourseFollower::Match CourseFollower::Nearest(double lat, double lon, size_t segment) const
{
    const auto& pts = profile_.GetCourse().points;
    const double kx = kMetresPerDegree * std::cos(lat * kRadiansPerDegree);
    const CoursePoint& a = pts[segment];
    const CoursePoint& b = pts[segment + 1];
    double ax = (a.lon - lon) * kx, ay = (a.lat - lat) * kMetresPerDegree;
    double dx = (b.lon - a.lon) * kx, dy = (b.lat - a.lat) * kMetresPerDegree;
    double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? std::clamp(-(ax * dx + ay * dy) / len2, 0.0, 1.0) : 0.0;
    double px = ax + t * dx, py = ay + t * dy;
    double d0 = profile_.DistanceAt(segment);
    return {segment, t, std::sqrt(px * px + py * py),
            d0 + t * (profile_.DistanceAt(segment + 1) - d0)};
}

// Over the whole course: the first run of segments within the off-course
// distance, at its nearest; else the nearest of all.
CourseFollower::Match CourseFollower::Join(double lat, double lon) const
{
    const size_t segments = profile_.Size() - 1;
    Match best, run;
    bool inRun = false;
    for (size_t s = 0; s < segments; ++s) {
        Match m = Nearest(lat, lon, s);
        bool within = m.distanceM <= settings_.offCourseM;
        if (within && (!inRun || m.distanceM < run.distanceM))
            run = m;
        if (inRun && !within)
            return run;
        inRun = within;
        if (s == 0 || m.distanceM < best.distanceM)
            best = m;
    }
    return inRun ? run : best;
}

// Near the present progress only: segments within reach of the walker's
// step, a point further along or back than the step costing its excess.
CourseFollower::Match CourseFollower::Track(double lat, double lon, double movedM) const
{
    const auto& d = profile_.Distances();
    const double reach = 2 * movedM + 2 * settings_.offCourseM + 100;
    size_t first = static_cast<size_t>(std::lower_bound(d.begin(), d.end(), match_.alongM - reach) -
                                       d.begin());
    size_t last = static_cast<size_t>(std::upper_bound(d.begin(), d.end(), match_.alongM + reach) -
                                      d.begin());
    first = first > 0 ? first - 1 : 0;
    last = std::min(last, d.size() - 1); // segments end one before the points
    Match best;
    double bestScore = INFINITY;
    for (size_t s = first; s < last; ++s) {
        Match m = Nearest(lat, lon, s);
        double jump = std::fabs(m.alongM - match_.alongM) - movedM - kStepSlackM;
        double score = m.distanceM + std::max(jump, 0.0) + kAgainstM * Against(s);
        if (score < bestScore) {
            bestScore = score;
            best = m;
        }
    }
    return bestScore < INFINITY ? best : match_;
}

// 0 when the walker goes the segment's way or stands, up to 1 when walking
// straight against it.
double CourseFollower::Against(size_t segment) const
{
    if (!heading_)
        return 0;
    const auto& pts = profile_.GetCourse().points;
    const CoursePoint& a = pts[segment];
    const CoursePoint& b = pts[segment + 1];
    double dx = (b.lon - a.lon) * std::cos(a.lat * kRadiansPerDegree), dy = b.lat - a.lat;
    double len = std::hypot(dx, dy);
    return len > 0 ? std::max(0.0, -(dx * heading_->first + dy * heading_->second) / len) : 0.0;
}

// The heading over the last kHeadingBaseM walked (along the walk, so that
// a walker turning back on the spot has a new heading at once); none taken
// while the walker stands and the noise wanders.
void CourseFollower::UpdateHeading(double lat, double lon, double movedM)
{
    walkedM_ += movedM;
    trail_.push_back({lat, lon, walkedM_});
    while (trail_.size() > kTrailFixes ||
           (trail_.size() > 2 && walkedM_ - trail_[1].walkedM >= kHeadingBaseM))
        trail_.pop_front();
    const TrailFix& from = trail_.front();
    if (walkedM_ - from.walkedM < kHeadingBaseM ||
        DistanceKm(from.lat, from.lon, lat, lon) * 1000 < kHeadingBaseM / 2)
        return;
    double dx = (lon - from.lon) * std::cos(lat * kRadiansPerDegree), dy = lat - from.lat;
    double len = std::hypot(dx, dy);
    heading_ = {dx / len, dy / len};
}

double CourseFollower::Interpolate(const Match& m,
                                   double (CourseProfile::*value)(size_t) const) const
{
    double a = (profile_.*value)(m.segment);
    return a + m.fraction * ((profile_.*value)(m.segment + 1) - a);
}

void CourseFollower::Place(const Match& m, double timeS)
{
    match_ = m;
    const size_t last = profile_.Size() - 1;
    double tobler = Interpolate(m, &CourseProfile::ToblerAt);
    state_.alongM = m.alongM;
    state_.toGoM = std::max(profile_.LengthM() - m.alongM, 0.0);
    state_.xteM = m.distanceM;
    state_.nextPoint = m.segment + 1;
    if (profile_.HasHeights()) {
        state_.ascentToGoM = profile_.AscentAt(last) - Interpolate(m, &CourseProfile::AscentAt);
        state_.descentToGoM = profile_.DescentAt(last) - Interpolate(m, &CourseProfile::DescentAt);
    } else {
        state_.ascentToGoM = state_.descentToGoM = NAN;
    }
    // The walker's own pace once walked long enough, else the setting's.
    double pace = settings_.paceFactor;
    if (Known(timeS) && Known(joinTimeS_)) {
        double spent = timeS - joinTimeS_, walked = tobler - joinToblerS_;
        if (spent >= kPaceAfterS && walked >= 60)
            pace = std::clamp(spent / walked, 0.2, 10.0);
    }
    state_.remainingS = std::max(profile_.ToblerAt(last) - tobler, 0.0) * pace;
    state_.etaS = Known(timeS) ? timeS + state_.remainingS : NAN;
}

std::vector<CourseEvent> CourseFollower::Update(double lat, double lon, double timeS)
{
    std::vector<CourseEvent> events;
    if (state_.arrived || profile_.Size() < 2)
        return events;
    bool join = !state_.joined;
    Match m =
        join ? Join(lat, lon) : Track(lat, lon, DistanceKm(lastLat_, lastLon_, lat, lon) * 1000);
    // Far from the course the walker is joined again, as at the start.
    if (!join && m.distanceM > kRejoinM) {
        m = Join(lat, lon);
        join = true;
    }
    if (join) {
        joinTimeS_ = timeS;
        joinToblerS_ = Interpolate(m, &CourseProfile::ToblerAt);
    }
    state_.joined = true;
    lastLat_ = lat;
    lastLon_ = lon;
    Place(m, timeS);

    // Three fixes in a row decide, so that noise at the edge alarms no twice.
    bool beyond = m.distanceM > settings_.offCourseM;
    beyond_ = beyond ? beyond_ + 1 : 0;
    within_ = beyond ? 0 : within_ + 1;
    if (!state_.off && beyond_ >= kFixesToDecide) {
        state_.off = true;
        events.push_back({CourseEvent::Kind::OffCourse, m.distanceM});
    } else if (state_.off && within_ >= kFixesToDecide) {
        state_.off = false;
        events.push_back({CourseEvent::Kind::BackOnCourse, m.distanceM});
    }

    const auto& end = profile_.GetCourse().points.back();
    if (m.alongM >= kFinalShare * profile_.LengthM() &&
        DistanceKm(lat, lon, end.lat, end.lon) * 1000 <= settings_.arrivalM) {
        state_.arrived = true;
        events.push_back({CourseEvent::Kind::Arrived, 0});
    }
    return events;
}

} // namespace hw
