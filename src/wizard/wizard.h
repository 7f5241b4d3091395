#pragma once
// The design wizard's logic: which step is shown, the page object of that step, the
// Back / Next / Finish / Cancel rules and the calls of the page protocol in their
// order. The wizard window renders it and forwards the button presses; it creates the
// page's widget when the logic announces a new page.
#include <functional>
#include <memory>
#include <string>

#include "wizard/wizardpage.h"

namespace velmo {

class TfrmWizard {
public:
    TfrmWizard();
    ~TfrmWizard();
    TfrmWizard(const TfrmWizard&) = delete;
    TfrmWizard& operator=(const TfrmWizard&) = delete;

    // The step shown. Writing a value outside BeginIndex…EndIndex does nothing;
    // otherwise the Next caption and the Back enabled state follow, the current page
    // is released and the page of the new step is created and entered.
    int PageIndex() const { return FPageIndex; }
    void SetPageIndex(int value);

    TWizardPage* CurrentPage() const { return FCurrentPage.get(); }
    // The page class of the step shown; empty for a step without a page.
    const std::string& CurrentPageClass() const { return FCurrentPageClass; }

    // The buttons: Next (captions "&Next" / "&Finish", the page enables it), Back
    // (enabled when PageIndex > BeginIndex). Cancel is always usable.
    TWizardButton NextButton;
    TWizardButton BackButton;
    TWizardButton CancelButton;

    bool Commit = false;  // the wizard ended with Finish
    TDesignState DesignState = dsNew;
    int BeginIndex = 1;
    int EndIndex = 5;

    // The window's buttons.
    void NextClick();
    void BackClick();
    // Asks "Exit and cancel changes?"; Yes calls the page's Final and closes.
    void CancelClick();
    // The window is closing by any means: calls the current page's Final. Closing
    // with the window's close button counts as cancel (Commit stays false).
    void WindowClosing();
    // True once the wizard has asked its window to close (Finish or confirmed Cancel).
    bool Closed() const { return FClosed; }

    // Called after a page object is created and before its PageEnter, so the window
    // can put the page's widget in place (nullptr for a step without a page).
    std::function<void(TWizardPage* page)> OnPageCreated;
    // Receives the page being replaced, before its successor is created. The window
    // detaches the page's widget and destroys both once its pending events are done;
    // without a handler the page is destroyed at once.
    std::function<void(std::unique_ptr<TWizardPage> page)> OnReleasePage;
    // The wizard asks its window to close (Finish or confirmed Cancel).
    std::function<void()> OnClose;
    // Creates the page logic for a class name; CreateWizardPage unless replaced
    // (tests put recording pages here).
    std::function<std::unique_ptr<TWizardPage>(const std::string& className, TWizardButton& next)>
        PageFactory;

private:
    void ReleasePage();
    void Close();

    int FPageIndex = 0;
    std::unique_ptr<TWizardPage> FCurrentPage;
    std::string FCurrentPageClass;
    bool FClosed = false;
};

}  // namespace velmo
