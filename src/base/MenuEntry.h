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

} // namespace hw
