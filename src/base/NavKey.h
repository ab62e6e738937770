#pragma once

namespace hw {

// Keys that reach the tab container.
enum class NavKey { Up, Down, Left, Right, Enter, Other };

} // namespace hw
