#include "app/designinfoview.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/pageviewkit.h"
#include "wizard/command.h"
#include "wizard/designinfo.h"

namespace velmo {

QDate DayNumberToQDate(double date) {
    int y = 0, m = 0, d = 0;
    DecodeDate(date, y, m, d);
    return QDate(y, m, d);
}

namespace {

QLineEdit* AddField(QFormLayout* form, QWidget* parent, const char* name, const QString& label,
                    QLineEdit* edit = nullptr) {
    if (!edit) edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setAccessibleName(QString(label).remove('&'));
    auto* l = new QLabel(label, parent);
    l->setBuddy(edit);
    form->addRow(l, edit);
    return edit;
}

}  // namespace

TfrmDesignInfoView::TfrmDesignInfoView(TfrmDesignInfo& logic, QWidget* parent)
    : QDialog(parent), FLogic(logic) {
    setObjectName("frmDesignInfo");
    setWindowTitle("Design Information");
    setAccessibleName("Design Information");

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    FCompany = AddField(form, this, "edtCompanyName", "Company &Name");
    FAddress = AddField(form, this, "edtCompanyAddress", "Company &Address");
    FLocation = AddField(form, this, "edtLocation", "&Location");

    // "Specification No." with "Date" beside it.
    auto* specRow = new QHBoxLayout;
    FSpecNo = new QLineEdit(this);
    FSpecNo->setObjectName("edtSpecNo");
    FSpecNo->setAccessibleName("Specification No.");
    FDate = new QDateEdit(this);
    FDate->setObjectName("dtpDate");
    FDate->setAccessibleName("Date");
    FDate->setCalendarPopup(true);
    FDate->setDisplayFormat("MMMM d, yyyy");
    FDate->setDateRange(QDate(1753, 1, 1), QDate(9999, 12, 31));
    auto* dateLabel = new QLabel("Da&te", this);
    dateLabel->setBuddy(FDate);
    specRow->addWidget(FSpecNo, 1);
    specRow->addWidget(dateLabel);
    specRow->addWidget(FDate);
    auto* specLabel = new QLabel("&Specification No.", this);
    specLabel->setBuddy(FSpecNo);
    form->addRow(specLabel, specRow);

    FDesigner = AddField(form, this, "edtDesigner", "D&esigner");
    FNotes = new QPlainTextEdit(this);
    FNotes->setObjectName("memNotes");
    FNotes->setAccessibleName("Notes");
    FNotes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    FNotes->setTabChangesFocus(true);
    auto* notesLabel = new QLabel("N&otes", this);
    notesLabel->setBuddy(FNotes);
    form->addRow(notesLabel, FNotes);
    layout->addLayout(form, 1);

    auto* systemBox = new QGroupBox(this);
    systemBox->setObjectName("pnlSystemType");
    auto* systemRow = new QHBoxLayout(systemBox);
    FTV = new QPushButton("TV", this);
    FTV->setObjectName("btnTV");
    FTV->setAccessibleName("TV system");
    FTV->setCheckable(true);
    FTV->setAutoDefault(false);
    FFM = new QPushButton("FM", this);
    FFM->setObjectName("btnFM");
    FFM->setAccessibleName("FM system");
    FFM->setCheckable(true);
    FFM->setAutoDefault(false);
    auto* prompt = new QLabel("<-  Select System Type  ->", this);
    prompt->setAlignment(Qt::AlignCenter);
    systemRow->addWidget(FTV);
    systemRow->addWidget(prompt, 1);
    systemRow->addWidget(FFM);
    layout->addWidget(systemBox);

    layout->addLayout(NewOkCancelRow(this, FOk, FCancel));

    connect(FCompany, &QLineEdit::textEdited, this,
            [this](const QString& t) { FLogic.EditCompanyName(t.toStdString()); });
    connect(FAddress, &QLineEdit::textEdited, this,
            [this](const QString& t) { FLogic.EditLocation(t.toStdString()); });
    connect(FLocation, &QLineEdit::textEdited, this,
            [this](const QString& t) { FLogic.EditLocation2(t.toStdString()); });
    connect(FSpecNo, &QLineEdit::textEdited, this,
            [this](const QString& t) { FLogic.EditSpecNo(t.toStdString()); });
    connect(FDesigner, &QLineEdit::textEdited, this,
            [this](const QString& t) { FLogic.EditDesigner(t.toStdString()); });
    connect(FNotes, &QPlainTextEdit::textChanged, this, [this] {
        if (!FRefreshing) FLogic.EditNotes(FNotes->toPlainText().toStdString());
    });
    connect(FDate, &QDateEdit::dateChanged, this, [this](const QDate& d) {
        if (!FRefreshing) FLogic.PickDay(d.year(), d.month(), d.day());
    });
    connect(FTV, &QPushButton::clicked, this, [this] { FLogic.PressTV(); });
    connect(FFM, &QPushButton::clicked, this, [this] { FLogic.PressFM(); });
    connect(FOk, &QPushButton::clicked, this, [this] { Accept(); });
    connect(FCancel, &QPushButton::clicked, this, &QDialog::reject);

    FLogic.OnChanged = [this] { Refresh(); };
    Refresh();
    resize(QSize(520, 460));
}

TfrmDesignInfoView::~TfrmDesignInfoView() { FLogic.OnChanged = nullptr; }

void TfrmDesignInfoView::Refresh() {
    FRefreshing = true;
    const TfrmDesignInfo::TFields& f = FLogic.Fields();
    auto set = [](QLineEdit* e, const std::string& v) {
        const QString t = QString::fromStdString(v);
        if (e->text() != t) e->setText(t);
    };
    set(FCompany, f.CompanyName);
    set(FAddress, f.Location);
    set(FLocation, f.Location2);
    set(FSpecNo, f.SpecNo);
    set(FDesigner, f.Designer);
    const QString notes = QString::fromStdString(f.NotesText);
    if (FNotes->toPlainText() != notes) FNotes->setPlainText(notes);
    const QDate date = DayNumberToQDate(f.PickerDate);
    if (date.isValid() && FDate->date() != date) FDate->setDate(date);
    FTV->setChecked(f.TVDown);
    FFM->setChecked(f.FMDown);
    FOk->setEnabled(f.OkEnabled);
    FRefreshing = false;
}

void TfrmDesignInfoView::Accept() {
    bool ok = false;
    RunCommand([&] { ok = FLogic.OkClick(); });
    if (ok) accept();
}

bool TfrmDesignInfoView::Execute() { return exec() == QDialog::Accepted; }

}  // namespace velmo
