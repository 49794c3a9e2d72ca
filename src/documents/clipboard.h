// The program's own clipboard: one sound or none (ClipBoardSound), shared by all wave
// documents and owned by the frame. It keeps its own rate and format; the commands that use
// it convert it. It survives the closing of every document.
//
// A sound without samples is never kept: putting one in empties the clipboard, so that Paste,
// Swap and Mix are offered only when there is something to insert.
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
    // A null or empty sound leaves the clipboard empty.
    void SetSound(std::shared_ptr<const Sound> sound);
    // "Clear Clipboard".
    void Clear() { sound_.reset(); }

  private:
    std::shared_ptr<const Sound> sound_;
};

}  // namespace kalvora
