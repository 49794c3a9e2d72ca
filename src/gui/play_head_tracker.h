// The play head on screen: while a wave plays, a line in both views of its window at the
// sample the audio player has played up to (asked of the player at a steady pace, the
// sound server's processed time), and the elapsed and total time in the status bar widget;
// while recording, the elapsed time. All of it goes when the play or recording ends.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <optional>

#include "platform/media_player.h"
#include "shell/play_head.h"

class QTimer;

namespace kalvora::gui {

class TMDIChildWave;
class TViewWave;
class TWorkStatus;

// The line of the play head: a thin child of a view that the mouse passes through.
class TPlayHeadLine : public QWidget {
    Q_OBJECT
  public:
    explicit TPlayHeadLine(TViewWave& view);
    // Shows the line at column x over height pixels; none hides it.
    void Place(std::optional<int> x, int height);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

class TPlayHeadTracker : public QObject {
    Q_OBJECT
  public:
    TPlayHeadTracker(QObject* parent, const platform::MediaPlayer& player, TWorkStatus& status);

    // A play of samples begin .. end - 1 of window's wave began (window none: a sound of no
    // window, such as music), or a recording began.
    void PlayStarted(TMDIChildWave* window, std::int32_t begin, std::int32_t end, int freq);
    void RecordStarted();

    // Follows the player now (a timer does it while something plays).
    void Follow();
    const TPlayHead& Head() const { return head_; }
    // The line of view, when one was made for it.
    static TPlayHeadLine* LineOf(const TViewWave& view);

  private:
    void ShowLines(std::optional<double> sample);
    void EndAll();

    const platform::MediaPlayer& player_;
    TWorkStatus& status_;
    TPlayHead head_;
    QPointer<TMDIChildWave> window_;
    bool recording_ = false;
    QTimer* timer_ = nullptr;
};

}  // namespace kalvora::gui
