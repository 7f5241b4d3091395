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

// The three columns of both pages: steps on the left, the family in the middle (the
// widest, for its description), steps on the right.
void PlaceColumns(QGridLayout* grid, QLayout* left, QWidget* family, QLayout* right) {
    grid->addLayout(left, 0, 0);
    grid->addWidget(family, 0, 1);
    grid->addLayout(right, 0, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 4);
    grid->setColumnStretch(2, 3);
}

}  // namespace

// Step 3 of both pages: the family options, the chosen family's description and the
// custom label box.
class TFamilyBox {
public:
    TFamilyBox(const char* caption, int count, QWidget* parent, std::function<void(int)> onClick,
               std::function<void(const std::string&)> onLabelEdited) {
        FBox = StepBox(3, caption, parent);
        auto* layout = new QVBoxLayout(FBox);
        layout->setSpacing(2);
        FFamilies = std::make_unique<TRadioGroup>(FBox, layout, count, QStringLiteral("rbFamily"),
                                                  std::move(onClick));
        FDescription = DescriptionLabel(FBox, "lblFamilyDescription");
        layout->addSpacing(4);
        layout->addWidget(FDescription);
        FLabelCaption = new QLabel(QStringLiteral("Custom &label:"), FBox);
        FLabel = new QLineEdit(FBox);
        Named(FLabel, "edCustomLabel", QStringLiteral("Custom label"));
        FLabelCaption->setBuddy(FLabel);
        layout->addWidget(FLabelCaption);
        layout->addWidget(FLabel);
        layout->addStretch(1);
        QObject::connect(FLabel, &QLineEdit::textEdited, FBox,
                         [edited = std::move(onLabelEdited)](const QString& t) { edited(FromQ(t)); });
    }
    QGroupBox* Box() const { return FBox; }

    template <class Page>
    void Render(const Page& page) {
        FFamilies->Render(page.FamilyOptions());
        FDescription->setText(ToQ(page.FamilyDescription()));
        FLabelCaption->setVisible(page.CustomLabelVisible());
        FLabel->setVisible(page.CustomLabelVisible());
        SetTextKeepingCursor(FLabel, page.CustomLabelText());
    }

private:
    QGroupBox* FBox = nullptr;
    std::unique_ptr<TRadioGroup> FFamilies;
    QLabel* FDescription = nullptr;
    QLabel* FLabelCaption = nullptr;
    QLineEdit* FLabel = nullptr;
};

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
    FFamily = std::make_unique<TFamilyBox>(
        "Select Orvane Broadcast Antenna", 11, this,
        [this](int i) { RunPageAction([&] { FPage.ClickFamily(i); }); Refresh(); },
        [this](const std::string& t) { FPage.SetCustomLabelText(t); });

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

    PlaceColumns(grid, left, FFamily->Box(), right);

    FPage.SetOnChanged([this] { Refresh(); });
    Refresh();
}

TfrmOptionsView::~TfrmOptionsView() { FPage.SetOnChanged(nullptr); }

void TfrmOptionsView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (FFocusSet) return;
    FFocusSet = true;
    const int market = SelectedIndex(FPage.MarketOptions());
    FMarkets->Button(market < 0 ? 0 : market)->setFocus(Qt::OtherFocusReason);
}

void TfrmOptionsView::Refresh() {
    FMarkets->Render(FPage.MarketOptions());
    std::vector<std::pair<std::string, std::string>> rows;
    for (int i = 0; i < FPage.Channels().Count(); ++i)
        rows.emplace_back(FPage.Channels().Channel(i).ChannelNumber, FPage.Channels().Channel(i).Desc);
    FChannels->Render(rows, FPage.ChannelIndex());
    FFamily->Render(FPage);
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

    FFamily = std::make_unique<TFamilyBox>(
        "Select Orvane FM Antenna", 9, this,
        [this](int i) { RunPageAction([&] { FPage.ClickFamily(i); }); Refresh(); },
        [this](const std::string& t) { FPage.SetCustomLabelText(t); });

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

    PlaceColumns(grid, left, FFamily->Box(), right);

    FPage.SetOnChanged([this] { Refresh(); });
    Refresh();
}

TfrmFMOptionsView::~TfrmFMOptionsView() { FPage.SetOnChanged(nullptr); }

void TfrmFMOptionsView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (FFocusSet) return;
    FFocusSet = true;
    FChannels->Widget()->setFocus(Qt::OtherFocusReason);
}

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
    FFamily->Render(FPage);
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
