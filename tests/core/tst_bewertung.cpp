// Valuation of packages and the texts of the value panel.
#include "core/Bewertung.h"
#include "core/Numbers.h"

#include <QTest>

namespace {
Currency cur(const char* text) {
    return *Numbers::parseCurrency(QString::fromUtf8(text));
}
} // namespace

class TstBewertung final : public QObject {
    Q_OBJECT
private slots:
    void paket_data() {
        QTest::addColumn<qint32>("stueck");
        QTest::addColumn<QString>("kaufpreis");
        QTest::addColumn<QString>("gebuehren");
        QTest::addColumn<QString>("tageskurs");
        QTest::addColumn<QString>("altkurs");
        QTest::addColumn<QString>("kaufwert");
        QTest::addColumn<QString>("aktwert");
        QTest::addColumn<QString>("gewinn");
        QTest::addColumn<QString>("kursdiff");
        QTest::addColumn<QString>("prozent"); // "" = none

        QTest::newRow("fees make a loss") << 10 << "20"
                                          << "5"
                                          << "20"
                                          << "20"
                                          << "205,00"
                                          << "200,00"
                                          << "-5,00"
                                          << "0,00"
                                          << "0,00";
        QTest::newRow("ten percent up") << 1 << "50"
                                        << "0"
                                        << "55"
                                        << "50"
                                        << "50,00"
                                        << "55,00"
                                        << "5,00"
                                        << "5,00"
                                        << "10,00";
        QTest::newRow("down against previous") << 3 << "10"
                                               << "1"
                                               << "9,5"
                                               << "10"
                                               << "31,00"
                                               << "28,50"
                                               << "-2,50"
                                               << "-0,50"
                                               << "-5,00";
        QTest::newRow("no previous quote") << 5 << "10"
                                           << "0"
                                           << "12"
                                           << "0"
                                           << "50,00"
                                           << "60,00"
                                           << "10,00"
                                           << "12,00"
                                           << "";
        QTest::newRow("above 16-bit units") << 40000 << "1,5"
                                            << "0"
                                            << "2"
                                            << "2"
                                            << "60000,00"
                                            << "80000,00"
                                            << "20000,00"
                                            << "0,00"
                                            << "0,00";
    }
    void paket() {
        QFETCH(qint32, stueck);
        QFETCH(QString, kaufpreis);
        QFETCH(QString, gebuehren);
        QFETCH(QString, tageskurs);
        QFETCH(QString, altkurs);
        PaketWerte p;
        p.stueck = stueck;
        p.kaufpreis = *Numbers::parseCurrency(kaufpreis);
        p.gebuehren = *Numbers::parseCurrency(gebuehren);
        p.tageskurs = *Numbers::parseCurrency(tageskurs);
        p.altkurs = *Numbers::parseCurrency(altkurs);
        const PaketBewertung b = bewerte(p);
        QTEST(b.kaufwert.format00(), "kaufwert");
        QTEST(b.aktwert.format00(), "aktwert");
        QTEST(b.gewinn.format00(), "gewinn");
        QTEST(b.kursdiff.format00(), "kursdiff");
        QTEST(b.prozent ? Numbers::format00(double(*b.prozent)) : QString(), "prozent");
    }

    void summen_data() {
        QTest::addColumn<QString>("wert");
        QTest::addColumn<QString>("kauf");
        QTest::addColumn<QString>("labelGesamtwert");
        QTest::addColumn<QString>("label10");
        QTest::addColumn<QString>("labelAllgewinn");
        QTest::addColumn<QString>("label14");
        QTest::addColumn<QString>("label17");

        QTest::newRow("empty depot") << "0"
                                     << "0"
                                     << "0.00"
                                     << "0,00 DM"
                                     << "0.00"
                                     << "0,00 DM"
                                     << "Kein Gewinn / kein Verlust";
        QTest::newRow("total 1000") << "1000"
                                    << "1000"
                                    << "1000.00"
                                    << "1955,83 DM"
                                    << "0.00"
                                    << "0,00 DM"
                                    << "Kein Gewinn / kein Verlust";
        QTest::newRow("one cent gain") << "100,01"
                                       << "100"
                                       << "100.01"
                                       << "195,60 DM"
                                       << "0.01"
                                       << "0,02 DM"
                                       << "-- Gesamtgewinn --------------------";
        QTest::newRow("loss of fees") << "200"
                                      << "205"
                                      << "200.00"
                                      << "391,17 DM"
                                      << "-5.00"
                                      << "-9,78 DM"
                                      << "-- Gesamtverlust --------------------";
        // Below half a cent the shown gain is 0.00: no sign, no verdict of loss.
        QTest::newRow("rounds to zero") << "100"
                                        << "100,004"
                                        << "100.00"
                                        << "195,58 DM"
                                        << "0.00"
                                        << "0,00 DM"
                                        << "Kein Gewinn / kein Verlust";
        // DM is computed from the amount as shown (1000.01), not from 1000.0149.
        QTest::newRow("from the shown amount") << "1000,0149"
                                               << "0"
                                               << "1000.01"
                                               << "1955,85 DM"
                                               << "1000.01"
                                               << "1955,85 DM"
                                               << "-- Gesamtgewinn --------------------";
    }
    void summen() {
        QFETCH(QString, wert);
        QFETCH(QString, kauf);
        const Summen s = summenTexte(cur(wert.toUtf8()), cur(kauf.toUtf8()));
        QTEST(s.labelGesamtwert, "labelGesamtwert");
        QTEST(s.label10, "label10");
        QTEST(s.labelAllgewinn, "labelAllgewinn");
        QTEST(s.label14, "label14");
        QTEST(s.label17, "label17");
        QCOMPARE(s.gesamtgewinn, cur(wert.toUtf8()) - cur(kauf.toUtf8()));
    }
};

QTEST_MAIN(TstBewertung)
#include "tst_bewertung.moc"
