#include "xml/xml_document.h"

#include <gtest/gtest.h>

#include <string>

#include "xml/xml_test_support.h"

namespace kalvora {
namespace {

namespace fs = std::filesystem;

// Grammars of the shape the file owners use: a version, choices of empty elements, an
// optional element, a repeated nested element and a grammar used inside another.
const TDTDNode& PaletteGrammar() {
    using namespace dtd;
    static const TDTDNode grammar = Element(
        "Palette", Text("BeginColor"),
        ZeroOrMore(Element("Item", Text("Position"), Optional(Empty("UseAfter")), Text("Color"))),
        Text("EndColor"));
    return grammar;
}

const TDTDNode& SettingsGrammar() {
    using namespace dtd;
    static const TDTDNode grammar = Element(
        "Settings", Text("Version"), Choice(Empty("Linear"), Empty("Log")), Optional(Text("Label")),
        PaletteGrammar(), OneOrMore(Element("View", Text("Name"))));
    return grammar;
}

const TDTDItem* PickSettings(const std::string& version) {
    return version == "8.0" ? SettingsGrammar().get() : nullptr;
}

std::unique_ptr<TXMLComplexElement> SampleSettings() {
    auto root = std::make_unique<TXMLComplexElement>("Settings");
    root->AddText("Version", "8.0");
    root->AddElement("Log");
    root->AddText("Label", "a &amp; b, 100% /2");
    TXMLComplexElement& palette = root->AddElement("Palette");
    palette.AddText("BeginColor", "000000");
    for (int i = 0; i < 3; ++i) {
        TXMLComplexElement& item = palette.AddElement("Item");
        item.AddText("Position", "0." + std::to_string(i));
        if (i == 1) item.AddElement("UseAfter");
        item.AddText("Color", "FF80" + std::to_string(i) + "0");
    }
    palette.AddText("EndColor", "FFFFFF");
    root->AddElement("View").AddText("Name", "Left \xe9t\xe9 view");
    root->AddElement("View").AddText("Name", "Right");
    return root;
}

class XMLDocumentTest : public testing::ScratchFolderTest {};

TEST_F(XMLDocumentTest, WrittenTreeReadsBackEqual) {
    const auto tree = SampleSettings();
    std::string error;
    const fs::path file = folder_ / "settings.kvw";
    ASSERT_TRUE(tree->WriteFile(file, error)) << error;
    const TXMLReadResult read = ReadXMLFile(file, "", PickSettings);
    ASSERT_EQ(read.outcome, TXMLReadOutcome::read) << read.message;
    EXPECT_EQ(read.version, "8.0");
    EXPECT_TRUE(SameTree(&read.Document(), tree.get()));
    EXPECT_EQ(read.Document().GetNext(), nullptr);

    // How an owner walks it: names and order are settled, positions serve its messages.
    TXMLChildCursor settings(read.Document());
    EXPECT_EQ(settings.Take("Version").GetString(), "8.0");
    EXPECT_EQ(settings.TakeIf("Linear"), nullptr);
    EXPECT_NE(settings.TakeIf("Log"), nullptr);
    EXPECT_EQ(settings.Take("Label").PositionText(), " At line 7, column 10.");
    TXMLChildCursor palette(settings.Take("Palette"));
    EXPECT_EQ(palette.Take("BeginColor").GetString(), "000000");
    int items = 0;
    while (palette.TakeIf("Item") != nullptr) ++items;
    EXPECT_EQ(items, 3);
    EXPECT_EQ(palette.Take("EndColor").GetString(), "FFFFFF");
    EXPECT_TRUE(palette.AtEnd());

    // The same file with CR LF line ends gives the same tree.
    const TXMLReadResult crlf =
        ReadXMLText(testing::ToCrLf(testing::Contents(file)), "", PickSettings);
    ASSERT_EQ(crlf.outcome, TXMLReadOutcome::read) << crlf.message;
    EXPECT_TRUE(SameTree(&crlf.Document(), tree.get()));
}

TEST_F(XMLDocumentTest, OutcomesTellMissingUnknownAndRejectedFiles) {
    EXPECT_EQ(ReadXMLFile(folder_ / "missing.kvw", "", PickSettings).outcome,
              TXMLReadOutcome::missing);

    const TXMLReadResult old = ReadXMLText(
        testing::WithHeader("<Settings><Version>7.0</Version></Settings>"), "", PickSettings);
    EXPECT_EQ(old.outcome, TXMLReadOutcome::unknownVersion);
    EXPECT_EQ(old.version, "7.0");

    const TXMLReadResult noVersion =
        ReadXMLText(testing::WithHeader("<Settings></Settings>"), "8.0", PickSettings);
    EXPECT_EQ(noVersion.outcome, TXMLReadOutcome::rejected);
    EXPECT_EQ(noVersion.message,
              "unexpected end of element \"Settings\", expect begin of element \"Version\". at "
              "line 4, column 20.");

    const TXMLReadResult broken = ReadXMLText(
        testing::WithHeader("<Settings>\n  <Version>8.0</Version>\n  <Log>\n"), "", PickSettings);
    EXPECT_EQ(broken.outcome, TXMLReadOutcome::rejected);
    EXPECT_EQ(broken.message,
              "unexpected end-of-file, expect end of element \"Log\", at line 7, column 0.");

    const TXMLReadResult lexical =
        ReadXMLText(testing::WithHeader("<Settings a=\"1\">"), "", PickSettings);
    EXPECT_EQ(lexical.outcome, TXMLReadOutcome::rejected);
    EXPECT_EQ(lexical.message, "unexpected 'a' found in line 4, column 11.");
}

}  // namespace
}  // namespace kalvora
