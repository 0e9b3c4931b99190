// Hover buttons and the reset over a window's free area.
#include "platform/HoverButton.h"
#include "platform/HoverReset.h"

#include <QDialog>
#include <QEnterEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace {
void enter(QWidget* w) {
    QEnterEvent e(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(w, &e);
}
void moveOver(QWidget* w) {
    QMouseEvent e(QEvent::MouseMove, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)), Qt::NoButton,
                  Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
} // namespace

class TstHover final : public QObject {
    Q_OBJECT
private slots:
    // In a dialog, Enter in a field presses no button; Enter on a focused
    // button presses that one, once.
    void enterDrueckt() {
        QDialog d;
        auto* feld = new QLineEdit(&d);
        auto* erster = new HoverButton(QIcon(), QStringLiteral(" Hilfe aufrufen "), &d);
        auto* zweiter = new HoverButton(QIcon(), QStringLiteral(" Daten speichern "), &d);
        auto* box = new QVBoxLayout(&d);
        for (QWidget* w : {static_cast<QWidget*>(feld), static_cast<QWidget*>(erster),
                           static_cast<QWidget*>(zweiter)})
            box->addWidget(w);
        QSignalSpy hilfe(erster, &QPushButton::clicked);
        QSignalSpy speichern(zweiter, &QPushButton::clicked);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        feld->setFocus();
        QTest::keyClick(feld, Qt::Key_Return);
        QCOMPARE(hilfe.size(), 0);
        QCOMPARE(speichern.size(), 0);
        QVERIFY(d.isVisible());
        zweiter->setFocus();
        QTest::keyClick(zweiter, Qt::Key_Return);
        QTest::keyClick(zweiter, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(hilfe.size(), 0);
        QCOMPARE(speichern.size(), 2);
    }

    void hoverLookAndHint() {
        HoverButton b(QIcon(), QStringLiteral("Kaufen"));
        b.setHint(QStringLiteral(" Wertpapiere kaufen"));
        QSignalSpy hints(&b, &HoverButton::hinweis);
        const QColor ruhe = b.palette().color(QPalette::Button);
        enter(&b);
        QVERIFY(b.isHover());
        QVERIFY(b.palette().color(QPalette::Button) != ruhe);
        QCOMPARE(hints.size(), 1);
        QCOMPARE(hints.first().first().toString(), QStringLiteral(" Wertpapiere kaufen"));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&b, &leave);
        QVERIFY(!b.isHover());
        QCOMPARE(b.palette().color(QPalette::Button), ruhe);

        // A disabled button neither lights up nor hints.
        b.setEnabled(false);
        enter(&b);
        QVERIFY(!b.isHover());
        QCOMPARE(hints.size(), 1);
    }

    void resetOverFreeArea() {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* frame = new QFrame;
        auto* inFrame = new HoverButton;
        auto* frameLayout = new QVBoxLayout(frame);
        frameLayout->addWidget(inFrame);
        auto* label = new QLabel(QStringLiteral("Wert"));
        layout->addWidget(frame);
        layout->addWidget(label);
        int resets = 0;
        HoverReset::install(&window, [&] { ++resets; });
        // Added after the reset was installed: still covered.
        auto* late = new HoverButton;
        layout->addWidget(late);
        auto* lateFrame = new QFrame;
        lateFrame->setMinimumSize(50, 50);
        layout->addWidget(lateFrame);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        // The pointer jumped: both buttons were entered, none was left.
        enter(inFrame);
        enter(late);
        moveOver(label); // a label is not free area
        QVERIFY(inFrame->isHover());
        QCOMPARE(resets, 0);

        moveOver(frame);
        QVERIFY(!inFrame->isHover());
        QVERIFY(!late->isHover());
        QCOMPARE(resets, 1);

        enter(late);
        moveOver(lateFrame);
        QVERIFY(!late->isHover());
        moveOver(&window);
        QCOMPARE(resets, 3);
        QVERIFY(window.hasMouseTracking());
        QVERIFY(lateFrame->hasMouseTracking());
    }
};

QTEST_MAIN(TstHover)
#include "tst_hover.moc"
