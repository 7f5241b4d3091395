#include "app/frmanalysisview.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include "app/schematicwidget.h"
#include "app/viewguard.h"

namespace velmo {

namespace {

// An entry of the analysis pages: takes only the keys the page accepts, selects its
// whole text on entering, and commits on Enter and on leaving.
class TAnalysisEntry : public QLineEdit {
public:
    TAnalysisEntry(TAnalysisPageBase& logic, TAnalysisField field, QWidget* parent)
        : QLineEdit(parent), FLogic(logic), FField(field) {
        connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
            RunGuarded([&] { FLogic.EditEntry(FField, text.toStdString()); });
        });
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const QString text = event->text();
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            RunGuarded([&] { FLogic.CommitEntry(FField); });
            selectAll();
            return;
        }
        // Printable keys other than the accepted ones are ignored; editing and
        // navigation keys (arrows, Delete, Home, End, shortcuts) work as usual.
        const bool printable = text.size() == 1 && text[0].isPrint() &&
                               !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (printable && !TAnalysisPageBase::EntryAcceptsKey(text[0].toLatin1())) return;
        QLineEdit::keyPressEvent(event);
    }
    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        QTimer::singleShot(0, this, [this] { selectAll(); });
    }
    void focusOutEvent(QFocusEvent* event) override {
        QLineEdit::focusOutEvent(event);
        RunGuarded([&] { FLogic.LeaveEntry(FField); });
    }

private:
    TAnalysisPageBase& FLogic;
    TAnalysisField FField;
};

// The ratio spin field: steps of 1 with its buttons or the arrow keys, never typed.
class TRatioSpinBox : public QSpinBox {
public:
    explicit TRatioSpinBox(QWidget* parent) : QSpinBox(parent) { lineEdit()->setReadOnly(true); }
};

QLabel* Caption(const QString& text, QWidget* parent, Qt::Alignment align = Qt::AlignLeft) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(align | Qt::AlignVCenter);
    return label;
}

}  // namespace

TAnalysisViewBase::TAnalysisViewBase(TAnalysisPageBase& logic, QWidget* parent)
    : QWidget(parent), FLogic(logic) {
    const bool fm = logic.IsFM();
    setObjectName(fm ? "frmFMAnalysis" : "frmAnalysis");
    auto* outer = new QVBoxLayout(this);

    FHeading = new QLabel(logic.Heading(), this);
    FHeading->setObjectName("lblHeading");
    QFont headingFont = FHeading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.4);
    FHeading->setFont(headingFont);
    outer->addWidget(FHeading);

    auto* columns = new QHBoxLayout;
    outer->addLayout(columns, 1);
    auto* left = new QVBoxLayout;
    auto* middle = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    columns->addLayout(left, 3);
    columns->addLayout(middle, 3);
    columns->addLayout(right, 3);

    // Effective Radiated Power.
    auto* erp = new QGroupBox("Effective Radiated Power (ERP)", this);
    auto* erpGrid = new QGridLayout(erp);
    FERPCaptionHorz = Caption("Horizontal", erp, Qt::AlignHCenter);
    erpGrid->addWidget(FERPCaptionHorz, 0, 1);
    auto* erpKw = Caption("&kW:", erp);
    auto* erpDbk = Caption("dBk:", erp);
    erpGrid->addWidget(erpKw, 1, 0);
    erpGrid->addWidget(erpDbk, 2, 0);
    erpGrid->addWidget(MakeField(afERPkWHorz, "edtERPkWHorz", "ERP horizontal kW"), 1, 1);
    erpGrid->addWidget(MakeField(afERPdBkHorz, "edtERPdBkHorz", "ERP horizontal dBk"), 2, 1);
    erpKw->setBuddy(FEdits[afERPkWHorz]);
    if (!fm) {
        FERPCaptionVert = Caption("Vertical", erp, Qt::AlignHCenter);
        erpGrid->addWidget(FERPCaptionVert, 0, 2);
        erpGrid->addWidget(MakeField(afERPkWVert, "edtERPkWVert", "ERP vertical kW"), 1, 2);
        erpGrid->addWidget(MakeField(afERPdBkVert, "edtERPdBkVert", "ERP vertical dBk"), 2, 2);
        FRatioCaption = Caption("Vertical / Horizotal &Ratio:", erp);
        FRatio = new TRatioSpinBox(erp);
        FRatio->setObjectName("spnVerticalRatio");
        FRatio->setAccessibleName("Vertical / Horizontal Ratio");
        FRatio->setRange(TfrmAnalysis::MinRatio, TfrmAnalysis::MaxRatio);
        FRatio->setSingleStep(1);
        FRatio->setAlignment(Qt::AlignRight);
        FRatioCaption->setBuddy(FRatio);
        erpGrid->addWidget(FRatioCaption, 3, 0, 1, 2);
        erpGrid->addWidget(FRatio, 3, 2);
    }
    left->addWidget(erp);

    // Antenna power gain.
    auto* gain = new QGroupBox("Antenna Power Gain", this);
    auto* gainGrid = new QGridLayout(gain);
    if (!fm) {
        FGainCaptionHorz = Caption("Horizontal", gain, Qt::AlignHCenter);
        FGainCaptionVert = Caption("Vertical", gain, Qt::AlignHCenter);
        gainGrid->addWidget(FGainCaptionHorz, 0, 1);
        gainGrid->addWidget(FGainCaptionVert, 0, 2);
    }
    gainGrid->addWidget(Caption("Ratio:", gain), 1, 0);
    gainGrid->addWidget(Caption("dBd:", gain), 2, 0);
    gainGrid->addWidget(MakeField(afGainRatioHorz, "edtGainRatioHorz", "Antenna power gain ratio"), 1, 1);
    gainGrid->addWidget(MakeField(afGaindBdHorz, "edtGaindBdHorz", "Antenna power gain dBd"), 2, 1);
    if (!fm) {
        gainGrid->addWidget(MakeField(afGainRatioVert, "edtGainRatioVert", "Antenna power gain ratio vertical"), 1, 2);
        gainGrid->addWidget(MakeField(afGaindBdVert, "edtGaindBdVert", "Antenna power gain dBd vertical"), 2, 2);
    }
    left->addWidget(gain);

    // Antenna input.
    auto* input = new QGroupBox("Antenna Input", this);
    auto* inputGrid = new QGridLayout(input);
    inputGrid->addWidget(Caption("kW:", input), 0, 0);
    inputGrid->addWidget(Caption("dBk:", input), 1, 0);
    inputGrid->addWidget(MakeField(afAntennaInputkW, "edtAntennaInputkW", "Antenna input kW"), 0, 1);
    inputGrid->addWidget(MakeField(afAntennaInputdBk, "edtAntennaInputdBk", "Antenna input dBk"), 1, 1);
    left->addWidget(input);
    left->addStretch(1);

    // Transmission line loss.
    auto* loss = new QGroupBox("Transmission Line Loss", this);
    auto* lossGrid = new QGridLayout(loss);
    lossGrid->addWidget(Caption("kW", loss, Qt::AlignHCenter), 0, 0);
    lossGrid->addWidget(Caption("dB", loss, Qt::AlignHCenter), 0, 1);
    lossGrid->addWidget(Caption("Efficiency(%)", loss, Qt::AlignHCenter), 0, 2);
    lossGrid->addWidget(MakeField(afLineLosskW, "edtLineLosskW", "Transmission line loss kW"), 1, 0);
    lossGrid->addWidget(MakeField(afLineLossdB, "edtLineLossdB", "Transmission line loss dB"), 1, 1);
    lossGrid->addWidget(MakeField(afEfficiency, "edtEfficiency", "Efficiency percent"), 1, 2);
    middle->addWidget(loss);

    if (fm) {
        auto* parts = new QGroupBox(this);
        auto* partsGrid = new QGridLayout(parts);
        struct Part {
            TAnalysisField field;
            const char* caption;
            const char* name;
        } list[] = {{afIsolationLossDB, "&Isolation Transformer Loss", "edtIsolationLossDB"},
                    {afFilterLossDB, "&Filter Loss", "edtFilterLossDB"},
                    {afCirculatorLossDB, "Circ&ulator Loss", "edtCirculatorLossDB"}};
        int row = 0;
        for (const Part& part : list) {
            auto* caption = Caption(part.caption, parts);
            partsGrid->addWidget(caption, row, 0);
            partsGrid->addWidget(Caption("dB:", parts), row, 1);
            QLineEdit* edit = MakeField(part.field, part.name, QString(part.caption).remove('&') + " dB");
            caption->setBuddy(edit);
            partsGrid->addWidget(edit, row, 2);
            ++row;
        }
        middle->addWidget(parts);
    }

    // Transmitter power, with the schematic picture beside it.
    auto* tx = new QGroupBox("Transmitter Power", this);
    auto* txLayout = new QVBoxLayout(tx);
    auto* txGrid = new QGridLayout;
    auto* txKw = Caption("k&W:", tx);
    txGrid->addWidget(txKw, 0, 0);
    txGrid->addWidget(Caption("dBk:", tx), 1, 0);
    txGrid->addWidget(MakeField(afTransmitterPowerkW, "edtTransmitterPowerkW", "Transmitter power kW"), 0, 1);
    txGrid->addWidget(MakeField(afTransmitterPowerdBk, "edtTransmitterPowerdBk", "Transmitter power dBk"), 1, 1);
    txGrid->setColumnStretch(2, 1);
    txKw->setBuddy(FEdits[afTransmitterPowerkW]);
    txLayout->addLayout(txGrid, 0);
    txLayout->addWidget(new TSchematicWidget(tx), 1);
    middle->addWidget(tx, 1);

    // Line summary.
    auto* lineBox = new QGroupBox("Transmission Line", this);
    auto* lineGrid = new QGridLayout(lineBox);
    auto value = [&](const char* name) {
        auto* label = new QLabel(lineBox);
        label->setObjectName(name);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return label;
    };
    FLineType = value("lblLineType");
    FLineDescription = value("lblLineDescription");
    FLineDescription->setWordWrap(true);
    FVertLength = value("lblVertLength");
    FHorzLength = value("lblHorzLength");
    FAttenuation = value("lblAttenuation");
    lineGrid->addWidget(Caption("Type:", lineBox), 0, 0);
    lineGrid->addWidget(FLineType, 0, 1);
    lineGrid->addWidget(FLineDescription, 1, 0, 1, 2);
    lineGrid->addWidget(Caption("Vert. Length:", lineBox), 2, 0);
    lineGrid->addWidget(FVertLength, 2, 1);
    lineGrid->addWidget(Caption("Horz Length:", lineBox), 3, 0);
    lineGrid->addWidget(FHorzLength, 3, 1);
    lineGrid->addWidget(Caption("Attenuation:", lineBox), 4, 0);
    lineGrid->addWidget(FAttenuation, 4, 1);
    lineGrid->setColumnStretch(1, 1);
    right->addWidget(lineBox);

    // Warnings.
    FWarning = new QLabel(this);
    FWarning->setObjectName("lblWarning");
    FERPWarning = new QLabel(this);
    FERPWarning->setObjectName("lblERPWarning");
    for (QLabel* w : {FWarning, FERPWarning}) {
        w->setWordWrap(true);
        w->setStyleSheet("color: #c00000; font-weight: bold;");
        right->addWidget(w);
    }
    right->addStretch(1);

    // Tab order: the entries in reading order.
    QWidget* order[] = {FEdits[afERPkWHorz], FRatio, FEdits[afIsolationLossDB],
                        FEdits[afFilterLossDB], FEdits[afCirculatorLossDB],
                        FEdits[afTransmitterPowerkW]};
    QWidget* previous = nullptr;
    for (QWidget* w : order) {
        if (!w) continue;
        if (previous) setTabOrder(previous, w);
        previous = w;
    }

    // The page starts in the transmitter entry.
    setFocusProxy(FEdits[afTransmitterPowerkW]);
    FLogic.SetOnChanged([this] { Refresh(); });
}

TAnalysisViewBase::~TAnalysisViewBase() { FLogic.SetOnChanged(nullptr); }

QLineEdit* TAnalysisViewBase::MakeField(TAnalysisField f, const char* name, const QString& accessible) {
    const TAnalysisFieldState& state = FLogic.Field(f);
    QLineEdit* edit = state.Entry ? new TAnalysisEntry(FLogic, f, this) : new QLineEdit(this);
    edit->setObjectName(name);
    edit->setAccessibleName(accessible);
    edit->setAlignment(Qt::AlignRight);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance("00000.000") + 12);
    if (!state.Entry) {
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::ClickFocus);
        QPalette pal = edit->palette();
        pal.setColor(QPalette::Base, pal.color(QPalette::Window));
        edit->setPalette(pal);
    }
    FEdits[f] = edit;
    return edit;
}

void TAnalysisViewBase::Refresh() {
    FUpdating = true;
    for (int i = 0; i < afFieldCount; ++i) {
        QLineEdit* edit = FEdits[i];
        if (!edit) continue;
        const TAnalysisFieldState& state = FLogic.Field(static_cast<TAnalysisField>(i));
        const QString text = QString::fromStdString(state.Text);
        if (edit->text() != text) edit->setText(text);
        edit->setVisible(state.Visible);
        if (state.Entry) {
            QPalette pal = palette();
            pal.setColor(QPalette::Text, state.Typing ? QColor(Qt::red) : pal.color(QPalette::Text));
            edit->setPalette(pal);
        }
    }
    FWarning->setText(QString::fromStdString(FLogic.WarningText()));
    FWarning->setVisible(FLogic.WarningVisible());
    FERPWarning->setText(QString::fromStdString(FLogic.ERPWarningText()).replace('\r', '\n'));
    FERPWarning->setVisible(FLogic.ERPWarningVisible());
    FLineType->setText(QString::fromStdString(FLogic.LineType()));
    FLineDescription->setText(QString::fromStdString(FLogic.LineDescription()));
    FVertLength->setText(QString::fromStdString(FLogic.VertLengthText()));
    FHorzLength->setText(QString::fromStdString(FLogic.HorzLengthText()));
    FAttenuation->setText(QString::fromStdString(FLogic.AttenuationText()));
    FUpdating = false;
}

// ---- TV ---------------------------------------------------------------------------------

TfrmAnalysisView::TfrmAnalysisView(TfrmAnalysis& logic, QWidget* parent)
    : TAnalysisViewBase(logic, parent), FTV(logic) {
    connect(FRatio, &QSpinBox::valueChanged, this, [this](int v) {
        if (!FUpdating) RunGuarded([&] { FTV.SetRatio(v); });
    });
    Refresh();
}

void TfrmAnalysisView::Refresh() {
    TAnalysisViewBase::Refresh();
    FUpdating = true;
    const bool vertical = FTV.VerticalVisible();
    FERPCaptionVert->setVisible(vertical);
    FGainCaptionVert->setVisible(vertical);
    FRatioCaption->setVisible(FTV.RatioVisible());
    FRatio->setVisible(FTV.RatioVisible());
    FRatio->setValue(FTV.Ratio());
    const bool editable = FTV.RatioEditable();
    FRatio->setReadOnly(!editable);
    FRatio->setButtonSymbols(editable ? QAbstractSpinBox::UpDownArrows : QAbstractSpinBox::NoButtons);
    FRatio->setFocusPolicy(editable ? Qt::StrongFocus : Qt::ClickFocus);
    QPalette pal = palette();
    if (!editable) pal.setColor(QPalette::Base, QColor(192, 192, 192));  // silver
    FRatio->setPalette(pal);
    FUpdating = false;
}

// ---- FM ---------------------------------------------------------------------------------

TfrmFMAnalysisView::TfrmFMAnalysisView(TfrmFMAnalysis& logic, QWidget* parent)
    : TAnalysisViewBase(logic, parent), FFM(logic) {
    Refresh();
}

void TfrmFMAnalysisView::Refresh() {
    TAnalysisViewBase::Refresh();
    FERPCaptionHorz->setText(QString::fromStdString(FFM.ERPCaption()));
}

}  // namespace velmo
