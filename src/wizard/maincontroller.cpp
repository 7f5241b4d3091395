#include "wizard/maincontroller.h"

#include <filesystem>
#include <system_error>

#include "base/folders.h"
#include "wizard/designinfo.h"
#include "wizard/startoption.h"
#include "wizard/userinterface.h"
#include "wizard/wizard.h"
#include "wizard/wizardflags.h"

namespace velmo {
namespace {

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) out += '\n';
        out += lines[i];
    }
    return out;
}

// Every line of `text`, empty ones included; an empty text gives none.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    if (text.empty()) return lines;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return lines;
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

}  // namespace

TMainController::TMainController(TMainView& view, TRecentFilesStore* recentStore)
    : FView(view), FRecent(recentStore) {
    FRecent.OnChange = [this] { FView.ShowRecentFiles(FRecent.Items()); };
}

TMainController::~TMainController() = default;

// ---- state ---------------------------------------------------------------------------

std::unique_ptr<TBroadcastDesign> TMainController::CreateDesign() {
    auto design = std::make_unique<TBroadcastDesign>();
    design->SetOnModify([this](TBroadcastDesign&, bool value) { FView.ShowModified(value); });
    design->SetModified(false);
    return design;
}

void TMainController::FreeAndNilDesign() { FCurrentDesign.reset(); }

void TMainController::SetDesignButtons(bool state) { FView.SetDesignButtons(state); }

void TMainController::SetSavingButtons(bool value) {
    const bool exportEnabled =
        value && (!FCurrentDesign || FCurrentDesign->OptionsPage.FamilyID != "CTM");
    FView.SetSavingButtons(value, exportEnabled);
}

void TMainController::DisplayDesignInfo() {
    if (!FCurrentDesign) return;
    const TDesignInfo& info = FCurrentDesign->DesignInfo;
    TDesignInfoDisplay d;
    d.CompanyName = info.CompanyName;
    d.Location = info.Location;
    d.Designer = info.Designer;
    d.Date = info.Date;
    d.Notes = info.Notes;
    d.SpecNo = info.SpecNo;
    d.PartNumber = FCurrentDesign->BuildPartNumber();
    FView.ShowDesignInfo(d);
}

void TMainController::ClearDesignInfo() {
    FView.ClearDesignInfo();
    SetFootCaption("");
}

void TMainController::SetFootCaption(const std::string& v) {
    FFootCaption = v;
    FView.ShowFootCaption(v);
}

// ---- start-up ------------------------------------------------------------------------

void TMainController::Create(const std::vector<std::string>& args) {
    FCurrentDesign.reset();
    SetDesignButtons(false);
    SetSavingButtons(false);
    FView.ShowModified(false);
    FView.ShowFootCaption(FFootCaption);
    FView.ShowRecentFiles(FRecent.Items());
    if (!args.empty()) {
        std::string name;
        for (size_t i = 0; i < args.size(); ++i) {
            if (i) name += ' ';
            name += args[i];
        }
        // A name relative to the folder the program was started in is kept in full,
        // so the recent-files list stays usable from anywhere.
        std::error_code ec;
        const std::filesystem::path full = std::filesystem::absolute(name, ec);
        if (!ec) name = full.lexically_normal().string();
        FDoOnce = false;
        RunCommand([&] { OpenDesign(name); });
    }
}

void TMainController::Activated() {
    if (!FDoOnce) return;
    FDoOnce = false;
    RunCommand([this] { ShowStartOptions(); });
}

// ---- commands ------------------------------------------------------------------------

void TMainController::ShowStartOptions() {
    TfrmStartOption dialog(FRecent.Items());
    if (!FView.ExecuteStartOptions(dialog) || dialog.Result() != TfrmStartOption::srOk) return;
    FView.Repaint();
    if (dialog.Action() == saOpen)
        OpenDesign(dialog.FileName());
    else
        NewDesign();
}

bool TMainController::CheckCurrentDesign(bool closing) {
    if (!FCurrentDesign || !FCurrentDesign->Modified()) return true;
    const std::string text = std::string("The current design has been modified.\n\n") +
                             (closing ? "Would you like to save it before closing?"
                                      : "Would you like to save it before continuing?");
    switch (UI().Message(TMsgKind::Warning, text, TMsgButtons::YesNoCancel)) {
        case TMsgResult::Yes:
            return SaveDesign(false);
        case TMsgResult::No:
            return true;
        default:
            return false;
    }
}

bool TMainController::RunWizard(TDesignState state, int beginIndex, int endIndex, int focusIndex) {
    TfrmWizard wizard;
    wizard.DesignState = state;
    wizard.BeginIndex = beginIndex;
    wizard.EndIndex = endIndex;
    return FView.ExecuteWizard(wizard, focusIndex);
}

void TMainController::NewDesign() {
    if (!CheckCurrentDesign(false)) return;
    TfrmDesignInfo dialog;
    if (!FView.ExecuteDesignInfo(dialog)) return;

    FreeAndNilDesign();
    FCurrentDesign = CreateDesign();
    FCurrentDesign->DesignInfo.Assign(dialog.DesignInfo());
    if (FCurrentDesign->DesignInfo.SystemType == "FM") FCurrentDesign->OptionsPage.PolCode.clear();

    WorkingDesign().Assign(*FCurrentDesign);
    SetDesignButtons(false);
    SetSavingButtons(false);
    CustomElevationEntered() = false;
    LinesPageEntered() = false;
    ClearDesignInfo();

    if (!RunWizard(dsNew, 1, 5, 1)) return;  // the header-only design stays current
    FCurrentDesign->Assign(WorkingDesign());
    SetDesignButtons(true);
    SetSavingButtons(true);
    FCurrentDesign->SetModified(true);
    DisplayDesignInfo();
    ViewReport();
}

void TMainController::EditDesign(int beginIndex, int endIndex, int focusIndex) {
    if (!FCurrentDesign) return;
    WorkingDesign().Assign(*FCurrentDesign);
    if (!RunWizard(dsEdit, beginIndex, endIndex, focusIndex)) return;
    FCurrentDesign->Assign(WorkingDesign());
    DisplayDesignInfo();
    SetSavingButtons(true);
    FCurrentDesign->SetModified(true);
}

void TMainController::EditHeaderInfo() {
    if (!FCurrentDesign) return;
    TfrmDesignInfo dialog;
    dialog.SetDesignInfo(FCurrentDesign->DesignInfo);
    dialog.SetReportTitle(JoinLines(FCurrentDesign->ReportTitle));
    if (!FView.ExecuteDesignInfo(dialog)) return;
    FCurrentDesign->DesignInfo.Assign(dialog.DesignInfo());
    FCurrentDesign->ReportTitle = SplitLines(dialog.ReportTitle());
    DisplayDesignInfo();
    FCurrentDesign->SetModified(true);
}

void TMainController::CallOpenDesign() {
    if (!CheckCurrentDesign(false)) return;
    TFileDialogSpec spec;
    spec.Title = "Open Design";
    spec.Filter = kDesignFileFilter;
    std::optional<std::string> name = UI().OpenFileName(spec);
    if (name) OpenDesign(*name);
}

void TMainController::OpenRecent(const std::string& fileName) {
    // The entry leaves the list; a successful open puts it back on top. Cancelled at
    // the unsaved-changes question, nothing happened, so it returns where it was.
    const int position = FRecent.Remove(fileName);
    if (!CheckCurrentDesign(false)) {
        if (position >= 0) FRecent.Insert(position, fileName);
        return;
    }
    OpenDesign(fileName);
}

void TMainController::OpenDesign(const std::string& fileName) {
    bool headerOk = false;
    try {
        headerOk = CheckDesignHeader(fileName);
    } catch (...) {
        headerOk = false;
    }
    if (!headerOk) {
        UI().Message(TMsgKind::Error, "Unable to open file.", TMsgButtons::Ok);
        return;
    }
    // Loaded into a design of its own: a load that fails part-way leaves the current
    // design as it was.
    std::unique_ptr<TBroadcastDesign> loaded = LoadDesignFile(fileName);
    Adopt(std::move(loaded));
    SetDesignButtons(true);
    SetSavingButtons(true);
    DisplayDesignInfo();
    FRecent.Add(fileName);
    SetFootCaption(fileName);
}

void TMainController::Adopt(std::unique_ptr<TBroadcastDesign> design) {
    FreeAndNilDesign();
    FCurrentDesign = std::move(design);
    FCurrentDesign->SetOnModify([this](TBroadcastDesign&, bool value) { FView.ShowModified(value); });
    FCurrentDesign->SetModified(false);
}

std::string TMainController::DesignFileName(const std::string& chosen) {
    const size_t slash = chosen.rfind('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = chosen.rfind('.');
    if (dot == std::string::npos || dot < nameStart) return chosen + ".bcst";
    return chosen.substr(0, dot) + ".bcst";
}

bool TMainController::SaveDesign(bool doSaveAs) {
    if (!FCurrentDesign) return false;
    if (doSaveAs || FCurrentDesign->FileName.empty()) {
        TFileDialogSpec spec;
        spec.Title = "Save Design";
        spec.Filter = kDesignFileFilter;
        spec.DefaultExt = "bcst";
        spec.OverwritePrompt = true;
        std::optional<std::string> chosen = UI().SaveFileName(spec);
        if (!chosen) return false;
        const std::string name = DesignFileName(*chosen);
        // The dialog asked about the name it was given; a changed extension may name
        // another file that exists.
        if (name != *chosen && FileExists(name) &&
            UI().Message(TMsgKind::Confirmation, name + " already exists.\n\nDo you want to replace it?",
                         TMsgButtons::YesNo) != TMsgResult::Yes)
            return false;
        // The name is kept only when the file was written.
        FCurrentDesign->SaveToFile(name);
        FCurrentDesign->FileName = name;
        FCurrentDesign->SetModified(false);
        FRecent.Add(name);
        SetFootCaption(name);
        return true;
    }
    FCurrentDesign->SaveToFile(FCurrentDesign->FileName);
    FCurrentDesign->SetModified(false);
    return true;
}

void TMainController::ViewReport() {
    if (!FCurrentDesign) return;
    const std::string& type = FCurrentDesign->DesignInfo.SystemType;
    if (type != "TV" && type != "FM") return;
    UI().PreviewReport(*FCurrentDesign, TReportRequest::Full);
}

void TMainController::OpenTechPage() { FView.OpenDocument(AppPath() + "beamtilt/beamtilt.html"); }

void TMainController::ClearRecentFiles() { FRecent.Clear(); }

void TMainController::RemoveObsoleteFiles() { FRecent.RemoveObsolete(FileExists); }

bool TMainController::CloseQuery() { return CheckCurrentDesign(true); }

void TMainController::Closed() { FreeAndNilDesign(); }

}  // namespace velmo
