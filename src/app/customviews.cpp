#include "app/customviews.h"

#include <algorithm>

#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/pageviewkit.h"
#include "wizard/custompages.h"

namespace velmo {

namespace {

// A caption, the gain entry and its decibel field in one row of `grid`.
QLabel* GainRow(QWidget* parent, QGridLayout* grid, int row, const QString& caption, const QString& dBCaption,
                const char* entryName, const char* dBName, QLineEdit*& entry, QLineEdit*& dB) {
    entry = new QLineEdit(parent);
    entry->setObjectName(entryName);
    entry->setAccessibleName(QString(caption).simplified());
    entry->setAlignment(Qt::AlignRight);
    dB = NewReadOnlyField(parent, dBName, QString(caption).simplified() + ", " + dBCaption);
    QLabel* label = NewBuddyLabel(caption, entry, parent);
    grid->addWidget(label, row, 0);
    grid->addWidget(entry, row, 1);
    grid->addWidget(dB, row, 2);
    grid->addWidget(NewBuddyLabel(dBCaption, dB, parent), row, 3);
    return label;
}

}  // namespace

TCustomPatternView::TCustomPatternView(TCustomPageBase& page, const QString& title,
                                       const QString& horzCaption, const QString& vertCaption,
                                       const QString& dBCaption,
                                       std::function<void(const std::string&)> onHorz,
                                       std::function<void(const std::string&)> onVert, QWidget* parent)
    : QWidget(parent), FPage(page) {
    auto* column = new QVBoxLayout(this);
    auto* heading = new QLabel(title, this);
    heading->setObjectName("lblTitle");
    QFont f = heading->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.5);
    heading->setFont(f);
    column->addWidget(heading);

    auto* horzPanel = new QWidget(this);
    auto* horzGrid = new QGridLayout(horzPanel);
    QLabel* horzLabel =
        GainRow(horzPanel, horzGrid, 0, horzCaption, dBCaption, "txtHorzGain", "txtHorzGaindB", FHorz, FHorzdB);
    column->addWidget(horzPanel);
    connect(FHorz, &QLineEdit::textEdited, this, [onHorz](const QString& text) {
        RunAction([&] { onHorz(text.toStdString()); });
    });

    if (onVert) {
        FVertPanel = new QWidget(this);
        FVertPanel->setObjectName("pnlVertical");
        auto* vertGrid = new QGridLayout(FVertPanel);
        QLabel* vertLabel =
            GainRow(FVertPanel, vertGrid, 0, vertCaption, dBCaption, "txtVertGain", "txtVertGaindB", FVert, FVertdB);
        // The two rows line up.
        const int w = std::max(horzLabel->sizeHint().width(), vertLabel->sizeHint().width());
        horzLabel->setMinimumWidth(w);
        vertLabel->setMinimumWidth(w);
        column->addWidget(FVertPanel);
        connect(FVert, &QLineEdit::textEdited, this, [onVert](const QString& text) {
            RunAction([&] { onVert(text.toStdString()); });
        });
    }
    column->addStretch(1);
    page.SetOnChanged([this] { Refresh(); });
    Refresh();
}

TCustomPatternView::~TCustomPatternView() { FPage.SetOnChanged(nullptr); }

void TCustomPatternView::Refresh() {
    ShowText(FHorz, FPage.HorzField().Text);
    ShowText(FHorzdB, FPage.HorzField().dBText);
    if (FVertPanel) {
        FVertPanel->setVisible(FPage.VertVisible());
        ShowText(FVert, FPage.VertField().Text);
        ShowText(FVertdB, FPage.VertField().dBText);
    }
}

QWidget* CreateCustomPageView(TWizardPage& page, QWidget* parent) {
    const QString horz = "Enter Horizontal  Gain Value";
    const QString vert = "Enter Vertical  Gain Value";
    if (auto* p = dynamic_cast<TfrmCustomAzimuth*>(&page)) {
        auto* v = new TCustomPatternView(
            *p, TfrmCustomAzimuth::kTitle, horz, vert, "dB", [p](const std::string& t) { p->txtAzHorzGainChange(t); },
            [p](const std::string& t) { p->txtAzVertGainChange(t); }, parent);
        v->setObjectName("TfrmCustomAzimuthView");
        return v;
    }
    if (auto* p = dynamic_cast<TfrmFMCustomAzimuth*>(&page)) {
        auto* v = new TCustomPatternView(
            *p, TfrmFMCustomAzimuth::kTitle, "Enter Azimuth  Gain Value", "", "dB",
            [p](const std::string& t) { p->txtAzFMGainChange(t); }, nullptr, parent);
        v->setObjectName("TfrmFMCustomAzimuthView");
        return v;
    }
    if (auto* p = dynamic_cast<TfrmCustomElevation*>(&page)) {
        auto* v = new TCustomPatternView(
            *p, TfrmCustomElevation::kTitle, horz, vert, "dBd", [p](const std::string& t) { p->txtHorzGainChange(t); },
            [p](const std::string& t) { p->txtVertGainChange(t); }, parent);
        v->setObjectName("TfrmCustomElevationView");
        return v;
    }
    if (auto* p = dynamic_cast<TfrmFMCustomElevation*>(&page)) {
        auto* v = new TCustomPatternView(
            *p, TfrmFMCustomElevation::kTitle, "Enter Elevation  Gain Value", "", "dBd",
            [p](const std::string& t) { p->txtFMGainChange(t); }, nullptr, parent);
        v->setObjectName("TfrmFMCustomElevationView");
        return v;
    }
    return nullptr;
}

}  // namespace velmo
