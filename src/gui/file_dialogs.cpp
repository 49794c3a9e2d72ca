#include "gui/file_dialogs.h"

#include <QFileDialog>

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
    const FileDialogSpec& spec = FileDialog(kind);
    dialog.setWindowTitle(FromCore(spec.title));
    dialog.setNameFilters(NameFiltersOf(kind));
    dialog.setDefaultSuffix(FromCore(spec.defaultExtension));
    if (spec.save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(spec.multiSelect ? QFileDialog::ExistingFiles
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
