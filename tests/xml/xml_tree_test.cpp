#include "xml/xml_tree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "xml/xml_test_support.h"

namespace kalvora {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> ChildNames(const TXMLComplexElement& parent) {
    std::vector<std::string> names;
    for (const TXMLItem* child = parent.GetFirst(); child != nullptr; child = child->GetNext()) {
        names.push_back(child->GetElement());
    }
    return names;
}

using Strings = std::vector<std::string>;

TEST(XMLTreeTest, AddAppendsAndDeleteAfterCutsTheChain) {
    TXMLComplexElement parent("P");
    EXPECT_EQ(parent.GetLast(), nullptr);
    TXMLItem& a = parent.AddText("A", "1");
    parent.AddElement("B");
    TXMLItem& c = parent.AddText("C", "3");
    EXPECT_EQ(ChildNames(parent), (Strings{"A", "B", "C"}));
    EXPECT_EQ(parent.GetLast(), &c);

    parent.DeleteAfter(&c);  // the last child: nothing goes
    EXPECT_EQ(ChildNames(parent), (Strings{"A", "B", "C"}));
    parent.DeleteAfter(&a);
    EXPECT_EQ(ChildNames(parent), Strings{"A"});
    EXPECT_EQ(parent.GetLast(), &a);
    parent.AddText("D", "4");
    EXPECT_EQ(ChildNames(parent), (Strings{"A", "D"}));
    parent.DeleteAfter(nullptr);  // none: every child goes
    EXPECT_EQ(parent.GetFirst(), nullptr);
    EXPECT_EQ(parent.GetLast(), nullptr);
    parent.AddElement("E");
    EXPECT_EQ(ChildNames(parent), Strings{"E"});
}

TEST(XMLTreeTest, HugeAndDeepTreesAreFreedWithoutRecursion) {
    {
        TXMLComplexElement wide("Wide");
        for (int i = 0; i < 500000; ++i)
            wide.AddElement("Note").AddText("Pitch", "5");
    }
    {
        TXMLComplexElement deep("Deep");
        TXMLComplexElement* inner = &deep;
        for (int i = 0; i < 500000; ++i)
            inner = &inner->AddElement("Part");
        inner->AddText("Leaf", "x");
        deep.DeleteAfter(nullptr);
        inner = &deep;
        for (int i = 0; i < 500000; ++i)
            inner = &inner->AddElement("Part");
    }
    SUCCEED();
}

TEST(XMLTreeTest, ElementsAreWrittenWithTwoBlanksPerLevel) {
    TXMLComplexElement root("ViewVolume");
    root.AddText("TimeTop", "0");
    root.AddElement("DrawSingle");
    TXMLComplexElement& level1 = root.AddElement("A");
    level1.AddElement("B").AddElement("C").AddText("D", "100% a &amp; %s");
    std::string out;
    root.Write(out, 0);
    EXPECT_EQ(out,
              "<ViewVolume>\n"
              "  <TimeTop>0</TimeTop>\n"
              "  <DrawSingle />\n"
              "  <A>\n"
              "    <B>\n"
              "      <C>\n"
              "        <D>100% a &amp; %s</D>\n"
              "      </C>\n"
              "    </B>\n"
              "  </A>\n"
              "</ViewVolume>\n");

    std::string nested;
    level1.GetFirst()->Write(nested, 3);
    EXPECT_EQ(nested.substr(0, 10), "      <B>\n");
}

TEST(XMLTreeTest, DocumentHasDeclarationDoctypeAndEmptyLine) {
    TXMLComplexElement root("ViewVolume");
    root.AddText("TimeTop", "0");
    root.AddElement("DrawSingle");
    std::string out;
    root.WriteDocument(out);
    EXPECT_EQ(out,
              "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
              "<!DOCTYPE ViewVolume SYSTEM \"ViewVolume.dtd\">\n"
              "\n"
              "<ViewVolume>\n"
              "  <TimeTop>0</TimeTop>\n"
              "  <DrawSingle />\n"
              "</ViewVolume>\n");

    TXMLComplexElement empty("Alone");
    std::string alone;
    empty.WriteDocument(alone);
    EXPECT_EQ(alone.substr(alone.size() - 10), "<Alone />\n");
}

TEST(XMLTreeTest, TextsThatWouldNotReadBackAreRefused) {
    const struct {
        std::string text;
        const char* message;
    } cases[] = {
        {"", "Cannot write element \"T\": its text is empty."},
        {"a<b", "Cannot write the text \"a<b\" of element \"T\": it holds \"<\" or \">\"."},
        {"a>b", "Cannot write the text \"a>b\" of element \"T\": it holds \"<\" or \">\"."},
        {" a",
         "Cannot write the text \" a\" of element \"T\": it begins or ends with a blank "
         "or a control character."},
        {"a ",
         "Cannot write the text \"a \" of element \"T\": it begins or ends with a blank "
         "or a control character."},
        {"\x01"
         "a",
         "Cannot write the text \"\x01"
         "a\" of element \"T\": it begins or ends "
         "with a blank or a control character."},
        {"a\tb", "Cannot write the text \"a\tb\" of element \"T\": it holds a tab or a line end."},
        {"a\nb", "Cannot write the text \"a\nb\" of element \"T\": it holds a tab or a line end."},
        {"a\rb", "Cannot write the text \"a\rb\" of element \"T\": it holds a tab or a line end."},
    };
    for (const auto& c : cases) {
        TXMLComplexElement root("Doc");
        root.AddElement("Inner").AddText("T", c.text);
        std::string error;
        EXPECT_FALSE(root.CheckWritable(error)) << c.text;
        EXPECT_EQ(error, c.message);
    }
    TXMLComplexElement fine("Doc");
    fine.AddText("T", "a & b, 100%, \xe9t\xe9, a/b, a  b");
    std::string error;
    EXPECT_TRUE(fine.CheckWritable(error)) << error;
}

TEST(XMLTreeTest, NamesThatWouldNotReadBackAreRefused) {
    std::string error;
    TXMLComplexElement badChild("Doc");
    badChild.AddElement("Colour_1");
    EXPECT_FALSE(badChild.CheckWritable(error));
    EXPECT_EQ(error,
              "Cannot write an element named \"Colour_1\": element names hold only letters and "
              "digits.");
    TXMLComplexElement unnamed("Doc");
    unnamed.AddText("", "x");
    EXPECT_FALSE(unnamed.CheckWritable(error));
    EXPECT_EQ(error, "Cannot write an element without a name.");
    // The reader skips at most 98 characters of the DOCTYPE line, which names the root twice.
    EXPECT_TRUE(TXMLComplexElement(std::string(36, 'R')).CheckWritable(error)) << error;
    EXPECT_FALSE(TXMLComplexElement(std::string(37, 'R')).CheckWritable(error));
    EXPECT_EQ(error, "Cannot write a file whose top element \"" + std::string(37, 'R') +
                         "\" has a name longer than 36 characters.");
}

TEST(XMLTreeTest, SameTreeComparesNamesTextsAndShapeButNotPositions) {
    const auto make = [](const std::string& text, bool extra) {
        auto root = std::make_unique<TXMLComplexElement>("R");
        root->AddText("A", text).SetPosition(4, 5);
        root->AddElement("B");
        if (extra) root->AddElement("C");
        return root;
    };
    EXPECT_TRUE(SameTree(make("1", false).get(), make("1", false).get()));
    EXPECT_FALSE(SameTree(make("1", false).get(), make("2", false).get()));
    EXPECT_FALSE(SameTree(make("1", false).get(), make("1", true).get()));
    EXPECT_FALSE(SameTree(make("1", true).get(), make("1", false).get()));
    TXMLComplexElement textAsElement("R");
    textAsElement.AddElement("A");
    textAsElement.AddElement("B");
    EXPECT_FALSE(SameTree(make("1", false).get(), &textAsElement));
}

TEST(XMLTreeTest, PositionTextGivesTheColumnPlusOne) {
    TXMLStringElement item("Tempo", "fast");
    item.SetPosition(7, 12);
    EXPECT_EQ(item.PositionText(), " At line 7, column 13.");
}

TEST(XMLTreeTest, ChildCursorTakesChildrenInOrder) {
    TXMLComplexElement root("R");
    root.AddText("A", "1");
    root.AddElement("B");
    TXMLChildCursor children(root);
    EXPECT_EQ(children.Take("A").GetString(), "1");
    EXPECT_EQ(children.TakeIf("X"), nullptr);
    EXPECT_TRUE(children.Is("B"));
    EXPECT_NE(children.TakeIf("B"), nullptr);
    EXPECT_TRUE(children.AtEnd());
    EXPECT_FALSE(children.Is("B"));
}

TEST(XMLTreeDeathTest, AskingAnElementOfTheWrongKindIsAProgrammingError) {
    TXMLComplexElement root("R");
    root.AddText("A", "1");
    EXPECT_DEATH(static_cast<const TXMLItem&>(root).GetString(), "failed!");
    EXPECT_DEATH(root.GetFirst()->GetFirst(), "failed!");
    TXMLChildCursor children(root);
    EXPECT_DEATH(children.Take("B"), "failed!");
}

class XMLWriteFileTest : public testing::ScratchFolderTest {
  protected:
    static std::unique_ptr<TXMLComplexElement> Sample() {
        auto root = std::make_unique<TXMLComplexElement>("ViewVolume");
        root->AddText("TimeTop", "0");
        root->AddElement("DrawSingle");
        return root;
    }
};

TEST_F(XMLWriteFileTest, WritesTheDocumentAndReplacesAnOldFile) {
    const fs::path file = folder_ / "a.kvw";
    testing::Put(file,
                 "old contents that are longer than the new ones, much longer indeed........");
    std::string error;
    ASSERT_TRUE(Sample()->WriteFile(file, error)) << error;
    std::string expected;
    Sample()->WriteDocument(expected);
    EXPECT_EQ(testing::Contents(file), expected);
    EXPECT_EQ(FileCount(), 1u);
}

TEST_F(XMLWriteFileTest, ReadOnlyFileIsRefusedAndKept) {
    const fs::path file = folder_ / "a.kvw";
    testing::Put(file, "old");
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
    std::string error;
    EXPECT_FALSE(Sample()->WriteFile(file, error));
    EXPECT_EQ(error, "Operating System cannot open file for writing, maybe the file is readonly.");
    EXPECT_EQ(testing::Contents(file), "old");
    EXPECT_EQ(FileCount(), 1u);
}

TEST_F(XMLWriteFileTest, TheOldFilesModeAndLinksAreKept) {
    const fs::path file = folder_ / "a.kvw";
    testing::Put(file, "old");
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(file, mode);
    std::string error;
    ASSERT_TRUE(Sample()->WriteFile(file, error)) << error;
    EXPECT_EQ(fs::status(file).permissions(), mode);  // 640

    // A link is written through: the file it points at is replaced, the link stays.
    fs::create_directories(folder_ / "shadows");
    testing::Put(folder_ / "shadows" / "real.kvw", "old");
    fs::create_symlink("shadows/real.kvw", folder_ / "link.kvw");
    ASSERT_TRUE(Sample()->WriteFile(folder_ / "link.kvw", error)) << error;
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(folder_ / "link.kvw")));
    std::string expected;
    Sample()->WriteDocument(expected);
    EXPECT_EQ(testing::Contents(folder_ / "shadows" / "real.kvw"), expected);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_ / "shadows"), {}), 1);
}

TEST_F(XMLWriteFileTest, MissingFolderIsReported) {
    std::string error;
    EXPECT_FALSE(Sample()->WriteFile(folder_ / "no-such-folder" / "a.kvw", error));
    EXPECT_EQ(error.rfind("Operating System cannot open file for writing", 0), 0u) << error;
}

TEST_F(XMLWriteFileTest, UnwritableTreeLeavesTheOldFileUntouched) {
    const fs::path file = folder_ / "a.kvw";
    testing::Put(file, "old");
    const auto root = Sample();
    root->AddText("Label", " padded");
    std::string error;
    EXPECT_FALSE(root->WriteFile(file, error));
    EXPECT_NE(error.find("\" padded\""), std::string::npos) << error;
    EXPECT_EQ(testing::Contents(file), "old");
    EXPECT_EQ(FileCount(), 1u);
}

TEST_F(XMLWriteFileTest, FullDiskIsReportedAndTheOldFileSurvives) {
    const fs::path file = folder_ / "a.kvm";
    testing::Put(file, "old");
    TXMLComplexElement root("UnitMuz");
    for (int i = 0; i < 20000; ++i)
        root.AddElement("Note").AddText("Height", "5");
    std::string error;
    {
        testing::FileSizeLimit limit(4096);
        EXPECT_FALSE(root.WriteFile(file, error));
    }
    EXPECT_EQ(error.rfind("Operating System cannot write the file, it is left as it was: ", 0), 0u)
        << error;
    EXPECT_EQ(testing::Contents(file), "old");
    EXPECT_EQ(FileCount(), 1u);
}

}  // namespace
}  // namespace kalvora
