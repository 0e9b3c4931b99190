// Labels and buttons stay readable: a value label is read by its value, a lit
// button's caption keeps its contrast under a dark palette.
#include "platform/HoverButton.h"
#include "platform/Wertanzeige.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QTest>

class TstLesbar final : public QObject {
    Q_OBJECT
private slots:
    void wertanzeige_data() {
        QTest::addColumn<QString>("beschriftung");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::newRow("Wert") << "Ergebnis"
                              << "12"
                              << "Ergebnis: 12";
        QTest::newRow("Blanks der Beschriftung") << "   Aktueller Wert"
                                                 << "210,00"
                                                 << "Aktueller Wert: 210,00";
        QTest::newRow("mehrzeilig") << "Depotwert"
                                    << "\nTagesgewinn\n5,00"
                                    << "Depotwert: Tagesgewinn 5,00";
        QTest::newRow("leer") << "Stück"
                              << ""
                              << "Stück";
    }
    // The name follows each new text, also one set after a caption name.
    void wertanzeige() {
        QFETCH(QString, beschriftung);
        QFETCH(QString, text);
        QFETCH(QString, name);
        QLabel l(QStringLiteral("alt"));
        l.setAccessibleName(QStringLiteral("Ergebnis"));
        ::wertanzeige(&l, beschriftung);
        l.setText(text);
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&l);
        QVERIFY(a);
        QCOMPARE(a->text(QAccessible::Name), name);
        QCOMPARE(a->role(), QAccessible::StaticText);
        l.setText(QStringLiteral("13"));
        QCOMPARE(a->text(QAccessible::Name), beschriftung.trimmed() + QStringLiteral(": 13"));
    }

    void beleuchteterKnopfUnterDunklerPalette() {
        QPalette dunkel;
        dunkel.setColor(QPalette::Highlight, QColor(0x3d, 0x7a, 0xd6));
        dunkel.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
        dunkel.setColor(QPalette::Button, QColor(0x3a, 0x3a, 0x3a));
        HoverButton b;
        b.setText(QStringLiteral(" Daten speichern "));
        b.setPalette(dunkel);
        b.setHover(true);
        const QColor grund = b.palette().color(QPalette::Button);
        const QColor schrift = b.palette().color(QPalette::ButtonText);
        QVERIFY2(qAbs(grund.lightness() - schrift.lightness()) > 128,
                 qPrintable(grund.name() + QStringLiteral(" / ") + schrift.name()));
        b.setHover(false);
        QCOMPARE(b.palette().color(QPalette::ButtonText), QColor(0xee, 0xee, 0xee));
    }
};

QTEST_MAIN(TstLesbar)
#include "tst_lesbar.moc"
