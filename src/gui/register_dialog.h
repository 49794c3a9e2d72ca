// The "Register" dialog: names the active document. OK keeps the dialog open while the name
// is taken (the check shows its message).
#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QLineEdit;

namespace kalvora::gui {

class TDlgRegister : public QDialog {
    Q_OBJECT
  public:
    // rename takes the text as typed and returns whether the document took it.
    TDlgRegister(QWidget* parent, const std::string& name,
                 std::function<bool(const std::string&)> rename);

    QLineEdit* NameField() const { return name_; }
    void accept() override;

  private:
    QLineEdit* name_ = nullptr;
    std::function<bool(const std::string&)> rename_;
};

}  // namespace kalvora::gui
