#include "app/frmcustomlineview.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "wizard/frmcustomline.h"

namespace velmo {

TfrmCustomLineView::TfrmCustomLineView(TfrmCustomLine& logic, QWidget* parent)
    : QDialog(parent), FLogic(logic) {
    setObjectName("frmCustomLine");
    setWindowTitle(TfrmCustomLine::Caption);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    const char* prompts[3] = {TfrmCustomLine::DescriptionPrompt, TfrmCustomLine::AveragePowerPrompt,
                              TfrmCustomLine::AttenuationPrompt};
    const char* names[3] = {"edtDescription", "edtAveragePower", "edtAttenuation"};
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(prompts[i], this);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(names[i]);
        edit->setAccessibleName(prompts[i]);
        if (i > 0) edit->setAlignment(Qt::AlignRight);
        label->setBuddy(edit);
        layout->addWidget(label);
        layout->addWidget(edit);
        FEdits[i] = edit;
        const auto field = static_cast<TfrmCustomLine::TField>(i);
        connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
            if (!FUpdating) FLogic.EditField(field, text.toStdString());
        });
        connect(edit, &QLineEdit::returnPressed, this, [this, field] {
            if (FLogic.AcceptFrom(field)) accept();
        });
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this, [this] { FRefusedOnLeave = false; });
    }
    FHint = new QLabel(this);
    FHint->setObjectName("lblHint");
    FHint->setStyleSheet("color: #b00000;");
    layout->addWidget(FHint);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    FOk = new QPushButton("&OK", this);
    FOk->setObjectName("btnOK");
    FOk->setAccessibleName("OK");
    FCancel = new QPushButton("&Cancel", this);
    FCancel->setObjectName("btnCancel");
    FCancel->setAccessibleName("Cancel");
    // Enter belongs to the fields (it accepts the field first); the buttons take Space.
    for (QPushButton* b : {FOk, FCancel}) {
        b->setAutoDefault(false);
        b->setDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connect(FOk, &QPushButton::clicked, this, [this] { OkClicked(); });
    connect(FCancel, &QPushButton::clicked, this, [this] {
        FLogic.Close(false);
        reject();
    });
    FLogic.OnChanged = [this] { Refresh(); };
    Refresh();
    setMinimumWidth(fontMetrics().horizontalAdvance(TfrmCustomLine::AveragePowerPrompt) + 40);
}

TfrmCustomLineView::~TfrmCustomLineView() { FLogic.OnChanged = nullptr; }

void TfrmCustomLineView::OkClicked() {
    // A number refused as the focus went to the button keeps the dialog open, so the
    // user sees the value that is back in the field.
    if (FRefusedOnLeave) {
        FRefusedOnLeave = false;
        return;
    }
    // Leaving a field for the button has committed it already; commit all the same
    // (a field changed without leaving it, by a script).
    for (int i = 0; i < 3; ++i)
        if (!FLogic.LeaveField(static_cast<TfrmCustomLine::TField>(i))) {
            FEdits[i]->setFocus();
            return;
        }
    FLogic.Close(true);
    accept();
}

bool TfrmCustomLineView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) FRefusedOnLeave = false;
    if (event->type() == QEvent::FocusOut && !FLogic.Closed()) {
        for (int i = 0; i < 3; ++i)
            if (watched == FEdits[i])
                FRefusedOnLeave = !FLogic.LeaveField(static_cast<TfrmCustomLine::TField>(i));
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmCustomLineView::Refresh() {
    FUpdating = true;
    for (int i = 0; i < 3; ++i) {
        const QString text = QString::fromStdString(
            FLogic.FieldText(static_cast<TfrmCustomLine::TField>(i)));
        if (FEdits[i]->text() != text) FEdits[i]->setText(text);
    }
    FHint->setText(QString::fromStdString(FLogic.Hint()));
    FUpdating = false;
}

}  // namespace velmo
