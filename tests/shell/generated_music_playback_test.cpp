#include "shell/generated_music_playback.h"

#include <gtest/gtest.h>

#include <vector>

#include "documents/wave_document.h"
#include "documents/workspace.h"
#include "music/music_fixture.h"
#include "music/unit_muz.h"
#include "platform/recording_message_sink.h"

namespace kalvora {
namespace {

using test::AddNote;

// A music document whose one stave plays a quarter note from a sample wave document.
class GeneratedMusicPlaybackTest : public ::testing::Test {
  protected:
    GeneratedMusicPlaybackTest() {
        ErrorFlag error = 0;
        auto empty = MakeEmptySound({8000, 1, 2});
        sample_ = std::make_unique<TUnitWave>(workspace_, empty->MakeSilence(&error, 800));
        // Documents join the registry when their window is first activated.
        workspace_.Registry().Activate(*sample_);
        workspace_.Registry().Rename(*sample_, "sample");
        TNoteStave* stave = unit_.Staves().FirstStave();
        note_ = AddNote(*unit_.Root().FirstSinglePart(), stave, 0, 5);
    }

    bool Played(const Sound& sound) {
        played_.push_back(sound.GetValues());
        return true;
    }

    platform::RecordingMessageSink messages_;
    TWorkspace workspace_;
    std::unique_ptr<TUnitWave> sample_;
    TUnitMuz unit_{workspace_.Registry()};
    TMuzNote* note_ = nullptr;
    std::vector<std::int64_t> played_;
    TGeneratedMusicPlayback playback_{workspace_.Registry(),
                                      [this](const Sound& sound) { return Played(sound); }};
};

TEST_F(GeneratedMusicPlaybackTest, AStaveAGroupAndASubtreeAreRenderedAndPlayed) {
    TNoteStave* stave = unit_.Staves().FirstStave();
    EXPECT_TRUE(playback_.PlayStave(unit_, *stave));
    EXPECT_TRUE(playback_.PlayNoteGroup(unit_, *stave->SelectedNoteGroup));
    EXPECT_TRUE(playback_.PlaySubtree(unit_, *unit_.Root().FirstSinglePart()));
    ASSERT_EQ(played_.size(), 3u);
    for (std::int64_t values : played_)
        EXPECT_GT(values, 0);
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(GeneratedMusicPlaybackTest, AMissingSampleWaveIsReportedAndNothingPlays) {
    workspace_.Registry().Remove(*sample_);
    EXPECT_FALSE(playback_.PlayStave(unit_, *unit_.Staves().FirstStave()));
    EXPECT_TRUE(played_.empty());
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text, "Cannot create music: Cannot find window \"sample\".");
    EXPECT_EQ(messages_.Messages()[0].caption, "Error");
}

TEST_F(GeneratedMusicPlaybackTest, MusicWithoutNotesPlaysNothing) {
    TNoteStave* stave = unit_.Staves().FirstStave();
    unit_.Root().FirstSinglePart()->DeleteSymbol(note_);
    EXPECT_FALSE(playback_.PlayStave(unit_, *stave));
    EXPECT_TRUE(played_.empty());
    EXPECT_TRUE(messages_.Messages().empty());
}

}  // namespace
}  // namespace kalvora
