#include "app/preview.h"

#include <QApplication>
#include <QGuiApplication>

#include "app/frmpreview.h"
#include "report/reporter.h"

namespace velmo {

void PreviewReporter(TReporter& reporter, QWidget* parent) {
    std::unique_ptr<TfrmPreviewView> window;
    {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        struct Restore {
            ~Restore() { QGuiApplication::restoreOverrideCursor(); }
        } restore;
        window = std::make_unique<TfrmPreviewView>(reporter, parent);
        // Every preview opens fitted to the window.
        window->SetFit(true);
    }
    window->setWindowState(window->windowState() | Qt::WindowMaximized);
    window->exec();
}

void ShowReportPreview(std::unique_ptr<TReporter> reporter, QWidget* parent) {
    if (reporter) PreviewReporter(*reporter, parent);
}

void InstallPreviewHandler() {
    TReporter::SetPreviewHandler(
        [](TReporter& reporter) { PreviewReporter(reporter, QApplication::activeWindow()); });
}

}  // namespace velmo
