// Writing element trees: the element format, the checks that keep a written file readable,
// and the file writer.
#include <cstdio>
#include <vector>

#include "platform/replacing_file.h"
#include "xml/xml_tree.h"

namespace kalvora {
namespace {

// The DOCTYPE line must fit the 98 characters the reader skips for it.
constexpr std::size_t maxRootNameLength = 36;

const char* const readOnlyMessage =
    "Operating System cannot open file for writing, maybe the file is readonly.";

// The XML declaration, the DOCTYPE line naming the root, and an empty line.
void WriteHeader(std::string& out, const std::string& rootName) {
    out += "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n";
    out += "<!DOCTYPE " + rootName + " SYSTEM \"" + rootName + ".dtd\">\n\n";
}

void Indent(std::string& out, int depth) {
    out.append(static_cast<std::size_t>(depth) * 2, ' ');
}

void WriteEmptyOrBegin(std::string& out, const TXMLItem& item, int depth) {
    Indent(out, depth);
    out += '<';
    out += item.GetElement();
    out += item.GetFirst() == nullptr ? " />\n" : ">\n";
}

void WriteStringElement(std::string& out, const TXMLItem& item, int depth) {
    Indent(out, depth);
    out += '<';
    out += item.GetElement();
    out += '>';
    out += item.GetString();
    out += "</";
    out += item.GetElement();
    out += ">\n";
}

void WriteEnd(std::string& out, const TXMLItem& item, int depth) {
    Indent(out, depth);
    out += "</";
    out += item.GetElement();
    out += ">\n";
}

// Writes `top` and its subtree into `out`, calling `flush(out)` whenever `out` has grown past
// a block, so that a file is written in pieces rather than built whole in memory. Open
// elements are kept on a heap stack, so depth costs no machine stack.
template <typename Flush>
void WriteTree(const TXMLItem& top, int depth, std::string& out, Flush flush) {
    constexpr std::size_t block = 1 << 16;
    if (!top.IsComplex()) {
        WriteStringElement(out, top, depth);
        return;
    }
    WriteEmptyOrBegin(out, top, depth);
    if (top.GetFirst() == nullptr) return;
    struct Open {
        const TXMLItem* element;
        const TXMLItem* nextChild;
        int depth;
    };
    std::vector<Open> open{{&top, top.GetFirst(), depth}};
    while (!open.empty()) {
        Open& parent = open.back();
        const TXMLItem* child = parent.nextChild;
        if (child == nullptr) {
            WriteEnd(out, *parent.element, parent.depth);
            open.pop_back();
            continue;
        }
        parent.nextChild = child->GetNext();
        const int childDepth = parent.depth + 1;
        if (!child->IsComplex()) {
            WriteStringElement(out, *child, childDepth);
        } else {
            WriteEmptyOrBegin(out, *child, childDepth);
            if (child->GetFirst() != nullptr)
                open.push_back({child, child->GetFirst(), childDepth});
        }
        if (out.size() >= block) flush(out);
    }
}

bool IsNameCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

bool IsTrimmed(unsigned char c) {
    return c <= 32;
}

// Why the reader would not give back this element as it stands, or an empty text.
std::string WhyNotWritable(const TXMLItem& item) {
    const std::string& name = item.GetElement();
    if (name.empty()) return "Cannot write an element without a name.";
    for (char c : name) {
        if (!IsNameCharacter(c)) {
            return "Cannot write an element named \"" + name +
                   "\": element names hold only letters and digits.";
        }
    }
    if (item.IsComplex()) return {};
    const std::string& text = item.GetString();
    const std::string subject =
        "Cannot write the text \"" + text + "\" of element \"" + name + "\": ";
    if (text.empty()) return "Cannot write element \"" + name + "\": its text is empty.";
    if (text.find_first_of("<>") != std::string::npos) return subject + "it holds \"<\" or \">\".";
    if (text.find_first_of("\t\r\n") != std::string::npos) {
        return subject + "it holds a tab or a line end.";
    }
    if (IsTrimmed(static_cast<unsigned char>(text.front())) ||
        IsTrimmed(static_cast<unsigned char>(text.back()))) {
        return subject + "it begins or ends with a blank or a control character.";
    }
    return {};
}

}  // namespace

void TXMLItem::Write(std::string& out, int depth) const {
    WriteTree(*this, depth, out, [](std::string&) {});
}

bool TXMLComplexElement::CheckWritable(std::string& error) const {
    if (GetElement().size() > maxRootNameLength) {
        error = "Cannot write a file whose top element \"" + GetElement() +
                "\" has a name longer than " + std::to_string(maxRootNameLength) + " characters.";
        return false;
    }
    std::vector<const TXMLItem*> pending{this};
    while (!pending.empty()) {
        const TXMLItem* item = pending.back();
        pending.pop_back();
        std::string why = WhyNotWritable(*item);
        if (!why.empty()) {
            error = std::move(why);
            return false;
        }
        if (item->IsComplex()) {
            for (const TXMLItem* child = item->GetFirst(); child != nullptr;
                 child = child->GetNext()) {
                pending.push_back(child);
            }
        }
    }
    return true;
}

void TXMLComplexElement::WriteDocument(std::string& out) const {
    WriteHeader(out, GetElement());
    Write(out, 0);
}

bool TXMLComplexElement::WriteFile(const std::filesystem::path& fileName,
                                   std::string& error) const {
    if (!CheckWritable(error)) return false;
    if (platform::IsReadOnlyFile(fileName)) {
        error = readOnlyMessage;
        return false;
    }
    platform::ReplacingFile file;
    if (!file.Open(fileName)) {
        error = std::string(readOnlyMessage) + " (" + file.ErrorText() + ")";
        return false;
    }
    std::string out;
    WriteHeader(out, GetElement());
    WriteTree(*this, 0, out, [&file](std::string& written) {
        file.Write(written);
        written.clear();
    });
    file.Write(out);
    if (!file.Commit()) {
        error =
            "Operating System cannot write the file, it is left as it was: " + file.ErrorText() +
            ".";
        return false;
    }
    return true;
}

}  // namespace kalvora
