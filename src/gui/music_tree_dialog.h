// TDlgMusTree: the modeless tool window "Music Parts" over TMusicTreePresenter. It shows the
// part tree of the active music window's document as a tree view and restructures it with
// the commands of its menus and tool buttons; every change applies at once.
#pragma once

#include <QString>
#include <map>
#include <memory>

#include "gui/music_tool_window.h"
#include "shell/music_tree_presenter.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace kalvora::gui {

class TDlgMusTree : public TMusicToolWindow {
    Q_OBJECT
  public:
    // playback plays staves, groups and subtrees; without one the play buttons stay off.
    explicit TDlgMusTree(TMainForm& frame, std::unique_ptr<TMusicPlayback> playback = nullptr);

    TMusicTreePresenter& Presenter() { return presenter_; }
    QTreeWidget* Tree() const { return tree_; }
    QAction* Action(TMusTreeCommand command) const { return actions_.at(command); }
    // Runs a command of the menus and tool buttons on the selected node.
    void RunCommand(TMusTreeCommand command);
    // "Apply": commits the field being edited; the focus stays there.
    void Apply();

  protected:
    void Bind(TUnitMuz* unit) override;
    void Refresh() override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildMenusAndTools(QMenuBar* menus, QToolBar* tools);
    void Rebuild();
    void AddNodes(const std::vector<TMusTreeNode>& nodes, QTreeWidgetItem* parent,
                  TMusTreeItem* selected);
    void RefreshControls();
    void OnCurrentItemChanged(QTreeWidgetItem* current);
    void Leave(TMusTreeCommand field);
    // Commits Count or Pitch when one of them has the focus.
    void CommitFocusedField();
    void SelectItemOf(TMusTreeItem* item);

    std::unique_ptr<TMusicPlayback> playback_;
    TMusicTreePresenter presenter_;
    std::map<TMusTreeCommand, QAction*> actions_;
    QTreeWidget* tree_ = nullptr;
    QLineEdit* editCount_ = nullptr;
    QLineEdit* editPitch_ = nullptr;
    QLineEdit* editOctave_ = nullptr;
    QCheckBox* chkPlayDraw_ = nullptr;
    QPushButton* btnPlay_ = nullptr;
    QPushButton* btnApply_ = nullptr;
    QLabel* statusLine_ = nullptr;
};

}  // namespace kalvora::gui
