#pragma once

#include "base/SettingsStore.h"

namespace hw {

// The "ANSI Code Page" setting of "设置" (legacy 8-bit files): reads it,
// falling back to 936 when it names no code page iconv knows, and makes it
// the one decoders use. Returns the code page in use.
int LoadAnsiCodePage(const SettingsStore& settings);
// Stores and uses a new code page; false (nothing changes) when it is unknown.
bool StoreAnsiCodePage(SettingsStore& settings, int codePage);

} // namespace hw
