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

// A text's size guessed from its characters (wide CJK characters a font's
// size, others six tenths of it), for when no painter measures.
TextExtent EstimateTextExtent(const std::string& text, const Font& font);

// A box of `extent` placed on `anchor` by the alignments, in the text's own
// direction (before any turn).
ScreenRect AlignedTextBox(ScreenPoint anchor, TextExtent extent, HAlign hAlign, VAlign vAlign);

// The screen box a text covers as the painter draws it, its turn (the font's
// escapement) included.
ScreenRect TextBox(const Text& text, const TextMeasure& measure);

// The screen box an item covers: a text's box, the points of a line or a
// polygon, the rectangle of the others (a bitmap cell its square).
ScreenRect ItemBounds(const DrawItem& item, const TextMeasure& measure);

} // namespace hw
