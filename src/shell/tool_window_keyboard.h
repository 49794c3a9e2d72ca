// TToolWindowKeyboard: the frame's flag "a tool window has the keyboard", and the one rule
// every modeless tool window follows to keep it. While the flag is set the keyboard filter
// hands keys to the text boxes being typed in, so one-key commands such as P (Play) do not
// run. The flag belongs to the tool window that set it: it goes when that window loses the
// activation, hides or closes, and whenever the frame or a document window is activated, so
// the keys never stay dead after the user went back to a document. Standard C++ only.
#pragma once

namespace kalvora {

class TToolWindowKeyboard {
  public:
    // Which tool window: any address that stays the same for the window's life.
    using ToolWindow = const void*;

    // The tool window became the active window.
    void ToolWindowActivated(ToolWindow window) { owner_ = window; }
    // The tool window lost the activation, was hidden or was closed. Another tool window
    // that has been activated meanwhile keeps the flag.
    void ToolWindowLeft(ToolWindow window) {
        if (owner_ == window) owner_ = nullptr;
    }
    // The frame itself or one of its document windows became active.
    void FrameActivated() { owner_ = nullptr; }

    bool ToolWindowHasKeyboard() const { return owner_ != nullptr; }

  private:
    ToolWindow owner_ = nullptr;
};

}  // namespace kalvora
