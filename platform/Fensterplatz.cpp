#include "platform/Fensterplatz.h"

#include <QApplication>
#include <QEvent>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>
#include <cmath>

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

const char* const Rollbereich = "Rollbereich";

QScrollArea* rollbereich(QWidget* inhalt, QWidget* fenster) {
    auto* r = new QScrollArea(fenster);
    r->setObjectName(QString::fromLatin1(Rollbereich));
    r->setFrameShape(QFrame::NoFrame);
    r->setWidgetResizable(true);
    // Tab goes to the controls in it; the area scrolls to the one focused.
    r->setFocusPolicy(Qt::NoFocus);
    r->setWidget(inhalt);
    r->show(); // made while its window is being shown
    return r;
}

// What does not shrink into the free area (on a small or scaled screen)
// scrolls in it: the main window's content below its menu, a dialog's whole
// layout.
void rollbarMachen(QWidget* fenster) {
    if (fenster->findChild<QScrollArea*>(QString::fromLatin1(Rollbereich),
                                         Qt::FindDirectChildrenOnly))
        return;
    if (auto* haupt = qobject_cast<QMainWindow*>(fenster)) {
        if (QWidget* mitte = haupt->takeCentralWidget())
            haupt->setCentralWidget(rollbereich(mitte, haupt));
        return;
    }
    QLayout* alt = fenster->layout();
    if (!alt) return;
    auto* inhalt = new QWidget;
    inhalt->setObjectName(QStringLiteral("Inhalt"));
    inhalt->setLayout(alt); // takes the layout from the window, with its widgets
    auto* neu = new QVBoxLayout(fenster);
    neu->setContentsMargins(0, 0, 0, 0);
    neu->addWidget(rollbereich(inhalt, fenster));
    neu->activate();
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
    QSize platz(frei.width() - r.left() - r.right(), frei.height() - r.top() - r.bottom());
    // Scaled by a fraction, the free area's logical size is rounded and may
    // be half a pixel too large: one less keeps the window on the screen.
    if (const qreal dpr = bildschirm->devicePixelRatio(); dpr != std::floor(dpr))
        platz -= QSize(1, 1);

    const auto zuGross = [&platz](const QSize& s) {
        return s.width() > platz.width() || s.height() > platz.height();
    };
    QSize groesse = fenster->size().boundedTo(platz);
    // A window of fixed size keeps its content as it is drawn.
    const bool fest = fenster->minimumSize() == fenster->maximumSize();
    if (!fest && zuGross(fenster->minimumSizeHint())) rollbarMachen(fenster);
    // A minimum set larger than the free area gives way too.
    if (zuGross(fenster->minimumSize()))
        fenster->setMinimumSize(fenster->minimumSize().boundedTo(platz));
    if (QLayout* l = fenster->layout()) l->activate();
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
