#pragma once

#include <functional>

namespace hw {

// The largest pixel height, at most `pixels`, at which a text is no wider
// than `room`; `widthAt` measures the text at a given height. A text that
// fits keeps its height; nothing goes below one pixel.
int PixelsToFit(int pixels, int room, const std::function<int(int pixels)>& widthAt);

} // namespace hw
