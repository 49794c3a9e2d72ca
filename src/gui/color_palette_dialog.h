// TDlgColorPalette1D: the resizable dialog "Color Palette" over the core model
// TColorPaletteEditor: the current stop's position and colours, moving between the stops,
// adding and deleting them, and the palette as a colour bar. OK hands the edited copy back.
#pragma once

#include <QDialog>
#include <QWidget>

#include "shell/color_palette_editor.h"

class QAbstractButton;
class QCheckBox;
class QDialogButtonBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace kalvora::gui {

class TColorBox;

// The colour bar (pboColor): the palette drawn by the core over the whole widget.
class TPaletteBar : public QWidget {
    Q_OBJECT
  public:
    TPaletteBar(const TColorPaletteEditor& editor, QWidget* parent);
    QSize sizeHint() const override { return QSize(320, 36); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const TColorPaletteEditor& editor_;
};

class TDlgColorPalette1D : public QDialog {
    Q_OBJECT
  public:
    // Works on a copy of palette.
    TDlgColorPalette1D(QWidget* parent, const TColorPalette1DItem& palette);

    const TColorPalette1DItem& Palette() const { return editor_.Palette(); }
    const TColorPaletteEditor& Editor() const { return editor_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // OK first takes a position still being typed; a refused one keeps the dialog open.
    void done(int result) override;

  private:
    // Runs action on the editor once a typed position is taken, then shows the new state.
    template <typename Action>
    void Act(Action action);
    // Takes a typed position into the current stop; false (focus back in the edit) when it
    // is refused.
    bool TakePosition();
    void ShowCurrent();

    TColorPaletteEditor editor_;
    int updating_ = 0;  // change handlers do nothing while above 0
    bool positionChanged_ = false;
    QLineEdit* editPosition_ = nullptr;
    TColorBox* cboColorBefore_ = nullptr;
    QCheckBox* chkColorAfter_ = nullptr;
    TColorBox* cboColorAfter_ = nullptr;
    QPushButton* btnColorPrevious_ = nullptr;
    QPushButton* btnColorNext_ = nullptr;
    QToolButton* btnPalItemFirst_ = nullptr;
    QToolButton* btnPalItemPrevious_ = nullptr;
    QToolButton* btnPalItemNext_ = nullptr;
    QToolButton* btnPalItemLast_ = nullptr;
    QPushButton* btnPalItemAdd_ = nullptr;
    QPushButton* btnPalItemDelete_ = nullptr;
    TPaletteBar* pboColor_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace kalvora::gui
