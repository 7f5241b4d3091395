#include "app/optionsview.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/stepwidgets.h"
#include "base/numbers.h"
#include "wizard/fmoptions.h"
#include "wizard/options.h"

namespace velmo {

namespace {

QLabel* DescriptionLabel(QWidget* parent, const char* name) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setFrameShape(QFrame::StyledPanel);
    l->setMargin(4);
    // Room for the longest description without scrolling: about five lines.
    l->setMinimumHeight(l->fontMetrics().lineSpacing() * 5 + 10);
    l->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    return l;
}

void SetTextKeepingCursor(QLineEdit* edit, const std::string& text) {
    const QString t = ToQ(text);
    if (edit->text() == t) return;
    QSignalBlocker block(edit);
    edit->setText(t);
}

void Named(QWidget* w, const char* objectName, const QString& accessibleName) {
    w->setObjectName(QString::fromLatin1(objectName));
    w->setAccessibleName(accessibleName);
}

}  // namespace

// ---- TV ---------------------------------------------------------------------------------

TfrmOptionsView::TfrmOptionsView(TfrmOptions& page, QWidget* parent)
    : QWidget(parent), FPage(page) {
    setObjectName(QStringLiteral("TfrmOptionsView"));
    auto* grid = new QGridLayout(this);

    // Step 1 and 2, left column.
    QGroupBox* market = StepBox(1, "Select Broadcast Market", this);
    auto* marketLayout = new QVBoxLayout(market);
    FMarkets = std::make_unique<TRadioGroup>(market, marketLayout, 3, QStringLiteral("rbMarket"),
                                             [this](int i) { RunPageAction([&] { FPage.ClickMarket(i); }); Refresh(); });
    QGroupBox* channel = StepBox(2, "Select Channel", this);
    auto* channelLayout = new QVBoxLayout(channel);
    FChannels = std::make_unique<TChannelListView>(channel, QStringLiteral("Description"), [this](int i) {
        RunPageAction([&] { FPage.PickChannel(i); });
        Refresh();
    });
    channelLayout->addWidget(FChannels->Widget());
    auto* left = new QVBoxLayout;
    left->addWidget(market);
    left->addWidget(channel, 1);

    // Step 3, middle column.
    QGroupBox* family = StepBox(3, "Select Orvane Broadcast Antenna", this);
    auto* familyLayout = new QVBoxLayout(family);
    familyLayout->setSpacing(2);
    FFamilies = std::make_unique<TRadioGroup>(family, familyLayout, 11, QStringLiteral("rbFamily"),
                                              [this](int i) { RunPageAction([&] { FPage.ClickFamily(i); }); Refresh(); });
    FDescription = DescriptionLabel(family, "lblFamilyDescription");
    familyLayout->addSpacing(4);
    familyLayout->addWidget(FDescription);
    FCustomLabelCaption = new QLabel(QStringLiteral("Custom &label:"), family);
    FCustomLabel = new QLineEdit(family);
    Named(FCustomLabel, "edCustomLabel", QStringLiteral("Custom label"));
    FCustomLabelCaption->setBuddy(FCustomLabel);
    familyLayout->addWidget(FCustomLabelCaption);
    familyLayout->addWidget(FCustomLabel);
    familyLayout->addStretch(1);
    connect(FCustomLabel, &QLineEdit::textEdited, this,
            [this](const QString& t) { FPage.SetCustomLabelText(FromQ(t)); });

    // Steps 4 to 6, right column.
    QGroupBox* mount = StepBox(4, "Select Mounting Option", this);
    auto* mountLayout = new QVBoxLayout(mount);
    FMounts = std::make_unique<TRadioGroup>(mount, mountLayout, 2, QStringLiteral("rbMount"),
                                            [this](int i) { RunPageAction([&] { FPage.ClickMount(i); }); Refresh(); });
    FHighWind = new QCheckBox(QStringLiteral("Check box for high wind area.\n(Windspeed > 85 MPH)"), mount);
    Named(FHighWind, "cbHighWind", QStringLiteral("High wind area"));
    mountLayout->addWidget(FHighWind);
    connect(FHighWind, &QCheckBox::clicked, this, [this](bool on) { FPage.SetHighWind(on); });

    QGroupBox* pol = StepBox(5, "Select Polarization", this);
    auto* polLayout = new QVBoxLayout(pol);
    FPols = std::make_unique<TRadioGroup>(pol, polLayout, 2, QStringLiteral("rbPol"),
                                          [this](int i) { RunPageAction([&] { FPage.ClickPol(i); }); Refresh(); });
    auto* vertRow = new QHBoxLayout;
    FVerticalCaption = new QLabel(QStringLiteral("&Vertical component (%):"), pol);
    FVertical = new QSpinBox(pol);
    Named(FVertical, "seVerticalComponent", QStringLiteral("Vertical component in percent"));
    FVertical->setRange(0, 100);
    FVertical->setSingleStep(1);
    FVerticalCaption->setBuddy(FVertical);
    vertRow->addWidget(FVerticalCaption);
    vertRow->addWidget(FVertical);
    vertRow->addStretch(1);
    polLayout->addLayout(vertRow);
    connect(FVertical, &QSpinBox::valueChanged, this, [this](int v) { FPage.SetVerticalComponent(v); });

    QGroupBox* service = StepBox(6, "Select Service Type", this);
    auto* serviceLayout = new QVBoxLayout(service);
    FServices = std::make_unique<TRadioGroup>(service, serviceLayout, 2, QStringLiteral("rbService"),
                                              [this](int i) { RunPageAction([&] { FPage.ClickService(i); }); Refresh(); });
    FFMRow = new QWidget(service);
    auto* fmRow = new QGridLayout(FFMRow);
    fmRow->setContentsMargins(0, 0, 0, 0);
    auto* fmCaption = new QLabel(QStringLiteral("FM &frequency (MHz):"), FFMRow);
    FFMFrequency = new QLineEdit(FFMRow);
    Named(FFMFrequency, "edFMFrequency", QStringLiteral("FM frequency in MHz"));
    fmCaption->setBuddy(FFMFrequency);
    FReadNote = new QPushButton(QStringLiteral("! Please Read Note"), FFMRow);
    Named(FReadNote, "btnReadNote", QStringLiteral("Please read note"));
    FReadNote->setAutoDefault(false);
    fmRow->addWidget(fmCaption, 0, 0);
    fmRow->addWidget(FFMFrequency, 0, 1);
    fmRow->addWidget(FReadNote, 1, 0, 1, 2);
    serviceLayout->addWidget(FFMRow);
    connect(FFMFrequency, &QLineEdit::textEdited, this, [this](const QString& t) {
        FPage.SetFMFrequencyText(FromQ(t));
    });
    connect(FReadNote, &QPushButton::clicked, this, [this] { RunPageAction([&] { FPage.ShowReadNote(); }); });

    auto* right = new QVBoxLayout;
    right->addWidget(mount);
    right->addWidget(pol);
    right->addWidget(service);
    right->addStretch(1);

    grid->addLayout(left, 0, 0);
    grid->addWidget(family, 0, 1);
    grid->addLayout(right, 0, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 4);
    grid->setColumnStretch(2, 3);

    FPage.SetOnChanged([this] { Refresh(); });
    Refresh();
}

TfrmOptionsView::~TfrmOptionsView() { FPage.SetOnChanged(nullptr); }

void TfrmOptionsView::Refresh() {
    FMarkets->Render(FPage.MarketOptions());
    std::vector<std::pair<std::string, std::string>> rows;
    for (int i = 0; i < FPage.Channels().Count(); ++i)
        rows.emplace_back(FPage.Channels().Channel(i).ChannelNumber, FPage.Channels().Channel(i).Desc);
    FChannels->Render(rows, FPage.ChannelIndex());
    FFamilies->Render(FPage.FamilyOptions());
    FDescription->setText(ToQ(FPage.FamilyDescription()));
    FCustomLabelCaption->setVisible(FPage.CustomLabelVisible());
    FCustomLabel->setVisible(FPage.CustomLabelVisible());
    SetTextKeepingCursor(FCustomLabel, FPage.CustomLabelText());
    FMounts->Render(FPage.MountOptions());
    {
        QSignalBlocker block(FHighWind);
        FHighWind->setVisible(FPage.HighWindVisible());
        FHighWind->setChecked(FPage.PageData().HighWind);
    }
    FPols->Render(FPage.PolOptions());
    {
        QSignalBlocker block(FVertical);
        FVerticalCaption->setVisible(FPage.VerticalComponentVisible());
        FVertical->setVisible(FPage.VerticalComponentVisible());
        FVertical->setValue(static_cast<int>(FPage.PageData().VerticalComponent));
    }
    FServices->Render(FPage.ServiceOptions());
    FFMRow->setVisible(FPage.FMFrequencyVisible());
    SetTextKeepingCursor(FFMFrequency, FPage.FMFrequencyText());
}

// ---- FM ---------------------------------------------------------------------------------

TfrmFMOptionsView::TfrmFMOptionsView(TfrmFMOptions& page, QWidget* parent)
    : QWidget(parent), FPage(page) {
    setObjectName(QStringLiteral("TfrmFMOptionsView"));
    auto* grid = new QGridLayout(this);

    QGroupBox* channel = StepBox(1, "Select Channel", this);
    auto* channelLayout = new QVBoxLayout(channel);
    FChannels = std::make_unique<TChannelListView>(channel, QStringLiteral("MHz"), [this](int i) {
        RunPageAction([&] { FPage.PickChannel(i); });
        Refresh();
    });
    channelLayout->addWidget(FChannels->Widget());
    QGroupBox* pol = StepBox(2, "Select Polarization", this);
    auto* polLayout = new QVBoxLayout(pol);
    FPols = std::make_unique<TRadioGroup>(pol, polLayout, 3, QStringLiteral("rbPol"),
                                          [this](int i) { RunPageAction([&] { FPage.ClickPol(i); }); Refresh(); });
    auto* left = new QVBoxLayout;
    left->addWidget(channel, 1);
    left->addWidget(pol);

    QGroupBox* family = StepBox(3, "Select Orvane FM Antenna", this);
    auto* familyLayout = new QVBoxLayout(family);
    familyLayout->setSpacing(2);
    FFamilies = std::make_unique<TRadioGroup>(family, familyLayout, 9, QStringLiteral("rbFamily"),
                                              [this](int i) { RunPageAction([&] { FPage.ClickFamily(i); }); Refresh(); });
    FDescription = DescriptionLabel(family, "lblFamilyDescription");
    familyLayout->addSpacing(4);
    familyLayout->addWidget(FDescription);
    FCustomLabelCaption = new QLabel(QStringLiteral("Custom &label:"), family);
    FCustomLabel = new QLineEdit(family);
    Named(FCustomLabel, "edCustomLabel", QStringLiteral("Custom label"));
    FCustomLabelCaption->setBuddy(FCustomLabel);
    familyLayout->addWidget(FCustomLabelCaption);
    familyLayout->addWidget(FCustomLabel);
    familyLayout->addStretch(1);
    connect(FCustomLabel, &QLineEdit::textEdited, this,
            [this](const QString& t) { FPage.SetCustomLabelText(FromQ(t)); });

    QGroupBox* mount = StepBox(4, "Select Mounting Option", this);
    auto* mountLayout = new QVBoxLayout(mount);
    FMounts = std::make_unique<TRadioGroup>(mount, mountLayout, 2, QStringLiteral("rbMount"),
                                            [this](int i) { RunPageAction([&] { FPage.ClickMount(i); }); Refresh(); });
    QGroupBox* feed = StepBox(5, "Select Feed Option", this);
    auto* feedLayout = new QVBoxLayout(feed);
    FFeeds = std::make_unique<TRadioGroup>(feed, feedLayout, 3, QStringLiteral("rbFeed"),
                                           [this](int i) { RunPageAction([&] { FPage.ClickFeed(i); }); Refresh(); });
    QGroupBox* radome = StepBox(6, "Select Radome", this);
    auto* radomeLayout = new QVBoxLayout(radome);
    FRadome = new QCheckBox(QStringLiteral("Include &Radomes"), radome);
    Named(FRadome, "cbRadome", QStringLiteral("Include Radomes"));
    radomeLayout->addWidget(FRadome);
    connect(FRadome, &QCheckBox::clicked, this, [this](bool on) {
        RunPageAction([&] { FPage.SetRadome(on); });
        Refresh();
    });
    QGroupBox* deicer = StepBox(7, "Select Deicers", this);
    auto* deicerLayout = new QVBoxLayout(deicer);
    FDeicer = new QCheckBox(QStringLiteral("Include &Deicers"), deicer);
    Named(FDeicer, "cbDeicer", QStringLiteral("Include Deicers"));
    deicerLayout->addWidget(FDeicer);
    connect(FDeicer, &QCheckBox::clicked, this, [this](bool on) {
        RunPageAction([&] { FPage.SetDeicer(on); });
        Refresh();
    });

    QGroupBox* erp = StepBox(8, "Select Station Class or Type ERP", this);
    auto* erpLayout = new QGridLayout(erp);
    const auto& classes = TfrmFMOptions::StationClasses();
    for (size_t i = 0; i < classes.size(); ++i) {
        auto* b = new QPushButton(QString::fromUtf8(classes[i].Caption), erp);
        b->setObjectName(QStringLiteral("btnClass%1").arg(i));
        b->setAccessibleName(b->text());
        b->setAutoDefault(false);
        erpLayout->addWidget(b, static_cast<int>(i / 2), static_cast<int>(i % 2));
        const int index = static_cast<int>(i);
        connect(b, &QPushButton::clicked, this, [this, index] {
            RunPageAction([&] { FPage.PressStationClass(index); });
            Refresh();
        });
    }
    auto* erpRow = new QHBoxLayout;
    auto* erpCaption = new QLabel(QStringLiteral("Max &ERP"), erp);
    FERP = new QLineEdit(erp);
    Named(FERP, "edMaxERP", QStringLiteral("Max ERP in kW"));
    erpCaption->setBuddy(FERP);
    erpRow->addWidget(erpCaption);
    erpRow->addWidget(FERP, 1);
    erpRow->addWidget(new QLabel(QStringLiteral("kW"), erp));
    erpLayout->addLayout(erpRow, 3, 0, 1, 2);
    FERP->installEventFilter(this);
    connect(FERP, &QLineEdit::textEdited, this, [this](const QString& t) {
        RunPageAction([&] { FPage.SetERPText(FromQ(t)); });
        Refresh();
    });
    connect(FERP, &QLineEdit::editingFinished, this, [this] {
        RunPageAction([&] { FPage.ERPEditDone(); });
        Refresh();
    });

    auto* right = new QVBoxLayout;
    right->addWidget(mount);
    right->addWidget(feed);
    right->addWidget(radome);
    right->addWidget(deicer);
    right->addWidget(erp);
    right->addStretch(1);

    grid->addLayout(left, 0, 0);
    grid->addWidget(family, 0, 1);
    grid->addLayout(right, 0, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 4);
    grid->setColumnStretch(2, 3);

    FPage.SetOnChanged([this] { Refresh(); });
    Refresh();
}

TfrmFMOptionsView::~TfrmFMOptionsView() { FPage.SetOnChanged(nullptr); }

bool TfrmFMOptionsView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FERP) {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            const QString t = key->text();
            // Only printable keys are filtered: arrows, Tab, Enter and shortcuts pass.
            if (t.size() == 1 && t[0].isPrint() && !(key->modifiers() & Qt::ControlModifier) &&
                !TfrmFMOptions::ERPKeyAccepted(t[0].unicode() < 128 ? static_cast<char>(t[0].unicode()) : 'x'))
                return true;
        } else if (event->type() == QEvent::FocusIn) {
            QTimer::singleShot(0, FERP, [this] { FERP->selectAll(); });
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmFMOptionsView::Refresh() {
    std::vector<std::pair<std::string, std::string>> rows;
    for (int i = 0; i < FPage.Channels().Count(); ++i)
        rows.emplace_back(FPage.Channels().Channel(i).ChannelNumber,
                          FormatGeneral(FPage.Channels().Channel(i).MidFreq));
    FChannels->Render(rows, FPage.ChannelIndex());
    FPols->Render(FPage.PolOptions());
    FFamilies->Render(FPage.FamilyOptions());
    FDescription->setText(ToQ(FPage.FamilyDescription()));
    FCustomLabelCaption->setVisible(FPage.CustomLabelVisible());
    FCustomLabel->setVisible(FPage.CustomLabelVisible());
    SetTextKeepingCursor(FCustomLabel, FPage.CustomLabelText());
    FMounts->Render(FPage.MountOptions());
    FFeeds->Render(FPage.FeedOptions());
    {
        QSignalBlocker a(FRadome);
        FRadome->setEnabled(FPage.RadomeEnabled());
        FRadome->setChecked(FPage.RadomeChecked());
        QSignalBlocker b(FDeicer);
        FDeicer->setEnabled(FPage.DeicerEnabled());
        FDeicer->setChecked(FPage.DeicerChecked());
    }
    SetTextKeepingCursor(FERP, FPage.ERPText());
}

}  // namespace velmo
