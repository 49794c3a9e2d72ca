#include "gui/work_status.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>

#include "gui/main_form.h"
#include "gui/mdi_child_wave.h"
#include "gui/qt_text.h"
#include "gui/view_wave_group.h"
#include "shell/volume_progress.h"

namespace kalvora::gui {
namespace {

// How often the volume diagram's progress is looked at.
constexpr int kFollowInterval = 200;

}  // namespace

TWorkStatus::TWorkStatus(TMainForm& frame, QStatusBar& bar) : QWidget(&bar), frame_(frame) {
    setObjectName(QStringLiteral("WorkStatus"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    time_ = new QLabel(this);
    time_->setObjectName(QStringLiteral("PlayTime"));
    time_->setFrameShape(QFrame::Panel);
    time_->setFrameShadow(QFrame::Sunken);
    time_->setContentsMargins(3, 0, 3, 0);
    time_->setTextFormat(Qt::PlainText);
    // Room for "Recording 00:00.0" and "00:00.0 / 00:00.0" without the bar jumping.
    time_->setMinimumWidth(
        time_->fontMetrics().horizontalAdvance(QStringLiteral("00:00.0 / 00:00.0")) + 10);
    time_->hide();
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("VolumeProgress"));
    progress_->setRange(0, 100);
    progress_->setTextVisible(true);
    progress_->setMaximumWidth(
        progress_->fontMetrics().horizontalAdvance(QStringLiteral("Volume diagram 100%")) + 30);
    progress_->hide();
    layout->addWidget(time_);
    layout->addWidget(progress_);
    bar.addPermanentWidget(this);
    timer_ = new QTimer(this);
    timer_->setInterval(kFollowInterval);
    connect(timer_, &QTimer::timeout, this, &TWorkStatus::FollowVolumeDiagram);
    timer_->start();
}

void TWorkStatus::ShowTime(const QString& text) {
    if (time_->text() != text) time_->setText(text);
    time_->setVisible(!text.isEmpty());
}

QString TWorkStatus::TimeText() const {
    return time_->isVisible() ? time_->text() : QString();
}

QString TWorkStatus::ProgressText() const {
    return progress_->isVisible() ? progress_->format() : QString();
}

void TWorkStatus::FollowVolumeDiagram() {
    TMDIChildWave* window = frame_.ActiveWaveWindow();
    if (window == nullptr || !window->Group().Volume().Running()) {
        progress_->hide();
        return;
    }
    const TVolumeComputation& volume = window->Group().Volume();
    const int percent =
        volume.VolumeArraySingle() != nullptr
            ? VolumeDiagramPercent(volume.VolumeArraySingle())
            : VolumeDiagramPercent(volume.VolumeArrayLeft(), volume.VolumeArrayRight());
    progress_->setValue(percent);
    progress_->setFormat(FromCore(VolumeDiagramProgressText(percent)));
    progress_->show();
}

}  // namespace kalvora::gui
