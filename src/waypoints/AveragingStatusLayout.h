#pragma once

#include "base/DrawList.h"
#include "base/TextMeasure.h"

#include <vector>

namespace hw {

// Where the averaging status window puts its two blocks of text: the
// position 3 pixels in from the left and 1 down; the spread three fifths of
// the first block's height below the first block's top (raised as far as
// the window's bottom edge needs), moved by the least that clears the first
// block's lines within the window. Where nothing in the window clears them,
// the spread goes right of the lines it would cross.
class AveragingStatusLayout {
public:
    static constexpr int kLeft = 3;
    static constexpr int kTop = 1;
    static constexpr int kAir = 4; // pixels between the blocks

    // firstLines: the extent of each line of the first block; second: the
    // extent of the whole second block.
    AveragingStatusLayout(int width, int height, const std::vector<TextExtent>& firstLines,
                          TextExtent second);

    const std::vector<ScreenRect>& FirstLines() const { return firstLines_; }
    ScreenRect SecondBlock() const { return second_; }

private:
    std::vector<ScreenRect> firstLines_;
    ScreenRect second_;
};

} // namespace hw
