// TDlgMusic: the modeless tool window "Music" over TMusicDialogPresenter. It edits the tempo,
// the staves of the active music window's document, the note groups of the current stave and
// the one-players of the current group's instrument; every change applies at once.
#pragma once

#include <QString>
#include <array>
#include <memory>

#include "gui/music_tool_window.h"
#include "shell/music_dialog_presenter.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class QWidget;

namespace kalvora::gui {

class TColorBox;

class TDlgMusic : public TMusicToolWindow {
    Q_OBJECT
  public:
    // playback plays staves, groups and subtrees; without one the play buttons stay off.
    explicit TDlgMusic(TMainForm& frame, std::unique_ptr<TMusicPlayback> playback = nullptr);

    TMusicDialogPresenter& Presenter() { return presenter_; }
    // A stave's properties changed elsewhere: its fields are shown again when it is shown here.
    void StaveChanged(const TNoteStave* stave);
    // "Apply" (also Enter): commits the field being edited; the focus stays there.
    void Apply();

  protected:
    void Bind(TUnitMuz* unit) override;
    void Refresh() override;
    void WindowChanged(TMDIChildKalvora* window) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct ListControls {
        QLineEdit* count = nullptr;
        QLineEdit* cursor = nullptr;
        std::array<QToolButton*, kListButtonCount> buttons{};
    };

    QWidget* NewListRow(TMusicListLevel level, const QString& name, QPushButton* play);
    QLineEdit* NewField(TMusicField field, const QString& name);
    QComboBox* NewSampleWaveBox(TMusicField field, const QString& name);
    QWidget* NewPlayerPage(int kind);
    void Press(TMusicListLevel level, TListButton button);
    void Leave(TMusicField field);
    QString FieldText(TMusicField field) const;
    void FillSampleWaveLists();
    void ShowMessageResult(const TFieldCommit& commit, TMusicField field);

    std::unique_ptr<TMusicPlayback> playback_;
    TMusicDialogPresenter presenter_;
    QMetaObject::Connection staveChanged_;
    std::array<QWidget*, kMusicFieldCount> fields_{};
    std::array<ListControls, 3> lists_{};
    QGroupBox* grpStave_ = nullptr;
    QGroupBox* grpGroup_ = nullptr;
    QGroupBox* grpPlayer_ = nullptr;
    QCheckBox* chkAllowJoinFlags_ = nullptr;
    QCheckBox* chkEnableSound_ = nullptr;
    QCheckBox* chkExtraLines_ = nullptr;
    TColorBox* colbForeground_ = nullptr;
    TColorBox* colbBackground_ = nullptr;
    QButtonGroup* noteShape_ = nullptr;
    TColorBox* colbNoteColor_ = nullptr;
    QCheckBox* chkSticksUp_ = nullptr;
    QCheckBox* chkSticksDown_ = nullptr;
    QTabWidget* pcPlay_ = nullptr;
    QPushButton* btnStavePlay_ = nullptr;
    QPushButton* btnGroupPlay_ = nullptr;
    QPushButton* btnApply_ = nullptr;
};

}  // namespace kalvora::gui
