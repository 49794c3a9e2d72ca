#include "gui/mdi_child.h"

#include <QCloseEvent>

#include "gui/artwork.h"
#include "gui/main_form.h"
#include "gui/qt_text.h"
#include "shell/file_dialogs.h"
#include "shell/frame_texts.h"

namespace kalvora::gui {

TMDIChildKalvora::TMDIChildKalvora(TMainForm& frame, std::unique_ptr<FrameDocument> document)
    : frame_(frame), document_(std::move(document)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(CommandIcon(Kind() == WindowKind::music ? "kv-note-8" : "kv-view-wave"));
    // The views of the document fill this area.
    auto* area = new QWidget(this);
    area->setAutoFillBackground(true);
    area->setBackgroundRole(QPalette::Base);
    area->setFocusPolicy(Qt::StrongFocus);
    setWidget(area);
    RebuildCaption();
}

TMDIChildKalvora::~TMDIChildKalvora() = default;

void TMDIChildKalvora::SetViewArea(QWidget* area) {
    std::unique_ptr<QWidget> placeholder(widget());
    setWidget(area);
}

void TMDIChildKalvora::RebuildCaption() {
    setWindowTitle(FromCore(document_->Caption()));
}

bool TMDIChildKalvora::CloseQuery() {
    if (!document_->NeedsSave()) return true;
    QString question =
        FromCore(CloseQuestionText(document_->Noun(), document_->Name(), document_->FileName()));
    switch (frame_.AskCloseQuestion(question)) {
        case CloseAnswer::cancel:
            return false;
        case CloseAnswer::discard:
            return true;
        case CloseAnswer::save:
            break;
    }
    // A failed save keeps the window open, so that the changes are not lost.
    bool saved = false;
    if (document_->FileName().empty()) {
        FileDialogKind kind =
            Kind() == WindowKind::music ? FileDialogKind::saveMusic : FileDialogKind::saveWave;
        std::optional<std::string> fileName = frame_.AskSaveFileName(kind);
        saved = fileName && document_->SaveAs(*fileName);
    } else {
        saved = document_->Save();
    }
    RebuildCaption();
    return saved;
}

void TMDIChildKalvora::CloseWithoutQuestion() {
    questionAnswered_ = true;
    close();
}

void TMDIChildKalvora::closeEvent(QCloseEvent* event) {
    if (!questionAnswered_ && !CloseQuery()) {
        event->ignore();
        return;
    }
    questionAnswered_ = true;
    if (!closed_) {
        closed_ = true;
        WindowClosing();
        document_->Closed();
    }
    QMdiSubWindow::closeEvent(event);
}

}  // namespace kalvora::gui
