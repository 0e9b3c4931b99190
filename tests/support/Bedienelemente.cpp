#include "Bedienelemente.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QGridLayout>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <tuple>

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

// ------------------------------------------------ reading order and Tab

void ordnen(QWidget* w, const QWidget* fenster, QList<QWidget*>& folge);

void ordnenLayout(QLayout* l, const QWidget* fenster, QList<QWidget*>& folge) {
    QList<QLayoutItem*> teile;
    for (int i = 0; i < l->count(); ++i)
        teile << l->itemAt(i);
    if (auto* g = qobject_cast<QGridLayout*>(l)) {
        // Row by row, left to right within a row.
        const auto platz = [g](QLayoutItem* t) {
            int r = 0, c = 0, rs = 0, cs = 0;
            g->getItemPosition(g->indexOf(t), &r, &c, &rs, &cs);
            return std::pair(r, c);
        };
        std::stable_sort(teile.begin(), teile.end(),
                         [&](QLayoutItem* a, QLayoutItem* b) { return platz(a) < platz(b); });
    }
    for (QLayoutItem* t : teile) {
        if (QWidget* k = t->widget())
            ordnen(k, fenster, folge);
        else if (QLayout* innen = t->layout())
            ordnenLayout(innen, fenster, folge);
    }
}

void ordnen(QWidget* w, const QWidget* fenster, QList<QWidget*>& folge) {
    if (w != fenster && (w->isWindow() || !w->isVisibleTo(fenster))) return;
    if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
        if (tabs->tabBar()->isEnabled()) folge << tabs->tabBar();
        if (tabs->currentWidget()) ordnen(tabs->currentWidget(), fenster, folge);
        return;
    }
    if (auto* stapel = qobject_cast<QStackedWidget*>(w)) {
        if (stapel->currentWidget()) ordnen(stapel->currentWidget(), fenster, folge);
        return;
    }
    if (auto* rollbar = qobject_cast<QScrollArea*>(w)) {
        if (rollbar->widget()) ordnen(rollbar->widget(), fenster, folge);
        return;
    }
    if (w != fenster && bedienbar(w)) {
        if (w->isEnabled()) folge << w;
        return;
    }
    if (auto* haupt = qobject_cast<QMainWindow*>(w)) {
        if (haupt->centralWidget()) ordnen(haupt->centralWidget(), fenster, folge);
        ordnen(haupt->statusBar(), fenster, folge);
        return;
    }
    if (w->layout()) {
        ordnenLayout(w->layout(), fenster, folge);
        return;
    }
    for (QObject* o : w->children())
        if (auto* kind = qobject_cast<QWidget*>(o)) ordnen(kind, fenster, folge);
}

QString namen(const QList<QWidget*>& liste) {
    QStringList n;
    for (const QWidget* w : liste)
        n << (w ? beschreibung(w) : QStringLiteral("(keins)"));
    return n.join(QStringLiteral(", "));
}

QString eineRunde(QWidget* fenster) {
    // Buttons and fields that are off now count where they stand once on.
    QList<QWidget*> aus;
    for (QWidget* w : fenster->findChildren<QWidget*>())
        if (w->testAttribute(Qt::WA_ForceDisabled) && bedienbar(w)) aus << w;
    for (QWidget* w : aus)
        w->setEnabled(true);
    const auto wiederAus = qScopeGuard([&] {
        for (QWidget* w : aus)
            w->setEnabled(false);
    });
    QList<QWidget*> erwartet;
    ordnen(fenster, fenster, erwartet);
    if (erwartet.isEmpty())
        return fenster->findChild<QAbstractButton*>() ? QStringLiteral("kein Knopf zu sehen")
                                                      : QString();
    // The control a focused part belongs to (a date field's line edit).
    const auto zuordnen = [&](QWidget* f) {
        for (QWidget* w = f; w; w = w->parentWidget())
            if (erwartet.contains(w)) return w;
        return f;
    };
    erwartet.first()->setFocus(Qt::TabFocusReason);
    QList<QWidget*> erreicht{zuordnen(fenster->focusWidget())};
    for (qsizetype n = 0; n < 2 * erwartet.size() + 4; ++n) {
        QWidget* jetzt = fenster->focusWidget();
        if (!jetzt) break;
        QTest::keyClick(jetzt, Qt::Key_Tab);
        QWidget* neu = zuordnen(fenster->focusWidget());
        if (neu == erwartet.first() && neu != erreicht.last()) break;
        const bool wieder = erreicht.contains(neu); // caught in a circle, or Tab stays
        erreicht << neu;
        if (wieder) break;
    }
    if (erreicht == erwartet) return {};
    return QStringLiteral("Tab erreicht %1; in Lesefolge %2").arg(namen(erreicht), namen(erwartet));
}

// A page's controls are walked while it is shown.
QString tabfolgeAllerSeiten(QWidget* fenster, QList<QTabWidget*> offen) {
    if (offen.isEmpty()) return eineRunde(fenster);
    QTabWidget* tabs = offen.takeFirst();
    if (!tabs->isVisibleTo(fenster)) return tabfolgeAllerSeiten(fenster, offen);
    const int vorher = tabs->currentIndex();
    QString fehler;
    for (int i = 0; i < tabs->count() && fehler.isEmpty(); ++i) {
        if (!tabs->isTabEnabled(i)) continue;
        tabs->setCurrentIndex(i);
        fehler = tabfolgeAllerSeiten(fenster, offen);
        if (!fehler.isEmpty()) fehler = tabs->tabText(i) + QStringLiteral(": ") + fehler;
    }
    tabs->setCurrentIndex(vorher);
    return fehler;
}

// ------------------------------------------------ labels

QString sichtbarerText(const QLabel* l) {
    QString t = l->text();
    if (l->textFormat() == Qt::RichText ||
        (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(t))) {
        QTextDocument d;
        d.setHtml(t);
        t = d.toPlainText();
    }
    if (l->buddy()) t.remove(QLatin1Char('&'));
    return t.simplified();
}

double leuchtdichte(QRgb farbe) {
    const auto kanal = [](int wert) {
        const double c = wert / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * kanal(qRed(farbe)) + 0.7152 * kanal(qGreen(farbe)) +
           0.0722 * kanal(qBlue(farbe));
}

double kontrast(QRgb a, QRgb b) {
    const double la = leuchtdichte(a), lb = leuchtdichte(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

QString tabfolgeFehler(QWidget* fenster) {
    return tabfolgeAllerSeiten(fenster, fenster->findChildren<QTabWidget*>());
}

QStringList stummeLabels(QWidget* fenster) {
    QStringList stumm;
    for (QLabel* l : fenster->findChildren<QLabel*>()) {
        if (!l->isVisibleTo(fenster)) continue;
        const QString text = sichtbarerText(l);
        if (text.isEmpty()) continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(l);
        const QString name = a ? a->text(QAccessible::Name).simplified() : QString();
        const QString mehr = a ? a->text(QAccessible::Description).simplified() : QString();
        if (!name.contains(text) && !mehr.contains(text))
            stumm << QStringLiteral("%1: \"%2\" / \"%3\"").arg(l->objectName(), text, name);
    }
    return stumm;
}

QStringList kontrastFehler(QWidget* fenster, double mindestens) {
    QStringList fehler;
    const QImage bild = fenster->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const qreal dpr = bild.devicePixelRatio();
    for (QLabel* l : fenster->findChildren<QLabel*>()) {
        if (!l->isVisibleTo(fenster) || !l->isEnabled() || sichtbarerText(l).isEmpty()) continue;
        const QRect innen = l->contentsRect();
        const QRect r = QRect((QPointF(l->mapTo(fenster, innen.topLeft())) * dpr).toPoint(),
                              (QSizeF(innen.size()) * dpr).toSize())
                            .intersected(bild.rect());
        if (r.isEmpty()) continue;
        QHash<QRgb, int> anzahl;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                ++anzahl[bild.pixel(x, y)];
        QRgb grund = 0;
        int meiste = 0;
        for (auto it = anzahl.cbegin(); it != anzahl.cend(); ++it)
            if (it.value() > meiste) std::tie(grund, meiste) = std::pair(it.key(), it.value());
        QRgb schrift = grund;
        for (auto it = anzahl.cbegin(); it != anzahl.cend(); ++it)
            if (kontrast(it.key(), grund) > kontrast(schrift, grund)) schrift = it.key();
        const double k = kontrast(schrift, grund);
        if (k < mindestens)
            fehler << QStringLiteral("%1 \"%2\": %3 : 1 (%4 auf %5)")
                          .arg(l->objectName(), sichtbarerText(l).left(30))
                          .arg(k, 0, 'f', 1)
                          .arg(QColor(schrift).name(), QColor(grund).name());
    }
    return fehler;
}

QPalette dunklePalette() {
    QPalette p;
    const QColor grund(0x2d, 0x2d, 0x2d), feld(0x1e, 0x1e, 0x1e), hell(0xee, 0xee, 0xee);
    p.setColor(QPalette::Window, grund);
    p.setColor(QPalette::WindowText, hell);
    p.setColor(QPalette::Base, feld);
    p.setColor(QPalette::AlternateBase, QColor(0x35, 0x35, 0x35));
    p.setColor(QPalette::Text, hell);
    p.setColor(QPalette::Button, QColor(0x3a, 0x3a, 0x3a));
    p.setColor(QPalette::ButtonText, hell);
    p.setColor(QPalette::BrightText, Qt::white);
    p.setColor(QPalette::Light, QColor(0x55, 0x55, 0x55));
    p.setColor(QPalette::Midlight, QColor(0x48, 0x48, 0x48));
    p.setColor(QPalette::Mid, QColor(0x30, 0x30, 0x30));
    p.setColor(QPalette::Dark, QColor(0x1a, 0x1a, 0x1a));
    p.setColor(QPalette::Shadow, Qt::black);
    p.setColor(QPalette::Highlight, QColor(0x3d, 0x7a, 0xd6));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, grund);
    p.setColor(QPalette::ToolTipText, hell);
    p.setColor(QPalette::PlaceholderText, QColor(0x9a, 0x9a, 0x9a));
    p.setColor(QPalette::Link, QColor(0x7f, 0xb2, 0xff));
    for (auto rolle : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, rolle, QColor(0x80, 0x80, 0x80));
    return p;
}

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
