#include "platform/HoverButton.h"

#include <QEnterEvent>
#include <QKeyEvent>

HoverButton::HoverButton(QWidget* parent) : QPushButton(parent) {
    init();
}

HoverButton::HoverButton(const QIcon& icon, const QString& text, QWidget* parent)
    : QPushButton(icon, text, parent) {
    init();
}

void HoverButton::init() {
    setAttribute(Qt::WA_Hover);
    // Enter presses a button only when it has the focus (keyPressEvent); as
    // a dialog's auto-default it would also fire after the Enter action of
    // an entry field.
    setAutoDefault(false);
    setDefault(false);
    m_ruhe = palette();
}

void HoverButton::setHover(bool on) {
    if (m_hover == on) return;
    m_hover = on;
    // Lit in the highlight colour while the pointer is over it; a button
    // that lies flat at rest (the toolbar's) shows raised meanwhile.
    if (on) {
        m_ruhe = palette();
        m_flachInRuhe = isFlat();
        setFlat(false);
        QPalette p = m_ruhe;
        const QColor licht = p.color(QPalette::Highlight).lighter(175);
        p.setColor(QPalette::Button, licht);
        p.setColor(QPalette::Window, licht);
        // Its caption stays readable on the light colour under a dark palette.
        const QColor schrift = licht.lightness() >= 128 ? Qt::black : Qt::white;
        p.setColor(QPalette::ButtonText, schrift);
        p.setColor(QPalette::WindowText, schrift);
        setPalette(p);
    } else {
        setPalette(m_ruhe);
        setFlat(m_flachInRuhe);
    }
    update();
    emit hoverChanged(on);
}

void HoverButton::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
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
