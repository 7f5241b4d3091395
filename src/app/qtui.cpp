#include "app/qtui.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStringList>

#include "app/preview.h"
#include "app/qtpaths.h"
#include "report/reportbuild.h"

namespace velmo {

QWidget* DialogParent() {
    if (QWidget* w = QApplication::activeModalWidget()) return w;
    if (QWidget* w = QApplication::activeWindow()) return w;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "frmMain") return w;
    return nullptr;
}

QString QtFilter(const std::string& windowsFilter) {
    const QStringList parts = QString::fromStdString(windowsFilter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1].trimmed();
        patterns.replace(';', ' ');
        patterns = patterns.simplified();
        // Qt's "*" matches every name; "*.*" would miss names without a dot.
        if (patterns == "*.*") patterns = "*";
        QString name = parts[i].trimmed();
        // The description's own "(…)" is replaced by the patterns Qt matches.
        static const QRegularExpression kParen(R"(\s*\([^()]*\)\s*$)");
        name.remove(kParen);
        filters << QString("%1 (%2)").arg(name, patterns);
    }
    return filters.join(";;");
}

TMsgResult TQtUserInterface::Message(TMsgKind kind, const std::string& text, TMsgButtons buttons) {
    QMessageBox box(DialogParent());
    box.setObjectName("messageBox");
    box.setWindowTitle(QApplication::applicationDisplayName());
    box.setText(QString::fromStdString(text));
    switch (kind) {
        case TMsgKind::Information: box.setIcon(QMessageBox::Information); break;
        case TMsgKind::Warning: box.setIcon(QMessageBox::Warning); break;
        case TMsgKind::Error: box.setIcon(QMessageBox::Critical); break;
        case TMsgKind::Confirmation: box.setIcon(QMessageBox::Question); break;
    }
    switch (buttons) {
        case TMsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case TMsgButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case TMsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case TMsgButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Ok: return TMsgResult::Ok;
        case QMessageBox::Yes: return TMsgResult::Yes;
        case QMessageBox::No: return TMsgResult::No;
        default: return TMsgResult::Cancel;
    }
}

namespace {

std::optional<std::string> RunFileDialog(const TFileDialogSpec& spec, bool save) {
    QFileDialog dialog(DialogParent(), QString::fromStdString(spec.Title));
    dialog.setObjectName(save ? "dlgSave" : "dlgOpen");
    if (!spec.Filter.empty()) dialog.setNameFilters(QtFilter(spec.Filter).split(";;"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!spec.DefaultExt.empty()) dialog.setDefaultSuffix(QString::fromStdString(spec.DefaultExt));
    if (save && !spec.OverwritePrompt) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!spec.FileName.empty()) dialog.selectFile(PathToQ(spec.FileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return PathFromQ(dialog.selectedFiles().first());
}

}  // namespace

std::optional<std::string> TQtUserInterface::OpenFileName(const TFileDialogSpec& spec) {
    return RunFileDialog(spec, false);
}

std::optional<std::string> TQtUserInterface::SaveFileName(const TFileDialogSpec& spec) {
    return RunFileDialog(spec, true);
}

void TQtUserInterface::SetClipboardText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void TQtUserInterface::PreviewReport(TBroadcastDesign& design, TReportRequest request) {
    std::unique_ptr<TReporter> reporter;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        struct Restore {
            ~Restore() { QApplication::restoreOverrideCursor(); }
        } restore;
        switch (request) {
            case TReportRequest::Full: reporter = BuildReport(design); break;
            case TReportRequest::Azimuth: reporter = PrintAzimuthReport(design, false); break;
            case TReportRequest::AzimuthWithFCC: reporter = PrintAzimuthReport(design, true); break;
            case TReportRequest::Elevation: reporter = PrintElevationReport(design); break;
        }
    }
    ShowReportPreview(std::move(reporter), DialogParent());
}

}  // namespace velmo
