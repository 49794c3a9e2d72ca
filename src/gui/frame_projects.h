// The frame's side of projects: the frame's windows as the project sees them (ProjectHost),
// the open project (TProjectSession, which holds all the logic) and the handlers of the
// Project menu. The frame owns one.
#pragma once

#include <memory>
#include <string>

#include "shell/project_session.h"

namespace kalvora::gui {

class TMainForm;

class TFrameProjects final : public ProjectHost {
  public:
    explicit TFrameProjects(TMainForm& frame);

    TProjectSession& Session() { return session_; }
    const std::string& ProjectFile() const { return session_.ProjectFile(); }

    // The handlers of New, Open, Save, Export and Close Project.
    void RegisterCommands();
    // Open Project on file (the file dialog's choice, a dropped or recent file); an opened
    // project joins the recent files.
    bool OpenProjectFile(const std::string& file);
    // The command line named a project file.
    void StartWith(const std::string& file);

    // --- ProjectHost
    std::vector<TProjectWindowRef> DocumentWindows() const override;
    TProjectBounds FrameBounds() const override;
    void SetFrameBounds(const TProjectBounds& bounds) override;
    bool CloseDocumentWindows(bool ask) override;
    bool AddWave(std::unique_ptr<TUnitWave> wave, const TProjectBounds& bounds) override;
    bool AddMusic(std::unique_ptr<TUnitMuz> music, const TProjectBounds& bounds) override;
    void WindowsLoaded() override;
    void ProjectFileChanged() override;

  private:
    TMainForm& frame_;
    TProjectSession session_;
};

}  // namespace kalvora::gui
