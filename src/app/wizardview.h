#pragma once
// The design wizard's window: a page area above a navigation bar (Back, Next/Finish,
// Cancel). It renders TfrmWizard and forwards the buttons; each page's widget comes
// from CreatePageView when the logic creates the page.
#include <QDialog>

class QPushButton;
class QVBoxLayout;
class QWidget;

namespace velmo {

class TfrmWizard;
class TWizardButton;

class TfrmWizardView : public QDialog {
    Q_OBJECT
public:
    TfrmWizardView(TfrmWizard& wizard, QWidget* parent);
    ~TfrmWizardView() override;

    // Shows step `pageIndex` and runs the window modally; returns the wizard's Commit.
    bool Execute(int pageIndex);
    // Shows step `pageIndex` without running modally (widget tests).
    void Start(int pageIndex);

    QWidget* PageArea() const { return FPageArea; }
    QWidget* PageView() const { return FPageView; }
    QPushButton* NextButton() const { return FNext; }
    QPushButton* BackButton() const { return FBack; }
    QPushButton* CancelButton() const { return FCancel; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void reject() override;  // Escape: the same as Cancel

private:
    void PageCreated(class TWizardPage* page);
    static void Render(QPushButton* button, const TWizardButton& state);

    TfrmWizard& FWizard;
    QWidget* FPageArea = nullptr;
    QVBoxLayout* FPageLayout = nullptr;
    QWidget* FPageView = nullptr;
    QPushButton* FBack = nullptr;
    QPushButton* FNext = nullptr;
    QPushButton* FCancel = nullptr;
};

}  // namespace velmo
