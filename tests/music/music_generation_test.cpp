#include "music/music_generation.h"

#include <gtest/gtest.h>

#include "music/stave_time_symbol.h"
#include "music_document_fakes.h"
#include "music_fixture.h"
#include "platform/recording_message_sink.h"
#include "synthesis_fixture.h"

namespace kalvora {
namespace {

using test::AddNote;
using test::FirstPlayerOf;
using test::MonoSample;
using test::MusicDocument;
using test::PlayerProps;
using test::Ramp;

constexpr double kA4 = 1.0 / 440.0;
constexpr int kA4Height = 5;

struct Generation : MusicDocument {
    TNamedSampleWaves waves;
    ErrorFlag error = 0;
    std::string errorText;

    Generation() {
        waves.Add("sample", MonoSample(Ramp(200, 100), 22050));
        FirstPlayerOf(Stave()) = PlayerProps(notePlayerSimpleSampler, "sample", kA4);
    }
    std::unique_ptr<Sound> Render(const TGenerationRequest& request = {}) {
        return RenderMusic(unit, waves, request, &error, errorText);
    }
};

TEST(MusicGenerationTest, ANoteAtTheSamplesPitchPlaysItUnchangedAtItsTime) {
    Generation g;
    AddNote(g.Part(), g.Stave(), 0.25, kA4Height);
    const auto sound = g.Render();
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->MoSt, 1);
    EXPECT_EQ(sound->Freq, 22050);
    ASSERT_EQ(sound->GetValues(), 5512 + 200 + 1);
    const Wave& wave = sound->GetLeftWave();
    EXPECT_EQ(wave.wave[5511], 0);
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(wave.wave[5512 + i], 100 + 10 * i) << i;
}

TEST(MusicGenerationTest, ADocumentWithoutNotesGivesAnEmptySoundOfItsFormat) {
    Generation g;
    g.unit.SetWaveFileProps({11025, 2, 1});
    const auto sound = g.Render();
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->GetValues(), 0);
    EXPECT_EQ(sound->GetWaveFileProps(), (waveFileProps{11025, 2, 1}));
}

TEST(MusicGenerationTest, AStereoDocumentGivesStereoAtItsRate) {
    Generation g;
    g.unit.SetWaveFileProps({44100, 2, 2});
    AddNote(g.Part(), g.Stave(), 0, kA4Height);
    const auto sound = g.Render();
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->GetWaveFileProps(), (waveFileProps{44100, 2, 2}));
    // The 22050 Hz sample lasts twice as many samples at the document's rate.
    EXPECT_EQ(sound->GetValues(), 2 * 200 + 1);
    EXPECT_EQ(sound->GetRightWave().wave[2], 110);
}

TEST(MusicGenerationTest, AMutedStaveIsSilentUnlessItIsPlayedAlone) {
    Generation g;
    AddNote(g.Part(), g.Stave(), 0, kA4Height);
    g.Stave()->Mute = 1;
    EXPECT_EQ(g.Render()->GetValues(), 0);

    TGenerationRequest stave;
    stave.Filter.Stave = g.Stave();
    EXPECT_EQ(g.Render(stave)->GetValues(), 201);

    TGenerationRequest group;
    group.Filter.Group = g.Stave()->SelectedNoteGroup;
    EXPECT_EQ(g.Render(group)->GetValues(), 201);
}

TEST(MusicGenerationTest, TheFiltersLeaveOutOtherStavesAndGroups) {
    Generation g;
    TNoteStave* second = g.AddStave();
    FirstPlayerOf(second) = PlayerProps(notePlayerSimpleSampler, "sample", kA4);
    AddNote(g.Part(), g.Stave(), 0, kA4Height);
    AddNote(g.Part(), second, 0.5, kA4Height);
    EXPECT_EQ(g.Render()->GetValues(), 11025 + 201);
    TGenerationRequest first;
    first.Filter.Stave = g.Stave();
    EXPECT_EQ(g.Render(first)->GetValues(), 201);
}

TEST(MusicGenerationTest, TripletMembersAtTempoTwoStartASixthOfASecondApart) {
    Generation g;
    g.unit.Tempo.SetValue(2.0);
    // A click at the note's own pitch marks where each member starts.
    std::vector<std::int16_t> click(10, 0);
    click[0] = 1000;
    g.waves.Add("click", MonoSample(click, 22050));
    FirstPlayerOf(g.Stave()) = PlayerProps(notePlayerSimpleSampler, "click", kA4);
    for (int i = 0; i < 3; ++i)
        AddNote(g.Part(), g.Stave(), 0.5, kA4Height, TTiming{4, 0, triool, i});
    const auto sound = g.Render();
    ASSERT_NE(sound, nullptr);
    const Wave& wave = sound->GetLeftWave();
    for (int start : {22050, 22050 + 3675, 22050 + 7350})
        EXPECT_EQ(wave.wave[start], 1000) << start;

    // Each member sounds a sixth of a second: a roll-out wave form fills exactly that.
    FirstPlayerOf(g.Stave()) = PlayerProps(notePlayerRollOutWaveForm, "click");
    TMusicExtent extent;
    ASSERT_TRUE(MeasureMusic(g.unit, g.waves, {}, extent, g.errorText));
    EXPECT_DOUBLE_EQ(extent.Lead, 0);
    EXPECT_NEAR(extent.Tail, 1.0 + 1.0 / 3 + 1.0 / 6, 1e-12);
}

TEST(MusicGenerationTest, AnAttackBeforeTheFirstNoteMovesTheMusicLater) {
    Generation g;
    g.waves.Add("attack", MonoSample(Ramp(300, 7), 1000), 100, 200);
    FirstPlayerOf(g.Stave()) = PlayerProps(notePlayerRollOutSampler, "attack", kA4);
    AddNote(g.Part(), g.Stave(), 0, kA4Height);
    TMusicExtent extent;
    ASSERT_TRUE(MeasureMusic(g.unit, g.waves, {}, extent, g.errorText));
    EXPECT_DOUBLE_EQ(extent.Lead, 0.1);
    const auto sound = g.Render();
    ASSERT_NE(sound, nullptr);
    // The attack fills the lead: the sample's first value is the result's first.
    EXPECT_EQ(sound->GetLeftWave().wave[0], 7);
}

TEST(MusicGenerationTest, AMissingSampleWaveStopsGenerationWithItsName) {
    Generation g;
    FirstPlayerOf(g.Stave()).SimpleSamplerProps.SampleWave.ReadText("flute");
    AddNote(g.Part(), g.Stave(), 0, kA4Height);
    EXPECT_EQ(g.Render(), nullptr);
    EXPECT_EQ(g.errorText, "Cannot find window \"flute\".");

    platform::RecordingMessageSink messages;
    EXPECT_EQ(GenerateWave(g.unit, g.waves, {}, &g.error), nullptr);
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].text, "Cannot create music: Cannot find window \"flute\".");
    EXPECT_EQ(messages.Messages()[0].caption, "Error");
}

TEST(MusicGenerationTest, ATargetTooLongForAWaveIsReportedAsExhaustedMemory) {
    Generation g;
    g.unit.Tempo.SetValue(1e9);
    FirstPlayerOf(g.Stave()) = PlayerProps(notePlayerRollOutWaveForm, "sample");
    AddNote(g.Part(), g.Stave(), 0, kA4Height);
    platform::RecordingMessageSink messages;
    EXPECT_EQ(GenerateWave(g.unit, g.waves, {}, &g.error), nullptr);
    EXPECT_NE(g.error, 0);
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].caption, "System Error");
}

TEST(MusicGenerationTest, ProgressRunsUpToTheTotal) {
    Generation g;
    AddNote(g.Part(), g.Stave(), 0, kA4Height);
    AddNote(g.Part(), g.Stave(), 0.5, kA4Height);
    std::vector<double> done;
    TGenerationRequest request;
    request.Progress = [&](double seconds, double total) {
        done.push_back(seconds);
        EXPECT_GE(total, seconds);
    };
    ASSERT_NE(g.Render(request), nullptr);
    EXPECT_EQ(done, (std::vector<double>{0, 0.5}));
}

TEST(MusicNoteSoundTest, TheNoteSoundsWithItsPlayersVolume) {
    Generation g;
    FirstPlayerOf(g.Stave()).VolumeFactor.SetValue(0.5);
    TMuzNote* note = AddNote(g.Part(), g.Stave(), 0, kA4Height);
    const auto sound =
        MakeNoteSound(*note, 1.0, g.waves, g.unit.GetWaveFileProps(), &g.error, g.errorText);
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->GetValues(), 200);
    EXPECT_EQ(sound->GetLeftWave().wave[10], 100);  // 200 at half volume

    FirstPlayerOf(g.Stave()).SimpleSamplerProps.SampleWave.ReadText("gone");
    EXPECT_EQ(MakeNoteSound(*note, 1.0, g.waves, g.unit.GetWaveFileProps(), &g.error, g.errorText),
              nullptr);
    EXPECT_EQ(g.errorText, "Cannot find window \"gone\".");
}

}  // namespace
}  // namespace kalvora
