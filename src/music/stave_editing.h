// Adding and deleting staves and note groups together with everything that hangs on them:
// the start keys in every single part, the notes in the parts, the gaps they leave, and
// the references of the document and its dialogs. Standard C++ only.
#pragma once

#include "music/music_references.h"
#include "music/part_muz.h"
#include "music/stave_list.h"

namespace kalvora {

// A note group with the defaults of a new stave: black normal heads, stems up, a compound
// player with the default simple one sampler.
std::unique_ptr<TNoteGroup> NewDefaultNoteGroup(TNoteStave* stave, TUnitMuz* unitMuz);

// Builds a stave with the defaults (room 80 above and below, black on white, flags may be
// joined, not muted, no extra lines) and one default note group, links it after `after`
// (at the front when null), gives it its start key in every single part and makes it the
// dialog's stave.
TNoteStave* CreateDefaultStave(TStaveList& staves, TNoteStave* after, TPartMuz& root,
                               TUnitMuz* unitMuz, TMusicReferences& references);

// Deletes a stave with its groups and its symbols in all parts. The last stave cannot be
// deleted: false.
bool DeleteStave(TStaveList& staves, TNoteStave* stave, TPartMuz& root,
                 TMusicReferences& references);

// Deletes a note group: the dialog's and the selected group move on to the next group (the
// previous one when it was last), its notes leave all parts, and the stave's gaps are then
// filled with silences. The last group of a stave cannot be deleted: false.
bool DeleteNoteGroup(TStaveList& staves, TNoteGroup* group, TPartMuz& root,
                     TMusicReferences& references);

// Deletes a one-player; the dialog's one-player moves on. The last one cannot: false.
bool DeleteOnePlayer(TStaveList& staves, TOnePlayer* player, TMusicReferences& references);

}  // namespace kalvora
