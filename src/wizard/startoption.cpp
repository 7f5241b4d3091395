#include "wizard/startoption.h"

#include "wizard/userinterface.h"

namespace velmo {

TfrmStartOption::TfrmStartOption(std::vector<std::string> recentFiles)
    : FRecentFiles(std::move(recentFiles)) {
    // The most recent file is ready to open; without one, "More Files...".
    FSelected = FRecentFiles.empty() ? 0 : 1;
}

void TfrmStartOption::SetAction(TStartAction a) {
    FAction = a;
    Changed();
}

void TfrmStartOption::Select(int index) {
    if (index < -1 || index > static_cast<int>(FRecentFiles.size())) return;
    FSelected = index;
    Changed();
}

void TfrmStartOption::AskForFile() {
    TFileDialogSpec spec;
    spec.Title = "Open Design";
    spec.Filter = kDesignFileFilter;
    std::optional<std::string> name = UI().OpenFileName(spec);
    if (!name) {
        FResult = srCancel;
    } else {
        FFileName = *name;
        FResult = srOk;
    }
}

void TfrmStartOption::OkClick() {
    if (FAction == saNew) {
        FResult = srOk;
    } else if (FSelected >= 1) {
        FFileName = FRecentFiles[static_cast<size_t>(FSelected - 1)];
        FResult = srOk;
    } else {
        AskForFile();
    }
    Changed();
}

void TfrmStartOption::CancelClick() {
    FResult = srCancel;
    Changed();
}

void TfrmStartOption::DoubleClick(int index) {
    if (!ListEnabled() || index < 0 || index > static_cast<int>(FRecentFiles.size())) return;
    FSelected = index;
    if (index == 0) {
        AskForFile();
    } else {
        FFileName = FRecentFiles[static_cast<size_t>(index - 1)];
        FResult = srOk;
    }
    Changed();
}

std::string ShortenPath(const std::string& path, int maxWidth,
                        const std::function<int(const std::string&)>& width) {
    if (path.empty() || width(path) <= maxWidth) return path;
    static const std::string kLead = "\xE2\x80\xA6/";  // "…/"
    // Drop one leading folder after another until the rest fits.
    size_t from = path.find('/', path[0] == '/' ? 1 : 0);
    while (from != std::string::npos) {
        std::string candidate = kLead + path.substr(from + 1);
        const size_t next = path.find('/', from + 1);
        if (width(candidate) <= maxWidth || next == std::string::npos) return candidate;
        from = next;
    }
    return path;  // a bare file name: nothing to drop
}

}  // namespace velmo
