// Creating, opening, saving and reverting wave documents.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "document_test_support.h"
#include "documents/wave_creation.h"
#include "documents/wave_file_names.h"
#include "documents/workspace.h"
#include "platform/recording_message_sink.h"
#include "sound/sample_memory.h"
#include "sound/wave_file.h"

namespace kalvora {
namespace {

using namespace kalvora::testing;

// A shadow store that records what it was asked and can be told to fail.
class FakeShadowStore final : public WaveShadowStore {
  public:
    bool Write(const TUnitWave&, const std::string& shadowFileName,
               std::string& errorText) override {
        written.push_back(shadowFileName);
        if (failWrite) errorText = "Disk full. ";
        return !failWrite;
    }
    TShadowReadResult Read(TUnitWave&, const std::string& shadowFileName, bool loading,
                           std::unique_ptr<Sound>& replacement, std::string& errorText) override {
        read.push_back(shadowFileName);
        readWhileLoading = loading;
        if (failRead) {
            errorText = "Bad shadow.";
            return TShadowReadResult::failed;
        }
        if (emptyFormat) replacement = MakeEmptySound(*emptyFormat);
        return TShadowReadResult::read;
    }

    std::vector<std::string> written;
    std::vector<std::string> read;
    bool readWhileLoading = false;
    bool failWrite = false;
    bool failRead = false;
    std::optional<waveFileProps> emptyFormat;
};

class WaveFilesTest : public ::testing::Test {
  protected:
    // A stereo wave over the whole sample range, written to name.
    std::string WriteSample(const std::string& name) {
        const std::string file = folder_.File(name);
        auto sound = Stereo(Ramp(2000, -1000), Ramp(2000, 30000));
        ErrorFlag error = 0;
        EXPECT_TRUE(WriteWaveFile(*sound, &error, file, 0, 2000));
        return file;
    }

    platform::RecordingMessageSink messages_;
    ScratchFolder folder_;
    TWorkspace workspace_;
};

TEST_F(WaveFilesTest, OpenEditSaveAndReopenKeepsEverySample) {
    const std::string file = WriteSample("take.wav");
    auto wave = OpenWave(workspace_, file);
    ASSERT_NE(wave, nullptr);
    EXPECT_EQ(wave->Name(), "");
    EXPECT_EQ(wave->FileName(), file);
    EXPECT_EQ(wave->Caption(), file);
    EXPECT_FALSE(wave->NeedsSave());
    EXPECT_TRUE(wave->TrackChanges());

    wave->SetSelection(100, 1100);
    ASSERT_TRUE(wave->Cut());
    wave->SetCursor(0);
    ASSERT_TRUE(wave->Paste());
    EXPECT_EQ(wave->StatusText(), "Changed");
    ASSERT_TRUE(wave->SaveFile());
    EXPECT_FALSE(wave->NeedsSave());

    auto reopened = OpenWave(workspace_, file);
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(LeftSamples(reopened->TheSound()), LeftSamples(wave->TheSound()));
    EXPECT_EQ(RightSamples(reopened->TheSound()), RightSamples(wave->TheSound()));
    EXPECT_EQ(reopened->GetValues(), 2000);
    EXPECT_EQ(reopened->TheSound().GetLeftWave().wave[0], 100 - 1000);
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(WaveFilesTest, SaveAsNamesTheDocumentAndKeepsTheWaveExtension) {
    TUnitWave wave(workspace_, Mono(Ramp(10), 8000, 1));
    ASSERT_TRUE(wave.SaveFileAs(folder_.File("copy.kvw")));
    EXPECT_EQ(wave.FileName(), folder_.File("copy.kvw.wav"));
    EXPECT_TRUE(std::filesystem::exists(folder_.File("copy.kvw.wav")));
    EXPECT_FALSE(std::filesystem::exists(folder_.File("copy.kvw")));
    EXPECT_FALSE(wave.NeedsSave());
}

TEST(WaveFileNamesTest, TheShadowFileIsNeverTheWaveFile) {
    struct Case {
        std::string given, saved, shadow;
    };
    for (const Case& c : {Case{"/a/take.wav", "/a/take.wav", "/a/take.kvw"},
                          Case{"/a/take.WAV", "/a/take.WAV", "/a/take.kvw"},
                          Case{"/a/take.kvw", "/a/take.kvw.wav", "/a/take.kvw.kvw"},
                          Case{"/a/take", "/a/take.wav", "/a/take.kvw"}}) {
        EXPECT_EQ(WithWaveExtension(c.given), c.saved);
        EXPECT_EQ(ShadowFileNameOf(c.saved), c.shadow);
    }
    EXPECT_EQ(ShadowFileNameOf("/a/odd.kvw"), "/a/odd.kvw.kvw");
}

TEST_F(WaveFilesTest, AFailedWriteMarksNothingSavedAndKeepsTheFileName) {
    TUnitWave wave(workspace_, Mono(Ramp(10)));
    const std::string unreachable = folder_.File("missing/folder/x.wav");
    EXPECT_FALSE(wave.SaveFileAs(unreachable));
    EXPECT_TRUE(wave.HasNoFile());
    EXPECT_TRUE(wave.NeedsSave());
    ASSERT_FALSE(messages_.Messages().empty());
    EXPECT_EQ(messages_.Messages().back().caption, "FileError");

    wave.SetFileName(unreachable);
    wave.MarkChanged();
    EXPECT_FALSE(wave.SaveFile());
    EXPECT_TRUE(wave.SoundChanged());
}

TEST_F(WaveFilesTest, SavingWorksAfterAnOutOfMemoryFailure) {
    TUnitWave wave(workspace_, Mono(Ramp(10)));
    wave.SetSelection(2, 5);
    {
        SampleAllocationLimit noMemory(0);
        EXPECT_FALSE(wave.Delete());
    }
    ASSERT_TRUE(wave.SaveFileAs(folder_.File("after.wav")));
    std::unique_ptr<Sound> read;
    std::string error;
    ASSERT_TRUE(ReadWaveFile(folder_.File("after.wav"), read, error));
    EXPECT_EQ(LeftSamples(*read), Ramp(10));
}

TEST_F(WaveFilesTest, AnEmptyWaveWritesNoWaveFile) {
    TUnitWave wave(workspace_, Mono({}));
    wave.SetFileName(folder_.File("empty.wav"));
    EXPECT_TRUE(wave.ExportForProject(folder_.File("empty.wav")));
    EXPECT_FALSE(std::filesystem::exists(folder_.File("empty.wav")));
}

TEST_F(WaveFilesTest, AReadThatRunsOutOfMemoryIsReportedOnce) {
    TUnitWave source(workspace_, Mono(Ramp(10)));
    ASSERT_TRUE(source.SaveFileAs(folder_.File("ramp.wav")));
    {
        SampleAllocationLimit noMemory(5);
        EXPECT_EQ(OpenWave(workspace_, folder_.File("ramp.wav")), nullptr);
    }
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text,
              "Cannot read the file: \"" + folder_.File("ramp.wav") +
                  "\" There is not enough memmory for this operation.");
    EXPECT_EQ(messages_.Messages()[0].caption, "File Error");
}

TEST_F(WaveFilesTest, AFailedReadOpensNothing) {
    const std::string file = folder_.File("absent.wav");
    EXPECT_EQ(OpenWave(workspace_, file), nullptr);
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text,
              "Cannot read the file: \"" + file + "\" Cannot open File.");
    EXPECT_EQ(messages_.Messages()[0].caption, "File Error");
}

TEST_F(WaveFilesTest, OpeningFromAProjectCopyMarksTheDocumentChanged) {
    const std::string own = WriteSample("own.wav");
    const std::string copy = folder_.File("copy.wav");
    {
        auto sound = Mono({1, 2, 3});
        ErrorFlag error = 0;
        ASSERT_TRUE(WriteWaveFile(*sound, &error, copy, 0, 3));
    }
    auto wave = OpenWave(workspace_, own, copy, true);
    ASSERT_NE(wave, nullptr);
    EXPECT_EQ(LeftSamples(wave->TheSound()), (Samples{1, 2, 3}));
    EXPECT_EQ(wave->FileName(), own);
    EXPECT_TRUE(wave->SoundChanged());
    EXPECT_FALSE(wave->TrackChanges());  // the project switches it on when it is done

    // Without the copy the own file is read, still marked changed.
    auto fromOwn = OpenWave(workspace_, own, folder_.File("gone.wav"));
    ASSERT_NE(fromOwn, nullptr);
    EXPECT_EQ(fromOwn->GetValues(), 2000);
    EXPECT_TRUE(fromOwn->SoundChanged());

    // Neither exists: an empty stereo wave at 44100 Hz, 16 bits.
    auto none = OpenWave(workspace_, folder_.File("x.wav"), folder_.File("y.wav"));
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(none->GetWaveFileProps(), (waveFileProps{44100, 2, 2}));
    EXPECT_EQ(none->GetValues(), 0);
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(WaveFilesTest, RevertReadsTheFileAgain) {
    const std::string file = WriteSample("r.wav");
    auto wave = OpenWave(workspace_, file);
    wave->SetSelection(0, 1500);
    ASSERT_TRUE(wave->Delete());
    ASSERT_TRUE(wave->Revert());
    EXPECT_EQ(LeftSamples(wave->TheSound()), Ramp(2000, -1000));
    EXPECT_FALSE(wave->NeedsSave());

    ASSERT_TRUE(wave->Delete());
    std::filesystem::remove(file);
    EXPECT_FALSE(wave->Revert());
    EXPECT_EQ(wave->GetValues(), 0);  // kept
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text,
              "Cannot revert the file: \"" + file + "\" Cannot open File.");
    EXPECT_EQ(messages_.Messages()[0].caption, "File Error");
}

TEST_F(WaveFilesTest, ProjectCopiesMarkNothingSavedAndKeepTheFileName) {
    const std::string file = WriteSample("p.wav");
    auto wave = OpenWave(workspace_, file);
    wave->SetCursor(5);  // only the shadow changed
    const std::string copy = folder_.File("newProjectWindowFile0.wav");
    ASSERT_TRUE(wave->SaveForProject(copy));
    EXPECT_FALSE(std::filesystem::exists(copy));  // the samples are in the own file

    wave->MarkChanged();
    ASSERT_TRUE(wave->SaveForProject(copy));
    EXPECT_TRUE(std::filesystem::exists(copy));
    EXPECT_TRUE(wave->SoundChanged());

    const std::string exported = folder_.File("export0.wav");
    ASSERT_TRUE(wave->ExportForProject(exported));
    EXPECT_TRUE(std::filesystem::exists(exported));
    EXPECT_EQ(wave->FileName(), file);
    EXPECT_TRUE(wave->NeedsSave());
}

TEST_F(WaveFilesTest, TheShadowFileIsWrittenAndReadBesideTheWave) {
    FakeShadowStore shadow;
    workspace_.SetShadowStore(&shadow);
    const std::string file = WriteSample("s.wav");
    auto wave = OpenWave(workspace_, file);
    EXPECT_EQ(shadow.read, (std::vector<std::string>{folder_.File("s.kvw")}));

    wave->SetCursor(3);
    ASSERT_TRUE(wave->SaveFile());
    EXPECT_EQ(shadow.written, (std::vector<std::string>{folder_.File("s.kvw")}));
    EXPECT_FALSE(std::filesystem::exists(folder_.File("s.kvw")));  // the fake writes nothing

    // A project copy's own shadow wins when it exists.
    const std::string copy = folder_.File("c.wav");
    std::filesystem::copy_file(file, copy);
    std::ofstream(folder_.File("c.kvw")) << "x";
    auto fromCopy = OpenWave(workspace_, file, copy, true);
    EXPECT_EQ(shadow.read.back(), folder_.File("c.kvw"));
    EXPECT_TRUE(shadow.readWhileLoading);
    EXPECT_TRUE(fromCopy->ShadowChanged());
    workspace_.SetShadowStore(nullptr);
}

TEST_F(WaveFilesTest, AShadowFailureIsReportedAndTheWaveCountsAsSaved) {
    FakeShadowStore shadow;
    shadow.failWrite = true;
    workspace_.SetShadowStore(&shadow);
    TUnitWave wave(workspace_, Mono(Ramp(4)));
    EXPECT_FALSE(wave.SaveFileAs(folder_.File("f.wav")));
    EXPECT_EQ(wave.FileName(), folder_.File("f.wav"));
    EXPECT_FALSE(wave.SoundChanged());
    EXPECT_TRUE(wave.NeedsSaveShadow());
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text,
              "Cannot save Wave Shadow File: Disk full. The Wave is saved correctly.");
    EXPECT_EQ(messages_.Messages()[0].caption, "FileError");

    shadow.failWrite = false;
    shadow.failRead = true;
    auto opened = OpenWave(workspace_, folder_.File("f.wav"));
    ASSERT_NE(opened, nullptr);  // opened without the shadow's state
    EXPECT_EQ(messages_.Messages().back().text,
              "Cannot read the file: \"" + folder_.File("f.kvw") + "\" Bad shadow.");
    workspace_.SetShadowStore(nullptr);
}

TEST_F(WaveFilesTest, AShadowDescribingAnEmptyWaveReplacesTheSound) {
    FakeShadowStore shadow;
    shadow.emptyFormat = waveFileProps{11025, 1, 1};
    workspace_.SetShadowStore(&shadow);
    auto wave = OpenWave(workspace_, folder_.File("e.wav"), folder_.File("e0.wav"));
    ASSERT_NE(wave, nullptr);
    EXPECT_EQ(wave->GetWaveFileProps(), (waveFileProps{11025, 1, 1}));
    workspace_.SetShadowStore(nullptr);
}

TEST_F(WaveFilesTest, NewAndDuplicateMakeNamedDocumentsWithoutFile) {
    auto created = NewWave(workspace_, {22050, 1, 1});
    EXPECT_EQ(created->Name(), "NONAME1");
    EXPECT_TRUE(created->HasNoFile());
    EXPECT_EQ(created->GetWaveFileProps(), (waveFileProps{22050, 1, 1}));
    EXPECT_EQ(created->GetValues(), 0);
    workspace_.Registry().Activate(*created);

    TUnitWave source(workspace_, Stereo(Ramp(10), Ramp(10, 5), 8000, 1));
    source.SetSelection(2, 6);
    auto duplicate = DuplicateWave(source);
    ASSERT_NE(duplicate, nullptr);
    EXPECT_EQ(duplicate->Name(), "NONAME2");
    EXPECT_EQ(LeftSamples(duplicate->TheSound()), (Samples{2, 3, 4, 5}));
    EXPECT_EQ(RightSamples(duplicate->TheSound()), (Samples{7, 8, 9, 10}));
    EXPECT_EQ(duplicate->GetWaveFileProps(), (waveFileProps{8000, 2, 1}));
    EXPECT_EQ(source.GetValues(), 10);

    source.SetCursor(3);  // with a cursor: the whole wave
    EXPECT_EQ(DuplicateWave(source)->GetValues(), 10);
}

}  // namespace
}  // namespace kalvora
