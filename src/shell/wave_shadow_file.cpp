#include "shell/wave_shadow_file.h"

#include <algorithm>
#include <cmath>
#include <system_error>
#include <utility>

#include "documents/unit_factor.h"
#include "documents/unit_integer.h"
#include "documents/unit_time.h"
#include "documents/unit_wave_value.h"
#include "documents/wave_document.h"
#include "shell/view_settings_xml.h"
#include "shell/wave_shadow_grammar.h"
#include "xml/xml_document.h"

namespace kalvora {
namespace {

// Reads an element's text through a value type; on failure the message gets the element's
// position.
bool ReadField(unit& value, const TXMLItem& item, const std::string& fieldName,
               std::string& errorText) {
    if (value.ReadText(item.GetString(), fieldName, errorText)) return true;
    errorText += item.PositionText();
    return false;
}

// A value its type accepts but the wave cannot use, in the value types' words.
bool Refuse(const std::string& fieldName, const std::string& reason, const TXMLItem& item,
            std::string& errorText) {
    errorText = "In " + fieldName + ": " + reason + item.PositionText();
    return false;
}

// Two WavePos children of parent, the fields named "<name> WavePos 1" and "... 2". The
// second may not lie before the first; with rising it must lie after it.
bool ReadPositionPair(const TXMLItem& parent, const std::string& name, bool rising,
                      std::int32_t& first, std::int32_t& second, std::string& errorText) {
    TXMLChildCursor ends(parent);
    const TXMLItem& firstItem = ends.Take("WavePos");
    const TXMLItem& secondItem = ends.Take("WavePos");
    const std::string firstField = name + " WavePos 1";
    const std::string secondField = name + " WavePos 2";
    unitIntegerPos a(0);
    unitIntegerPos b(0);
    if (!ReadField(a, firstItem, firstField, errorText)) return false;
    if (!ReadField(b, secondItem, secondField, errorText)) return false;
    if (rising && b.GetValue() <= a.GetValue()) {
        return Refuse(secondField, "Value must be more than " + firstField + ".", secondItem,
                      errorText);
    }
    if (b.GetValue() < a.GetValue()) {
        return Refuse(secondField, "Value must be no less than " + firstField + ".", secondItem,
                      errorText);
    }
    first = a.GetValue();
    second = b.GetValue();
    return true;
}

bool ReadValueDraw(const TXMLItem& element, TWaveShadow& shadow, std::string& errorText) {
    TXMLChildCursor children(element);
    if (const TXMLItem* part = children.TakeIf("Part")) {
        return ReadPositionPair(*part, "Part", false, shadow.selectionBegin, shadow.selectionEnd,
                                errorText);
    }
    TXMLChildCursor cursor(children.Take("Cursor"));
    unitIntegerPos at(0);
    if (!ReadField(at, cursor.Take("WavePos"), "Cursor WavePos", errorText)) return false;
    shadow.selectionBegin = shadow.selectionEnd = at.GetValue();
    return true;
}

// The nodes are kept in file order, whatever their positions; but the drawing needs a node
// at each end to be computed over its whole length.
bool ReadUserDraw(const TXMLItem& element, TWaveShadow& shadow, std::string& errorText) {
    TXMLChildCursor children(element);
    TShadowDrawing drawing;
    drawing.kind = children.TakeIf("DrawParabola") ? TDrawKind::smooth : TDrawKind::linear;
    if (drawing.kind == TDrawKind::linear) children.Take("DrawLinear");
    const TXMLItem* firstPosition = nullptr;
    const TXMLItem* lastPosition = nullptr;
    while (const TXMLItem* point = children.TakeIf("DrawPoint")) {
        TXMLChildCursor parts(*point);
        const TXMLItem& positionItem = parts.Take("Position");
        unitFactorPosMax1 position(0.0, DisplayUnit::none);
        if (!ReadField(position, positionItem, "DrawPoint Position", errorText)) return false;
        unitWaveVal value(0, DisplayUnit::sample);
        if (!ReadField(value, parts.Take("WaveValue"), "DrawPoint WaveValue", errorText))
            return false;
        drawing.nodes.push_back(TDrawNode{value.GetValue(), position.GetValue(), false});
        if (firstPosition == nullptr) firstPosition = &positionItem;
        lastPosition = &positionItem;
    }
    if (drawing.nodes.size() < 2) {
        return Refuse("UserDraw", "A drawing must have at least two DrawPoints.", element,
                      errorText);
    }
    if (drawing.nodes.front().position != 0.0) {
        return Refuse("DrawPoint Position", "The first DrawPoint must lie at 0.", *firstPosition,
                      errorText);
    }
    if (drawing.nodes.back().position != 1.0) {
        return Refuse("DrawPoint Position", "The last DrawPoint must lie at 1.", *lastPosition,
                      errorText);
    }
    unitTimePos length(1.0, DisplayUnit::second);
    if (!ReadField(length, children.Take("DrawLength"), "DrawLength", errorText)) return false;
    drawing.length = length.GetValue();
    shadow.drawing = std::move(drawing);
    return true;
}

bool ReadView(const TXMLItem& element, std::optional<TViewZoom>& zoom, std::string& errorText) {
    TXMLChildCursor children(element);
    zoom.reset();
    const TXMLItem* zoomItem = children.TakeIf("Zoom");
    if (zoomItem == nullptr) return true;
    TViewZoom range;
    if (!ReadPositionPair(*zoomItem, "Zoom", true, range.first, range.last, errorText))
        return false;
    zoom = range;
    return true;
}

bool ReadEmptyWave(const TXMLItem& element, TWaveShadow& shadow, std::string& errorText) {
    TXMLChildCursor children(element);
    waveFileProps props{44100, 2, 2};
    props.MoSt = children.TakeIf("Mono") ? 1 : 2;
    if (props.MoSt == 2) children.Take("Stereo");
    const TXMLItem& freqItem = children.Take("SampleFreq");
    unitIntegerPosMore freq(44100);
    if (!ReadField(freq, freqItem, "SampleFreq", errorText)) return false;
    if (freq.GetValue() > kMaximumShadowSampleFreq) {
        return Refuse(
            "SampleFreq",
            "Value must be no more than " + std::to_string(kMaximumShadowSampleFreq) + ".",
            freqItem, errorText);
    }
    const TXMLItem& bytesItem = children.Take("BytesPerSample");
    unitIntegerPosMore bytes(2);
    if (!ReadField(bytes, bytesItem, "BytesPerSample", errorText)) return false;
    if (bytes.GetValue() != 1 && bytes.GetValue() != 2)
        return Refuse("BytesPerSample", "Value must be 1 or 2.", bytesItem, errorText);
    props.Freq = freq.GetValue();
    props.BytesPSample = static_cast<short>(bytes.GetValue());
    shadow.emptyWave = props;
    return true;
}

TShadowReadResult Interpret(const TXMLReadResult& file, TWaveShadow& shadow,
                            std::string& errorText) {
    switch (file.outcome) {
        case TXMLReadOutcome::missing:
            return TShadowReadResult::noFile;
        case TXMLReadOutcome::unknownVersion:
            errorText = UnknownVersionText("Wave Shadow Files", kShadowFileVersion, file.version);
            return TShadowReadResult::failed;
        case TXMLReadOutcome::rejected:
            errorText = file.message;
            return TShadowReadResult::failed;
        case TXMLReadOutcome::read:
            break;
    }
    TWaveShadow result;
    if (!ReadUnitWave(file.Document(), result, errorText)) return TShadowReadResult::failed;
    shadow = std::move(result);
    return TShadowReadResult::read;
}

const TDTDItem* GrammarOfVersion(const std::string& version) {
    return version == kShadowFileVersion ? UnitWaveGrammar().get() : nullptr;
}

// Seven significant digits of a number near 0 can take more decimals than the number reader
// accepts (ten), and such a file could not be read again: fractions and times are written
// rounded to nine decimals, far below one sample of any drawing.
double Writable(double value) {
    return std::round(value * 1e9) / 1e9;
}

void AddPositions(TXMLComplexElement& parent, std::int32_t first, std::int32_t second) {
    parent.AddText("WavePos", unitIntegerPos(first).GetText());
    parent.AddText("WavePos", unitIntegerPos(second).GetText());
}

}  // namespace

TWaveShadow ShadowOf(const TUnitWave& document) {
    TWaveShadow shadow;
    if (document.UserDrawing()) {
        TShadowDrawing drawing;
        drawing.kind = document.DrawKind();
        drawing.length = document.DrawLength();
        for (const TDrawNode& node : document.DrawNodes())
            drawing.nodes.push_back(TDrawNode{node.value, node.position, false});
        shadow.drawing = std::move(drawing);
    } else {
        shadow.selectionBegin = document.SelMin();
        shadow.selectionEnd = document.SelMax();
    }
    const std::unique_ptr<TWindowViewState> shown =
        document.Window() != nullptr ? document.Window()->ViewState() : nullptr;
    const TWindowViewState* views = shown ? shown.get() : document.PendingViewState();
    if (const auto* state = dynamic_cast<const TWaveViewState*>(views)) shadow.views = *state;
    shadow.views.loading = false;
    if (document.GetValues() == 0) shadow.emptyWave = document.GetWaveFileProps();
    return shadow;
}

std::unique_ptr<TXMLComplexElement> WriteUnitWave(const TWaveShadow& shadow) {
    auto root = std::make_unique<TXMLComplexElement>("UnitWave");
    root->AddText("Version", std::string(kShadowFileVersion));
    if (shadow.drawing) {
        const TShadowDrawing& drawing = *shadow.drawing;
        TXMLComplexElement& userDraw = root->AddElement("UserDraw");
        userDraw.AddElement(drawing.kind == TDrawKind::smooth ? "DrawParabola" : "DrawLinear");
        for (const TDrawNode& node : drawing.nodes) {
            TXMLComplexElement& point = userDraw.AddElement("DrawPoint");
            point.AddText("Position",
                          unitFactorPosMax1(Writable(node.position), DisplayUnit::none).GetText());
            point.AddText("WaveValue", unitWaveVal(node.value, DisplayUnit::sample).GetText());
        }
        userDraw.AddText("DrawLength",
                         unitTimePos(Writable(drawing.length), DisplayUnit::second).GetText());
    } else {
        TXMLComplexElement& valueDraw = root->AddElement("ValueDraw");
        if (shadow.selectionBegin == shadow.selectionEnd) {
            valueDraw.AddElement("Cursor").AddText("WavePos",
                                                   unitIntegerPos(shadow.selectionBegin).GetText());
        } else {
            AddPositions(valueDraw.AddElement("Part"),
                         std::min(shadow.selectionBegin, shadow.selectionEnd),
                         std::max(shadow.selectionBegin, shadow.selectionEnd));
        }
    }
    const double split = Writable(std::clamp(shadow.views.splitPosition, 0.0, 1.0));
    root->AddText("SplitPosition", unitFactorPosMax1(split, DisplayUnit::none).GetText());
    for (const std::optional<TViewZoom>& zoom : shadow.views.zooms) {
        TXMLComplexElement& view = root->AddElement("View");
        if (zoom) AddPositions(view.AddElement("Zoom"), zoom->first, zoom->last);
    }
    root->AddElement(shadow.views.showVolume ? "ShowVolume" : "ShowWave");
    root->Add(WriteViewWave(shadow.views.waveSettings));
    root->Add(WriteViewVolume(shadow.views.volumeSettings));
    if (shadow.emptyWave) {
        TXMLComplexElement& empty = root->AddElement("EmptyWave");
        empty.AddElement(shadow.emptyWave->MoSt == 1 ? "Mono" : "Stereo");
        empty.AddText("SampleFreq", unitIntegerPosMore(shadow.emptyWave->Freq).GetText());
        empty.AddText("BytesPerSample",
                      unitIntegerPosMore(shadow.emptyWave->BytesPSample).GetText());
    }
    return root;
}

bool ReadUnitWave(const TXMLItem& element, TWaveShadow& shadow, std::string& errorText) {
    TXMLChildCursor children(element);
    children.Take("Version");
    if (const TXMLItem* valueDraw = children.TakeIf("ValueDraw")) {
        shadow.drawing.reset();
        if (!ReadValueDraw(*valueDraw, shadow, errorText)) return false;
    } else if (!ReadUserDraw(children.Take("UserDraw"), shadow, errorText)) {
        return false;
    }
    unitFactorPosMax1 split(0.0, DisplayUnit::none);
    if (!ReadField(split, children.Take("SplitPosition"), "SplitPosition", errorText)) return false;
    shadow.views.splitPosition = split.GetValue();
    for (std::optional<TViewZoom>& zoom : shadow.views.zooms) {
        if (!ReadView(children.Take("View"), zoom, errorText)) return false;
    }
    shadow.views.showVolume = children.TakeIf("ShowVolume") != nullptr;
    if (!shadow.views.showVolume) children.Take("ShowWave");
    if (!ReadViewWave(children.Take("ViewWave"), shadow.views.waveSettings, errorText))
        return false;
    if (!ReadViewVolume(children.Take("ViewVolume"), shadow.views.volumeSettings, errorText))
        return false;
    shadow.emptyWave.reset();
    if (const TXMLItem* empty = children.TakeIf("EmptyWave"))
        return ReadEmptyWave(*empty, shadow, errorText);
    return true;
}

TShadowReadResult ReadShadowFile(const std::filesystem::path& fileName, TWaveShadow& shadow,
                                 std::string& errorText) {
    std::error_code error;
    if (!std::filesystem::exists(fileName, error)) return TShadowReadResult::noFile;
    const TXMLReadResult file = ReadXMLFile(fileName, "", GrammarOfVersion);
    if (file.outcome == TXMLReadOutcome::missing) {
        // It exists but cannot be read (a folder, no permission): say so rather than lose it.
        errorText = "The file cannot be opened.";
        return TShadowReadResult::failed;
    }
    return Interpret(file, shadow, errorText);
}

TShadowReadResult ReadShadowText(std::string_view bytes, TWaveShadow& shadow,
                                 std::string& errorText) {
    return Interpret(ReadXMLText(bytes, "", GrammarOfVersion), shadow, errorText);
}

void ApplyShadow(const TWaveShadow& shadow, TUnitWave& document, bool loading,
                 std::unique_ptr<Sound>& sound) {
    if (shadow.drawing) {
        const TShadowDrawing& drawing = *shadow.drawing;
        document.DrawNodes().Clear();
        for (const TDrawNode& node : drawing.nodes)
            document.DrawNodes().Append(node.position, node.value);
        document.SetDrawingState(true, drawing.kind, drawing.length);
    } else {
        document.SetDrawingState(false, document.DrawKind(), document.DrawLength());
        if (shadow.selectionBegin == shadow.selectionEnd) {
            document.SetCursor(shadow.selectionBegin);
        } else {
            document.SetSelection(shadow.selectionBegin, shadow.selectionEnd);
        }
    }
    auto views = std::make_unique<TWaveViewState>(shadow.views);
    views->loading = loading;
    document.KeepViewState(std::move(views));
    if (shadow.emptyWave) sound = MakeEmptySound(*shadow.emptyWave);
}

bool WriteShadow(const TUnitWave& document, const std::string& fileName, std::string& errorText) {
    return WriteUnitWave(ShadowOf(document))->WriteFile(fileName, errorText);
}

TShadowReadResult ReadShadow(TUnitWave& document, const std::string& fileName, bool loading,
                             std::unique_ptr<Sound>& sound, std::string& errorText) {
    TWaveShadow shadow;
    const TShadowReadResult result = ReadShadowFile(fileName, shadow, errorText);
    if (result == TShadowReadResult::read) ApplyShadow(shadow, document, loading, sound);
    return result;
}

bool TWaveShadowFiles::Write(const TUnitWave& document, const std::string& shadowFileName,
                             std::string& errorText) {
    if (WriteShadow(document, shadowFileName, errorText)) return true;
    errorText += ' ';  // the document's message goes on after it
    return false;
}

TShadowReadResult TWaveShadowFiles::Read(TUnitWave& document, const std::string& shadowFileName,
                                         bool loading, std::unique_ptr<Sound>& replacement,
                                         std::string& errorText) {
    return ReadShadow(document, shadowFileName, loading, replacement, errorText);
}

}  // namespace kalvora
