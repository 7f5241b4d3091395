#pragma once
// The widget of the transmission line page: the catalog grid, the run lengths and the
// aural percentage. It renders TfrmLines and forwards every user action to it.
#include <QWidget>

#include "wizard/frmcustomline.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTableWidget;

namespace velmo {

class TfrmLines;

class TfrmLinesView : public QWidget {
public:
    TfrmLinesView(TfrmLines& logic, QWidget* parent);
    ~TfrmLinesView() override;

    QTableWidget* Grid() const { return FGrid; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Refresh();
    void SetGridColWidths();

    TfrmLines& FLogic;
    TCustomLineDialogHook FOldHook;
    QLabel* FHeading = nullptr;
    QTableWidget* FGrid = nullptr;
    QLabel* FTotalLines = nullptr;
    QSpinBox* FVertLength = nullptr;
    QSpinBox* FHorzLength = nullptr;
    QLineEdit* FTotalLength = nullptr;
    QWidget* FAuralBox = nullptr;
    QSpinBox* FAural = nullptr;
    QLabel* FInputLabel = nullptr;
    QComboBox* FInputSize = nullptr;
    bool FUpdating = false;
    int FSizing = 0;
};

}  // namespace velmo
