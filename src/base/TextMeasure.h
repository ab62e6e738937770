#pragma once

#include "base/DrawList.h"

#include <functional>
#include <string>

namespace hw {

// The size of a text in a font, in pixels, as the painter will draw it.
struct TextExtent {
    int width = 0;
    int height = 0;
};

// Measures texts for the core's drawings; the gui supplies the real one.
using TextMeasure = std::function<TextExtent(const std::string& text, const Font& font)>;

} // namespace hw
