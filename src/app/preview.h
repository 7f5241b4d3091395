#pragma once
// Showing a built report in the preview window.
#include <memory>

class QWidget;

namespace velmo {

class TReporter;

// Shows `reporter`'s pages in the modal preview window (maximized, fitted to the
// window, first page) and returns when the window is closed. The recorder stays the
// caller's; its page images are emptied again on closing.
void PreviewReporter(TReporter& reporter, QWidget* parent);
// The modal preview of a built report; the report is freed when the window closes.
void ShowReportPreview(std::unique_ptr<TReporter> reporter, QWidget* parent);
// Makes TReporter::Preview show the preview window (over the active window).
void InstallPreviewHandler();

}  // namespace velmo

