#include "documents/unit_unit_wave.h"

#include <gtest/gtest.h>

#include "documents/fake_wave_registry.h"
#include "platform/recording_message_sink.h"

namespace kalvora {
namespace {

using fakes::FakeWaveRegistry;

class UnitWaveTest : public ::testing::Test {
  protected:
    UnitWaveTest() {
        registry.Add("Envelope", 1, 8000, 4000);
        registry.Add("", 1);  // a wave opened from a file and not yet named
        registry.Add("Stereo", 2);
        registry.Add("Active", 1);
    }
    FakeWaveRegistry registry;
};

TEST_F(UnitWaveTest, NameFromTextLosesSurroundingBlanksButReadTextKeepsThem) {
    EXPECT_EQ(unitUnitWave("  Envelope \t").GetText(), "Envelope");
    unitUnitWave wave;
    EXPECT_TRUE(wave.ReadText(" Envelope"));
    EXPECT_EQ(wave.GetText(), " Envelope");
}

TEST_F(UnitWaveTest, ResolvesByExactName) {
    std::string errorText;
    WaveDocumentFacts* document = unitUnitWave("Envelope").Resolve(registry, errorText);
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->GetName(), "Envelope");
    EXPECT_DOUBLE_EQ(document->GetSeconds(), 0.5);
    EXPECT_EQ(errorText, "");
}

TEST_F(UnitWaveTest, UnknownOrClosedNameAppendsMessage) {
    std::string errorText = "Cannot create music: ";
    EXPECT_EQ(unitUnitWave("envelope").Resolve(registry, errorText), nullptr);
    EXPECT_EQ(errorText, "Cannot create music: Cannot find window \"envelope\".");

    unitUnitWave reference("Stereo");
    registry.Close("Stereo");
    errorText.clear();
    EXPECT_EQ(reference.Resolve(registry, errorText), nullptr);
    EXPECT_EQ(errorText, "Cannot find window \"Stereo\".");
}

TEST_F(UnitWaveTest, FillListSelectsStoredName) {
    WaveChoiceList list;
    unitUnitWave("Stereo").FillList(list, registry, WaveListMode::all);
    ASSERT_EQ(list.items.size(), 3u);  // the nameless wave is never listed
    ASSERT_NE(list.Selected(), nullptr);
    EXPECT_EQ(list.Selected()->name, "Stereo");

    unitUnitWave().FillList(list, registry, WaveListMode::all);
    EXPECT_EQ(list.Selected(), nullptr);

    unitUnitWave("Stereo").FillList(list, registry, WaveListMode::monoButActive);
    ASSERT_EQ(list.items.size(), 1u);
    EXPECT_EQ(list.items[0].name, "Envelope");
    EXPECT_EQ(list.Selected(), nullptr);
}

TEST_F(UnitWaveTest, CheckTakesSelectedEntry) {
    unitUnitWave reference;
    WaveChoiceList list;
    reference.FillList(list, registry, WaveListMode::allButActive);
    list.selected = 1;
    bool ok = true;
    reference.Check(ok, list, "Envelope");
    EXPECT_TRUE(ok);
    EXPECT_EQ(reference.GetName(), "Stereo");
}

TEST_F(UnitWaveTest, CheckWithoutSelectionReportsAndClearsName) {
    platform::RecordingMessageSink sink;
    unitUnitWave reference("Gone");
    WaveChoiceList list;
    reference.FillList(list, registry, WaveListMode::allButActive);
    bool ok = true;
    reference.Check(ok, list, "Direction Envelope");
    EXPECT_FALSE(ok);
    EXPECT_EQ(reference.GetName(), "");
    ASSERT_EQ(sink.Messages().size(), 1u);
    EXPECT_EQ(sink.Messages()[0].text, "In Direction Envelope: You have to select a Wave");
    EXPECT_EQ(sink.Messages()[0].caption, "Input Error");

    // A later field is not checked once the flag is false.
    unitUnitWave other("Envelope");
    other.Check(ok, list, "Time Envelope");
    EXPECT_EQ(sink.Messages().size(), 1u);
    EXPECT_EQ(other.GetName(), "Envelope");
}

}  // namespace
}  // namespace kalvora
