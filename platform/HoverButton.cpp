#include "platform/HoverButton.h"

#include <QEnterEvent>

HoverButton::HoverButton(QWidget* parent) : QPushButton(parent) {
    init();
}

HoverButton::HoverButton(const QIcon& icon, const QString& text, QWidget* parent)
    : QPushButton(icon, text, parent) {
    init();
}

void HoverButton::init() {
    setFlat(true);
    setAttribute(Qt::WA_Hover);
}

void HoverButton::setHover(bool on) {
    if (m_hover == on) return;
    m_hover = on;
    // Flat at rest, raised while the pointer is over it.
    setFlat(!on);
    update();
    emit hoverChanged(on);
}

void HoverButton::enterEvent(QEnterEvent* event) {
    QPushButton::enterEvent(event);
    if (!isEnabled()) return;
    setHover(true);
    if (!m_hint.isEmpty()) emit hinweis(m_hint);
}

void HoverButton::leaveEvent(QEvent* event) {
    QPushButton::leaveEvent(event);
    setHover(false);
}
