// Typed text the frame reads: the command-line argument (its extension decides the file kind)
// and a name typed into the name box. The help's topic search has a fuzzer of its own
// (help_text).
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/recording_message_sink.h"
#include "shell/command_line.h"
#include "shell/frame_texts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    kalvora::platform::RecordingMessageSink messages;
    kalvora::FileKindOfArgument(text);
    kalvora::TrimmedName(text);
    return 0;
}
