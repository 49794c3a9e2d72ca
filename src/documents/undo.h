// Undo: the one record of the last modifying command applied to any wave document. Undo
// exchanges the document's sound and selection with the recorded ones, so a second Undo
// redoes (undo and redo are one command). Music documents have no undo.
//
// Commands never change a sound in place: they build a new sound and the document replaces
// its pointer. The record keeps the previous sound alive through a shared pointer; it is
// released with the record unless it is the document's current sound again.
//
// Core code: standard C++, the sound engine and the documents only.
#pragma once

#include <cstdint>
#include <memory>

#include "sound/sound.h"

namespace kalvora {

class TUnitWave;

// The record: a wave document, a sound of it and its two selection ends in stored order.
class TUndoUnit {
  public:
    TUndoUnit(TUnitWave& document, std::shared_ptr<Sound> sound, std::int32_t first,
              std::int32_t second)
        : document_(document), sound_(std::move(sound)), first_(first), second_(second) {}

    TUnitWave& Document() const { return document_; }
    const std::shared_ptr<Sound>& TheSound() const { return sound_; }
    std::int32_t FirstEnd() const { return first_; }
    std::int32_t SecondEnd() const { return second_; }

  private:
    friend class TUndoStore;

    TUnitWave& document_;
    std::shared_ptr<Sound> sound_;
    std::int32_t first_;
    std::int32_t second_;
};

// The frame's single undo record, or none.
class TUndoStore {
  public:
    TUndoStore() = default;
    ~TUndoStore() { DropUndo(); }
    TUndoStore(const TUndoStore&) = delete;
    TUndoStore& operator=(const TUndoStore&) = delete;

    // Drops the current record, then records document's current sound and selection ends.
    // Called by a modifying command just before it changes the document.
    void TakeUndo(TUnitWave& document);
    // Exchanges the record's sound and selection ends with its document's, marks the
    // document changed and repaints it. Nothing unless UndoEnabled().
    void DoUndo();
    // "Delete Undo", and when the frame closes: forgets the record.
    void DropUndo() { record_.reset(); }
    // Forgets the record when it belongs to document (the document is being destroyed).
    void DropUndoFor(const TUnitWave& document);

    bool HasUndo() const { return record_ != nullptr; }
    const TUndoUnit* Record() const { return record_.get(); }
    // "Undo" and "Delete Undo" are enabled: a record exists and its document is not being
    // drawn by hand.
    bool UndoEnabled() const;

  private:
    std::unique_ptr<TUndoUnit> record_;
};

}  // namespace kalvora
