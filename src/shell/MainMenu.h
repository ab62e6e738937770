#pragma once

#include <vector>

namespace hw {

// One entry of a menu: a command (id > 0), a submenu (children), or a
// separator (no text).
struct MenuEntry {
    const char* text = nullptr;
    int id = 0;
    std::vector<MenuEntry> children;

    bool IsSeparator() const { return text == nullptr; }
    bool IsSubmenu() const { return !children.empty(); }
};

// The main menu (resource 128): its top-level entries, in order.
const std::vector<MenuEntry>& MainMenu();

// The entry of a command in the main menu, or nullptr.
const MenuEntry* FindMenuCommand(int id);

} // namespace hw
