#pragma once

#include "base/MenuEntry.h"

#include <vector>

namespace hw {

// The main menu (resource 128): its top-level entries, in order.
const std::vector<MenuEntry>& MainMenu();

// The entry of a command in the main menu, or nullptr.
const MenuEntry* FindMenuCommand(int id);

} // namespace hw
