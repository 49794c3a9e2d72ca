// The XML forms of the view settings.
#include "shell/view_settings_xml.h"

#include <charconv>
#include <cstdio>

#include "documents/unit_factor.h"
#include "documents/unit_integer.h"
#include "documents/unit_time.h"

namespace kalvora {
namespace {

using platform::Color;

// Reads a value element's text through a value type; on failure the message gets the
// element's position.
bool ReadValue(unit& value, const TXMLItem& item, std::string_view fieldName,
               std::string& errorText) {
    if (value.ReadText(item.GetString(), fieldName, errorText)) return true;
    errorText += item.PositionText();
    return false;
}

bool ReadColor(const TXMLItem& item, Color& color, std::string& errorText) {
    if (ReadColorText(item.GetString(), item.GetElement(), color, errorText)) return true;
    errorText += item.PositionText();
    return false;
}

bool PositionTaken(const TColorPalette1DItem& palette, double position) {
    for (const TColorPalette1DItem* stop = &palette; stop != nullptr;
         stop = stop->NextColorPalette1DItem.get()) {
        if (stop->Position == position) return true;
    }
    return false;
}

}  // namespace

std::string ColorText(Color color) {
    char text[16];
    std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(color));
    return text;
}

bool ReadColorText(std::string_view text, std::string_view fieldName, Color& color,
                   std::string& errorText) {
    unsigned long long value = 0;
    const char* last = text.data() + text.size();
    const auto [end, ec] = std::from_chars(text.data(), last, value, 16);
    if (text.empty() || end != last ||
        (ec != std::errc() && ec != std::errc::result_out_of_range)) {
        errorText = "In " + std::string(fieldName) + ": Invalid Hexdecimal value: \"" +
                    std::string(text) + "\".";
        return false;
    }
    if (ec == std::errc::result_out_of_range || value > 0xFFFFFFull) {
        errorText =
            "In " + std::string(fieldName) + ": Color value must lie between 000000 and FFFFFF.";
        return false;
    }
    color = static_cast<Color>(value);
    return true;
}

const TDTDNode& ViewWaveGrammar() {
    using namespace dtd;
    static const TDTDNode grammar = Element(
        "ViewWave", Choice(Empty("DrawLines"), Empty("DrawPixels")),
        Choice(Empty("DistPeriod"), Empty("DistRandom")), Text("ValuesPerPixel"),
        Optional(Empty("UseGrid")), Text("GridColor"), Text("CursorColor"), Text("Strength"),
        Text("SingleColor"), Text("BackgroundColor"), Text("LeftColor"), Text("RightColor"),
        Choice(Empty("FrontNone"), Empty("FrontLeft"), Empty("FrontRight")),
        Choice(Empty("DrawSingle"), Empty("DrawJoined")),
        Optional(Element("DrawEnvelope", Text("EnvelopeName"), Text("Strength"))));
    return grammar;
}

const TDTDNode& ColorPalette1DGrammar() {
    using namespace dtd;
    static const TDTDNode grammar =
        Element("ColorPalette1D", Text("BeginColor"),
                ZeroOrMore(Element("ColorPalette1DItem", Text("Position"), Text("ColorBefore"),
                                   Optional(Empty("UseColorAfter")), Text("ColorAfter"))),
                Text("EndColor"));
    return grammar;
}

const TDTDNode& ViewVolumeGrammar() {
    using namespace dtd;
    static const TDTDNode grammar = Element(
        "ViewVolume", Text("TimeTop"), Text("TimeBottom"), Text("XResolution"), Text("YResolution"),
        Text("YWidth"), Choice(Empty("YLinFreq"), Empty("YLinTime"), Empty("YLog")),
        Choice(Empty("SensLow"), Empty("SensNormal"), Empty("SensHigh"), Empty("SensVeryHigh")),
        Text("Strength"), Text("SingleColor"), Text("BackgroundColor"), Text("LeftColor"),
        Text("RightColor"), Text("CursorColor"), Optional(Empty("UseColorPalette1D")),
        ColorPalette1DGrammar(), Choice(Empty("DrawSingle"), Empty("DrawJoined")));
    return grammar;
}

std::unique_ptr<TXMLComplexElement> WriteViewWave(const TWaveViewProps& props) {
    auto root = std::make_unique<TXMLComplexElement>("ViewWave");
    root->AddElement(props.DrawStyle == drawStylePoints ? "DrawPixels" : "DrawLines");
    root->AddElement(props.Distribution == distributionRandom ? "DistRandom" : "DistPeriod");
    root->AddText("ValuesPerPixel", unitIntegerPosMore(props.ValuesPerPixel).GetText());
    if (props.UseGrid) root->AddElement("UseGrid");
    root->AddText("GridColor", ColorText(props.GridColor));
    root->AddText("CursorColor", ColorText(props.CursorColor));
    root->AddText("Strength", unitFactorPosMore(props.Strength, props.StrengthUnit).GetText());
    root->AddText("SingleColor", ColorText(props.SingleColor));
    root->AddText("BackgroundColor", ColorText(props.BackgroundColor));
    root->AddText("LeftColor", ColorText(props.LeftColor));
    root->AddText("RightColor", ColorText(props.RightColor));
    root->AddElement(props.Front == frontLeft    ? "FrontLeft"
                     : props.Front == frontRight ? "FrontRight"
                                                 : "FrontNone");
    root->AddElement(props.DrawSingle ? "DrawSingle" : "DrawJoined");
    if (props.DrawEnvelope && !props.EnvelopeName.empty()) {
        TXMLComplexElement& envelope = root->AddElement("DrawEnvelope");
        envelope.AddText("EnvelopeName", props.EnvelopeName);
        envelope.AddText(
            "Strength",
            unitFactorPosMax1(props.EnvelopeStrength, props.EnvelopeStrengthUnit).GetText());
    }
    return root;
}

bool ReadViewWave(const TXMLItem& element, TWaveViewProps& props, std::string& errorText) {
    TXMLChildCursor children(element);
    props.DrawStyle = children.TakeIf("DrawPixels") ? drawStylePoints : drawStyleLines;
    if (props.DrawStyle == drawStyleLines) children.Take("DrawLines");
    props.Distribution = children.TakeIf("DistRandom") ? distributionRandom : distributionConstant;
    if (props.Distribution == distributionConstant) children.Take("DistPeriod");

    unitIntegerPosMore valuesPerPixel(props.ValuesPerPixel);
    if (!ReadValue(valuesPerPixel, children.Take("ValuesPerPixel"), "ValuesPerPixel", errorText))
        return false;
    props.ValuesPerPixel = valuesPerPixel.GetValue();
    props.UseGrid = children.TakeIf("UseGrid") != nullptr;
    if (!ReadColor(children.Take("GridColor"), props.GridColor, errorText)) return false;
    if (!ReadColor(children.Take("CursorColor"), props.CursorColor, errorText)) return false;
    unitFactorPosMore strength(props.Strength, props.StrengthUnit);
    if (!ReadValue(strength, children.Take("Strength"), "Strength", errorText)) return false;
    props.Strength = strength.GetValue();
    props.StrengthUnit = strength.GetDisplayUnit();
    if (!ReadColor(children.Take("SingleColor"), props.SingleColor, errorText)) return false;
    if (!ReadColor(children.Take("BackgroundColor"), props.BackgroundColor, errorText))
        return false;
    if (!ReadColor(children.Take("LeftColor"), props.LeftColor, errorText)) return false;
    if (!ReadColor(children.Take("RightColor"), props.RightColor, errorText)) return false;
    if (children.TakeIf("FrontLeft")) {
        props.Front = frontLeft;
    } else if (children.TakeIf("FrontRight")) {
        props.Front = frontRight;
    } else {
        children.Take("FrontNone");
        props.Front = frontMixed;
    }
    props.DrawSingle = children.TakeIf("DrawSingle") != nullptr;
    if (!props.DrawSingle) children.Take("DrawJoined");

    props.DrawEnvelope = false;
    if (const TXMLItem* envelope = children.TakeIf("DrawEnvelope")) {
        TXMLChildCursor parts(*envelope);
        const std::string& name = parts.Take("EnvelopeName").GetString();
        unitFactorPosMax1 envelopeStrength(props.EnvelopeStrength, props.EnvelopeStrengthUnit);
        if (!ReadValue(envelopeStrength, parts.Take("Strength"), "Strength of DrawEnvelope",
                       errorText))
            return false;
        props.EnvelopeStrength = envelopeStrength.GetValue();
        props.EnvelopeStrengthUnit = envelopeStrength.GetDisplayUnit();
        props.EnvelopeName = name;
        props.DrawEnvelope = !name.empty();
    }
    return true;
}

std::unique_ptr<TXMLComplexElement> WriteColorPalette1D(const TColorPalette1DItem& palette) {
    auto root = std::make_unique<TXMLComplexElement>("ColorPalette1D");
    root->AddText("BeginColor", ColorText(palette.ColorBefore));
    for (const TColorPalette1DItem* stop = palette.NextColorPalette1DItem.get();
         stop != nullptr && stop->NextColorPalette1DItem != nullptr;
         stop = stop->NextColorPalette1DItem.get()) {
        TXMLComplexElement& item = root->AddElement("ColorPalette1DItem");
        item.AddText("Position",
                     unitFactorPosMoreLess1(stop->Position, stop->PositionUnit).GetText());
        item.AddText("ColorBefore", ColorText(stop->ColorBefore));
        if (stop->UseColorAfter) item.AddElement("UseColorAfter");
        item.AddText("ColorAfter", ColorText(stop->ColorAfter));
    }
    root->AddText("EndColor", ColorText(palette.GetLastItem()->ColorBefore));
    return root;
}

bool ReadColorPalette1D(const TXMLItem& element, TColorPalette1DItem& palette,
                        std::string& errorText) {
    TXMLChildCursor children(element);
    TColorPalette1DItem result;
    if (!ReadColor(children.Take("BeginColor"), result.ColorBefore, errorText)) return false;
    while (const TXMLItem* item = children.TakeIf("ColorPalette1DItem")) {
        TXMLChildCursor parts(*item);
        const TXMLItem& positionItem = parts.Take("Position");
        unitFactorPosMoreLess1 position(0.5, DisplayUnit::percent);
        if (!ReadValue(position, positionItem, "Position", errorText)) return false;
        if (PositionTaken(result, position.GetValue())) {
            errorText = "In Position: This Position already exists in the pallette." +
                        positionItem.PositionText();
            return false;
        }
        Color before = 0;
        Color after = 0;
        if (!ReadColor(parts.Take("ColorBefore"), before, errorText)) return false;
        const bool useAfter = parts.TakeIf("UseColorAfter") != nullptr;
        if (!ReadColor(parts.Take("ColorAfter"), after, errorText)) return false;
        TColorPalette1DItem* stop = result.InsertItem(position.GetValue(), before);
        stop->UseColorAfter = useAfter ? 1 : 0;
        stop->ColorAfter = after;
        stop->PositionUnit = position.GetDisplayUnit();
    }
    if (!ReadColor(children.Take("EndColor"), result.GetLastItem()->ColorBefore, errorText))
        return false;
    palette = std::move(result);
    return true;
}

std::unique_ptr<TXMLComplexElement> WriteViewVolume(const TVoldViewProps& props) {
    auto root = std::make_unique<TXMLComplexElement>("ViewVolume");
    root->AddText("TimeTop", unitTimePosMore(props.TimeTop, props.TimeTopUnit).GetText());
    root->AddText("TimeBottom", unitTimePosMore(props.TimeBottom, props.TimeBottomUnit).GetText());
    root->AddText("XResolution", unitIntegerPosMore(props.XResolution).GetText());
    root->AddText("YResolution", unitIntegerPosMore(props.YResolution).GetText());
    root->AddText("YWidth", unitFactorPosMore(props.YWidth, props.YWidthUnit).GetText());
    root->AddElement(props.YScale == TVoldViewProps::YLinFreq   ? "YLinFreq"
                     : props.YScale == TVoldViewProps::YLinTime ? "YLinTime"
                                                                : "YLog");
    static constexpr const char* sensitivities[] = {"SensLow", "SensNormal", "SensHigh",
                                                    "SensVeryHigh"};
    root->AddElement(sensitivities[props.Sensitivity <= 3 ? props.Sensitivity : 1]);
    root->AddText("Strength", unitFactorPosMore(props.Strength, props.StrengthUnit).GetText());
    root->AddText("SingleColor", ColorText(props.SingleColor));
    root->AddText("BackgroundColor", ColorText(props.BackgroundColor));
    root->AddText("LeftColor", ColorText(props.LeftColor));
    root->AddText("RightColor", ColorText(props.RightColor));
    root->AddText("CursorColor", ColorText(props.CursorColor));
    if (props.UseColorPalette1D) root->AddElement("UseColorPalette1D");
    root->Add(WriteColorPalette1D(props.ColorPalette1D));
    root->AddElement(props.DrawSingle ? "DrawSingle" : "DrawJoined");
    return root;
}

bool ReadViewVolume(const TXMLItem& element, TVoldViewProps& props, std::string& errorText) {
    TXMLChildCursor children(element);
    unitTimePosMore top(props.TimeTop, props.TimeTopUnit);
    if (!ReadValue(top, children.Take("TimeTop"), "TimeTop", errorText)) return false;
    props.TimeTop = top.GetValue();
    props.TimeTopUnit = top.GetDisplayUnit();
    const TXMLItem& bottomItem = children.Take("TimeBottom");
    unitTimePosMore bottom(props.TimeBottom, props.TimeBottomUnit);
    if (!ReadValue(bottom, bottomItem, "Timebottom", errorText)) return false;
    props.TimeBottom = bottom.GetValue();
    props.TimeBottomUnit = bottom.GetDisplayUnit();
    if (props.TimeTop == props.TimeBottom) {
        errorText =
            "Top Frequency and Bottom Frequency must be different." + bottomItem.PositionText();
        return false;
    }
    unitIntegerPosMore xResolution(props.XResolution);
    if (!ReadValue(xResolution, children.Take("XResolution"), "XResolution", errorText))
        return false;
    props.XResolution = xResolution.GetValue();
    unitIntegerPosMore yResolution(props.YResolution);
    if (!ReadValue(yResolution, children.Take("YResolution"), "YResolution", errorText))
        return false;
    props.YResolution = yResolution.GetValue();
    unitFactorPosMore yWidth(props.YWidth, props.YWidthUnit);
    if (!ReadValue(yWidth, children.Take("YWidth"), "YWidth", errorText)) return false;
    props.YWidth = yWidth.GetValue();
    props.YWidthUnit = yWidth.GetDisplayUnit();

    if (children.TakeIf("YLinFreq")) {
        props.YScale = TVoldViewProps::YLinFreq;
    } else if (children.TakeIf("YLinTime")) {
        props.YScale = TVoldViewProps::YLinTime;
    } else {
        children.Take("YLog");
        props.YScale = TVoldViewProps::YLog;
    }
    static constexpr const char* sensitivities[] = {"SensLow", "SensNormal", "SensHigh",
                                                    "SensVeryHigh"};
    for (std::uint8_t i = 0; i < 4; ++i) {
        if (children.TakeIf(sensitivities[i])) props.Sensitivity = i;
    }
    unitFactorPosMore strength(props.Strength, props.StrengthUnit);
    if (!ReadValue(strength, children.Take("Strength"), "Strength", errorText)) return false;
    props.Strength = strength.GetValue();
    props.StrengthUnit = strength.GetDisplayUnit();
    if (!ReadColor(children.Take("SingleColor"), props.SingleColor, errorText)) return false;
    if (!ReadColor(children.Take("BackgroundColor"), props.BackgroundColor, errorText))
        return false;
    if (!ReadColor(children.Take("LeftColor"), props.LeftColor, errorText)) return false;
    if (!ReadColor(children.Take("RightColor"), props.RightColor, errorText)) return false;
    if (!ReadColor(children.Take("CursorColor"), props.CursorColor, errorText)) return false;
    props.UseColorPalette1D = children.TakeIf("UseColorPalette1D") ? 1 : 0;
    if (!ReadColorPalette1D(children.Take("ColorPalette1D"), props.ColorPalette1D, errorText))
        return false;
    props.DrawSingle = children.TakeIf("DrawSingle") ? 1 : 0;
    if (!props.DrawSingle) children.Take("DrawJoined");
    return true;
}

}  // namespace kalvora
