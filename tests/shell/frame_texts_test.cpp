#include "shell/frame_texts.h"

#include <gtest/gtest.h>

namespace kalvora {
namespace {

TEST(FrameTextsTest, ProgramAndAboutCaptions) {
    EXPECT_EQ(MainCaption(""), "Kalvora 8.0");
    EXPECT_EQ(MainCaption("/home/u/work.kvp"), "Kalvora 8.0 - /home/u/work.kvp");
    EXPECT_EQ(AboutBoxCaption(), "About Kalvora 8.0");
}

TEST(FrameTextsTest, DocumentCaptionJoinsNameAndFile) {
    EXPECT_EQ(DocumentCaption("", "/w/a.wav"), "/w/a.wav");
    EXPECT_EQ(DocumentCaption("A", "/w/a.wav"), "A - /w/a.wav");
    EXPECT_EQ(DocumentCaption("NONAME1", ""), "NONAME1");
    EXPECT_EQ(DocumentCaption("", ""), "");
}

TEST(FrameTextsTest, CloseQuestionNamesTheDocumentAndWhereItGoes) {
    EXPECT_EQ(CloseQuestionText("Wave", "NONAME1", ""),
              "Do you want to save the Wave with name \"NONAME1\" to a new file?");
    EXPECT_EQ(CloseQuestionText("Wave", "", "/w/a.wav"),
              "Do you want to save the Wave without name to current file \"/w/a.wav\"?");
}

TEST(FrameTextsTest, NameBoxTextLosesSurroundingBlanksOnly) {
    EXPECT_EQ(TrimmedName("  Lead  voice \t"), "Lead  voice");
    EXPECT_EQ(TrimmedName("   "), "");
    EXPECT_EQ(TrimmedName("P"), "P");
}

TEST(FrameTextsTest, ScreenCursorNames) {
    EXPECT_EQ(ScreenCursorName(ScreenCursor::draw), "DRAW");
    EXPECT_EQ(ScreenCursorName(ScreenCursor::zoomOut), "ZOOMOUT");
    EXPECT_EQ(static_cast<int>(ScreenCursor::zoom), 6);
}

}  // namespace
}  // namespace kalvora
