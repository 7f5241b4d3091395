#include "wizard/wizard.h"

#include "model/design.h"
#include "wizard/pagefactory.h"
#include "wizard/userinterface.h"

namespace velmo {

TfrmWizard::TfrmWizard() {
    NextButton.SetCaption("&Next");
    BackButton.SetCaption("&Back");
    BackButton.SetEnabled(false);
    CancelButton.SetCaption("&Cancel");
    PageFactory = [](const std::string& className, TWizardButton& next) {
        return CreateWizardPage(className, next);
    };
}

TfrmWizard::~TfrmWizard() {
    // The page goes with the wizard; its widget is gone by now.
    FCurrentPage.reset();
}

void TfrmWizard::SetPageIndex(int value) {
    if (value < BeginIndex || value > EndIndex) return;
    FPageIndex = value;
    NextButton.SetCaption(value == EndIndex ? "&Finish" : "&Next");
    BackButton.SetEnabled(BeginIndex < value);
    ReleasePage();

    const TBroadcastDesign& design = WorkingDesign();
    FCurrentPageClass = PageClassFor(value, design.DesignInfo.SystemType, design.OptionsPage.FamilyID);
    // A step without a page leaves Next usable, so the wizard can still be left.
    NextButton.SetEnabled(true);
    if (!FCurrentPageClass.empty() && PageFactory)
        FCurrentPage = PageFactory(FCurrentPageClass, NextButton);
    if (FCurrentPage) FCurrentPage->DesignState = DesignState;
    if (OnPageCreated) OnPageCreated(FCurrentPage.get());
    if (FCurrentPage) FCurrentPage->PageEnter();
}

void TfrmWizard::ReleasePage() {
    if (!FCurrentPage) return;
    FCurrentPage->SetOnChanged(nullptr);
    if (OnReleasePage)
        OnReleasePage(std::move(FCurrentPage));
    else
        FCurrentPage.reset();
    FCurrentPage.reset();
}

void TfrmWizard::NextClick() {
    if (FClosed || !NextButton.Enabled()) return;
    if (FCurrentPage) FCurrentPage->PageExit();
    if (NextButton.Caption() == "&Next") {
        SetPageIndex(FPageIndex + 1);
    } else {
        Commit = true;
        Close();
    }
}

void TfrmWizard::BackClick() {
    if (FClosed || !BackButton.Enabled()) return;
    if (FCurrentPage) FCurrentPage->PageBack();
    SetPageIndex(FPageIndex - 1);
}

void TfrmWizard::CancelClick() {
    if (FClosed) return;
    if (UI().Message(TMsgKind::Confirmation, "Exit and cancel changes?", TMsgButtons::YesNo) !=
        TMsgResult::Yes)
        return;
    if (FCurrentPage) FCurrentPage->Final();
    Close();
}

void TfrmWizard::WindowClosing() {
    if (FCurrentPage) FCurrentPage->Final();
    FClosed = true;
}

void TfrmWizard::Close() {
    // Every way out calls the page's Final once more as the window goes.
    WindowClosing();
    if (OnClose) OnClose();
}

}  // namespace velmo
