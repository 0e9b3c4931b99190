// The watch list's rules: the computed columns, the totals line to the
// blank, the printed report and the chart points.
#include "core/Beobachtung.h"
#include "core/Numbers.h"

#include <QTest>

namespace {

std::optional<Currency> cur(const QString& text) {
    if (text.isNull()) return std::nullopt;
    return *Numbers::parseCurrency(text);
}

BeobachtetePosition position(std::optional<qint64> stueck, const QString& kauf,
                             const QString& kurs) {
    BeobachtetePosition p;
    p.stueck = stueck;
    p.kaufkurs = cur(kauf);
    p.kurs = cur(kurs);
    return p;
}

} // namespace

Q_DECLARE_METATYPE(std::optional<qint64>)

class TstBeobachtung final : public QObject {
    Q_OBJECT
private slots:
    void bewerten_data() {
        QTest::addColumn<std::optional<qint64>>("stueck");
        QTest::addColumn<QString>("kauf");
        QTest::addColumn<QString>("kurs");
        QTest::addColumn<QString>("gesamtwert");
        QTest::addColumn<QString>("prozent");
        QTest::addColumn<QString>("euro");
        QTest::addColumn<bool>("gezaehlt");
        using S = std::optional<qint64>;
        QTest::newRow("Gewinn") << S(10) << "12,5"
                                << "15"
                                << "150,00"
                                << "20,00"
                                << "25,00" << true;
        QTest::newRow("Verlust") << S(3) << "150"
                                 << "100"
                                 << "300,00"
                                 << "-33,33"
                                 << "-150,00" << true;
        QTest::newRow("vier Nachkommastellen") << S(7) << "0,3333"
                                               << "0,3334"
                                               << "2,33"
                                               << "0,03"
                                               << "0,00" << true;
        // Without a purchase value there is no percentage; the row still counts.
        QTest::newRow("0 Stück") << S(0) << "12,5"
                                 << "15"
                                 << "0,00"
                                 << ""
                                 << "0,00" << true;
        QTest::newRow("Kaufkurs 0") << S(5) << "0"
                                    << "2"
                                    << "10,00"
                                    << ""
                                    << "10,00" << true;
        QTest::newRow("ohne Kurs") << S(5) << "2" << QString() << ""
                                   << ""
                                   << "" << false;
        QTest::newRow("ohne Stück") << S() << "2"
                                    << "3"
                                    << ""
                                    << ""
                                    << "" << false;
        QTest::newRow("außerhalb des Bereichs") << S(1000000000000000) << "1"
                                                << "1000000"
                                                << ""
                                                << ""
                                                << "" << false;
    }
    void bewerten() {
        QFETCH(std::optional<qint64>, stueck);
        QFETCH(QString, kauf);
        QFETCH(QString, kurs);
        QFETCH(QString, gesamtwert);
        QFETCH(QString, prozent);
        QFETCH(QString, euro);
        QFETCH(bool, gezaehlt);
        const auto b = Beobachtung::bewerten(position(stueck, kauf, kurs));
        QCOMPARE(b.gesamtwert, gesamtwert);
        QCOMPARE(b.prozent, prozent);
        QCOMPARE(b.euro, euro);
        // A row that cannot be valued leaves the sums alone.
        const auto s = Beobachtung::summieren({b, Beobachtung::bewerten(position(1, "1", "2"))});
        const Currency erwartet = Currency::fromWhole(2) + (gezaehlt ? *b.wert : Currency());
        QCOMPARE(s.wert, erwartet);
    }

    // One blank before the first "DM)", two before the second; a gain of
    // exactly 0 is a gain.
    void summenzeile_data() {
        QTest::addColumn<QList<BeobachtetePosition>>("positionen");
        QTest::addColumn<QString>("zeile");
        QTest::newRow("Gewinn") << QList{position(10, "12,5", "15")}
                                << " Depotwert =  150,00 Euro    (293,37 DM)         "
                                   "Depotgewinn =  25,00 Euro    (48,90  DM)";
        QTest::newRow("Verlust") << QList{position(10, "12,5", "15"), position(5, "20", "10")}
                                 << " Depotwert =  200,00 Euro    (391,17 DM)         "
                                    "Depotverlust =  -25,00 Euro    (-48,90  DM)";
        QTest::newRow("genau 0") << QList{position(10, "12,5", "12,5")}
                                 << " Depotwert =  125,00 Euro    (244,48 DM)         "
                                    "Depotgewinn =  0,00 Euro    (0,00  DM)";
        QTest::newRow("leer") << QList<BeobachtetePosition>()
                              << " Depotwert =  0,00 Euro    (0,00 DM)         "
                                 "Depotgewinn =  0,00 Euro    (0,00  DM)";
    }
    void summenzeile() {
        QFETCH(QList<BeobachtetePosition>, positionen);
        QFETCH(QString, zeile);
        QList<Beobachtung::Bewertung> b;
        for (const auto& p : positionen)
            b << Beobachtung::bewerten(p);
        QCOMPARE(Beobachtung::summenzeile(Beobachtung::summieren(b)), zeile);
    }

    void bericht() {
        BeobachtetePosition a, b;
        a.texte = QStringList{"15.03.2024", "Alpha", "840400", "10", "12,5", "15"};
        b.texte = QStringList{"01.02.2024", "Sehr lange Aktienbezeichnung AG",
                              "1234567",    "123456",
                              "1234,5678",  "9,9"};
        const QString summen =
            Beobachtung::summenzeile({Currency::fromWhole(100), Currency::fromWhole(125)});
        const QString text = Beobachtung::bericht({a, b}, QDate(2024, 3, 15), summen);
        const QString rand(12, u' ');
        const QString linie = rand + QString(73, u'-');
        const QStringList erwartet{
            "",
            "            BERICHT Beobachten-Depot am 15.03.2024",
            "",
            "            Datum       Aktie                    WP-KN   Stück   Kaufkurs   Tageskurs",
            linie,
            "            15.03.2024  Alpha                    840400     10       12,5          15",
            "            01.02.2024  Sehr lange Aktienbezeic  123456  12345  1234,5678         9,9",
            linie,
            "            Depotwert =  100,00 Euro    (195,58 DM)",
            "            Depotverlust =  -25,00 Euro    (-48,90  DM)",
        };
        QCOMPARE(text.split(QStringLiteral("\r\n")), erwartet);
        QVERIFY(!text.contains(QRegularExpression(QStringLiteral("[^\r]\n"))));
    }

    // The newest 30 of 40 quotes, oldest at the left; a quote stored with a
    // point or unreadable is drawn as its leading number.
    void chart() {
        QStringList kurse;
        for (int i = 1; i <= 40; ++i)
            kurse << QStringLiteral("%1,50").arg(i);
        kurse[38] = QStringLiteral("7.125");
        kurse[39] = QStringLiteral("abc");
        Chartmodell m;
        m.setTitel(QStringLiteral("30 Tage-Chart"));
        m.setGitter(Chartmodell::Waagerecht);
        Beobachtung::chart(m, kurse, QStringLiteral("  Alpha AG "));
        QCOMPARE(m.typ(), int(Chartmodell::Linie));
        QCOMPARE(m.labelModus(), int(Chartmodell::BeideAchsen));
        QCOMPARE(m.titel(), QStringLiteral("Alpha AG"));
        QCOMPARE(m.gitter(), std::optional<int>(Chartmodell::Waagerecht));
        QCOMPARE(m.punktzahl(), 30);
        QCOMPARE(m.wert(1), 11.5);
        QCOMPARE(m.beschriftung(1), QStringLiteral("11,50"));
        QCOMPARE(m.wert(28), 38.5);
        QCOMPARE(m.wert(29), 7.125);
        QCOMPARE(m.beschriftung(29), QStringLiteral("7,13"));
        QCOMPARE(m.wert(30), 0.0);
        QCOMPARE(m.beschriftung(30), QStringLiteral("0,00"));

        Beobachtung::chart(m, kurse.mid(0, 2), QStringLiteral("Beta"));
        QCOMPARE(m.punktzahl(), 2);
        QCOMPARE(m.werte(), (QList<double>{1.5, 2.5}));
    }
};

QTEST_APPLESS_MAIN(TstBeobachtung)
#include "tst_beobachtung.moc"
