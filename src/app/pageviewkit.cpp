#include "app/pageviewkit.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>


namespace velmo {

TStepSpinBox::TStepSpinBox(QWidget* parent) : QDoubleSpinBox(parent) {
    lineEdit()->setReadOnly(true);
    setKeyboardTracking(false);
    setAccelerated(false);
}

void TStepSpinBox::stepBy(int steps) {
    if (FArrows && OnStep) RunCommand([&] { OnStep(steps); });
}

QAbstractSpinBox::StepEnabled TStepSpinBox::stepEnabled() const {
    if (!FArrows || !isEnabled()) return StepNone;
    return StepUpEnabled | StepDownEnabled;
}

void TStepSpinBox::Show(double value, double min, double max, bool arrows) {
    QSignalBlocker block(this);
    FArrows = arrows;
    setButtonSymbols(arrows ? QAbstractSpinBox::UpDownArrows : QAbstractSpinBox::NoButtons);
    if (min < max)
        setRange(std::min(min, value), std::max(max, value));
    else
        setRange(-1e6, 1e6);
    setValue(value);
}

QTreeWidget* NewPatternList(QWidget* parent, const char* objectName, const QString& accessibleName) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(objectName);
    list->setAccessibleName(accessibleName);
    list->setColumnCount(2);
    list->setHeaderLabels({"Pattern", "Description"});
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    // Long descriptions scroll rather than widen the page.
    list->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
    list->setMinimumWidth(160);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->header()->setStretchLastSection(true);
    list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    return list;
}

void ShowPatternList(QTreeWidget* list, const std::vector<TListLine>& lines, int index) {
    QSignalBlocker block(list);
    bool same = list->topLevelItemCount() == static_cast<int>(lines.size());
    for (int i = 0; same && i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list->topLevelItem(i);
        same = item->text(0) == Q(lines[i].Name) && item->text(1) == Q(lines[i].Value);
    }
    if (!same) {
        list->clear();
        for (const TListLine& line : lines)
            list->addTopLevelItem(new QTreeWidgetItem(QStringList{Q(line.Name), Q(line.Value)}));
    }
    QTreeWidgetItem* current = index >= 0 && index < list->topLevelItemCount() ? list->topLevelItem(index) : nullptr;
    if (list->currentItem() != current) list->setCurrentItem(current);
    if (!current) list->clearSelection();
}

QLineEdit* NewReadOnlyField(QWidget* parent, const char* objectName, const QString& accessibleName) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(objectName);
    field->setAccessibleName(accessibleName);
    field->setReadOnly(true);
    field->setAlignment(Qt::AlignRight);
    field->setFocusPolicy(Qt::TabFocus);
    return field;
}

void ShowText(QLineEdit* field, const std::string& text) {
    const QString t = Q(text);
    if (field->text() != t) field->setText(t);
}

QLabel* NewBuddyLabel(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

QHBoxLayout* NewPointButtons(QWidget* parent, QPushButton*& copy, QPushButton*& exportPoints,
                             QPushButton*& print) {
    auto* row = new QHBoxLayout;
    copy = new QPushButton("Cop&y Points", parent);
    copy->setObjectName("btnCopy");
    exportPoints = new QPushButton("&Export Points", parent);
    exportPoints->setObjectName("btnExport");
    print = new QPushButton("&Print", parent);
    print->setObjectName("btnPrint");
    for (QPushButton* button : {copy, exportPoints, print}) {
        button->setAccessibleName(button->text().remove('&'));
        button->setAutoDefault(false);
        row->addWidget(button);
    }
    return row;
}

QHBoxLayout* NewOkCancelRow(QWidget* parent, QPushButton*& ok, QPushButton*& cancel) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    ok = new QPushButton("&OK", parent);
    ok->setObjectName("btnOK");
    ok->setAccessibleName("OK");
    ok->setDefault(true);
    cancel = new QPushButton("&Cancel", parent);
    cancel->setObjectName("btnCancel");
    cancel->setAccessibleName("Cancel");
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

}  // namespace velmo
