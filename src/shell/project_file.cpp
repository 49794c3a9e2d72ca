#include "shell/project_file.h"

#include <charconv>
#include <system_error>

#include "documents/unit_integer.h"
#include "xml/xml_document.h"

namespace kalvora {
namespace {

constexpr std::string_view kSavedCopyPrefix = "savedProjectWindowFile";
constexpr std::string_view kNewCopyPrefix = "newProjectWindowFile";

bool ReadField(unitInteger& value, const TXMLItem& item, const std::string& fieldName,
               std::string& errorText) {
    if (value.ReadText(item.GetString(), fieldName, errorText)) return true;
    errorText += item.PositionText();
    return false;
}

bool Refuse(const std::string& fieldName, const std::string& reason, const TXMLItem& item,
            std::string& errorText) {
    errorText = "In " + fieldName + ": " + reason + item.PositionText();
    return false;
}

TDTDNode BoundsGrammar() {
    using namespace dtd;
    return Sequence(Text("Left"), Text("Top"), Text("Width"), Text("Height"),
                    Choice(Empty("Normal"), Empty("Minimized"), Empty("Maximized")));
}

void AddBounds(TXMLComplexElement& parent, const TProjectBounds& bounds) {
    parent.AddText("Left", unitInteger(bounds.left).GetText());
    parent.AddText("Top", unitInteger(bounds.top).GetText());
    parent.AddText("Width", unitInteger(bounds.width).GetText());
    parent.AddText("Height", unitInteger(bounds.height).GetText());
    switch (bounds.show) {
        case TWindowShow::normal:
            parent.AddElement("Normal");
            break;
        case TWindowShow::minimized:
            parent.AddElement("Minimized");
            break;
        case TWindowShow::maximized:
            parent.AddElement("Maximized");
            break;
    }
}

bool ReadBounds(TXMLChildCursor& children, TProjectBounds& bounds, std::string& errorText) {
    struct Field {
        const char* name;
        int* target;
    };
    const Field fields[] = {{"Left", &bounds.left},
                            {"Top", &bounds.top},
                            {"Width", &bounds.width},
                            {"Height", &bounds.height}};
    for (const Field& field : fields) {
        unitInteger value(0);
        if (!ReadField(value, children.Take(field.name), field.name, errorText)) return false;
        *field.target = value.GetValue();
    }
    if (children.TakeIf("Minimized")) {
        bounds.show = TWindowShow::minimized;
    } else if (children.TakeIf("Maximized")) {
        bounds.show = TWindowShow::maximized;
    } else {
        children.Take("Normal");
        bounds.show = TWindowShow::normal;
    }
    return true;
}

bool ReadDocument(const TXMLItem& element, TProjectWindow& window, std::string& errorText) {
    window.kind = element.GetElement() == "Music" ? TUnitKind::music : TUnitKind::wave;
    TXMLChildCursor children(element);
    if (const TXMLItem* file = children.TakeIf("File")) window.file = file->GetString();
    if (const TXMLItem* temp = children.TakeIf("TempFile")) {
        unitIntegerPos number(0);
        if (!ReadField(number, *temp, "TempFile", errorText)) return false;
        if (number.GetValue() > kMaximumTempFile) {
            return Refuse("TempFile",
                          "Value must be no more than " + std::to_string(kMaximumTempFile) + ".",
                          *temp, errorText);
        }
        window.tempFile = number.GetValue();
    }
    if (window.kind == TUnitKind::music && window.tempFile < 0 && window.file.empty())
        return Refuse("Music", "A music document needs a File or a TempFile.", element, errorText);
    return true;
}

bool ReadWindow(const TXMLItem& element, TProjectWindow& window, std::string& errorText) {
    TXMLChildCursor children(element);
    const TXMLItem* document = children.TakeIf("Wave");
    if (document == nullptr) document = &children.Take("Music");
    if (!ReadDocument(*document, window, errorText)) return false;
    if (const TXMLItem* name = children.TakeIf("Name")) window.name = name->GetString();
    return ReadBounds(children, window.bounds, errorText);
}

TProjectReadResult Interpret(const TXMLReadResult& file, TProject& project,
                             std::string& errorText) {
    switch (file.outcome) {
        case TXMLReadOutcome::missing:
            return TProjectReadResult::missing;
        case TXMLReadOutcome::unknownVersion:
            errorText = UnknownVersionText("Project Files", kProjectFileVersion, file.version);
            return TProjectReadResult::failed;
        case TXMLReadOutcome::rejected:
            errorText = file.message;
            return TProjectReadResult::failed;
        case TXMLReadOutcome::read:
            break;
    }
    TProject result;
    if (!ReadProjectTree(file.Document(), result, errorText)) return TProjectReadResult::failed;
    project = std::move(result);
    return TProjectReadResult::read;
}

const TDTDItem* GrammarOfVersion(const std::string& version) {
    return version == kProjectFileVersion ? ProjectGrammar().get() : nullptr;
}

}  // namespace

const TDTDNode& ProjectGrammar() {
    using namespace dtd;
    static const TDTDNode grammar = [] {
        const TDTDNode documentContent =
            Sequence(Optional(Text("File")), Optional(Text("TempFile")));
        const TDTDNode window = Element(
            "Window", Choice(Element("Wave", documentContent), Element("Music", documentContent)),
            Optional(Text("Name")), BoundsGrammar());
        return Element("Project", Text("Version"), Text("NoNameCounter"),
                       Element("Frame", BoundsGrammar()), ZeroOrMore(window));
    }();
    return grammar;
}

std::unique_ptr<TXMLComplexElement> WriteProjectTree(const TProject& project, bool exported) {
    auto root = std::make_unique<TXMLComplexElement>("Project");
    root->AddText("Version", std::string(kProjectFileVersion));
    root->AddText("NoNameCounter", unitInteger(project.noNameCounter).GetText());
    AddBounds(root->AddElement("Frame"), project.frame);
    for (const TProjectWindow& window : project.windows) {
        TXMLComplexElement& element = root->AddElement("Window");
        TXMLComplexElement& document =
            element.AddElement(window.kind == TUnitKind::music ? "Music" : "Wave");
        if (!exported && !window.file.empty()) document.AddText("File", window.file);
        if (window.tempFile >= 0) document.AddText("TempFile", std::to_string(window.tempFile));
        if (!window.name.empty()) element.AddText("Name", window.name);
        AddBounds(element, window.bounds);
    }
    return root;
}

bool ReadProjectTree(const TXMLItem& element, TProject& project, std::string& errorText) {
    TXMLChildCursor children(element);
    children.Take("Version");
    unitInteger counter(0);
    if (!ReadField(counter, children.Take("NoNameCounter"), "NoNameCounter", errorText))
        return false;
    project.noNameCounter = counter.GetValue();
    TXMLChildCursor frame(children.Take("Frame"));
    if (!ReadBounds(frame, project.frame, errorText)) return false;
    project.windows.clear();
    while (children.Is("Window")) {
        TProjectWindow window;
        if (!ReadWindow(children.Take("Window"), window, errorText)) return false;
        project.windows.push_back(std::move(window));
    }
    return true;
}

TProjectReadResult ReadProjectFile(const std::filesystem::path& fileName, TProject& project,
                                   std::string& errorText) {
    const TXMLReadResult file = ReadXMLFile(fileName, "", GrammarOfVersion);
    if (file.outcome == TXMLReadOutcome::missing) {
        std::error_code error;
        if (std::filesystem::exists(fileName, error)) {
            errorText = "The file cannot be opened.";
            return TProjectReadResult::failed;
        }
    }
    return Interpret(file, project, errorText);
}

TProjectReadResult ReadProjectText(std::string_view bytes, TProject& project,
                                   std::string& errorText) {
    return Interpret(ReadXMLText(bytes, "", GrammarOfVersion), project, errorText);
}

std::filesystem::path CopyFolderOf(const std::filesystem::path& projectFile) {
    std::filesystem::path folder = projectFile.parent_path();
    return folder / (projectFile.stem().string() + "TempSaveFiles");
}

std::filesystem::path CopyBaseName(const std::filesystem::path& projectFile, int number) {
    return CopyFolderOf(projectFile) / (std::string(kSavedCopyPrefix) + std::to_string(number));
}

std::optional<int> CopyNumberOfFileName(std::string_view fileName) {
    std::string_view rest;
    if (fileName.starts_with(kSavedCopyPrefix)) {
        rest = fileName.substr(kSavedCopyPrefix.size());
    } else if (fileName.starts_with(kNewCopyPrefix)) {
        rest = fileName.substr(kNewCopyPrefix.size());
    } else {
        return std::nullopt;
    }
    const std::size_t dot = rest.find('.');
    if (dot == std::string_view::npos || dot == 0) return std::nullopt;
    const std::string_view extension = rest.substr(dot);
    bool known = false;
    for (std::string_view candidate : kCopyExtensions)
        known = known || extension == candidate;
    if (!known) return std::nullopt;
    int number = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + dot, number);
    if (error != std::errc() || end != rest.data() + dot || number < 0) return std::nullopt;
    return number;
}

}  // namespace kalvora
