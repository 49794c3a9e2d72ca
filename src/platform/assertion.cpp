#include "platform/assertion.h"

#include <cstdlib>
#include <string_view>

#include "platform/messages.h"

namespace kalvora::platform {

std::string AssertionText(const char* file, int line, const char* condition) {
    std::string_view path(file);
    const auto slash = path.find_last_of("/\\");
    if (slash != std::string_view::npos) path.remove_prefix(slash + 1);
    std::string text = "In ";
    text.append(path).append(" line ").append(std::to_string(line));
    text.append(": Condition \"").append(condition).append("\"failed!");
    return text;
}

void AssertionFailed(const char* file, int line, const char* condition) {
    ShowMessage(AssertionText(file, line, condition), caption::assertionFailed, MessageIcon::stop);
    std::abort();
}

}  // namespace kalvora::platform
