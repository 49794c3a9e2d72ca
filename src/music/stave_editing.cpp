#include "music/stave_editing.h"

namespace kalvora {

namespace {

constexpr platform::Color kBlack = 0x000000;
constexpr platform::Color kWhite = 0xFFFFFF;

}  // namespace

std::unique_ptr<TNoteGroup> NewDefaultNoteGroup(TNoteStave* stave, TUnitMuz* unitMuz) {
    return std::make_unique<TNoteGroup>(
        stave, kBlack, std::make_unique<TCompoundPlayer>(unitMuz, DefaultStaveOnePlayerProps()),
        NoteShapeNormal, drawStickUp);
}

TNoteStave* CreateDefaultStave(TStaveList& staves, TNoteStave* after, TPartMuz& root,
                               TUnitMuz* unitMuz, TMusicReferences& references) {
    TNoteStave* stave = staves.CreateStave(after, unitMuz, kBlack, kWhite, TNoteStave::kDefaultRoom,
                                           TNoteStave::kDefaultRoom, AllowJoinFlags, 0, 0);
    stave->InsertGroup(nullptr, NewDefaultNoteGroup(stave, unitMuz));
    root.AddStave(stave);
    references.DialogStave = stave;
    return stave;
}

bool DeleteStave(TStaveList& staves, TNoteStave* stave, TPartMuz& root,
                 TMusicReferences& references) {
    if (staves.Count() <= 1) return false;
    TMusicDeletion deletion;
    deletion.AddStave(stave);
    ForgetDeleted(references, staves, deletion);
    root.RemoveStaveSymbols(stave);
    staves.DeleteStave(stave);  // the handed-over stave is freed with its groups here
    return true;
}

bool DeleteNoteGroup(TStaveList& staves, TNoteGroup* group, TPartMuz& root,
                     TMusicReferences& references) {
    TNoteStave* stave = group->NoteStave;
    if (stave->CountGroups() <= 1) return false;
    TMusicDeletion deletion;
    deletion.AddGroup(group);
    // The selection may be one of the group's notes: forget it before they are freed.
    ForgetDeleted(references, staves, deletion);
    std::unique_ptr<TNoteGroup> removed = stave->RemoveGroup(group);
    root.RemoveGroupNotes(group);
    removed.reset();
    root.FillSilences(stave);
    return true;
}

bool DeleteOnePlayer(TStaveList& staves, TOnePlayer* player, TMusicReferences& references) {
    TCompoundPlayer& compound = *player->CompoundPlayer;
    if (compound.CountOnePlayers() <= 1) return false;
    TMusicDeletion deletion;
    deletion.AddOnePlayer(player);
    ForgetDeleted(references, staves, deletion);
    compound.RemoveOnePlayer(player);
    return true;
}

}  // namespace kalvora
