#include "app/stepwidgets.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QFocusEvent>
#include <QVBoxLayout>
#include <exception>

#include "base/error.h"
#include "wizard/userinterface.h"

namespace velmo {

QString ToQ(const std::string& s) { return QString::fromStdString(s); }
std::string FromQ(const QString& s) { return s.toStdString(); }

void RunPageAction(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& e) {
        UI().Message(TMsgKind::Error, e.what(), TMsgButtons::Ok);
    }
}

QGroupBox* StepBox(int step, const char* caption, QWidget* parent) {
    auto* box = new QGroupBox(QStringLiteral("Step %1 - %2").arg(step).arg(QString::fromUtf8(caption)),
                              parent);
    box->setObjectName(QStringLiteral("gbStep%1").arg(step));
    return box;
}

namespace {
// Tabbing into a group lands on its selected button, as the arrow keys then move
// from there.
class TTabToChecked : public QObject {
public:
    TTabToChecked(QObject* parent, std::vector<QRadioButton*> buttons)
        : QObject(parent), FButtons(std::move(buttons)) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            auto* focus = static_cast<QFocusEvent*>(event);
            auto* b = static_cast<QRadioButton*>(watched);
            if ((focus->reason() == Qt::TabFocusReason || focus->reason() == Qt::BacktabFocusReason) &&
                !b->isChecked()) {
                for (QRadioButton* other : FButtons)
                    if (other->isChecked() && other->isEnabled() && other->isVisible()) {
                        other->setFocus(focus->reason());
                        break;
                    }
            }
        }
        return false;
    }

private:
    std::vector<QRadioButton*> FButtons;
};
}  // namespace

TRadioGroup::TRadioGroup(QWidget* box, QVBoxLayout* layout, int count, const QString& namePrefix,
                         std::function<void(int)> onClick) {
    for (int i = 0; i < count; ++i) {
        auto* b = new QRadioButton(box);
        b->setObjectName(namePrefix + QString::number(i));
        layout->addWidget(b);
        QObject::connect(b, &QRadioButton::clicked, b, [onClick, i] { onClick(i); });
        FButtons.push_back(b);
    }
    auto* filter = new TTabToChecked(box, FButtons);
    for (QRadioButton* b : FButtons) b->installEventFilter(filter);
}

void TRadioGroup::Render(const TOptionGroup& options) {
    for (size_t i = 0; i < FButtons.size() && i < options.size(); ++i) {
        QRadioButton* b = FButtons[i];
        const TOptionButton& o = options[i];
        QSignalBlocker block(b);
        const QString caption = ToQ(o.Caption);
        if (b->text() != caption) {
            b->setText(caption);
            b->setAccessibleName(caption);
        }
        b->setEnabled(o.Enabled);
        if (b->isChecked() != o.Selected) {
            // An exclusive radio button cannot be unchecked directly.
            b->setAutoExclusive(false);
            b->setChecked(o.Selected);
            b->setAutoExclusive(true);
        }
    }
}

TChannelListView::TChannelListView(QWidget* parent, const QString& valueHeader,
                                   std::function<void(int)> onPick)
    : FTree(new QTreeWidget(parent)) {
    FTree->setObjectName(QStringLiteral("lvChannels"));
    FTree->setAccessibleName(QStringLiteral("Channels"));
    FTree->setRootIsDecorated(false);
    FTree->setUniformRowHeights(true);
    FTree->setAllColumnsShowFocus(true);
    FTree->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FTree->setColumnCount(2);
    FTree->setHeaderLabels({QStringLiteral("Channel"), valueHeader});
    FTree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    FTree->header()->setStretchLastSection(true);
    QTreeWidget* tree = FTree;
    QObject::connect(FTree, &QTreeWidget::currentItemChanged, FTree,
                     [tree, onPick](QTreeWidgetItem* item, QTreeWidgetItem*) {
                         if (item) onPick(tree->indexOfTopLevelItem(item));
                     });
}

void TChannelListView::Render(const std::vector<std::pair<std::string, std::string>>& rows,
                              int current) {
    QSignalBlocker block(FTree);
    if (rows != FRows) {
        FRows = rows;
        FTree->clear();
        QList<QTreeWidgetItem*> items;
        for (const auto& [number, value] : rows)
            items.append(new QTreeWidgetItem(QStringList{ToQ(number), ToQ(value)}));
        FTree->addTopLevelItems(items);
    }
    QTreeWidgetItem* item =
        current >= 0 && current < FTree->topLevelItemCount() ? FTree->topLevelItem(current) : nullptr;
    if (FTree->currentItem() != item) {
        FTree->setCurrentItem(item);
        if (!item) FTree->clearSelection();
    }
    if (item) FTree->scrollToItem(item);
}

}  // namespace velmo
