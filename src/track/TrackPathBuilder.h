#pragma once

#include "base/DrawList.h"

#include <vector>

namespace hw {

// Turns the track's projected points, oldest first, into the strokes to
// draw. The pen moves without drawing to the first point of every segment.
// A point outside the client grown by 5 pixels ends the line with a stroke
// toward it; further outside points are only remembered and the first point
// back inside is joined from the last outside one, so no stroke between two
// outside points is drawn. Strokes that leave the view are cut at the edge of
// that rectangle. With every-fifth on, only every fifth point is drawn; a
// segment start among the skipped points moves the pen to the last skipped
// point before the next stroke.
class TrackPathBuilder {
public:
    static constexpr int kMargin = 5;

    TrackPathBuilder(const ScreenRect& client, bool everyFifth);

    void Add(ScreenPoint p, bool segmentStart);
    // The finished strokes, each of at least two points.
    std::vector<std::vector<ScreenPoint>> Finish();

private:
    void MoveTo(ScreenPoint p);
    void LineTo(ScreenPoint p);
    void Draw(ScreenPoint p, bool segmentStart);
    ScreenPoint CutAtEdge(ScreenPoint inside, ScreenPoint outside) const;

    ScreenRect area_;
    bool everyFifth_;
    long index_ = 0;
    bool skippedSegmentStart_ = false;
    ScreenPoint lastSkipped_;
    bool outsideRun_ = false;
    ScreenPoint lastOutside_;
    std::vector<ScreenPoint> current_;
    std::vector<std::vector<ScreenPoint>> strokes_;
};

} // namespace hw
