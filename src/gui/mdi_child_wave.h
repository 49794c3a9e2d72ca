// TMDIChildWave: the document window of a wave document. It owns the document (through the
// frame's adapter) and is the window the document reports its changes to.
#pragma once

#include <memory>

#include "documents/wave_document.h"
#include "documents/wave_window.h"
#include "gui/mdi_child.h"
#include "shell/wave_frame_document.h"

namespace kalvora::gui {

class TMDIChildWave : public TMDIChildKalvora, public WaveWindow {
    Q_OBJECT
  public:
    TMDIChildWave(TMainForm& frame, std::unique_ptr<TUnitWave> document);
    ~TMDIChildWave() override;

    TUnitWave& Wave() const { return static_cast<WaveFrameDocument&>(Document()).Wave(); }

    // --- WaveWindow: what the document asks of its window
    void CaptionChanged() override;
    void NameChanged(std::string_view oldName) override;
    void BeforeChange(std::int32_t begin, std::int32_t end) override;
    void AfterChange(std::int32_t begin, std::int32_t end) override;
    void StopSoundReaders() override;
    void Refresh() override;
    void SelectionChanged(std::int32_t oldFirst, std::int32_t oldSecond) override;
    void ChannelsChanged() override;
    void DrawingModeChanged() override;

  protected:
    void WindowClosing() override;

  private:
    void UpdateIcon();
};

}  // namespace kalvora::gui
