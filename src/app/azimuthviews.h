#pragma once
// The widgets of the azimuth pattern pages: they render the page logic and forward
// every user action to it.
#include <QWidget>

class QButtonGroup;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QVBoxLayout;

namespace velmo {

class TAzimuthPageBase;
class TfrmAzimuth;
class TfrmFMAzimuth;
class TPolarPlotView;

// The parts both azimuth widgets share: gain fields, rotation, unit, points buttons,
// caption and plot.
class TAzimuthViewBase : public QWidget {
public:
    TAzimuthViewBase(TAzimuthPageBase& page, QWidget* parent);
    ~TAzimuthViewBase() override;
    TPolarPlotView* Plot() const { return FPlot; }

protected:
    // Builds the shared controls below the page's own lists in `left`.
    void BuildShared(QVBoxLayout* left);
    void RefreshShared();

    TAzimuthPageBase& FPage;
    QLabel* FNote = nullptr;
    QLineEdit* FGain = nullptr;
    QLineEdit* FGaindB = nullptr;
    QDoubleSpinBox* FRotation = nullptr;
    QRadioButton* FField = nullptr;
    QRadioButton* FdB = nullptr;
    QPushButton* FCopy = nullptr;
    QPushButton* FExport = nullptr;
    QPushButton* FPrint = nullptr;
    QLabel* FCaption = nullptr;
    TPolarPlotView* FPlot = nullptr;
};

class TfrmAzimuthView : public TAzimuthViewBase {
public:
    TfrmAzimuthView(TfrmAzimuth& page, QWidget* parent);
    void Refresh();

private:
    TfrmAzimuth& FAzimuth;
    QTreeWidget* FHorz = nullptr;
    QLabel* FVertCaption = nullptr;
    QTreeWidget* FVert = nullptr;
};

class TfrmFMAzimuthView : public TAzimuthViewBase {
public:
    TfrmFMAzimuthView(TfrmFMAzimuth& page, QWidget* parent);
    void Refresh();

private:
    TfrmFMAzimuth& FAzimuth;
    QTreeWidget* FList = nullptr;
};

}  // namespace velmo
