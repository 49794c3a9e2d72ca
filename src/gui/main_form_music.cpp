// The frame's music windows: adding one for a document, opening music files (with the sample
// waves that lie beside them), and finding the active one.
#include <QMdiArea>

#include "documents/wave_creation.h"
#include "gui/main_form.h"
#include "gui/mdi_child_muz.h"
#include "gui/qt_text.h"
#include "gui/status_panels.h"
#include "platform/assertion.h"
#include "shell/music_documents.h"

namespace kalvora::gui {

TMDIChildMuz* TMainForm::AddMusicWindow(std::unique_ptr<TUnitMuz> document) {
    KALVORA_ASSERT(document != nullptr);
    auto* window = new TMDIChildMuz(*this, std::move(document));
    ShowDocumentWindow(window, std::nullopt);
    window->setFocus();
    return window;
}

TMDIChildMuz* TMainForm::ActiveMusicWindow() const {
    return qobject_cast<TMDIChildMuz*>(ActiveDocumentWindow());
}

bool TMainForm::OpenMusicFile(const std::string& fileName, bool withSampleWaves) {
    std::unique_ptr<TUnitMuz> music = OpenMusic(workspace_.Registry(), fileName);
    if (!music) return false;  // the reader's message has been shown
    // The sample waves come first, so that the music window ends up the active one.
    if (withSampleWaves) OpenSampleWavesBeside(*music, fileName);
    AddMusicWindow(std::move(music));
    return true;
}

// Each sample wave the music names that no open wave has as its name, and that lies beside
// the music file as NAME.wav, is opened and named NAME (when no other document has that
// name). The status bar says which were opened.
void TMainForm::OpenSampleWavesBeside(const TUnitMuz& music, const std::string& fileName) {
    QStringList opened;
    TUnitRegistry& registry = workspace_.Registry();
    for (const TSampleWaveFile& sample : SampleWavesBeside(music, registry, fileName)) {
        std::unique_ptr<TUnitWave> wave = OpenWave(workspace_, sample.File.string());
        if (!wave) continue;  // reported; the music still opens
        if (registry.FindUnit(sample.Name) == nullptr) wave->SetName(sample.Name);
        AddWaveWindow(std::move(wave));
        opened.append(FileNameFromCore(sample.File.filename().string()));
    }
    if (!opened.isEmpty())
        statusPanels_->SetText(
            0, QStringLiteral("Sample waves opened: ") + opened.join(QStringLiteral(", ")));
}

}  // namespace kalvora::gui
