// kalvora-cli render: music files into waves, with their sample waves found by name.
#include <gtest/gtest.h>

#include <fstream>

#include "cli/cli_fixture.h"
#include "documents/document_registry.h"
#include "documents/wave_creation.h"
#include "documents/workspace.h"
#include "music/compound_player.h"
#include "music/music_file.h"
#include "music/stave_time_symbol.h"
#include "music/unit_muz.h"
#include "shell/wave_shadow_file.h"

namespace kalvora::cli {
namespace {

class RenderVerbTest : public CliFolderTest {
  protected:
    // A 0.2 s ramp at 22050 Hz, mono, at the music's pitch A (440 Hz).
    void WriteSample(const std::string& name, std::int32_t rate = 22050) {
        ErrorFlag error = 0;
        Wave wave(&error, 4410);
        for (int i = 0; i < wave.values; ++i)
            wave.wave[i] = static_cast<std::int16_t>(i);
        const MonoSound sound(std::move(wave), rate, 2);
        ASSERT_TRUE(WriteWaveFile(sound, &error, Path(name), 0, sound.GetValues()));
    }

    // A music file as the program saves it: one note A at position 0.5 of the first stave,
    // whose simple sampler plays the wave `sample` at its own pitch and full volume.
    std::string WriteMusic(const std::string& name, const std::string& sample = "sample",
                           TNotePlayerKind kind = notePlayerSimpleSampler) {
        TUnitRegistry registry;
        TUnitMuz music(registry);
        TNoteStave* stave = music.Staves().FirstStave();
        TOnePlayerProps& props =
            stave->SelectedNoteGroup->GetCompoundPlayer().GetStartOnePlayer()->OnePlayerProps;
        props.NotePlayerKind = kind;
        props.VolumeFactor.SetValue(1.0);
        props.SimpleSamplerProps.SampleWave.ReadText(sample);
        props.SimpleSamplerProps.BasicFreq.SetValue(1.0 / 440);
        props.RollOutSamplerProps.SampleWave.ReadText(sample);
        props.RollOutSamplerProps.BasicFreq.SetValue(1.0 / 440);
        TSinglePartMuz& part = *music.Root().FirstSinglePart();
        std::unique_ptr<TStaveSymbol> note = std::make_unique<TMuzNote>(
            stave, stave->SelectedNoteGroup, &music, &part, 0.5, TTiming{}, 5);
        part.InsertSymbol(note);
        EXPECT_TRUE(SaveMusicFile(music, Path(name)));
        return Path(name);
    }
};

TEST_F(RenderVerbTest, RendersASavedMusicWithTheSampleBesideIt) {
    WriteSample("sample.wav");
    const std::string music = WriteMusic("song.kvm");
    ASSERT_EQ(Run({"render", music, Path("song.wav")}), exitSuccess) << err.str();
    EXPECT_EQ(err.str(), "");
    const auto sound = Read("song.wav");
    ASSERT_NE(sound, nullptr);
    // A new music's format; the note sounds the sample unchanged from 0.5 s on.
    EXPECT_EQ(sound->GetWaveFileProps(), (waveFileProps{22050, 1, 2}));
    // It runs to the sample's end (0.5 + 0.2 s, less a rounding of the sum, plus one).
    ASSERT_GE(sound->GetValues(), 11025 + 4410);
    ASSERT_LE(sound->GetValues(), 11025 + 4410 + 1);
    EXPECT_EQ(sound->GetLeftWave().wave[11025 + 100], 100);
    EXPECT_EQ(sound->GetLeftWave().wave[11025 + 4409], 4409);
    EXPECT_EQ(sound->GetLeftWave().wave[11024], 0);
}

TEST_F(RenderVerbTest, TheFormatOptionsChooseTheWavesFormat) {
    WriteSample("sample.wav");
    const std::string music = WriteMusic("song.kvm");
    ASSERT_EQ(Run({"render", music, Path("song.wav"), "--rate", "44100", "--channels", "2",
                   "--bits", "8"}),
              exitSuccess)
        << err.str();
    EXPECT_EQ(Read("song.wav")->GetWaveFileProps(), (waveFileProps{44100, 2, 1}));
}

TEST_F(RenderVerbTest, WaveOptionsGiveTheSampleFilesByName) {
    WriteSample("flute take 3.wav");
    WriteSample("sample.wav", 11025);  // beside the music, but --wave comes first
    const std::string music = WriteMusic("song.kvm");
    ASSERT_EQ(
        Run({"render", music, Path("song.wav"), "--wave", "sample=" + Path("flute take 3.wav")}),
        exitSuccess)
        << err.str();
    // The 22050 Hz take: the one beside the music at 11025 Hz would last twice as long.
    EXPECT_LE(Read("song.wav")->GetValues(), 11025 + 4410 + 1);
}

TEST_F(RenderVerbTest, TheSampleWavesSelectionIsItsMiddlePiece) {
    WriteSample("sample.wav");
    {
        // The program saved the sample with 0.05 .. 0.1 s selected.
        TWorkspace workspace;
        const auto document = OpenWave(workspace, Path("sample.wav"));
        ASSERT_NE(document, nullptr);
        document->SetSelection(1102, 2205);
        std::string errorText;
        ASSERT_TRUE(WriteShadow(*document, Path("sample.kvw"), errorText)) << errorText;
    }
    const std::string music = WriteMusic("song.kvm", "sample", notePlayerRollOutSampler);
    ASSERT_EQ(Run({"render", music, Path("song.wav")}), exitSuccess) << err.str();
    // The attack of 1102 samples comes before the note's 0.5 s; a quarter note at tempo 1
    // repeats the 1103-sample piece round(0.25 / 0.05) = 5 times, then the tail follows.
    const auto sound = Read("song.wav");
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->GetValues(), 11025 + (4410 - 1102) + 4 * 1103 + 1);
    EXPECT_EQ(sound->GetLeftWave().wave[11025 - 1102], 0);
    EXPECT_EQ(sound->GetLeftWave().wave[11025 + 1103], 1102);  // the piece again
}

TEST_F(RenderVerbTest, AHandWrittenOldFileRenders) {
    WriteSample("saw.wav");
    const std::string old = Path("old.kvm");
    std::ofstream(old) << "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                          "<!DOCTYPE UnitMuz SYSTEM \"UnitMuz.dtd\">\n\n"
                          "<UnitMuz><Version>7.0</Version><Tempo>2 s</Tempo>"
                          "<Bar><Count>3</Count><Length>4</Length></Bar>"
                          "<Stave><RoomUp>80</RoomUp><RoomDown>90</RoomDown>"
                          "<ForegroundColor>000000</ForegroundColor>"
                          "<BackgroundColor>FFFFFF</BackgroundColor>"
                          "<Key><Position>0</Position><KeyKind>G</KeyKind></Key>"
                          "<NoteGroup><NoteColor>0000FF</NoteColor><NoteShapeNormal />"
                          "<CompoundPlayer><RollOutWaveForm><SampleWave>saw</SampleWave>"
                          "<VolumeFactor>0.5</VolumeFactor></RollOutWaveForm></CompoundPlayer>"
                          "<Note><Position>0.5</Position><Length>8</Length><Height>2</Height>"
                          "</Note></NoteGroup></Stave></UnitMuz>\n";
    ASSERT_EQ(Run({"render", old, Path("old.wav")}), exitSuccess) << err.str();
    // An eighth at 2 s per whole note from 1 s on: whole cycles filling 0.25 s.
    const auto sound = Read("old.wav");
    ASSERT_NE(sound, nullptr);
    EXPECT_GT(sound->GetValues(), 22050 * 1.2);
    EXPECT_LE(sound->GetValues(), 22050 * 1.25 + 1);
}

TEST_F(RenderVerbTest, AMissingSampleWaveIsNamedAndNothingIsWritten) {
    const std::string music = WriteMusic("song.kvm", "violin");
    EXPECT_EQ(Run({"render", music, Path("song.wav")}), exitFileError);
    EXPECT_NE(err.str().find("Cannot create music: Cannot find window \"violin\"."),
              std::string::npos)
        << err.str();
    EXPECT_NE(err.str().find("--wave violin=FILE.wav"), std::string::npos) << err.str();
    EXPECT_FALSE(std::filesystem::exists(Path("song.wav")));
}

TEST_F(RenderVerbTest, AnUnreadableSampleWaveStopsWithTheReadersMessage) {
    std::ofstream(Path("sample.wav")) << "not a wave";
    const std::string music = WriteMusic("song.kvm");
    EXPECT_EQ(Run({"render", music, Path("song.wav")}), exitFileError);
    EXPECT_NE(err.str().find("sample.wav"), std::string::npos) << err.str();
    EXPECT_FALSE(std::filesystem::exists(Path("song.wav")));
}

TEST_F(RenderVerbTest, BadWordsAreUsageErrors) {
    WriteSample("sample.wav");
    const std::string music = WriteMusic("song.kvm");
    const std::string out = Path("song.wav");
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const std::vector<Case> cases{
        {{"render", music}, "usage: kalvora-cli render"},
        {{"render", music, out, "--wave", "sample"}, "In --wave: Use NAME=FILE.wav"},
        {{"render", music, out, "--wave"}, "In --wave: Use NAME=FILE.wav"},
        {{"render", music, out, "--rate", "0"}, "In --rate: "},
        {{"render", music, out, "--channels", "3"}, "In --channels: "},
        {{"render", music, out, "--bits", "24"}, "In --bits: "},
        {{"render", music, out, "--size", "3"}, "Unknown option --size for render."},
        {{"render", music, music}, "cannot replace the music file"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Run(c.args), exitUsageError) << c.message;
        EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(RenderVerbTest, AnUnreadableMusicFileIsAFileError) {
    std::ofstream(Path("song.kvm")) << "<UnitMuz>";
    EXPECT_EQ(Run({"render", Path("song.kvm"), Path("song.wav")}), exitFileError);
    EXPECT_EQ(err.str().rfind(Path("song.kvm") + ": Cannot read the file: ", 0), 0u) << err.str();
}

}  // namespace
}  // namespace kalvora::cli
