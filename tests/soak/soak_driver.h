// TSoakDriver: plays random sequences of user actions through the real frame, offscreen:
// the enabled commands of the command table (their dialogs answered by TDialogResponder),
// selection and zoom by mouse, keys and the Select and Zoom window, window switches, waits
// that let the volume diagram workers run, and the player's ends. Between the steps it
// checks the invariants every state must keep; the first broken one ends the run.
//
// The sequence follows from the seed alone, so a failure is replayed by running the same
// seed for the same number of steps; the log names every step and every dialog answer.
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/messages.h"
#include "shell/commands.h"
#include "soak/dialog_responder.h"

namespace kalvora::platform {
class FakeMediaPlayer;
}

namespace kalvora::gui {
class TMainForm;
class TMDIChildMuz;
class TMDIChildWave;
class TViewWave;
}  // namespace kalvora::gui

namespace kalvora::soak {

struct TSoakOptions {
    std::uint64_t seed = 1;
    std::int64_t steps = 0;  // 0: no limit
    double seconds = 0.0;    // 0: no limit
    bool verbose = false;    // every step on standard output as it runs
};

class TSoakDriver final : public platform::MessageSink {
  public:
    explicit TSoakDriver(const TSoakOptions& options);
    ~TSoakDriver() override;

    // Runs until the step count or the time is reached or an invariant breaks; true when
    // nothing was found.
    bool Run();

    std::int64_t StepsDone() const { return step_; }
    const std::string& Finding() const { return finding_; }
    // The last steps, oldest first.
    std::vector<std::string> RecentLog() const;
    // Counts of the messages shown, by caption.
    std::string MessageSummary() const;

    // The message boxes of the program land here.
    void Show(std::string_view text, std::string_view caption, platform::MessageIcon icon) override;

    // For a crash report: the driver that runs now, or none.
    static TSoakDriver* Current();

  private:
    void Log(const std::string& line);
    void Fail(const std::string& what);
    void Settle();

    // --- the steps
    void Step();
    void KeepDocumentsWorkable();
    void RunRandomCommand();
    void RunCommand(CommandId id);
    void TryDisabledCommand();
    void ChangeSelection();
    void ChangeZoom();
    void ClickInView();
    void PressKeys();
    void PressShortcut(QWidget& target);
    void ActivateWindow();
    void ArrangeWindow();
    void Wait();
    void UseSelectZoom();
    void Rename();
    void EndPlayerOperation();
    void EditDrawing();
    // --- the steps in music windows (soak_music_steps.cpp)
    void ClickInMusic();
    void PressMusicKeys();
    bool ActivateMusicWindow();

    // --- the invariants
    void CheckInvariants();
    void CheckWindow(gui::TMDIChildWave& window);
    void CheckMemory();
    void CheckUndoTwice();
    void CheckMusicWindow(gui::TMDIChildMuz& window);

    void AnswerFrameQuestions();
    gui::TMDIChildWave* ActiveWave() const;
    gui::TMDIChildWave* RandomWave();
    gui::TViewWave& RandomView(gui::TMDIChildWave& window);
    std::vector<std::string> WaveFiles() const;
    std::vector<std::string> FilesOf(const QString& pattern) const;

    int Uniform(int low, int high);
    double Real(double low, double high);
    bool Chance(double p);

    TSoakOptions options_;
    Rng rng_;
    QTemporaryDir folder_;
    std::unique_ptr<gui::TMainForm> frame_;
    platform::FakeMediaPlayer* player_ = nullptr;
    std::unique_ptr<TDialogResponder> responder_;
    std::int64_t step_ = 0;
    std::int64_t baselineBytes_ = 0;
    std::deque<std::string> log_;
    std::string finding_;
    std::vector<std::pair<std::string, int>> messageCounts_;
    std::vector<std::string> newMessages_;
};

}  // namespace kalvora::soak
