#include "platform/Fensterplatz.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>

namespace {

const char* const Eingepasst = "kapitoEingepasst";

bool istFenster(const QWidget* w) {
    if (!w->isWindow()) return false;
    switch (w->windowType()) {
    case Qt::Window:
    case Qt::Dialog:
    case Qt::Sheet:
    case Qt::SplashScreen:
        return true;
    default: // menus, lists that drop down, tool tips
        return false;
    }
}

// The frame the window system draws around the window. Before the window
// is mapped it may not be known yet; a title bar is assumed then.
QMargins rahmen(const QWidget* w) {
    if (w->windowFlags() & Qt::FramelessWindowHint) return {};
    if (const QWindow* h = w->windowHandle(); h && !h->frameMargins().isNull())
        return h->frameMargins();
    const int titel = w->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, w);
    return {0, titel, 0, 0};
}

} // namespace

void Fensterplatz::installieren() {
    static Fensterplatz* waechter = nullptr;
    if (waechter || !qApp) return;
    waechter = new Fensterplatz(qApp);
    qApp->installEventFilter(waechter);
}

void Fensterplatz::einpassen(QWidget* fenster) {
    const QWidget* eltern = fenster->parentWidget() ? fenster->parentWidget()->window() : nullptr;
    if (eltern && !eltern->isVisible()) eltern = nullptr;
    QScreen* bildschirm = eltern ? eltern->screen() : fenster->screen();
    if (!bildschirm) bildschirm = QGuiApplication::primaryScreen();
    if (!bildschirm) return;
    const QRect frei = bildschirm->availableGeometry();
    const QMargins r = rahmen(fenster);

    QSize groesse = fenster->size().boundedTo(
        QSize(frei.width() - r.left() - r.right(), frei.height() - r.top() - r.bottom()));
    groesse = groesse.expandedTo(fenster->minimumSize()); // the layout's own limit holds
    if (groesse != fenster->size()) fenster->resize(groesse);

    QRect aussen(QPoint(0, 0), groesse.grownBy(r));
    aussen.moveCenter(eltern ? eltern->frameGeometry().center() : frei.center());
    // Wholly inside the free area; the top left corner wins when it cannot be.
    if (aussen.right() > frei.right()) aussen.moveRight(frei.right());
    if (aussen.bottom() > frei.bottom()) aussen.moveBottom(frei.bottom());
    if (aussen.left() < frei.left()) aussen.moveLeft(frei.left());
    if (aussen.top() < frei.top()) aussen.moveTop(frei.top());
    fenster->move(aussen.topLeft());
}

bool Fensterplatz::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && !event->spontaneous() && watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        // Once per window: after that it stays where the user puts it.
        if (istFenster(w) && !w->property(Eingepasst).toBool()) {
            w->setProperty(Eingepasst, true);
            einpassen(w);
        }
    }
    return QObject::eventFilter(watched, event);
}
