// FIELD=TEXT assignments on an effect dialog, and the description of a command's fields.
#include "documents/effect_assignments.h"

#include <gtest/gtest.h>

#include "documents/unit_factor.h"
#include "documents/unit_time.h"
#include "effect_test_support.h"
#include "fake_wave_registry.h"
#include "platform/recording_message_sink.h"

namespace kalvora {
namespace {

using testing::SampleEffect;

class EffectAssignmentsTest : public ::testing::Test {
  protected:
    EffectAssignmentsTest() {
        registry_.Add("mono.wav", 1);
        registry_.Add("stereo.wav", 2);
        registry_.Add("input.wav", 2);  // active
        dialog_.Show();
    }
    std::optional<std::string> Apply(const std::vector<TFieldText>& texts) {
        return ApplyFieldTexts(dialog_, texts);
    }
    int Choice(std::string_view field) const {
        return dialog_.Control(static_cast<std::size_t>(SampleEffect().FieldIndex(field))).choice;
    }

    platform::RecordingMessageSink messages_;
    fakes::FakeWaveRegistry registry_;
    TEffectDialogModel dialog_{TEffectRecord(SampleEffect()), TEffectContext{}, registry_};
};

TEST_F(EffectAssignmentsTest, FieldsOfAlternativesChooseThemAlsoWhenNested) {
    ASSERT_EQ(Apply({{"FACTOR", "50%"}, {"middle", "90'"}, {"envelope", "mono.wav"}}),
              std::nullopt);
    EXPECT_EQ(Choice("lengthKind"), 2);
    EXPECT_EQ(Choice("middleKind"), 0);
    EXPECT_EQ(Choice("envelopeOn"), 1);
    ASSERT_TRUE(dialog_.Ok());
    EXPECT_DOUBLE_EQ(dialog_.Record().Value<unitFactor>("factor").GetValue(), 0.5);
    EXPECT_DOUBLE_EQ(dialog_.Record().Value<unitFactor>("middle").GetValue(), 0.25);
    EXPECT_EQ(dialog_.Record().Wave("envelope").GetName(), "mono.wav");
}

TEST_F(EffectAssignmentsTest, ChoicesTakeTheirAlternativesLabelWithoutBlanks) {
    ASSERT_EQ(Apply({{"lengthKind", "samelengthas"}, {"envelopeOn", "ON"}}), std::nullopt);
    EXPECT_EQ(Choice("lengthKind"), 1);
    EXPECT_EQ(Choice("envelopeOn"), 1);
}

TEST_F(EffectAssignmentsTest, UsageErrors) {
    struct Case {
        std::vector<TFieldText> texts;
        std::string error;
    };
    const std::vector<Case> cases = {
        {{{"speed", "2"}},
         "Unknown field \"speed\" for SampleEffect. Try \"kalvora-cli help SampleEffect\"."},
        {{{"factor", "1"}, {"Factor", "2"}}, "Field \"Factor\" is given twice."},
        {{{"lengthKind", "Forever"}},
         "In lengthKind: \"Forever\" is not one of: NewLength, SameLengthas, Count."},
        {{{"envelopeOn", "yes"}}, "In Envelope: use \"on\" or \"off\", not \"yes\"."},
        {{{"envelope", "stereo.wav"}}, "In Envelope: \"stereo.wav\" is not a mono wave."},
        {{{"sameLengthAs", "input.wav"}},
         "In Same Length as: \"input.wav\" cannot be chosen here."},
        {{{"newLength", "1s"}, {"count", "2"}},
         "Fields \"newLength\" and \"count\" belong to different alternatives of "
         "\"lengthKind\"."},
        {{{"middleKind", "Envelope"}, {"middle", "0.2"}},
         "Fields \"middleKind\" and \"middle\" belong to different alternatives of "
         "\"middleKind\"."},
        {{{"middle", "0.2"}, {"lengthKind", "NewLength"}},
         "Fields \"middle\" and \"lengthKind\" belong to different alternatives of "
         "\"lengthKind\"."},
        {{{"envelopeOn", "off"}, {"envelope", "mono.wav"}},
         "Fields \"envelopeOn\" and \"envelope\" belong to different alternatives of "
         "\"envelopeOn\"."},
    };
    for (const Case& c : cases) {
        TEffectDialogModel dialog(TEffectRecord(SampleEffect()), TEffectContext{}, registry_);
        dialog.Show();
        EXPECT_EQ(ApplyFieldTexts(dialog, c.texts), c.error);
    }
    // Two fields of the same alternative, or a choice with its own field, are fine.
    EXPECT_EQ(Apply({{"lengthKind", "Count"}, {"count", "2"}, {"middleKind", "Constant"}}),
              std::nullopt);
}

TEST_F(EffectAssignmentsTest, ValuesAreReadByTheDialogsOk) {
    ASSERT_EQ(Apply({{"newLength", "5"}}), std::nullopt);
    EXPECT_FALSE(dialog_.Ok());
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text,
              "In New Length: Wrong unit used, use: 's', 'ms', 'Hz', 'kHz'.");
}

TEST(DescribeEffectTest, ListsFieldsWithDefaultsAlternativesAndOwners) {
    EXPECT_EQ(DescribeEffect(SampleEffect()),
              "SampleEffect: Sample Effect\n"
              "  factor=0.5  Factor\n"
              "  lengthKind=NewLength  lengthKind: NewLength | SameLengthas | Count\n"
              "    newLength=2s  New Length (with lengthKind=NewLength)\n"
              "    sameLengthAs=  Same Length as: a WAV file (with lengthKind=SameLengthas)\n"
              "    count=3  Count (with lengthKind=Count)\n"
              "    middleKind=Constant  Middle: Constant | Envelope (with lengthKind=Count)\n"
              "      middle=0.5  Middle (with middleKind=Constant)\n"
              "  envelopeOn=off  Envelope: on | off\n"
              "    envelope=  Envelope: a WAV file (with envelopeOn=on)\n");
    EXPECT_EQ(DescribeEffect(*FindEffect("makeline")),
              "MakeLine: Make Line - a straight or exponential line\n"
              "  kind=Linear  Kind: Linear | Exponential\n"
              "  beginValue=0.5  Begin Value\n"
              "  endValue=-0.50002  End Value\n"
              "  length=0.1s  Length\n");
}

}  // namespace
}  // namespace kalvora
