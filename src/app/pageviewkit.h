#pragma once
// Small pieces the page and dialog widgets share: name/value lists, read-only fields,
// spin boxes whose arrow steps go to the page logic, and button rows. User actions run
// through RunCommand, the general error display.
#include <functional>
#include <string>
#include <vector>

#include <QDoubleSpinBox>
#include <QString>

#include "wizard/command.h"
#include "wizard/listline.h"

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QWidget;

namespace velmo {

inline QString Q(const std::string& s) { return QString::fromStdString(s); }

// A spin box whose arrow presses (buttons, keys, wheel) go to OnStep instead of
// changing the value; the page logic decides and the widget shows what it says. No
// typing.
class TStepSpinBox : public QDoubleSpinBox {
public:
    explicit TStepSpinBox(QWidget* parent = nullptr);
    void stepBy(int steps) override;
    // Shows `value` without announcing a change.
    void Show(double value, double min, double max, bool arrows);
    std::function<void(int steps)> OnStep;

protected:
    StepEnabled stepEnabled() const override;

private:
    bool FArrows = true;
};

// A two-column list (name, value) of patterns.
QTreeWidget* NewPatternList(QWidget* parent, const char* objectName, const QString& accessibleName);
// Refills the list when its lines changed and marks `index` (-1: none), silently.
void ShowPatternList(QTreeWidget* list, const std::vector<TListLine>& lines, int index);
// A read-only text field.
QLineEdit* NewReadOnlyField(QWidget* parent, const char* objectName, const QString& accessibleName);
void ShowText(QLineEdit* field, const std::string& text);
// A label naming `buddy` (keyboard mnemonic with "&").
QLabel* NewBuddyLabel(const QString& text, QWidget* buddy, QWidget* parent);

// The pattern pages' button row: "Copy Points", "Export Points", "Print".
QHBoxLayout* NewPointButtons(QWidget* parent, QPushButton*& copy, QPushButton*& exportPoints,
                             QPushButton*& print);

// A dialog's "OK" (the default button) and "Cancel", at the right of their row.
QHBoxLayout* NewOkCancelRow(QWidget* parent, QPushButton*& ok, QPushButton*& cancel);

}  // namespace velmo
