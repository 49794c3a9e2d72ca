#include "gui/file_opener.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "documents/wave_import.h"
#include "gui/frame_projects.h"
#include "gui/main_form.h"
#include "gui/qt_text.h"
#include "platform/messages.h"
#include "shell/file_opening.h"
#include "sound/wave_layout.h"

namespace kalvora::gui {
namespace {

bool WaveHeaderReadable(const std::string& fileName) {
    std::string ignored;
    return ReadWaveLayout(fileName, ignored).has_value();
}

QStringList LocalFiles(const QMimeData* data) {
    QStringList files;
    if (data == nullptr || !data->hasUrls()) return files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) files.append(url.toLocalFile());
    }
    return files;
}

bool ImportWaveFile(TMainForm& frame, const std::string& fileName) {
    std::unique_ptr<TUnitWave> document = ImportWave(frame.Workspace(), fileName);
    if (!document) return false;  // the importer's message has been shown
    frame.AddWaveWindow(std::move(document));
    frame.FileUsed(fileName);
    return true;
}

}  // namespace

bool OpenFileByKind(TMainForm& frame, const std::string& fileName) {
    const std::optional<FileOpening> opening = ChooseFileOpening(
        fileName, [&] { return WaveHeaderReadable(fileName); },
        [&] { return CanImport(frame.Workspace(), fileName); });
    if (!opening) return false;
    switch (*opening) {
        case FileOpening::wave:
            return frame.OpenWaveFile(fileName);
        case FileOpening::import:
            return ImportWaveFile(frame, fileName);
        case FileOpening::music:
            return frame.OpenMusicFile(fileName);
        case FileOpening::project:
            return frame.Projects().OpenProjectFile(fileName);
    }
    return false;
}

TFileDropHandler::TFileDropHandler(TMainForm& frame) : QObject(&frame), frame_(frame) {
    frame.setAcceptDrops(true);
    frame.installEventFilter(this);
}

bool TFileDropHandler::Drop(const QMimeData* data) {
    const QStringList files = LocalFiles(data);
    if (files.isEmpty()) return false;
    // The files open after the drop has finished: the source application waits for the
    // drop while message boxes of the opening would be shown.
    QTimer::singleShot(0, &frame_, [this, files] {
        for (const QString& file : files)
            OpenFileByKind(frame_, FileNameToCore(file));
    });
    return true;
}

bool TFileDropHandler::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &frame_) return false;
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (LocalFiles(drag->mimeData()).isEmpty()) return false;
            drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            if (!Drop(drop->mimeData())) return false;
            drop->acceptProposedAction();
            return true;
        }
        default:
            return false;
    }
}

}  // namespace kalvora::gui
