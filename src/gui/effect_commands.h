// The frame's handlers of the commands of the effect table (the Make menu's generators, and
// the effects and filters as they join the table): each opens its dialog on the active wave
// document and, after OK, runs the command on it.
#pragma once

#include <functional>

namespace kalvora {
class TUnitWave;
}

namespace kalvora::gui {

class TMainForm;

// Gives every command of the effect table its handler in frame. A command runs on the
// document activeWave() returns, through its dialog (parented to the frame); nothing happens
// when it returns nullptr.
void RegisterEffectCommands(TMainForm& frame, std::function<TUnitWave*()> activeWave);

}  // namespace kalvora::gui
