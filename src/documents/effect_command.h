// Effect commands on a wave document: the road from a table entry and a record to a changed
// sound. The frame's handlers (with the dialog) and kalvora-cli (with FIELD=TEXT words) both
// end in RunEffect, so a command behaves the same in both. Standard C++, the platform's
// messages, the sound engine and the documents only.
#pragma once

#include <functional>

#include "documents/effect_dialog.h"
#include "documents/effect_record.h"
#include "documents/effect_table.h"
#include "documents/wave_document.h"

namespace kalvora {

// The facts of document that checks and arguments read.
TEffectContext ContextOf(const TUnitWave& document);

// A dialog on a copy of the document's record of entry, offering the workspace's wave
// documents in its lists.
TEffectDialogModel MakeEffectDialog(const TUnitWave& document, const TEffectEntry& entry);

// Stores record as the last values of its command, first in the workspace (the frame's
// records), then in the document, and runs the entry's operation with the document's record
// through the document's command frame over the entry's range (undo, error flag,
// replacement, selection, changed marks, repaint). The wave documents that the read wave
// fields name are looked up first: one that is gone ("In <label>: Cannot find window
// "<name>".") or empty where samples are read is refused under "Input Error" and nothing
// runs. While the document is drawn by hand the entry's drawing edit runs instead, and an
// entry without one does nothing. True when the document changed.
bool RunEffect(TUnitWave& document, const TEffectRecord& record);

// Shows the dialog of a command modally: true when it closed with OK (which has run
// model.Ok() successfully), false on Cancel.
using TEffectDialogRunner = std::function<bool(TEffectDialogModel& model)>;

// The whole command as the frame runs it: the dialog opens on a copy of the document's
// record; Cancel ends the command and changes nothing; OK runs RunEffect with the edited
// record. An entry without fields has no dialog and runs at once.
bool RunEffectCommand(TUnitWave& document, const TEffectEntry& entry,
                      const TEffectDialogRunner& showDialog);

}  // namespace kalvora
