// Quote files in the dialects download pages and banking programs write:
// each file read to the exact quotes it holds, with the dialect found, and
// each file that cannot be read refused with its reason.
//
// KAPITO_KORPUS_AUSGABE=<folder> writes every file of the test there (the
// fuzz target's seed corpus is made that way).
#include "core/Kursdatei.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace Kursdatei;
Q_DECLARE_METATYPE(Kursdatei::Fehler)

namespace {

QByteArray cp1252(const QString& s) {
    QByteArray b;
    for (const QChar c : s) {
        if (c == QChar(0x20AC)) b += '\x80';
        else
            b += char(c.unicode() < 256 ? c.unicode() : '?');
    }
    return b;
}

/// "zeile:datum:kurs[:name][:nummer]" of every quote, blank-separated.
QString kurzform(const Auswertung& a) {
    QStringList l;
    for (const Kurszeile& z : a.zeilen) {
        QString s = QStringLiteral("%1:%2:%3")
                        .arg(z.zeile)
                        .arg(z.datum.toString(Qt::ISODate), z.kurs.plainText());
        if (!z.name.isEmpty()) s += QLatin1Char(':') + z.name;
        if (!z.nummer.isEmpty()) s += QLatin1Char(':') + z.nummer;
        l << s;
    }
    return l.join(QLatin1Char(' '));
}

QString spaltenText(const Spalten& s) {
    return QStringLiteral("%1 %2 %3 %4").arg(s.datum).arg(s.kurs).arg(s.name).arg(s.nummer);
}

} // namespace

class TstKursdatei final : public QObject {
    Q_OBJECT
private slots:
    void dialekte_data() {
        QTest::addColumn<QByteArray>("datei");
        QTest::addColumn<QString>("dialekt"); ///< trenner kodierung dezimal datumsform
        QTest::addColumn<QString>("spalten"); ///< datum kurs name nummer
        QTest::addColumn<QString>("kurse");
        QTest::addColumn<QList<int>>("unlesbar");

        QTest::newRow("deutsch ; und Komma")
            << QByteArray("Datum;Eröffnung;Hoch;Tief;Schluss;Volumen\r\n"
                          "01.03.2024;1.230,00;1.240,50;1.225,10;1.234,56;15.000\r\n"
                          "04.03.2024;1.234,56;1.250,00;1.230,00;1.245,1234;12.500\r\n"
                          "05.03.2024;1.245,00;1.250,00;1.240,00;1.248,12345;9.000\r\n")
            << "; UTF-8 Komma (1.234,56) TT.MM.JJJJ" << "0 4 -1 -1"
            << "2:2024-03-01:1234,56 3:2024-03-04:1245,1234 4:2024-03-05:1248,1234"
            << QList<int>();
        // Quoted prices with thousands commas; the adjusted close only as a
        // stand-in, and here the plain close is there.
        QTest::newRow("englisch , und Punkt")
            << QByteArray("Date,Open,High,Low,Close,Adj Close,Volume\n"
                          "03/01/2024,\"1,230.00\",\"1,240.50\",\"1,225.10\",\"1,234.56\",1200.5,"
                          "15000\n"
                          "03/13/2024,1234.56,1250.00,1230.00,1245.10,1211.00,12500\n")
            << ", UTF-8 Punkt (1,234.56) MM/TT/JJJJ" << "0 4 -1 -1"
            << "2:2024-03-01:1234,56 3:2024-03-13:1245,1" << QList<int>();
        QTest::newRow("nur bereinigter Schluss")
            << QByteArray("Date,Open,Adj Close\n2024-03-01,10.5,10.25\n2024-03-04,10.75,10.5\n")
            << ", UTF-8 Punkt (1,234.56) JJJJ-MM-TT" << "0 2 -1 -1"
            << "2:2024-03-01:10,25 3:2024-03-04:10,5" << QList<int>();
        // No header: the first date column, the last column with decimals
        // (the volume after it is whole); a day above 12 settles the order.
        QTest::newRow("Tabulator ohne Kopf")
            << QByteArray("28/02/2024\t12,10\t12,50\t1500\n01/03/2024\t12,50\t12,60\t1700\n")
            << "\t UTF-8 Komma (1.234,56) TT/MM/JJJJ" << "0 2 -1 -1"
            << "1:2024-02-28:12,5 2:2024-03-01:12,6" << QList<int>();
        QTest::newRow("Windows-1252 mit Umlauten")
            << cp1252(QStringLiteral("Datum;Name;Kurs\n01.03.24;Müller Öl AG;12,50 €\n"
                                     "04.03.24;Bäcker & Söhne;8,125\n"))
            << "; Windows-1252 Komma (1.234,56) TT.MM.JJ" << "0 2 1 -1"
            << QStringLiteral("2:2024-03-01:12,5:Müller Öl AG 3:2024-03-04:8,125:Bäcker & Söhne")
            << QList<int>();
        // Many securities; "1.234" alone could be either notation, the ";"
        // file takes the German one. A quoted name holds ";" and a quote.
        QTest::newRow("viele Wertpapiere mit WKN")
            << QByteArray("WKN;Bezeichnung;Handelstag;Schlusskurs\n"
                          "840400;Allianz;2024-03-01;1.234\n"
                          "  716460 ;\"Sap \"\"neu\"\"; AG\";2024-03-01;170\n"
                          "840400;Allianz;2024-03-04;1.240\n")
            << "; UTF-8 Komma (1.234,56) JJJJ-MM-TT" << "2 3 1 0"
            << "2:2024-03-01:1234:Allianz:840400 3:2024-03-01:170:Sap \"neu\"; AG:716460 "
               "4:2024-03-04:1240:Allianz:840400"
            << QList<int>();
        // Titles, a "sep=" line, a line break inside quotes, an empty line,
        // unreadable rows in the middle and totals after the data.
        QTest::newRow("Titel und Fußzeilen")
            << QByteArray("\xEF\xBB\xBFsep=;\r\n"
                          "Kurshistorie Alpha AG\r\n"
                          "Börse: Xetra\r\n"
                          "\r\n"
                          "\"Datum\";\"Letzter\";\"Notiz\"\r\n"
                          "01.03.2024;\"10,50\";\"zwei\r\nZeilen\"\r\n"
                          "02.03.2024;n/a;\r\n"
                          "\r\n"
                          "03.03.2024;0,00;\r\n"
                          "04.03.2024;-1,00;\r\n"
                          "31.02.2024;11,00;\r\n"
                          "05.03.2024;11,25;\r\n"
                          "Summe;;\r\n"
                          "Alle Angaben ohne Gewähr\r\n")
            << "; UTF-8 mit Byte-Order-Mark Komma (1.234,56) TT.MM.JJJJ" << "0 1 -1 -1"
            << "6:2024-03-01:10,5 13:2024-03-05:11,25" << QList<int>{8, 10, 11, 12};
        QTest::newRow("ohne Kopf, Titel davor")
            << QByteArray("Kurse vom Broker\n2024-03-01,100,5\n2024-03-04,101,0\n")
            << ", UTF-8 Punkt (1,234.56) JJJJ-MM-TT" << "0 1 -1 -1"
            << "2:2024-03-01:100 3:2024-03-04:101" << QList<int>();
    }
    void dialekte() {
        QFETCH(QByteArray, datei);
        QFETCH(QString, dialekt);
        QFETCH(QString, spalten);
        QFETCH(QString, kurse);
        QFETCH(QList<int>, unlesbar);
        korpus(datei);
        const Tabelle t = zerlegen(datei);
        QCOMPARE(t.fehler, Fehler::Keiner);
        QCOMPARE(spaltenText(t.vorschlag), spalten);
        const Auswertung a = auswerten(t, t.vorschlag);
        QCOMPARE(a.fehler, Fehler::Keiner);
        QCOMPARE(QStringList({t.trenner, kodierungText(t.kodierung), dezimalText(a.dezimal),
                              datumsformText(a.datumsform, a.jahrZweistellig)})
                     .join(QLatin1Char(' ')),
                 dialekt);
        QCOMPARE(kurzform(a), kurse);
        QCOMPARE(a.unlesbar, unlesbar);
    }

    // A column chosen in the preview is judged anew from its own values.
    void andereSpalte() {
        const QByteArray datei("Datum;Eröffnung;Schluss\n01.03.2024;10,5;11\n04.03.2024;11,25;12\n");
        const Tabelle t = zerlegen(datei);
        Spalten s = t.vorschlag;
        QCOMPARE(s.kurs, 2);
        s.kurs = 1;
        QCOMPARE(kurzform(auswerten(t, s)), QStringLiteral("2:2024-03-01:10,5 3:2024-03-04:11,25"));
        s.datum = 2;
        QCOMPARE(auswerten(t, s).fehler, Fehler::KeinDatum);
        s = t.vorschlag;
        s.kurs = -1;
        QCOMPARE(auswerten(t, s).fehler, Fehler::KeinKurs);
    }

    void abgelehnt_data() {
        QTest::addColumn<QByteArray>("datei");
        QTest::addColumn<Fehler>("fehler");
        QTest::newRow("leer") << QByteArray() << Fehler::Leer;
        QTest::newRow("nur Leerzeilen") << QByteArray("\r\n \r\n\t\n") << Fehler::Leer;
        QTest::newRow("nur der Kopf") << QByteArray("Datum;Kurs\n") << Fehler::Leer;
        QTest::newRow("binär") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << Fehler::Binaer;
        QTest::newRow("Steuerzeichen")
            << QByteArray("\x01\x02\x03\x04\x05\x06\x07\x08\x0b\x0e\x0f\x10 Datum;Kurs\n")
            << Fehler::Binaer;
        QTest::newRow("kein Datum") << QByteArray("Name;Kurs\nAlpha;10,5\nBeta;11\n")
                                    << Fehler::KeinDatum;
        QTest::newRow("kein Kurs") << QByteArray("Datum;Notiz\n01.03.2024;gut\n02.03.2024;schlecht\n")
                                   << Fehler::KeinKurs;
        QTest::newRow("nichts lesbar")
            << QByteArray("Datum;Kurs\n01.03.2024;0\n02.03.2024;-3\n03.03.2024;"
                          "100000000000,00\n")
            << Fehler::NichtsLesbar;
        QTest::newRow("Daten ohne Datum") << QByteArray("Datum;Kurs\nheute;10\nmorgen;11\n")
                                          << Fehler::KeinDatum;
    }
    void abgelehnt() {
        QFETCH(QByteArray, datei);
        QFETCH(Fehler, fehler);
        korpus(datei);
        const Tabelle t = zerlegen(datei);
        const Auswertung a = auswerten(t, t.vorschlag);
        QCOMPARE(a.fehler, fehler);
        QVERIFY(!fehlerText(fehler).isEmpty());
        QVERIFY(a.zeilen.isEmpty());
    }

    void zuGross() {
        QByteArray gross(int(HoechsteGroesse) + 1, 'a');
        QCOMPARE(zerlegen(gross).fehler, Fehler::ZuGross);
    }

private:
    static void korpus(const QByteArray& datei) {
        const QString ordner = qEnvironmentVariable("KAPITO_KORPUS_AUSGABE");
        if (ordner.isEmpty()) return;
        QDir().mkpath(ordner);
        QString name = QString::fromUtf8(QTest::currentDataTag());
        for (QChar& c : name)
            if (c.unicode() > 127 || !c.isLetterOrNumber()) c = QLatin1Char('_');
        QFile f(QDir(ordner).filePath(name + QStringLiteral(".csv")));
        if (f.open(QIODevice::WriteOnly)) f.write(datei);
    }
};

QTEST_GUILESS_MAIN(TstKursdatei)
#include "tst_kursdatei.moc"
