#pragma once
// The page protocol of the design wizard. A page object exists only while its step
// is shown: the wizard creates it, calls PageEnter, and throws it away when the user
// moves on. Pages read and write the working design (WorkingDesign()), never the
// main window's current design.
//
// Every page is two pieces: the page logic here (plain C++, every rule and all state)
// and a widget in the desktop program that renders that state and forwards each user
// action to it. The logic keeps the specified class name (TfrmOptions); its widget is
// named after it with "View" appended (TfrmOptionsView).
#include <cstdint>
#include <functional>
#include <string>

namespace velmo {

enum TDesignState { dsNew = 0, dsEdit = 1 };

// A wizard button as the pages see it: a caption and an enabled flag. The window
// renders it and follows every change through OnChange.
class TWizardButton {
public:
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& value);
    // Called after every write of Enabled or Caption.
    std::function<void()> OnChange;

private:
    bool FEnabled = true;
    std::string FCaption;
};

class TWizardPage {
public:
    explicit TWizardPage(TWizardButton& nextButton) : NextButton(nextButton) {}
    virtual ~TWizardPage() = default;
    TWizardPage(const TWizardPage&) = delete;
    TWizardPage& operator=(const TWizardPage&) = delete;

    // The page has just been created for its step: load from the working design and
    // enable or disable Next.
    virtual void PageEnter() {}
    // Next or Finish was pressed on this page: commit its input. Cannot refuse; an
    // incomplete page keeps Next disabled instead.
    virtual void PageExit() {}
    // Never called by the wizard.
    virtual void CommitChanges() {}
    virtual void PageCancel() {}
    // The wizard window closes (any way), or Cancel was confirmed: detach anything
    // attached in PageEnter. Harmless when called twice.
    virtual void Final() {}
    // Back was pressed on this page: keep what must survive going back.
    virtual void PageBack() {}

    // The page's widget refreshes itself from the logic after every change the
    // logic announces through Changed().
    void SetOnChanged(std::function<void()> handler) { FOnChanged = std::move(handler); }
    void Changed() {
        if (FOnChanged) FOnChanged();
    }

    int32_t DesignScreenHeight = 600;
    int32_t DesignScreenWidth = 800;
    TWizardButton& NextButton;
    TDesignState DesignState = dsNew;

private:
    std::function<void()> FOnChanged;
};

}  // namespace velmo
