// Opening a file by its kind, for files dropped on the frame and chosen from File > Recent
// Files: the one place that maps a kind of file to the frame's way of opening it.
#pragma once

#include <QObject>

class QMimeData;
#include <string>

namespace kalvora::gui {

class TMainForm;

// Opens fileName as File > Open (or Import, for a sound file Open refuses) would; the
// reasons a file cannot be opened are shown. True when a document window was made.
bool OpenFileByKind(TMainForm& frame, const std::string& fileName);

// Lets the frame take files dropped on it: each local file opens by its kind, in the order
// dropped; other things dropped (texts, remote addresses) are not taken.
class TFileDropHandler : public QObject {
    Q_OBJECT
  public:
    explicit TFileDropHandler(TMainForm& frame);
    // What a drop of data does: its local files open by their kind, once the drop has
    // finished. False when it holds no local file (the drop is not taken).
    bool Drop(const QMimeData* data);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    TMainForm& frame_;
};

}  // namespace kalvora::gui
