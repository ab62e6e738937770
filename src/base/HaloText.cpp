#include "base/HaloText.h"

namespace hw {

void AddHaloText(const Text& text, Colour halo, DrawList& out)
{
    for (ScreenPoint d :
         {ScreenPoint{-1, 0}, ScreenPoint{1, 0}, ScreenPoint{0, -1}, ScreenPoint{0, 1}}) {
        Text under = text;
        under.anchor = {text.anchor.x + d.x, text.anchor.y + d.y};
        under.colour = halo;
        under.opaque = false;
        out.Add(std::move(under));
    }
    out.Add(text);
}

} // namespace hw
