// The command update: which commands are enabled, checked and visible, how menus and toolbars
// are arranged for the kind of the active window, and what the document status panels show,
// all as pure functions of a FrameSnapshot. The frame only applies the result. Standard C++.
#pragma once

#include <array>
#include <bitset>
#include <optional>
#include <string>

#include "shell/frame_layout.h"
#include "shell/frame_snapshot.h"

namespace kalvora {

// The commands that have a handler in this program; the others stay disabled.
using CommandSet = std::bitset<kCommandCount>;
CommandSet AllCommands();

// The states the rules give, before handlers are taken into account.
CommandStates ComputeCommandStates(const FrameSnapshot& snapshot);

// The arrangement of menus, toolbars and name box for a kind of window.
struct Arrangement {
    WindowKind kind = WindowKind::none;
    std::array<bool, kMenuCount> menuVisible{};
    std::array<bool, kToolbarCount> toolbarVisible{};
    bool nameBoxEnabled = false;  // disabled and grey with no document window
    bool clearNameBox = false;    // the name box is emptied
};
Arrangement ArrangeFor(WindowKind kind);

// Status panels 0 to 7; nullopt leaves a panel as it is.
using StatusPanelTexts = std::array<std::optional<std::string>, 8>;
StatusPanelTexts ComputeStatusPanels(const FrameSnapshot& snapshot);

struct FrameUpdate {
    CommandStates commands{};
    std::optional<Arrangement> arrangement;  // set only when the kind changed
    StatusPanelTexts panels{};
};

// Runs the update at every idle moment. It remembers the kind the menus and toolbars are
// arranged for ("shown kind": none yet at start, so the first update arranges them) and
// returns an arrangement only when the active kind differs from it.
class CommandUpdater {
  public:
    FrameUpdate Update(const FrameSnapshot& snapshot, const CommandSet& runnable);
    std::optional<WindowKind> ShownKind() const { return shownKind_; }

  private:
    std::optional<WindowKind> shownKind_;
};

}  // namespace kalvora
