#include "app/frmpreview.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <filesystem>

#include "base/error.h"
#include "report/reporter.h"
#include "wizard/userinterface.h"

namespace velmo {

// The white page panel; its whole surface is the paint box.
class TPreviewPageWidget : public QWidget {
public:
    explicit TPreviewPageWidget(TfrmPreviewView& owner, QWidget* parent)
        : QWidget(parent), FOwner(owner) {
        setObjectName(QStringLiteral("pnlPreview"));
        setAccessibleName(QStringLiteral("Report page"));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        FOwner.DrawPage(painter, width(), height());
    }
    void mousePressEvent(QMouseEvent* e) override { FOwner.PageMouse(e); }
    void mouseMoveEvent(QMouseEvent* e) override { FOwner.PageMouse(e); }
    void mouseReleaseEvent(QMouseEvent* e) override { FOwner.PageMouse(e); }

private:
    TfrmPreviewView& FOwner;
};

namespace {

enum class TPicture { Next, Previous, Fit, Print, Close, SavePdf };

// The toolbar's artwork, drawn at each size it is shown in (sharp on HiDPI screens).
QPixmap DrawPicture(TPicture kind, int size, qreal ratio) {
    QPixmap pm(QSize(size, size) * ratio);
    pm.setDevicePixelRatio(ratio);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);  // drawn on a 16 x 16 grid
    const QColor ink(0x20, 0x40, 0x80);
    QPen pen(ink, 1.2);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    switch (kind) {
        case TPicture::Next:
        case TPicture::Previous: {
            QPainterPath path;
            if (kind == TPicture::Next) {
                path.moveTo(5, 3);
                path.lineTo(12, 8);
                path.lineTo(5, 13);
            } else {
                path.moveTo(11, 3);
                path.lineTo(4, 8);
                path.lineTo(11, 13);
            }
            path.closeSubpath();
            p.setBrush(ink);
            p.drawPath(path);
            break;
        }
        case TPicture::Fit: {
            p.setBrush(Qt::white);
            p.drawRect(QRectF(4, 2, 8, 12));
            p.setPen(QPen(ink, 1.0));
            for (double y : {5.0, 7.5, 10.0}) p.drawLine(QPointF(6, y), QPointF(10, y));
            p.setPen(QPen(QColor(0xC0, 0x30, 0x30), 1.2));
            p.drawLine(QPointF(1, 1), QPointF(1, 15));
            p.drawLine(QPointF(15, 1), QPointF(15, 15));
            break;
        }
        case TPicture::Print: {
            p.setBrush(Qt::white);
            p.drawRect(QRectF(4.5, 1.5, 7, 5));
            p.setBrush(QColor(0xB0, 0xB8, 0xC8));
            p.drawRoundedRect(QRectF(1.5, 6, 13, 6), 1.2, 1.2);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(4.5, 10, 7, 4.5));
            break;
        }
        case TPicture::Close: {
            p.setPen(QPen(QColor(0xA0, 0x20, 0x20), 2.0, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(4, 4), QPointF(12, 12));
            p.drawLine(QPointF(12, 4), QPointF(4, 12));
            break;
        }
        case TPicture::SavePdf: {
            p.setBrush(Qt::white);
            QPainterPath sheet;
            sheet.moveTo(3, 1.5);
            sheet.lineTo(10, 1.5);
            sheet.lineTo(13, 4.5);
            sheet.lineTo(13, 14.5);
            sheet.lineTo(3, 14.5);
            sheet.closeSubpath();
            p.drawPath(sheet);
            p.setPen(QPen(QColor(0xC0, 0x30, 0x30), 1.6, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(8, 5), QPointF(8, 11.5));
            p.drawLine(QPointF(5.5, 9), QPointF(8, 11.5));
            p.drawLine(QPointF(10.5, 9), QPointF(8, 11.5));
            break;
        }
    }
    return pm;
}

QIcon MakeIcon(TPicture kind) {
    QIcon icon;
    for (int size : {16, 24, 32})
        for (qreal ratio : {1.0, 2.0}) icon.addPixmap(DrawPicture(kind, size, ratio));
    return icon;
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

QToolButton* ToolButton(QWidget* parent, const char* name, const QString& text,
                        const QString& hint, TPicture picture, bool withCaption) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(text);
    b->setToolTip(hint);
    b->setAccessibleName(hint);
    b->setIcon(MakeIcon(picture));
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::StrongFocus);
    b->setToolButtonStyle(withCaption ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly);
    return b;
}

TPreviewKey KeyOf(int key) {
    switch (key) {
        case Qt::Key_PageUp:
            return TPreviewKey::PageUp;
        case Qt::Key_PageDown:
            return TPreviewKey::PageDown;
        case Qt::Key_Escape:
            return TPreviewKey::Escape;
        case Qt::Key_F5:
            return TPreviewKey::F5;
        case Qt::Key_P:
            return TPreviewKey::P;
        case Qt::Key_C:
            return TPreviewKey::C;
        default:
            return TPreviewKey::Other;
    }
}

int ScreenHeightOf(QWidget* parent) {
    QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() : TfrmPreview::DesignScreenHeight;
}

// The print dialog of the desktop program: page ranges, the shown page, copies.
bool RunPrintDialog(QWidget* parent, QPrinter& printer, TPrintDialogData& data) {
    QPrintDialog dialog(&printer, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCurrentPage |
                      QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(data.MinPage, data.MaxPage);
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(data.FromPage, data.ToPage);
    if (dialog.exec() != QDialog::Accepted) return false;
    switch (printer.printRange()) {
        case QPrinter::PageRange:
            data.PrintRange = prPageNums;
            data.FromPage = printer.fromPage();
            data.ToPage = printer.toPage();
            break;
        case QPrinter::CurrentPage:
        case QPrinter::Selection:
            data.PrintRange = prSelection;
            break;
        case QPrinter::AllPages:
            data.PrintRange = prAllPages;
            break;
    }
    data.Copies = std::max(1, printer.copyCount());
    data.Printer = &printer;
    return true;
}

}  // namespace

TfrmPreviewView::TfrmPreviewView(TReporter& reporter, QWidget* parent, int screenHeight)
    : QDialog(parent),
      FReporter(reporter),
      FLogic((reporter.ClearMetaFiles(), reporter.PrintMetaFiles(), reporter.MetaCount()),
             screenHeight > 0 ? screenHeight : ScreenHeightOf(parent)) {
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QStringLiteral("Preview"));
    setAccessibleName(QStringLiteral("Preview"));
    setSizeGripEnabled(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setWindowFlag(Qt::WindowMinimizeButtonHint, true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    BuildToolBar();
    layout->addWidget(FToolBar);

    FScrollBox = new QScrollArea(this);
    FScrollBox->setObjectName(QStringLiteral("ScrollBox1"));
    FScrollBox->setAccessibleName(QStringLiteral("Report pages"));
    FScrollBox->setWidgetResizable(false);
    FScrollBox->setFocusPolicy(Qt::StrongFocus);
    FContent = new QWidget;
    FContent->setObjectName(QStringLiteral("PreviewContent"));
    QPalette workspace = FContent->palette();
    workspace.setColor(QPalette::Window, palette().color(QPalette::Dark));
    FContent->setPalette(workspace);
    FContent->setAutoFillBackground(true);
    FPage = new TPreviewPageWidget(*this, FContent);
    FScrollBox->setWidget(FContent);
    FScrollBox->viewport()->setPalette(workspace);
    FScrollBox->viewport()->setAutoFillBackground(true);
    FScrollBox->viewport()->installEventFilter(this);
    layout->addWidget(FScrollBox, 1);

    BuildStatusBar();
    layout->addWidget(FStatusBar);

    // The window sees every key before its controls.
    qApp->installEventFilter(this);

    FReporter.SetOnProgress([this](TReporter&, int32_t position, int32_t max) {
        FProgressBar->setMaximum(max);
        FProgressBar->setValue(position);
        // Let the bar be drawn now and then while the job runs on this thread.
        if (max > 0 && position % std::max(1, max / 50) == 0)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    FReporter.SetOnPrintFinish([this](TReporter&) { FProgressBar->setValue(0); });

    if (!FReporter.PrintDlg) {
        FOwnPrintDialog = true;
        FPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
        FReporter.PrintDlg = [this](TPrintDialogData& data) {
            return RunPrintDialog(this, *FPrinter, data);
        };
    }

    SetPanelText();
    UpdateNavButtons();
    resize(800, 600);
    BoxResized();
}

TfrmPreviewView::~TfrmPreviewView() {
    qApp->removeEventFilter(this);
    FReporter.SetOnProgress(nullptr);
    FReporter.SetOnPrintFinish(nullptr);
    if (FOwnPrintDialog) FReporter.PrintDlg = nullptr;
    // The page images are made again by the next preview.
    FReporter.ClearMetaFiles();
}

void TfrmPreviewView::BuildToolBar() {
    const int h = FLogic.ScreenHeight();
    FToolBar = new QToolBar(this);
    FToolBar->setObjectName(QStringLiteral("ToolBar1"));
    FToolBar->setAccessibleName(QStringLiteral("Preview tools"));
    FToolBar->setMovable(false);
    const int picture = TfrmPreview::ToolbarPictureSize(h);
    FToolBar->setIconSize(QSize(picture, picture));

    FBtnPrint = ToolButton(FToolBar, "btnPrint", QStringLiteral("&Print"), QStringLiteral("Print"),
                           TPicture::Print, true);
    FBtnClose = ToolButton(FToolBar, "btnClose", QStringLiteral("&Close"), QStringLiteral("Close"),
                           TPicture::Close, true);
    FBtnSavePdf = ToolButton(FToolBar, "btnSavePdf", QStringLiteral("Save as PDF…"),
                             QStringLiteral("Save as PDF"), TPicture::SavePdf, true);
    for (QToolButton* b : {FBtnPrint, FBtnClose, FBtnSavePdf})
        b->setMinimumWidth(TfrmPreview::ScaledWidth(60, h));

    FComboBox = new QComboBox(FToolBar);
    FComboBox->setObjectName(QStringLiteral("ComboBox1"));
    FComboBox->setToolTip(QStringLiteral("Preview Size"));
    FComboBox->setAccessibleName(QStringLiteral("Preview Size"));
    FComboBox->setEditable(false);
    for (const std::string& item : TfrmPreview::ZoomItems()) FComboBox->addItem(Q(item));
    FComboBox->setCurrentIndex(FLogic.ZoomIndex());
    FComboBox->setMinimumWidth(TfrmPreview::ScaledWidth(60, h));
    FComboBox->setMaxVisibleItems(10);

    FBtnFit = ToolButton(FToolBar, "btnFit", QStringLiteral("Fit"), QStringLiteral("Fit to Window"),
                         TPicture::Fit, false);
    FBtnFit->setCheckable(true);
    FBtnPrevious = ToolButton(FToolBar, "btnPrevious", QStringLiteral("Previous"),
                              QStringLiteral("Previous Page"), TPicture::Previous, false);
    FBtnNext = ToolButton(FToolBar, "btnNext", QStringLiteral("Next"), QStringLiteral("Next Page"),
                          TPicture::Next, false);

    FPanel1 = new QLabel(FToolBar);
    FPanel1->setObjectName(QStringLiteral("Panel1"));
    FPanel1->setAccessibleName(QStringLiteral("Page"));
    FPanel1->setMinimumWidth(TfrmPreview::ScaledWidth(100, h));

    FToolBar->addWidget(FBtnPrint);
    FToolBar->addSeparator();
    FToolBar->addWidget(FBtnClose);
    FToolBar->addSeparator();
    FToolBar->addWidget(FBtnSavePdf);
    FToolBar->addSeparator();
    FToolBar->addWidget(FComboBox);
    FToolBar->addSeparator();
    FToolBar->addWidget(FBtnFit);
    FToolBar->addSeparator();
    FToolBar->addWidget(FBtnPrevious);
    FToolBar->addWidget(FBtnNext);
    FToolBar->addSeparator();
    FToolBar->addWidget(FPanel1);

    connect(FBtnPrint, &QToolButton::clicked, this, [this] { PrintReport(); });
    connect(FBtnClose, &QToolButton::clicked, this, [this] { reject(); });
    connect(FBtnSavePdf, &QToolButton::clicked, this, [this] { SavePdf(); });
    connect(FComboBox, &QComboBox::activated, this, [this](int index) { SelectZoom(index); });
    connect(FBtnFit, &QToolButton::clicked, this, [this](bool down) { SetFit(down); });
    connect(FBtnPrevious, &QToolButton::clicked, this, [this] { DoPreviousPage(); });
    connect(FBtnNext, &QToolButton::clicked, this, [this] { DoNextPage(); });
}

void TfrmPreviewView::BuildStatusBar() {
    const int h = FLogic.ScreenHeight();
    FStatusBar = new QStatusBar(this);
    FStatusBar->setObjectName(QStringLiteral("StatusBar1"));
    FStatusBar->setSizeGripEnabled(false);
    FStatusPage = new QLabel(FStatusBar);
    FStatusPage->setObjectName(QStringLiteral("StatusPanel0"));
    FStatusPage->setAccessibleName(QStringLiteral("Page"));
    FStatusPage->setFixedWidth(TfrmPreview::ScaledWidth(150, h));
    FProgressBar = new QProgressBar(FStatusBar);
    FProgressBar->setObjectName(QStringLiteral("ProgressBar1"));
    FProgressBar->setAccessibleName(QStringLiteral("Print progress"));
    FProgressBar->setTextVisible(false);
    FProgressBar->setRange(0, 100);
    FProgressBar->setValue(0);
    FProgressBar->setFixedWidth(TfrmPreview::ScaledWidth(150, h));
    FStatusRest = new QLabel(FStatusBar);
    FStatusRest->setObjectName(QStringLiteral("StatusPanel2"));
    FStatusRest->setAccessibleName(QStringLiteral("Status"));
    FStatusBar->addWidget(FStatusPage);
    FStatusBar->addWidget(FProgressBar);
    FStatusBar->addWidget(FStatusRest, 1);
}

QWidget* TfrmPreviewView::PagePanel() const { return FPage; }

void TfrmPreviewView::SetPanelText() {
    const QString text = Q(FLogic.PageText());
    FStatusPage->setText(text);
    FPanel1->setText(QStringLiteral("  ") + text);
}

void TfrmPreviewView::UpdateNavButtons() {
    FBtnNext->setEnabled(FLogic.NextEnabled());
    FBtnPrevious->setEnabled(FLogic.PreviousEnabled());
}

void TfrmPreviewView::DoNextPage() {
    if (!FLogic.DoNextPage()) return;
    FPage->update();
    SetPanelText();
    UpdateNavButtons();
}

void TfrmPreviewView::DoPreviousPage() {
    if (!FLogic.DoPreviousPage()) return;
    FPage->update();
    SetPanelText();
    UpdateNavButtons();
}

void TfrmPreviewView::SelectZoom(int index) {
    if (FComboBox->currentIndex() != index) FComboBox->setCurrentIndex(index);
    FLogic.SelectZoom(index);
    FBtnFit->setChecked(false);
    ApplyPanel();
}

void TfrmPreviewView::SetFit(bool down) {
    FBtnFit->setChecked(down);
    FLogic.SetFit(down);
    ApplyPanel();
}

void TfrmPreviewView::ToggleFit() { SetFit(!FLogic.FitToSize()); }

void TfrmPreviewView::BoxResized() {
    const QSize box = FScrollBox->viewport()->size();
    FLogic.ResizeBox(box.width(), box.height());
    ApplyPanel();
}

void TfrmPreviewView::ApplyPanel() {
    if (FApplying) return;  // a scroll bar that comes or goes resizes the box again
    FApplying = true;
    for (int round = 0; round < 3 && FAppliedSerial != FLogic.PanelSerial(); ++round) {
        FAppliedSerial = FLogic.PanelSerial();
        const TPanelBounds& b = FLogic.Panel();
        const QSize box = FScrollBox->viewport()->size();
        // The content fills the box; a page that does not fit gets the margin it has
        // above it also right of and below it.
        const int right = b.X + b.W;
        FContent->resize(right <= box.width() ? box.width() : right + TfrmPreview::PanelTop,
                         std::max(box.height(), b.Y + b.H + TfrmPreview::PanelTop));
        FPage->setGeometry(b.X, b.Y, b.W, b.H);
        FScrollBox->horizontalScrollBar()->setValue(0);
        FScrollBox->verticalScrollBar()->setValue(0);
        const QSize after = FScrollBox->viewport()->size();
        if (after != box) FLogic.ResizeBox(after.width(), after.height());
    }
    FPage->update();
    FApplying = false;
}

void TfrmPreviewView::DrawPage(QPainter& painter, int w, int h) const {
    painter.fillRect(QRect(0, 0, w, h), Qt::white);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(0, 0, w - 1, h - 1));
    const int index = FLogic.PageIndex();
    if (index < 0 || index >= FReporter.MetaCount()) return;
    // The recorded vector page stretched over the whole surface, drawn at the
    // surface's own resolution.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const QRect page = FReporter.MetaFile(index).boundingRect();
    painter.scale(static_cast<double>(w) / page.width(), static_cast<double>(h) / page.height());
    FReporter.MetaFile(index).Play(painter);
    painter.restore();
}

void TfrmPreviewView::PageMouse(QEvent* event) {
    auto* e = static_cast<QMouseEvent*>(event);
    const int y = static_cast<int>(e->position().y());
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            FLogic.DragStart(y);
            FPage->setCursor(Qt::ClosedHandCursor);
            break;
        case QEvent::MouseMove:
            if (FLogic.MouseDown()) {
                QScrollBar* bar = FScrollBox->verticalScrollBar();
                bar->setValue(FLogic.DragMove(y, bar->value()));
            }
            break;
        case QEvent::MouseButtonRelease:
            FLogic.DragEnd();
            FPage->unsetCursor();
            break;
        default:
            break;
    }
}

template <typename F>
void TfrmPreviewView::Command(F&& f) {
    // No exception crosses the event loop: a failure is shown as a message.
    try {
        f();
    } catch (const Error& e) {
        UI().Message(TMsgKind::Error, e.what(), TMsgButtons::Ok);
    } catch (const std::exception& e) {
        UI().Message(TMsgKind::Error, e.what(), TMsgButtons::Ok);
    }
}

void TfrmPreviewView::PrintReport() {
    Command([this] {
        FReporter.Print(FLogic.PageIndex());
        FProgressBar->setValue(0);
    });
}

void TfrmPreviewView::SavePdf() {
    Command([this] {
        TFileDialogSpec spec;
        spec.Title = "Save as PDF";
        spec.Filter = "PDF Files (*.pdf)|*.pdf|All Files (*.*)|*.*";
        spec.FileName = (FReporter.Title().empty() ? std::string("report") : FReporter.Title()) + ".pdf";
        spec.DefaultExt = "pdf";
        spec.OverwritePrompt = true;
        const std::optional<std::string> chosen = UI().SaveFileName(spec);
        if (!chosen || chosen->empty()) return;
        std::string path = *chosen;
        if (!std::filesystem::path(path).has_extension()) path += ".pdf";
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        struct Restore {
            ~Restore() { QGuiApplication::restoreOverrideCursor(); }
        } restore;
        WritePdf(FReporter, path);
        FStatusRest->setText(QStringLiteral("Saved ") + Q(path));
    });
}

bool TfrmPreviewView::HandleKey(QKeyEvent* e) {
    const Qt::KeyboardModifiers m = e->modifiers();
    const TPreviewAction action =
        TfrmPreview::KeyAction(KeyOf(e->key()), m.testFlag(Qt::ControlModifier),
                               m.testFlag(Qt::ShiftModifier), m.testFlag(Qt::AltModifier));
    switch (action) {
        case TPreviewAction::None:
            return false;
        case TPreviewAction::PreviousPage:
            DoPreviousPage();
            break;
        case TPreviewAction::NextPage:
            DoNextPage();
            break;
        case TPreviewAction::Close:
            reject();
            break;
        case TPreviewAction::ToggleFit:
            ToggleFit();
            break;
        case TPreviewAction::Print:
            PrintReport();
            break;
    }
    return true;  // handled here, never passed on (the zoom list keeps its choice)
}

bool TfrmPreviewView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        if (w->window() == this) return HandleKey(static_cast<QKeyEvent*>(event));
    }
    if (watched == FScrollBox->viewport() && event->type() == QEvent::Resize) BoxResized();
    if (watched == FScrollBox->viewport() && event->type() == QEvent::MouseButtonRelease) {
        FLogic.DragEnd();
        FPage->unsetCursor();
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmPreviewView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        SetPanelText();
        FToolBar->update();
    }
    QDialog::changeEvent(event);
}

}  // namespace velmo
