#pragma once
// Everything the program asks of the person in front of it — message boxes, file
// dialogs, the clipboard, a report in the preview window — goes through this one
// interface. The desktop program answers it with real dialogs; tests answer it from
// a script, so no test ever waits on a modal window.
#include <memory>
#include <optional>
#include <string>

namespace velmo {

class TBroadcastDesign;

enum class TMsgKind { Information, Warning, Error, Confirmation };
enum class TMsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class TMsgResult { Ok, Cancel, Yes, No };

struct TFileDialogSpec {
    std::string Title;
    // Windows-style pairs: "Velmo File (*.bcst)|*.bcst|All Files (*.*)|*.*".
    std::string Filter;
    std::string FileName;    // proposed name (save) or start file
    std::string DefaultExt;  // without the dot; empty for none
    bool OverwritePrompt = false;
};

// The reports a page or command can show in the preview window.
enum class TReportRequest { Full, Azimuth, AzimuthWithFCC, Elevation };

class TUserInterface {
public:
    virtual ~TUserInterface() = default;
    virtual TMsgResult Message(TMsgKind kind, const std::string& text, TMsgButtons buttons) = 0;
    // The chosen file, or nothing when the dialog was cancelled.
    virtual std::optional<std::string> OpenFileName(const TFileDialogSpec& spec) = 0;
    virtual std::optional<std::string> SaveFileName(const TFileDialogSpec& spec) = 0;
    virtual void SetClipboardText(const std::string& text) = 0;
    // Builds the report of `design` and shows it in the preview window (modal).
    virtual void PreviewReport(TBroadcastDesign& design, TReportRequest request) = 0;
};

// The program-wide interface; the desktop program and the tests install theirs.
// Without one, every call fails with an Error (a headless caller must not ask).
TUserInterface& UI();
void SetUI(TUserInterface* ui);
// Routes the warnings of file loading (base/warnings.h: a pattern file refused or cut,
// a design value brought into range) to UI() as warning boxes. The desktop program
// calls it once at start; velmo-cli prints them instead.
void ShowWarningsThroughUI();

}  // namespace velmo
