#include "gui/mdi_child_muz.h"

#include "gui/main_form.h"
#include "gui/view_muz.h"
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
