#include "gui/merge_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "documents/writers.h"
#include "gui/dialog_help.h"
#include "gui/qt_text.h"
#include "shell/help_topics.h"

namespace kalvora::gui {
namespace {

std::string KindText(const TMergeSource& source) {
    return std::string(source.format.MoSt == 1 ? kMonoLabel : kStereoLabel);
}

std::string LengthText(const TMergeSource& source) {
    const double seconds =
        source.format.Freq > 0 ? static_cast<double>(source.values) / source.format.Freq : 0.0;
    return WriteDuration(seconds) + " (" + std::to_string(source.values) + " samples)";
}

std::string RateText(const TMergeSource& source) {
    return std::to_string(source.format.Freq) + " Hz";
}

std::string BitsText(const TMergeSource& source) {
    return std::string(source.format.BytesPSample == 1 ? kEightBitsLabel : kSixteenBitsLabel);
}

}  // namespace

TDlgMergeProps::TDlgMergeProps(QWidget* parent, TMergeKind kind, std::vector<TMergeSource> sources,
                               std::function<bool(int, int)> displayDiffers,
                               const TMergeProps& props)
    : QDialog(parent),
      kind_(kind),
      sources_(std::move(sources)),
      displayDiffers_(std::move(displayDiffers)),
      props_(props) {
    setObjectName(kind == TMergeKind::horizontally ? QStringLiteral("DlgMergeHorProps")
                                                   : QStringLiteral("DlgMergeVertProps"));
    setWindowTitle(FromCore(MergeCaption(kind)));
    const bool horizontally = kind == TMergeKind::horizontally;

    first_ = new QComboBox(this);
    first_->setObjectName(horizontally ? QStringLiteral("cboFirst") : QStringLiteral("cboLeft"));
    second_ = new QComboBox(this);
    second_->setObjectName(horizontally ? QStringLiteral("cboLast") : QStringLiteral("cboRight"));
    for (const TMergeSource& source : sources_) {
        first_->addItem(FromCore(source.label));
        second_->addItem(FromCore(source.label));
    }
    first_->setCurrentIndex(props.first);
    second_->setCurrentIndex(props.second);
    auto* fields = new QFormLayout;
    fields->addRow(FromCore(MergeFirstLabel(kind)), first_);
    fields->addRow(FromCore(MergeSecondLabel(kind)), second_);

    auto* group = new QGroupBox(FromCore(kMergePropertiesLabel), this);
    tabs_ = new QTabWidget(group);
    tabs_->setObjectName(QStringLiteral("pcNewWave"));
    tabs_->setUsesScrollButtons(false);  // every shown tab in sight: the dialog widens
    if (horizontally) {
        QWidget* tab = AddTab(kMonoStereoTab, "tsMonoStereo", monoStereoValues_);
        monoStereo_ = AddChoices(tab, {}, "rgrMonoStereo", {kMonoLabel, kStereoLabel},
                                 props.MoSt == 1 ? 0 : 1);
        monoStereoTab_ = tabs_->indexOf(tab);
    } else {
        QWidget* tab = AddTab(kLengthTab, "tsLength", lengthValues_);
        lengths_ = AddChoices(tab, kMakeLengthsEqualLabel, "rgrMakeLengthsEqual",
                              {kMakeLengthsEqualNames.begin(), kMakeLengthsEqualNames.end()},
                              static_cast<int>(props.lengths));
        lengthTab_ = tabs_->indexOf(tab);
    }
    QWidget* rateTab = AddTab(kFrequencyTab, "tsFrequency", frequencyValues_);
    frequency_ = new QComboBox(rateTab);
    frequency_->setObjectName(QStringLiteral("lbFreq"));
    rateTab->layout()->addWidget(frequency_);
    frequencyTab_ = tabs_->indexOf(rateTab);
    QWidget* bitsTab = AddTab(kBitsTab, "tsBits", bitsValues_);
    bits_ = AddChoices(bitsTab, kWaveValuesLabel, "rgrBits", {kEightBitsLabel, kSixteenBitsLabel},
                       props.BytesPSample == 1 ? 0 : 1);
    bitsTab_ = tabs_->indexOf(bitsTab);
    QWidget* displayTab = AddTab(kDisplayTab, "tsDisplay", displayValues_);
    display_ = AddChoices(displayTab, kUseDisplayOfLabel, "rgrDisplay",
                          {MergeFirstLabel(kind), MergeSecondLabel(kind)}, props.display);
    displayTab_ = tabs_->indexOf(displayTab);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(tabs_);

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &TDlgMergeProps::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    InstallDialogHelp(*this, helpContext::merge, box);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(group);
    layout->addWidget(box);

    connect(first_, &QComboBox::currentIndexChanged, this, [this] { FollowChoice(); });
    connect(second_, &QComboBox::currentIndexChanged, this, [this] { FollowChoice(); });
    FollowChoice();
}

QWidget* TDlgMergeProps::AddTab(std::string_view title, const char* name, QLabel*& values) {
    auto* tab = new QWidget(tabs_);
    tab->setObjectName(QString::fromLatin1(name));
    auto* layout = new QVBoxLayout(tab);
    values = new QLabel(tab);
    layout->addWidget(values);
    tabs_->addTab(tab, FromCore(title));
    return tab;
}

QButtonGroup* TDlgMergeProps::AddChoices(QWidget* tab, std::string_view title, const char* name,
                                         const std::vector<std::string_view>& labels, int checked) {
    auto* box = new QGroupBox(FromCore(title), tab);
    box->setObjectName(QString::fromLatin1(name));
    auto* boxLayout = new QVBoxLayout(box);
    auto* buttons = new QButtonGroup(box);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        auto* button = new QRadioButton(FromCore(labels[i]), box);
        buttons->addButton(button, static_cast<int>(i));
        boxLayout->addWidget(button);
    }
    if (QAbstractButton* button = buttons->button(checked)) button->setChecked(true);
    tab->layout()->addWidget(box);
    return buttons;
}

void TDlgMergeProps::FollowChoice() {
    const int a = first_->currentIndex();
    const int b = second_->currentIndex();
    const bool both = a >= 0 && b >= 0 && a != b;
    TMergeTabs shown;
    if (both) {
        const TMergeSource& x = sources_[static_cast<std::size_t>(a)];
        const TMergeSource& y = sources_[static_cast<std::size_t>(b)];
        shown = MergeTabsFor(kind_, x, y, displayDiffers_ && displayDiffers_(a, b));
        auto pair = [&](std::string (*text)(const TMergeSource&)) {
            return FromCore(std::string(MergeFirstLabel(kind_)) + ": " + text(x) + "\n" +
                            std::string(MergeSecondLabel(kind_)) + ": " + text(y));
        };
        if (monoStereoValues_ != nullptr) monoStereoValues_->setText(pair(KindText));
        if (lengthValues_ != nullptr) lengthValues_->setText(pair(LengthText));
        frequencyValues_->setText(pair(RateText));
        bitsValues_->setText(pair(BitsText));
        // The rates: the standard ones and both documents' own, keeping the chosen one.
        const int current = frequency_->currentIndex();
        const int wanted = current >= 0 && current < static_cast<int>(rates_.size())
                               ? rates_[static_cast<std::size_t>(current)].rate
                               : props_.Freq;
        rates_ = MergeFrequencyChoices(x.format.Freq, y.format.Freq);
        frequency_->clear();
        for (const TSampleFrequencyChoice& rate : rates_)
            frequency_->addItem(FromCore(rate.text));
        int index = SampleFrequencyIndex(rates_, wanted);
        if (index < 0) index = SampleFrequencyIndex(rates_, x.format.Freq);
        frequency_->setCurrentIndex(index);
    }
    if (monoStereoTab_ >= 0) tabs_->setTabVisible(monoStereoTab_, shown.monoStereo);
    if (lengthTab_ >= 0) tabs_->setTabVisible(lengthTab_, shown.length);
    tabs_->setTabVisible(frequencyTab_, shown.frequency);
    tabs_->setTabVisible(bitsTab_, shown.bits);
    tabs_->setTabVisible(displayTab_, shown.display);
}

void TDlgMergeProps::ReadControls() {
    props_.first = first_->currentIndex();
    props_.second = second_->currentIndex();
    if (monoStereo_ != nullptr) props_.MoSt = monoStereo_->checkedId() == 0 ? 1 : 2;
    if (lengths_ != nullptr && lengths_->checkedId() >= 0)
        props_.lengths = static_cast<TMakeLengthsEqual>(lengths_->checkedId());
    props_.BytesPSample = bits_->checkedId() == 0 ? 1 : 2;
    props_.display = display_->checkedId() == 1 ? 1 : 0;
    const int rate = frequency_->currentIndex();
    if (rate >= 0 && rate < static_cast<int>(rates_.size()))
        props_.Freq = rates_[static_cast<std::size_t>(rate)].rate;
}

void TDlgMergeProps::accept() {
    ReadControls();
    if (!CheckMergeProps(kind_, props_)) return;
    QDialog::accept();
}

}  // namespace kalvora::gui
