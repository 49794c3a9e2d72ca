// TRecordBrowser: a list of sub-records of equal shape inside a parameter record (such as
// the partials of a multi-frequency sound), edited in a dialog one entry at a time, and
// walked by its owner to compute with it. Standard C++ and the platform layer only.
//
// A derived browser binds the generic operations to one dialog (through a view interface
// of its own) and one record type: it reads an entry from the dialog's fields (ReadFields,
// which reports a bad value through the value types' messages), shows an entry in them
// (ShowEntry), makes new entries (NewEntry) and shows the list's state (ShowState).
//
// Closed (the owner may walk the list) -> Open -> open (the buttons work; the fields show
// the current entry) -> CloseOk succeeding, or CloseCancel -> closed. Every operation that
// leaves the current entry first stores the fields into it; when they do not read, the
// operation does nothing more and the fields stay as typed. The list is never empty.
#pragma once

#include <memory>
#include <vector>

namespace kalvora {

// The base of the entries.
class TBrowseRecord {
  public:
    virtual ~TBrowseRecord() = default;
    // A copy of this entry.
    virtual std::unique_ptr<TBrowseRecord> Clone() const = 0;

  protected:
    TBrowseRecord() = default;
    TBrowseRecord(const TBrowseRecord&) = default;
    TBrowseRecord& operator=(const TBrowseRecord&) = default;
};

class TRecordBrowser {
  public:
    virtual ~TRecordBrowser();

    // ---- Closing the dialog ----
    // OK: stores the fields; when they do not read, the dialog stays open (false).
    // Otherwise unbinds the dialog and closes (true).
    bool CloseOk();
    // Cancel: closes and unbinds; the fields are not stored.
    void CloseCancel();

    // ---- The dialog's buttons (open only) ----
    // Those that store the fields first return whether they did (and so went on).
    bool First();
    // Requires Cursor() > 0.
    bool Previous();
    // Requires Cursor() < Count() - 1.
    bool Next();
    bool Last();
    // A new entry before (Insert) or after (Append) the current one becomes the current
    // entry. It is not shown: the fields keep what PrepareNew left in them, and the next
    // store puts them into the new entry.
    bool Insert();
    bool Append();
    // Removes the current entry without storing the fields; the next entry (or the
    // previous one, for the last) becomes current and is shown. Requires Count() > 1.
    void Delete();
    // Reads the fields into the copy, leaving the list alone. When they do not read, the
    // previous copy stays.
    void Copy();
    // Shows the copy in the fields; the current entry takes it at the next store.
    // Requires CopyPresent().
    void Paste();
    // One new entry with default values becomes the whole list, and is shown.
    void Clear();
    // ShowState(Count, Cursor + 1, Cursor > 0, Cursor < Count - 1, Count > 1, copy present).
    void UpdateState();

    int Cursor() const { return cursor_; }
    int Count() const { return static_cast<int>(entries_.size()); }
    bool IsOpen() const { return isOpen_; }
    bool CopyPresent() const { return copy_ != nullptr; }
    const TBrowseRecord& EditBrowseRecord() const { return *entries_[cursor_]; }

    // ---- The owner's walk over the list (closed only) ----
    // Reset to the first entry on construction, CloseOk and CloseCancel.
    int GetCount() const;
    const TBrowseRecord& Current() const;
    // Advances to the next entry; false (staying put) at the last one.
    bool MoveNext();
    void Rewind();

  protected:
    explicit TRecordBrowser(std::unique_ptr<TBrowseRecord> first);
    // A copy of other's list, cursor and open state, without its copied entry.
    TRecordBrowser(const TRecordBrowser& other);
    TRecordBrowser& operator=(const TRecordBrowser& other);

    // The end of opening, after the derived browser bound its dialog: marks the browser
    // open and shows the current entry.
    void Opened();

    // ---- Supplied by the derived browser for its dialog and record type ----
    // Forget the dialog after OK / after Cancel.
    virtual void Unbind() = 0;
    virtual void UnbindCancel() = 0;
    // A new entry from the dialog's fields, or nullptr when a field does not read (its
    // message has been shown).
    virtual std::unique_ptr<TBrowseRecord> ReadFields() = 0;
    virtual void ShowEntry(const TBrowseRecord& entry) = 0;
    // Prepares the fields for a newly inserted entry.
    virtual void PrepareNew() = 0;
    // A new entry with default values.
    virtual std::unique_ptr<TBrowseRecord> NewEntry() const = 0;
    // Shows the count and the 1-based number of the current entry and which buttons work.
    virtual void ShowState(int count, int number, bool canPrevious, bool canNext, bool canDelete,
                           bool copyPresent) = 0;

    // ---- Hooks with a default ----
    // Called with an entry just unlinked by Delete, before it is destroyed. Nothing here.
    virtual void EntryDeleted(TBrowseRecord& entry);
    // Whether a read entry may be stored. Here: always.
    virtual bool Validate(const TBrowseRecord& entry);
    // Reads the fields into the current entry: false when they do not read or the entry
    // does not validate (the entry stays as it was).
    virtual bool StoreEdit();
    // Makes index the current entry, shows it and the state.
    virtual void GoTo(int index);

    // The entry at index, for derived browsers.
    const TBrowseRecord& Entry(int index) const { return *entries_[index]; }

  private:
    bool InsertNew(int at);

    std::vector<std::unique_ptr<TBrowseRecord>> entries_;
    int cursor_ = 0;
    bool isOpen_ = false;
    int walk_ = 0;
    std::unique_ptr<TBrowseRecord> copy_;
};

}  // namespace kalvora
