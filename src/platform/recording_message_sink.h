// A message sink for tests: records every message and installs itself for its lifetime.
#pragma once

#include <string>
#include <vector>

#include "platform/messages.h"

namespace kalvora::platform {

struct RecordedMessage {
    std::string text;
    std::string caption;
    MessageIcon icon;
};

class RecordingMessageSink final : public MessageSink {
  public:
    RecordingMessageSink();
    ~RecordingMessageSink() override;
    RecordingMessageSink(const RecordingMessageSink&) = delete;
    RecordingMessageSink& operator=(const RecordingMessageSink&) = delete;

    void Show(std::string_view text, std::string_view caption, MessageIcon icon) override;

    const std::vector<RecordedMessage>& Messages() const { return messages_; }
    void Clear() { messages_.clear(); }

  private:
    MessageSink* previous_;
    std::vector<RecordedMessage> messages_;
};

}  // namespace kalvora::platform
