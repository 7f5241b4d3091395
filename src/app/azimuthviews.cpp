#include "app/azimuthviews.h"

#include <QButtonGroup>
#include <QDoubleSpinBox>
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
#include "wizard/azimuthpages.h"

namespace velmo {

TAzimuthViewBase::TAzimuthViewBase(TAzimuthPageBase& page, QWidget* parent)
    : QWidget(parent), FPage(page) {}

TAzimuthViewBase::~TAzimuthViewBase() { FPage.SetOnChanged(nullptr); }

void TAzimuthViewBase::BuildShared(QVBoxLayout* left) {
    FNote = new QLabel(this);
    FNote->setObjectName("lblNote");
    FNote->setWordWrap(true);
    left->addWidget(FNote);

    auto* gains = new QGroupBox("Directivity", this);
    gains->setObjectName("grpDirectivity");
    auto* grid = new QGridLayout(gains);
    FGain = NewReadOnlyField(gains, "txtGain", "Directivity, numeric");
    FGaindB = NewReadOnlyField(gains, "txtGaindB", "Directivity, dB");
    grid->addWidget(NewBuddyLabel("Numeric", FGain, gains), 0, 0);
    grid->addWidget(FGain, 0, 1);
    grid->addWidget(NewBuddyLabel("db", FGaindB, gains), 0, 2);
    grid->addWidget(FGaindB, 0, 3);

    FRotation = new QDoubleSpinBox(this);
    FRotation->setObjectName("spnRotation");
    FRotation->setAccessibleName("Rotation");
    FRotation->setDecimals(1);
    FRotation->setRange(-999.9, 9999.9);
    FRotation->setSingleStep(1);
    FRotation->setKeyboardTracking(true);
    grid->addWidget(NewBuddyLabel("&Rotation", FRotation, gains), 1, 0);
    grid->addWidget(FRotation, 1, 1);

    auto* unitBox = new QWidget(gains);
    auto* unitRow = new QHBoxLayout(unitBox);
    unitRow->setContentsMargins(0, 0, 0, 0);
    FField = new QRadioButton("F&ield", unitBox);
    FField->setObjectName("rbField");
    FField->setAccessibleName("Field");
    FdB = new QRadioButton("&dB", unitBox);
    FdB->setObjectName("rbdB");
    FdB->setAccessibleName("dB");
    unitRow->addWidget(FField);
    unitRow->addWidget(FdB);
    grid->addWidget(unitBox, 1, 2, 1, 2);
    left->addWidget(gains);

    left->addLayout(NewPointButtons(this, FCopy, FExport, FPrint));

    connect(FRotation, &QDoubleSpinBox::valueChanged, this,
            [this](double v) { RunCommand([&] { FPage.SetRotation(v); }); });
    connect(FRotation, &QDoubleSpinBox::editingFinished, this, [this] {
        QSignalBlocker block(FRotation);
        FRotation->setValue(FPage.Rotation());
    });
    connect(FField, &QRadioButton::toggled, this, [this](bool on) {
        if (on) RunCommand([&] { FPage.SetUnit(ptRF); });
    });
    connect(FdB, &QRadioButton::toggled, this, [this](bool on) {
        if (on) RunCommand([&] { FPage.SetUnit(ptRP); });
    });
    connect(FCopy, &QPushButton::clicked, this, [this] { RunCommand([&] { FPage.CopyCurrentPattern(); }); });
    connect(FExport, &QPushButton::clicked, this, [this] { RunCommand([&] { FPage.ExportCurrentPattern(); }); });
    connect(FPrint, &QPushButton::clicked, this, [this] { RunCommand([&] { FPage.PrintPattern(); }); });
}

// The caption above the plot and the plot, in the right column.
static QVBoxLayout* PlotColumn(QWidget* owner, QLabel*& caption, TPolarPlotView*& plot) {
    auto* right = new QVBoxLayout;
    caption = new QLabel(owner);
    caption->setObjectName("lblPatternCaption");
    caption->setAlignment(Qt::AlignCenter);
    QFont f = caption->font();
    f.setBold(true);
    caption->setFont(f);
    right->addWidget(caption);
    plot = new TPolarPlotView(owner);
    right->addWidget(plot, 1);
    return right;
}

void TAzimuthViewBase::RefreshShared() {
    ShowText(FGain, FPage.GainText());
    ShowText(FGaindB, FPage.GaindBText());
    if (!FRotation->hasFocus() && FRotation->value() != FPage.RotationEntry()) {
        QSignalBlocker block(FRotation);
        FRotation->setValue(FPage.RotationEntry());
    }
    {
        QSignalBlocker b1(FField), b2(FdB);
        FField->setChecked(FPage.Unit() == ptRF);
        FdB->setChecked(FPage.Unit() == ptRP);
    }
    const bool shown = FPage.CurrentPattern() != nullptr;
    FCopy->setEnabled(shown);
    FExport->setEnabled(shown);
    FPrint->setEnabled(shown);
    FCaption->setText(Q(FPage.PatternCaption()));
    FPlot->SetPattern(FPage.CurrentPattern(), FPage.Unit());
}

// ---- TV ----

TfrmAzimuthView::TfrmAzimuthView(TfrmAzimuth& page, QWidget* parent)
    : TAzimuthViewBase(page, parent), FAzimuth(page) {
    setObjectName("TfrmAzimuthView");
    auto* row = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    FHorz = NewPatternList(this, "lstHorzPatterns", "Horizontal patterns");
    left->addWidget(NewBuddyLabel("Select &Horizontal Pattern", FHorz, this));
    left->addWidget(FHorz, 2);
    FVert = NewPatternList(this, "lstVertPatterns", "Vertical patterns");
    FVertCaption = NewBuddyLabel(QString("Select &Vertical Pattern"), FVert, this);
    left->addWidget(FVertCaption);
    left->addWidget(FVert, 1);
    BuildShared(left);
    FNote->setText(TfrmAzimuth::kNote);
    row->addLayout(left, 2);
    row->addLayout(PlotColumn(this, FCaption, FPlot), 3);

    connect(FHorz, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item) RunCommand([&] { FAzimuth.OnHorzPatternSelection(FHorz->indexOfTopLevelItem(item)); });
    });
    connect(FVert, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item) RunCommand([&] { FAzimuth.OnVertPatternSelection(FVert->indexOfTopLevelItem(item)); });
    });
    page.SetOnChanged([this] { Refresh(); });
    Refresh();
}

void TfrmAzimuthView::Refresh() {
    ShowPatternList(FHorz, FAzimuth.HorzLines(), FAzimuth.HorzIndex());
    ShowPatternList(FVert, FAzimuth.VertLines(), FAzimuth.VertIndex());
    FVertCaption->setVisible(FAzimuth.VertListVisible());
    FVert->setVisible(FAzimuth.VertListVisible());
    FNote->setVisible(FAzimuth.NoteVisible());
    RefreshShared();
}

// ---- FM ----

TfrmFMAzimuthView::TfrmFMAzimuthView(TfrmFMAzimuth& page, QWidget* parent)
    : TAzimuthViewBase(page, parent), FAzimuth(page) {
    setObjectName("TfrmFMAzimuthView");
    auto* row = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    FList = NewPatternList(this, "lstFMPatterns", "Azimuth patterns");
    left->addWidget(NewBuddyLabel("Se&lect Pattern", FList, this));
    left->addWidget(FList, 1);
    BuildShared(left);
    FNote->setText(TfrmFMAzimuth::kNote);
    row->addLayout(left, 2);
    row->addLayout(PlotColumn(this, FCaption, FPlot), 3);

    connect(FList, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item) RunCommand([&] { FAzimuth.OnFMPatternSelection(FList->indexOfTopLevelItem(item)); });
    });
    page.SetOnChanged([this] { Refresh(); });
    Refresh();
}

void TfrmFMAzimuthView::Refresh() {
    ShowPatternList(FList, FAzimuth.FMLines(), FAzimuth.FMIndex());
    RefreshShared();
}

}  // namespace velmo
