#include "documents/record_browser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "documents/unit_integer.h"
#include "platform/recording_message_sink.h"

namespace kalvora {
namespace {

using ::testing::ElementsAre;

struct NumberEntry final : TBrowseRecord {
    explicit NumberEntry(int v) : value(v) {}
    std::unique_ptr<TBrowseRecord> Clone() const override {
        return std::make_unique<NumberEntry>(*this);
    }
    int value;
};

// What a dialog with one edit box and the browse buttons shows.
struct FakeView {
    std::string field;
    int count = 0;
    int number = 0;
    bool canPrevious = false;
    bool canNext = false;
    bool canDelete = false;
    bool canPaste = false;
};

// A browser of numbers bound to a FakeView. Entries at or above validLimit do not validate;
// a new entry is 0, and PrepareNew writes "100" into the field.
class NumberBrowser final : public TRecordBrowser {
  public:
    explicit NumberBrowser(int first) : TRecordBrowser(std::make_unique<NumberEntry>(first)) {}

    void Open(FakeView& view) {
        view_ = &view;
        Opened();
    }

    std::vector<int> Values() {
        std::vector<int> values;
        Rewind();
        do {
            values.push_back(static_cast<const NumberEntry&>(Current()).value);
        } while (MoveNext());
        Rewind();
        return values;
    }

    FakeView* view_ = nullptr;
    int validLimit = 1000;
    int unbound = 0;
    int unboundCancel = 0;
    std::vector<int> deleted;

  protected:
    void Unbind() override {
        view_ = nullptr;
        ++unbound;
    }
    void UnbindCancel() override {
        view_ = nullptr;
        ++unboundCancel;
    }
    std::unique_ptr<TBrowseRecord> ReadFields() override {
        unitInteger value(0);
        bool ok = true;
        value.Check(ok, view_->field, "Value");
        if (!ok) return nullptr;
        return std::make_unique<NumberEntry>(value.GetValue());
    }
    void ShowEntry(const TBrowseRecord& entry) override {
        view_->field = std::to_string(static_cast<const NumberEntry&>(entry).value);
    }
    void PrepareNew() override { view_->field = "100"; }
    std::unique_ptr<TBrowseRecord> NewEntry() const override {
        return std::make_unique<NumberEntry>(0);
    }
    void ShowState(int count, int number, bool canPrevious, bool canNext, bool canDelete,
                   bool copyPresent) override {
        view_->count = count;
        view_->number = number;
        view_->canPrevious = canPrevious;
        view_->canNext = canNext;
        view_->canDelete = canDelete;
        view_->canPaste = copyPresent;
    }
    void EntryDeleted(TBrowseRecord& entry) override {
        deleted.push_back(static_cast<NumberEntry&>(entry).value);
    }
    bool Validate(const TBrowseRecord& entry) override {
        return static_cast<const NumberEntry&>(entry).value < validLimit;
    }
};

class RecordBrowserTest : public ::testing::Test {
  protected:
    // A browser holding 1, 2, 3 (typed in through Append), open on the first entry.
    void MakeThree() {
        browser.Open(view);
        view.field = "1";
        browser.Append();
        view.field = "2";
        browser.Append();
        view.field = "3";
        browser.First();
    }

    platform::RecordingMessageSink messages;
    NumberBrowser browser{5};
    FakeView view;
};

TEST_F(RecordBrowserTest, OpeningShowsTheCurrentEntryAndTheState) {
    browser.Open(view);
    EXPECT_TRUE(browser.IsOpen());
    EXPECT_EQ(view.field, "5");
    EXPECT_EQ(view.count, 1);
    EXPECT_EQ(view.number, 1);
    EXPECT_FALSE(view.canPrevious);
    EXPECT_FALSE(view.canNext);
    EXPECT_FALSE(view.canDelete);  // Delete is disabled with one entry
    EXPECT_FALSE(view.canPaste);
}

TEST_F(RecordBrowserTest, AppendOnOneEntryGivesCountTwoAtNumberTwo) {
    browser.Open(view);
    view.field = "6";
    browser.Append();
    EXPECT_EQ(browser.Count(), 2);
    EXPECT_EQ(browser.Cursor(), 1);
    EXPECT_EQ(view.count, 2);
    EXPECT_EQ(view.number, 2);
    EXPECT_TRUE(view.canPrevious);
    EXPECT_TRUE(view.canDelete);
    // The new entry is not shown: the fields hold what PrepareNew left, stored on OK.
    EXPECT_EQ(view.field, "100");
    ASSERT_TRUE(browser.CloseOk());
    EXPECT_THAT(browser.Values(), ElementsAre(6, 100));
}

TEST_F(RecordBrowserTest, InsertPutsTheNewEntryBeforeTheCurrentOne) {
    MakeThree();
    browser.Next();
    view.field = "7";
    browser.Insert();
    EXPECT_EQ(browser.Cursor(), 1);
    view.field = "42";
    browser.First();
    ASSERT_TRUE(browser.CloseOk());
    EXPECT_THAT(browser.Values(), ElementsAre(1, 42, 7, 3));
}

TEST_F(RecordBrowserTest, InsertAtTheFirstEntryMakesANewFirstEntry) {
    MakeThree();
    browser.Insert();
    EXPECT_EQ(browser.Cursor(), 0);
    ASSERT_TRUE(browser.CloseOk());
    EXPECT_THAT(browser.Values(), ElementsAre(100, 1, 2, 3));
}

TEST_F(RecordBrowserTest, MovingStoresTheFieldsAndShowsTheOtherEntry) {
    MakeThree();
    EXPECT_EQ(view.field, "1");
    view.field = "11";
    browser.Next();
    EXPECT_EQ(view.field, "2");
    browser.Last();
    EXPECT_EQ(view.field, "3");
    EXPECT_FALSE(view.canNext);
    browser.Previous();
    EXPECT_EQ(browser.Cursor(), 1);
    browser.First();
    EXPECT_EQ(view.field, "11");
    EXPECT_FALSE(view.canPrevious);
}

TEST_F(RecordBrowserTest, FailedCheckWhileMovingKeepsTheCursorAndTheTypedText) {
    MakeThree();
    view.field = "abc";
    browser.Next();
    EXPECT_EQ(browser.Cursor(), 0);
    EXPECT_EQ(view.field, "abc");
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].text, "In Value: Input has no value.");
    EXPECT_EQ(messages.Messages()[0].caption, "Input Error");
    // Nor does anything else that stores first.
    browser.Append();
    browser.Last();
    EXPECT_EQ(browser.Count(), 3);
    EXPECT_EQ(browser.Cursor(), 0);
}

TEST_F(RecordBrowserTest, EntryThatDoesNotValidateIsNotStored) {
    MakeThree();
    view.field = "5000";
    browser.Next();
    EXPECT_EQ(browser.Cursor(), 0);
    EXPECT_FALSE(browser.CloseOk());
    EXPECT_TRUE(browser.IsOpen());
    view.field = "9";
    EXPECT_TRUE(browser.CloseOk());
    EXPECT_THAT(browser.Values(), ElementsAre(9, 2, 3));
}

TEST_F(RecordBrowserTest, DeleteOfTheLastEntryMovesToTheNewLast) {
    MakeThree();
    browser.Last();
    view.field = "typed but deleted";
    browser.Delete();
    EXPECT_EQ(browser.Cursor(), 1);
    EXPECT_EQ(view.field, "2");
    EXPECT_EQ(view.count, 2);
    EXPECT_THAT(browser.deleted, ElementsAre(3));
    ASSERT_TRUE(browser.CloseOk());
    EXPECT_THAT(browser.Values(), ElementsAre(1, 2));
}

TEST_F(RecordBrowserTest, DeleteOfTheFirstEntryMakesTheNextOneFirst) {
    MakeThree();
    browser.Delete();
    EXPECT_EQ(browser.Cursor(), 0);
    EXPECT_EQ(view.field, "2");
    browser.Delete();
    EXPECT_EQ(view.field, "3");
    EXPECT_FALSE(view.canDelete);
    ASSERT_TRUE(browser.CloseOk());
    EXPECT_THAT(browser.Values(), ElementsAre(3));
}

TEST_F(RecordBrowserTest, PasteShowsTheCopyButLeavesTheListUntilStored) {
    MakeThree();
    view.field = "8";
    browser.Copy();
    EXPECT_TRUE(view.canPaste);
    browser.Last();
    browser.Paste();
    EXPECT_EQ(view.field, "8");
    // Not stored yet: Delete drops the pasted values with the entry.
    browser.Delete();
    ASSERT_TRUE(browser.CloseOk());
    EXPECT_THAT(browser.Values(), ElementsAre(8, 2));
}

TEST_F(RecordBrowserTest, PasteIsStoredByTheNextMove) {
    MakeThree();
    browser.Copy();
    browser.Last();
    browser.Paste();
    browser.First();
    ASSERT_TRUE(browser.CloseOk());
    EXPECT_THAT(browser.Values(), ElementsAre(1, 2, 1));
}

TEST_F(RecordBrowserTest, FailedCopyKeepsThePreviousCopy) {
    MakeThree();
    browser.Copy();
    view.field = "x";
    browser.Copy();
    EXPECT_EQ(messages.Messages().size(), 1u);
    EXPECT_TRUE(view.canPaste);
    browser.Paste();
    EXPECT_EQ(view.field, "1");
}

TEST_F(RecordBrowserTest, ClearLeavesOneDefaultEntryAndShowsIt) {
    MakeThree();
    view.field = "not read";
    browser.Clear();
    EXPECT_EQ(browser.Count(), 1);
    EXPECT_EQ(browser.Cursor(), 0);
    EXPECT_EQ(view.field, "0");
    EXPECT_EQ(view.count, 1);
    EXPECT_TRUE(messages.Messages().empty());
    ASSERT_TRUE(browser.CloseOk());
    EXPECT_THAT(browser.Values(), ElementsAre(0));
}

TEST_F(RecordBrowserTest, CancelDiscardsTheFieldsAndUnbinds) {
    browser.Open(view);
    view.field = "77";
    browser.CloseCancel();
    EXPECT_FALSE(browser.IsOpen());
    EXPECT_EQ(browser.unboundCancel, 1);
    EXPECT_EQ(browser.unbound, 0);
    EXPECT_THAT(browser.Values(), ElementsAre(5));
}

TEST_F(RecordBrowserTest, CopyOfABrowserClonesTheListAndCursorButNotTheCopiedEntry) {
    MakeThree();
    browser.Copy();
    browser.Next();
    ASSERT_TRUE(browser.CloseOk());
    NumberBrowser copy = browser;
    EXPECT_EQ(copy.Count(), 3);
    EXPECT_EQ(copy.Cursor(), 1);
    EXPECT_FALSE(copy.CopyPresent());
    EXPECT_THAT(copy.Values(), ElementsAre(1, 2, 3));
    // The copy is independent of the original.
    FakeView other;
    copy.Open(other);
    EXPECT_EQ(other.field, "2");
    other.field = "20";
    ASSERT_TRUE(copy.CloseOk());
    EXPECT_THAT(copy.Values(), ElementsAre(1, 20, 3));
    EXPECT_THAT(browser.Values(), ElementsAre(1, 2, 3));
    copy = browser;
    EXPECT_THAT(copy.Values(), ElementsAre(1, 2, 3));
}

TEST_F(RecordBrowserTest, WalkVisitsEveryEntryInOrder) {
    MakeThree();
    ASSERT_TRUE(browser.CloseOk());
    EXPECT_EQ(browser.GetCount(), 3);
    EXPECT_EQ(static_cast<const NumberEntry&>(browser.Current()).value, 1);
    EXPECT_TRUE(browser.MoveNext());
    EXPECT_TRUE(browser.MoveNext());
    EXPECT_EQ(static_cast<const NumberEntry&>(browser.Current()).value, 3);
    EXPECT_FALSE(browser.MoveNext());
}

TEST(RecordBrowserDeathTest, MovingPastTheEndsAndWalkingWhileOpenAreProgrammingErrors) {
    NumberBrowser browser(5);
    FakeView view;
    browser.Open(view);
    EXPECT_DEATH(browser.Previous(), "failed!");
    EXPECT_DEATH(browser.Next(), "failed!");
    EXPECT_DEATH(browser.Delete(), "failed!");
    EXPECT_DEATH(browser.GetCount(), "failed!");
}

}  // namespace
}  // namespace kalvora
