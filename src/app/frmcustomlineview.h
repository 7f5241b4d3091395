#pragma once
// The modal dialog of the custom line: renders TfrmCustomLine and forwards every
// keystroke, Enter and field exit to it.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace velmo {

class TfrmCustomLine;

class TfrmCustomLineView : public QDialog {
public:
    TfrmCustomLineView(TfrmCustomLine& logic, QWidget* parent);
    ~TfrmCustomLineView() override;

    QLineEdit* Field(int index) const { return FEdits[index]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Refresh();
    void OkClicked();

    TfrmCustomLine& FLogic;
    QLineEdit* FEdits[3] = {};
    QLabel* FHint = nullptr;
    QPushButton* FOk = nullptr;
    QPushButton* FCancel = nullptr;
    bool FUpdating = false;
    bool FRefusedOnLeave = false;
};

}  // namespace velmo
