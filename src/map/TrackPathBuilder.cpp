#include "map/TrackPathBuilder.h"

#include <cmath>

namespace hw {

TrackPathBuilder::TrackPathBuilder(const ScreenRect& client, bool everyFifth)
    : area_(client.Grown(kMargin)), everyFifth_(everyFifth)
{
}

void TrackPathBuilder::Add(ScreenPoint p, bool segmentStart)
{
    long i = index_++;
    if (i == 0)
        segmentStart = true;
    if (everyFifth_ && i % 5 != 0) {
        if (segmentStart)
            skippedSegmentStart_ = true;
        lastSkipped_ = p;
        return;
    }
    if (skippedSegmentStart_ && !segmentStart) {
        skippedSegmentStart_ = false;
        Draw(lastSkipped_, true);
    }
    skippedSegmentStart_ = false;
    Draw(p, segmentStart);
}

void TrackPathBuilder::Draw(ScreenPoint p, bool segmentStart)
{
    bool inside = area_.Contains(p);
    if (segmentStart) {
        MoveTo(p);
        outsideRun_ = !inside;
        lastOutside_ = p;
        return;
    }
    if (!inside) {
        if (!outsideRun_)
            LineTo(CutAtEdge(current_.empty() ? p : current_.back(), p));
        outsideRun_ = true;
        lastOutside_ = p;
        return;
    }
    if (outsideRun_) {
        MoveTo(CutAtEdge(p, lastOutside_));
        outsideRun_ = false;
    }
    LineTo(p);
}

void TrackPathBuilder::MoveTo(ScreenPoint p)
{
    if (current_.size() >= 2)
        strokes_.push_back(std::move(current_));
    current_.clear();
    current_.push_back(p);
}

void TrackPathBuilder::LineTo(ScreenPoint p)
{
    if (current_.empty() || current_.back() != p)
        current_.push_back(p);
}

// The point where the stroke from an inside point toward an outside one
// leaves the drawing area (Liang-Barsky on the far end only).
ScreenPoint TrackPathBuilder::CutAtEdge(ScreenPoint inside, ScreenPoint outside) const
{
    double x0 = inside.x, y0 = inside.y;
    double dx = outside.x - x0, dy = outside.y - y0;
    double t = 1.0;
    auto limit = [&](double delta, double room) {
        if (delta > 0 && room < delta * t)
            t = room / delta;
    };
    limit(dx, area_.right - 1 - x0);
    limit(-dx, x0 - area_.left);
    limit(dy, area_.bottom - 1 - y0);
    limit(-dy, y0 - area_.top);
    if (t < 0)
        t = 0;
    return {static_cast<int>(std::lround(x0 + dx * t)), static_cast<int>(std::lround(y0 + dy * t))};
}

std::vector<std::vector<ScreenPoint>> TrackPathBuilder::Finish()
{
    MoveTo({});
    current_.clear();
    return std::move(strokes_);
}

} // namespace hw
