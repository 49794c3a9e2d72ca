#include "documents/unit.h"

#include "platform/messages.h"

namespace kalvora {

void unit::Check(bool& ok, std::string_view text, std::string_view fieldName) {
    if (!ok) return;
    std::string errorText;
    if (ReadText(text, fieldName, errorText)) return;
    platform::ShowMessage(errorText, platform::caption::inputError,
                          platform::MessageIcon::information);
    ok = false;
}

std::string unit::InputErrorText(std::string_view fieldName, std::string_view reason) {
    std::string text = "In ";
    text.append(fieldName).append(": ").append(reason);
    return text;
}

}  // namespace kalvora
