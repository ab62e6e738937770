#include "geo/ClippedPolyline.h"

#include "geo/LineClip.h"

namespace hw {

void ClippedPolyline::Begin()
{
    havePrevious_ = false;
    piece_.clear();
}

void ClippedPolyline::Add(ScreenPoint p, std::vector<std::vector<ScreenPoint>>& out)
{
    if (!havePrevious_) {
        havePrevious_ = true;
        previous_ = p;
        if (area_.Contains(p))
            piece_.push_back(p);
        return;
    }
    if (p == previous_)
        return;
    const ScreenPoint from = previous_;
    previous_ = p;
    if (area_.Contains(from) && area_.Contains(p)) {
        piece_.push_back(p);
        return;
    }
    const auto cut = ClipLine(area_, from, p);
    if (!cut) {
        Flush(out);
        return;
    }
    if (piece_.empty() || !(piece_.back() == cut->first)) {
        Flush(out);
        piece_.push_back(cut->first);
    }
    if (!(cut->second == piece_.back()))
        piece_.push_back(cut->second);
    if (!area_.Contains(p))
        Flush(out);
}

void ClippedPolyline::End(std::vector<std::vector<ScreenPoint>>& out)
{
    Flush(out);
    havePrevious_ = false;
}

void ClippedPolyline::Flush(std::vector<std::vector<ScreenPoint>>& out)
{
    if (piece_.size() >= 2)
        out.push_back(piece_);
    piece_.clear();
}

} // namespace hw
