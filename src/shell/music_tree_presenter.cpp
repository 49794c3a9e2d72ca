#include "shell/music_tree_presenter.h"

#include <algorithm>
#include <limits>

#include "documents/unit_integer.h"
#include "music/music_file.h"
#include "music/music_math.h"
#include "music/part_tree.h"
#include "music/part_tree_edits.h"
#include "platform/assertion.h"
#include "platform/messages.h"

namespace kalvora {

namespace {

using C = TMusTreeCommand;

bool IsLoopOrSelect(const TPartMuz* part) {
    return part != nullptr &&
           (part->GetPartMuzKind() == partMuzLoop || part->GetPartMuzKind() == partMuzSelect);
}

void AddNodes(TPartMuz& part, std::vector<TMusTreeNode>& into) {
    const TPartMuzKind kind = part.GetPartMuzKind();
    if (kind == partMuzConcat) {
        for (int i = 0; i < part.ChildCount(); ++i)
            AddNodes(*part.Child(i), into);
        return;
    }
    TMusTreeNode node;
    node.item = &part;
    node.text = part.GetTreeText();
    if (kind == partMuzLoop) {
        node.picture = TMusTreePicture::repeat;
        node.expanded = static_cast<TLoopPartMuz&>(part).Expanded != 0;
    } else if (kind == partMuzSelect) {
        auto& select = static_cast<TSelectPartMuz&>(part);
        node.picture = TMusTreePicture::turns;
        node.expanded = select.Expanded != 0;
        std::vector<TCountSelectPartItem*> turns;
        for (TSelectPartItem* item = select.FirstTurnItem(); item != nullptr; item = item->Next)
            turns.push_back(static_cast<TCountSelectPartItem*>(item));
        std::stable_sort(turns.begin(), turns.end(), [](const auto* a, const auto* b) {
            return a->GetCount() < b->GetCount();
        });
        for (TCountSelectPartItem* turn : turns) {
            node.children.push_back(
                TMusTreeNode{turn, turn->GetTreeText(), TMusTreePicture::turnItem, false, {}});
        }
    }
    for (int i = 0; i < part.ChildCount(); ++i)
        AddNodes(*part.Child(i), node.children);
    into.push_back(std::move(node));
}

void ShowInputError(const std::string& text) {
    platform::ShowMessage(text, platform::caption::inputError, platform::MessageIcon::information);
}

// The product of the counts of the loops around `part`.
long long TurnsAround(const TPartMuz& part) {
    long long turns = 1;
    for (const TPartMuz* p = part.Parent; p != nullptr; p = p->Parent) {
        if (p->GetPartMuzKind() == partMuzLoop)
            turns *= static_cast<const TLoopPartMuz*>(p)->GetCount();
    }
    return turns;
}

}  // namespace

const std::vector<TMusTreeCommandText>& MusTreeCommandTexts() {
    static const std::vector<TMusTreeCommandText> texts = {
        {C::insertSingle, "&Insert Single", "&Add", nullptr,
         "Insert Single before|Insert a new Single Music Part before the selected Music Part"},
        {C::appendSingle, "&Append Single", "&Add", nullptr,
         "Append Single after|Append a new Single Music Part after the selected Music Part"},
        {C::repeat, "&Repeat", "&Add", nullptr,
         "Add Repeat|Add a new Repeat Music Part in the Tree"},
        {C::turns, "&Turns", "&Add", nullptr, "Add Turns|Add a new Turns Music Part in the Tree"},
        {C::turn, "T&urn", "&Add", nullptr,
         "Add Turn Item|Add a new Turn Item to the selected Repeat Music Part"},
        {C::forward, "&Forward", "&Move", nullptr, "Move Forward|Move selected Subtree Forward"},
        {C::backward, "&Backward", "&Move", nullptr,
         "Move Backward|Move selected Subtree Backward"},
        {C::forwardInto, "Forward into &Next", "&Move", nullptr,
         "Move Forward Into|Move selected Subtree Forward into the Next Subtree"},
        {C::backwardInto, "Backward into &Previous", "&Move", nullptr,
         "Move Backward Into|Move selected Subtree Backward into the Previous Subtree"},
        {C::forwardOut, "Forward &out", "&Move", nullptr,
         "Move Forward Out|Move selected Subtree Forward out of the Parent Subtree"},
        {C::backwardOut, "Backward o&ut", "&Move", nullptr,
         "Move Backward Out|Move selected Subtree Backward out of the Parent Subtree"},
        {C::deletePart, "&Delete", "&Delete", "&Part", "Delete Music Part"},
        {C::expand, "&Expand", "&View", nullptr, "Expand"},
        {C::expandAll, "E&xpand All", "&View", nullptr, "Expand All"},
        {C::collapse, "&Collapse", "&View", nullptr, "Collapse"},
        {C::collapseAll, "C&ollapse All", "&View", nullptr, "Collapse All"},
        {C::begin, "&Begin", "&Go To Symbol", nullptr, "Go to First Symbol of Selected Music Part"},
        {C::end, "&End", "&Go To Symbol", nullptr, "Go to Last Symbol of Selected Music Part"},
    };
    return texts;
}

void TMusicTreePresenter::Bind(TUnitMuz* unit) {
    unit_ = unit;
    changed_ = false;
    edited_ = nullptr;
    refused_ = nullptr;
}

std::vector<TMusTreeNode> TMusicTreePresenter::BuildNodes() const {
    std::vector<TMusTreeNode> nodes;
    if (unit_ == nullptr) return nodes;
    if (TPartMuz* top = unit_->Root().GetPartMuz()) AddNodes(*top, nodes);
    return nodes;
}

TMusTreeItem* TMusicTreePresenter::Selected() const {
    if (unit_ == nullptr) return nullptr;
    TMusTreeItem* item = unit_->References().SelectedPart;
    if (item != nullptr && item->GetMusTreeItemKind() == musTreeItemPartMuz &&
        static_cast<TPartMuz*>(item)->GetPartMuzKind() == partMuzStart) {
        return nullptr;
    }
    return item;
}

TPartMuz* TMusicTreePresenter::SelectedPartMuz() const {
    TMusTreeItem* item = Selected();
    return item != nullptr && item->GetMusTreeItemKind() == musTreeItemPartMuz
               ? static_cast<TPartMuz*>(item)
               : nullptr;
}

TCountSelectPartItem* TMusicTreePresenter::SelectedTurn() const {
    TMusTreeItem* item = Selected();
    if (item == nullptr || item->GetMusTreeItemKind() != musTreeItemSelectPartItem) return nullptr;
    auto* turn = static_cast<TSelectPartItem*>(item);
    return turn->IsStartItem() ? nullptr : static_cast<TCountSelectPartItem*>(turn);
}

TMusTreeItem* TMusicTreePresenter::SelectNode(TMusTreeItem* item) {
    if (unit_ == nullptr) return nullptr;
    if (refused_ != nullptr) return refused_;
    if (item != unit_->References().SelectedPart) {
        unit_->References().SelectedPart = item;
        Changed(false);
    }
    return item;
}

// Edits that can nest the tree one level deeper stop at the depth a music file may hold.
bool TMusicTreePresenter::CanGrow() const {
    const TPartMuz* top = unit_->Root().GetPartMuz();
    return top != nullptr && PartTreeDepth(*top) < kMaxPartDepth;
}

// Whether `part`, played `factor` times more often, stays within the turns a file may hold.
bool TMusicTreePresenter::LoopTurnsAllow(const TPartMuz& part, long long factor) const {
    return TurnsAround(part) * PartTreeTurns(part) * factor <= kMaxLoopCount;
}

bool TMusicTreePresenter::Enabled(TMusTreeCommand command) const {
    if (Selected() == nullptr) return false;
    if (command == C::apply) return true;
    if (TCountSelectPartItem* turn = SelectedTurn()) {
        (void)turn;
        return command == C::count || command == C::pitch || command == C::deletePart;
    }
    TPartMuz* part = SelectedPartMuz();
    if (part == nullptr) return false;
    const TPartMuzKind kind = part->GetPartMuzKind();
    TPartMuz* next = NextSiblingPart(*part);
    TPartMuz* previous = PrevSiblingPart(*part);
    const bool hasSibling = next != nullptr || previous != nullptr;
    const bool below = EnclosingLoopOrSelect(*part) != nullptr;
    switch (command) {
        case C::insertSingle:
        case C::appendSingle:
        case C::turns:
            return CanGrow();
        case C::repeat:
            return CanGrow() && LoopTurnsAllow(*part, 2);
        case C::turn:
            return kind == partMuzSelect && static_cast<TSelectPartMuz*>(part)->LargestCount() <
                                                std::numeric_limits<int>::max();
        case C::forward:
            return next != nullptr;
        case C::backward:
            return previous != nullptr;
        case C::forwardInto:
        case C::backwardInto: {
            TPartMuz* target = command == C::forwardInto ? next : previous;
            if (!IsLoopOrSelect(target) || !CanGrow()) return false;
            const long long factor = target->GetPartMuzKind() == partMuzLoop
                                         ? static_cast<TLoopPartMuz*>(target)->GetCount()
                                         : 1;
            return LoopTurnsAllow(*part, factor);
        }
        case C::forwardOut:
        case C::backwardOut:
            return below && hasSibling && CanGrow();
        case C::deletePart:
            return kind == partMuzLoop || kind == partMuzSelect || hasSibling;
        case C::expand:
        case C::expandAll:
        case C::collapse:
        case C::collapseAll:
            return IsLoopOrSelect(part);
        case C::begin:
        case C::end:
            return StaveOfSelection(unit_->References()) != nullptr;
        case C::playDraw:
            return true;
        case C::play:
            return playback_ != nullptr;
        case C::count:
            return kind == partMuzLoop;
        case C::pitch:
        case C::apply:
            return false;
    }
    return false;
}

TPlayDrawState TMusicTreePresenter::PlayDrawState() const {
    const TPartMuz* part = SelectedPartMuz();
    if (part == nullptr || part->PlayDraw == 0) return TPlayDrawState::unchecked;
    return part->TakesPartInPlayDraw() ? TPlayDrawState::checked : TPlayDrawState::grayed;
}

std::string TMusicTreePresenter::CountText() const {
    if (const TCountSelectPartItem* turn = SelectedTurn()) return std::to_string(turn->GetCount());
    const TPartMuz* part = SelectedPartMuz();
    if (part != nullptr && part->GetPartMuzKind() == partMuzLoop) {
        return static_cast<const TLoopPartMuz*>(part)->Count.GetText();
    }
    return {};
}

std::string TMusicTreePresenter::PitchText() const {
    const TCountSelectPartItem* turn = SelectedTurn();
    return turn != nullptr ? std::to_string(turn->GetPitch()) : std::string();
}

std::optional<TMusTreeConfirmation> TMusicTreePresenter::ConfirmationFor(
    TMusTreeCommand command) const {
    const TPartMuz* part = SelectedPartMuz();
    if (command != C::deletePart || part == nullptr || part->GetPartMuzKind() != partMuzSingle)
        return std::nullopt;
    return TMusTreeConfirmation{"Do you want to delete a part of music?",
                                "A Single Part containing music is selected"};
}

bool TMusicTreePresenter::Run(TMusTreeCommand command) {
    if (!Enabled(command)) return false;
    TPartMuz* part = SelectedPartMuz();
    switch (command) {
        case C::begin:
        case C::end: {
            const TNoteStave* stave = StaveOfSelection(unit_->References());
            TXTouchMuzSymbol* symbol =
                command == C::begin ? part->FirstStaveSymbol(stave) : part->LastStaveSymbol(stave);
            if (symbol == nullptr) return false;
            unit_->SelectSymbol(symbol);
            return true;
        }
        case C::play:
            return playback_->PlaySubtree(*unit_, *part);
        case C::expand:
        case C::expandAll:
        case C::collapse:
        case C::collapseAll:
        case C::playDraw:
        case C::count:
        case C::pitch:
        case C::apply:
            return false;
        default:
            break;
    }
    // A structural edit may free the node typed for or pinned.
    changed_ = false;
    edited_ = nullptr;
    refused_ = nullptr;
    unit_->References().SelectedPart = RunStructural(command, part);
    KALVORA_ASSERT(CheckParentLinks(unit_->Root()));
    Changed(true);
    return true;
}

TMusTreeItem* TMusicTreePresenter::RunStructural(TMusTreeCommand command, TPartMuz* part) {
    TUnitMuz& unit = *unit_;
    switch (command) {
        case C::insertSingle:
        case C::appendSingle:
            return &InsertSinglePart(unit, *part, command == C::appendSingle);
        case C::repeat:
            return &WrapInRepeat(unit, *part);
        case C::turns:
            return &WrapInTurns(unit, *part);
        case C::turn:
            return &AddNextTurn(static_cast<TSelectPartMuz&>(*part));
        case C::forward:
        case C::backward:
            SwapWithSibling(*part, command == C::forward);
            return part;
        case C::forwardInto:
        case C::backwardInto:
            MoveIntoSibling(*part, command == C::forwardInto);
            return part;
        case C::forwardOut:
        case C::backwardOut:
            MoveOutOfEnclosing(*part, command == C::forwardOut);
            return part;
        case C::deletePart:
            if (TCountSelectPartItem* turn = SelectedTurn()) return &DeleteTurnItems(unit, *turn);
            if (part->GetPartMuzKind() == partMuzSingle) {
                DeleteSinglePart(unit, static_cast<TSinglePartMuz&>(*part));
                return nullptr;
            }
            return &UnwrapPart(unit, *part);
        default:
            KALVORA_ASSERT(false);
            return nullptr;
    }
}

void TMusicTreePresenter::TogglePlayDraw() {
    TPartMuz* part = SelectedPartMuz();
    if (part == nullptr || Updating()) return;
    part->PlayDraw = part->PlayDraw != 0 ? 0 : 1;
    Changed(true);
}

void TMusicTreePresenter::SetExpanded(TMusTreeItem* item, bool expanded) {
    if (unit_ == nullptr || Updating() || item == nullptr ||
        item->GetMusTreeItemKind() != musTreeItemPartMuz) {
        return;
    }
    auto* part = static_cast<TPartMuz*>(item);
    std::uint8_t* flag = nullptr;
    if (part->GetPartMuzKind() == partMuzLoop) flag = &static_cast<TLoopPartMuz*>(part)->Expanded;
    if (part->GetPartMuzKind() == partMuzSelect)
        flag = &static_cast<TSelectPartMuz*>(part)->Expanded;
    if (flag == nullptr || *flag == (expanded ? 1 : 0)) return;
    *flag = expanded ? 1 : 0;
    Changed(false);
}

void TMusicTreePresenter::SetLabel(TMusTreeItem* item, std::string label) {
    if (unit_ == nullptr || Updating() || item == nullptr) return;
    item->SetLabel(std::move(label));
    Changed(false);
}

void TMusicTreePresenter::Typed() {
    if (unit_ == nullptr || Updating()) return;
    changed_ = true;
    edited_ = Selected();
}

TFieldCommit TMusicTreePresenter::LeaveField(TMusTreeCommand field, std::string_view text) {
    if (unit_ == nullptr || Updating() || committing_ || !changed_ || edited_ == nullptr) return {};
    committing_ = true;
    changed_ = false;
    TFieldCommit result;
    if (field == C::count) {
        refused_ = nullptr;
        result = CommitCount(*edited_, text);
    } else if (field == C::pitch) {
        result = CommitPitch(*edited_, text);
    }
    committing_ = false;
    return result;
}

TFieldCommit TMusicTreePresenter::CommitCount(TMusTreeItem& item, std::string_view text) {
    std::string error;
    if (item.GetMusTreeItemKind() == musTreeItemPartMuz) {
        auto& part = static_cast<TPartMuz&>(item);
        if (part.GetPartMuzKind() != partMuzLoop) return {};
        auto& loop = static_cast<TLoopPartMuz&>(part);
        unitIntegerPosMore count(loop.GetCount());
        if (!count.ReadText(text, "Count", error)) {
            ShowInputError(error);
            return {TFieldOutcome::refused, std::nullopt};
        }
        const int old = loop.GetCount();
        loop.SetCount(count.GetValue());
        if (PartTreeTurns(*unit_->Root().GetPartMuz()) > kMaxLoopCount) {
            loop.SetCount(old);
            ShowInputError("In Count: Loops can repeat a part at most " +
                           std::to_string(kMaxLoopCount) + " times.");
            return {TFieldOutcome::refused, std::nullopt};
        }
        Changed(true);
        return {TFieldOutcome::applied, std::nullopt};
    }
    auto& turnItem = static_cast<TSelectPartItem&>(item);
    if (turnItem.IsStartItem()) return {};
    auto& turn = static_cast<TCountSelectPartItem&>(turnItem);
    const int old = turn.GetCount();
    unitIntegerPosMore count(old);
    if (!count.ReadText(text, "Count", error)) {
        ShowInputError(error);
        return {TFieldOutcome::refused, std::nullopt};
    }
    turn.SetCount(count.GetValue());
    if (turn.GetCount() != old && turn.SelectPartMuz->CountTurnItems(turn.GetCount()) > 1) {
        const std::string refusedCount = std::to_string(turn.GetCount());
        turn.SetCount(old);
        changed_ = true;
        refused_ = &turn;
        ShowInputError("In Count: " + refusedCount + " already exist");
        return {TFieldOutcome::refused, std::to_string(old)};
    }
    Changed(true);
    return {TFieldOutcome::applied, std::nullopt};
}

TFieldCommit TMusicTreePresenter::CommitPitch(TMusTreeItem& item, std::string_view text) {
    if (item.GetMusTreeItemKind() != musTreeItemSelectPartItem) return {};
    auto& turnItem = static_cast<TSelectPartItem&>(item);
    if (turnItem.IsStartItem()) return {};
    auto& turn = static_cast<TCountSelectPartItem&>(turnItem);
    unitInteger pitch(turn.GetPitch());
    std::string error;
    if (!pitch.ReadText(text, "Pitch", error)) {
        ShowInputError(error);
        return {TFieldOutcome::refused, std::nullopt};
    }
    // Beyond the bound a turn's transposition would overflow the rendering of its notes.
    if (!IsValidTransposition(pitch.GetValue())) {
        ShowInputError("In Pitch: The value must lie between " +
                       std::to_string(-kMaxTransposition) + " and " +
                       std::to_string(kMaxTransposition) + ".");
        return {TFieldOutcome::refused, std::nullopt};
    }
    turn.SetPitch(pitch.GetValue());
    Changed(true);
    return {TFieldOutcome::applied, std::nullopt};
}

void TMusicTreePresenter::Changed(bool redraw) {
    unit_->MarkChanged();
    if (redraw && unit_->Window() != nullptr) unit_->Window()->Redraw();
}

}  // namespace kalvora
