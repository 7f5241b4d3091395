#pragma once
// The report preview window: one page of a recorder at a time, zoomed or fitted to
// the window, paged with buttons and keys, dragged up and down, printed through the
// recorder's print flow and saved as a PDF file. The rules live in TfrmPreview
// (previewlogic.h); this window renders them and forwards each action.
#include <QDialog>
#include <memory>

#include "app/previewlogic.h"

class QComboBox;
class QLabel;
class QPrinter;
class QProgressBar;
class QScrollArea;
class QStatusBar;
class QToolBar;
class QToolButton;
class QWidget;

namespace velmo {

class TReporter;
class TPreviewPageWidget;

class TfrmPreviewView : public QDialog {
    Q_OBJECT
public:
    // Renders every page of `reporter` into its page images and shows the first, at
    // 50 % until fitted. screenHeight 0: the height of the screen the window is on.
    // The recorder must outlive the window; the window empties its page images and
    // detaches from its events when it goes.
    TfrmPreviewView(TReporter& reporter, QWidget* parent = nullptr, int screenHeight = 0);
    ~TfrmPreviewView() override;

    TfrmPreview& Logic() { return FLogic; }
    const TfrmPreview& Logic() const { return FLogic; }
    TReporter& Reporter() { return FReporter; }

    // The user's actions, also reachable from the buttons and keys.
    void DoNextPage();
    void DoPreviousPage();
    void SelectZoom(int index);
    void SetFit(bool down);
    void ToggleFit();
    void PrintReport();
    void SavePdf();

    // The page panel and the scroll box, for the drag and for tests.
    QWidget* PagePanel() const;
    QScrollArea* ScrollBox() const { return FScrollBox; }
    // Draws the shown page (white, framed, the page image stretched over it) into
    // `painter` over a w x h surface.
    void DrawPage(class QPainter& painter, int w, int h) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class TPreviewPageWidget;
    void BuildToolBar();
    void BuildStatusBar();
    void SetPanelText();
    void UpdateNavButtons();
    void ApplyPanel();
    void BoxResized();
    void PageMouse(QEvent* event);
    bool HandleKey(class QKeyEvent* event);
    template <typename F>
    void Command(F&& f);

    TReporter& FReporter;
    TfrmPreview FLogic;
    bool FOwnPrintDialog = false;
    std::unique_ptr<QPrinter> FPrinter;
    uint32_t FAppliedSerial = 0;
    bool FApplying = false;

    QToolBar* FToolBar = nullptr;
    QToolButton* FBtnPrint = nullptr;
    QToolButton* FBtnClose = nullptr;
    QToolButton* FBtnSavePdf = nullptr;
    QComboBox* FComboBox = nullptr;
    QToolButton* FBtnFit = nullptr;
    QToolButton* FBtnPrevious = nullptr;
    QToolButton* FBtnNext = nullptr;
    QLabel* FPanel1 = nullptr;
    QScrollArea* FScrollBox = nullptr;
    QWidget* FContent = nullptr;
    TPreviewPageWidget* FPage = nullptr;
    QStatusBar* FStatusBar = nullptr;
    QLabel* FStatusPage = nullptr;
    QProgressBar* FProgressBar = nullptr;
    QLabel* FStatusRest = nullptr;
};

}  // namespace velmo
