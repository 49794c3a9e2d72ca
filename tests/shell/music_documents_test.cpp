#include "shell/music_documents.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "documents/wave_creation.h"
#include "documents/workspace.h"
#include "music/music_file.h"
#include "music/note_stave.h"
#include "music/one_player.h"
#include "platform/recording_message_sink.h"

namespace kalvora {
namespace {

namespace fs = std::filesystem;

class MusicDocumentsTest : public ::testing::Test {
  protected:
    MusicDocumentsTest() {
        folder_ = fs::temp_directory_path() /
                  ("kalvora_music_documents_" +
                   std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_);
    }
    ~MusicDocumentsTest() override { fs::remove_all(folder_); }

    void Touch(const std::string& name) { std::ofstream(folder_ / name) << "RIFF"; }
    // Makes the player of the first stave play the wave `name`.
    static void PlayWave(TUnitMuz& music, const std::string& name) {
        TOnePlayer* player = music.Staves()
                                 .FirstStave()
                                 ->GetStartNoteGroup()
                                 ->GetCompoundPlayer()
                                 .GetStartOnePlayer();
        ASSERT_TRUE(player->OnePlayerProps.ActiveSampleWave()->ReadText(name));
    }

    platform::RecordingMessageSink messages_;
    TWorkspace workspace_;
    fs::path folder_;
};

TEST_F(MusicDocumentsTest, SampleWavesBesideTheFileAreFoundByName) {
    std::unique_ptr<TUnitMuz> music = NewMusic(workspace_.Registry());
    EXPECT_EQ(music->Name(), "NONAME1");
    EXPECT_FALSE(music->NeedsSave());
    const fs::path file = folder_ / "song.kvm";
    EXPECT_TRUE(SampleWavesBeside(*music, workspace_.Registry(), file).empty());
    Touch("sample.wav");
    std::vector<TSampleWaveFile> found = SampleWavesBeside(*music, workspace_.Registry(), file);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].Name, "sample");
    EXPECT_EQ(found[0].File, folder_ / "sample.wav");
    // A name that would lead out of the folder names no file beside the music.
    PlayWave(*music, "../sample");
    EXPECT_TRUE(
        SampleWavesBeside(*music, workspace_.Registry(), folder_ / "sub" / "song.kvm").empty());
}

TEST_F(MusicDocumentsTest, AnOpenWaveOfTheNameNeedsNoFile) {
    std::unique_ptr<TUnitMuz> music = NewMusic(workspace_.Registry());
    Touch("sample.wav");
    std::unique_ptr<TUnitWave> wave = NewWave(workspace_, {22050, 1, 2});
    wave->SetName("sample");
    workspace_.Registry().Activate(*wave);
    EXPECT_TRUE(SampleWavesBeside(*music, workspace_.Registry(), folder_ / "song.kvm").empty());
}

TEST_F(MusicDocumentsTest, DuplicateAndRevertKeepWhatTheFileDoesNotHold) {
    std::unique_ptr<TUnitMuz> music = NewMusic(workspace_.Registry());
    music->Freq = 44100;
    music->SetModeSel();
    const std::string file = (folder_ / "song.kvm").string();
    ASSERT_TRUE(SaveMusicFile(*music, file));
    music->SetFileName(file);

    std::unique_ptr<TUnitMuz> copy = DuplicateMusic(*music, workspace_.Registry());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Name(), "NONAME2");
    EXPECT_TRUE(copy->HasNoFile());
    EXPECT_EQ(copy->Freq, 44100);
    EXPECT_EQ(copy->UnitMuzMode, unitMuzSel);

    std::unique_ptr<TUnitMuz> reverted = RevertMusic(*music, workspace_.Registry());
    ASSERT_NE(reverted, nullptr);
    EXPECT_EQ(reverted->Name(), "NONAME1");
    EXPECT_EQ(reverted->FileName(), file);
    EXPECT_EQ(reverted->Freq, 44100);
    EXPECT_FALSE(reverted->NeedsSave());

    fs::remove(file);
    EXPECT_EQ(RevertMusic(*music, workspace_.Registry()), nullptr);
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].caption, "File Error");
    EXPECT_EQ(messages_.Messages()[0].text.rfind("Cannot revert the file: \"" + file + "\"", 0),
              0u);
}

}  // namespace
}  // namespace kalvora
