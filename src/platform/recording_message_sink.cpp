#include "platform/recording_message_sink.h"

namespace kalvora::platform {

RecordingMessageSink::RecordingMessageSink() : previous_(&CurrentMessageSink()) {
    SetMessageSink(this);
}

RecordingMessageSink::~RecordingMessageSink() {
    SetMessageSink(previous_);
}

void RecordingMessageSink::Show(std::string_view text, std::string_view caption, MessageIcon icon) {
    messages_.push_back({std::string(text), std::string(caption), icon});
}

}  // namespace kalvora::platform
