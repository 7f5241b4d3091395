#include "app/elevationviews.h"

#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/pageviewkit.h"
#include "app/patternplots.h"
#include "wizard/elevationpages.h"

namespace velmo {

namespace {

QRadioButton* NewRadio(const QString& text, const char* name, QWidget* parent) {
    auto* b = new QRadioButton(text, parent);
    b->setObjectName(name);
    b->setAccessibleName(QString(text).remove('&'));
    return b;
}

// A group of two exclusive choices, one above the other.
QGroupBox* ChoiceBox(const QString& title, const char* name, QRadioButton* a, QRadioButton* b,
                     QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(name);
    auto* row = new QVBoxLayout(box);
    a->setParent(box);
    b->setParent(box);
    row->addWidget(a);
    row->addWidget(b);
    return box;
}

void Check(QRadioButton* on, QRadioButton* off) {
    QSignalBlocker b1(on), b2(off);
    on->setChecked(true);
    off->setChecked(false);
}

TStepSpinBox* NewStepSpin(QWidget* parent, const char* name, const QString& accessibleName, int decimals,
                          double step) {
    auto* spin = new TStepSpinBox(parent);
    spin->setObjectName(name);
    spin->setAccessibleName(accessibleName);
    spin->setDecimals(decimals);
    spin->setSingleStep(step);
    return spin;
}

}  // namespace

TElevationViewBase::TElevationViewBase(TElevationPageBase& page, QWidget* parent)
    : QWidget(parent), FPage(page) {}

TElevationViewBase::~TElevationViewBase() { FPage.SetOnChanged(nullptr); }

void TElevationViewBase::BuildShared(QVBoxLayout* left, QVBoxLayout* right, const QString& title,
                                     QWidget*& gainBox) {
    auto* gains = new QGroupBox(title, this);
    gains->setObjectName("grpGain");
    gainBox = gains;
    auto* grid = new QGridLayout(gains);
    FGain = NewReadOnlyField(gains, "txtGain", "Main lobe gain, numeric");
    FMainLobe = NewReadOnlyField(gains, "txtMainLobedBd", "Main lobe gain, dBd");
    FHorzNum = NewReadOnlyField(gains, "txtHorzNum", "Horizontal gain, numeric");
    FHorzdBd = NewReadOnlyField(gains, "txtHorzdBd", "Horizontal gain, dBd");
    FBeamWidth = NewReadOnlyField(gains, "txtBeamWidth", "Beam width");
    grid->addWidget(new QLabel("Numeric", gains), 0, 1, Qt::AlignCenter);
    grid->addWidget(new QLabel("dBd", gains), 0, 2, Qt::AlignCenter);
    grid->addWidget(NewBuddyLabel("Main Lobe", FGain, gains), 1, 0);
    grid->addWidget(FGain, 1, 1);
    grid->addWidget(FMainLobe, 1, 2);
    grid->addWidget(NewBuddyLabel("Horizontal", FHorzNum, gains), 2, 0);
    grid->addWidget(FHorzNum, 2, 1);
    grid->addWidget(FHorzdBd, 2, 2);
    grid->addWidget(NewBuddyLabel("Beam Width", FBeamWidth, gains), 3, 0);
    grid->addWidget(FBeamWidth, 3, 1);
    left->addWidget(gains);

    FCaption = new QLabel(this);
    FCaption->setObjectName("lblPatternCaption");
    FCaption->setAlignment(Qt::AlignCenter);
    QFont f = FCaption->font();
    f.setBold(true);
    FCaption->setFont(f);
    right->addWidget(FCaption);
    FPlot = new TRectPlotView(this);
    right->addWidget(FPlot, 1);

    FRangeTen = NewRadio("-10 to 10", "rbRangeTen", this);
    FRangeNinety = NewRadio("-10 to 90", "rbRangeNinety", this);
    FPortrait = NewRadio("P&ortrait", "rbPortrait", this);
    FStretch = NewRadio("&Stretch", "rbStretch", this);
    FField = NewRadio("F&ield", "rbField", this);
    FdB = NewRadio("&dB", "rbdB", this);
    auto* choices = new QHBoxLayout;
    choices->addWidget(ChoiceBox("Range", "grpRange", FRangeTen, FRangeNinety, this));
    choices->addWidget(ChoiceBox("View", "grpView", FPortrait, FStretch, this));
    choices->addWidget(ChoiceBox("Units", "grpUnits", FField, FdB, this));
    right->addLayout(choices);

    left->addLayout(NewPointButtons(this, FCopy, FExport, FPrint));

    auto choose = [this](QRadioButton* b, std::function<void()> action) {
        connect(b, &QRadioButton::toggled, this, [action](bool on) {
            if (on) RunCommand(action);
        });
    };
    choose(FRangeTen, [this] { FPage.SetPatternRange(rtFiveToTen); });
    choose(FRangeNinety, [this] { FPage.SetPatternRange(FiveToNinety); });
    choose(FPortrait, [this] { FPage.SetPatternView(vtPortrait); });
    choose(FStretch, [this] { FPage.SetPatternView(vtStretch); });
    choose(FField, [this] { FPage.SetUnit(ptRF); });
    choose(FdB, [this] { FPage.SetUnit(ptRP); });
    connect(FCopy, &QPushButton::clicked, this, [this] { RunCommand([&] { FPage.CopyCurrentPattern(); }); });
    connect(FExport, &QPushButton::clicked, this, [this] { RunCommand([&] { FPage.ExportCurrentPattern(); }); });
    connect(FPrint, &QPushButton::clicked, this, [this] { RunCommand([&] { FPage.PrintPattern(); }); });
}

void TElevationViewBase::RefreshShared() {
    ShowText(FGain, FPage.GainText());
    ShowText(FMainLobe, FPage.MainLobeText());
    ShowText(FHorzNum, FPage.HorzNumText());
    ShowText(FHorzdBd, FPage.HorzdBdText());
    ShowText(FBeamWidth, FPage.BeamWidthText());
    if (FPage.RangeType() == rtFiveToTen)
        Check(FRangeTen, FRangeNinety);
    else
        Check(FRangeNinety, FRangeTen);
    if (FPage.ViewType() == vtPortrait)
        Check(FPortrait, FStretch);
    else
        Check(FStretch, FPortrait);
    if (FPage.Unit() == ptRF)
        Check(FField, FdB);
    else
        Check(FdB, FField);
    const bool shown = FPage.CurrentPattern() != nullptr;
    FCopy->setEnabled(shown);
    FExport->setEnabled(shown);
    FPrint->setEnabled(shown);
    FCaption->setText(Q(FPage.PatternCaption()));
    FPlot->SetPattern(FPage.CurrentPattern(), FPage.DrawInfo.Range, FPage.DrawInfo.ViewType, FPage.Unit());
}

// ---- TV ----

TfrmElevationView::TfrmElevationView(TfrmElevation& page, QWidget* parent)
    : TElevationViewBase(page, parent), FElevation(page) {
    setObjectName("TfrmElevationView");
    auto* row = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    FHorz = NewPatternList(this, "lstHorzPatterns", "Horizontal patterns");
    left->addWidget(NewBuddyLabel("Select &Horizontal Pattern", FHorz, this));
    left->addWidget(FHorz, 2);
    FVert = NewPatternList(this, "lstVertPatterns", "Vertical patterns");
    FVertCaption = NewBuddyLabel(QString("Select &Vertical Pattern"), FVert, this);
    left->addWidget(FVertCaption);
    left->addWidget(FVert, 1);
    QWidget* gainBox = nullptr;
    BuildShared(left, right, "Directivity:", gainBox);
    FBeamtilt = NewStepSpin(gainBox, "spnBeamtilt", "Beam tilt", 2, TfrmElevation::kBeamtiltStep);
    auto* grid = static_cast<QGridLayout*>(gainBox->layout());
    grid->addWidget(NewBuddyLabel("Beam &Tilt", FBeamtilt, gainBox), 3, 2);
    grid->addWidget(FBeamtilt, 3, 3);
    row->addLayout(left, 1);
    row->addLayout(right, 1);

    connect(FHorz, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item) RunCommand([&] { FElevation.OnHorzPatternSelection(FHorz->indexOfTopLevelItem(item)); });
    });
    connect(FVert, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item) RunCommand([&] { FElevation.OnVertPatternSelection(FVert->indexOfTopLevelItem(item)); });
    });
    FBeamtilt->OnStep = [this](int steps) { FElevation.StepBeamtilt(steps); };
    page.SetOnChanged([this] { Refresh(); });
    Refresh();
}

void TfrmElevationView::Refresh() {
    ShowPatternList(FHorz, FElevation.HorzLines(), FElevation.HorzIndex());
    ShowPatternList(FVert, FElevation.VertLines(), FElevation.VertIndex());
    FVertCaption->setVisible(FElevation.VertListVisible());
    FVert->setVisible(FElevation.VertListVisible());
    FBeamtilt->Show(FElevation.Beamtilt(), FElevation.BeamtiltMin(), FElevation.BeamtiltMax(),
                    FElevation.BeamtiltArrows() && FElevation.CurrentPattern());
    RefreshShared();
}

// ---- FM ----

TfrmFMElevationView::TfrmFMElevationView(TfrmFMElevation& page, QWidget* parent)
    : TElevationViewBase(page, parent), FElevation(page) {
    setObjectName("TfrmFMElevationView");
    auto* row = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    FList = NewPatternList(this, "lstFMPatterns", "Elevation patterns");
    left->addWidget(NewBuddyLabel("Se&lect Pattern", FList, this));
    left->addWidget(FList, 1);

    auto* inputs = new QGroupBox(this);
    inputs->setObjectName("grpInputs");
    auto* grid = new QGridLayout(inputs);
    FBeamtilt = NewStepSpin(inputs, "spnBeamtilt", "Beamtilt", 2, TfrmFMElevation::kTiltStep);
    FFirstFill = NewStepSpin(inputs, "spnFirstNullFill", "1st Null Fill %", 0, 1);
    FSecondFill = NewStepSpin(inputs, "spnSecondNullFill", "2nd Null Fill %", 0, 1);
    FSecondFillCaption = NewBuddyLabel("&2nd Null Fill %", FSecondFill, inputs);
    grid->addWidget(NewBuddyLabel("Beam&tilt", FBeamtilt, inputs), 0, 0);
    grid->addWidget(NewBuddyLabel("&1st Null Fill %", FFirstFill, inputs), 0, 1);
    grid->addWidget(FSecondFillCaption, 0, 2);
    grid->addWidget(FBeamtilt, 1, 0);
    grid->addWidget(FFirstFill, 1, 1);
    grid->addWidget(FSecondFill, 1, 2);
    left->addWidget(inputs);

    QWidget* gainBox = nullptr;
    BuildShared(left, right, "Power Gain:", gainBox);
    row->addLayout(left, 1);
    row->addLayout(right, 1);

    connect(FList, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item) RunCommand([&] { FElevation.OnFMPatternSelection(FList->indexOfTopLevelItem(item)); });
    });
    FBeamtilt->OnStep = [this](int steps) { FElevation.StepBeamtilt(steps); };
    FFirstFill->OnStep = [this](int steps) { FElevation.StepFirstNullFill(steps); };
    FSecondFill->OnStep = [this](int steps) { FElevation.StepSecondNullFill(steps); };
    page.SetOnChanged([this] { Refresh(); });
    Refresh();
}

void TfrmFMElevationView::Refresh() {
    ShowPatternList(FList, FElevation.FMLines(), FElevation.FMIndex());
    const bool shown = FElevation.CurrentPattern() != nullptr;
    FBeamtilt->Show(FElevation.Beamtilt(), TfrmFMElevation::kTiltMin, TfrmFMElevation::kTiltMax, shown);
    FFirstFill->Show(FElevation.FirstNullFill(), 0, TfrmFMElevation::kFirstFillMax, shown);
    FSecondFill->Show(FElevation.SecondNullFill(), 0, TfrmFMElevation::kSecondFillMax, shown);
    FSecondFill->setEnabled(FElevation.SecondNullFillEnabled());
    FSecondFillCaption->setEnabled(FElevation.SecondNullFillEnabled());
    RefreshShared();
}

}  // namespace velmo
