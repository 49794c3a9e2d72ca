#include "documents/document_registry.h"

#include <gtest/gtest.h>

#include "document_test_support.h"
#include "documents/unit_unit_wave.h"
#include "documents/wave_creation.h"
#include "documents/workspace.h"
#include "platform/recording_message_sink.h"

namespace kalvora {
namespace {

using namespace kalvora::testing;

class RegistryTest : public ::testing::Test {
  protected:
    // A registered wave named name, mono or stereo, activated in creation order.
    TUnitWave& AddWave(const std::string& name, bool mono = false) {
        waves_.push_back(
            std::make_unique<TUnitWave>(workspace_, mono ? Mono({1, 2}) : Stereo({1, 2}, {3, 4})));
        waves_.back()->SetName(name);
        registry().Activate(*waves_.back());
        return *waves_.back();
    }
    TUnitRegistry& registry() { return workspace_.Registry(); }

    platform::RecordingMessageSink messages_;
    TWorkspace workspace_;
    std::vector<std::unique_ptr<TUnitWave>> waves_;
};

TEST_F(RegistryTest, NamesAreExactAndCaseMattersAndEmptyNamesNeverClash) {
    TUnitWave& upper = AddWave("Bass");
    TUnitWave& nameless1 = AddWave("");
    AddWave("");
    EXPECT_EQ(registry().FindUnit("Bass"), &upper);
    EXPECT_EQ(registry().FindUnit("bass"), nullptr);
    EXPECT_TRUE(registry().CheckNameFree("bass", &nameless1));
    EXPECT_TRUE(registry().CheckNameFree("", &nameless1));
    EXPECT_TRUE(registry().CheckNameFree("Bass", &upper));  // its own name
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(RegistryTest, TakenNameIsReportedAndLeavesTheNameUnchanged) {
    AddWave("A");
    TUnitWave& other = AddWave("B");
    EXPECT_FALSE(registry().Rename(other, "A"));
    EXPECT_EQ(other.Name(), "B");
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text, "A window with name \"A\" already exists.");
    EXPECT_EQ(messages_.Messages()[0].caption, "Error");
    EXPECT_EQ(messages_.Messages()[0].icon, platform::MessageIcon::information);
}

TEST_F(RegistryTest, NameBoxTrimsBlanksWhileRegisterUsesTheTextAsTyped) {
    TUnitWave& wave = AddWave("old");
    EXPECT_TRUE(registry().RenameActiveFromNameBox("  Lead \t"));
    EXPECT_EQ(wave.Name(), "Lead");
    EXPECT_TRUE(registry().Rename(wave, " Lead "));
    EXPECT_EQ(wave.Name(), " Lead ");
}

TEST_F(RegistryTest, RenamingTellsTheWindowTheCaptionAndTheOldName) {
    TUnitWave& wave = AddWave("A");
    RecordingWaveWindow window;
    wave.LinkWindow(&window);
    EXPECT_TRUE(registry().Rename(wave, "B"));
    EXPECT_EQ(window.calls, (std::vector<std::string>{"CaptionChanged", "NameChanged A"}));
}

TEST_F(RegistryTest, FindWaveSkipsMusicAndTheFirstInStackingOrderWins) {
    FakeMusic music(registry());
    music.SetName("Song");
    registry().Activate(music);
    EXPECT_EQ(registry().FindUnit("Song"), &music);
    EXPECT_EQ(registry().FindWave("Song"), nullptr);
    EXPECT_EQ(registry().ActiveWave(), nullptr);
    EXPECT_EQ(registry().ActiveMusic(), &music);
    TUnitWave& wave = AddWave("W");
    EXPECT_EQ(registry().FindWave("W"), &wave);
    EXPECT_EQ(registry().ActiveWave(), &wave);
    EXPECT_EQ(registry().ActiveMusic(), nullptr);
}

TEST_F(RegistryTest, ActivationMovesADocumentToTheActiveEndAndDestructionRemovesIt) {
    TUnitWave& first = AddWave("1");
    TUnitWave& second = AddWave("2");
    registry().Activate(first);
    EXPECT_EQ(registry().Units(), (std::vector<TUnit*>{&second, &first}));
    waves_.erase(waves_.begin());  // destroys "1"
    EXPECT_EQ(registry().Units(), (std::vector<TUnit*>{&second}));
    EXPECT_EQ(registry().ActiveUnit(), &second);
}

TEST_F(RegistryTest, FillWaveListModes) {
    AddWave("stereo");
    AddWave("");  // nameless waves never appear
    AddWave("mono", true);
    FakeMusic music(registry());
    music.SetName("music");
    registry().Activate(music);
    AddWave("active mono", true);

    struct Case {
        WaveListMode mode;
        std::vector<std::string> names;
    };
    for (const Case& c : {Case{WaveListMode::all, {"stereo", "mono", "active mono"}},
                          Case{WaveListMode::allButActive, {"stereo", "mono"}},
                          Case{WaveListMode::monoButActive, {"mono"}}}) {
        std::vector<WaveChoice> list{{"kept", nullptr}};
        const int added = registry().FillWaveList(list, c.mode);
        std::vector<std::string> names;
        for (std::size_t i = 1; i < list.size(); ++i) {
            names.push_back(list[i].name);
            EXPECT_EQ(list[i].document, registry().FindWave(list[i].name));
        }
        EXPECT_EQ(added, static_cast<int>(c.names.size()));
        EXPECT_EQ(names, c.names) << static_cast<int>(c.mode);
    }
}

TEST_F(RegistryTest, GeneratedNamesCountOnAndSkipNamesTheUserTook) {
    {
        auto first = NewWave(workspace_, {});
        EXPECT_EQ(first->Name(), "NONAME1");
    }  // closed
    auto second = NewWave(workspace_, {});
    EXPECT_EQ(second->Name(), "NONAME2");
    AddWave("NONAME3");
    AddWave("NONAME4");
    auto third = NewWave(workspace_, {});
    EXPECT_EQ(third->Name(), "NONAME5");
    EXPECT_EQ(registry().NoNameCounter(), 5);
}

TEST_F(RegistryTest, CaptionShowsNameAndFile) {
    TUnitWave& wave = AddWave("");
    EXPECT_EQ(wave.Caption(), "");
    wave.SetFileName("/music/take.wav");
    EXPECT_EQ(wave.Caption(), "/music/take.wav");
    wave.SetName("A");
    EXPECT_EQ(wave.Caption(), "A - /music/take.wav");
    wave.SetFileName("");
    EXPECT_EQ(wave.Caption(), "A");
}

TEST_F(RegistryTest, FileAndTempFileElementsOnlyWhenThereIsSomethingToSay) {
    TUnitWave& wave = AddWave("A");
    EXPECT_EQ(wave.FileElement(), nullptr);
    EXPECT_EQ(wave.TempFileElement(), nullptr);
    wave.SetFileName("/music/take.wav");
    wave.SetTempFile(0);
    TXMLComplexElement window("Wave");
    window.Add(wave.FileElement());
    window.Add(wave.TempFileElement());
    std::string written;
    window.Write(written, 1);
    EXPECT_EQ(
        written,
        "  <Wave>\n    <File>/music/take.wav</File>\n    <TempFile>0</TempFile>\n  </Wave>\n");
}

TEST_F(RegistryTest, WaveReferencesFindOpenDocumentsThroughTheRegistry) {
    TUnitWave& envelope = AddWave("Env", true);
    AddWave("Other");
    unitUnitWave reference(" Env ");
    std::string error;
    EXPECT_EQ(reference.Resolve(registry(), error), &envelope);
    EXPECT_EQ(reference.Find(registry())->GetValues(), 2);

    WaveChoiceList list;
    reference.FillList(list, registry(), WaveListMode::allButActive);
    ASSERT_NE(list.Selected(), nullptr);
    EXPECT_EQ(list.Selected()->document, &envelope);

    waves_.erase(waves_.begin());  // the envelope's window closes
    EXPECT_EQ(reference.Resolve(registry(), error), nullptr);
    EXPECT_EQ(error, "Cannot find window \"Env\".");
}

TEST(TrimBlanksTest, RemovesOnlySurroundingBlanksAndTabs) {
    EXPECT_EQ(TrimBlanks(" \tA B\t "), "A B");
    EXPECT_EQ(TrimBlanks("   "), "");
}

}  // namespace
}  // namespace kalvora
