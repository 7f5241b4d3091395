#pragma once
// Gives a page widget the keyboard focus once its window is active: the wizard
// window, shown after the page, would otherwise keep it on its own buttons.
#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace velmo {

class TInitialFocus : public QObject {
public:
    // Focuses `target` now and again when its window is next activated.
    static void Request(QWidget* target) {
        if (!target) return;
        target->setFocus();
        QWidget* window = target->window();
        if (window && window != target) window->installEventFilter(new TInitialFocus(target, window));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowActivate) {
            if (FTarget && FTarget->isVisible()) FTarget->setFocus();
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    TInitialFocus(QWidget* target, QObject* parent) : QObject(parent), FTarget(target) {}
    QPointer<QWidget> FTarget;
};

}  // namespace velmo
