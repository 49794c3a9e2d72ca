// Helpers of the wave window tests: WAV files written through the sound core into a scratch
// folder, and a frame whose dialogs are answered by the test.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>
#include <functional>
#include <memory>
#include <string>

#include "gui/main_form.h"
#include "gui/mdi_child_wave.h"
#include "gui/qt_text.h"
#include "gui/view_wave_group.h"
#include "platform/recording_message_sink.h"
#include "sound/sound.h"
#include "sound/wave_file.h"

namespace kalvora::gui::testing {

// A stereo sine of n samples per channel: 440 Hz on the left, 660 Hz on the right.
inline std::unique_ptr<Sound> StereoSine(std::int32_t n, int rate = 44100) {
    ErrorFlag error = 0;
    Wave left(&error, n);
    Wave right(&error, n);
    for (std::int32_t i = 0; i < n; ++i) {
        double t = static_cast<double>(i) / rate;
        left.wave[i] = static_cast<std::int16_t>(20000 * std::sin(2 * M_PI * 440 * t));
        right.wave[i] = static_cast<std::int16_t>(12000 * std::sin(2 * M_PI * 660 * t));
    }
    return std::make_unique<StereoSound>(std::move(left), std::move(right), rate, 2);
}

inline std::string WriteWav(const QTemporaryDir& folder, const QString& name, const Sound& sound) {
    std::string fileName = FileNameToCore(folder.filePath(name));
    ErrorFlag error = 0;
    if (!WriteWaveFile(sound, &error, fileName, 0, sound.GetValues())) return {};
    return fileName;
}

// Runs step on the modal dialog of type D once it is shown, from inside its event loop. Gives
// up after a while when none shows, so that it cannot catch a later test's dialog.
template <typename D>
void WhenModalShows(std::function<void(D&)> step, int attempts = 200) {
    QTimer::singleShot(attempts == 200 ? 0 : 5, [step, attempts] {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        if (dialog != nullptr) {
            step(*dialog);
        } else if (attempts > 1) {
            WhenModalShows<D>(step, attempts - 1);
        }
    });
}

// Clicks the OK button of the dialog's button box.
inline void PressOk(QDialog& dialog) {
    for (auto* box : dialog.findChildren<QDialogButtonBox*>()) {
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok)) {
            ok->click();
            return;
        }
    }
}

inline void PressCancel(QDialog& dialog) {
    for (auto* box : dialog.findChildren<QDialogButtonBox*>()) {
        if (QPushButton* cancel = box->button(QDialogButtonBox::Cancel)) {
            cancel->click();
            return;
        }
    }
}

// Processes events until the window's volume worker has ended; false after a generous timeout.
inline bool WaitForWorker(TMDIChildWave& window) {
    QElapsedTimer timer;
    timer.start();
    while (window.Group().Volume().Running()) {
        if (timer.elapsed() > 300000) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    QApplication::processEvents();
    return true;
}

class FrameFixture {
  public:
    FrameFixture() {
        frame.show();
        QApplication::processEvents();
    }

    void Settle() {
        QApplication::processEvents();
        frame.UpdateCommands();
    }

    // Runs a command whose settings dialog is answered with OK as it stands.
    bool RunAccepted(CommandId id) {
        WhenModalShows<QDialog>([](QDialog& dialog) { PressOk(dialog); });
        return frame.RunCommand(id);
    }

    platform::RecordingMessageSink messages;
    QTemporaryDir folder;
    TMainForm frame;
};

}  // namespace kalvora::gui::testing
