#include "instruments/DigitalPanelLayout.h"

#include "base/SettingsStore.h"
#include "base/TextFit.h"

#include <algorithm>

namespace hw {
namespace {

constexpr const char* kRows = "屏幕行";
constexpr const char* kColumns = "屏幕列";

int DefaultType(int cell)
{
    return cell < 12 ? cell + 1 : 0;
}

} // namespace

DigitalPanelLayout::DigitalPanelLayout(std::string suffix)
    : section_("Digital Panel" + std::move(suffix))
{
    for (int i = 0; i < kCells; ++i)
        types_[i] = DefaultType(i);
}

std::string DigitalPanelLayout::TypeValueName(int cell)
{
    return "Panel Type " + std::to_string(cell == 19 ? 29 : cell);
}

void DigitalPanelLayout::Load(const SettingsStore& settings)
{
    rows_ = std::clamp(settings.GetInt(section_, kRows, 2), 1, 6);
    columns_ = std::clamp(settings.GetInt(section_, kColumns, 1), 1, 4);
    for (int i = 0; i < kCells; ++i)
        types_[i] = settings.GetInt(section_, TypeValueName(i), DefaultType(i));
}

void DigitalPanelLayout::SetLayout(int rows, int columns, SettingsStore* store)
{
    rows_ = std::max(1, rows);
    columns_ = std::max(1, columns);
    if (store) {
        store->SetInt(section_, kRows, rows_);
        store->SetInt(section_, kColumns, columns_);
    }
}

void DigitalPanelLayout::SetType(int cell, int type, SettingsStore& settings)
{
    if (cell < 0 || cell >= kCells)
        return;
    types_[cell] = type;
    settings.SetInt(section_, TypeValueName(cell), type);
}

ScreenRect DigitalPanelLayout::CellRect(int width, int height, int column, int row) const
{
    const int w = width / columns_;
    const int h = height / rows_;
    return {column * w + 1, row * h + 1, column * w + w - 1, row * h + h - 1};
}

int DigitalPanelLayout::CellAt(int width, int height, ScreenPoint p) const
{
    const int w = width / columns_;
    const int h = height / rows_;
    if (w <= 0 || h <= 0 || p.x < 0 || p.y < 0)
        return -1;
    const int column = p.x / w;
    const int row = p.y / h;
    if (column >= columns_ || row >= rows_)
        return -1;
    return column + row * columns_;
}

DigitalPanelFonts DigitalPanelLayout::Fonts(int width, int height, bool dpi96) const
{
    return FontsForCell(width / columns_, height / rows_, dpi96);
}

DigitalPanelFonts DigitalPanelLayout::FontsForCell(int w, int h, bool dpi96)
{
    const bool wide = w > 2.5 * h;
    DigitalPanelFonts f;
    int minimum = 0;
    if (dpi96) {
        minimum = 70;
        f.valuePixels = wide ? static_cast<int>(h * 0.625) : w * 20 / 67;
        f.labelTenths = wide ? static_cast<int>(h * 1.8) : w * 2 / 3;
    } else {
        minimum = 50;
        f.valuePixels = wide ? h * 5 / 9 : w * 2 / 7;
        f.labelTenths = wide ? h * 2 / 3 : w / 3;
    }
    if (f.labelTenths >= minimum) {
        f.valueBold = true;
    } else {
        f.labelTenths = minimum;
        f.valuePixels -= f.valuePixels / 5;
        f.valueBold = false;
    }
    // A label taller than the room above the centred value would cover it
    // (wide cells of large screens): it is kept to that room, but never
    // below the minimum.
    const int room = (h - f.valuePixels) * 2;
    f.labelTenths = std::max(minimum, std::min(f.labelTenths, room));
    return f;
}

int DigitalPanelLayout::CornerSize(const ScreenRect& cell)
{
    const int w = cell.Width();
    const int h = cell.Height();
    return w > 2.5 * h ? h / 4 : w / 8;
}

int DigitalPanelLayout::ValueRoom(const ScreenRect& cell)
{
    return std::max(1, cell.Width() - CornerSize(cell));
}

int DigitalPanelLayout::HeadPixels(int pixels, const ScreenRect& cell,
                                   const std::function<int(int pixels)>& widthAt)
{
    const int inner = cell.Width() - 2 * (CornerSize(cell) / 2);
    return PixelsToFit(pixels, std::max(1, inner - kHeadGap), widthAt);
}

int DigitalPanelLayout::Moved(int s, Move move) const
{
    const int c = s % columns_;
    const int r = s / columns_;
    switch (move) {
    case Move::Left: return c == 0 ? s + columns_ - 1 : s - 1;
    case Move::Right: return c == columns_ - 1 ? s - c : s + 1;
    case Move::Up: return r == 0 ? c + (rows_ - 1) * columns_ : s - columns_;
    case Move::Down: return r == rows_ - 1 ? c : s + columns_;
    }
    return s;
}

bool DigitalPanelLayout::LayoutOfCommand(int id, int& rows, int& columns)
{
    // columns, rows of commands 1000 to 1015
    static constexpr int kLayouts[16][2] = {{1, 1}, {1, 2}, {1, 3}, {1, 4}, {2, 2}, {2, 3},
                                            {2, 4}, {2, 5}, {2, 6}, {3, 3}, {3, 4}, {3, 5},
                                            {3, 6}, {4, 3}, {4, 4}, {4, 5}};
    if (id < 1000 || id > 1015)
        return false;
    columns = kLayouts[id - 1000][0];
    rows = kLayouts[id - 1000][1];
    return true;
}

} // namespace hw
