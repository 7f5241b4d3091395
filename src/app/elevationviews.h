#pragma once
// The widgets of the elevation pattern pages: they render the page logic and forward
// every user action to it.
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QVBoxLayout;

namespace velmo {

class TElevationPageBase;
class TfrmElevation;
class TfrmFMElevation;
class TRectPlotView;
class TStepSpinBox;

// The parts both elevation widgets share: gain fields, range, view and unit choices,
// points buttons, caption and plot.
class TElevationViewBase : public QWidget {
public:
    TElevationViewBase(TElevationPageBase& page, QWidget* parent);
    ~TElevationViewBase() override;
    TRectPlotView* Plot() const { return FPlot; }

protected:
    // The gain grid under `title`, the choices and the buttons, into `left`; the
    // caption and the plot into `right`.
    void BuildShared(QVBoxLayout* left, QVBoxLayout* right, const QString& title, QWidget*& gainBox);
    void RefreshShared();

    TElevationPageBase& FPage;
    QLineEdit* FMainLobe = nullptr;
    QLineEdit* FGain = nullptr;
    QLineEdit* FHorzdBd = nullptr;
    QLineEdit* FHorzNum = nullptr;
    QLineEdit* FBeamWidth = nullptr;
    QRadioButton* FRangeTen = nullptr;
    QRadioButton* FRangeNinety = nullptr;
    QRadioButton* FPortrait = nullptr;
    QRadioButton* FStretch = nullptr;
    QRadioButton* FField = nullptr;
    QRadioButton* FdB = nullptr;
    QPushButton* FCopy = nullptr;
    QPushButton* FExport = nullptr;
    QPushButton* FPrint = nullptr;
    QLabel* FCaption = nullptr;
    TRectPlotView* FPlot = nullptr;
};

class TfrmElevationView : public TElevationViewBase {
public:
    TfrmElevationView(TfrmElevation& page, QWidget* parent);
    void Refresh();

private:
    TfrmElevation& FElevation;
    QTreeWidget* FHorz = nullptr;
    QLabel* FVertCaption = nullptr;
    QTreeWidget* FVert = nullptr;
    TStepSpinBox* FBeamtilt = nullptr;
};

class TfrmFMElevationView : public TElevationViewBase {
public:
    TfrmFMElevationView(TfrmFMElevation& page, QWidget* parent);
    void Refresh();

private:
    TfrmFMElevation& FElevation;
    QTreeWidget* FList = nullptr;
    TStepSpinBox* FBeamtilt = nullptr;
    TStepSpinBox* FFirstFill = nullptr;
    QLabel* FSecondFillCaption = nullptr;
    TStepSpinBox* FSecondFill = nullptr;
};

}  // namespace velmo
