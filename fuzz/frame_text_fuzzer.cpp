// Typed text the frame reads: the command-line argument (its extension decides the file kind)
// and the words of the help's topic search.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/recording_message_sink.h"
#include "shell/command_line.h"
#include "shell/frame_texts.h"
#include "shell/help_contents.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    kalvora::platform::RecordingMessageSink messages;
    std::optional<kalvora::FileKind> kind = kalvora::FileKindOfArgument(text);
    if (kind) kalvora::FileKindNotSupportedText(*kind, text);
    kalvora::HelpSearchResultHtml(text);
    kalvora::TrimmedName(text);
    return 0;
}
