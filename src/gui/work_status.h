// The status bar widget after the eight panels: the elapsed and total time while a wave
// plays, the elapsed time while recording, and the progress of a volume diagram that is
// being computed in the active wave window.
#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QStatusBar;
class QTimer;

namespace kalvora::gui {

class TMainForm;

class TWorkStatus : public QWidget {
    Q_OBJECT
  public:
    TWorkStatus(TMainForm& frame, QStatusBar& bar);

    // The play or recording time; empty hides it.
    void ShowTime(const QString& text);
    QString TimeText() const;
    // The volume diagram's progress as shown now; empty when hidden.
    QString ProgressText() const;
    // Looks at the active wave window's volume diagram now (a timer does it while the
    // program runs).
    void FollowVolumeDiagram();

  private:
    TMainForm& frame_;
    QLabel* time_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QTimer* timer_ = nullptr;
};

}  // namespace kalvora::gui
