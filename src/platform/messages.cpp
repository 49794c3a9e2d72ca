#include "platform/messages.h"

#include <cstdio>
#include <string>

namespace kalvora::platform {
namespace {

class StandardErrorSink final : public MessageSink {
  public:
    void Show(std::string_view text, std::string_view caption, MessageIcon) override {
        std::string line;
        line.append(caption).append(": ").append(text).append("\n");
        std::fputs(line.c_str(), stderr);
    }
};

StandardErrorSink defaultSink;
MessageSink* currentSink = &defaultSink;

}  // namespace

void SetMessageSink(MessageSink* sink) {
    currentSink = sink ? sink : &defaultSink;
}

MessageSink& CurrentMessageSink() {
    return *currentSink;
}

void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) {
    currentSink->Show(text, caption, icon);
}

}  // namespace kalvora::platform
