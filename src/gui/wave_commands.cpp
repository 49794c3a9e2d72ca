#include "gui/wave_commands.h"

#include <functional>

#include "documents/wave_creation.h"
#include "gui/main_form.h"
#include "gui/mdi_child_wave.h"
#include "gui/qt_text.h"
#include "gui/view_wave.h"
#include "gui/view_wave_group.h"
#include "sound/wave_file_prop_choices.h"

namespace kalvora::gui {
namespace {

using C = CommandId;

// A handler that runs action on the active wave window, and does nothing without one.
std::function<void()> OnActiveWave(TMainForm& frame,
                                   std::function<void(TMDIChildWave& window)> action) {
    return [&frame, action = std::move(action)] {
        if (TMDIChildWave* window = frame.ActiveWaveWindow()) action(*window);
    };
}

// "&Open wave...": every file chosen opens in a window of its own; one that cannot be read
// is reported and the others still open.
void OpenWaveFiles(TMainForm& frame) {
    for (const QString& name : frame.AskOpenFileNames(FileDialogKind::openWave))
        frame.OpenWaveFile(FileNameToCore(name));
}

// "&New wave...": an empty wave of the format chosen in the "Wave Properties" dialog.
void NewWaveFile(TMainForm& frame) {
    std::optional<waveFileProps> props = frame.AskWaveFileProps(kNewWaveProps);
    if (!props) return;
    frame.AddWaveWindow(NewWave(frame.Workspace(), *props));
}

void SaveWaveAs(TMainForm& frame, TMDIChildWave& window) {
    std::optional<std::string> fileName = frame.AskSaveFileName(FileDialogKind::saveWave);
    if (fileName && window.Wave().SaveFileAs(*fileName)) frame.FileUsed(*fileName);
}

// "&Save": a wave that has no file yet is saved as a new one.
void SaveWave(TMainForm& frame, TMDIChildWave& window) {
    if (window.Wave().HasNoFile()) {
        SaveWaveAs(frame, window);
    } else {
        if (window.Wave().SaveFile()) frame.FileUsed(window.Wave().FileName());
    }
}

// "&Duplicate": the work range in a new window that starts from the source window's view
// state: the waveform and volume diagram settings, which of them is shown, the split
// position and the zooms (moved to where the copied range begins).
void Duplicate(TMainForm& frame, TMDIChildWave& source) {
    std::unique_ptr<TUnitWave> copy = DuplicateWave(source.Wave());
    if (!copy) return;
    const std::int32_t start = source.Wave().SelStart();
    TViewWaveGroup& from = source.Group();
    TMDIChildWave* window = frame.AddWaveWindow(std::move(copy), from.WaveSettings());
    TViewWaveGroup& to = window->Group();
    to.TakeSettingsOf(from);
    to.SetSplitPosition(from.SplitPosition());
    for (int number = 1; number <= 2; ++number) {
        TViewWave& view = from.View(number);
        if (!view.Zoomed()) continue;
        const TWaveViewGeometry& geometry = view.Geometry();
        to.View(number).ZoomTo(geometry.FirstVisible() - start, geometry.LastVisible() - start,
                               true);
    }
}

// "Properties": the format of the wave from the "Wave Properties" dialog.
void ChangeProperties(TMainForm& frame, TMDIChildWave& window) {
    const waveFileProps current = window.Wave().GetWaveFileProps();
    std::optional<waveFileProps> chosen = frame.AskWaveFileProps(current);
    if (chosen && *chosen != current) window.Wave().ChangeWaveFileProps(current, *chosen);
}

void MixWithClipboard(TMainForm& frame, TMDIChildWave& window) {
    std::optional<TMixPlace> place = frame.AskMixPlace(window.Wave().Records().mixPlace);
    if (place) window.Wave().Mix(*place);
}

}  // namespace

void RegisterWaveCommands(TMainForm& frame) {
    TMainForm* f = &frame;
    frame.SetHandler(C::FileNewWave, [f] { NewWaveFile(*f); });
    frame.SetHandler(C::FileOpenWave, [f] { OpenWaveFiles(*f); });
    frame.SetHandler(C::FileSave, OnActiveWave(frame, [f](TMDIChildWave& w) { SaveWave(*f, w); }));
    frame.SetHandler(C::FileSaveAs,
                     OnActiveWave(frame, [f](TMDIChildWave& w) { SaveWaveAs(*f, w); }));
    frame.SetHandler(C::FileRevert,
                     OnActiveWave(frame, [](TMDIChildWave& w) { w.Wave().Revert(); }));
    frame.SetHandler(C::DuplicateWave,
                     OnActiveWave(frame, [f](TMDIChildWave& w) { Duplicate(*f, w); }));
    frame.SetHandler(C::FileProperties,
                     OnActiveWave(frame, [f](TMDIChildWave& w) { ChangeProperties(*f, w); }));
    frame.SetHandler(C::Register, [f] { f->RegisterActiveDocument(); });

    frame.SetHandler(C::EditDelete,
                     OnActiveWave(frame, [](TMDIChildWave& w) { w.Wave().Delete(); }));
    frame.SetHandler(C::EditTrim, OnActiveWave(frame, [](TMDIChildWave& w) { w.Wave().Trim(); }));
    frame.SetHandler(C::EditCut, OnActiveWave(frame, [](TMDIChildWave& w) { w.Wave().Cut(); }));
    frame.SetHandler(C::EditCopy, OnActiveWave(frame, [](TMDIChildWave& w) { w.Wave().Copy(); }));
    frame.SetHandler(C::EditPaste, OnActiveWave(frame, [](TMDIChildWave& w) { w.Wave().Paste(); }));
    frame.SetHandler(C::EditSwap, OnActiveWave(frame, [](TMDIChildWave& w) { w.Wave().Swap(); }));
    frame.SetHandler(C::EditExtract,
                     OnActiveWave(frame, [](TMDIChildWave& w) { w.Wave().Extract(); }));
    frame.SetHandler(C::EditMix,
                     OnActiveWave(frame, [f](TMDIChildWave& w) { MixWithClipboard(*f, w); }));
    frame.SetHandler(C::EditSelectAll, OnActiveWave(frame, [](TMDIChildWave& w) {
                         w.Wave().SetSelection(0, static_cast<std::int32_t>(w.Wave().GetValues()));
                     }));
    frame.SetHandler(C::EditClearClipboard, [f] { f->Workspace().Clipboard().Clear(); });
    frame.SetHandler(C::Undo, [f] { f->Workspace().Undo().DoUndo(); });
    frame.SetHandler(C::DeleteUndo, [f] { f->Workspace().Undo().DropUndo(); });

    frame.SetHandler(C::ZoomIn, OnActiveWave(frame, [](TMDIChildWave& w) {
                         w.ToggleToolMode(TWaveToolMode::zoomIn);
                     }));
    frame.SetHandler(C::NoZoom, OnActiveWave(frame, [](TMDIChildWave& w) {
                         w.ToggleToolMode(TWaveToolMode::noZoom);
                     }));
    frame.SetHandler(C::DrawWaveLin, OnActiveWave(frame, [](TMDIChildWave& w) {
                         w.Wave().DrawWave(TDrawKind::linear);
                     }));
    frame.SetHandler(C::DrawWave3G, OnActiveWave(frame, [](TMDIChildWave& w) {
                         w.Wave().DrawWave(TDrawKind::smooth);
                     }));
}

}  // namespace kalvora::gui
