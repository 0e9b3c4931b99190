#include "platform/HoverReset.h"
#include "platform/HoverButton.h"

#include <QChildEvent>
#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

HoverReset* HoverReset::install(QWidget* window, std::function<void()> reset) {
    return new HoverReset(window, std::move(reset));
}

HoverReset::HoverReset(QWidget* window, std::function<void()> reset)
    : QObject(window), m_window(window), m_reset(std::move(reset)) {
    watch(window);
    for (QWidget* w : window->findChildren<QWidget*>())
        watch(w);
}

bool HoverReset::isFreeArea(const QWidget* w) const {
    if (w == m_window) return true;
    // Only plain containers: labels, inputs and buttons have their own hover.
    static const char* const containers[] = {"QWidget",        "QFrame",     "QGroupBox",
                                             "QStackedWidget", "QTabWidget", "QSplitter",
                                             "QScrollArea"};
    const char* name = w->metaObject()->className();
    for (const char* c : containers)
        if (qstrcmp(name, c) == 0) return true;
    return false;
}

void HoverReset::watch(QWidget* w) {
    // Every widget reports new children; only free areas get mouse tracking.
    w->installEventFilter(this);
    if (isFreeArea(w)) w->setMouseTracking(true);
}

bool HoverReset::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ChildAdded:
    case QEvent::ChildPolished: {
        // A child is added while still being built (its class not yet known);
        // it is looked at again once polished.
        auto* child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType()) {
            auto* w = static_cast<QWidget*>(child);
            if (event->type() == QEvent::ChildAdded) {
                w->installEventFilter(this);
            } else {
                watch(w);
                for (QWidget* inner : w->findChildren<QWidget*>())
                    watch(inner);
            }
        }
        break;
    }
    case QEvent::MouseMove: {
        // Only where no child lies under the pointer: a move over a child that
        // passes the event on to its parent is no move over free area.
        auto* w = watched->isWidgetType() ? static_cast<QWidget*>(watched) : nullptr;
        const auto* move = static_cast<QMouseEvent*>(event);
        if (w && isFreeArea(w) && !w->childAt(move->position().toPoint())) resetNow();
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void HoverReset::resetNow() {
    if (!m_window) return;
    for (HoverButton* b : m_window->findChildren<HoverButton*>())
        b->setHover(false);
    if (m_reset) m_reset();
}
