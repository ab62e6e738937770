#pragma once

#include "base/DrawList.h"
#include "instruments/SatelliteSnapshot.h"

#include <functional>
#include <string>
#include <vector>

namespace hw {

// The row of signal-strength bars: one slot per satellite in view (12 empty
// slots when none is), a bar rising with the SNR from 5 (nothing) to 50 (full).
class SignalBarLayout {
public:
    struct Slot {
        ScreenRect frame; // filled with theme slot 7, outlined light grey
        bool hasBar = false;
        ScreenRect bar; // filled with theme slot 6 when used, else slot 5
        bool used = false;
        int prn = 0;       // 0: no label
        std::string label; // the number, with the system's letter in a sky of several
        int snr = 0;
        bool snrFits = false; // the SNR text fits inside the bar
        int centreX = 0;
        int labelRow = 0; // 1: the label sits one text line lower
    };
    // The width of a label in the bar font.
    using LabelWidth = std::function<int(const std::string& label)>;

    // `textHeight` is the height of the text "X" in the bar font. With the
    // labels' widths, labels that would touch their neighbours go to two
    // rows, every other one a line lower, and the bars make room for both.
    SignalBarLayout(const ScreenRect& area, int textHeight, const SatelliteSnapshot& satellites,
                    const LabelWidth& labelWidth = {});
    // The box of a slot's label under the bars.
    ScreenRect LabelBox(const Slot& slot) const;

    // How many slots the row has: one per satellite in view, 12 when none.
    static int SlotCount(const SatelliteSnapshot& satellites);
    // Font height of the labels for an area of that width and that many
    // slots: 4 % of the width, smaller when more than 12 slots leave too
    // little room for a label of three characters.
    static int FontHeight(int areaWidth, int slots = 12);
    // Bar height for an SNR in an area of that height.
    static int BarHeight(int snr, int areaHeight);

    int BarAreaTop() const { return areaTop_; }
    int BarAreaBottom() const { return areaBottom_; }
    const std::vector<Slot>& Slots() const { return slots_; }

private:
    int areaTop_ = 0;
    int areaBottom_ = 0;
    int textHeight_ = 0;
    std::vector<int> labelWidths_;
    std::vector<Slot> slots_;
};

} // namespace hw
