// WaveWindow: what a wave document asks of the window that shows it. The wave window
// implements it; tests use a recording fake. A document without a window skips every call.
#pragma once

#include <cstdint>
#include <memory>

#include "documents/document.h"
#include "documents/window_view_state.h"

namespace kalvora {

class WaveWindow : public UnitWindow {
  public:
    // Before a command that changes the length of the sound: the views remember where their
    // visible range lies around [begin, end). Always followed by exactly one AfterChange.
    virtual void BeforeChange(std::int32_t begin, std::int32_t end) = 0;
    // After it: the new material occupies [begin, end) (after a failed command: the range
    // given to BeforeChange); zoomed views keep their distances to it. The document sets
    // its selection itself afterwards.
    virtual void AfterChange(std::int32_t begin, std::int32_t end) = 0;
    // The document's sound is about to be replaced or destroyed: stop and wait for whatever
    // still reads it (the volume diagram worker). Refresh starts it again when needed.
    virtual void StopSoundReaders() = 0;
    // The sound, the format or the drawing changed (a command, undo, revert): repaint both
    // views in full, or restart the volume diagram when it is shown.
    virtual void Refresh() = 0;
    // The selection ends changed from (oldFirst, oldSecond) to the document's current ones:
    // repaint only the strips whose state changed (selection_strips.h), the cursors and
    // the status bar.
    virtual void SelectionChanged(std::int32_t oldFirst, std::int32_t oldSecond) = 0;
    // The channel count changed (mono <-> stereo): the icon and the volume arrays follow.
    virtual void ChannelsChanged() = 0;
    // Hand drawing started or ended: the views take the drawing or the normal mouse cursor.
    virtual void DrawingModeChanged() = 0;
    // What the shadow file stores of the window; nullptr when it keeps nothing of its own
    // (the writer then takes the document's pending state or the defaults).
    virtual std::unique_ptr<TWindowViewState> ViewState() const { return nullptr; }
    // A shadow file was read while the window exists (revert): it takes the document's
    // pending view state (TUnitWave::TakeViewState) and applies it.
    virtual void ViewStateRead() {}
};

}  // namespace kalvora
