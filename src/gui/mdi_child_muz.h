// TMDIChildMuz: the document window of a music document. It shows the notation in its view
// (TViewMuz), is the window the document asks to redraw and to scroll its selection into
// view (MuzWindow), and owns the document through the frame's adapter.
#pragma once

#include <memory>

#include "gui/mdi_child.h"
#include "music/unit_muz.h"
#include "shell/music_frame_document.h"

namespace kalvora::gui {

class TViewMuz;

class TMDIChildMuz : public TMDIChildKalvora, public MuzWindow, public MuzNotePlayer {
    Q_OBJECT
  public:
    TMDIChildMuz(TMainForm& frame, std::unique_ptr<TUnitMuz> document);
    ~TMDIChildMuz() override;

    // The document shown. Revert puts a new document in place of the old one: hold no
    // reference to it across a Revert.
    TUnitMuz& Music() const { return MusicDocument().Music(); }
    MusicFrameDocument& MusicDocument() const {
        return static_cast<MusicFrameDocument&>(Document());
    }
    TViewMuz& View() const { return *view_; }

    // "&Revert": the file read again in place of the document; false when it cannot be read
    // (the message has been shown) and the document stays as it was.
    bool Revert();

    // "P&lay Note": the selected note through the frame's player. A sample wave that cannot
    // be found is reported in a message; during auto-play only in the status bar, so that
    // editing goes on undisturbed.
    void PlaySelectedNote();
    // "&Generate": the whole music rendered into a new wave document and window.
    void Generate();

    // Something in the window changed the document or its selection: the commands and
    // status panels follow at the next idle moment.
    void Changed();
    // A border drag changed the rooms of the stave.
    void StaveRoomsChanged(TNoteStave& stave);

    // --- MuzWindow: what the document asks of its window
    void CaptionChanged() override;
    void NameChanged(std::string_view oldName) override;
    void Redraw() override;
    void ScrollIntoView(const TXTouchMuzSymbol& symbol) override;
    // --- MuzNotePlayer: auto-play and Play Note
    bool PlayNote(const TMuzNote& note, double tempo) override;

  signals:
    // The rooms of a stave changed by dragging its border (the music dialog shows them).
    void StaveChanged(TNoteStave* stave);
    // Revert replaced the document: whatever shows parts of it looks again.
    void DocumentReplaced();

  protected:
    void WindowClosing() override;

  private:
    void Link(TUnitMuz& music);

    TViewMuz* view_ = nullptr;
    // Play Note runs: a failure is worth a message box.
    bool playRequested_ = false;
};

}  // namespace kalvora::gui
