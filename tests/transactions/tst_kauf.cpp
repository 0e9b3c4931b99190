// Buying a package: the opening check, the save path of the purchase window
// and what it writes.

#include "core/Numbers.h"
#include "db/Database.h"
#include "db/Depot.h"
#include "db/Recordset.h"
#include "platform/HoverButton.h"
#include "platform/NumericField.h"
#include "support/FakeMainWindow.h"
#include "support/TestUtil.h"
#include "transactions/BefehleKonto.h"
#include "transactions/FormAVNeu.h"
#include "transactions/KontoOperationen.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QtTest>
#include <memory>

namespace {

const QString Frage = QStringLiteral("Möchten Sie diesen Datensatz jetzt speichern?");
const QString ZuWenig =
    QStringLiteral("Ihr Kontostand reicht nicht aus für diesen Aktienkauf!\n\rSie müssen zuerst "
                   "einen ausreichenden Betrag auf Ihr Depotkonto buchen.");
const QString KeinGuthaben =
    QStringLiteral("Ihr Konto weist kein Guthaben aus!\n\rSie müssen zuerst einen ausreichenden "
                   "Betrag auf Ihr Depotkonto buchen.");
const QString Unvollstaendig = QStringLiteral("Sie müssen alle Datenfelder ausfüllen!");

/// A program directory with a database, a main window stand-in and one package.
struct Umgebung {
    TempProgramDir dir{false, QDate(2024, 3, 15)};
    std::unique_ptr<FakeMainWindow> api;
    Bookmark alt = -1;

    explicit Umgebung(const QStringList& buchungen = {}) {
        api = std::make_unique<FakeMainWindow>(dir.dbPath());
        alt = api->addPaket(QStringLiteral("Alt AG"), 10, QStringLiteral("50"), QStringLiteral("5"),
                            QStringLiteral("50"));
        for (const QString& b : buchungen)
            api->addBuchung(QDate(2024, 3, 1), QStringLiteral("Einzahlung"), b);
        db().exec(QStringLiteral("UPDATE kennwort SET altallwert = ?"),
                  {QVariant::fromValue(Currency::fromWhole(500).raw())});
    }
    Database& db() { return api->database(); }
    int anzahl(const char* tabelle) {
        return db()
            .scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(tabelle)))
            .toInt();
    }
    Currency altallwert() {
        return Currency::fromRaw(
            db().scalar(QStringLiteral("SELECT altallwert FROM kennwort")).toLongLong());
    }
};

void ausfuellen(FormAVNeu& w, const QString& aktie, const QString& wpkn, const QString& stueck,
                const QString& gebuehren, const QString& kurs) {
    typeText(w.Textaktie, aktie);
    typeText(w.Kennummer, wpkn);
    typeText(w.Textstueck, stueck);
    typeText(w.Textgebuehren, gebuehren);
    typeText(w.Textkaufpreis, kurs);
}

QStringList gezeigt(FakeMainWindow& api) {
    QStringList t;
    for (const auto& s : api.scripted().shown)
        t << s.text;
    return t;
}

} // namespace

class TstKauf final : public QObject {
    Q_OBJECT
private slots:
    void eroeffnung_data();
    void eroeffnung();
    void kaufMitEnterImNamensfeld();
    void guthabenGrenze_data();
    void guthabenGrenze();
    void nichtsGespeichert_data();
    void nichtsGespeichert();
    void schreibfehlerSchreibtNichts();
};

void TstKauf::eroeffnung_data() {
    QTest::addColumn<QStringList>("buchungen");
    QTest::addColumn<bool>("oeffnet");
    QTest::newRow("leeres Konto") << QStringList() << false;
    QTest::newRow("Saldo 0") << QStringList{"100", "-100"} << false;
    QTest::newRow("Saldo negativ") << QStringList{"-0,01"} << false;
    QTest::newRow("kleinstes Guthaben") << QStringList{"0,0001"} << true;
}

void TstKauf::eroeffnung() {
    QFETCH(QStringList, buchungen);
    QFETCH(bool, oeffnet);
    Umgebung d(buchungen);
    QString geoeffnet;
    menuNeu(*d.api, [&](QDialog& w) {
        geoeffnet = w.objectName();
        return int(QDialog::Rejected);
    });
    if (oeffnet) {
        QCOMPARE(geoeffnet, QStringLiteral("FormAVNeu"));
        QVERIFY(d.api->scripted().shown.isEmpty());
        QCOMPARE(d.api->depotkontoCalls, 0);
        QCOMPARE(d.api->modul().lesezeichen, d.alt);
    } else {
        QVERIFY(geoeffnet.isEmpty());
        QCOMPARE(gezeigt(*d.api), QStringList{KeinGuthaben});
        QCOMPARE(d.api->scripted().shown.first().icon, Dialogs::Icon::Exclamation);
        QCOMPARE(d.api->depotkontoCalls, 1);
    }
}

void TstKauf::kaufMitEnterImNamensfeld() {
    Umgebung d({QStringLiteral("5000")});
    d.api->modul().lesezeichen = d.alt;
    const int summen = d.api->summenCalls;
    const int zaehlen = d.api->zaehlenCalls;

    FormAVNeu w(*d.api);
    w.DTPicker1->setDate(QDate(2024, 2, 29));
    w.show();
    ausfuellen(w, QStringLiteral("X"), QStringLiteral("123456"), QStringLiteral("100"),
               QStringLiteral("9,90"), QStringLiteral("10,00"));
    // The main window stands elsewhere while the window is open.
    d.api->Daten1().moveLast();
    pressEnter(w.Textaktie);

    QCOMPARE(gezeigt(*d.api), QStringList{Frage});
    QCOMPARE(w.result(), int(QDialog::Accepted));
    QVERIFY(!w.isVisible());

    const auto paket = d.db().rows(
        QStringLiteral("SELECT aktie, \"WP-KNummer\", \"stück\", kaufpreis, \"gebühren\","
                       " tageskurs, datum, kaufdatum FROM Aktiendaten WHERE aktie = 'X'"));
    QCOMPARE(paket.size(), 1);
    const QVariantList p = paket.first();
    QCOMPARE(p.at(0).toString(), QStringLiteral("X"));
    QCOMPARE(p.at(1).toString(), QStringLiteral("123456"));
    QCOMPARE(p.at(2).toLongLong(), 100);
    QCOMPARE(p.at(3).toLongLong(), Currency::fromWhole(10).raw());
    QCOMPARE(p.at(4).toLongLong(), Currency::fromRaw(99000).raw());
    QCOMPARE(p.at(5).toLongLong(), Currency::fromWhole(10).raw());
    QCOMPARE(p.at(6).toString(), QStringLiteral("2024-02-29"));
    QCOMPARE(p.at(7).toString(), QStringLiteral("2024-02-29"));

    const auto buchung = d.db().rows(
        QStringLiteral("SELECT datum, text, summe FROM Gewinne ORDER BY _nr DESC LIMIT 1"));
    QCOMPARE(buchung.first().at(0).toString(), QStringLiteral("2024-02-29"));
    QCOMPARE(buchung.first().at(1).toString(), QStringLiteral("Kauf 100 Stück X"));
    QCOMPARE(Currency::fromRaw(buchung.first().at(2).toLongLong()).format00(),
             QStringLiteral("-1975,19"));
    QCOMPARE(d.altallwert(), Currency::fromWhole(1500));

    const Konto::KaufEingabe e{QStringLiteral("X"),     QStringLiteral("123456"),
                               100,                     Currency::fromRaw(99000),
                               Currency::fromWhole(10), QDate(2024, 2, 29),
                               QStringLiteral("100")};
    QCOMPARE(Konto::kaufBetraege(e)->kaufbetrag.raw(), Q_INT64_C(19751927));

    // The main window shows the new state and stands on its saved package.
    QCOMPARE(d.api->summenCalls, summen + 1);
    QCOMPARE(d.api->zaehlenCalls, zaehlen + 1);
    QCOMPARE(d.api->uebersichtCalls, 1);
    QCOMPARE(d.api->paketBefehleCalls, 1);
    QCOMPARE(d.api->paketeBeiBefehlen, 2); // the commands see the new package
    QCOMPARE(d.api->modul().AnzahlPakete, 2);
    QCOMPARE(d.api->Daten1().recordCount(), 2);
    QCOMPARE(d.api->Daten1().bookmark(), d.alt);
    QCOMPARE(d.api->modul().Kontostand.format00(), QStringLiteral("3024,81"));
}

void TstKauf::guthabenGrenze_data() {
    QTest::addColumn<QString>("guthaben");
    QTest::addColumn<bool>("gekauft");
    // 100 × 10,00 + 9,90 Euro = 1975,1927 DM
    QTest::newRow("genau der Kaufbetrag") << "1975,1927" << true;
    QTest::newRow("ein Zehntausendstel weniger") << "1975,1926" << false;
}

void TstKauf::guthabenGrenze() {
    QFETCH(QString, guthaben);
    QFETCH(bool, gekauft);
    Umgebung d({guthaben});
    FormAVNeu w(*d.api);
    w.show();
    ausfuellen(w, QStringLiteral("X"), QStringLiteral("1"), QStringLiteral("100"),
               QStringLiteral("9,90"), QStringLiteral("10"));
    w.schalter[11]->click();
    QCOMPARE(gezeigt(*d.api), gekauft ? QStringList{Frage} : QStringList{ZuWenig});
    QCOMPARE(d.anzahl("Aktiendaten"), gekauft ? 2 : 1);
    QCOMPARE(Depot::kontostand(d.db())->format00(),
             gekauft ? QStringLiteral("0,00") : QStringLiteral("1975,19"));
    QCOMPARE(w.isVisible(), !gekauft);
}

void TstKauf::nichtsGespeichert_data() {
    QTest::addColumn<QStringList>("felder"); // name, WP-KN, units, fees, price
    QTest::addColumn<bool>("antwortJa");
    QTest::addColumn<QStringList>("meldungen");
    const QStringList voll{"X", "123456", "100", "9,90", "10,00"};
    QTest::newRow("Nein auf die Frage") << voll << false << QStringList{Frage};
    QTest::newRow("WP-KN fehlt") << QStringList{"X", "", "100", "9,90", "10,00"} << true
                                 << QStringList{Unvollstaendig};
    // An empty amount field makes the purchase amount 0, so the balance
    // check passes and the completeness check refuses.
    QTest::newRow("Gebühren leer")
        << QStringList{"X", "1", "100", "", "1000"} << true << QStringList{Unvollstaendig};
    QTest::newRow("Bruchteil von Stück")
        << QStringList{"X", "1", "12,5", "0", "10"} << true
        << QStringList{QStringLiteral("Die Stückzahl muss eine ganze Zahl sein!")};
    QTest::newRow("Kaufkurs nur ein Komma")
        << QStringList{"X", "1", "10", "0", ","} << true
        << QStringList{QStringLiteral("Stück, Gebühren und Kaufkurs müssen Zahlen sein!")};
}

void TstKauf::nichtsGespeichert() {
    QFETCH(QStringList, felder);
    QFETCH(bool, antwortJa);
    QFETCH(QStringList, meldungen);
    Umgebung d({QStringLiteral("5000")});
    d.api->scripted().answers = {antwortJa ? Dialogs::Answer::Yes : Dialogs::Answer::No};
    FormAVNeu w(*d.api);
    w.show();
    ausfuellen(w, felder.at(0), felder.at(1), felder.at(2), felder.at(3), felder.at(4));
    pressEnter(w.Textkaufpreis);

    QCOMPARE(gezeigt(*d.api), meldungen);
    QVERIFY(w.isVisible());
    QCOMPARE(d.anzahl("Aktiendaten"), 1);
    QCOMPARE(d.anzahl("Gewinne"), 1);
    QCOMPARE(d.altallwert(), Currency::fromWhole(500));
    const QStringList jetzt{w.Textaktie->text(), w.Kennummer->text(), w.Textstueck->text(),
                            w.Textgebuehren->text(), w.Textkaufpreis->text()};
    QCOMPARE(jetzt, felder);
}

void TstKauf::schreibfehlerSchreibtNichts() {
    Umgebung d({QStringLiteral("5000")});
    // The last of the three writes fails.
    QVERIFY(d.db().exec(QStringLiteral("CREATE TRIGGER sperre BEFORE INSERT ON Gewinne"
                                       " BEGIN SELECT RAISE(ABORT, 'gesperrt'); END")));
    FormAVNeu w(*d.api);
    w.show();
    ausfuellen(w, QStringLiteral("X"), QStringLiteral("1"), QStringLiteral("100"),
               QStringLiteral("9,90"), QStringLiteral("10"));
    w.schalter[11]->click();

    const QStringList t = gezeigt(*d.api);
    QCOMPARE(t.size(), 2);
    QVERIFY(t.at(1).startsWith(QStringLiteral("Der Kauf konnte nicht gespeichert werden.")));
    QVERIFY(w.isVisible());
    QCOMPARE(w.Textaktie->text(), QStringLiteral("X"));
    QCOMPARE(d.anzahl("Aktiendaten"), 1);
    QCOMPARE(d.anzahl("Gewinne"), 1);
    QCOMPARE(d.altallwert(), Currency::fromWhole(500));
    QCOMPARE(d.api->summenCalls, 1);
}

QTEST_MAIN(TstKauf)
#include "tst_kauf.moc"
