#pragma once

namespace hw {

// The program's string table: user texts by resource id, UTF-8, in the
// interface language. Returns an empty string for an unknown id, as a failed
// string load would.
const char* LoadString(int id);

} // namespace hw
