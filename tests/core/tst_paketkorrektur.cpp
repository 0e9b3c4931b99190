// Arithmetic of the stock split and of merging packages.
#include "core/Numbers.h"
#include "core/Paketkorrektur.h"
#include "core/Rtf.h"

#include <QTest>

namespace {

Currency eur(const char* text) {
    return *Numbers::parseCurrency(QString::fromUtf8(text));
}

} // namespace

class TstPaketkorrektur final : public QObject {
    Q_OBJECT
private slots:
    void splitStueck_data() {
        QTest::addColumn<qint64>("stueck");
        QTest::addColumn<QString>("faktor");
        QTest::addColumn<qint64>("neu"); // -1 = refused
        QTest::newRow("15 zu 10") << qint64(15) << "10" << qint64(150);
        QTest::newRow("7,5 wird 8") << qint64(3) << "2,5" << qint64(8);
        QTest::newRow("12,5 wird 12") << qint64(5) << "2,5" << qint64(12);
        QTest::newRow("umgekehrter Split") << qint64(10) << "0,5" << qint64(5);
        QTest::newRow("fällt auf 0") << qint64(3) << "0,1" << qint64(-1);
        QTest::newRow("Faktor 0") << qint64(3) << "0" << qint64(-1);
        // The edit window's range: a larger result could not be saved again.
        QTest::newRow("genau die Grenze") << qint64(333333333) << "3" << qint64(999999999);
        QTest::newRow("über der Grenze") << qint64(500000000) << "3" << qint64(-1);
    }
    void splitStueck() {
        QFETCH(qint64, stueck);
        QFETCH(QString, faktor);
        QFETCH(qint64, neu);
        const auto r = Paketkorrektur::splitStueck(stueck, *Numbers::parseCurrency(faktor));
        QCOMPARE(r.value_or(-1), neu);
    }

    void splitKurs_data() {
        QTest::addColumn<QString>("kurs");
        QTest::addColumn<QString>("faktor");
        QTest::addColumn<QString>("neu"); // empty = refused
        QTest::newRow("120 zu 10") << "120"
                                   << "10"
                                   << "12,00";
        QTest::newRow("Drittel") << "10"
                                 << "3"
                                 << "3,33";
        QTest::newRow("halber Cent aufgerundet") << "0,25"
                                                 << "2"
                                                 << "0,13";
        QTest::newRow("negativ weg von null") << "-0,25"
                                              << "2"
                                              << "-0,13";
        // First to four decimals: 0,00495 → 0,0050, then "0.00" → 0,01.
        QTest::newRow("erst vier Stellen") << "0,0099"
                                           << "2"
                                           << "0,01";
        QTest::newRow("Faktor unter 1") << "13"
                                        << "0,5"
                                        << "26,00";
        QTest::newRow("Faktor 0") << "13"
                                  << "0"
                                  << "";
        QTest::newRow("zu groß") << "900000000000000"
                                 << "0,001"
                                 << "";
    }
    void splitKurs() {
        QFETCH(QString, kurs);
        QFETCH(QString, faktor);
        QFETCH(QString, neu);
        const auto r = Paketkorrektur::splitKurs(*Numbers::parseCurrency(kurs),
                                                 *Numbers::parseCurrency(faktor));
        QCOMPARE(r ? r->format00() : QString(), neu);
        if (r) QCOMPARE(r->raw() % 100, qint64(0)); // stored as shown
    }

    void buendeln() {
        QList<Paketkorrektur::Teil> teile{
            {10, eur("100"), eur("5"), eur("1,5"), Rtf::plainToRtf(QStringLiteral("Erste"))},
            {30, eur("120"), eur("7,5"), eur("2"), QStringLiteral(".")},
            {0, eur("0"), eur("0"), eur("0"), Rtf::plainToRtf(QStringLiteral("Zweite\nZeile"))},
        };
        const auto b = Paketkorrektur::buendeln(teile);
        QVERIFY(b);
        QCOMPARE(b->stueck, qint64(40));
        QCOMPARE(b->kaufpreis, eur("115"));
        QCOMPARE(b->gebuehren, eur("12,5"));
        QCOMPARE(b->dividende, eur("3,5"));
        // Notes saved empty (".") carry nothing; the others keep their order.
        QCOMPARE(Rtf::toPlainText(b->notizen), QStringLiteral("Erste\n\nZweite\nZeile"));
    }

    void buendelnDurchschnitt() {
        // 1 @ 10 + 2 @ 10,01 = 30,02 / 3 = 10,00666… → 10,01
        const auto b =
            Paketkorrektur::buendeln({{1, eur("10"), {}, {}, {}}, {2, eur("10,01"), {}, {}, {}}});
        QVERIFY(b);
        QCOMPARE(b->kaufpreis.format00(), QStringLiteral("10,01"));
        QCOMPARE(b->kaufpreis.raw() % 100, qint64(0));
        QVERIFY(b->notizen.isEmpty());
    }

    void einzigeNotizBleibtUnveraendert() {
        const QString rtf = QStringLiteral("{\\rtf1 {\\b fett} und normal\\par}");
        const auto b =
            Paketkorrektur::buendeln({{1, eur("1"), {}, {}, rtf}, {1, eur("1"), {}, {}, {}}});
        QVERIFY(b);
        QCOMPARE(b->notizen, rtf);
    }

    void buendelnGrenzen_data() {
        QTest::addColumn<qint64>("a");
        QTest::addColumn<qint64>("b");
        QTest::addColumn<bool>("ok");
        QTest::newRow("bis zur Grenze") << qint64(999999990) << qint64(9) << true;
        QTest::newRow("über der Grenze") << qint64(999999990) << qint64(10) << false;
        QTest::newRow("Summe 0") << qint64(0) << qint64(0) << false;
    }
    void buendelnGrenzen() {
        QFETCH(qint64, a);
        QFETCH(qint64, b);
        QFETCH(bool, ok);
        const auto r =
            Paketkorrektur::buendeln({{a, eur("1"), {}, {}, {}}, {b, eur("1"), {}, {}, {}}});
        QCOMPARE(bool(r), ok);
    }

    void buendelnBetragUeberlauf() {
        const Currency riesig = Currency::fromRaw(std::numeric_limits<std::int64_t>::max() - 5);
        QVERIFY(!Paketkorrektur::buendeln(
            {{1, eur("1"), riesig, {}, {}}, {1, eur("1"), riesig, {}, {}}}));
    }
};

QTEST_MAIN(TstPaketkorrektur)
#include "tst_paketkorrektur.moc"
