// The dialogs "Merge Horizontally" and "Merge Vertically": the two documents to merge and,
// under "Properties of the new Wave", a tab for each property in which they differ, showing
// both documents' values and the choice for the new wave. What the tabs offer and the checks
// on OK come from the core (merge_split_records.h).
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "documents/merge_split_records.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QTabWidget;

namespace kalvora::gui {

class TDlgMergeProps : public QDialog {
    Q_OBJECT
  public:
    // sources: the open wave documents offered in both lists; displayDiffers(a, b): whether
    // the windows of sources a and b show their waves differently.
    TDlgMergeProps(QWidget* parent, TMergeKind kind, std::vector<TMergeSource> sources,
                   std::function<bool(int, int)> displayDiffers, const TMergeProps& props);

    TMergeProps Props() const { return props_; }
    QComboBox* FirstBox() const { return first_; }
    QComboBox* SecondBox() const { return second_; }
    QTabWidget* Tabs() const { return tabs_; }
    // The choice groups of the tabs (ids as in the records).
    QButtonGroup* MonoStereo() const { return monoStereo_; }
    QButtonGroup* Lengths() const { return lengths_; }
    QButtonGroup* Bits() const { return bits_; }
    QButtonGroup* Display() const { return display_; }
    QComboBox* Frequency() const { return frequency_; }

    void accept() override;

  private:
    QWidget* AddTab(std::string_view title, const char* name, QLabel*& values);
    QButtonGroup* AddChoices(QWidget* tab, std::string_view title, const char* name,
                             const std::vector<std::string_view>& labels, int checked);
    // Shows the tabs where the chosen documents differ, with their values.
    void FollowChoice();
    void ReadControls();

    TMergeKind kind_;
    std::vector<TMergeSource> sources_;
    std::function<bool(int, int)> displayDiffers_;
    TMergeProps props_;
    std::vector<TSampleFrequencyChoice> rates_;

    QComboBox* first_ = nullptr;
    QComboBox* second_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QLabel* monoStereoValues_ = nullptr;
    QLabel* lengthValues_ = nullptr;
    QLabel* frequencyValues_ = nullptr;
    QLabel* bitsValues_ = nullptr;
    QLabel* displayValues_ = nullptr;
    QButtonGroup* monoStereo_ = nullptr;
    QButtonGroup* lengths_ = nullptr;
    QButtonGroup* bits_ = nullptr;
    QButtonGroup* display_ = nullptr;
    QComboBox* frequency_ = nullptr;
    int monoStereoTab_ = -1;
    int lengthTab_ = -1;
    int frequencyTab_ = -1;
    int bitsTab_ = -1;
    int displayTab_ = -1;
};

}  // namespace kalvora::gui
