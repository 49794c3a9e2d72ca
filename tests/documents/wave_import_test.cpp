// Import and Export of wave documents over the fake codec, and Open's hint for files that
// Import reads.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "document_test_support.h"
#include "documents/wave_creation.h"
#include "documents/wave_import.h"
#include "documents/workspace.h"
#include "platform/fake_sound_codec.h"
#include "platform/recording_message_sink.h"
#include "sound/sound_import.h"
#include "sound/wave_file.h"
#include "support/scratch_files.h"

namespace kalvora {
namespace {

using namespace kalvora::testing;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

class WaveImportTest : public ::testing::Test {
  protected:
    WaveImportTest() { workspace_.SetSoundCodec(&codec_); }

    void AddFile(const std::string& name, std::vector<float> samples, int channels = 2) {
        platform::FakeSoundFile file;
        file.info.channels = channels;
        file.info.rate = 32000;
        file.info.frames = static_cast<std::int64_t>(samples.size()) / channels;
        file.info.wide = true;
        file.samples = std::move(samples);
        codec_.files[name] = file;
    }

    platform::RecordingMessageSink messages_;
    platform::FakeSoundCodec codec_;
    TWorkspace workspace_;
    ScratchFolder folder_;
};

TEST_F(WaveImportTest, AnImportedFileIsANewDocumentWithoutAFile) {
    AddFile("/music/take two.flac", {0.25f, -0.25f, 0.5f, -0.5f});
    std::unique_ptr<TUnitWave> wave = ImportWave(workspace_, "/music/take two.flac");
    ASSERT_NE(wave, nullptr);
    EXPECT_EQ(wave->Name(), "take two");
    EXPECT_TRUE(wave->HasNoFile());  // Save asks for a WAV name: nothing is overwritten
    EXPECT_TRUE(wave->NeedsSave());
    EXPECT_EQ(wave->GetFreq(), 32000);
    EXPECT_EQ(wave->GetMoSt(), 2);
    EXPECT_EQ(wave->GetBytesPSample(), 2);
    EXPECT_EQ(wave->TheSound().GetValues(), 2);
    EXPECT_TRUE(messages_.Messages().empty());
}

// The file's name is used only while no open document has it.
TEST_F(WaveImportTest, ATakenNameGivesAGeneratedOne) {
    AddFile("a/take.ogg", {0, 0});
    std::unique_ptr<TUnitWave> first = ImportWave(workspace_, "a/take.ogg");
    ASSERT_NE(first, nullptr);
    workspace_.Registry().Activate(*first);
    std::unique_ptr<TUnitWave> second = ImportWave(workspace_, "a/take.ogg");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Name(), "NONAME1");
}

TEST_F(WaveImportTest, ClippedSamplesAreReportedAndFailuresExplained) {
    AddFile("loud.wav", {1.5f, -2.0f, 0.0f}, 1);
    std::unique_ptr<TUnitWave> wave = ImportWave(workspace_, "loud.wav");
    ASSERT_NE(wave, nullptr);
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text, ClippedSamplesText(2));
    EXPECT_EQ(messages_.Messages()[0].caption, kImportCaption);

    messages_.Clear();
    EXPECT_EQ(ImportWave(workspace_, "nothing.mp3"), nullptr);
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text,
              "Cannot import the file: \"nothing.mp3\" File contains data in an unknown format.");
    EXPECT_EQ(messages_.Messages()[0].caption, platform::caption::fileError);
}

// Export writes the work range and leaves the document as it was.
TEST_F(WaveImportTest, ExportWritesTheSelectionAndChangesNothing) {
    TUnitWave wave(workspace_, Stereo({1, 2, 3, 4}, {-1, -2, -3, -4}));
    wave.SetFileName("/home/me/take.wav");
    wave.MarkSaved();
    wave.SetSelection(1, 3);
    ASSERT_TRUE(ExportWave(wave, "out.ogg", {16, 7.5}));
    const platform::FakeEncodedFile& file = codec_.written.at("out.ogg");
    EXPECT_THAT(file.samples, ElementsAre(2, -2, 3, -3));
    EXPECT_EQ(file.settings.quality, 7.5);
    EXPECT_EQ(wave.FileName(), "/home/me/take.wav");
    EXPECT_FALSE(wave.NeedsSaveWave());

    wave.SetCursor(0);  // no selection: the whole wave
    ASSERT_TRUE(ExportWave(wave, "all.wav", {}));
    EXPECT_EQ(codec_.written.at("all.wav").samples.size(), 8u);

    EXPECT_FALSE(ExportWave(wave, "out.mp3", {}));
    ASSERT_FALSE(messages_.Messages().empty());
    EXPECT_EQ(messages_.Messages().back().text, "Cannot export the wave to \"out.mp3\": " +
                                                    std::string(exportText::unknownExtension));
}

// Open reads as before; only its message gains a hint when Import could read the file.
TEST_F(WaveImportTest, OpenHintsAtImportOnlyForFilesImportReads) {
    const std::string odd = folder_.File("odd.wav");
    const std::string junk = folder_.File("junk.wav");
    Put(odd, "RIFF....WAVEfmt \x10\0\0\0\x03\0");  // floating point: Open refuses it
    Put(junk, "not a sound");
    AddFile(odd, {0, 0});
    EXPECT_EQ(OpenWave(workspace_, odd), nullptr);
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text, "Cannot read the file: \"" + odd + "\" " +
                                                std::string(waveFileText::notPcm) + " " +
                                                std::string(kUseImportHint));
    messages_.Clear();
    EXPECT_EQ(OpenWave(workspace_, junk), nullptr);
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text,
              "Cannot read the file: \"" + junk + "\" " + std::string(waveFileText::noRiff));
}

}  // namespace
}  // namespace kalvora
