// The dialog of File > Export... after the file name: the sample width for WAV and FLAC, or
// the quality for Ogg Vorbis.
#pragma once

#include <QDialog>

#include "sound/sound_export.h"

class QComboBox;
class QDoubleSpinBox;

namespace kalvora::gui {

class TDlgExportOptions : public QDialog {
    Q_OBJECT
  public:
    TDlgExportOptions(QWidget* parent, platform::EncodedFormat format,
                      const ExportChoices& choices);
    ExportChoices Choices() const;

  private:
    ExportChoices choices_;
    QComboBox* width_ = nullptr;
    QDoubleSpinBox* quality_ = nullptr;
};

}  // namespace kalvora::gui
