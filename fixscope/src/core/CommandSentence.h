#pragma once

#include <string>
#include <string_view>

namespace fixscope {

// The bytes sent for a command sentence stored as "$...*": the sentence, its
// checksum as two upper-case hexadecimal digits and CR LF, with another CR LF
// in front when `leadingLineEnd` is set.
std::string FrameCommand(std::string_view stored, bool leadingLineEnd);

} // namespace fixscope
