#pragma once
// TEMPORARY: stands in for the report preview window and the export commands until
// they land (app/preview.h, app/exportcommands.h); removed then.
#include <memory>

class QWidget;

namespace velmo {

class TReporter;
class TBroadcastDesign;

enum class TExportFormat { Planet, EDX, CSV };

void ShowReportPreview(std::unique_ptr<TReporter> reporter, QWidget* parent);
void InstallPreviewHandler();
void ExportPatterns(TBroadcastDesign& design, TExportFormat format);

}  // namespace velmo
