// The preview window offscreen: the page images it shows, buttons and keys reaching
// the rules, the drag, printing through the recorder's print flow, Save as PDF, and
// screenshots of the largest report at two screen sizes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QComboBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QProgressBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <memory>

#include "app/frmpreview.h"
#include "app/preview.h"
#include "base/folders.h"
#include "model/design.h"
#include "report/reportbuild.h"
#include "report/reporter.h"
#include "scripted_ui.h"
#include "test_support.h"

using namespace velmo;

namespace {

// Page 1 black in its top-left quarter, page 2 in its bottom-right quarter, page 3
// all black: which page is shown, and that it covers the whole panel, is visible.
std::unique_ptr<TReporter> QuarterReport() {
    auto r = std::make_unique<TReporter>();
    const TRealRect rects[] = {{0, 0, 425, 550}, {425, 550, 850, 1100}, {0, 0, 850, 1100}};
    for (int i = 0; i < 3; ++i) {
        if (i > 0) r->NewPage();
        r->SetBrush(clBlack, bsSolid);
        r->FillRect(rects[i]);
    }
    return r;
}

template <typename T>
T* Child(QWidget& w, const char* name) {
    T* c = w.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

void Key(QWidget* target, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods);
    QApplication::sendEvent(target, &release);
}

void Mouse(QWidget* target, QEvent::Type type, int y) {
    const QPointF pos(10, y);
    QMouseEvent e(type, pos, target->mapToGlobal(pos), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &e);
}

bool IsBlack(const QImage& img, double fx, double fy) {
    const QColor c = img.pixelColor(static_cast<int>(fx * img.width()), static_cast<int>(fy * img.height()));
    return c.lightness() < 40;
}

QString PanelText(QWidget& w) { return Child<QLabel>(w, "Panel1")->text(); }

TEST(PreviewWindow, ShowsTheRecordedPagesAndPagesThroughThem) {
    auto reporter = QuarterReport();
    TfrmPreviewView view(*reporter, nullptr, 600);
    view.resize(800, 600);
    view.show();
    EXPECT_EQ(view.windowTitle(), "Preview");
    EXPECT_EQ(reporter->MetaCount(), 3);
    EXPECT_EQ(PanelText(view), "  Page 1 of 3");
    EXPECT_EQ(Child<QLabel>(view, "StatusPanel0")->text(), "Page 1 of 3");
    auto* next = Child<QToolButton>(view, "btnNext");
    auto* previous = Child<QToolButton>(view, "btnPrevious");
    EXPECT_TRUE(next->isEnabled());
    EXPECT_FALSE(previous->isEnabled());

    view.SetFit(true);
    // A fitted page needs no scrolling.
    EXPECT_EQ(view.ScrollBox()->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(view.ScrollBox()->verticalScrollBar()->maximum(), 0);
    QImage page = view.PagePanel()->grab().toImage();
    EXPECT_TRUE(IsBlack(page, 0.25, 0.25));
    EXPECT_FALSE(IsBlack(page, 0.75, 0.75));

    next->click();
    EXPECT_EQ(PanelText(view), "  Page 2 of 3");
    page = view.PagePanel()->grab().toImage();
    EXPECT_FALSE(IsBlack(page, 0.25, 0.25));
    EXPECT_TRUE(IsBlack(page, 0.75, 0.75));
    EXPECT_TRUE(IsBlack(page, 0.99, 0.99));  // stretched over the whole panel
    EXPECT_TRUE(previous->isEnabled());

    next->click();
    EXPECT_FALSE(next->isEnabled());
    next->click();  // disabled on the last page: nothing happens
    EXPECT_EQ(view.Logic().PageIndex(), 2);
    previous->click();
    EXPECT_EQ(PanelText(view), "  Page 2 of 3");
}

TEST(PreviewWindow, KeysActBeforeTheControlsSeeThem) {
    auto reporter = QuarterReport();
    TfrmPreviewView view(*reporter, nullptr, 600);
    view.show();
    auto* zoom = Child<QComboBox>(view, "ComboBox1");
    auto* fit = Child<QToolButton>(view, "btnFit");
    zoom->setFocus();
    EXPECT_EQ(zoom->currentText(), "50%");

    // Page Up and Page Down turn pages even in the zoom list, which keeps its choice.
    Key(zoom, Qt::Key_PageDown);
    Key(zoom, Qt::Key_PageDown);
    EXPECT_EQ(view.Logic().PageIndex(), 2);
    Key(zoom, Qt::Key_PageUp);
    EXPECT_EQ(view.Logic().PageIndex(), 1);
    EXPECT_EQ(zoom->currentText(), "50%");

    // F5 toggles fit; a zoom entry chosen while fitted releases the fit button.
    Key(zoom, Qt::Key_F5);
    EXPECT_TRUE(fit->isChecked());
    EXPECT_TRUE(view.Logic().FitToSize());
    Key(zoom, Qt::Key_Down);  // the list's own key: the next entry is chosen
    EXPECT_EQ(zoom->currentText(), "60%");
    EXPECT_FALSE(fit->isChecked());
    EXPECT_FALSE(view.Logic().FitToSize());
    EXPECT_EQ(view.PagePanel()->width(), 510);  // 600 x 850 / 600 x 0.6
    fit->click();
    EXPECT_TRUE(view.Logic().FitToSize());

    // Ctrl+C closes (Ctrl alone); C or Ctrl+Shift+C do not.
    Key(view.PagePanel(), Qt::Key_C);
    Key(view.PagePanel(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(view.isVisible());
    Key(view.PagePanel(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(view.result(), QDialog::Rejected);

    view.show();
    Key(fit, Qt::Key_Escape);
    EXPECT_FALSE(view.isVisible());
}

TEST(PreviewWindow, ZoomedPageCentresAndDragScrollsIt) {
    auto reporter = QuarterReport();
    TfrmPreviewView view(*reporter, nullptr, 600);
    view.resize(800, 600);
    view.show();
    view.SelectZoom(9);  // 100 %: 850 x 1100 on a 600-pixel screen
    QWidget* panel = view.PagePanel();
    EXPECT_EQ(panel->size(), QSize(850, 1100));
    EXPECT_EQ(panel->y(), 5);
    QScrollBar* bar = view.ScrollBox()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);

    Mouse(panel, QEvent::MouseButtonPress, 300);
    EXPECT_EQ(panel->cursor().shape(), Qt::ClosedHandCursor);
    Mouse(panel, QEvent::MouseMove, 260);
    EXPECT_EQ(bar->value(), 40);
    Mouse(panel, QEvent::MouseButtonRelease, 260);
    EXPECT_EQ(panel->cursor().shape(), Qt::ArrowCursor);
    Mouse(panel, QEvent::MouseMove, 100);
    EXPECT_EQ(bar->value(), 40);  // no button held

    // A sizing step puts the page back at the top.
    view.SelectZoom(8);
    EXPECT_EQ(bar->value(), 0);
}

TEST(PreviewWindow, PrintsTheSamePagesEachTimeThroughTheDialogHook) {
    test::TempDir dir;
    auto reporter = QuarterReport();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(dir.File("printed.pdf")));
    int dialogs = 0, finished = 0, maxSeen = 0;
    reporter->PrintDlg = [&](TPrintDialogData& data) {
        ++dialogs;
        EXPECT_EQ(data.MinPage, 1);
        EXPECT_EQ(data.MaxPage, 3);
        data.PrintRange = prPageNums;
        data.FromPage = 2;
        data.ToPage = 3;
        data.Copies = 2;
        data.Printer = &printer;
        return true;
    };
    {
        TfrmPreviewView view(*reporter, nullptr, 600);
        auto* progress = Child<QProgressBar>(view, "ProgressBar1");
        // Watch the bar through the window's own progress handler.
        auto windowProgress = reporter->OnProgress();
        reporter->SetOnProgress([&](TReporter& r, int32_t pos, int32_t max) {
            windowProgress(r, pos, max);
            maxSeen = progress->maximum();
        });
        auto windowFinish = reporter->OnPrintFinish();
        reporter->SetOnPrintFinish([&](TReporter& r) {
            windowFinish(r);
            ++finished;
            EXPECT_EQ(progress->value(), 0);
        });
        Child<QToolButton>(view, "btnPrint")->click();
        Key(view.PagePanel(), Qt::Key_P, Qt::ControlModifier);
        EXPECT_EQ(dialogs, 2);
        EXPECT_EQ(finished, 4);  // two copies, twice
        EXPECT_EQ(maxSeen, static_cast<int>(reporter->Page(1).size() + reporter->Page(2).size()));
        EXPECT_EQ(reporter->MetaCount(), 3);  // the page images stay while the window is open

        reporter->PrintDlg = [&](TPrintDialogData&) { return false; };  // cancelled
        view.PrintReport();
        EXPECT_EQ(finished, 4);
    }
    // Closing empties the page images and lets go of the recorder's events.
    EXPECT_EQ(reporter->MetaCount(), 0);
    EXPECT_FALSE(reporter->OnProgress());
    EXPECT_FALSE(reporter->OnPrintFinish());
}

TEST(PreviewWindow, InstallsAPrintDialogOnlyWhenTheRecorderHasNone) {
    auto reporter = QuarterReport();
    {
        TfrmPreviewView view(*reporter);
        EXPECT_TRUE(reporter->PrintDlg);
    }
    EXPECT_FALSE(reporter->PrintDlg);
}

int PdfPageCount(const std::string& bytes) {
    int n = 0;
    for (size_t at = bytes.find("/Type /Page"); at != std::string::npos;
         at = bytes.find("/Type /Page", at + 1))
        if (bytes.compare(at, 12, "/Type /Pages") != 0) ++n;
    return n;
}

TEST(PreviewWindow, SavesTheShownReportAsPdf) {
    test::TempDir dir;
    test::ScriptedUI ui;
    auto reporter = QuarterReport();
    TfrmPreviewView view(*reporter, nullptr, 600);

    ui.Files.push_back(dir.File("sheet"));  // no extension: ".pdf" is added
    Child<QToolButton>(view, "btnSavePdf")->click();
    ASSERT_EQ(ui.Log.size(), 1u);
    EXPECT_EQ(ui.Log[0].What, "save");
    EXPECT_TRUE(ui.Log[0].Spec.OverwritePrompt);
    EXPECT_EQ(ui.Log[0].Spec.DefaultExt, "pdf");
    const std::string pdf = test::ReadAll(dir.File("sheet.pdf"));
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_EQ(PdfPageCount(pdf), 3);

    ui.Files.push_back(std::nullopt);  // cancelled: nothing written, nothing said
    view.SavePdf();
    EXPECT_TRUE(ui.Messages().empty());

    // A file that cannot be created is reported in a message, not thrown at the event loop.
    ui.Files.push_back(dir.File("missing") + "/sheet.pdf");
    view.SavePdf();
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_NE(ui.Messages()[0].find("Cannot create file"), std::string::npos) << ui.Messages()[0];
    EXPECT_EQ(ui.Log.back().Kind, TMsgKind::Error);
}

TEST(PreviewWindow, TheHandlerShowsTheWindowForTReporterPreview) {
    // TReporter::Preview runs the installed handler; the window is modal, so it is
    // closed from the event loop as soon as it shows, fitted on its first page.
    InstallPreviewHandler();
    auto reporter = QuarterReport();
    bool seen = false;
    // The modal window shows once its own event loop runs: look for it every 10 ms,
    // and give up after 10 s (closing whatever preview is open) so a fault fails the
    // test instead of leaving it waiting.
    QTimer poll;
    int tries = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* view = qobject_cast<TfrmPreviewView*>(QApplication::activeModalWidget());
        if (!view) {
            if (++tries < 1000) return;
            poll.stop();
            ADD_FAILURE() << "the preview window did not show";
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* v = qobject_cast<TfrmPreviewView*>(w)) v->reject();
            return;
        }
        poll.stop();
        seen = true;
        EXPECT_TRUE(view->Logic().FitToSize());
        EXPECT_EQ(view->Logic().PageIndex(), 0);
        EXPECT_TRUE(view->windowState() & Qt::WindowMaximized);
        view->reject();
    });
    poll.start(10);
    reporter->Preview();
    EXPECT_TRUE(seen);
    EXPECT_EQ(reporter->MetaCount(), 0);
    TReporter::SetPreviewHandler(nullptr);
}

// Screenshots of the largest sample report, for a person to look at: 800 x 600 fitted,
// 1920 x 1080 at 100 %, and the page panel on a screen of device pixel ratio 2.
TEST(PreviewWindow, ScreenshotsOfTheLargestReport) {
    auto design = LoadDesignFile(AppPath() + "samples/miraldo_uhf_elliptical_top.bcst");
    auto reporter = BuildReport(*design);
    struct Shot {
        int W, H;
        bool Fit;
        int Page;
        const char* File;
    };
    for (const Shot& s : {Shot{800, 600, true, 1, "preview_800x600.png"},
                          Shot{1920, 1080, false, 1, "preview_1920x1080.png"},
                          Shot{1920, 1080, true, 7, "preview_1920x1080_fit.png"}}) {
        TfrmPreviewView view(*reporter, nullptr, s.H);
        view.resize(s.W, s.H);
        view.show();
        if (s.Fit)
            view.SetFit(true);
        else
            view.SelectZoom(9);
        for (int i = 0; i < s.Page; ++i) view.DoNextPage();
        QApplication::processEvents();
        const QImage shot = view.grab().toImage();
        EXPECT_EQ(shot.size(), QSize(s.W, s.H));
        EXPECT_TRUE(shot.save(QString::fromStdString(test::BinDir() + s.File)));
        if (s.Fit) {
            EXPECT_EQ(view.ScrollBox()->horizontalScrollBar()->maximum(), 0);
        }
        if (s.W == 800) {
            QPixmap hidpi(view.PagePanel()->size() * 2);
            hidpi.setDevicePixelRatio(2);
            view.PagePanel()->render(&hidpi);
            EXPECT_TRUE(hidpi.save(QString::fromStdString(test::BinDir() + "preview_page_hidpi.png")));
        }
    }
}

}  // namespace
