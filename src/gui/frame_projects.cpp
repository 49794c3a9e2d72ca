#include "gui/frame_projects.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QScreen>

#include "gui/main_form.h"
#include "gui/mdi_child_muz.h"
#include "gui/mdi_child_wave.h"
#include "gui/qt_text.h"
#include "music/unit_muz.h"
#include "shell/visible_area_placement.h"

namespace kalvora::gui {
namespace {

TProjectBounds BoundsOf(const QWidget& window) {
    const QRect rect = window.geometry();
    TProjectBounds bounds{rect.left(), rect.top(), rect.width(), rect.height(),
                          TWindowShow::normal};
    if (window.isMinimized()) bounds.show = TWindowShow::minimized;
    if (window.isMaximized()) bounds.show = TWindowShow::maximized;
    return bounds;
}

void ShowAs(QWidget& window, TWindowShow show) {
    switch (show) {
        case TWindowShow::normal:
            break;
        case TWindowShow::minimized:
            window.showMinimized();
            break;
        case TWindowShow::maximized:
            window.showMaximized();
            break;
    }
}

}  // namespace

TFrameProjects::TFrameProjects(TMainForm& frame)
    : frame_(frame), session_(frame.Workspace(), *this) {}

void TFrameProjects::RegisterCommands() {
    using C = CommandId;
    frame_.SetHandler(C::ProjectOpen, [this] {
        const QStringList names = frame_.AskOpenFileNames(FileDialogKind::openProject);
        if (!names.isEmpty()) OpenProjectFile(FileNameToCore(names.first()));
    });
    frame_.SetHandler(C::ProjectNew, [this] {
        if (std::optional<std::string> name = frame_.AskSaveFileName(FileDialogKind::newProject))
            session_.NewProject(*name);
    });
    frame_.SetHandler(C::ProjectClose, [this] { session_.CloseProject(); });
    frame_.SetHandler(C::ProjectSave, [this] {
        if (session_.SaveCurrentProject() && session_.HasProject())
            frame_.FileUsed(session_.ProjectFile());
    });
    frame_.SetHandler(C::ProjectExport, [this] {
        if (std::optional<std::string> name = frame_.AskSaveFileName(FileDialogKind::exportProject))
            session_.ExportProject(*name);
    });
}

bool TFrameProjects::OpenProjectFile(const std::string& file) {
    if (!session_.OpenProject(file) || !session_.HasProject()) return false;
    frame_.FileUsed(file);
    return true;
}

void TFrameProjects::StartWith(const std::string& file) {
    session_.StartWith(file);
    if (session_.HasProject()) frame_.FileUsed(file);
}

std::vector<TProjectWindowRef> TFrameProjects::DocumentWindows() const {
    std::vector<TProjectWindowRef> windows;
    for (TMDIChildKalvora* window : frame_.DocumentWindows()) {
        if (TUnit* unit = window->Document().Unit()) windows.push_back({unit, BoundsOf(*window)});
    }
    return windows;
}

TProjectBounds TFrameProjects::FrameBounds() const {
    return BoundsOf(frame_);
}

// The stored place of the frame, kept on the screen it is shown on.
void TFrameProjects::SetFrameBounds(const TProjectBounds& bounds) {
    WindowRect wanted{bounds.left, bounds.top, bounds.width, bounds.height};
    if (const QScreen* screen = frame_.screen()) {
        const QRect area = screen->availableGeometry();
        wanted =
            PlaceInsideVisibleArea(wanted, {area.left(), area.top(), area.width(), area.height()});
    }
    frame_.showNormal();
    if (wanted.width > 0 && wanted.height > 0)
        frame_.setGeometry(wanted.left, wanted.top, wanted.width, wanted.height);
    ShowAs(frame_, bounds.show);
}

bool TFrameProjects::CloseDocumentWindows(bool ask) {
    const QList<TMDIChildKalvora*> windows = frame_.DocumentWindows();
    if (ask) {
        for (TMDIChildKalvora* window : windows) {
            if (!window->CloseQuery()) return false;
        }
    }
    for (TMDIChildKalvora* window : windows)
        window->CloseWithoutQuestion();
    return true;
}

bool TFrameProjects::AddWave(std::unique_ptr<TUnitWave> wave, const TProjectBounds& bounds) {
    TMDIChildWave* window =
        frame_.AddWaveWindow(std::move(wave), frame_.DefaultWaveViewProps(),
                             QRect(bounds.left, bounds.top, bounds.width, bounds.height));
    ShowAs(*window, bounds.show);
    return true;
}

bool TFrameProjects::AddMusic(std::unique_ptr<TUnitMuz> music, const TProjectBounds& bounds) {
    TMDIChildMuz* window = frame_.AddMusicWindow(std::move(music));
    window->setGeometry(bounds.left, bounds.top, bounds.width, bounds.height);
    frame_.KeepInsideVisibleArea(window);
    ShowAs(*window, bounds.show);
    return true;
}

// The windows have their places: once their layouts have run, the views have their widths,
// and the split and zooms the shadow files gave can be applied.
void TFrameProjects::WindowsLoaded() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    for (TMDIChildKalvora* window : frame_.DocumentWindows()) {
        if (auto* wave = qobject_cast<TMDIChildWave*>(window)) wave->ApplyPendingLayout();
    }
    frame_.ShowActiveName();
    frame_.ScheduleUpdate();
}

void TFrameProjects::ProjectFileChanged() {
    frame_.RebuildCaption();
    frame_.ScheduleUpdate();
}

}  // namespace kalvora::gui
