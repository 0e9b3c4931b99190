// The report texts: six layouts, line by line, on a small depot and an
// empty one; column cutting; the dividends of the printed short report.
#include "core/Berichte.h"
#include "core/Numbers.h"

#include <QTest>
#include <limits>

namespace {

Currency cur(const char* text) {
    return *Numbers::parseCurrency(QString::fromUtf8(text));
}

const QDate Heute(2024, 3, 15);

// Two packages: one with a 30-character name, together at a loss.
QList<BerichtPaket> depot() {
    BerichtPaket a;
    a.datum = QDate(2024, 3, 14);
    a.wpkn = u"840400";
    a.aktie = u"Allianz";
    a.stueck = 10;
    a.kaufpreis = cur("200");
    a.gebuehren = cur("9,9");
    a.tageskurs = cur("180,5");
    a.altkurs = cur("185");
    a.dividende = cur("12");
    a.kaufdatum = QDate(2024, 1, 2);
    BerichtPaket b;
    b.datum = QDate(2024, 3, 15);
    b.wpkn = u"123456";
    b.aktie = u"Deutsche Weltfonds Anlage Plus";
    b.stueck = 25;
    b.kaufpreis = cur("40");
    b.gebuehren = cur("5");
    b.tageskurs = cur("40");
    b.altkurs = cur("40"); // unchanged quote
    b.kaufdatum = QDate(2023, 2, 10);
    return {a, b};
}

Tageswerte tageswerte() {
    Tageswerte w;
    w.altallwert = cur("2900"); // the depot fell to 2805 since
    w.indexname = QStringLiteral("DAX");
    w.indexzahl = 16850.5;
    return w;
}

// Generated from the layouts' descriptions by an independent script.
const QStringList KurzGold = {
    QStringLiteral(" 14.03.2024  840400  Allianz            10     180,50     1805,00"),
    QStringLiteral(" 15.03.2024  123456  Deutsche Weltfo    25      40,00     1000,00"),
    QStringLiteral(" ________________________________________________________________"),
    QStringLiteral(""),
    QStringLiteral(" Gesamtkaufpreis        =    3014,90 Euro  (  5896,63 DM )"),
    QStringLiteral(" Wert alle Aktien       =    2805,00 Euro  (  5486,10 DM )"),
    QStringLiteral(" Gesamtgewinn / Verlust =    -209,90 Euro  (  -410,53 DM )"),
    QStringLiteral(""),
    QStringLiteral(" Werte in Euro (DM-Werte in Klammern)"),
};
const QStringList KurzDruckGold = {
    QStringLiteral(""),
    QStringLiteral("            BERICHT AKTIENBESTAND   am 15.03.2024"),
    QStringLiteral(""),
    QStringLiteral("          _____________________________________________________________________________________"),
    QStringLiteral(""),
    QStringLiteral("            Datum       WP-KN    Aktie                           Stück   Tageskurs    Ges-Wert"),
    QStringLiteral("          _____________________________________________________________________________________"),
    QStringLiteral(""),
    QStringLiteral("           14.03.2024  840400    Allianz                            10      180,50     1817,00"),
    QStringLiteral("           15.03.2024  123456    Deutsche Weltfonds Anlage          25       40,00     1000,00"),
    QStringLiteral(""),
    QStringLiteral("          _____________________________________________________________________________________"),
    QStringLiteral(""),
    QStringLiteral("           Gesamtkaufpreis        =    3014,90 Euro  (  5896,63 DM )"),
    QStringLiteral("           Wert alle Aktien       =    2817,00 Euro  (  5509,57 DM )"),
    QStringLiteral("           Gesamtgewinn / Verlust =    -197,90 Euro  (  -387,06 DM )"),
    QStringLiteral(""),
    QStringLiteral("           Werte in Euro (DM-Werte in Klammern)"),
    QStringLiteral(""),
};
const QStringList KomplettGold = {
    QStringLiteral(""),
    QStringLiteral("  14.03.2024  840400  Allianz                      10        9,90   02.01.2024       200,00      180,50        1805,00"),
    QStringLiteral("  15.03.2024  123456  Deutsche Weltfonds Anlag     25        5,00   10.02.2023        40,00       40,00        1000,00"),
    QStringLiteral("  ____________________________________________________________________________________________________________________"),
    QStringLiteral(""),
    QStringLiteral("  Gesamtkaufpreis        =      3014,90 Euro  (  5896,63 DM )"),
    QStringLiteral("  Wert alle Aktien       =      2805,00 Euro  (  5486,10 DM )"),
    QStringLiteral("  Gesamtgewinn / Verlust =      -209,90 Euro  (  -410,53 DM )"),
    QStringLiteral(""),
    QStringLiteral("  Werte in Euro (DM-Werte in Klammern)"),
};
const QStringList KomplettDruckGold = {
    QStringLiteral(""),
    QStringLiteral(""),
    QStringLiteral("            BERICHT AKTIENBESTAND   am 15.03.2024"),
    QStringLiteral(""),
    QStringLiteral(""),
    QStringLiteral("            ______________________________________________________________________________________________________________________"),
    QStringLiteral(""),
    QStringLiteral("              Datum     WP-KN   Aktie                  Stück     Gebühren    Kaufdatum      Kaufkurs    Tageskurs      Gesamtwert"),
    QStringLiteral("            ______________________________________________________________________________________________________________________"),
    QStringLiteral(""),
    QStringLiteral("            14.03.2024  840400  Allianz                   10         9,90   02.01.2024        200,00       180,50         1805,00"),
    QStringLiteral("            15.03.2024  123456  Deutsche Weltfonds A      25         5,00   10.02.2023         40,00        40,00         1000,00"),
    QStringLiteral(""),
    QStringLiteral("            ______________________________________________________________________________________________________________________"),
    QStringLiteral(""),
    QStringLiteral("            Gesamtkaufpreis        =      3014,90 Euro  (  5896,63 DM )"),
    QStringLiteral("            Wert alle Aktien       =      2805,00 Euro  (  5486,10 DM )"),
    QStringLiteral("            Gesamtgewinn / Verlust =      -209,90 Euro  (  -410,53 DM )"),
    QStringLiteral(""),
    QStringLiteral("            Werte in Euro (DM-Werte in Klammern)"),
    QStringLiteral(""),
};
const QStringList DifferenzGold = {
    QStringLiteral(" 14.03.2024  Allianz            180,50   353,03    -2,43    -8,80"),
    QStringLiteral(" 15.03.2024  Deutsche Weltfond   40,00    78,23     0,00     0,00"),
    QStringLiteral(" ________________________________________________________________"),
    QStringLiteral(""),
    QStringLiteral(" Tagesverlust  =     -95,00 Euro  (   -185,80 DM)"),
    QStringLiteral(" Gesamtverlust =    -209,90 Euro  (   -410,53 DM)"),
    QStringLiteral(""),
    QStringLiteral(" Index (DAX) = 16850,50"),
};
const QStringList DifferenzDruckGold = {
    QStringLiteral("              Bericht Aktien-Wertdifferenz  zum Vortag vom 15.03.2024"),
    QStringLiteral(""),
    QStringLiteral(""),
    QStringLiteral(""),
    QStringLiteral("                Datum     Aktie                  Kurs/EU     Kurs/DM      Diff %    Diff DM    Diff EU"),
    QStringLiteral(""),
    QStringLiteral("              14.03.2024  Allianz                 180,50      353,03       -2,43      -8,80      -4,50"),
    QStringLiteral("              15.03.2024  Deutsche Weltfonds A     40,00       78,23        0,00       0,00       0,00"),
    QStringLiteral("              ________________________________________________________________________________________"),
    QStringLiteral(""),
    QStringLiteral("              Tagesverlust   =     -95,00 Euro  (   -185,80 DM )"),
    QStringLiteral(""),
    QStringLiteral("              Gesamtverlust  =    -209,90 Euro  (   -410,53 DM )"),
    QStringLiteral(""),
    QStringLiteral("              Index (DAX alt)  = 16850,50  "),
};
const QStringList KurzLeer = {
    QStringLiteral(" Gesamtkaufpreis        =       0,00 Euro  (     0,00 DM )"),
    QStringLiteral(" Wert alle Aktien       =       0,00 Euro  (     0,00 DM )"),
    QStringLiteral(" Gesamtgewinn / Verlust =       0,00 Euro  (     0,00 DM )"),
    QStringLiteral(""),
    QStringLiteral(" Werte in Euro (DM-Werte in Klammern)"),
};
const QStringList KurzDruckLeer = {
    QStringLiteral(""),
    QStringLiteral("            BERICHT AKTIENBESTAND   am 15.03.2024"),
    QStringLiteral(""),
    QStringLiteral("            Datum       WP-KN    Aktie                           Stück   Tageskurs    Ges-Wert"),
    QStringLiteral("           Gesamtkaufpreis        =       0,00 Euro  (     0,00 DM )"),
    QStringLiteral("           Wert alle Aktien       =       0,00 Euro  (     0,00 DM )"),
    QStringLiteral("           Gesamtgewinn / Verlust =       0,00 Euro  (     0,00 DM )"),
    QStringLiteral(""),
    QStringLiteral("           Werte in Euro (DM-Werte in Klammern)"),
    QStringLiteral(""),
};
const QStringList KomplettLeer = {
    QStringLiteral(""),
    QStringLiteral("  Gesamtkaufpreis        =         0,00 Euro  (     0,00 DM )"),
    QStringLiteral("  Wert alle Aktien       =         0,00 Euro  (     0,00 DM )"),
    QStringLiteral("  Gesamtgewinn / Verlust =         0,00 Euro  (     0,00 DM )"),
    QStringLiteral(""),
    QStringLiteral("  Werte in Euro (DM-Werte in Klammern)"),
};
const QStringList KomplettDruckLeer = {
    QStringLiteral(""),
    QStringLiteral(""),
    QStringLiteral("            BERICHT AKTIENBESTAND   am 15.03.2024"),
    QStringLiteral(""),
    QStringLiteral(""),
    QStringLiteral("              Datum     WP-KN   Aktie                  Stück     Gebühren    Kaufdatum      Kaufkurs    Tageskurs      Gesamtwert"),
    QStringLiteral("            Gesamtkaufpreis        =         0,00 Euro  (     0,00 DM )"),
    QStringLiteral("            Wert alle Aktien       =         0,00 Euro  (     0,00 DM )"),
    QStringLiteral("            Gesamtgewinn / Verlust =         0,00 Euro  (     0,00 DM )"),
    QStringLiteral(""),
    QStringLiteral("            Werte in Euro (DM-Werte in Klammern)"),
    QStringLiteral(""),
};
const QStringList DifferenzLeer = {
    QStringLiteral(" Tagesgewinn   =       0,00 Euro  (      0,00 DM)"),
    QStringLiteral(" Gesamtgewinn  =       0,00 Euro  (      0,00 DM)"),
    QStringLiteral(""),
    QStringLiteral(" Index () = "),
};
const QStringList DifferenzDruckLeer = {
    QStringLiteral("              Bericht Aktien-Wertdifferenz  zum Vortag vom "),
    QStringLiteral(""),
    QStringLiteral(""),
    QStringLiteral(""),
    QStringLiteral("                Datum     Aktie                  Kurs/EU     Kurs/DM      Diff %    Diff DM    Diff EU"),
    QStringLiteral(""),
    QStringLiteral("              Tagesgewinn    =       0,00 Euro  (      0,00 DM )"),
    QStringLiteral(""),
    QStringLiteral("              Gesamtgewinn   =       0,00 Euro  (      0,00 DM )"),
    QStringLiteral(""),
    QStringLiteral("              Index ()  =           "),
};

void vergleiche(const QString& text, const QStringList& gold) {
    const QStringList zeilen = text.split(QStringLiteral("\r\n"));
    for (int i = 0; i < std::min(zeilen.size(), gold.size()); ++i)
        QCOMPARE(zeilen.at(i), gold.at(i));
    QCOMPARE(zeilen.size(), gold.size());
    // CR LF only: no lone line feed or carriage return in between.
    QCOMPARE(text.count(QLatin1Char('\n')), zeilen.size() - 1);
    QCOMPARE(text.count(QLatin1Char('\r')), zeilen.size() - 1);
}

} // namespace

class TstBerichte final : public QObject {
    Q_OBJECT
private slots:
    void spalten_data() {
        QTest::addColumn<QString>("wert");
        QTest::addColumn<int>("breite");
        QTest::addColumn<QString>("links");
        QTest::addColumn<QString>("rechts");
        QTest::newRow("kurz") << "12,5" << 6 << "12,5  "
                              << "  12,5";
        QTest::newRow("genau") << "123456" << 6 << "123456"
                               << "123456";
        // A longer value keeps its leftmost characters, whatever the alignment.
        QTest::newRow("zu lang") << "12345678,90" << 10 << "12345678,9"
                                 << "12345678,9";
        QTest::newRow("leer") << "" << 3 << "   "
                              << "   ";
    }
    void spalten() {
        QFETCH(QString, wert);
        QFETCH(int, breite);
        QFETCH(QString, links);
        QFETCH(QString, rechts);
        QCOMPARE(Berichte::links(wert, breite), links);
        QCOMPARE(Berichte::rechts(wert, breite), rechts);
    }

    void layouts_data() {
        QTest::addColumn<int>("art");
        QTest::addColumn<bool>("leer");
        QTest::addColumn<QStringList>("gold");
        QTest::newRow("kurz") << 0 << false << KurzGold;
        QTest::newRow("kurz gedruckt") << 1 << false << KurzDruckGold;
        QTest::newRow("komplett") << 2 << false << KomplettGold;
        QTest::newRow("komplett gedruckt") << 3 << false << KomplettDruckGold;
        QTest::newRow("differenz") << 4 << false << DifferenzGold;
        QTest::newRow("differenz gedruckt") << 5 << false << DifferenzDruckGold;
        QTest::newRow("kurz leer") << 0 << true << KurzLeer;
        QTest::newRow("kurz gedruckt leer") << 1 << true << KurzDruckLeer;
        QTest::newRow("komplett leer") << 2 << true << KomplettLeer;
        QTest::newRow("komplett gedruckt leer") << 3 << true << KomplettDruckLeer;
        QTest::newRow("differenz leer") << 4 << true << DifferenzLeer;
        QTest::newRow("differenz gedruckt leer") << 5 << true << DifferenzDruckLeer;
    }
    void layouts() {
        QFETCH(int, art);
        QFETCH(bool, leer);
        QFETCH(QStringList, gold);
        const QList<BerichtPaket> pakete = leer ? QList<BerichtPaket>{} : depot();
        const Tageswerte werte = leer ? Tageswerte{} : tageswerte();
        QString text;
        switch (art) {
        case 0:
            text = Berichte::kurzfassung(pakete, Heute).text;
            break;
        case 1:
            text = Berichte::kurzfassungDruck(pakete, Heute);
            break;
        case 2:
            text = Berichte::komplettfassung(pakete, Heute).text;
            break;
        case 3:
            text = Berichte::komplettfassungDruck(pakete, Heute);
            break;
        case 4:
            text = Berichte::differenz(pakete, werte).text;
            break;
        default:
            // The printout names the index as the screen report read it.
            text = Berichte::differenzDruck(pakete, werte, leer ? QString() : "DAX alt");
            break;
        }
        vergleiche(text, gold);
    }

    void titelUndKopf() {
        const auto kurz = Berichte::kurzfassung(depot(), Heute);
        QCOMPARE(kurz.titel, QStringLiteral(" Bericht Bestand am 15.03.2024"));
        QCOMPARE(kurz.kopf, QStringLiteral("   Datum                  WP-KN      Aktie           "
                                           "                     Stück         Tageskurs       "
                                           "  Gesamtwert"));
        const auto komplett = Berichte::komplettfassung(depot(), Heute);
        QCOMPARE(komplett.titel, QStringLiteral("    BERICHT AKTIENBESTAND   am 15.03.2024"));
        QCOMPARE(komplett.kopf.size(), 218);
        // The day-difference report is dated by its last package.
        const auto differenz = Berichte::differenz(depot(), tageswerte());
        QCOMPARE(differenz.titel, QStringLiteral(" Bericht Differenz zum Vortag vom  15.03.2024"));
        QCOMPARE(Berichte::differenz({}, {}).titel,
                 QStringLiteral(" Bericht Differenz zum Vortag vom  "));
    }

    // The printed emphasis ranges fall on the title and the header.
    void druckBereiche() {
        auto bereich = [](const QString& t, Berichte::Bereich b) { return t.mid(b.start, b.laenge); };
        QCOMPARE(bereich(Berichte::kurzfassungDruck(depot(), Heute), Berichte::KurzDruckTitel),
                 QStringLiteral("   BERICHT AKTIENBESTAND "));
        const QString komplett = Berichte::komplettfassungDruck(depot(), Heute);
        QCOMPARE(bereich(komplett, Berichte::KomplettDruckTitel),
                 QStringLiteral("BERICHT AKTIENBESTAND"));
        const QString kopf = bereich(komplett, Berichte::KomplettDruckKopf);
        QVERIFY(kopf.startsWith(QStringLiteral("___\r\n\r\n              Datum")));
        QVERIFY(kopf.endsWith(QStringLiteral("Gesamtwert\r\n     ")));
        const QString differenz = Berichte::differenzDruck(depot(), tageswerte(), "DAX");
        QCOMPARE(bereich(differenz, Berichte::DifferenzDruckTitel),
                 QStringLiteral("Bericht Aktien-Wertdifferenz"));
        QCOMPARE(bereich(differenz, Berichte::DifferenzDruckKopf),
                 QStringLiteral("  Datum     Aktie                  Kurs/EU     Kurs/DM      "
                                "Diff %    Diff DM    Diff EU"));
    }

    void dividendeNurImDruck() {
        QList<BerichtPaket> pakete = depot();
        pakete[1].dividende = cur("7,25");
        auto wertZeile = [](const QString& text) {
            for (const QString& z : text.split(QStringLiteral("\r\n")))
                if (z.contains(QStringLiteral("Wert alle Aktien"))) return z;
            return QString();
        };
        auto betragIn = [](const QString& zeile) {
            const QString nachGleich = zeile.mid(zeile.indexOf(QLatin1Char('=')) + 1);
            return *Numbers::parseCurrency(nachGleich.left(nachGleich.indexOf(QStringLiteral(" Euro"))).trimmed());
        };
        const Currency bildschirm = betragIn(wertZeile(Berichte::kurzfassung(pakete, Heute).text));
        const Currency druck = betragIn(wertZeile(Berichte::kurzfassungDruck(pakete, Heute)));
        QCOMPARE(druck - bildschirm, cur("19,25"));
        // The complete report agrees on screen and on paper.
        QCOMPARE(betragIn(wertZeile(Berichte::komplettfassung(pakete, Heute).text)), bildschirm);
        QCOMPARE(betragIn(wertZeile(Berichte::komplettfassungDruck(pakete, Heute))), bildschirm);
    }

    void breiterKursVerliertRechts() {
        QList<BerichtPaket> pakete = depot();
        pakete[0].tageskurs = cur("12345678,9");
        pakete[0].stueck = 1;
        const QString zeile = Berichte::komplettfassungDruck(pakete, Heute)
                                  .split(QStringLiteral("\r\n"))
                                  .at(10);
        // Tageskurs: 10 wide, "12345678,90" loses its last digit.
        QCOMPARE(zeile.mid(100, 13), QStringLiteral("   12345678,9"));
        QCOMPARE(zeile.size(), 129); // the columns keep their widths
    }

    void fehlendeWerteBleibenLeer() {
        BerichtPaket p;
        p.aktie = u"Ohne Werte";
        const QString zeile = Berichte::kurzfassung({p}, Heute).text.split(QStringLiteral("\r\n")).first();
        // Date, number, units and quote blank; the value counts them as 0.
        QCOMPARE(zeile, QString(21, QLatin1Char(' ')) + QStringLiteral("Ohne Werte") +
                            QString(30, QLatin1Char(' ')) + QStringLiteral("0,00"));
    }

    // A row written by another program may hold amounts whose product or sum
    // leaves the 64-bit range: the report says "zu groß", as the card does,
    // instead of a wrapped number, and every column keeps its width.
    void wertZuGross() {
        QList<BerichtPaket> pakete = depot();
        pakete[1].stueck = 999'999'999;
        pakete[1].tageskurs = cur("99999999999");
        const QStringList kurz =
            Berichte::kurzfassung(pakete, Heute).text.split(QStringLiteral("\r\n"));
        QCOMPARE(
            kurz.at(1),
            QStringLiteral(" 15.03.2024  123456  Deutsche Weltfo 99999 9999999999     zu groß"));
        QCOMPARE(kurz.at(5),
                 QStringLiteral(" Wert alle Aktien       =    zu groß Euro  (  zu groß DM )"));
        QCOMPARE(kurz.at(6),
                 QStringLiteral(" Gesamtgewinn / Verlust =    zu groß Euro  (  zu groß DM )"));
        const QStringList normal =
            Berichte::kurzfassung(depot(), Heute).text.split(QStringLiteral("\r\n"));
        QCOMPARE(kurz.size(), normal.size());
        for (int i = 0; i < kurz.size(); ++i)
            QCOMPARE(kurz.at(i).size(), normal.at(i).size());

        // The day difference: the totals cannot be formed either.
        Tageswerte w = tageswerte();
        const QStringList diff = Berichte::differenz(pakete, w).text.split(QStringLiteral("\r\n"));
        QCOMPARE(diff.at(4), QStringLiteral(" Tagesgewinn   =    zu groß Euro  (   zu groß DM)"));
        QCOMPARE(diff.at(5), QStringLiteral(" Gesamtgewinn  =    zu groß Euro  (   zu groß DM)"));

        // A sum of values that each fit, but not together.
        pakete = depot();
        for (BerichtPaket& p : pakete) {
            p.stueck = 1;
            p.tageskurs = Currency::fromRaw(std::numeric_limits<qint64>::max() / 2 + 1);
        }
        const QString druck = Berichte::kurzfassungDruck(pakete, Heute);
        QVERIFY(druck.contains(
            QStringLiteral("Wert alle Aktien       =    zu groß Euro  (  zu groß DM )")));
    }

    // The date columns are written without QDate's formatting: every day of
    // two centuries, the calendar's corners and the range's ends read as
    // "dd.MM.yyyy" does.
    void datumsspalten() {
        QList<BerichtPaket> pakete;
        for (QDate d(1899, 12, 25); d <= QDate(2101, 1, 5); d = d.addDays(1)) {
            BerichtPaket& p = pakete.emplaceBack();
            p.datum = d;
            p.kaufdatum = d.addDays(-1);
        }
        for (const QDate& d : {QDate(1, 1, 1), QDate(1582, 10, 15), QDate(1600, 2, 29),
                               QDate(9999, 12, 31), QDate(10000, 1, 1), QDate(-5, 3, 1)}) {
            BerichtPaket& p = pakete.emplaceBack();
            p.datum = d;
            p.kaufdatum = d;
        }
        const QStringList zeilen =
            Berichte::komplettfassung(pakete, Heute).text.split(QStringLiteral("\r\n"));
        for (qsizetype i = 0; i < pakete.size(); ++i) {
            const QString& z = zeilen.at(i + 1);
            const QDate d = pakete.at(i).datum;
            if (d.year() < 1 || d.year() > 9999) {
                // Outside four digits the date keeps its leftmost 10 characters.
                QCOMPARE(z.mid(2, 10), d.toString(QStringLiteral("dd.MM.yyyy")).left(10));
                continue;
            }
            QCOMPARE(z.mid(2, 10), d.toString(QStringLiteral("dd.MM.yyyy")));
            QCOMPARE(z.mid(68, 10), pakete.at(i).kaufdatum.toString(QStringLiteral("dd.MM.yyyy")));
        }
    }

    void fortschrittJeZeile() {
        QList<int> zeilen;
        Berichte::kurzfassung(depot(), Heute, [&](int i) { zeilen << i; });
        Berichte::differenz(depot(), tageswerte(), [&](int i) { zeilen << i; });
        QCOMPARE(zeilen, (QList<int>{1, 2, 1, 2}));
    }

    void tagesgewinnUndKeinIndex() {
        QList<BerichtPaket> pakete = depot();
        Tageswerte w;
        w.altallwert = cur("2804,99");
        const QStringList zeilen = Berichte::differenz(pakete, w).text.split(QStringLiteral("\r\n"));
        QCOMPARE(zeilen.at(4), QStringLiteral(" Tagesgewinn   =       0,01 Euro  (      0,02 DM)"));
        QCOMPARE(zeilen.last(), QStringLiteral(" Index () = "));
        // Without a previous quote the percentage column stays blank.
        pakete[0].altkurs = Currency();
        QCOMPARE(Berichte::differenz(pakete, w).text.split(QStringLiteral("\r\n")).first(),
                 QStringLiteral(" 14.03.2024  Allianz            180,50   353,03            353,03"));
    }
};

QTEST_MAIN(TstBerichte)
#include "tst_berichte.moc"
