#pragma once

#include "base/Colour.h"
#include "base/DrawList.h"

#include <vector>

namespace hw {

// The thin bar under the pages: one block per satellite used, of every
// system, and an LED that flashes on every sentence, coloured by the fix
// quality. Up to 12 blocks keep their width; more share the same room.
class StatusBarModel {
public:
    enum class Led { Dark = 0, Bright = 1, Third = 2 };
    static constexpr int kFullWidthBlocks = 12;
    static constexpr int kMaxBlocks = 96; // the satellite table of a combined receiver
    static constexpr int kSentenceFlashMs = 200;
    static constexpr int kStartFlashMs = 2000;

    struct Layout {
        ScreenRect blocksArea;          // filled white, outlined in theme slot 4
        std::vector<ScreenRect> blocks; // filled and outlined in the block colour
        ScreenRect led;
    };

    // The bar's height for the screen's vertical resolution.
    static int Height(double dotsPerInch) { return dotsPerInch < 97 ? 4 : 8; }

    // A sentence arrived: takes the LED colours for the fix quality, the
    // satellites used and the block colour, and lights the LED.
    void OnSentence(int fixQuality, int satellitesUsed, Colour blockColour);
    void Flash() { led_ = Led::Bright; }
    void FlashEnded() { led_ = Led::Dark; }

    Layout LayOut(int width, int height) const;
    Colour LedColour() const;
    Led LedState() const { return led_; }
    Colour BlockColour() const { return block_; }
    int SatellitesUsed() const { return satellites_; }

private:
    Colour bright_ = 0x80FF80;
    Colour dark_ = 0x008000;
    Colour third_ = 0x808080;
    Led led_ = Led::Dark;
    int satellites_ = 0;
    Colour block_ = 0x008000;
};

} // namespace hw
