// The Qt application object of kalvora-cli-qt's verbs: the player's audio classes need one,
// and drawing text on a picture needs a GUI one. Both get the same object, so that a process
// running several verbs (the tests run the tool in-process) never holds the wrong kind.
#pragma once

namespace kalvora::cli {

// Creates the application on Qt's offscreen platform if the process has none yet: pictures
// then come out the same with or without a display. Returns false when the process already
// holds an application that cannot draw text.
bool EnsureGuiApplication();

}  // namespace kalvora::cli
