#pragma once
// The desktop program's answers to TUserInterface: message boxes, file dialogs, the
// clipboard and the report preview.
#include <QString>

#include "wizard/userinterface.h"

class QWidget;

namespace velmo {

class TQtUserInterface : public TUserInterface {
public:
    TMsgResult Message(TMsgKind kind, const std::string& text, TMsgButtons buttons) override;
    std::optional<std::string> OpenFileName(const TFileDialogSpec& spec) override;
    std::optional<std::string> SaveFileName(const TFileDialogSpec& spec) override;
    void SetClipboardText(const std::string& text) override;
    void PreviewReport(TBroadcastDesign& design, TReportRequest request) override;
};

// A Windows-style filter ("Velmo File (*.bcst)|*.bcst|All Files (*.*)|*.*") as Qt's
// name filters ("Velmo File (*.bcst);;All Files (*)"): each description keeps its
// text and shows the pair's patterns (";" separated there, blank separated here).
QString QtFilter(const std::string& windowsFilter);

// The window dialogs open over: the active window, else the main window.
QWidget* DialogParent();

}  // namespace velmo
