// TMusicTreePresenter: everything the "Music Parts" tool window does, without the window. It
// builds the nodes of the part tree as the tree view shows them, says which commands and
// fields are enabled for the selected node, runs the structural commands (checking every
// parent link afterwards), keeps the "Play and Draw Subtree" box, the labels, the expanded
// flags and the Count and Pitch fields with their commit on focus loss, and pins the node of
// a refused turn count until a valid one is entered. The node selected is the document's
// SelectedPart. Standard C++ only.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "music/unit_muz.h"
#include "shell/dialog_field_commit.h"
#include "shell/music_playback.h"

namespace kalvora {

enum class TMusTreeCommand : std::uint8_t {
    insertSingle,
    appendSingle,
    repeat,
    turns,
    turn,
    forward,
    backward,
    forwardInto,
    backwardInto,
    forwardOut,
    backwardOut,
    deletePart,
    expand,
    expandAll,
    collapse,
    collapseAll,
    begin,
    end,
    playDraw,  // the "Play and Draw Subtree" box
    play,      // "Play Subtree"
    count,     // the "Count" field
    pitch,     // the "Pitch" field
    apply,
};
inline constexpr int kMusTreeCommandCount = static_cast<int>(TMusTreeCommand::apply) + 1;

// A command's caption, the menu that holds it and the hint of its tool button (short hint,
// "|", long hint shown in the status line).
struct TMusTreeCommandText {
    TMusTreeCommand command;
    const char* caption;
    const char* menu;
    const char* menuItem;  // the menu item's caption where it differs from the button's
    const char* hint;
};
// The commands of the menus and tool buttons in menu order.
const std::vector<TMusTreeCommandText>& MusTreeCommandTexts();

enum class TMusTreePicture : std::uint8_t { singlePart, repeat, turns, turnItem };

// One node of the tree view.
struct TMusTreeNode {
    TMusTreeItem* item = nullptr;
    std::string text;
    TMusTreePicture picture = TMusTreePicture::singlePart;
    bool expanded = false;
    std::vector<TMusTreeNode> children;
};

enum class TPlayDrawState : std::uint8_t { unchecked, checked, grayed };

// A question to confirm before a command runs.
struct TMusTreeConfirmation {
    std::string text;
    std::string caption;
};

class TMusicTreePresenter {
  public:
    explicit TMusicTreePresenter(TMusicPlayback* playback = nullptr) : playback_(playback) {}

    // The document shown, or none; forgets a pending edit.
    void Bind(TUnitMuz* unit);
    TUnitMuz* Unit() const { return unit_; }

    // The nodes below the root: a chain of concatenations as one list of siblings, a loop
    // over its content, a select part over its turn items (sorted by count) and its content.
    std::vector<TMusTreeNode> BuildNodes() const;

    // The selected node's item, or none.
    TMusTreeItem* Selected() const;
    // The user selected `item`: answers the item that is selected afterwards, which is the
    // node of a refused turn count while it is pinned.
    TMusTreeItem* SelectNode(TMusTreeItem* item);

    bool Enabled(TMusTreeCommand command) const;
    TPlayDrawState PlayDrawState() const;
    // The texts of "Count" and "Pitch" for the selected node (empty where not shown).
    std::string CountText() const;
    std::string PitchText() const;

    // The question to answer before `command` runs on the selected node, if any.
    std::optional<TMusTreeConfirmation> ConfirmationFor(TMusTreeCommand command) const;
    // Runs a structural, go-to or play command on the selected node; false when it is not
    // enabled or did not run. Expanding and collapsing belong to the view.
    bool Run(TMusTreeCommand command);
    // The "Play and Draw Subtree" box was clicked.
    void TogglePlayDraw();
    // The user expanded or collapsed the node of a loop or select part.
    void SetExpanded(TMusTreeItem* item, bool expanded);
    // The user edited a node's text in place.
    void SetLabel(TMusTreeItem* item, std::string label);

    // Typing in "Count" or "Pitch" (ignored while refreshing).
    void Typed();
    // "Count" or "Pitch" lost the focus holding `text`.
    TFieldCommit LeaveField(TMusTreeCommand field, std::string_view text);
    // A turn count was refused and its node is pinned.
    bool CountRefused() const { return refused_ != nullptr; }

    // Raised by the window around every refresh of its controls.
    void BeginUpdate() { ++updating_; }
    void EndUpdate() { --updating_; }
    bool Updating() const { return updating_ > 0; }

  private:
    TPartMuz* SelectedPartMuz() const;
    TCountSelectPartItem* SelectedTurn() const;
    bool CanGrow() const;
    bool LoopTurnsAllow(const TPartMuz& part, long long factor) const;
    TMusTreeItem* RunStructural(TMusTreeCommand command, TPartMuz* part);
    TFieldCommit CommitCount(TMusTreeItem& item, std::string_view text);
    TFieldCommit CommitPitch(TMusTreeItem& item, std::string_view text);
    void Changed(bool redraw);

    TUnitMuz* unit_ = nullptr;
    TMusicPlayback* playback_;
    int updating_ = 0;
    bool changed_ = false;             // typed since the last commit
    TMusTreeItem* edited_ = nullptr;   // the node typed for
    TMusTreeItem* refused_ = nullptr;  // the node whose count was refused
    bool committing_ = false;          // a message of a commit is open
};

}  // namespace kalvora
