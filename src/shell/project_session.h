// The open project of the frame and its commands: saving the documents' unsaved changes as
// copies beside the project file, closing every window, and loading a project back with
// every document, name and window place. Core code: the documents, the music file and the
// project file; the frame is reached through ProjectHost.
//
// Saving is all-or-nothing: the new copies are written under numbers no file of the folder
// has, then the project file is replaced in one step (written beside it and renamed over
// it). Only then are the copies the project no longer names removed. A failure before that
// step removes what was written and leaves the previous project as it was; the user is told.
//
// Loading never stops because of one document: a document that cannot be read is reported
// and skipped, and a wave whose copy is missing or unreadable falls back to its own file (or
// an empty sound), the user being told that its unsaved changes are lost.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "shell/project_file.h"
#include "shell/project_file_system.h"

namespace kalvora {

class TUnitMuz;
class TUnitWave;
class TWorkspace;

// A document window as the project sees it.
struct TProjectWindowRef {
    TUnit* unit = nullptr;
    TProjectBounds bounds;
};

// What the project asks of the frame.
class ProjectHost {
  public:
    virtual ~ProjectHost() = default;
    // Every document window, from the one activated longest ago to the active one.
    virtual std::vector<TProjectWindowRef> DocumentWindows() const = 0;
    virtual TProjectBounds FrameBounds() const = 0;
    virtual void SetFrameBounds(const TProjectBounds& bounds) = 0;
    // With ask, every window asks its close question first and a refusal keeps them all
    // (false); without, every window is released.
    virtual bool CloseDocumentWindows(bool ask) = 0;
    // Shows a loaded document in a new window at bounds and registers it; false when it
    // cannot be shown (the document is then dropped and the frame has said why).
    virtual bool AddWave(std::unique_ptr<TUnitWave> wave, const TProjectBounds& bounds) = 0;
    virtual bool AddMusic(std::unique_ptr<TUnitMuz> music, const TProjectBounds& bounds) = 0;
    // Every window of the project exists and has its size: the wave windows take their
    // pending split and zooms, and the name box shows the active document's name.
    virtual void WindowsLoaded() = 0;
    // The project file changed (opened, new, closed): the caption follows.
    virtual void ProjectFileChanged() = 0;
};

class TProjectSession {
  public:
    TProjectSession(TWorkspace& workspace, ProjectHost& host);

    // The open project's file; empty when none is open.
    const std::string& ProjectFile() const { return projectFile_; }
    bool HasProject() const { return !projectFile_.empty(); }
    // The file system the save goes through (tests put a failing one in; not owned).
    void SetFileSystem(TProjectFileSystem* fileSystem);

    // Saves the open documents into file: copies of those that need them (all of them when
    // exporting), then the project file. Nothing to do for an empty file name. Exporting
    // leaves out the documents' own files and changes nothing of the documents.
    bool SaveProject(const std::string& file, bool exported);
    // Without a project every window asks its close question; with one, nothing is asked:
    // the documents that have a copy are marked saved and every window is released.
    bool CloseAllWindows();
    // Reads file and opens its documents. A file that cannot be read is reported and opens
    // nothing; the project is then closed.
    void LoadProject(const std::string& file);

    // ---- The commands ----
    // Save and close what is open, then open file.
    bool OpenProject(const std::string& file);
    // Save and close what is open; file becomes the project (written at its first save).
    bool NewProject(const std::string& file);
    bool CloseProject();
    bool SaveCurrentProject() { return SaveProject(projectFile_, false); }
    bool ExportProject(const std::string& file) { return SaveProject(file, true); }
    // Closing the program: with a project, save it and release the windows; without, every
    // window asks its close question. False keeps the program open.
    bool CloseForShutdown();

    // The command line named a project file: it is the project from the start.
    void StartWith(const std::string& file) { LoadProject(file); }

  private:
    struct PlannedCopy;

    bool NeedsCopy(TUnit& unit, bool exported) const;
    bool WriteCopy(const PlannedCopy& copy, bool exported);
    void RemoveWritten(const std::vector<PlannedCopy>& copies);
    void RemoveUnnamedCopies(const std::string& file, const std::vector<int>& named);
    bool OpenWindow(const TProjectWindow& window, const std::string& file);
    std::unique_ptr<TUnitWave> OpenProjectWave(const TProjectWindow& window,
                                               const std::string& file);
    std::unique_ptr<TUnitMuz> OpenProjectMusic(const TProjectWindow& window,
                                               const std::string& file);
    void SetProjectFile(std::string file);

    TWorkspace& workspace_;
    ProjectHost& host_;
    TProjectFileSystem ownFileSystem_;
    TProjectFileSystem* fileSystem_;
    std::string projectFile_;
    // Windows of the open project that the frame could not show: the project keeps naming
    // them (and their copies) until it is closed, so that saving does not lose them.
    std::vector<TProjectWindow> unshown_;
};

// How a message names a document of a project: its name, else its file, else "without name".
std::string ProjectDocumentText(const std::string& name, const std::string& file);

}  // namespace kalvora
