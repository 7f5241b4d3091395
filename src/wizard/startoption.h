#pragma once
// The start dialog's logic: create a new design or open one (a recent file or any
// file through the open-file dialog).
#include <functional>
#include <string>
#include <vector>

namespace velmo {

enum TStartAction { saNew = 0, saOpen = 1 };

class TfrmStartOption {
public:
    enum TResult { srPending, srOk, srCancel };

    // The list shows "More Files..." followed by `recentFiles`.
    explicit TfrmStartOption(std::vector<std::string> recentFiles);

    TStartAction Action() const { return FAction; }
    void SetAction(TStartAction a);
    // The list is usable only while "Open an existing design" is chosen.
    bool ListEnabled() const { return FAction == saOpen; }
    const std::vector<std::string>& RecentFiles() const { return FRecentFiles; }
    // 0 is "More Files...", 1… the recent files; -1 for none.
    int SelectedIndex() const { return FSelected; }
    void Select(int index);

    // OK: with "Open an existing design" a chosen recent file becomes FileName; with
    // "More Files..." the open-file dialog asks, and cancelling it cancels the dialog.
    void OkClick();
    void CancelClick();
    // A double click on an entry: a recent file is chosen and the dialog closes with
    // OK; "More Files..." runs the open-file dialog.
    void DoubleClick(int index);

    TResult Result() const { return FResult; }
    const std::string& FileName() const { return FFileName; }

    std::function<void()> OnChanged;

    static constexpr const char* kMoreFiles = "More Files...";

private:
    void AskForFile();
    void Changed() {
        if (OnChanged) OnChanged();
    }

    std::vector<std::string> FRecentFiles;
    TStartAction FAction = saNew;
    int FSelected = 0;
    TResult FResult = srPending;
    std::string FFileName;
};

// `path` shortened to fit `maxWidth` (as measured by `width`) by putting "…/" in
// place of its leading folders; the file name itself always stays.
std::string ShortenPath(const std::string& path, int maxWidth,
                        const std::function<int(const std::string&)>& width);

// The filter of the design file dialogs.
inline constexpr const char* kDesignFileFilter = "Velmo File (*.bcst)|*.bcst|All Files (*.*)|*.*";

}  // namespace velmo
