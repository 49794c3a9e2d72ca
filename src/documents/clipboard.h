// The program's own clipboard: one sound or none (ClipBoardSound), shared by all wave
// documents and owned by the frame. It keeps its own rate and format; the commands that use
// it convert it. It survives the closing of every document.
//
// A sound without samples is kept like any other: Swap at a cursor leaves an empty clipboard,
// and Paste, Swap and Mix stay offered (they insert or mix in nothing).
#pragma once

#include <memory>

#include "sound/sound.h"

namespace kalvora {

class TClipboard {
  public:
    // The clipboard sound, or nullptr. Hold the shared pointer while using it.
    const std::shared_ptr<const Sound>& ClipBoardSound() const { return sound_; }
    bool HasSound() const { return sound_ != nullptr; }

    // Replaces the clipboard sound (the previous one is released when nothing else holds it).
    // A null sound leaves no clipboard at all.
    void SetSound(std::shared_ptr<const Sound> sound);
    // "Clear Clipboard".
    void Clear() { sound_.reset(); }

  private:
    std::shared_ptr<const Sound> sound_;
};

}  // namespace kalvora
