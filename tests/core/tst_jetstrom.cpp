// The row stream of the Jet reader: what arrives is exactly what was sent,
// however the bytes are cut into pieces, and a broken stream always ends in
// an error.

#include "core/JetStrom.h"
#include <QTest>
#include <charconv>
#include <cstring>
#include <limits>

namespace {

/// Writes every call down as one line of text.
struct Protokoll final : JetStromEmpfaenger {
    QStringList zeilen;
    int ablehnenBei = -1; ///< refuse the call with this number

    bool weiter() { return int(zeilen.size()) != ablehnenBei + 1; }
    bool umfang(qint64 n) override {
        zeilen << QStringLiteral("umfang %1").arg(n);
        return weiter();
    }
    bool tabelle(const QString& name, const QList<JetSpalte>& spalten, qint64 angegeben) override {
        QStringList s;
        for (const JetSpalte& c : spalten)
            s << c.name + QLatin1Char(':') + QLatin1Char(c.typ);
        zeilen << QStringLiteral("tabelle %1 %2 %3").arg(name).arg(angegeben).arg(s.join(u','));
        return weiter();
    }
    bool zeile(const QList<JetWert>& werte) override {
        QStringList s;
        for (const JetWert& w : werte) {
            switch (w.art) {
            case JetWert::Art::Null:
                s << QStringLiteral("NULL");
                break;
            case JetWert::Art::Zahl:
                s << QString::number(w.zahl);
                break;
            case JetWert::Art::Gleitkomma:
                s << QString::number(w.gleitkomma, 'g', 17);
                break;
            case JetWert::Art::Text:
                s << QLatin1Char('[') + w.text + QLatin1Char(']');
                break;
            }
        }
        zeilen << QStringLiteral("zeile ") + s.join(u'|');
        return weiter();
    }
    bool tabellenEnde() override {
        zeilen << QStringLiteral("ende");
        return weiter();
    }
    bool fehlt(const QString& name) override {
        zeilen << QStringLiteral("fehlt ") + name;
        return weiter();
    }
};

const QByteArray Kopf = "KJL 1\njet\t4\numfang\t3\n";
const QByteArray Kurse = "tabelle\tkurse\t2\nspalte\taktie\tt\nspalte\tdatum\td\nspalte\tkurs\tc\n"
                         "z\tBASF\t-1.25\t123456789\n"
                         "z\tM\xc3\xbcller \\\\ \\t\\n\\r\t\\N\t-9223372036854775808\n"
                         "ende\t2\t-9223372036731319019\n";
const QStringList KurseProtokoll{
    QStringLiteral("umfang 3"), QStringLiteral("tabelle kurse 2 aktie:t,datum:d,kurs:c"),
    QStringLiteral("zeile [BASF]|-1.25|123456789"),
    QStringLiteral("zeile [Müller \\ \t\n\r]|NULL|-9223372036854775808"), QStringLiteral("ende")};

} // namespace

class TestJetStrom : public QObject {
    Q_OBJECT
private slots:
    void lesen_data();
    void lesen();
    void zahlenGenau();
    void empfaengerBrichtAb();
};

void TestJetStrom::lesen_data() {
    QTest::addColumn<QByteArray>("strom");
    QTest::addColumn<int>("zustand");
    QTest::addColumn<QStringList>("protokoll");
    const int fertig = int(JetStrom::Zustand::Fertig), fehler = int(JetStrom::Zustand::Fehler);

    QTest::newRow("vollständig") << Kopf + Kurse + "fehlt\tKurseVirtuell\nfertig\n"
                                 << fertig
                                 << KurseProtokoll +
                                        QStringList{QStringLiteral("fehlt KurseVirtuell")};
    QTest::newRow("Tabelle ohne Zeilen")
        << Kopf + "tabelle\tkennwort\t0\nspalte\tpasswort\tt\nende\t0\t0\nfertig\n"
        << fertig
        << QStringList{QStringLiteral("umfang 3"), QStringLiteral("tabelle kennwort 0 passwort:t"),
                       QStringLiteral("ende")};
    QTest::newRow("leerer Text ist kein NULL")
        << Kopf + "tabelle\tt\t1\nspalte\ta\tt\nspalte\tb\tm\nz\t\t\\N\nende\t1\t0\nfertig\n"
        << fertig
        << QStringList{QStringLiteral("umfang 3"), QStringLiteral("tabelle t 1 a:t,b:m"),
                       QStringLiteral("zeile []|NULL"), QStringLiteral("ende")};
    QTest::newRow("Bericht des Lesers")
        << Kopf + Kurse.left(Kurse.indexOf("z\t")) + "fehler\tseite\tkurse\t17\n"
        << int(JetStrom::Zustand::LeserFehler) << QStringList{QStringLiteral("umfang 3")};

    // Broken streams: what came before the break is reported, then it stops.
    const QStringList bisKurse{QStringLiteral("umfang 3"),
                               QStringLiteral("tabelle kurse 2 aktie:t,datum:d,kurs:c")};
    QTest::newRow("abgeschnitten") << Kopf + Kurse << fehler << KurseProtokoll;
    QTest::newRow("mitten in der Zeile abgeschnitten")
        << Kopf + Kurse.left(Kurse.indexOf("BASF") + 2) << fehler << QStringList{"umfang 3"};
    QTest::newRow("fremder Kopf") << QByteArray("KJL 2\njet\t4\n") << fehler << QStringList{};
    QTest::newRow("unbekannte Version") << QByteArray("KJL 1\njet\t5\n") << fehler << QStringList{};
    QTest::newRow("Zeile vor der Tabelle") << Kopf + "z\tBASF\t1\t1\n"
                                           << fehler << QStringList{"umfang 3"};
    QTest::newRow("zu wenige Felder") << Kopf + Kurse.left(Kurse.indexOf("z\t")) + "z\tBASF\t1\n"
                                      << fehler << bisKurse;
    QTest::newRow("zu viele Felder")
        << Kopf + Kurse.left(Kurse.indexOf("z\t")) + "z\tBASF\t1\t1\t1\n"
        << fehler << bisKurse;
    QTest::newRow("Zahl mit Rest") << Kopf + Kurse.left(Kurse.indexOf("z\t")) + "z\tBASF\t1\t12a\n"
                                   << fehler << bisKurse;
    QTest::newRow("Zahl zu groß") << Kopf + Kurse.left(Kurse.indexOf("z\t")) +
                                         "z\tBASF\t1\t9223372036854775808\n"
                                  << fehler << bisKurse;
    QTest::newRow("leere Zahl") << Kopf + Kurse.left(Kurse.indexOf("z\t")) + "z\tBASF\t\t1\n"
                                << fehler << bisKurse;
    QTest::newRow("unbekanntes Escape")
        << Kopf + Kurse.left(Kurse.indexOf("z\t")) + "z\tBA\\xSF\t1\t1\n"
        << fehler << bisKurse;
    QTest::newRow("Backslash am Ende")
        << Kopf + Kurse.left(Kurse.indexOf("z\t")) + "z\tBASF\\\t1\t1\n"
        << fehler << bisKurse;
    QTest::newRow("unbekannter Typ") << Kopf + "tabelle\tt\t0\nspalte\ta\tq\n"
                                     << fehler << QStringList{"umfang 3"};
    QTest::newRow("Wert in fremdem Typ") << Kopf + "tabelle\tt\t1\nspalte\ta\tx\nz\t0101\n"
                                         << fehler << QStringList{"umfang 3", "tabelle t 1 a:x"};
    QTest::newRow("Tabelle ohne Spalten") << Kopf + "tabelle\tt\t0\nende\t0\t0\n"
                                          << fehler << QStringList{"umfang 3"};
    QTest::newRow("Anzahl stimmt nicht")
        << Kopf + Kurse.left(Kurse.indexOf("ende")) + "ende\t3\t-9223372036731319019\n"
        << fehler << KurseProtokoll.mid(0, 4);
    QTest::newRow("Summe stimmt nicht")
        << Kopf + Kurse.left(Kurse.indexOf("ende")) + "ende\t2\t-9223372036731319018\n"
        << fehler << KurseProtokoll.mid(0, 4);
    QTest::newRow("Summe unlesbar") << Kopf + Kurse.left(Kurse.indexOf("ende")) + "ende\t2\t1e5\n"
                                    << fehler << KurseProtokoll.mid(0, 4);
    QTest::newRow("Daten nach dem Ende") << Kopf + "fertig\nz\n"
                                         << fehler << QStringList{"umfang 3"};
    QTest::newRow("Leerzeile") << Kopf + "\nfertig\n" << fehler << QStringList{"umfang 3"};
}

void TestJetStrom::lesen() {
    QFETCH(QByteArray, strom);
    QFETCH(int, zustand);
    QFETCH(QStringList, protokoll);
    // In one piece, byte by byte, and in pieces that cut lines and UTF-8.
    for (int stueck : {int(strom.size()) + 1, 1, 3, 7}) {
        Protokoll p;
        JetStrom s(p);
        for (qsizetype at = 0; at < strom.size(); at += stueck)
            s.futtern(QByteArrayView(strom).sliced(at, qMin<qsizetype>(stueck, strom.size() - at)));
        s.schliessen();
        QCOMPARE(int(s.zustand()), zustand);
        QCOMPARE(p.zeilen, protokoll);
        if (zustand == int(JetStrom::Zustand::Fehler)) QVERIFY(!s.fehler().isEmpty());
        if (zustand == int(JetStrom::Zustand::LeserFehler))
            QCOMPARE(s.leserFehler(), (QStringList{"seite", "kurse", "17"}));
    }
}

// Doubles come back bit for bit; whole numbers over their full range.
void TestJetStrom::zahlenGenau() {
    const double werte[] = {
        0.1,           -1.25,     1e-300, 2.2250738585072014e-308, 4.9e-324, 1.7976931348623157e308,
        -36522.000001, 123456.789};
    QByteArray strom = Kopf + "tabelle\tt\t8\nspalte\tf\tf\nspalte\ti\ti\n";
    for (double w : werte) {
        char text[64];
        const auto r = std::to_chars(text, text + sizeof text, w);
        strom += "z\t" + QByteArray(text, r.ptr - text) + "\t9223372036854775807\n";
    }
    strom += "ende\t8\t0\nfertig\n";

    struct Sammler final : JetStromEmpfaenger {
        QList<double> f;
        QList<qint64> i;
        bool umfang(qint64) override { return true; }
        bool tabelle(const QString&, const QList<JetSpalte>&, qint64) override { return true; }
        bool zeile(const QList<JetWert>& w) override {
            f << w[0].gleitkomma;
            i << w[1].zahl;
            return true;
        }
        bool tabellenEnde() override { return true; }
        bool fehlt(const QString&) override { return true; }
    } sammler;
    JetStrom s(sammler);
    s.futtern(strom);
    s.schliessen();
    QCOMPARE(s.zustand(), JetStrom::Zustand::Fertig);
    QCOMPARE(sammler.f.size(), 8);
    for (int k = 0; k < 8; ++k) {
        QVERIFY(std::memcmp(&sammler.f[k], &werte[k], sizeof(double)) == 0);
        QCOMPARE(sammler.i[k], std::numeric_limits<qint64>::max());
    }
}

// A receiver that refuses (a missing field, a full disk) stops the stream.
void TestJetStrom::empfaengerBrichtAb() {
    const QByteArray strom = Kopf + Kurse + "fertig\n";
    for (int bei = 0; bei < KurseProtokoll.size(); ++bei) {
        Protokoll p;
        p.ablehnenBei = bei;
        JetStrom s(p);
        s.futtern(strom);
        s.schliessen();
        QCOMPARE(s.zustand(), JetStrom::Zustand::Fehler);
        QCOMPARE(p.zeilen, KurseProtokoll.mid(0, bei + 1));
    }
}

QTEST_GUILESS_MAIN(TestJetStrom)
#include "tst_jetstrom.moc"
