// File > Recent Files: the submenu of the frame's recent files list, filled each time it
// opens. Choosing an entry opens the file by its kind; a file that is gone is removed from
// the list with a message.
#pragma once

#include <QObject>

#include "shell/recent_files.h"

class QMenu;

namespace kalvora::gui {

class TMainForm;

class TRecentFilesMenu : public QObject {
    Q_OBJECT
  public:
    TRecentFilesMenu(TMainForm& frame, TRecentFiles& files, QMenu& menu);

    // Opens entry index of the list, as choosing it in the menu does.
    void OpenEntry(std::size_t index);

  private:
    void Fill();

    TMainForm& frame_;
    TRecentFiles& files_;
    QMenu& menu_;
};

}  // namespace kalvora::gui
