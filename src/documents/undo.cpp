#include "documents/undo.h"

#include "documents/wave_document.h"
#include "platform/busy_cursor.h"

namespace kalvora {

void TUndoStore::TakeUndo(TUnitWave& document) {
    DropUndo();
    record_ = std::make_unique<TUndoUnit>(document, document.sound_, document.FirstEnd(),
                                          document.SecondEnd());
}

void TUndoStore::DoUndo() {
    if (!UndoEnabled()) return;
    platform::BusyScope busy;
    record_->document_.ExchangeWithUndo(record_->sound_, record_->first_, record_->second_);
}

void TUndoStore::DropUndoFor(const TUnitWave& document) {
    if (record_ && &record_->document_ == &document) DropUndo();
}

bool TUndoStore::UndoEnabled() const {
    return record_ && !record_->document_.UserDrawing();
}

}  // namespace kalvora
