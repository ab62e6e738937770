#pragma once

#include "base/NavKey.h"

namespace hw {

// A tab page that takes arrow keys from the tab container.
class PageKeyHandler {
public:
    virtual ~PageKeyHandler() = default;
    // True when the page used the key.
    virtual bool HandlePageKey(NavKey key) = 0;
};

} // namespace hw
