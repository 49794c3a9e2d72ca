#include "gui/mdi_child_muz.h"

#include "documents/wave_creation.h"
#include "gui/main_form.h"
#include "gui/qt_text.h"
#include "gui/status_panels.h"
#include "gui/view_muz.h"
#include "music/music_generation.h"
#include "platform/busy_cursor.h"
#include "platform/messages.h"
#include "shell/music_documents.h"

namespace kalvora::gui {

TMDIChildMuz::TMDIChildMuz(TMainForm& frame, std::unique_ptr<TUnitMuz> document)
    : TMDIChildKalvora(frame, std::make_unique<MusicFrameDocument>(std::move(document),
                                                                   frame.Workspace().Registry())) {
    setObjectName(QStringLiteral("MDIChildMuz"));
    view_ = new TViewMuz(*this);
    SetViewArea(view_);
    setFocusProxy(view_);
    Link(Music());
}

TMDIChildMuz::~TMDIChildMuz() {
    Music().LinkWindow(nullptr);
    Music().SetNotePlayer(nullptr);
}

void TMDIChildMuz::Link(TUnitMuz& music) {
    music.LinkWindow(this);
    music.SetNotePlayer(this);
}

bool TMDIChildMuz::Revert() {
    std::unique_ptr<TUnitMuz> fresh = RevertMusic(Music(), MusicDocument().Registry());
    if (!fresh) return false;
    view_->Input().Forget();
    Music().LinkWindow(nullptr);
    Music().SetNotePlayer(nullptr);
    std::unique_ptr<TUnitMuz> old = MusicDocument().Replace(std::move(fresh));
    Link(Music());
    emit DocumentReplaced();
    old.reset();
    RebuildCaption();
    Redraw();
    return true;
}

void TMDIChildMuz::PlaySelectedNote() {
    playRequested_ = true;
    Music().PlaySelectedNote();
    playRequested_ = false;
}

bool TMDIChildMuz::PlayNote(const TMuzNote& note, double tempo) {
    if (!Frame().PlayEnabled()) return false;
    ErrorFlag error = 0;
    std::string reason;
    std::unique_ptr<Sound> sound;
    {
        platform::BusyScope busy;
        sound = MakeNoteSound(note, tempo, TRegistrySampleWaves(MusicDocument().Registry()),
                              Music().GetWaveFileProps(), &error, reason);
    }
    if (!sound) {
        if (reason.empty()) return false;
        if (playRequested_) {
            platform::ShowMessage("Cannot play the note: " + reason, platform::caption::error,
                                  platform::MessageIcon::information);
        } else {
            Frame().StatusPanels().SetText(0, FromCore("Cannot play the note: " + reason));
        }
        return false;
    }
    return Frame().Play(*sound, false);
}

void TMDIChildMuz::Generate() {
    ErrorFlag error = 0;
    std::unique_ptr<Sound> sound;
    {
        platform::BusyScope busy;
        sound = GenerateWave(Music(), TRegistrySampleWaves(MusicDocument().Registry()), {}, &error);
    }
    if (!sound) return;  // reported
    if (std::unique_ptr<TUnitWave> wave = NamedWave(Frame().Workspace(), std::move(sound)))
        Frame().AddWaveWindow(std::move(wave));
}

void TMDIChildMuz::Changed() {
    Frame().ScheduleUpdate();
}

void TMDIChildMuz::StaveRoomsChanged(TNoteStave& stave) {
    Redraw();
    emit StaveChanged(&stave);
}

void TMDIChildMuz::CaptionChanged() {
    RebuildCaption();
}

void TMDIChildMuz::NameChanged(std::string_view) {}

void TMDIChildMuz::Redraw() {
    view_->Redraw();
    Frame().ScheduleUpdate();
}

void TMDIChildMuz::ScrollIntoView(const TXTouchMuzSymbol&) {
    view_->ScrollSelectionIntoView();
}

void TMDIChildMuz::WindowClosing() {
    view_->Input().Forget();
}

}  // namespace kalvora::gui
