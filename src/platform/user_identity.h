// Who runs the program, as far as private per-user files need to know.
#pragma once

#include <string>

namespace kalvora::platform {

// A short text that differs between the users of one machine (the numeric user id).
std::string CurrentUserTag();

}  // namespace kalvora::platform
