// TEMPORARY: a plain page viewer in place of the report preview window, until that
// lands; removed then.
#include "app/interim_preview.h"

#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScrollArea>
#include <QVBoxLayout>

#include "report/reporter.h"
#include "wizard/userinterface.h"

namespace velmo {
namespace {

class TInterimPreview : public QDialog {
public:
    TInterimPreview(TReporter& reporter, QWidget* parent) : QDialog(parent), FReporter(reporter) {
        setObjectName("frmPreview");
        setWindowTitle("Print Preview");
        auto* layout = new QVBoxLayout(this);
        FLabel = new QLabel(this);
        auto* scroll = new QScrollArea(this);
        scroll->setWidget(FLabel);
        scroll->setWidgetResizable(false);
        layout->addWidget(scroll);
        resize(900, 700);
        ShowPage(0);
    }

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_PageDown) ShowPage(FPage + 1);
        else if (e->key() == Qt::Key_PageUp) ShowPage(FPage - 1);
        else QDialog::keyPressEvent(e);
    }

private:
    void ShowPage(int index) {
        if (index < 0 || index >= FReporter.GetPageCount()) return;
        FPage = index;
        QPixmap pixmap(850, 1100);
        pixmap.fill(Qt::white);
        QPainter painter(&pixmap);
        FReporter.PlayPage(index, &painter, 100, 100);
        painter.end();
        FLabel->setPixmap(pixmap);
        FLabel->resize(pixmap.size());
    }

    TReporter& FReporter;
    QLabel* FLabel = nullptr;
    int FPage = 0;
};

}  // namespace

void ShowReportPreview(std::unique_ptr<TReporter> reporter, QWidget* parent) {
    if (!reporter) return;
    TInterimPreview preview(*reporter, parent);
    preview.exec();
}

void InstallPreviewHandler() {
    TReporter::SetPreviewHandler([](TReporter& reporter) {
        TInterimPreview preview(reporter, nullptr);
        preview.exec();
    });
}

void ExportPatterns(TBroadcastDesign&, TExportFormat) {
    UI().Message(TMsgKind::Information, "Exporting patterns is not available in this build yet.",
                 TMsgButtons::Ok);
}

}  // namespace velmo
