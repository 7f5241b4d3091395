#pragma once
// The start dialog: renders TfrmStartOption and forwards the choices.
#include <QDialog>

class QListWidget;
class QPushButton;
class QRadioButton;

namespace velmo {

class TfrmStartOption;

class TfrmStartOptionView : public QDialog {
    Q_OBJECT
public:
    TfrmStartOptionView(TfrmStartOption& logic, QWidget* parent);
    ~TfrmStartOptionView() override;
    bool Execute();

    QListWidget* List() const { return FList; }

private:
    void Refresh();
    void Finish();

    TfrmStartOption& FLogic;
    QRadioButton* FNew = nullptr;
    QRadioButton* FOpen = nullptr;
    QListWidget* FList = nullptr;
    QPushButton* FOk = nullptr;
    QPushButton* FCancel = nullptr;
    bool FRefreshing = false;
};

}  // namespace velmo
