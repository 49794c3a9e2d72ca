#include "gui/sound_file_commands.h"

#include "documents/wave_import.h"
#include "gui/main_form.h"
#include "gui/mdi_child_wave.h"
#include "gui/qt_text.h"

namespace kalvora::gui {
namespace {

// Every file chosen becomes a window of its own; one that cannot be imported is reported
// and the others still come.
void ImportSoundFiles(TMainForm& frame) {
    for (const QString& name : frame.AskOpenFileNames(FileDialogKind::importSound)) {
        if (std::unique_ptr<TUnitWave> document =
                ImportWave(frame.Workspace(), FileNameToCore(name)))
            frame.AddWaveWindow(std::move(document));
    }
}

void ExportActiveWave(TMainForm& frame) {
    TMDIChildWave* window = frame.ActiveWaveWindow();
    if (window == nullptr) return;
    std::optional<std::string> fileName = frame.AskSaveFileName(FileDialogKind::exportSound);
    if (!fileName) return;
    ExportChoices choices = frame.LastExportChoices();
    // A name of no known format goes straight to the export, which says what is wrong.
    if (std::optional<platform::EncodedFormat> format = ExportFormatOf(*fileName)) {
        std::optional<ExportChoices> chosen = frame.AskExportChoices(*format, choices);
        if (!chosen) return;
        choices = *chosen;
        frame.LastExportChoices() = choices;
    }
    ExportWave(window->Wave(), *fileName, choices);
}

}  // namespace

void RegisterSoundFileCommands(TMainForm& frame) {
    TMainForm* f = &frame;
    frame.SetHandler(CommandId::FileImport, [f] { ImportSoundFiles(*f); });
    frame.SetHandler(CommandId::FileExport, [f] { ExportActiveWave(*f); });
}

}  // namespace kalvora::gui
