// The calculator window over its engine: buttons, keyboard, displays,
// options and the message box.

#include "extras/Rechner.h"
#include "platform/Dialogs.h"
#include "platform/HoverButton.h"
#include "support/TestUtil.h"

#include <QLabel>
#include <QRadioButton>
#include <QtTest>

class TestRechner final : public QObject {
    Q_OBJECT
private slots:
    void knoepfe() {
        ScriptedDialogs boxen;
        Rechner r(boxen);
        r.show();
        QCOMPARE(r.Readout->text(), QStringLiteral("0,"));
        QCOMPARE(r.Label1->text(), QStringLiteral("0,"));
        QVERIFY(r.Option1->isChecked());
        QCOMPARE(r.Operator[2]->text(), QStringLiteral("X"));
        QCOMPARE(r.Befehl1->text(), QStringLiteral("&Schließen"));

        r.Number[7]->click();
        QCOMPARE(r.Readout->text(), QStringLiteral("7,"));
        QVERIFY(!r.Option1->isEnabled() && !r.Option2->isEnabled());
        r.Operator[1]->click();
        QVERIFY(r.Option1->isEnabled() && r.Option2->isEnabled());
        r.Number[5]->click();
        r.Operator[4]->click();
        QCOMPARE(r.Readout->text(), QStringLiteral("12"));
        QCOMPARE(r.Label1->text(), QStringLiteral("6,14"));

        r.Option2->click();
        QCOMPARE(r.Label3->text(), QStringLiteral("EU"));
        QCOMPARE(r.Label4->text(), QStringLiteral("DM"));
        QCOMPARE(r.Readout->text(), QStringLiteral("0,"));
        QCOMPARE(r.Label1->text(), QStringLiteral("0,"));

        // The keyboard works the same keys; Enter is "=".
        typeText(&r, "8/0");
        pressEnter(&r);
        QCOMPARE(boxen.shown.size(), 1);
        QCOMPARE(boxen.lastText(), QStringLiteral("Division durch Null ist nicht möglich"));
        QCOMPARE(boxen.shown.last().title, QStringLiteral("Rechner"));
        QCOMPARE(boxen.shown.last().icon, Dialogs::Icon::Exclamation);
        QCOMPARE(r.Readout->text(), QStringLiteral("8"));
        QCOMPARE(r.Label1->text(), QStringLiteral("15,65"));

        r.Cancel->click();
        QCOMPARE(r.Readout->text(), QStringLiteral("0,"));
        QCOMPARE(r.Label1->text(), QStringLiteral("0,"));
        typeText(&r, "200*5%=");
        QCOMPARE(r.Readout->text(), QStringLiteral("10"));

        // Tab reaches the keys; Enter on one is still "=", Space presses it.
        r.Cancel->click();
        QVERIFY(r.Number[9]->focusPolicy() & Qt::TabFocus);
        r.Number[9]->setFocus();
        typeText(r.Number[9], "6+");
        QTest::keyClick(r.Number[9], Qt::Key_Space);
        QTest::keyClick(r.Number[9], Qt::Key_Return);
        QCOMPARE(r.Readout->text(), QStringLiteral("15"));

        r.Befehl1->click();
        QVERIFY(!r.isVisible());
        QCOMPARE(boxen.shown.size(), 1);
    }
};

QTEST_MAIN(TestRechner)
#include "tst_rechner.moc"
