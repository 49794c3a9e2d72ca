#include "gui/play_head_tracker.h"

#include <QPainter>
#include <QTimer>

#include "gui/mdi_child_wave.h"
#include "gui/qt_text.h"
#include "gui/view_wave.h"
#include "gui/view_wave_group.h"
#include "gui/work_status.h"

namespace kalvora::gui {
namespace {

using platform::PlayerMode;

// About 30 pictures a second: smooth to the eye, cheap for the program.
constexpr int kFollowInterval = 33;
constexpr int kLineWidth = 2;
// A colour that stands apart from the view settings' defaults (black, white, blue, olive,
// grey and magenta).
const QColor kLineColour(0x00, 0xb0, 0x40);

}  // namespace

TPlayHeadLine::TPlayHeadLine(TViewWave& view) : QWidget(&view) {
    setObjectName(QStringLiteral("PlayHeadLine"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    hide();
}

void TPlayHeadLine::Place(std::optional<int> x, int height) {
    if (!x || height <= 0) {
        hide();
        return;
    }
    setGeometry(*x, 0, kLineWidth, height);
    show();
    raise();
}

void TPlayHeadLine::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), kLineColour);
}

TPlayHeadTracker::TPlayHeadTracker(QObject* parent, const platform::MediaPlayer& player,
                                   TWorkStatus& status)
    : QObject(parent), player_(player), status_(status) {
    timer_ = new QTimer(this);
    timer_->setInterval(kFollowInterval);
    connect(timer_, &QTimer::timeout, this, &TPlayHeadTracker::Follow);
}

TPlayHeadLine* TPlayHeadTracker::LineOf(const TViewWave& view) {
    return view.findChild<TPlayHeadLine*>(QString(), Qt::FindDirectChildrenOnly);
}

void TPlayHeadTracker::PlayStarted(TMDIChildWave* window, std::int32_t begin, std::int32_t end,
                                   int freq) {
    ShowLines(std::nullopt);  // a play that replaces another leaves no line behind
    recording_ = false;
    window_ = window;
    head_.Started(window, begin, end, freq);
    timer_->start();
    Follow();
}

void TPlayHeadTracker::RecordStarted() {
    ShowLines(std::nullopt);
    head_.Ended();
    window_ = nullptr;
    recording_ = true;
    timer_->start();
    Follow();
}

void TPlayHeadTracker::Follow() {
    const PlayerMode mode = player_.Mode();
    if (recording_ && (mode == PlayerMode::recording || mode == PlayerMode::paused)) {
        status_.ShowTime(FromCore(RecordTimeText(player_.Seconds())));
        return;
    }
    // A play opened while pause was armed waits (open) for Pause; it still is this play.
    const bool pending = mode == PlayerMode::open;
    const bool running =
        mode == PlayerMode::playing || mode == PlayerMode::paused || mode == PlayerMode::seeking;
    if (recording_ && pending) return;
    if (!head_.Playing() || !(running || pending)) {
        EndAll();
        return;
    }
    const double seconds = head_.Heard(running ? player_.Seconds() : 0.0);
    ShowLines(head_.SampleAt(seconds));
    status_.ShowTime(FromCore(PlayTimeText(seconds, head_.TotalSeconds())));
}

void TPlayHeadTracker::ShowLines(std::optional<double> sample) {
    if (window_ == nullptr) return;
    for (int number = 1; number <= 2; ++number) {
        TViewWave& view = window_->Group().View(number);
        TPlayHeadLine* line = LineOf(view);
        if (line == nullptr) {
            if (!sample) continue;
            line = new TPlayHeadLine(view);
        }
        std::optional<int> x;
        const TWaveViewGeometry& geometry = view.Geometry();
        if (sample && geometry.Width() > 1) {
            const platform::Rect client = geometry.Client();
            const int column = geometry.PixelOfSample(*sample);
            if (column >= client.left && column < client.right) x = column;
        }
        line->Place(x, geometry.Client().Height());
    }
}

void TPlayHeadTracker::EndAll() {
    ShowLines(std::nullopt);
    head_.Ended();
    window_ = nullptr;
    recording_ = false;
    status_.ShowTime(QString());
    timer_->stop();
}

}  // namespace kalvora::gui
