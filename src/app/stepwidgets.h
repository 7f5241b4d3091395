#pragma once
// Small pieces shared by the step 1 page widgets: a group of radio buttons that
// renders a TOptionGroup, the channel list, and the guard that turns an Error raised
// by a page action into an error box.
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "wizard/optionbutton.h"

class QGroupBox;
class QRadioButton;
class QTreeWidget;
class QWidget;
class QVBoxLayout;

namespace velmo {

class TChannelList;

QString ToQ(const std::string& s);
std::string FromQ(const QString& s);

// Runs a user action; an Error (a missing table, a bad number) ends it with the
// message in an error box, never inside the event loop.
void RunPageAction(const std::function<void()>& action);

// "Step 3" + "Select Orvane Broadcast Antenna" as one group box title.
QGroupBox* StepBox(int step, const char* caption, QWidget* parent);

// Radio buttons, one per button of a TOptionGroup, laid out in `layout` of `box`.
class TRadioGroup {
public:
    // objectName of button i is `namePrefix` + i.
    TRadioGroup(QWidget* box, QVBoxLayout* layout, int count, const QString& namePrefix,
                std::function<void(int)> onClick);
    void Render(const TOptionGroup& options);
    QRadioButton* Button(int i) const { return FButtons[static_cast<size_t>(i)]; }

private:
    std::vector<QRadioButton*> FButtons;
};

// The channel list: channel number and one value column. Re-filled only when the
// channels change, so that the user's scroll position survives a refresh.
class TChannelListView {
public:
    TChannelListView(QWidget* parent, const QString& valueHeader, std::function<void(int)> onPick);
    QTreeWidget* Widget() const { return FTree; }
    void Render(const std::vector<std::pair<std::string, std::string>>& rows, int current);

private:
    QTreeWidget* FTree;
    std::vector<std::pair<std::string, std::string>> FRows;
};

}  // namespace velmo
