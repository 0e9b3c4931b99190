// Undo and redo of every kind of change: the seven tables come back exactly,
// keys and stored forms included, and a refused change leaves nothing to undo.
// In the main window: the menu names the change, the card follows.

#include "Testbett.h"
#include "charts/ChartDaten.h"
#include "core/Currency.h"
#include "core/Numbers.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "db/Rueckgaengig.h"
#include "db/Schema.h"
#include "extras/Korrekturen.h"
#include "transactions/KontoOperationen.h"
#include "transactions/KursOperationen.h"
#include "transactions/PaketOperationen.h"
#include "watch/Beobachtungsliste.h"
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

Currency cur(const char* text) {
    return Numbers::parseCurrency(QString::fromLatin1(text)).value_or(Currency());
}

const QDate Heute(2024, 3, 15);

// Every row of the seven tables with its key, each value with its stored type.
QStringList abbild(Database& db) {
    QStringList out;
    for (const char* t : {"Aktiendaten", "kurse", "Indexkurse", "Gewinne", "Beobachten",
                          "KurseVirtuell", "kennwort"}) {
        const auto zeilen = db.rows(
            QStringLiteral("SELECT rowid, * FROM %1 ORDER BY rowid").arg(QLatin1String(t)));
        for (const QVariantList& z : zeilen) {
            QStringList felder{QLatin1String(t)};
            for (const QVariant& v : z)
                felder << QString::fromLatin1(v.typeName()) + QLatin1Char(':') + v.toString();
            out << felder.join(QLatin1Char('|'));
        }
    }
    return out;
}

} // namespace

class TestRueckgaengig final : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void jedeAenderung_data();
    void jedeAenderung();
    void imHauptfenster();

private:
    QTemporaryDir m_dir;
    int m_nr = 0;
};

void TestRueckgaengig::jedeAenderung_data() {
    QTest::addColumn<QString>("art");
    QTest::addColumn<QString>("vorgang"); // empty: refused, nothing to undo
    QTest::newRow("Kauf") << "kauf" << "Kauf Alpha AG";
    QTest::newRow("Verkauf eines Teils") << "verkaufTeil" << "Verkauf 4 Stück Alpha AG";
    QTest::newRow("Verkauf des ganzen Pakets") << "verkaufGanz" << "Verkauf 10 Stück Alpha AG";
    QTest::newRow("Kurs") << "kurs" << "Kurs Alpha AG";
    QTest::newRow("Alle Kurse") << "alleKurse" << "Alle Kurse";
    QTest::newRow("Änderung") << "aendern" << "Änderung Alpha Neu";
    QTest::newRow("Löschen") << "loeschen" << "Löschen Alpha AG";
    QTest::newRow("Buchung") << "buchen" << "Buchung Depotkonto";
    QTest::newRow("Buchung löschen") << "buchungLoeschen" << "Löschen Buchung Depotkonto";
    QTest::newRow("Aktiensplit") << "split" << "Aktiensplit Alpha AG";
    QTest::newRow("Zusammenfassung") << "buendeln" << "Zusammenfassung 777777";
    QTest::newRow("Beobachten") << "beobachten" << "Beobachten Beta AG";
    QTest::newRow("Beobachten ändern") << "beobachtenAendern" << "Beobachten Gamma AG";
    QTest::newRow("Beobachten löschen") << "beobachtenLoeschen" << "Löschen Beobachten Gamma AG";
    QTest::newRow("Chartkurse kürzen") << "chartKuerzen" << "Chartkurse Alpha AG";
    QTest::newRow("Indexwerte kürzen") << "indexKuerzen" << "Indexwert";
    QTest::newRow("Verkauf abgelehnt") << "verkaufAbgelehnt" << "";
    QTest::newRow("Split abgelehnt") << "splitAbgelehnt" << "";
}

void TestRueckgaengig::jedeAenderung() {
    QFETCH(QString, art);
    QFETCH(QString, vorgang);
    const QString pfad = m_dir.filePath(QStringLiteral("aktien%1.mdb").arg(++m_nr));
    QVERIFY(Schema::createEmptyDatabase(pfad, Heute));
    Database db;
    QCOMPARE(db.open(pfad), Database::Status::Ok);

    // A depot with a gap in its keys, reals, texts and NULLs in its rows.
    auto paket = [&](const char* aktie, const char* wpkn, int stueck, const char* preis) {
        QVERIFY(db.exec(QStringLiteral("INSERT INTO Aktiendaten (aktie, \"WP-KNummer\", \"stück\","
                                       " kaufpreis, \"gebühren\", datum, tageskurs, altkurs,"
                                       " kaufdatum, kursziel, stopkurs, notizen)"
                                       " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, 1.5, NULL, 'x')"),
                        {QString::fromUtf8(aktie), QString::fromLatin1(wpkn), stueck,
                         QVariant::fromValue(cur(preis)), QVariant::fromValue(cur("5")),
                         QDate(2024, 1, 2), QVariant::fromValue(cur(preis)),
                         QVariant::fromValue(cur("1")), QDate(2024, 1, 2)}));
    };
    paket("Alpha AG", "840400", 10, "13");
    paket("Weg AG", "1", 1, "1");
    paket("Delta AG", "777777", 3, "20");
    paket("Delta AG ", "777777", 5, "22");
    QVERIFY(db.exec(QStringLiteral("DELETE FROM Aktiendaten WHERE aktie = 'Weg AG'")));
    for (int i = 0; i < 120; ++i) {
        QVERIFY(db.exec(QStringLiteral("INSERT INTO kurse (aktie, datum, kurs) VALUES (?, ?, ?)"),
                        {i % 2 ? QStringLiteral("Alpha AG") : QStringLiteral("Delta AG"),
                         QDate(2023, 1, 1).addDays(i), qint64(100000 + i)}));
        QVERIFY(db.exec(QStringLiteral("INSERT INTO Indexkurse (indexname, indexzahl, datum)"
                                       " VALUES ('DAX', ?, ?)"),
                        {1000.25 + i, QDate(2023, 1, 1).addDays(i)}));
    }
    QVERIFY(db.exec(QStringLiteral("INSERT INTO Gewinne (datum, text, summe) VALUES "
                                   "('2024-01-02', 'Einzahlung', 100000000), "
                                   "('2024-01-03', 'Zinsen', 12345)")));
    QVERIFY(db.exec(QStringLiteral("INSERT INTO Beobachten (datum, aktie, wpkn, stueck, kaufpreis,"
                                   " kurs) VALUES ('2024-01-02', 'Gamma AG', '1', 5, '12.00',"
                                   " '12.00')")));
    QVERIFY(db.exec(QStringLiteral("INSERT INTO KurseVirtuell (datum, aktie, kurs) VALUES "
                                   "('2024-01-02', 'Gamma AG', '12.00')")));
    QCOMPARE(db.rueckgaengig().anzahlRueckgaengig(), 0);

    const Bookmark alpha = 1;
    const QStringList vorher = abbild(db);
    bool ok = false;
    if (art == QLatin1String("kauf")) {
        const Konto::KaufEingabe e{QStringLiteral("Alpha AG"), QStringLiteral("840400"), 7,
                                   cur("2"), cur("11"), Heute, QStringLiteral("7")};
        const auto b = Konto::kaufBetraege(e);
        QVERIFY(b);
        ok = Konto::kaufSchreiben(db, e, *b).ok;
    } else if (art.startsWith(QLatin1String("verkauf"))) {
        const qint64 anzahl = art == QLatin1String("verkaufTeil") ? 4
                              : art == QLatin1String("verkaufGanz") ? 10
                                                                    : 11;
        const Pakete::VerkaufEingabe e{alpha,      QStringLiteral("Alpha AG"), 10, anzahl,
                                       cur("15"), cur("3"), Heute, QString::number(anzahl)};
        ok = Pakete::verkaufSchreiben(db, e).ok;
    } else if (art == QLatin1String("kurs")) {
        ok = Kurse::einzelkursSpeichern(db, alpha, QStringLiteral("Alpha AG"), Heute, cur("14"),
                                        Heute, cur("500"))
                 .ok;
    } else if (art == QLatin1String("alleKurse")) {
        ok = Kurse::alleKurseSpeichern(db,
                                       {{alpha, QStringLiteral("Alpha AG"), cur("14")},
                                        {3, QStringLiteral("Delta AG"), cur("21")}},
                                       Heute, Heute, cur("500"))
                 .ok;
    } else if (art == QLatin1String("aendern")) {
        const Pakete::EditEingabe e{QStringLiteral("Alpha Neu"), QStringLiteral("840401"), 12,
                                    cur("13,5"), cur("1"), cur("14"), Heute, QDate(2024, 1, 5)};
        ok = Pakete::editSchreiben(db, alpha, e, Heute, cur("500")).ok;
    } else if (art == QLatin1String("loeschen")) {
        ok = Pakete::paketLoeschen(db, alpha).ok;
    } else if (art == QLatin1String("buchen")) {
        ok = Konto::buchen(db, Heute, QStringLiteral("Dividende"), cur("42,5"));
    } else if (art == QLatin1String("buchungLoeschen")) {
        ok = Konto::buchungLoeschen(db, 1);
    } else if (art == QLatin1String("split")) {
        ok = Korrekturen::splitDurchfuehren(db, QStringLiteral("Alpha AG"), cur("2")).ok;
    } else if (art == QLatin1String("splitAbgelehnt")) {
        ok = Korrekturen::splitDurchfuehren(db, QStringLiteral("Alpha AG"), cur("0")).ok;
    } else if (art == QLatin1String("buendeln")) {
        ok = Korrekturen::buendeln(db, QStringLiteral("777777")).ok;
    } else if (art.startsWith(QLatin1String("beobachten"))) {
        const std::unique_ptr<Recordset> liste(
            Recordset::openTable(db, QStringLiteral("Beobachten")));
        liste->moveFirst();
        if (art == QLatin1String("beobachten"))
            ok = Beobachtungsliste::eintragAnlegen(db, *liste, Heute, QStringLiteral("Beta AG"),
                                                   QStringLiteral("2"), QStringLiteral("3"),
                                                   QStringLiteral("9,5"), Heute)
                     .ok;
        else if (art == QLatin1String("beobachtenAendern"))
            ok = Beobachtungsliste::feldAendern(db, *liste, Beobachtungsliste::Kurs,
                                                QStringLiteral("13,25"), Heute)
                     .ok;
        else
            ok = Beobachtungsliste::eintragLoeschen(db, *liste, QStringLiteral("Gamma AG")).ok;
    } else if (art == QLatin1String("chartKuerzen")) {
        ok = ChartDaten::kurseKuerzen(db, QStringLiteral("Alpha AG"), 20) > 0;
    } else if (art == QLatin1String("indexKuerzen")) {
        ok = ChartDaten::indexKuerzen(db, 100) > 0;
    } else {
        QFAIL("unknown kind");
    }
    const QStringList nachher = abbild(db);
    Rueckgaengig& liste = db.rueckgaengig();

    if (vorgang.isEmpty()) {
        QVERIFY(!ok);
        QCOMPARE(nachher, vorher);
        QCOMPARE(liste.anzahlRueckgaengig(), 0);
        QVERIFY(!liste.rueckgaengig());
        QCOMPARE(abbild(db), vorher);
        return;
    }
    QVERIFY(ok);
    QVERIFY(nachher != vorher);
    QCOMPARE(liste.rueckgaengigName(), vorgang);
    QVERIFY(liste.wiederholenName().isEmpty());

    QVERIFY(liste.rueckgaengig());
    QCOMPARE(abbild(db), vorher);
    QVERIFY(liste.rueckgaengigName().isEmpty());
    QCOMPARE(liste.wiederholenName(), vorgang);

    QVERIFY(liste.wiederholen());
    QCOMPARE(abbild(db), nachher);
    QCOMPARE(liste.rueckgaengigName(), vorgang);

    // Undone a second time from the images redo left.
    QVERIFY(liste.rueckgaengig());
    QCOMPARE(abbild(db), vorher);
    QCOMPARE(db.scalar(QStringLiteral("PRAGMA integrity_check")).toString(),
             QStringLiteral("ok"));
}

void TestRueckgaengig::imHauptfenster() {
    Testbett t;
    t.paket(QStringLiteral("Alpha"), 1, QStringLiteral("1"), QStringLiteral("0"),
            QStringLiteral("1"));
    const Bookmark beta = t.paket(QStringLiteral("Beta"), 2, QStringLiteral("1"),
                                  QStringLiteral("0"), QStringLiteral("1"));
    auto& f = t.laden();
    QCOMPARE(f.menu_rueckgaengig->text(), QStringLiteral("Rückgängig"));
    QVERIFY(!f.menu_rueckgaengig->isEnabled());
    QVERIFY(!f.menu_wiederholen->isEnabled());
    QCOMPARE(f.Hmenu_bearbeiten->actions().first(), f.menu_rueckgaengig);

    f.Daten1().setBookmark(beta);
    t.dialogs.answers = {Dialogs::Answer::Yes};
    f.aktion(QStringLiteral("menu_loeschen"))->trigger();
    QCOMPARE(f.StatusBar1[0]->text(), QStringLiteral("1"));
    QCOMPARE(f.menu_rueckgaengig->text(), QStringLiteral("&Rückgängig: Löschen Beta"));
    QVERIFY(f.menu_rueckgaengig->isEnabled());
    QCOMPARE(f.menu_rueckgaengig->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));

    // Undone while a chart is shown: the card comes back, on its package.
    f.aktion(QStringLiteral("menu_bilanz"))->trigger();
    QCOMPARE(f.ansicht(), Aktiendataform::Ansicht::Chart);
    f.menu_rueckgaengig->trigger();
    QCOMPARE(f.ansicht(), Aktiendataform::Ansicht::Karte);
    QCOMPARE(f.StatusBar1[0]->text(), QStringLiteral("2"));
    QCOMPARE(f.StatusBar1[1]->text(), QStringLiteral("Rückgängig gemacht: Löschen Beta"));
    QCOMPARE(f.karte().Labelaktie->text(), QStringLiteral("Alpha"));
    QCOMPARE(f.menu_wiederholen->text(), QStringLiteral("&Wiederholen: Löschen Beta"));
    QCOMPARE(f.menu_wiederholen->shortcut(), QKeySequence(QStringLiteral("Ctrl+Y")));
    QVERIFY(!f.menu_rueckgaengig->isEnabled());

    // Redone from Beta's card: its package is gone, the card goes to the first.
    QVERIFY(f.Daten1().setBookmark(beta));
    QCOMPARE(f.karte().Labelaktie->text(), QStringLiteral("Beta"));
    f.menu_wiederholen->trigger();
    QCOMPARE(f.StatusBar1[0]->text(), QStringLiteral("1"));
    QCOMPARE(f.StatusBar1[1]->text(), QStringLiteral("Wiederholt: Löschen Beta"));
    QCOMPARE(f.karte().Labelaktie->text(), QStringLiteral("Alpha"));
    QCOMPARE(f.menu_wiederholen->text(), QStringLiteral("Wiederholen"));
}

QTEST_MAIN(TestRueckgaengig)
#include "tst_rueckgaengig.moc"
