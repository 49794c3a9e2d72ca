#include "soak/soak_driver.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMdiArea>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <optional>
#include <set>

#include "documents/clipboard.h"
#include "documents/undo.h"
#include "documents/wave_creation.h"
#include "documents/wave_document.h"
#include "gui/main_form.h"
#include "gui/mdi_child_muz.h"
#include "gui/mdi_child_wave.h"
#include "gui/name_box.h"
#include "gui/qt_text.h"
#include "gui/select_zoom_dialog.h"
#include "gui/view_wave.h"
#include "gui/view_wave_group.h"
#include "platform/fake_media_player.h"
#include "shell/command_table.h"
#include "soak/command_oracle.h"
#include "sound/sample_memory.h"
#include "sound/sound.h"
#include "sound/wave.h"
#include "sound/wave_file.h"
#include "sound/wave_file_prop_choices.h"

namespace kalvora::soak {
namespace {

using C = CommandId;

// Documents longer than this are cut back (as a user would), so that a run of hours keeps
// its pace under the sanitizers.
constexpr std::int32_t kMaxSamples = 200000;
constexpr int kMaxWindows = 6;
constexpr std::size_t kLogLines = 400;

TSoakDriver* current = nullptr;

void SendMouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held, Qt::KeyboardModifiers modifiers) {
    QMouseEvent event(type, at, widget.mapToGlobal(at), button, held, modifiers);
    QApplication::sendEvent(&widget, &event);
}

// Presses at from, moves to to with the button held (when it differs), releases there.
void Drag(QWidget& widget, QPoint from, QPoint to, Qt::MouseButton button,
          Qt::KeyboardModifiers modifiers) {
    SendMouse(widget, QEvent::MouseButtonPress, from, button, button, modifiers);
    if (to != from) SendMouse(widget, QEvent::MouseMove, to, Qt::NoButton, button, modifiers);
    SendMouse(widget, QEvent::MouseButtonRelease, to, button, Qt::NoButton, modifiers);
}

std::string Describe(const TUnitWave& wave) {
    char text[200];
    std::snprintf(text, sizeof text, "\"%s\" n=%lld %s %d Hz sel=(%d,%d)%s", wave.Name().c_str(),
                  static_cast<long long>(wave.GetValues()), wave.GetMoSt() == 1 ? "mono" : "stereo",
                  wave.GetFreq(), wave.FirstEnd(), wave.SecondEnd(),
                  wave.UserDrawing() ? " drawing" : "");
    return text;
}

// The sound's own waves: one for a mono sound, left and right for a stereo one.
std::vector<const Wave*> WavesOf(const Sound& sound) {
    if (sound.MoSt == 1) return {&sound.GetLeftWave()};
    return {&sound.GetLeftWave(), &sound.GetRightWave()};
}

// Everything Undo exchanges and a second Undo must give back.
struct WaveState {
    const Sound* sound = nullptr;
    std::uint64_t samples = 0;
    waveFileProps format;
    std::int32_t values = 0;
    std::int32_t first = 0;
    std::int32_t second = 0;
    bool operator==(const WaveState& other) const {
        return samples == other.samples && format == other.format && values == other.values &&
               first == other.first && second == other.second;
    }
};

WaveState StateOf(const TUnitWave& wave) {
    WaveState state;
    const Sound& sound = wave.TheSound();
    state.sound = &sound;
    std::uint64_t hash = 1469598103934665603ull;
    for (const Wave* wave : WavesOf(sound)) {
        const Wave& channel = *wave;
        for (std::int32_t i = 0; i < channel.values; ++i) {
            hash ^= static_cast<std::uint16_t>(channel.wave[i]);
            hash *= 1099511628211ull;
        }
    }
    state.samples = hash;
    state.format = sound.GetWaveFileProps();
    state.values = sound.GetValues();
    state.first = wave.FirstEnd();
    state.second = wave.SecondEnd();
    return state;
}

// A stereo or mono sound's channels and its own count agree.
std::string SoundFault(const Sound& sound, const char* whose) {
    if (sound.MoSt != 1 && sound.MoSt != 2) return std::string(whose) + ": MoSt neither 1 nor 2";
    for (const Wave* wave : WavesOf(sound)) {
        if (wave->values != sound.GetValues())
            return std::string(whose) + ": channels of unequal length";
    }
    return {};
}

std::unique_ptr<Sound> RandomSound(std::mt19937_64& rng) {
    const int rates[] = {5512, 8000, 11025, 22050, 44100};
    const int rate = rates[rng() % 5];
    const std::int32_t n = static_cast<std::int32_t>(rng() % 3000);
    ErrorFlag error = 0;
    auto channel = [&](int period) {
        Wave wave(&error, n);
        for (std::int32_t i = 0; i < n; ++i)
            wave.wave[i] = static_cast<std::int16_t>(((i % period) - period / 2) * 300);
        return wave;
    };
    std::unique_ptr<Sound> sound;
    if (rng() % 2 == 0) {
        sound = std::make_unique<MonoSound>(channel(50), rate, 2);
    } else {
        sound = std::make_unique<StereoSound>(channel(40), channel(70), rate, 2);
    }
    sound->BytesPSample = static_cast<std::int16_t>(rng() % 2 + 1);
    return sound;
}

bool IsProjectDialog(FileDialogKind kind) {
    return kind == FileDialogKind::openProject || kind == FileDialogKind::newProject ||
           kind == FileDialogKind::exportProject;
}

}  // namespace

TSoakDriver* TSoakDriver::Current() {
    return current;
}

TSoakDriver::TSoakDriver(const TSoakOptions& options) : options_(options), rng_(options.seed) {
    current = this;
    platform::SetMessageSink(this);
    auto player = std::make_unique<platform::FakeMediaPlayer>();
    player_ = player.get();
    // A recording ends as a small file in a random format, as a device would leave it.
    player_->onSave = [this](const std::filesystem::path& file) {
        std::unique_ptr<Sound> sound = RandomSound(rng_);
        ErrorFlag error = 0;
        return sound->GetValues() == 0 ||
               WriteWaveFile(*sound, &error, file.string(), 0, sound->GetValues());
    };
    frame_ = std::make_unique<gui::TMainForm>(std::move(player));
    frame_->show();
    QApplication::processEvents();
    // Files to open: a few good ones and one that is not a WAV file.
    for (int i = 0; i < 3; ++i) {
        std::unique_ptr<Sound> sound = RandomSound(rng_);
        ErrorFlag error = 0;
        if (sound->GetValues() > 0) {
            WriteWaveFile(*sound, &error,
                          folder_.filePath(QString("start%1.wav").arg(i)).toStdString(), 0,
                          sound->GetValues());
        }
    }
    std::ofstream(folder_.filePath("bad.wav").toStdString()) << "RIFF, but not a wave at all";
    baselineBytes_ = SampleBytesHeld();
    responder_ =
        std::make_unique<TDialogResponder>(rng_, [this](const std::string& line) { Log(line); });
    AnswerFrameQuestions();
}

TSoakDriver::~TSoakDriver() {
    responder_->Stop();
    // Closing answers no more questions: every change is discarded.
    frame_->closeQuestion = [](const QString&) { return gui::CloseAnswer::discard; };
    frame_->close();
    frame_.reset();
    QApplication::processEvents();
    platform::SetMessageSink(nullptr);
    current = nullptr;
}

int TSoakDriver::Uniform(int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng_);
}

double TSoakDriver::Real(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(rng_);
}

bool TSoakDriver::Chance(double p) {
    return std::bernoulli_distribution(p)(rng_);
}

void TSoakDriver::Log(const std::string& line) {
    if (options_.verbose) {
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    }
    log_.push_back(line);
    if (log_.size() > kLogLines) log_.pop_front();
}

std::vector<std::string> TSoakDriver::RecentLog() const {
    return {log_.begin(), log_.end()};
}

void TSoakDriver::Fail(const std::string& what) {
    if (finding_.empty()) finding_ = what;
}

void TSoakDriver::Show(std::string_view text, std::string_view caption, platform::MessageIcon) {
    std::string line = "  message \"" + std::string(caption) + "\": " + std::string(text);
    Log(line);
    auto it = std::find_if(messageCounts_.begin(), messageCounts_.end(),
                           [&](const auto& entry) { return entry.first == caption; });
    if (it == messageCounts_.end()) {
        messageCounts_.emplace_back(std::string(caption), 1);
    } else {
        ++it->second;
    }
    // An assertion stops the program right after its message: the report goes out now.
    if (caption == platform::caption::assertionFailed ||
        caption == platform::caption::seriousError) {
        Fail("a message box reported: " + std::string(caption) + ": " + std::string(text));
        std::fprintf(stderr, "\nSOAK FINDING at step %lld (seed %llu): %s\n",
                     static_cast<long long>(step_), static_cast<unsigned long long>(options_.seed),
                     finding_.c_str());
        for (const std::string& entry : log_)
            std::fprintf(stderr, "%s\n", entry.c_str());
        std::fflush(stderr);
    }
}

std::string TSoakDriver::MessageSummary() const {
    std::string summary;
    for (const auto& [caption, count] : messageCounts_)
        summary += (summary.empty() ? "" : ", ") + caption + " " + std::to_string(count);
    return summary.empty() ? "none" : summary;
}

// The answers to the questions the frame asks through its seams, drawn at random.
void TSoakDriver::AnswerFrameQuestions() {
    gui::TMainForm& frame = *frame_;
    frame.closeQuestion = [this](const QString& text) {
        const int pick = Uniform(0, 9);
        const gui::CloseAnswer answer = pick < 4   ? gui::CloseAnswer::discard
                                        : pick < 7 ? gui::CloseAnswer::save
                                                   : gui::CloseAnswer::cancel;
        Log("  close question \"" + text.toStdString() + "\": " +
            (answer == gui::CloseAnswer::discard ? "No"
             : answer == gui::CloseAnswer::save  ? "Yes"
                                                 : "Cancel"));
        return answer;
    };
    frame.saveFileName = [this](FileDialogKind kind) -> std::optional<std::string> {
        const int pick = Uniform(0, 9);
        const bool music = kind == FileDialogKind::saveMusic;
        std::optional<std::string> name;
        if (IsProjectDialog(kind)) {
            if (pick < 8)
                name = folder_.filePath(QString("p%1.kvp").arg(Uniform(0, 2))).toStdString();
        } else if (pick < 7) {
            name = folder_.filePath(QString(music ? "m%1.kvm" : "w%1.wav").arg(Uniform(0, 5)))
                       .toStdString();
        } else if (pick < 8) {
            name = folder_.filePath(music ? "no such folder/x.kvm" : "no such folder/x.wav")
                       .toStdString();
        }
        Log("  save file name: " + name.value_or("Cancel"));
        return name;
    };
    frame.openFileNames = [this](FileDialogKind kind) {
        QStringList names;
        if (IsProjectDialog(kind)) {
            names << folder_.filePath(QString("p%1.kvp").arg(Uniform(0, 2)));
            Log("  open project: " + names.first().toStdString());
            return names;
        }
        const bool music = kind == FileDialogKind::openMusic;
        std::vector<std::string> files = music ? FilesOf("*.kvm") : WaveFiles();
        files.push_back(folder_.filePath(music ? "missing.kvm" : "missing.wav").toStdString());
        const int count = Uniform(0, 2);
        for (int i = 0; i < count; ++i)
            names << QString::fromStdString(
                files[static_cast<std::size_t>(Uniform(0, static_cast<int>(files.size()) - 1))]);
        Log("  open files: " + names.join(", ").toStdString());
        return names;
    };
    frame.waveFilePropsAnswer = [this](const waveFileProps& props) -> std::optional<waveFileProps> {
        if (Chance(0.15)) {
            Log("  Wave Properties: Cancel");
            return std::nullopt;
        }
        const int rates[] = {5512, 11025, 22050, 44100, 88200, props.Freq};
        waveFileProps chosen = props;
        if (Chance(0.5)) chosen.Freq = rates[Uniform(0, 5)];
        if (Chance(0.5)) chosen.MoSt = static_cast<std::int16_t>(Uniform(1, 2));
        if (Chance(0.3)) chosen.BytesPSample = static_cast<std::int16_t>(Uniform(1, 2));
        Log("  Wave Properties: " + std::to_string(chosen.Freq) + " Hz, " +
            (chosen.MoSt == 1 ? "mono" : "stereo") + ", " +
            std::to_string(chosen.BytesPSample * 8) + " bits");
        return chosen;
    };
    frame.mixPlaceAnswer = [this](TMixPlace place) -> std::optional<TMixPlace> {
        if (Chance(0.2)) {
            Log("  Mix: Cancel");
            return std::nullopt;
        }
        place = static_cast<TMixPlace>(Uniform(0, 2));
        Log("  Mix: place " + std::to_string(static_cast<int>(place)));
        return place;
    };
    frame.registerNameAnswer = [this](const std::string& name) -> std::optional<std::string> {
        // "sample" is the wave the instrument of a new stave plays.
        const char* names[] = {"Lead", "Bass", "", "  Pad  ", "NONAME1", "x", "sample"};
        if (Chance(0.2)) return std::nullopt;
        std::string chosen = Chance(0.2) ? name : names[Uniform(0, 6)];
        Log("  Register: \"" + chosen + "\"");
        return chosen;
    };
}

std::vector<std::string> TSoakDriver::WaveFiles() const {
    return FilesOf("*.wav");
}

std::vector<std::string> TSoakDriver::FilesOf(const QString& pattern) const {
    std::vector<std::string> files;
    for (const QString& name : QDir(folder_.path()).entryList({pattern}, QDir::Files, QDir::Name))
        files.push_back(folder_.filePath(name).toStdString());
    return files;
}

gui::TMDIChildWave* TSoakDriver::ActiveWave() const {
    return frame_->ActiveWaveWindow();
}

gui::TMDIChildWave* TSoakDriver::RandomWave() {
    std::vector<gui::TMDIChildWave*> waves;
    for (gui::TMDIChildKalvora* window : frame_->DocumentWindows()) {
        if (auto* wave = qobject_cast<gui::TMDIChildWave*>(window)) waves.push_back(wave);
    }
    if (waves.empty()) return nullptr;
    return waves[static_cast<std::size_t>(Uniform(0, static_cast<int>(waves.size()) - 1))];
}

gui::TViewWave& TSoakDriver::RandomView(gui::TMDIChildWave& window) {
    // The first view is one pixel wide until the splitter moves: the second is used more.
    return window.Group().View(Chance(0.25) ? 1 : 2);
}

// Lets the posted work run: repaints, the command update, deferred deletions.
void TSoakDriver::Settle() {
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    frame_->UpdateCommands();
}

bool TSoakDriver::Run() {
    QElapsedTimer clock;
    clock.start();
    responder_->Start();
    Settle();
    while (finding_.empty()) {
        if (options_.steps > 0 && step_ >= options_.steps) break;
        if (options_.seconds > 0 && clock.elapsed() >= options_.seconds * 1000) break;
        ++step_;
        Step();
        if (!finding_.empty()) break;
        Settle();
        CheckInvariants();
        if (finding_.empty() && Chance(0.2)) CheckUndoTwice();
    }
    responder_->Stop();
    return finding_.empty();
}

void TSoakDriver::Step() {
    KeepDocumentsWorkable();
    if (!finding_.empty()) return;
    const int pick = Uniform(0, 99);
    if (ActiveWave() != nullptr && ActiveWave()->Wave().UserDrawing() && Chance(0.3)) {
        EditDrawing();
    } else if (pick < 45) {
        RunRandomCommand();
    } else if (pick < 55) {
        ChangeSelection();
    } else if (pick < 62) {
        ChangeZoom();
    } else if (pick < 68) {
        ClickInView();
    } else if (pick < 73) {
        PressKeys();
    } else if (pick < 78) {
        ActivateWindow();
    } else if (pick < 81) {
        ArrangeWindow();
    } else if (pick < 86) {
        Wait();
    } else if (pick < 90) {
        UseSelectZoom();
    } else if (pick < 92) {
        Rename();
    } else if (pick < 95) {
        EndPlayerOperation();
    } else if (pick < 98) {
        EditDrawing();
    } else {
        TryDisabledCommand();
    }
}

// At least one document, not too many, none too long: what the steps work on.
void TSoakDriver::KeepDocumentsWorkable() {
    QList<gui::TMDIChildKalvora*> windows = frame_->DocumentWindows();
    if (windows.isEmpty()) {
        Log("#" + std::to_string(step_) + " (no window) new wave");
        frame_->AddWaveWindow(NewWave(frame_->Workspace(), kNewWaveProps));
        Settle();
        return;
    }
    if (windows.size() > kMaxWindows) {
        gui::TMDIChildKalvora* window = windows.first();
        Log("#" + std::to_string(step_) + " (too many windows) close \"" +
            window->windowTitle().toStdString() + "\"");
        window->CloseWithoutQuestion();
        Settle();
    }
    for (gui::TMDIChildKalvora* window : frame_->DocumentWindows()) {
        auto* wave = qobject_cast<gui::TMDIChildWave*>(window);
        if (wave == nullptr || wave->Wave().GetValues() <= kMaxSamples || wave->RecordedInto() ||
            wave->Wave().UserDrawing()) {
            continue;
        }
        Log("#" + std::to_string(step_) + " (too long) delete the end of " +
            Describe(wave->Wave()));
        frame_->MdiArea()->setActiveSubWindow(wave);
        wave->Wave().SetSelection(kMaxSamples / 2, wave->Wave().GetValues());
        Settle();
        RunCommand(C::EditDelete);
        Settle();
    }
}

void TSoakDriver::RunCommand(CommandId id) {
    const bool ran = frame_->RunCommand(id);
    if (!ran) Log("  (not run)");
}

void TSoakDriver::RunRandomCommand() {
    frame_->UpdateCommands();
    std::vector<CommandId> enabled;
    for (const CommandInfo& info : CommandTable()) {
        if (frame_->CommandEnabled(info.id)) enabled.push_back(info.id);
    }
    if (enabled.empty()) return;
    const CommandId id =
        enabled[static_cast<std::size_t>(Uniform(0, static_cast<int>(enabled.size()) - 1))];
    std::string on;
    if (gui::TMDIChildWave* wave = ActiveWave()) on = " on " + Describe(wave->Wave());
    Log("#" + std::to_string(step_) + " command " + std::string(Command(id).name) + on);
    if (id == C::FileExit) {
        // With a project open the program would close without a question.
        if (!frame_->ProjectFile().empty()) {
            Log("  (skipped: the open project would be saved and the program closed)");
            return;
        }
        // The program stays: shutting down is refused at the first unsaved document.
        bool unsaved = false;
        for (gui::TMDIChildKalvora* window : frame_->DocumentWindows())
            unsaved = unsaved || window->Document().NeedsSave();
        if (!unsaved) {
            Log("  (skipped: nothing would refuse the shutdown)");
            return;
        }
        auto answer = frame_->closeQuestion;
        frame_->closeQuestion = [this](const QString& text) {
            Log("  close question \"" + text.toStdString() + "\": Cancel");
            return gui::CloseAnswer::cancel;
        };
        RunCommand(id);
        frame_->closeQuestion = answer;
        if (!frame_->isVisible()) Fail("Exit closed the frame although the shutdown was refused");
        return;
    }
    RunCommand(id);
}

// A disabled command refuses to run and changes nothing.
void TSoakDriver::TryDisabledCommand() {
    frame_->UpdateCommands();
    std::vector<CommandId> disabled;
    for (const CommandInfo& info : CommandTable()) {
        if (!frame_->CommandEnabled(info.id) && frame_->HasHandler(info.id))
            disabled.push_back(info.id);
    }
    if (disabled.empty()) return;
    const CommandId id =
        disabled[static_cast<std::size_t>(Uniform(0, static_cast<int>(disabled.size()) - 1))];
    Log("#" + std::to_string(step_) + " disabled command " + std::string(Command(id).name));
    if (frame_->RunCommand(id)) Fail(std::string(Command(id).name) + " ran while disabled");
}

void TSoakDriver::ChangeSelection() {
    gui::TMDIChildWave* window = ActiveWave();
    if (window == nullptr) return;
    TUnitWave& wave = window->Wave();
    const std::int32_t n = wave.GetValues();
    auto position = [&] {
        // Now and then beyond the ends: the setters clamp.
        if (Chance(0.05)) return Chance(0.5) ? -Uniform(1, 100) : n + Uniform(1, 100);
        return Chance(0.1) ? (Chance(0.5) ? 0 : n) : Uniform(0, std::max(0, n));
    };
    const std::int32_t a = position();
    const std::int32_t b = position();
    switch (Uniform(0, 3)) {
        case 0:
            Log("#" + std::to_string(step_) + " SetCursor(" + std::to_string(a) + ")");
            wave.SetCursor(a);
            break;
        case 1:
            Log("#" + std::to_string(step_) + " SetSelection(" + std::to_string(std::min(a, b)) +
                ", " + std::to_string(std::max(a, b)) + ")");
            wave.SetSelection(std::min(a, b), std::max(a, b));
            break;
        case 2:
            Log("#" + std::to_string(step_) + " MoveFirstEnd(" + std::to_string(a) + ")");
            wave.MoveFirstEnd(a);
            break;
        default:
            Log("#" + std::to_string(step_) + " SetEnds(" + std::to_string(a) + ", " +
                std::to_string(b) + ")");
            wave.SetEnds(a, b);
            break;
    }
}

void TSoakDriver::ChangeZoom() {
    gui::TMDIChildWave* window = ActiveWave();
    if (window == nullptr) return;
    gui::TViewWave& view = RandomView(*window);
    const int number = &view == &window->Group().ViewFirst() ? 1 : 2;
    const double n = window->Wave().GetValues();
    const std::string prefix = "#" + std::to_string(step_) + " view " + std::to_string(number);
    switch (Uniform(0, 4)) {
        case 0: {
            const double a = Real(-0.1, 1.0) * n;
            const double b = a + Real(0.0, 1.1) * n;
            Log(prefix + " ZoomTo(" + std::to_string(a) + ", " + std::to_string(b) + ")");
            view.ZoomTo(a, b, Chance(0.5));
            break;
        }
        case 1:
            Log(prefix + " Unzoom");
            view.Unzoom();
            break;
        case 2:
            if (view.ScrollBar()->isVisible()) {
                const int value = Uniform(view.ScrollBar()->minimum(), view.ScrollBar()->maximum());
                Log(prefix + " scroll to " + std::to_string(value));
                view.ScrollBar()->setValue(value);
            }
            break;
        default: {
            // The right button dragged up or down zooms around the pointer.
            const int width = std::max(1, view.width());
            const int height = std::max(1, view.height());
            QPoint from(Uniform(0, width - 1), Uniform(0, height - 1));
            QPoint to(from.x(), std::clamp(from.y() + Uniform(-80, 80), 0, height - 1));
            Log(prefix + " right drag (" + std::to_string(from.x()) + "," +
                std::to_string(from.y()) + ") to y " + std::to_string(to.y()));
            Drag(view, from, to, Qt::RightButton, Qt::NoModifier);
            break;
        }
    }
}

// A click or a drag with the left button, with Shift or Ctrl now and then (and with the
// zoom tools when they are chosen).
void TSoakDriver::ClickInView() {
    if (frame_->ActiveMusicWindow() != nullptr) {
        ClickInMusic();
        return;
    }
    gui::TMDIChildWave* window = ActiveWave();
    if (window == nullptr) return;
    gui::TViewWave& view = RandomView(*window);
    const int width = std::max(1, view.width());
    const int height = std::max(1, view.height());
    const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier, Qt::NoModifier, Qt::ShiftModifier,
                                               Qt::ControlModifier};
    const Qt::KeyboardModifiers modifier = modifiers[Uniform(0, 3)];
    QPoint from(Uniform(0, width - 1), Uniform(0, height - 1));
    QPoint to = Chance(0.5) ? QPoint(Uniform(-20, width + 20), Uniform(0, height - 1)) : from;
    Log("#" + std::to_string(step_) + " left " + (from == to ? "click" : "drag") + " in view at (" +
        std::to_string(from.x()) + "," + std::to_string(from.y()) + ") to (" +
        std::to_string(to.x()) + "," + std::to_string(to.y()) + ") modifiers " +
        std::to_string(static_cast<int>(modifier)));
    Drag(view, from, to, Qt::LeftButton, modifier);
}

// The Qt key of a stored shortcut's key code, or none.
std::optional<Qt::Key> QtKeyOf(std::uint8_t code) {
    if (code >= 'A' && code <= 'Z') return static_cast<Qt::Key>(Qt::Key_A + (code - 'A'));
    if (code >= '0' && code <= '9') return static_cast<Qt::Key>(Qt::Key_0 + (code - '0'));
    if (code >= keycode::f1 && code < keycode::f1 + 12)
        return static_cast<Qt::Key>(Qt::Key_F1 + (code - keycode::f1));
    switch (code) {
        case keycode::del:
            return Qt::Key_Delete;
        case keycode::insert:
            return Qt::Key_Insert;
        case keycode::home:
            return Qt::Key_Home;
        case keycode::period:
            return Qt::Key_Period;
        default:
            return std::nullopt;
    }
}

// A shortcut of the command table typed into a view, the way a user runs most commands.
void TSoakDriver::PressShortcut(QWidget& target) {
    std::vector<const CommandInfo*> keyed;
    for (const CommandInfo& info : CommandTable()) {
        if (!info.shortcut.Empty() && QtKeyOf(info.shortcut.key)) keyed.push_back(&info);
    }
    const CommandInfo& info =
        *keyed[static_cast<std::size_t>(Uniform(0, static_cast<int>(keyed.size()) - 1))];
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    if (info.shortcut.shift) modifiers |= Qt::ShiftModifier;
    if (info.shortcut.ctrl) modifiers |= Qt::ControlModifier;
    if (info.shortcut.alt) modifiers |= Qt::AltModifier;
    std::string on;
    if (gui::TMDIChildWave* wave = ActiveWave()) on = " on " + Describe(wave->Wave());
    Log("#" + std::to_string(step_) + " shortcut " + ShortcutText(info.shortcut) + " (" +
        std::string(info.name) + ")" + on);
    QTest::keyClick(&target, *QtKeyOf(info.shortcut.key), modifiers);
}

void TSoakDriver::PressKeys() {
    if (frame_->ActiveMusicWindow() != nullptr) {
        PressMusicKeys();
        return;
    }
    gui::TMDIChildWave* window = ActiveWave();
    if (window == nullptr) return;
    gui::TViewWave& view = RandomView(*window);
    if (Chance(0.4)) {
        PressShortcut(view);
        return;
    }
    const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up,     Qt::Key_Down,
                            Qt::Key_Home, Qt::Key_End,   Qt::Key_PageUp, Qt::Key_PageDown};
    const Qt::KeyboardModifiers modifiers[] = {
        Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier,
        Qt::ShiftModifier | Qt::ControlModifier, Qt::AltModifier};
    const int count = Uniform(1, 5);
    const Qt::Key key = keys[Uniform(0, 7)];
    const Qt::KeyboardModifiers modifier = modifiers[Uniform(0, 4)];
    Log("#" + std::to_string(step_) + " key " +
        QKeySequence(key | modifier).toString().toStdString() + " x" + std::to_string(count));
    for (int i = 0; i < count; ++i)
        QTest::keyClick(&view, key, modifier);
}

void TSoakDriver::ActivateWindow() {
    if (Chance(0.3) && ActivateMusicWindow()) return;
    gui::TMDIChildWave* window = RandomWave();
    if (window == nullptr) return;
    Log("#" + std::to_string(step_) + " activate " + Describe(window->Wave()));
    if (window->isMinimized()) window->showNormal();
    frame_->MdiArea()->setActiveSubWindow(window);
}

void TSoakDriver::ArrangeWindow() {
    gui::TMDIChildWave* window = ActiveWave();
    if (window == nullptr) return;
    switch (Uniform(0, 2)) {
        case 0: {
            const double position = Real(0.0, 1.0);
            Log("#" + std::to_string(step_) + " split position " + std::to_string(position));
            window->Group().SetSplitPosition(position);
            break;
        }
        case 1: {
            const int width = Uniform(40, 900);
            const int height = Uniform(40, 600);
            Log("#" + std::to_string(step_) + " resize to " + std::to_string(width) + "x" +
                std::to_string(height));
            window->resize(width, height);
            break;
        }
        default:
            Log("#" + std::to_string(step_) + " minimize and restore");
            window->showMinimized();
            Settle();
            window->showNormal();
            break;
    }
}

// Lets the volume diagram workers run for a while.
void TSoakDriver::Wait() {
    const int milliseconds = Uniform(1, 60);
    Log("#" + std::to_string(step_) + " wait " + std::to_string(milliseconds) + " ms");
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Types times into the Select and Zoom window and applies them (shown first when hidden).
void TSoakDriver::UseSelectZoom() {
    gui::TDlgSelZoom* dialog = frame_->SelectZoom();
    if (dialog == nullptr || !dialog->isVisible()) {
        Log("#" + std::to_string(step_) + " command SelectWave (to show it)");
        RunCommand(C::SelectWave);
        return;
    }
    gui::TMDIChildWave* window = ActiveWave();
    const double duration =
        window != nullptr && window->Wave().GetFreq() > 0
            ? static_cast<double>(window->Wave().GetValues()) / window->Wave().GetFreq()
            : 1.0;
    std::string typed;
    for (auto* radio : dialog->findChildren<QRadioButton*>()) {
        if (radio->isEnabled() && Chance(0.3)) {
            radio->click();
            typed += " [" + radio->text().remove('&').toStdString() + "]";
        }
    }
    for (auto* box : dialog->findChildren<QCheckBox*>()) {
        if (box->isEnabled() && Chance(0.3)) {
            box->click();
            typed += std::string(" ") + box->objectName().toStdString() +
                     (box->isChecked() ? "=on" : "=off");
        }
    }
    for (auto* edit : dialog->findChildren<QLineEdit*>()) {
        if (!edit->isEnabled() || !Chance(0.5)) continue;
        std::string text;
        if (Chance(0.1)) {
            text = RandomInvalidText(rng_);
        } else {
            char number[40];
            std::snprintf(number, sizeof number, "%.5f", Real(0.0, 1.1) * duration);
            text = number;
            if (Chance(0.2)) text += " s";
        }
        edit->setText(QString::fromStdString(text));
        emit edit->textEdited(edit->text());
        typed += " \"" + text + "\"";
    }
    Log("#" + std::to_string(step_) + " Select and Zoom:" + typed + " Apply");
    dialog->Apply();
}

void TSoakDriver::Rename() {
    if (frame_->ActiveDocumentWindow() == nullptr) return;
    const char* names[] = {"Lead", "Bass", "", "   ", "  Pad ", "NONAME1", "Lead"};
    const std::string name = names[Uniform(0, 6)];
    Log("#" + std::to_string(step_) + " name box \"" + name + "\" Enter");
    emit frame_->NameBox()->NameEntered(QString::fromStdString(name));
}

void TSoakDriver::EndPlayerOperation() {
    if (player_->CurrentOperation() == 0 && player_->QueuedCompletions() == 0) return;
    Log("#" + std::to_string(step_) + " the player's operation ends");
    if (player_->Mode() != platform::PlayerMode::stopped) player_->EndCurrent();
    player_->DeliverCompletions();
}

// Nodes made, dragged and dropped outside the view while a wave is drawn by hand.
void TSoakDriver::EditDrawing() {
    gui::TMDIChildWave* window = ActiveWave();
    if (window == nullptr || !window->Wave().UserDrawing()) return;
    gui::TViewWave& view = window->Group().ViewSecond();
    const int width = std::max(1, view.width());
    const int height = std::max(1, view.height());
    QPoint from(Uniform(0, width - 1), Uniform(0, height - 1));
    QPoint to = Chance(0.6) ? QPoint(Uniform(0, width - 1), Uniform(-30, height + 30)) : from;
    Log("#" + std::to_string(step_) + " drawing: press (" + std::to_string(from.x()) + "," +
        std::to_string(from.y()) + ") release (" + std::to_string(to.x()) + "," +
        std::to_string(to.y()) + ")");
    Drag(view, from, to, Qt::LeftButton, Qt::NoModifier);
}

// --- the invariants -------------------------------------------------------------------------

void TSoakDriver::CheckInvariants() {
    for (gui::TMDIChildWave* window : frame_->findChildren<gui::TMDIChildWave*>()) {
        if (window->IsClosed()) {
            Fail("a closed wave window was not destroyed: \"" + window->Wave().Name() + "\"");
            return;
        }
        CheckWindow(*window);
        if (!finding_.empty()) return;
    }
    if (const auto& clip = frame_->Workspace().Clipboard().ClipBoardSound()) {
        if (std::string fault = SoundFault(*clip, "the clipboard"); !fault.empty()) Fail(fault);
    }
    if (const TUndoUnit* record = frame_->Workspace().Undo().Record()) {
        if (std::string fault = SoundFault(*record->TheSound(), "the undo record"); !fault.empty())
            Fail(fault);
    }
    for (gui::TMDIChildMuz* window : frame_->findChildren<gui::TMDIChildMuz*>()) {
        if (window->IsClosed()) continue;  // destroyed a moment later
        CheckMusicWindow(*window);
        if (!finding_.empty()) return;
    }
    for (const std::string& difference : CompareCommandStates(*frame_)) {
        Fail("command state: " + difference);
        break;
    }
    CheckMemory();
}

void TSoakDriver::CheckWindow(gui::TMDIChildWave& window) {
    TUnitWave& wave = window.Wave();
    const std::int32_t n = wave.GetValues();
    const std::string name = Describe(wave);
    if (std::string fault = SoundFault(wave.TheSound(), "the document"); !fault.empty()) {
        Fail(fault + " " + name);
        return;
    }
    if (wave.FirstEnd() < 0 || wave.FirstEnd() > n || wave.SecondEnd() < 0 ||
        wave.SecondEnd() > n) {
        Fail("selection outside the sound: " + name);
        return;
    }
    for (int number = 1; number <= 2; ++number) {
        gui::TViewWave& view = window.Group().View(number);
        const TWaveViewGeometry& geometry = view.Geometry();
        if (!view.Zoomed()) continue;
        const double first = geometry.FirstVisible();
        const double last = geometry.LastVisible();
        if (n == 0) {
            Fail("view " + std::to_string(number) + " stays zoomed on an empty sound: " + name);
            return;
        }
        if (!(first >= -1e-6 && last <= n + 1e-6 && first < last)) {
            Fail("view " + std::to_string(number) + " shows " + std::to_string(first) + " .. " +
                 std::to_string(last) + ", outside the sound: " + name);
            return;
        }
    }
}

// The sample arrays alive are those the documents, the clipboard and the undo record hold
// (and what the frame held before the first document): nothing is kept beyond them.
void TSoakDriver::CheckMemory() {
    std::set<const std::int16_t*> arrays;
    std::int64_t bound = baselineBytes_;
    auto add = [&](const Sound* sound) {
        if (sound == nullptr) return;
        for (const Wave* wave : WavesOf(*sound)) {
            const Wave& channel = *wave;
            if (channel.wave != nullptr && arrays.insert(channel.wave).second)
                bound += SampleBytesFor(channel.values) + 64;
        }
    };
    for (gui::TMDIChildWave* window : frame_->findChildren<gui::TMDIChildWave*>())
        add(&window->Wave().TheSound());
    add(frame_->Workspace().Clipboard().ClipBoardSound().get());
    if (const TUndoUnit* record = frame_->Workspace().Undo().Record())
        add(record->TheSound().get());
    const std::int64_t held = SampleBytesHeld();
    if (held > bound) {
        Fail("sample memory " + std::to_string(held) +
             " bytes, but the documents, clipboard "
             "and undo record account for " +
             std::to_string(bound));
    }
}

// Undo, Undo gives back the state before the first Undo.
void TSoakDriver::CheckUndoTwice() {
    frame_->UpdateCommands();
    const TUndoUnit* record = frame_->Workspace().Undo().Record();
    if (record == nullptr || !frame_->CommandEnabled(C::Undo)) return;
    TUnitWave& wave = record->Document();
    const WaveState before = StateOf(wave);
    Log("  check: Undo twice on " + Describe(wave));
    frame_->RunCommand(C::Undo);
    Settle();
    CheckInvariants();
    if (!finding_.empty()) return;
    if (frame_->Workspace().Undo().Record() == nullptr || !frame_->RunCommand(C::Undo)) {
        Fail("the second Undo could not run");
        return;
    }
    Settle();
    const WaveState after = StateOf(wave);
    if (!(after == before)) {
        Fail("Undo twice did not restore the document: before " + std::to_string(before.values) +
             " samples sel=(" + std::to_string(before.first) + "," + std::to_string(before.second) +
             "), after " + std::to_string(after.values) + " samples sel=(" +
             std::to_string(after.first) + "," + std::to_string(after.second) + ")" +
             (after.samples != before.samples ? ", samples differ" : ""));
    }
}

}  // namespace kalvora::soak
