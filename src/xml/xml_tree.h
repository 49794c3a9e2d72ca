// The XML element tree: the in-memory form of every XML file of the system, built by the
// grammar matcher while it reads a file (xml_grammar.h) and by the owners of each file kind
// when they save. Two kinds of element: a complex element holds other elements, a string
// element holds one text. No attributes. The tree writes itself as a file of the dialect that
// xml_token.h reads. Standard C++ and platform only.
//
// Building and writing a tree:
//
//     TXMLComplexElement root("ViewVolume");
//     root.AddText("TimeTop", "0");
//     TXMLComplexElement& palette = root.AddElement("ColorPalette1D");
//     palette.AddText("BeginColor", "000000");
//     root.AddElement("DrawSingle");  // no children: written <DrawSingle />
//     std::string error;
//     if (!root.WriteFile(path, error)) ShowMessage(error, caption::fileError, ...);
//
// Walking a matched tree (the grammar has fixed names and order already):
//
//     TXMLChildCursor children(document);
//     const TXMLItem& top = children.Take("TimeTop");
//     if (!ReadNumber(top.GetString(), value)) reason = message + top.PositionText();
//     if (const TXMLItem* single = children.TakeIf("DrawSingle")) ...
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace kalvora {

class TXMLComplexElement;

// The base of both kinds of element. Siblings are chained through their next links; the
// parent owns the whole chain.
class TXMLItem {
  public:
    virtual ~TXMLItem() = default;
    TXMLItem(const TXMLItem&) = delete;
    TXMLItem& operator=(const TXMLItem&) = delete;

    const std::string& GetElement() const { return name_; }
    bool IsComplex() const { return complex_; }
    // The text of a string element; asking a complex element is a programming error.
    const std::string& GetString() const;
    // The first child of a complex element, or nullptr; asking a string element is a
    // programming error.
    const TXMLItem* GetFirst() const;
    // The following sibling, or nullptr.
    const TXMLItem* GetNext() const { return next_; }

    // Where the matcher met the begin tag; 0 for elements built in memory.
    std::int32_t GetLine() const { return line_; }
    std::int32_t GetColumn() const { return column_; }
    void SetPosition(std::int32_t line, std::int32_t column) {
        line_ = line;
        column_ = column;
    }
    // " At line <line>, column <column + 1>.": what a reader appends to the message of a text
    // that its value type rejects.
    std::string PositionText() const;

    // Appends this element and everything below it, indented by two blanks per level of depth.
    void Write(std::string& out, int depth) const;

  protected:
    TXMLItem(std::string name, bool complex) : name_(std::move(name)), complex_(complex) {}

  private:
    friend class TXMLComplexElement;

    TXMLItem* next_ = nullptr;
    std::string name_;
    std::int32_t line_ = 0;
    std::int32_t column_ = 0;
    bool complex_;
};

class TXMLStringElement : public TXMLItem {
  public:
    TXMLStringElement(std::string name, std::string text)
        : TXMLItem(std::move(name), false), text_(std::move(text)) {}

    const std::string& Text() const { return text_; }

  private:
    std::string text_;
};

class TXMLComplexElement : public TXMLItem {
  public:
    explicit TXMLComplexElement(std::string name) : TXMLItem(std::move(name), true) {}
    // Frees the whole subtree without recursion, however long or deep.
    ~TXMLComplexElement() override;

    TXMLItem* GetFirst() { return first_; }
    const TXMLItem* GetFirst() const { return first_; }
    // The last child, or nullptr.
    TXMLItem* GetLast() { return last_; }
    const TXMLItem* GetLast() const { return last_; }

    // Appends a child and takes ownership of it.
    TXMLItem& Add(std::unique_ptr<TXMLItem> child);
    TXMLStringElement& AddText(std::string name, std::string text);
    TXMLComplexElement& AddElement(std::string name);
    // Destroys every child after `child`; with nullptr, destroys all children. The matcher
    // uses it to undo what a failed alternative added.
    void DeleteAfter(TXMLItem* child);

    // Whether the tree can be written so that it reads back the same: element names are
    // letters and digits, the root's name fits the header line, and every text is non-empty,
    // holds no "<", ">", tab or line end, and neither begins nor ends with a blank or a
    // control character (the reader trims those). Otherwise false, with a message that says
    // which element is at fault.
    bool CheckWritable(std::string& error) const;
    // Appends a whole file with this element as root: the XML declaration, the DOCTYPE line,
    // an empty line and the tree. The tree must pass CheckWritable.
    void WriteDocument(std::string& out) const;
    // Writes the file through a temporary file renamed over the target, so that a failure
    // leaves an existing file as it was. Refuses a tree that fails CheckWritable and a
    // read-only target. On failure returns false with the reason in `error`.
    bool WriteFile(const std::filesystem::path& fileName, std::string& error) const;

  private:
    TXMLItem* first_ = nullptr;
    TXMLItem* last_ = nullptr;
};

// Whether two trees hold the same names, texts and structure (positions aside), including the
// siblings that follow each of them.
bool SameTree(const TXMLItem* a, const TXMLItem* b);

// Walks the children of a complex element in order, for readers of a matched tree. The
// grammar has fixed names and order, so Take asserts the name it expects.
class TXMLChildCursor {
  public:
    explicit TXMLChildCursor(const TXMLItem& parent) : current_(parent.GetFirst()) {}

    bool AtEnd() const { return current_ == nullptr; }
    // Whether the next child is named `name`.
    bool Is(std::string_view name) const {
        return current_ != nullptr && current_->GetElement() == name;
    }
    // The next child, which must be named `name`.
    const TXMLItem& Take(std::string_view name);
    // The next child when it is named `name` (an optional element or a choice), else nullptr.
    const TXMLItem* TakeIf(std::string_view name);

  private:
    const TXMLItem* current_;
};

}  // namespace kalvora
