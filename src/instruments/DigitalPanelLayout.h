#pragma once

#include "base/DrawList.h"

#include <array>
#include <functional>
#include <string>

namespace hw {

class SettingsStore;

// Sizes of the three fonts of a panel cell.
struct DigitalPanelFonts {
    int valuePixels = 0; // value font height in pixels
    int labelTenths = 0; // label and sub-text size, tenths of a point
    bool valueBold = false;
};

// The cell grid of a digital panel: rows and columns, the field of each
// cell, stored in the section "Digital Panel" joined with the owner's
// suffix; cell rectangles, fonts and the selection moves.
class DigitalPanelLayout {
public:
    static constexpr int kCells = 25;
    enum class Move { Left, Right, Up, Down };

    explicit DigitalPanelLayout(std::string suffix = {});

    const std::string& Section() const { return section_; }
    // The value name of a cell's type; cell 19 is stored as "Panel Type 29".
    static std::string TypeValueName(int cell);

    void Load(const SettingsStore& settings);
    // Sets the grid; `store` writes "屏幕行" and "屏幕列".
    void SetLayout(int rows, int columns, SettingsStore* store);
    // A new field for a cell, written at once.
    void SetType(int cell, int type, SettingsStore& settings);

    int Rows() const { return rows_; }
    int Columns() const { return columns_; }
    int CellCount() const { return rows_ * columns_; }
    int Type(int cell) const { return cell >= 0 && cell < kCells ? types_[cell] : 0; }

    // The rectangle of the cell in column `column` and row `row` of a client
    // area, shrunk by one pixel on each side.
    ScreenRect CellRect(int width, int height, int column, int row) const;
    // The cell index under a client point, or -1.
    int CellAt(int width, int height, ScreenPoint p) const;
    // Fonts from the unshrunk cell size; `dpi96` for a 96 dots-per-inch screen.
    DigitalPanelFonts Fonts(int width, int height, bool dpi96) const;
    static DigitalPanelFonts FontsForCell(int cellWidth, int cellHeight, bool dpi96);
    // The corner size of a shrunk cell rectangle.
    static int CornerSize(const ScreenRect& cell);
    // The width a shrunk cell gives its value: inside half a corner on each
    // side, so that a long value stays clear of the rounded edges.
    static int ValueRoom(const ScreenRect& cell);
    // The pixel height of the label and the unit on a cell's head line: the
    // largest, at most `pixels`, at which both fit between the rounded
    // corners at least kHeadGap apart; `widthAt` measures label plus unit.
    static int HeadPixels(int pixels, const ScreenRect& cell,
                          const std::function<int(int pixels)>& widthAt);
    static constexpr int kHeadGap = 4;
    // The cell a move from `selected` reaches, wrapping within row or column.
    int Moved(int selected, Move move) const;

    // The rows and columns of a layout command (1000 "1X1" to 1015 "4X5").
    static bool LayoutOfCommand(int id, int& rows, int& columns);

private:
    std::string section_;
    int rows_ = 2;
    int columns_ = 1;
    std::array<int, kCells> types_{};
};

} // namespace hw
