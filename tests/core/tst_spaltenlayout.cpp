// Column layouts of the tables.
#include "core/Spaltenlayout.h"

#include <QTest>

class TstSpaltenlayout final : public QObject {
    Q_OBJECT
private slots:
    void overview() {
        const auto sp = Spaltenlayout::lesen(QStringLiteral(
            "<Wertpapier                              |>Stück    |>Kaufkurs      |>Gebühren     "
            "|>Aktualisiert  |>Tageskurs    |>WP-KN      "));
        QCOMPARE(sp.size(), 7);
        const QStringList koepfe{"Wertpapier",   "Stück",     "Kaufkurs", "Gebühren",
                                 "Aktualisiert", "Tageskurs", "WP-KN"};
        const QList<int> breiten{40, 9, 14, 13, 14, 13, 11};
        for (int i = 0; i < 7; ++i) {
            QCOMPARE(sp[i].kopf, koepfe[i]);
            QCOMPARE(sp[i].breite, breiten[i]);
            QCOMPARE(sp[i].ausrichtung,
                     i == 0 ? Spalte::Ausrichtung::Links : Spalte::Ausrichtung::Rechts);
        }
    }

    void marks() {
        const auto sp = Spaltenlayout::lesen(QStringLiteral("^Mitte |ohne|>|"));
        QCOMPARE(sp.size(), 4);
        QCOMPARE(sp[0].ausrichtung, Spalte::Ausrichtung::Mitte);
        QCOMPARE(sp[0].breite, 6);
        QCOMPARE(sp[1].ausrichtung, Spalte::Ausrichtung::Links);
        QCOMPARE(sp[1].breite, 4);
        QCOMPARE(sp[2].kopf, QString());
        QCOMPARE(sp[2].breite, 0);
        QCOMPARE(sp[3].breite, 0);
        QVERIFY(Spaltenlayout::lesen(QString()).isEmpty());
    }
};

QTEST_MAIN(TstSpaltenlayout)
#include "tst_spaltenlayout.moc"
