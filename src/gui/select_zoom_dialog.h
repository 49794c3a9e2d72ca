// TDlgSelZoom: the modeless tool window "Select and Zoom" over the core model TSelectZoom. It
// shows the active wave window's cursor or selected part and the zoom of both its views in
// seconds, follows that window (the frame tells it of activations, selection and view
// changes), and sets what the user typed with "Apply".
#pragma once

#include <QPointer>
#include <array>

#include "gui/tool_window.h"
#include "shell/select_zoom.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kalvora::gui {

class TMainForm;
class TMDIChildWave;

class TDlgSelZoom : public TToolWindow {
    Q_OBJECT
  public:
    explicit TDlgSelZoom(TMainForm& frame);

    // Shows the window beside the frame's bottom-right corner, filled from the active window.
    void ShowBesideFrame();
    // Refills everything when another wave window, or none, became the active one.
    void Follow(TMDIChildWave* active);
    // The window's selection, or the zoom or scroll position of its view 1 or 2, changed;
    // ignored unless it is the window shown.
    void SelectionChanged(const TMDIChildWave& window);
    void ViewChanged(const TMDIChildWave& window, int view);
    // "Apply": checks the texts and sets the cursor or part and the zooms of the window.
    void Apply();

    // The window whose values are shown, or none.
    TMDIChildWave* Shown() const { return window_; }

  private:
    struct ViewControls {
        QGroupBox* group = nullptr;
        QCheckBox* zoomed = nullptr;
        QLineEdit* begin = nullptr;
        QLineEdit* end = nullptr;
    };

    void Fill(TMDIChildWave* window);
    void FillSelection();
    void FillView(int view);
    void ShowSelection();
    void ShowView(int view);

    TMainForm& frame_;
    TSelectZoom model_;
    QPointer<TMDIChildWave> window_;
    bool filling_ = false;
    QRadioButton* rbCursor_ = nullptr;
    QRadioButton* rbPart_ = nullptr;
    QLineEdit* editAt_ = nullptr;
    QLineEdit* editPartBegin_ = nullptr;
    QLineEdit* editPartEnd_ = nullptr;
    std::array<ViewControls, 2> views_{};
    QPushButton* btnApply_ = nullptr;
};

}  // namespace kalvora::gui
