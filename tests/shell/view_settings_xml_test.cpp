#include "shell/view_settings_xml.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "xml/xml_document.h"

namespace kalvora {
namespace {

// The element's children as "Name" or "Name=text", in order.
std::vector<std::string> Children(const TXMLItem& element) {
    std::vector<std::string> result;
    for (const TXMLItem* child = element.GetFirst(); child != nullptr; child = child->GetNext()) {
        result.push_back(child->IsComplex() ? child->GetElement()
                                            : child->GetElement() + "=" + child->GetString());
    }
    return result;
}

// Writes element as a whole file and reads it back through grammar.
TXMLReadResult RoundTrip(const TXMLComplexElement& element, const TDTDNode& grammar) {
    std::string error;
    EXPECT_TRUE(element.CheckWritable(error)) << error;
    std::string bytes;
    element.WriteDocument(bytes);
    return ReadXMLText(bytes, "", [&](const std::string&) { return grammar.get(); });
}

TXMLReadResult ReadText(const std::string& body, const TDTDNode& grammar) {
    const std::string bytes = "<?xml version=\"1.0\"?>\n<!DOCTYPE " +
                              body.substr(1, body.find('>') - 1) + ">\n\n" + body + "\n";
    return ReadXMLText(bytes, "", [&](const std::string&) { return grammar.get(); });
}

TEST(ColorText, WritesSixUpperCaseDigitsAndReadsOnly24BitValues) {
    EXPECT_EQ(ColorText(0x808000), "808000");
    EXPECT_EQ(ColorText(0xff), "0000FF");
    struct Case {
        const char* text;
        bool ok;
        platform::Color color;
        const char* message;
    };
    const Case cases[] = {
        {"FF00FF", true, 0xFF00FF, ""},
        {"ff", true, 0xFF, ""},
        {"80G080", false, 0, "In GridColor: Invalid Hexdecimal value: \"80G080\"."},
        {"", false, 0, "In GridColor: Invalid Hexdecimal value: \"\"."},
        {"-1", false, 0, "In GridColor: Invalid Hexdecimal value: \"-1\"."},
        {"0x10", false, 0, "In GridColor: Invalid Hexdecimal value: \"0x10\"."},
        {"1000000", false, 0, "In GridColor: Color value must lie between 000000 and FFFFFF."},
        {"FFFFFFFFFFFFFFFFFFFF", false, 0,
         "In GridColor: Color value must lie between 000000 and FFFFFF."},
    };
    for (const Case& c : cases) {
        platform::Color color = 0x123456;
        std::string error;
        EXPECT_EQ(ReadColorText(c.text, "GridColor", color, error), c.ok) << c.text;
        EXPECT_EQ(color, c.ok ? c.color : 0x123456u) << c.text;
        EXPECT_EQ(error, c.message) << c.text;
    }
}

TEST(ViewWaveXml, DefaultsWriteTheirTextsAndReadBackEqual) {
    const TWaveViewProps defaults;
    const auto element = WriteViewWave(defaults);
    EXPECT_EQ(
        Children(*element),
        (std::vector<std::string>{
            "DrawLines", "DistPeriod", "ValuesPerPixel=15", "UseGrid", "GridColor=808080",
            "CursorColor=FF00FF", "Strength=1", "SingleColor=000000", "BackgroundColor=FFFFFF",
            "LeftColor=0000FF", "RightColor=808000", "FrontNone", "DrawSingle"}));
    const TXMLReadResult file = RoundTrip(*element, ViewWaveGrammar());
    ASSERT_EQ(file.outcome, TXMLReadOutcome::read) << file.message;
    TWaveViewProps read;
    read.ValuesPerPixel = 3;
    read.UseGrid = false;
    std::string error;
    ASSERT_TRUE(ReadViewWave(file.Document(), read, error)) << error;
    EXPECT_EQ(read, defaults);
}

TEST(ViewWaveXml, EveryFieldChangedReadsBackEqual) {
    TWaveViewProps props;
    props.DrawStyle = drawStylePoints;
    props.Distribution = distributionRandom;
    props.ValuesPerPixel = 7;
    props.UseGrid = false;
    props.GridColor = 0x010203;
    props.CursorColor = 0x040506;
    props.Strength = 2.5;
    props.BackgroundColor = 0x070809;
    props.SingleColor = 0x0A0B0C;
    props.DrawSingle = false;
    props.LeftColor = 0x0D0E0F;
    props.RightColor = 0x101112;
    props.Front = frontRight;
    props.DrawEnvelope = true;
    props.EnvelopeStrength = 0.25;
    props.EnvelopeName = "Drums";
    const TXMLReadResult file = RoundTrip(*WriteViewWave(props), ViewWaveGrammar());
    ASSERT_EQ(file.outcome, TXMLReadOutcome::read) << file.message;
    TWaveViewProps read;
    std::string error;
    ASSERT_TRUE(ReadViewWave(file.Document(), read, error)) << error;
    EXPECT_EQ(read, props);
}

TEST(ViewWaveXml, AnEnvelopeWithoutNameIsNoEnvelope) {
    TWaveViewProps props;
    props.DrawEnvelope = true;
    const auto element = WriteViewWave(props);
    EXPECT_EQ(Children(*element).back(), "DrawSingle");
    const TXMLReadResult file = RoundTrip(*element, ViewWaveGrammar());
    ASSERT_EQ(file.outcome, TXMLReadOutcome::read) << file.message;
    TWaveViewProps read;
    read.DrawEnvelope = true;
    std::string error;
    ASSERT_TRUE(ReadViewWave(file.Document(), read, error)) << error;
    EXPECT_FALSE(read.DrawEnvelope);
}

TEST(ViewWaveXml, BadValuesAreRefusedWithTheirFieldAndPosition) {
    const std::string head = "<ViewWave>\n<DrawLines/><DistPeriod/>";
    const std::string tail = "<FrontNone/><DrawSingle/>";
    struct Case {
        std::string body;
        std::string start;  // the message up to the position
    };
    const std::string colours =
        "<SingleColor>0</SingleColor><BackgroundColor>0</BackgroundColor>"
        "<LeftColor>0</LeftColor><RightColor>0</RightColor>";
    const Case cases[] = {
        {head +
             "<ValuesPerPixel>0</ValuesPerPixel><GridColor>0</GridColor><CursorColor>0"
             "</CursorColor><Strength>1</Strength>" +
             colours + tail + "</ViewWave>",
         "In ValuesPerPixel: "},
        {head +
             "<ValuesPerPixel>5</ValuesPerPixel><GridColor>80G080</GridColor><CursorColor>0"
             "</CursorColor><Strength>1</Strength>" +
             colours + tail + "</ViewWave>",
         "In GridColor: Invalid Hexdecimal value: \"80G080\"."},
        {head +
             "<ValuesPerPixel>5</ValuesPerPixel><GridColor>0</GridColor><CursorColor>0"
             "</CursorColor><Strength>-1</Strength>" +
             colours + tail + "</ViewWave>",
         "In Strength: "},
        {head +
             "<ValuesPerPixel>5</ValuesPerPixel><GridColor>0</GridColor><CursorColor>0"
             "</CursorColor><Strength>1</Strength>" +
             colours + tail +
             "<DrawEnvelope><EnvelopeName>A</EnvelopeName><Strength>150 %</Strength>"
             "</DrawEnvelope></ViewWave>",
         "In Strength of DrawEnvelope: "},
    };
    for (const Case& c : cases) {
        const TXMLReadResult file = ReadText(c.body, ViewWaveGrammar());
        ASSERT_EQ(file.outcome, TXMLReadOutcome::read) << file.message;
        TWaveViewProps read;
        std::string error;
        EXPECT_FALSE(ReadViewWave(file.Document(), read, error));
        EXPECT_EQ(error.substr(0, c.start.size()), c.start) << error;
        EXPECT_NE(error.find(" At line "), std::string::npos) << error;
    }
}

TEST(ViewVolumeXml, DefaultsWriteTheirTextsAndReadBackEqual) {
    const TVoldViewProps defaults;
    const auto element = WriteViewVolume(defaults);
    EXPECT_EQ(Children(*element),
              (std::vector<std::string>{
                  "TimeTop=20 kHz", "TimeBottom=20 Hz", "XResolution=500", "YResolution=50",
                  "YWidth=1", "YLog", "SensNormal", "Strength=1.3", "SingleColor=FFFFFF",
                  "BackgroundColor=000000", "LeftColor=0000FF", "RightColor=808000",
                  "CursorColor=FF00FF", "ColorPalette1D", "DrawSingle"}));
    const TXMLItem* palette = element->GetFirst();
    while (palette->GetElement() != "ColorPalette1D")
        palette = palette->GetNext();
    EXPECT_EQ(Children(*palette),
              (std::vector<std::string>{"BeginColor=000000", "EndColor=FFFFFF"}));
    const TXMLReadResult file = RoundTrip(*element, ViewVolumeGrammar());
    ASSERT_EQ(file.outcome, TXMLReadOutcome::read) << file.message;
    TVoldViewProps read;
    read.YScale = TVoldViewProps::YLinTime;
    read.UseColorPalette1D = 1;
    read.ColorPalette1D.InsertItem(0.3, 0x112233);
    std::string error;
    ASSERT_TRUE(ReadViewVolume(file.Document(), read, error)) << error;
    EXPECT_TRUE(read.Equals(defaults));
}

// Each value is written in the unit the user last typed, and reads back in it.
TEST(ViewSettingsXml, ValuesKeepTheirDisplayUnits) {
    TVoldViewProps volume;
    volume.TimeTop = 0.0001;
    volume.TimeTopUnit = DisplayUnit::millisecond;
    volume.TimeBottom = 0.02;
    volume.TimeBottomUnit = DisplayUnit::second;
    volume.YWidth = 0.5;
    volume.YWidthUnit = DisplayUnit::percent;
    volume.Strength = 2;
    volume.StrengthUnit = DisplayUnit::percent;
    volume.ColorPalette1D.InsertItem(0.5, 0x808080)->PositionUnit = DisplayUnit::none;
    const auto volumeElement = WriteViewVolume(volume);
    const std::vector<std::string> volumeTexts = Children(*volumeElement);
    EXPECT_EQ(std::vector<std::string>(volumeTexts.begin(), volumeTexts.begin() + 5),
              (std::vector<std::string>{"TimeTop=0.1 ms", "TimeBottom=0.02 s", "XResolution=500",
                                        "YResolution=50", "YWidth=50 %"}));
    EXPECT_EQ(volumeTexts[7], "Strength=200 %");
    const TXMLReadResult volumeFile = RoundTrip(*volumeElement, ViewVolumeGrammar());
    ASSERT_EQ(volumeFile.outcome, TXMLReadOutcome::read) << volumeFile.message;
    TVoldViewProps readVolume;
    std::string error;
    ASSERT_TRUE(ReadViewVolume(volumeFile.Document(), readVolume, error)) << error;
    EXPECT_EQ(readVolume.TimeTopUnit, DisplayUnit::millisecond);
    EXPECT_EQ(readVolume.TimeBottomUnit, DisplayUnit::second);
    EXPECT_EQ(readVolume.YWidthUnit, DisplayUnit::percent);
    EXPECT_EQ(readVolume.StrengthUnit, DisplayUnit::percent);
    ASSERT_EQ(readVolume.ColorPalette1D.Count(), 3);
    EXPECT_EQ(readVolume.ColorPalette1D.NextColorPalette1DItem->PositionUnit, DisplayUnit::none);
    EXPECT_EQ(WriteColorPalette1D(readVolume.ColorPalette1D)
                  ->GetFirst()
                  ->GetNext()
                  ->GetFirst()
                  ->GetString(),
              "0.5");

    TWaveViewProps wave;
    wave.Strength = 0.5;
    wave.StrengthUnit = DisplayUnit::percent;
    wave.DrawEnvelope = true;
    wave.EnvelopeName = "Drums";
    wave.EnvelopeStrength = 0.25;
    wave.EnvelopeStrengthUnit = DisplayUnit::none;
    const auto waveElement = WriteViewWave(wave);
    EXPECT_EQ(Children(*waveElement)[6], "Strength=50 %");
    const TXMLItem* envelope = waveElement->GetFirst();
    while (envelope->GetElement() != "DrawEnvelope")
        envelope = envelope->GetNext();
    EXPECT_EQ(Children(*envelope),
              (std::vector<std::string>{"EnvelopeName=Drums", "Strength=0.25"}));
    const TXMLReadResult waveFile = RoundTrip(*waveElement, ViewWaveGrammar());
    ASSERT_EQ(waveFile.outcome, TXMLReadOutcome::read) << waveFile.message;
    TWaveViewProps readWave;
    ASSERT_TRUE(ReadViewWave(waveFile.Document(), readWave, error)) << error;
    EXPECT_EQ(readWave.StrengthUnit, DisplayUnit::percent);
    EXPECT_EQ(readWave.EnvelopeStrengthUnit, DisplayUnit::none);
}

TEST(ViewVolumeXml, APaletteStopKeepsItsColorAfterAndReplacesTheOldStops) {
    TVoldViewProps props;
    props.UseColorPalette1D = 1;
    props.Sensitivity = TVoldViewProps::SensVeryHigh;
    props.YScale = TVoldViewProps::YLinFreq;
    props.DrawSingle = 0;
    TColorPalette1DItem* stop = props.ColorPalette1D.InsertItem(0.5, 0x0000FF);
    stop->ColorAfter = 0xFF0000;  // kept while UseColorAfter is clear
    props.ColorPalette1D.InsertItem(0.25, 0x00FF00)->UseColorAfter = 1;
    const auto element = WriteViewVolume(props);
    const TXMLReadResult file = RoundTrip(*element, ViewVolumeGrammar());
    ASSERT_EQ(file.outcome, TXMLReadOutcome::read) << file.message;
    TVoldViewProps read;
    read.ColorPalette1D.InsertItem(0.7, 0x112233);
    std::string error;
    ASSERT_TRUE(ReadViewVolume(file.Document(), read, error)) << error;
    EXPECT_TRUE(read.Equals(props));
    EXPECT_EQ(read.ColorPalette1D.Count(), 4);
}

TEST(ViewVolumeXml, BadSettingsAreRefusedWithAMessage) {
    const auto volume = [](const std::string& top, const std::string& palette) {
        return "<ViewVolume><TimeTop>" + top +
               "</TimeTop><TimeBottom>20 Hz</TimeBottom><XResolution>500</XResolution>"
               "<YResolution>50</YResolution><YWidth>1</YWidth><YLog/><SensNormal/>"
               "<Strength>1.3</Strength><SingleColor>FFFFFF</SingleColor><BackgroundColor>0"
               "</BackgroundColor><LeftColor>FF</LeftColor><RightColor>808000</RightColor>"
               "<CursorColor>FF00FF</CursorColor><ColorPalette1D><BeginColor>0</BeginColor>" +
               palette + "<EndColor>FFFFFF</EndColor></ColorPalette1D><DrawSingle/></ViewVolume>";
    };
    const std::string stopAtHalf =
        "<ColorPalette1DItem><Position>50 %</Position><ColorBefore>FF</ColorBefore>"
        "<ColorAfter>0</ColorAfter></ColorPalette1DItem>";
    struct Case {
        std::string body;
        std::string start;
    };
    const Case cases[] = {
        {volume("20 kHz", ""), ""},
        {volume("20 Hz", ""), "Top Frequency and Bottom Frequency must be different."},
        {volume("0", ""), "In TimeTop: "},
        {volume("20 kHz", stopAtHalf + stopAtHalf),
         "In Position: This Position already exists in the pallette."},
        {volume("20 kHz",
                "<ColorPalette1DItem><Position>100 %</Position><ColorBefore>FF</ColorBefore>"
                "<ColorAfter>0</ColorAfter></ColorPalette1DItem>"),
         "In Position: "},
        {volume("20 kHz",
                "<ColorPalette1DItem><Position>50 %</Position><ColorBefore>FF</ColorBefore>"
                "<ColorAfter>1000000</ColorAfter></ColorPalette1DItem>"),
         "In ColorAfter: Color value must lie between 000000 and FFFFFF."},
    };
    for (const Case& c : cases) {
        const TXMLReadResult file = ReadText(c.body, ViewVolumeGrammar());
        ASSERT_EQ(file.outcome, TXMLReadOutcome::read) << file.message;
        TVoldViewProps read;
        read.ColorPalette1D.InsertItem(0.3, 0x112233);
        std::string error;
        EXPECT_EQ(ReadViewVolume(file.Document(), read, error), c.start.empty()) << error;
        EXPECT_EQ(error.substr(0, c.start.size()), c.start) << error;
        if (!c.start.empty()) {
            EXPECT_NE(error.find(" At line "), std::string::npos) << error;
        }
    }
}

}  // namespace
}  // namespace kalvora
