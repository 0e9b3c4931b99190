// Reading number fields into typed values: the one range for amounts and
// units, amounts read straight from the digits, checked arithmetic, and the
// exact DM/Euro conversion.
#include "core/Eingabe.h"
#include "core/Numbers.h"

#include <QTest>
#include <limits>

namespace {

constexpr qint64 MaxRaw = std::numeric_limits<qint64>::max();
constexpr qint64 MinRaw = std::numeric_limits<qint64>::min();

Currency roh(qint64 r) {
    return Currency::fromRaw(r);
}

} // namespace

class TstEingabe final : public QObject {
    Q_OBJECT
private slots:
    void betrag_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("negativErlaubt");
        QTest::addColumn<int>("fehler"); // Eingabe::Fehler
        QTest::addColumn<qint64>("raw");
        const int ok = int(Eingabe::Fehler::Keiner);
        const int zuGross = int(Eingabe::Fehler::ZuGross);
        QTest::newRow("größter Betrag") << "99999999999,9999" << false << ok << 999999999999999LL;
        QTest::newRow("ein Zehntausendstel mehr") << "100000000000" << false << zuGross << 0LL;
        QTest::newRow("eine Stelle mehr") << "999999999999,9999" << false << zuGross << 0LL;
        QTest::newRow("rundet über die Grenze") << "99999999999,99995" << false << zuGross << 0LL;
        QTest::newRow("rundet unter der Grenze")
            << "99999999999,99994" << false << ok << 999999999999999LL;
        QTest::newRow("jenseits von 64 Bit") << "1" + QString(30, '0') << false << zuGross << 0LL;
        QTest::newRow("kleinster Abgang") << "-99999999999,9999" << true << ok << -999999999999999LL;
        QTest::newRow("Abgang zu groß") << "-100000000000" << true << zuGross << 0LL;
        QTest::newRow("Minus ohne Erlaubnis") << "-5" << false << int(Eingabe::Fehler::KeineZahl)
                                              << 0LL;
        QTest::newRow("leer") << "" << false << int(Eingabe::Fehler::Leer) << 0LL;
        QTest::newRow("nur Komma") << "," << false << int(Eingabe::Fehler::KeineZahl) << 0LL;
        QTest::newRow("nur Minus") << "-" << true << int(Eingabe::Fehler::KeineZahl) << 0LL;
        QTest::newRow("halbes Zehntausendstel gerade") << "0,00005" << false << ok << 0LL;
        QTest::newRow("halbes Zehntausendstel ungerade") << "0,00015" << false << ok << 2LL;
    }
    void betrag() {
        QFETCH(QString, text);
        QFETCH(bool, negativErlaubt);
        QFETCH(int, fehler);
        QFETCH(qint64, raw);
        const auto f = Eingabe::betrag(text, negativErlaubt);
        QCOMPARE(int(f.fehler), fehler);
        QCOMPARE(f.ok(), fehler == int(Eingabe::Fehler::Keiner));
        if (f.ok()) QCOMPARE(f.wert->raw(), raw);
    }

    // Rounded once, from the typed digits, as "0.00" rounds: no double rounding.
    void betragInCent_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("cent");
        QTest::newRow("aufrunden") << "12,346" << "12,35";
        QTest::newRow("knapp unter der Hälfte") << "12,34499" << "12,34";
        QTest::newRow("Hälfte weg von Null") << "0,005" << "0,01";
        QTest::newRow("negativ, Hälfte weg von Null") << "-0,005" << "-0,01";
        QTest::newRow("größter Betrag in Cent") << "99999999999,99" << "99999999999,99";
        QTest::newRow("Punkt als Tausender") << "1.234,5" << "1234,50";
    }
    void betragInCent() {
        QFETCH(QString, text);
        QFETCH(QString, cent);
        const auto f = Eingabe::betragInCent(text, true);
        QVERIFY(f.ok());
        QCOMPARE(f.wert->format00(), cent);
        QCOMPARE(f.wert->raw() % 100, 0);
    }

    void stueck_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("fehler");
        QTest::addColumn<qint64>("wert");
        const int ok = int(Eingabe::Fehler::Keiner);
        QTest::newRow("größte Stückzahl") << "999999999" << ok << 999999999LL;
        QTest::newRow("eine Stelle mehr") << "9999999999" << int(Eingabe::Fehler::ZuGross) << 0LL;
        QTest::newRow("jenseits von 64 Bit") << QString(25, '9') << int(Eingabe::Fehler::ZuGross)
                                             << 0LL;
        QTest::newRow("mit Komma und Nullen") << "40,00" << ok << 40LL;
        QTest::newRow("Bruchteil") << "12,5" << int(Eingabe::Fehler::KeineGanzeZahl) << 0LL;
        QTest::newRow("Null") << "0" << ok << 0LL;
        QTest::newRow("leer") << "" << int(Eingabe::Fehler::Leer) << 0LL;
        QTest::newRow("nur Komma") << "," << int(Eingabe::Fehler::KeineZahl) << 0LL;
    }
    void stueck() {
        QFETCH(QString, text);
        QFETCH(int, fehler);
        QFETCH(qint64, wert);
        const auto f = Eingabe::stueck(text);
        QCOMPARE(int(f.fehler), fehler);
        if (f.ok()) QCOMPARE(*f.wert, wert);
    }

    // A product or sum beyond the 64-bit range is none, never a wrapped number.
    void gepruefteRechnung() {
        QCOMPARE(roh(MaxRaw - 1).plus(roh(1))->raw(), MaxRaw);
        QVERIFY(!roh(MaxRaw).plus(roh(1)));
        QVERIFY(!roh(MinRaw).minus(roh(1)));
        QCOMPARE(roh(-1).minus(roh(MaxRaw))->raw(), MinRaw);
        QVERIFY(!roh(-2).minus(roh(MaxRaw)));
        QVERIFY(!roh(922337203685477581LL).times(10));
        QCOMPARE(roh(999999999999999LL).times(9223)->raw(), 9222999999999990777LL);
        QVERIFY(!roh(999999999999999LL).times(9224));
        QVERIFY(!roh(MinRaw).times(-1));
        QCOMPARE(roh(12345).cents()->raw(), 12300);
        QCOMPARE(roh(-12350).cents()->raw(), -12400);
        QCOMPARE(roh(MinRaw).cents()->raw(), MinRaw + 8);

        QVERIFY(Eingabe::wert(Eingabe::MaxBetrag, 1));
        QVERIFY(!Eingabe::wert(Eingabe::MaxBetrag, 1, roh(1)));
        QVERIFY(!Eingabe::wert(Eingabe::MaxBetrag, Eingabe::MaxStueck));
        QCOMPARE(Eingabe::wert(roh(100000), 100, roh(99000))->format00(), QStringLiteral("1009,90"));
    }

    // Exact on the integer amounts; for ordinary amounts the same as the
    // double computation always gave.
    void umrechnung() {
        QCOMPARE(Numbers::euroToDm(Eingabe::MaxBetrag).raw(), 1955829999999998LL);
        QCOMPARE(Numbers::dmToEuro(roh(1955830000)).raw(), 1000000000LL);
        QCOMPARE(Numbers::euroToDm(roh(10099000)).raw(), 19751927LL); // 1009,90 Euro
        QVERIFY(!Numbers::euroToDmChecked(roh(MaxRaw)));
        QCOMPARE(Numbers::euroToDm(roh(MaxRaw)).raw(), MaxRaw);
        for (qint64 r = -300000; r <= 300000; r += 7) {
            const double euro = double(r) / 10000;
            if (Numbers::euroToDm(roh(r)) != Currency::fromDouble(euro * Numbers::DmRate) ||
                Numbers::dmToEuro(roh(r)) != Currency::fromDouble(euro / Numbers::DmRate))
                QFAIL(qPrintable(QString::number(r)));
        }
    }

    void anzeigeZurueckLesen() {
        QCOMPARE(Numbers::leadingCurrency(QStringLiteral("1000.00"))->raw(), 10000000LL);
        QCOMPARE(Numbers::leadingCurrency(QStringLiteral("12,5 DM"))->raw(), 125000LL);
        QCOMPARE(Numbers::leadingCurrency(QString())->raw(), 0LL);
        QCOMPARE(Numbers::leadingCurrency(QStringLiteral("99999999999.9999"))->raw(),
                 999999999999999LL);
        QVERIFY(!Numbers::leadingCurrency(QStringLiteral("1") + QString(20, '0')));
    }
};

QTEST_MAIN(TstEingabe)
#include "tst_eingabe.moc"
