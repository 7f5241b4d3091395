#pragma once
// The design information dialog: renders TfrmDesignInfo and forwards every edit.
#include <QDialog>

class QDate;
class QDateEdit;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace velmo {

class TfrmDesignInfo;

class TfrmDesignInfoView : public QDialog {
    Q_OBJECT
public:
    TfrmDesignInfoView(TfrmDesignInfo& logic, QWidget* parent);
    ~TfrmDesignInfoView() override;

    QPushButton* OkButton() const { return FOk; }
    QPushButton* TVButton() const { return FTV; }
    QPushButton* FMButton() const { return FFM; }

    // Shows the dialog modally; true when it was closed with OK.
    bool Execute();

private:
    void Refresh();
    void Accept();

    TfrmDesignInfo& FLogic;
    QLineEdit* FCompany = nullptr;
    QLineEdit* FAddress = nullptr;
    QLineEdit* FLocation = nullptr;
    QLineEdit* FSpecNo = nullptr;
    QDateEdit* FDate = nullptr;
    QLineEdit* FDesigner = nullptr;
    QPlainTextEdit* FNotes = nullptr;
    QPushButton* FTV = nullptr;
    QPushButton* FFM = nullptr;
    QPushButton* FOk = nullptr;
    QPushButton* FCancel = nullptr;
    bool FRefreshing = false;
};

// A day number as a QDate.
QDate DayNumberToQDate(double date);

}  // namespace velmo
