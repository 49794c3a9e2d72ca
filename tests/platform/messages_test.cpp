#include "platform/messages.h"

#include <gtest/gtest.h>

#include "platform/recording_message_sink.h"

namespace kalvora::platform {
namespace {

TEST(MessagesTest, RecordingSinkReceivesMessagesAndRestoresThePreviousSink) {
    MessageSink* before = &CurrentMessageSink();
    {
        RecordingMessageSink sink;
        ShowMessage("Cannot open File.", caption::fileError, MessageIcon::information);
        ASSERT_EQ(sink.Messages().size(), 1u);
        EXPECT_EQ(sink.Messages()[0].text, "Cannot open File.");
        EXPECT_EQ(sink.Messages()[0].caption, "File Error");
        EXPECT_EQ(sink.Messages()[0].icon, MessageIcon::information);
    }
    EXPECT_EQ(&CurrentMessageSink(), before);
}

}  // namespace
}  // namespace kalvora::platform
