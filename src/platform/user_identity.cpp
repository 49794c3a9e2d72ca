#include "platform/user_identity.h"

#include <unistd.h>

namespace kalvora::platform {

std::string CurrentUserTag() {
    return std::to_string(static_cast<unsigned long>(getuid()));
}

}  // namespace kalvora::platform
