#pragma once
// The main window: menus, toolbar, the "Velmo Shortcuts" and "Modify Design" panels,
// the "Design Info" panel and the status bar. Its commands run in TMainController;
// the window shows what the controller tells it through TMainView.
#include <QMainWindow>
#include <memory>
#include <vector>

#include "wizard/maincontroller.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QToolBar;

namespace velmo {

class TfrmMain : public QMainWindow, public TMainView {
    Q_OBJECT
public:
    // `recentStore` keeps the recent files (null: in memory only).
    explicit TfrmMain(TRecentFilesStore* recentStore, QWidget* parent = nullptr);
    ~TfrmMain() override;

    TMainController& Controller() { return *FController; }
    // The main window's creation step: `args` name a design to open instead of the
    // start dialog.
    void Create(const std::vector<std::string>& args);

    // ---- TMainView ------------------------------------------------------------------
    void SetDesignButtons(bool state) override;
    void SetSavingButtons(bool value, bool exportEnabled) override;
    void ShowModified(bool modified) override;
    void ShowFootCaption(const std::string& caption) override;
    void ShowDesignInfo(const TDesignInfoDisplay& info) override;
    void ClearDesignInfo() override;
    void ShowRecentFiles(const std::vector<std::string>& items) override;
    bool ExecuteDesignInfo(TfrmDesignInfo& dialog) override;
    bool ExecuteStartOptions(TfrmStartOption& dialog) override;
    bool ExecuteWizard(TfrmWizard& wizard, int pageIndex) override;
    void Repaint() override;
    void OpenDocument(const std::string& path) override;

    void ShowAboutBox();

    // The date of the "Design Info" panel: "mmmm d, yyyy" in the user's language.
    static QString FormatDesignDate(double date);
    static QString MakerLine();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    void BuildMenus();
    // The FCC check item enabled for an FM current design.
    void UpdateFCCAction();
    void BuildToolBar();
    void BuildPanels();
    QAction* Action(const char* name, const QString& text, const QKeySequence& key,
                    std::function<void()> command);
    void Run(const std::function<void()>& command);

    std::unique_ptr<TMainController> FController;

    QAction* actNew = nullptr;
    QAction* actOpen = nullptr;
    QAction* actSave = nullptr;
    QAction* actSaveAs = nullptr;
    QAction* actExit = nullptr;
    QAction* actDesignInfo = nullptr;
    QAction* actReport = nullptr;
    QAction* actCheckFCC = nullptr;  // FM designs only
    QAction* actClearReopen = nullptr;
    QAction* actRemoveObsolete = nullptr;
    QAction* tbNew = nullptr;
    QAction* tbOpen = nullptr;
    QAction* tbSave = nullptr;
    QAction* tbReport = nullptr;
    QAction* tbDesignInfo = nullptr;
    QMenu* mnuFile = nullptr;
    QMenu* mnuReopen = nullptr;
    QMenu* mnuEdit = nullptr;
    QMenu* mnuView = nullptr;
    QMenu* mnuExport = nullptr;
    std::vector<QAction*> FReopenItems;

    std::vector<QPushButton*> FModifyButtons;
    QPushButton* btnNewDesign = nullptr;
    QPushButton* btnViewReport = nullptr;

    QLineEdit* edtName = nullptr;
    QLineEdit* edtLocation = nullptr;
    QLineEdit* edtDesigner = nullptr;
    QLineEdit* edtDate = nullptr;
    QLineEdit* edtPartNumber = nullptr;
    QLineEdit* edtSpecNo = nullptr;
    QPlainTextEdit* memNotes = nullptr;

    QLabel* FModifiedPanel = nullptr;
    QLabel* FFootPanel = nullptr;
    bool FFirstShow = true;
    bool FFirstPaint = true;
};

}  // namespace velmo
