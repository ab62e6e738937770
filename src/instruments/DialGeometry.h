#pragma once

#include "base/DrawList.h"
#include "base/TextClearance.h"
#include "base/TextMeasure.h"

#include <string>
#include <vector>

namespace hw {

// The colours a dial is drawn in.
struct GaugeColours {
    Colour highlight = Rgb(0, 0, 128); // ticks, hands and pointers
    Colour text = Rgb(0, 0, 0);
    Colour face = Rgb(255, 255, 255);
};

// Text heights of the large font between a dial's centre and its caption:
// close enough that the caption stays clear of the scale's numbers.
inline constexpr double kCaptionHeights = 1.8;

// Where a dial gauge puts things: the gauge rectangle shrunk by one pixel
// and cut to its largest centred square; points in percent of the radius at
// an angle clockwise from the top. Also the pens and fonts sized from the
// dial, and the parts the dials share.
class DialGeometry {
public:
    explicit DialGeometry(const ScreenRect& rect);

    int Side() const { return side_; }
    const ScreenRect& Square() const { return square_; }
    ScreenPoint Centre() const { return {cx_, cy_}; }
    // The point at `percent` of the radius, `degrees` clockwise from the top.
    ScreenPoint At(double percent, double degrees) const;
    // A point given in units of `unit` pixels (y upward negative), turned
    // clockwise by `degrees` about the centre.
    ScreenPoint Turned(double x, double y, double unit, double degrees) const;
    // The point `heights` text heights of `font` above the centre (below
    // when negative).
    ScreenPoint AboveCentre(const Font& font, double heights) const;

    int ThinPen() const;   // side / 80
    int MediumPen() const; // side / 50
    int ThickPen() const;  // side / 20
    // max(S, 60) and max(S / 2, 60) tenths of a point at the screen's
    // resolution: S / 10 and S / 20 pixels high.
    Font LargeFont() const;
    Font SmallFont() const;
    // The readouts' font, between the two: the small one is hard to read on
    // a dial, and the box of the large one would cross the scale.
    Font ReadoutFont() const;

    // The round face.
    void Face(const GaugeColours& colours, DrawList& out) const;
    // The 50-tick dial of the altimeter and the speedometer, every fifth tick
    // long and labelled with labels[i] at 63 %.
    void FiftyTicks(const std::string (&labels)[10], const GaugeColours& colours,
                    DrawList& out) const;
    // A radial line from the centre.
    void Shaft(double degrees, double toPercent, int width, Colour colour, DrawList& out) const;
    // A diamond head from `fromPercent` to `toPercent`, `halfDegrees` wide to
    // each side at `widePercent`.
    void Diamond(double degrees, double fromPercent, double toPercent, double widePercent,
                 double halfDegrees, Colour colour, DrawList& out) const;
    // A text centred on a point.
    void Label(const std::string& text, ScreenPoint at, const Font& font, Colour colour,
               DrawList& out) const;
    // The rectangles of the 50-tick dial's labels as FiftyTicks draws them.
    std::vector<ScreenRect> ScaleLabelBoxes(const std::string (&labels)[10],
                                            const TextMeasure& measure) const;
    // The readout's font: ReadoutFont(), or smaller where the box sized to
    // `sizing` below the centre would touch one of the scale's labels.
    Font ReadoutFontClearOf(const std::string& sizing, const std::string (&labels)[10],
                            const TextMeasure& measure) const;
    // The readout box sized to `sizing` in `font`, 1.5 large-font heights
    // below the centre.
    ScreenRect ReadoutBox(const std::string& sizing, const Font& font,
                          const TextMeasure& measure) const;
    // The readout of the 50-tick dials: a framed box sized to `sizing`,
    // clear of the scale's labels, holding `text`.
    void Readout(const std::string& text, const std::string& sizing,
                 const std::string (&labels)[10], const GaugeColours& colours,
                 const TextMeasure& measure, DrawList& out) const;
    // Where the caption `text` goes: in the large font, centred
    // kCaptionHeights above the centre, moved by the least that clears the
    // hands (every line and polygon edge of `hands`), the scale's labels and
    // the readout box, inside the ticks; on a dial too small for that, in
    // the largest smaller font that finds such a place.
    struct CaptionPlace {
        ScreenRect box;
        Font font;
    };
    CaptionPlace PlaceCaption(const std::string& text, const DrawList& hands,
                              const std::vector<ScreenRect>& keepClear,
                              const TextMeasure& measure) const;
    // The caption drawn in that box.
    void Caption(const std::string& text, const DrawList& hands,
                 const std::vector<ScreenRect>& keepClear, const GaugeColours& colours,
                 const TextMeasure& measure, DrawList& out) const;
    // The caption of a 50-tick dial stepped aside from the hands, the
    // scale's labels and the readout sized to `sizing`; then the hands over
    // it and the hub over their roots.
    void CaptionHandsAndHub(const std::string& caption, const DrawList& hands,
                            const std::string& sizing, const std::string (&labels)[10],
                            const GaugeColours& colours, const TextMeasure& measure,
                            DrawList& out) const;
    // Lines of a drawing (polylines, polygon edges) as obstacles for a text.
    static std::vector<TextObstacle> LinesOf(const DrawList& drawing);
    // The hub over the hands' roots.
    void Hub(Colour colour, DrawList& out) const;

private:
    ScreenRect square_;
    int side_ = 0;
    int cx_ = 0;
    int cy_ = 0;
};

} // namespace hw
