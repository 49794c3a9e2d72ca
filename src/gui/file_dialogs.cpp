#include "gui/file_dialogs.h"

#include <QFileDialog>

#include "gui/dialog_help.h"
#include "gui/qt_text.h"

namespace kalvora::gui {

QStringList NameFiltersOf(FileDialogKind kind) {
    QStringList filters;
    for (const FileFilter& filter : ParseFileFilter(FileDialog(kind).filter)) {
        // "*.*" would leave out files without an extension here.
        if (filter.pattern == "*.*") {
            filters << QStringLiteral("All files (*)");
        } else {
            filters << FromCore(filter.label);
        }
    }
    return filters;
}

void ConfigureFileDialog(QFileDialog& dialog, FileDialogKind kind) {
    const FileDialogInfo& info = FileDialog(kind);
    dialog.setWindowTitle(FromCore(info.title));
    dialog.setNameFilters(NameFiltersOf(kind));
    dialog.setDefaultSuffix(FromCore(info.defaultExtension));
    // Export chooses its format by the extension: a name typed without one gets the
    // extension of the filter shown.
    if (kind == FileDialogKind::exportSound) {
        QObject::connect(
            &dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
                const qsizetype star = filter.indexOf(QStringLiteral("*."));
                if (star >= 0)
                    dialog.setDefaultSuffix(filter.mid(star + 2).section(QLatin1Char(')'), 0, 0));
            });
    }
    // The project dialogs have a page in the manual, opened by F1. (A file dialog makes its
    // buttons only when it is shown, so it gets no Help button.)
    if (info.helpContext != 0) InstallDialogHelp(dialog, info.helpContext);
    if (info.save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(info.multiSelect ? QFileDialog::ExistingFiles
                                            : QFileDialog::ExistingFile);
    }
}

QStringList RunFileDialog(QWidget* parent, FileDialogKind kind) {
    QFileDialog dialog(parent);
    ConfigureFileDialog(dialog, kind);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles();
}

}  // namespace kalvora::gui
