// The document window base: an MDI child that owns its document, shows the document's caption
// and asks the close question when the document has unsaved changes. Wave and music windows
// derive from it and put their views inside.
#pragma once

#include <QMdiSubWindow>
#include <memory>

#include "shell/frame_document.h"

namespace kalvora::gui {

class TMainForm;

enum class CloseAnswer { save, discard, cancel };

class TMDIChildKalvora : public QMdiSubWindow {
    Q_OBJECT
  public:
    TMDIChildKalvora(TMainForm& frame, std::unique_ptr<FrameDocument> document);
    ~TMDIChildKalvora() override;

    FrameDocument& Document() const { return *document_; }
    WindowKind Kind() const { return document_->Kind(); }

    // Rebuilds the caption from the document's name and file (after naming or saving).
    void RebuildCaption();

    // The close question: true when the window may close (nothing to save, the user discarded
    // the changes, or saving succeeded). Saving a document without a file asks for a name.
    bool CloseQuery();

    // Closes without asking, after CloseQuery has been answered for the whole frame.
    void CloseWithoutQuestion();

    // Fills the snapshot's facts of this window and its document for the command update.
    virtual void Describe(FrameSnapshot& snapshot) const { document_->Describe(snapshot); }

    // True once the window has closed for good; the object goes a moment later.
    bool IsClosed() const { return closed_; }

    TMainForm& Frame() const { return frame_; }

  protected:
    // Puts the window's views in place of the empty area the window starts with.
    void SetViewArea(QWidget* area);
    void closeEvent(QCloseEvent* event) override;
    // The close has been decided: stop whatever still works on the document.
    virtual void WindowClosing() {}

  private:
    TMainForm& frame_;
    std::unique_ptr<FrameDocument> document_;
    bool questionAnswered_ = false;
    bool closed_ = false;
};

}  // namespace kalvora::gui
