// Messages to the user: the one way the core reports errors. The program shows them in
// modal message boxes, kalvora-cli prints them on standard error, tests record them.
#pragma once

#include <string_view>

namespace kalvora::platform {

enum class MessageIcon { information, warning, stop, question };

class MessageSink {
  public:
    virtual ~MessageSink() = default;
    virtual void Show(std::string_view text, std::string_view caption, MessageIcon icon) = 0;
};

// Installs the sink that receives every message; nullptr restores the default, which
// writes "caption: text" to standard error. The sink is not owned.
void SetMessageSink(MessageSink* sink);
MessageSink& CurrentMessageSink();

void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon);

// The captions the whole system uses.
namespace caption {
inline constexpr std::string_view inputError = "Input Error";
inline constexpr std::string_view fileError = "File Error";
inline constexpr std::string_view error = "Error";
inline constexpr std::string_view systemError = "System Error";
inline constexpr std::string_view seriousError = "Serious Error";
inline constexpr std::string_view assertionFailed = "Assertion failed";
}  // namespace caption

}  // namespace kalvora::platform
