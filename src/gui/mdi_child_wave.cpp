#include "gui/mdi_child_wave.h"

#include "gui/artwork.h"
#include "gui/main_form.h"

namespace kalvora::gui {

TMDIChildWave::TMDIChildWave(TMainForm& frame, std::unique_ptr<TUnitWave> document)
    : TMDIChildKalvora(frame, std::make_unique<WaveFrameDocument>(std::move(document))) {
    setObjectName(QStringLiteral("MDIChildWave"));
    Wave().LinkWindow(this);
    UpdateIcon();
}

TMDIChildWave::~TMDIChildWave() {
    StopSoundReaders();
    Wave().LinkWindow(nullptr);
}

void TMDIChildWave::UpdateIcon() {
    setWindowIcon(CommandIcon(Wave().GetMoSt() == 1 ? "kv-wave-mono" : "kv-wave-stereo"));
}

void TMDIChildWave::WindowClosing() {
    StopSoundReaders();
}

void TMDIChildWave::CaptionChanged() {
    RebuildCaption();
}

void TMDIChildWave::NameChanged(std::string_view /*oldName*/) {}

void TMDIChildWave::BeforeChange(std::int32_t /*begin*/, std::int32_t /*end*/) {}

void TMDIChildWave::AfterChange(std::int32_t /*begin*/, std::int32_t /*end*/) {}

void TMDIChildWave::StopSoundReaders() {}

void TMDIChildWave::Refresh() {
    if (widget() != nullptr) widget()->update();
}

void TMDIChildWave::SelectionChanged(std::int32_t /*oldFirst*/, std::int32_t /*oldSecond*/) {
    Refresh();
}

void TMDIChildWave::ChannelsChanged() {
    UpdateIcon();
}

void TMDIChildWave::DrawingModeChanged() {}

}  // namespace kalvora::gui
