#include "gui/wave_file_prop_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/dialog_help.h"
#include "gui/qt_text.h"
#include "shell/help_topics.h"

namespace kalvora::gui {

TDlgWaveFileProp::TDlgWaveFileProp(QWidget* parent, const waveFileProps& props)
    : QDialog(parent), choices_(SampleFrequencyChoices(props.Freq)) {
    setObjectName(QStringLiteral("DlgWaveFileProp"));
    setWindowTitle(FromCore(kWaveFilePropCaption));

    auto* values = new QGroupBox(FromCore(kWaveValuesLabel), this);
    values->setObjectName(QStringLiteral("grpWaveValues"));
    eightBits_ = new QRadioButton(FromCore(kEightBitsLabel), values);
    sixteenBits_ = new QRadioButton(FromCore(kSixteenBitsLabel), values);
    auto* valuesLayout = new QVBoxLayout(values);
    valuesLayout->addWidget(eightBits_);
    valuesLayout->addWidget(sixteenBits_);
    (props.BytesPSample == 1 ? eightBits_ : sixteenBits_)->setChecked(true);

    auto* channels = new QGroupBox(this);
    channels->setObjectName(QStringLiteral("grpMonoStereo"));
    mono_ = new QRadioButton(FromCore(kMonoLabel), channels);
    stereo_ = new QRadioButton(FromCore(kStereoLabel), channels);
    auto* channelsLayout = new QVBoxLayout(channels);
    channelsLayout->addWidget(mono_);
    channelsLayout->addWidget(stereo_);
    (props.MoSt == 1 ? mono_ : stereo_)->setChecked(true);

    auto* frequencyLabel = new QLabel(FromCore(kSampleFrequencyLabel), this);
    frequencyLabel->setObjectName(QStringLiteral("lbSampleFreq"));
    frequency_ = new QComboBox(this);
    frequency_->setObjectName(QStringLiteral("cbSampleFreq"));
    for (const TSampleFrequencyChoice& choice : choices_)
        frequency_->addItem(FromCore(choice.text));
    frequency_->setCurrentIndex(std::max(0, SampleFrequencyIndex(choices_, props.Freq)));
    frequencyLabel->setBuddy(frequency_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    InstallDialogHelp(*this, helpContext::waveProperties, buttons);

    auto* frequencyRow = new QHBoxLayout;
    frequencyRow->addWidget(frequencyLabel);
    frequencyRow->addWidget(frequency_, 1);
    auto* groups = new QHBoxLayout;
    groups->addWidget(values);
    groups->addWidget(channels);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(frequencyRow);
    layout->addWidget(buttons);
    setFixedSize(sizeHint());
}

waveFileProps TDlgWaveFileProp::Props() const {
    waveFileProps props;
    props.BytesPSample = eightBits_->isChecked() ? 1 : 2;
    props.MoSt = mono_->isChecked() ? 1 : 2;
    int index = frequency_->currentIndex();
    props.Freq = choices_[static_cast<std::size_t>(std::max(0, index))].rate;
    return props;
}

}  // namespace kalvora::gui
