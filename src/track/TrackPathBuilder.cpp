#include "track/TrackPathBuilder.h"

#include "geo/LineClip.h"

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
// leaves the drawing area.
ScreenPoint TrackPathBuilder::CutAtEdge(ScreenPoint inside, ScreenPoint outside) const
{
    auto clipped = ClipLine(area_, inside, outside);
    return clipped ? clipped->second : inside;
}

std::vector<std::vector<ScreenPoint>> TrackPathBuilder::Finish()
{
    MoveTo({});
    current_.clear();
    return std::move(strokes_);
}

} // namespace hw
