// TDlgWaveFileProp, the "Wave Properties" dialog: sample width, sample frequency and mono or
// stereo of a new wave or of the active one. It edits a copy of a waveFileProps record.
#pragma once

#include <QDialog>
#include <vector>

#include "sound/sound.h"
#include "sound/wave_file_prop_choices.h"

class QComboBox;
class QRadioButton;

namespace kalvora::gui {

class TDlgWaveFileProp : public QDialog {
    Q_OBJECT
  public:
    TDlgWaveFileProp(QWidget* parent, const waveFileProps& props);

    // The record as the controls show it.
    waveFileProps Props() const;

    QComboBox* SampleFrequency() const { return frequency_; }
    QRadioButton* EightBits() const { return eightBits_; }
    QRadioButton* Mono() const { return mono_; }
    QRadioButton* Stereo() const { return stereo_; }

  private:
    std::vector<TSampleFrequencyChoice> choices_;
    QRadioButton* eightBits_ = nullptr;
    QRadioButton* sixteenBits_ = nullptr;
    QComboBox* frequency_ = nullptr;
    QRadioButton* mono_ = nullptr;
    QRadioButton* stereo_ = nullptr;
};

}  // namespace kalvora::gui
