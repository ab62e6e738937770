#pragma once

#include <array>
#include <string>
#include <vector>

namespace hw {

class SettingsStore;

namespace manager_setting {
inline constexpr const char* kColumnSection = "Waypoint Manager Column ID";
inline constexpr const char* kDialogSection = "Waypoint Manager Dialog";
inline constexpr const char* kColumnKind = "WMColID_";
inline constexpr const char* kColumnShown = "Show_";
inline constexpr const char* kColumnWidth = "WMColWidth_";
inline constexpr const char* kListDistance = "List Distance";
inline constexpr int kDefaultListDistance = 10;
} // namespace manager_setting

// What a column of the waypoint list shows.
enum WaypointColumnKind {
    kColumnName = 0,
    kColumnDistance = 1,
    kColumnSymbol = 2,
    kColumnComment = 3,
    kColumnFieldNotes = 4,
    kColumnTimeFound = 5,
};

// The six column slots of the waypoint list, each with a kind and a shown
// flag, in the order the columns appear. Slot 0 gives the item's main text
// and is always shown.
class WaypointManagerColumns {
public:
    static constexpr int kSlotCount = 6;
    struct Slot {
        int kind = 0;
        bool shown = true;
    };

    WaypointManagerColumns();

    // The header of a kind; "COL ERROR" for an unknown one.
    static std::string Header(int kind);

    void Load(const SettingsStore& settings);
    void Store(SettingsStore& settings) const;
    // Column widths by position; unset ones take defaultWidth.
    static std::vector<int> LoadWidths(const SettingsStore& settings, int count, int defaultWidth);
    static void StoreWidths(SettingsStore& settings, const std::vector<int>& widths);

    const std::array<Slot, kSlotCount>& Slots() const { return slots_; }
    void SetShown(int slot, bool shown);
    // The kinds of the list's columns, in column order.
    std::vector<int> ShownKinds() const;
    // The kind of a list column; -1 outside.
    int KindOfColumn(int column) const;
    // Swap a slot with its neighbour; false at the end of the list.
    bool MoveUp(int slot);
    bool MoveDown(int slot);

private:
    std::array<Slot, kSlotCount> slots_;
};

} // namespace hw
