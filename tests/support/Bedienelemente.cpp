#include "Bedienelemente.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QWidget>

namespace {

bool bedienbar(const QWidget* w) {
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QTextEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractItemView*>(w) ||
           (qobject_cast<const QAbstractSlider*>(w) && !qobject_cast<const QScrollBar*>(w)) ||
           // whatever else the keyboard reaches, but for the tab strips: their
           // tabs carry their captions
           ((w->focusPolicy() & Qt::TabFocus) && !qobject_cast<const QTabWidget*>(w) &&
            !qobject_cast<const QTabBar*>(w));
}

// Controls that bring their own parts, or name them themselves.
bool ganzesElement(const QWidget* w) {
    return bedienbar(w) || qobject_cast<const QTabBar*>(w) || qobject_cast<const QMenuBar*>(w) ||
           qobject_cast<const QMenu*>(w) || qobject_cast<const QScrollBar*>(w);
}

QString beschreibung(const QWidget* w) {
    return QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') +
           (w->objectName().isEmpty() ? QStringLiteral("(ohne Objektnamen)") : w->objectName());
}

void sammeln(QWidget* w, QStringList& unbenannt) {
    if (bedienbar(w)) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        if (!a || a->text(QAccessible::Name).trimmed().isEmpty()) unbenannt << beschreibung(w);
    }
    if (ganzesElement(w)) return;
    for (QObject* o : w->children())
        if (auto* kind = qobject_cast<QWidget*>(o); kind && !kind->isWindow())
            sammeln(kind, unbenannt);
}

} // namespace

QStringList unbenannteBedienelemente(QWidget* fenster) {
    QStringList unbenannt;
    if (fenster) sammeln(fenster, unbenannt);
    return unbenannt;
}

QString fensterplatzFehler(QWidget* fenster) {
    const QScreen* bildschirm = fenster->screen();
    if (!bildschirm) return QStringLiteral("kein Bildschirm");
    const QRect frei = bildschirm->availableGeometry();
    const QRect aussen = fenster->frameGeometry();
    const auto text = [](const QRect& r) {
        return QStringLiteral("%1,%2 %3×%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    };
    if (!frei.contains(aussen))
        return QStringLiteral("%1 steht nicht ganz in %2").arg(text(aussen), text(frei));
    const QPoint abstand = aussen.center() - frei.center();
    if (qAbs(abstand.x()) > 2 || qAbs(abstand.y()) > 2)
        return QStringLiteral("%1 steht nicht mittig in %2").arg(text(aussen), text(frei));
    return {};
}

QStringList standardknoepfe(QWidget* fenster, const QStringList& erlaubt) {
    QStringList gefunden;
    if (!fenster) return gefunden;
    for (QPushButton* b : fenster->findChildren<QPushButton*>()) {
        if (erlaubt.contains(b->objectName())) continue;
        if (b->autoDefault() || b->isDefault()) gefunden << beschreibung(b);
    }
    return gefunden;
}
