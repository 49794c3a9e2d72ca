#include "shell/command_line.h"

#include <gtest/gtest.h>

#include "platform/recording_message_sink.h"

namespace kalvora {
namespace {

TEST(CommandLineTest, ExtensionChoosesTheFileKindWithoutRegardToCase) {
    platform::RecordingMessageSink sink;
    EXPECT_EQ(FileKindOfArgument("/music/song.KVM"), FileKind::music);
    EXPECT_EQ(FileKindOfArgument("take.wav"), FileKind::wave);
    EXPECT_EQ(FileKindOfArgument("work.Kvp"), FileKind::project);
    EXPECT_TRUE(sink.Messages().empty());
}

TEST(CommandLineTest, MissingAndUnknownExtensionsAreReported) {
    struct Case {
        const char* argument;
        const char* message;
    };
    for (Case c :
         {Case{"noextension", "Cannot read the file: \"noextension\" File has no extension"},
          Case{"sound.MP3", "Invalid extension \"mp3\" used."},
          Case{"/home/a.b/file", "Invalid extension \"b/file\" used."},
          Case{"trailing.", "Invalid extension \"\" used."}}) {
        platform::RecordingMessageSink sink;
        EXPECT_FALSE(FileKindOfArgument(c.argument)) << c.argument;
        ASSERT_EQ(sink.Messages().size(), 1u);
        EXPECT_EQ(sink.Messages()[0].text, c.message);
        EXPECT_EQ(sink.Messages()[0].caption, "File Error");
        EXPECT_EQ(sink.Messages()[0].icon, platform::MessageIcon::information);
    }
}

}  // namespace
}  // namespace kalvora
