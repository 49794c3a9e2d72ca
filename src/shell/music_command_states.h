// Which music commands are enabled and checked, as a pure function of the music document:
// its mode, its insert parameters and its selection. The keys that a music window gives a
// meaning of their own (L, Shift+L, Alt+N, Alt+S, Alt+L, Shift+Alt+L, Alt+U, Alt+D) follow
// the operations they run. The frame's command update reads the result from the snapshot's
// music facts. Standard C++ only.
#pragma once

#include "music/unit_muz.h"
#include "shell/frame_snapshot.h"

namespace kalvora {

// The states of the music commands and of the music window's own keys; every other entry
// is left disabled.
CommandStates MusicCommandStates(const TUnitMuz& unit);

// What the command update reads of a music document (the status panels are the window's).
MusicFacts DescribeMusic(const TUnitMuz& unit);

}  // namespace kalvora
