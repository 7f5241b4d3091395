#pragma once
// The main window's commands and rules, apart from the window: the current design, the
// unsaved-changes question, new / open / save / edit, the recent files and which
// commands are usable in each state. The window implements TMainView and forwards its
// menu, toolbar and panel commands here; every message box and file dialog goes
// through UI().
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/design.h"
#include "wizard/command.h"
#include "wizard/recentfiles.h"
#include "wizard/wizardpage.h"

namespace velmo {

class TfrmDesignInfo;
class TfrmStartOption;
class TfrmWizard;

// What the "Design Info" panel shows.
struct TDesignInfoDisplay {
    std::string CompanyName;
    std::string Location;
    std::string Designer;
    double Date = 0;  // day number; the window formats it "mmmm d, yyyy"
    std::vector<std::string> Notes;
    std::string PartNumber;
    std::string SpecNo;
};

class TMainView {
public:
    virtual ~TMainView() = default;
    // The five "Modify Design" buttons enabled, the "View Report" panel button visible.
    virtual void SetDesignButtons(bool state) = 0;
    // The Edit and View menus, Save, Save As and the toolbar's Save, View Report and
    // Edit Design Info enabled := value; the Export Patterns menu := exportEnabled.
    virtual void SetSavingButtons(bool value, bool exportEnabled) = 0;
    // Status bar panel 0: "Modified" or nothing.
    virtual void ShowModified(bool modified) = 0;
    // Status bar panel 1: the caption, or the maker line when it is empty.
    virtual void ShowFootCaption(const std::string& caption) = 0;
    virtual void ShowDesignInfo(const TDesignInfoDisplay& info) = 0;
    virtual void ClearDesignInfo() = 0;
    virtual void ShowRecentFiles(const std::vector<std::string>& items) = 0;
    // Modal dialogs: true when closed with OK.
    virtual bool ExecuteDesignInfo(TfrmDesignInfo& dialog) = 0;
    virtual bool ExecuteStartOptions(TfrmStartOption& dialog) = 0;
    // Shows the wizard modally, starting at `pageIndex`; returns its Commit.
    virtual bool ExecuteWizard(TfrmWizard& wizard, int pageIndex) = 0;
    virtual void Repaint() = 0;
    // Opens a document with the system's default handler.
    virtual void OpenDocument(const std::string& path) = 0;
};

class TMainController {
public:
    TMainController(TMainView& view, TRecentFilesStore* recentStore);
    ~TMainController();
    TMainController(const TMainController&) = delete;
    TMainController& operator=(const TMainController&) = delete;

    // ---- start-up ------------------------------------------------------------------
    // The main window's creation: no design, every command disabled; with arguments,
    // they are joined with single blanks and opened, and the start dialog is skipped.
    void Create(const std::vector<std::string>& args);
    // The first activation: shows the start dialog once unless a file was named.
    void Activated();
    bool DoOnce() const { return FDoOnce; }

    // ---- commands ------------------------------------------------------------------
    void ShowStartOptions();
    // True when the current design may be dropped (no design, not modified, saved, or
    // the user said No). `closing` picks the wording of the question.
    bool CheckCurrentDesign(bool closing);
    void NewDesign();
    void EditDesign(int beginIndex, int endIndex, int focusIndex);
    void EditHeaderInfo();
    void CallOpenDesign();
    void OpenRecent(const std::string& fileName);
    void OpenDesign(const std::string& fileName);
    bool SaveDesign(bool doSaveAs);
    void ViewReport();
    void OpenTechPage();
    void ClearRecentFiles();
    void RemoveObsoleteFiles();
    // Closing the main window: true when it may close; the design is then freed.
    bool CloseQuery();
    void Closed();

    // ---- state ---------------------------------------------------------------------
    TBroadcastDesign* CurrentDesign() const { return FCurrentDesign.get(); }
    const std::string& FootCaption() const { return FFootCaption; }
    void SetFootCaption(const std::string& v);
    TRecentFiles& RecentFiles() { return FRecent; }

    void SetDesignButtons(bool state);
    void SetSavingButtons(bool value);
    void DisplayDesignInfo();
    void ClearDesignInfo();
    void FreeAndNilDesign();

    // The file name a chosen save name becomes: its extension (from the last "." of
    // the file name part) replaced by ".bcst", or ".bcst" appended.
    static std::string DesignFileName(const std::string& chosen);

private:
    std::unique_ptr<TBroadcastDesign> CreateDesign();
    void Adopt(std::unique_ptr<TBroadcastDesign> design);
    bool RunWizard(TDesignState state, int beginIndex, int endIndex, int focusIndex);

    TMainView& FView;
    TRecentFiles FRecent;
    std::unique_ptr<TBroadcastDesign> FCurrentDesign;
    bool FDoOnce = true;
    std::string FFootCaption;
};

}  // namespace velmo
