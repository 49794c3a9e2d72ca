#include "gui/view_commands.h"

#include <string>
#include <vector>

#include "gui/main_form.h"
#include "gui/mdi_child_wave.h"
#include "gui/view_wave.h"
#include "gui/view_wave_group.h"
#include "gui/vold_view_dialog.h"
#include "gui/wave_view_dialog.h"
#include "shell/vold_view_dialog.h"
#include "shell/wave_view_dialog.h"

namespace kalvora::gui {
namespace {

using C = CommandId;

// "Wave View": on OK the window shows the waveform with the new settings, and the windows
// that draw this wave as their envelope follow.
void ViewWave(TMainForm& frame, TMDIChildWave& window) {
    TWaveViewDialog model(window.Group().WaveSettings());
    std::vector<std::string> envelopes;
    for (const WaveChoice& choice :
         frame.Workspace().Registry().WaveList(WaveListMode::allButActive))
        envelopes.push_back(choice.name);
    TDlgWaveViewProps dialog(&frame, model, std::move(envelopes), frame.DefaultWaveViewProps());
    if (dialog.exec() != QDialog::Accepted) return;
    window.Group().SetWaveSettings(model.Settings);
    window.Wave().MarkShadowChanged();
    frame.RepaintEnvelopeUsers(window.Wave().Name());
}

// "Volume Diagram": on OK the window shows the diagram, computed anew when it was not shown
// or a setting of the computation changed.
void ViewVolume(TMainForm& frame, TMDIChildWave& window) {
    TViewWaveGroup& group = window.Group();
    const platform::Rect first = group.ViewFirst().Geometry().Client();
    const platform::Rect second = group.ViewSecond().Geometry().Client();
    TVoldViewDialog model(group.VolumeSettings(), window.Wave().GetMoSt(), window.Wave().GetFreq(),
                          second.Height(), first.Width() + second.Width());
    TDlgVoldViewProps dialog(&frame, model, frame.DefaultVoldViewProps());
    if (dialog.exec() != QDialog::Accepted) return;
    group.SetVolumeSettings(model.Settings);
    window.Wave().MarkShadowChanged();
}

}  // namespace

void RegisterViewCommands(TMainForm& frame) {
    TMainForm* f = &frame;
    frame.SetHandler(C::ViewWave, [f] {
        if (TMDIChildWave* window = f->ActiveWaveWindow()) ViewWave(*f, *window);
    });
    frame.SetHandler(C::ViewVold, [f] {
        if (TMDIChildWave* window = f->ActiveWaveWindow()) ViewVolume(*f, *window);
    });
    frame.SetHandler(C::SelectWave, [f] { f->ToggleSelectZoom(); });
}

}  // namespace kalvora::gui
