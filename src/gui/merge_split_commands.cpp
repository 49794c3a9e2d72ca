#include "gui/merge_split_commands.h"

#include <cmath>

#include "documents/wave_merge_split.h"
#include "gui/main_form.h"
#include "gui/mdi_child_wave.h"
#include "gui/merge_dialog.h"
#include "gui/qt_text.h"
#include "gui/split_hor_dialog.h"
#include "gui/view_wave.h"
#include "gui/view_wave_group.h"
#include "shell/wave_window_placement.h"

namespace kalvora::gui {
namespace {

using C = CommandId;

platform::Rect BoundsOf(const QWidget& window) {
    const QRect r = window.geometry();
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

QRect ToQRect(const platform::Rect& r) {
    return QRect(r.left, r.top, std::max(1, r.Width()), std::max(1, r.Height()));
}

// A new window for part at bounds that shows it as source shows its wave: the waveform and
// volume diagram settings and which of the two is shown.
TMDIChildWave* AddPartWindow(TMainForm& frame, std::unique_ptr<TUnitWave> part,
                             const TMDIChildWave& source, const platform::Rect& bounds) {
    TMDIChildWave* window =
        frame.AddWaveWindow(std::move(part), source.Group().WaveSettings(), ToQRect(bounds));
    window->Group().TakeSettingsOf(source.Group());
    return window;
}

// Both channels' windows stacked in the source's place, each with the source's selection,
// split position and zooms.
void SplitVertically(TMainForm& frame, TMDIChildWave& source) {
    if (source.Wave().GetMoSt() != 2) return;
    std::vector<std::unique_ptr<TUnitWave>> parts = SplitWaveVertically(source.Wave());
    if (parts.empty()) return;
    const TSplitVerticalPlacement place = PlaceSplitVertically(BoundsOf(source));
    const platform::Rect bounds[2] = {place.left, place.right};
    TViewWaveGroup& from = source.Group();
    for (std::size_t i = 0; i < parts.size(); ++i) {
        parts[i]->SetEnds(source.Wave().FirstEnd(), source.Wave().SecondEnd());
        TMDIChildWave* window = AddPartWindow(frame, std::move(parts[i]), source, bounds[i]);
        TViewWaveGroup& to = window->Group();
        to.SetSplitPosition(from.SplitPosition());
        for (int number = 1; number <= 2; ++number) {
            TViewWave& view = from.View(number);
            if (!view.Zoomed()) continue;
            const TWaveViewGeometry& geometry = view.Geometry();
            to.View(number).ZoomTo(std::trunc(geometry.FirstVisible()),
                                   std::trunc(geometry.LastVisible()), true);
        }
    }
    source.CloseWithoutQuestion();
}

// The parts side by side where their samples lay in the source window. With a selection
// the dialog decides how it cuts; Cancel does nothing.
void SplitHorizontally(TMainForm& frame, TMDIChildWave& source) {
    TUnitWave& wave = source.Wave();
    TSplitHorResult result = frame.mergeSplitRecords.splitHor;
    if (wave.HasSelection()) {
        std::optional<TSplitHorResult> chosen;
        if (frame.splitHorAnswer) {
            chosen = frame.splitHorAnswer(result);
        } else {
            TDlgSplitHorProps dialog(&frame, result);
            if (dialog.exec() == QDialog::Accepted) chosen = dialog.Result();
        }
        if (!chosen) return;
        result = frame.mergeSplitRecords.splitHor = *chosen;
    }
    const auto n = static_cast<std::int32_t>(wave.GetValues());
    TSplitHorDocuments split = SplitWaveHorizontally(wave, result);
    if (split.parts.empty()) return;
    const std::vector<platform::Rect> bounds = PlaceSplitHorizontally(
        BoundsOf(source), split.cuts.firstEnd, split.cuts.lastBegin, n, split.parts.size() == 3);
    for (std::size_t i = 0; i < split.parts.size(); ++i)
        AddPartWindow(frame, std::move(split.parts[i]), source, bounds[i]);
    source.CloseWithoutQuestion();
}

// The open wave windows a merge dialog offers, the active one first.
std::vector<TMDIChildWave*> MergeCandidates(const TMainForm& frame) {
    std::vector<TMDIChildWave*> windows;
    const QList<TMDIChildKalvora*> all = frame.DocumentWindows();
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
        if (auto* wave = qobject_cast<TMDIChildWave*>(*it)) windows.push_back(wave);
    }
    return windows;
}

TMergeSource SourceOf(const TMDIChildWave& window) {
    const TUnitWave& wave = window.Wave();
    std::string label = wave.Name();
    if (label.empty()) label = ToCore(window.windowTitle());
    return {label, wave.GetWaveFileProps(), wave.GetValues()};
}

bool ShowDifferently(const TMDIChildWave& a, const TMDIChildWave& b) {
    return a.Group().Kind() != b.Group().Kind() ||
           !(a.Group().WaveSettings() == b.Group().WaveSettings());
}

// One new window of the two chosen documents, placed between their windows and showing its
// wave as the window chosen under "Display" does. The sources stay open.
void Merge(TMainForm& frame, TMergeKind kind) {
    const std::vector<TMDIChildWave*> windows = MergeCandidates(frame);
    std::vector<TMergeSource> sources;
    for (const TMDIChildWave* window : windows)
        sources.push_back(SourceOf(*window));
    TMergeProps& record = kind == TMergeKind::horizontally ? frame.mergeSplitRecords.mergeHor
                                                           : frame.mergeSplitRecords.mergeVert;
    TMergeProps start = record;
    start.first = windows.empty() ? -1 : 0;
    start.second = windows.size() < 2 ? -1 : 1;
    std::optional<TMergeProps> chosen;
    if (frame.mergeAnswer) {
        chosen = frame.mergeAnswer(kind, sources, start);
        if (chosen && !CheckMergeProps(kind, *chosen)) chosen.reset();
    } else {
        auto differ = [&windows](int a, int b) {
            return ShowDifferently(*windows[static_cast<std::size_t>(a)],
                                   *windows[static_cast<std::size_t>(b)]);
        };
        TDlgMergeProps dialog(&frame, kind, sources, differ, start);
        if (dialog.exec() == QDialog::Accepted) chosen = dialog.Props();
    }
    if (!chosen) return;
    record = *chosen;
    TMDIChildWave& a = *windows[static_cast<std::size_t>(chosen->first)];
    TMDIChildWave& b = *windows[static_cast<std::size_t>(chosen->second)];
    std::unique_ptr<TUnitWave> merged = MergeWaves(kind, a.Wave(), b.Wave(), *chosen);
    if (!merged) return;
    const TMDIChildWave& display = chosen->display == 1 && ShowDifferently(a, b) ? b : a;
    const platform::Rect bounds = kind == TMergeKind::horizontally
                                      ? PlaceMergeHorizontally(BoundsOf(a), BoundsOf(b))
                                      : PlaceMergeVertically(BoundsOf(a), BoundsOf(b));
    AddPartWindow(frame, std::move(merged), display, bounds);
}

}  // namespace

void RegisterMergeSplitCommands(TMainForm& frame) {
    TMainForm* f = &frame;
    auto onActive = [f](void (*action)(TMainForm&, TMDIChildWave&)) {
        return [f, action] {
            if (TMDIChildWave* window = f->ActiveWaveWindow()) action(*f, *window);
        };
    };
    frame.SetHandler(C::SplitV, onActive(SplitVertically));
    frame.SetHandler(C::SplitH, onActive(SplitHorizontally));
    frame.SetHandler(C::MergeH, [f] { Merge(*f, TMergeKind::horizontally); });
    frame.SetHandler(C::MergeV, [f] { Merge(*f, TMergeKind::vertically); });
}

}  // namespace kalvora::gui
