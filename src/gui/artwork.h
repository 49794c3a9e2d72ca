// The program's pictures from its resources: command icons, the application icon and the
// mouse cursors registered at start.
#pragma once

#include <QCursor>
#include <QIcon>
#include <array>
#include <string_view>

#include "shell/frame_texts.h"

namespace kalvora::gui {

// The icon of a command image name (command table); a null icon for an unknown name.
QIcon CommandIcon(std::string_view image);
bool HasCommandIcon(std::string_view image);
QIcon ApplicationIcon();

// The seven screen cursors, loaded once.
class ScreenCursors {
  public:
    ScreenCursors();
    const QCursor& Get(ScreenCursor cursor) const;

  private:
    std::array<QCursor, 8> cursors_;
};

}  // namespace kalvora::gui
