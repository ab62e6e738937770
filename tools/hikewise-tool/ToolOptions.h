#pragma once

#include "ToolCommand.h"

#include <string>
#include <vector>

namespace hw::tool {

// Takes "--name NUMBER" out of args into value (left as it was when the
// option is absent). False with a message when the number is missing or
// is not a finite decimal number.
bool TakeNumberOption(Args& args, const std::string& name, double& value, std::string& error);

// Takes every "--name TEXT" out of args into values, in order. False with
// a message when the text is missing.
bool TakeTextOptions(Args& args, const std::string& name, std::vector<std::string>& values,
                     std::string& error);
// The same for an option given at most once (the last one wins).
bool TakeTextOption(Args& args, const std::string& name, std::string& value, std::string& error);

// Takes "--name" out of args; whether it was there.
bool TakeFlag(Args& args, const std::string& name);

// False with a message naming the first argument that is still an option.
bool NoOptionsLeft(const Args& args, std::string& error);

} // namespace hw::tool
