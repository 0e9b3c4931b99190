// Selling a package in whole or in part.

#include "core/Numbers.h"
#include "db/Database.h"
#include "db/Schema.h"
#include "platform/HoverButton.h"
#include "platform/NumericField.h"
#include "support/FakeMainWindow.h"
#include "support/TestUtil.h"
#include "transactions/BefehleKurse.h"
#include "transactions/Formverkaufen.h"
#include "transactions/PaketOperationen.h"

#include <QDateEdit>
#include <QLabel>

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <optional>
#include <unistd.h>

using Pakete::VerkaufEingabe;

namespace {

const QDate Heute(2024, 3, 15);
const QDate Verkaufstag(2024, 3, 14);

Currency eur(const char* text) {
    return *Numbers::parseCurrency(QString::fromUtf8(text));
}

qint64 zahl(Database& db, const QString& sql, const QVariantList& p = {}) {
    return db.scalar(sql, p).toLongLong();
}

struct Stand {
    qint64 pakete, stueck, kurse, buchungen, altallwert;
    bool operator==(const Stand&) const = default;
};

Stand stand(Database& db) {
    return {zahl(db, "SELECT COUNT(*) FROM Aktiendaten"),
            zahl(db, "SELECT COALESCE(SUM(\"stück\"), 0) FROM Aktiendaten"),
            zahl(db, "SELECT COUNT(*) FROM kurse"), zahl(db, "SELECT COUNT(*) FROM Gewinne"),
            zahl(db, "SELECT altallwert FROM kennwort")};
}

// The sale as the window hands it on, each field read once.
VerkaufEingabe eingabe(Bookmark paket, const QString& aktie, qint64 bestand, const QString& anzahl,
                       const QString& kurs, const QString& gebuehren) {
    return Pakete::verkaufPruefen(Pakete::VerkaufFelder::lesen(paket, aktie, bestand, anzahl, kurs,
                                                               gebuehren, Verkaufstag))
        .eingabe;
}

// The child half of the killed-process test: sells and dies at a given write.
[[noreturn]] void verkaufenUndSterben() {
    Database db;
    db.open(qEnvironmentVariable("KAPITO_KIND_DB"));
    const int sterben = qEnvironmentVariableIntValue("KAPITO_KIND_SCHRITT");
    const VerkaufEingabe e = eingabe(qEnvironmentVariableIntValue("KAPITO_KIND_PAKET"),
                                     QStringLiteral("Alpha"), 100,
                                     qEnvironmentVariable("KAPITO_KIND_ANZAHL"), "12,50", "10,00");
    const auto r = Pakete::verkaufSchreiben(db, e, [&](int s) {
        if (s == sterben) ::kill(::getpid(), SIGKILL);
    });
    ::_exit(r.ok ? 0 : 3);
}

} // namespace

class TestVerkaufen final : public QObject {
    Q_OBJECT

    // Made after the child check: a child that is killed leaves nothing behind.
    std::optional<QTemporaryDir> m_dir;
    int m_nr = 0;

    QString neueDatenbank() {
        const QString pfad = m_dir->filePath(QStringLiteral("aktien%1.mdb").arg(++m_nr));
        QString fehler;
        if (!Schema::createEmptyDatabase(pfad, Heute.addDays(-1), &fehler))
            qFatal("%s", qPrintable(fehler));
        return pfad;
    }

private slots:
    void initTestCase() {
        if (qEnvironmentVariableIsSet("KAPITO_KIND_DB")) verkaufenUndSterben();
        m_dir.emplace();
        QVERIFY(m_dir->isValid());
    }

    void verkauf_data() {
        QTest::addColumn<QString>("name");      // stored name of the sold package
        QTest::addColumn<int>("bestand");       // units held
        QTest::addColumn<QString>("anzahl");    // units typed
        QTest::addColumn<bool>("zweitesPaket"); // another package of the name remains
        QTest::addColumn<qint64>("restStueck"); // -1 = package deleted
        QTest::addColumn<int>("restKurse");     // history rows left of the name
        QTest::addColumn<QString>("buchungstext");

        QTest::newRow("Teilverkauf")
            << "Alpha" << 100 << "40" << false << qint64(60) << 2 << "Verkauf 40 Stück Alpha";
        QTest::newRow("Stück mit Komma")
            << "Alpha" << 100 << "40,0" << false << qint64(60) << 2 << "Verkauf 40,0 Stück Alpha";
        QTest::newRow("Gesamtverkauf")
            << "Alpha" << 40 << "40" << false << qint64(-1) << 0 << "Verkauf 40 Stück Alpha";
        QTest::newRow("Gesamtverkauf, gleichnamiges Paket bleibt")
            << "Alpha" << 40 << "40" << true << qint64(-1) << 2 << "Verkauf 40 Stück Alpha";
        QTest::newRow("Name mit Blanks")
            << "Alpha  " << 40 << "40" << false << qint64(-1) << 0 << "Verkauf 40 Stück Alpha  ";
    }
    void verkauf() {
        QFETCH(QString, name);
        QFETCH(int, bestand);
        QFETCH(QString, anzahl);
        QFETCH(bool, zweitesPaket);
        QFETCH(qint64, restStueck);
        QFETCH(int, restKurse);
        QFETCH(QString, buchungstext);

        FakeMainWindow mw(neueDatenbank());
        Database& db = mw.database();
        const Bookmark paket = mw.addPaket(name, bestand, "10,00", "5,00", "12,00");
        if (zweitesPaket) mw.addPaket("Alpha", 7, "10,00", "5,00", "12,00");
        mw.addPaket("Beta", 3, "1,00", "0,00", "1,00");
        for (const char* n : {"Alpha", " Alpha", "Beta"})
            db.exec("INSERT INTO kurse (aktie, datum, kurs) VALUES (?, '2024-03-01', 120000)",
                    {QString::fromUtf8(n)});
        db.exec("UPDATE kennwort SET altallwert = ?", {qlonglong(eur("2000").raw())});

        const VerkaufEingabe e = eingabe(paket, name, bestand, anzahl, "12,50", "10,00");
        QCOMPARE(Pakete::verkaufserloes(e)->raw(), qint64(9583567)); // 958,3567 DM
        const auto r = Pakete::verkaufSchreiben(db, e);
        QVERIFY2(r.ok, qPrintable(r.fehler));

        const auto paketRow =
            db.rows("SELECT \"stück\", datum FROM Aktiendaten WHERE _nr = ?", {qlonglong(paket)});
        if (restStueck < 0) {
            QVERIFY(paketRow.isEmpty());
        } else {
            QCOMPARE(paketRow.value(0).value(0).toLongLong(), restStueck);
            QCOMPARE(paketRow.value(0).value(1).toString(), QStringLiteral("2024-03-14"));
        }
        QCOMPARE(zahl(db, "SELECT COUNT(*) FROM kurse WHERE trim(aktie) = 'Alpha'"),
                 qint64(restKurse));
        QCOMPARE(zahl(db, "SELECT COUNT(*) FROM kurse WHERE aktie = 'Beta'"), qint64(1));
        const auto buchung = db.rows("SELECT datum, text, summe FROM Gewinne");
        QCOMPARE(buchung.size(), 1);
        QCOMPARE(buchung[0][0].toString(), QStringLiteral("2024-03-14"));
        QCOMPARE(buchung[0][1].toString(), buchungstext);
        QCOMPARE(buchung[0][2].toLongLong(), eur("958,36").raw());
        QCOMPARE(zahl(db, "SELECT altallwert FROM kennwort"), eur("1510").raw()); // 2000 − 490
    }

    void abgelehnt_data() {
        QTest::addColumn<QString>("anzahl");
        QTest::addColumn<QString>("kurs");
        QTest::addColumn<QString>("meldung");
        const QString ganz = QStringLiteral("Die Stückzahl muss eine ganze Zahl sein!");
        QTest::newRow("mehr als gehalten")
            << "101"
            << "12,50"
            << "Sie können nicht mehr Stück verkaufen, als das Paket enthält!";
        QTest::newRow("Bruchteil") << "40,5"
                                   << "12,50" << ganz;
        QTest::newRow("leer") << ""
                              << "12,50" << ganz;
        QTest::newRow("Kurs nur Komma") << "40"
                                        << ","
                                        << "Verkaufskurs und Gebühren müssen Zahlen sein!";
    }
    void abgelehnt() {
        QFETCH(QString, anzahl);
        QFETCH(QString, kurs);
        QFETCH(QString, meldung);
        FakeMainWindow mw(neueDatenbank());
        const Bookmark paket = mw.addPaket("Alpha", 100, "10,00", "5,00", "12,00");
        const Stand vorher = stand(mw.database());
        const auto p = Pakete::verkaufPruefen(
            Pakete::VerkaufFelder::lesen(paket, "Alpha", 100, anzahl, kurs, "", Verkaufstag));
        QCOMPARE(p.meldung, meldung);
        // The operation refuses more than the package holds on its own too.
        if (p.art == Pakete::VerkaufPruefung::MehrAlsBestand) {
            VerkaufEingabe e{paket, "Alpha", 100, 101, eur("12,50"), Currency(), Verkaufstag, "101"};
            const auto r = Pakete::verkaufSchreiben(mw.database(), e);
            QVERIFY(!r.ok);
            QCOMPARE(r.fehler, meldung);
        }
        QVERIFY(stand(mw.database()) == vorher);
    }

    // Empty fees are no fees; a price of 0 books 0,00.
    void leereGebuehren_data() {
        QTest::addColumn<QString>("kurs");
        QTest::addColumn<QString>("gebuehren");
        QTest::addColumn<QString>("erloes");
        QTest::newRow("Gebühren leer") << "12,50"
                                       << ""
                                       << "977,915";
        QTest::newRow("Kurs 0") << "0"
                                << ""
                                << "0";
    }
    void leereGebuehren() {
        QFETCH(QString, kurs);
        QFETCH(QString, gebuehren);
        QFETCH(QString, erloes);
        QCOMPARE(*Pakete::verkaufserloes(eingabe(1, "Alpha", 100, "40", kurs, gebuehren)),
                 *Numbers::parseCurrency(erloes));
    }

    // The window: presets, the two questions, where the main window stands after.
    void fenster_data() {
        QTest::addColumn<QString>("anzahl");
        QTest::addColumn<bool>("ganz");
        QTest::newRow("Teilverkauf") << "40" << false;
        QTest::newRow("Gesamtverkauf") << "" << true; // the preset: all units
    }
    void fenster() {
        QFETCH(QString, anzahl);
        QFETCH(bool, ganz);
        FakeMainWindow mw(neueDatenbank(), QDateTime(Heute, QTime(10, 0)));
        const Bookmark erstes = mw.addPaket("Beta", 3, "1,00", "0,00", "1,00");
        const Bookmark paket = mw.addPaket("Alpha", 100, "10,00", "5,00", "12,5");
        mw.modul().lesezeichen = paket;

        bool geoeffnet = false;
        menuVerkaufen(mw, [&](QDialog& d) {
            auto& f = static_cast<Formverkaufen&>(d);
            f.show();
            geoeffnet = true;
            [&] {
                QCOMPARE(f.Label1->text(), QStringLiteral("Alpha"));
                QCOMPARE(f.Text2->text(), QStringLiteral("100"));
                QCOMPARE(f.Text3->text(), QStringLiteral("12,50"));
                QCOMPARE(f.Text4->text(), QString());
                QCOMPARE(f.DTPicker1->date(), Heute);
            }();
            if (!anzahl.isEmpty()) {
                f.Text2->clear();
                typeText(f.Text2, anzahl);
            }
            typeText(f.Text4, "10");
            // "No" keeps the window open; the second Enter is answered Yes.
            mw.scripted().answers = {Dialogs::Answer::No};
            pressEnter(f.Text4);
            if (!f.isVisible()) return 1;
            pressEnter(f.Text4);
            return f.result();
        });
        QVERIFY(geoeffnet);
        const auto& shown = mw.scripted().shown;
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0].text, shown[1].text);
        if (ganz) {
            QCOMPARE(shown[0].text, Formverkaufen::gesamtverkaufFrage());
            QCOMPARE(shown[0].icon, Dialogs::Icon::Stop);
            QCOMPARE(mw.Daten1().bookmark(), erstes);
            QCOMPARE(mw.paketBefehleCalls, 1);
            QCOMPARE(mw.modul().AnzahlPakete, 1);
        } else {
            QCOMPARE(shown[0].text,
                     QStringLiteral("Sollen diese Wertpapiere jetzt verkauft werden?"));
            QCOMPARE(shown[0].icon, Dialogs::Icon::Question);
            QCOMPARE(mw.Daten1().bookmark(), paket);
            QCOMPARE(mw.Daten1().integer(QStringLiteral("stück")), qint64(60));
        }
        QCOMPARE(shown[0].buttons, Dialogs::Buttons::YesNo);
        QCOMPARE(zahl(mw.database(), "SELECT COUNT(*) FROM Gewinne"), qint64(1));
    }

    // Refused entries and failed writes leave the window open and the data as they were.
    void fensterAbgelehnt() {
        FakeMainWindow mw(neueDatenbank());
        mw.addPaket("Alpha", 100, "10,00", "5,00", "12,5");
        const Stand vorher = stand(mw.database());
        Formverkaufen f(mw);
        f.show();
        typeText(f.Text2, "1"); // 1001 units
        f.Schalter3->click();
        QCOMPARE(mw.scripted().lastText(),
                 QStringLiteral("Sie können nicht mehr Stück verkaufen, als das Paket enthält!"));
        QVERIFY(f.isVisible());
        mw.database().exec("CREATE TRIGGER kaputt BEFORE INSERT ON Gewinne BEGIN "
                           "SELECT RAISE(ABORT, 'Testfehler'); END");
        f.Text2->clear();
        typeText(f.Text2, "40");
        f.Schalter3->click();
        QVERIFY(f.isVisible());
        QVERIFY(mw.scripted().lastText().startsWith(
            QStringLiteral("Der Verkauf konnte nicht gespeichert werden.")));
        QVERIFY(stand(mw.database()) == vorher);
    }

    // A process killed between the writes of a sale leaves all or nothing.
    void abgebrochenerProzess_data() {
        QTest::addColumn<QString>("anzahl");
        QTest::addColumn<int>("schritt"); // write after which the child dies; 99 = never
        QTest::addColumn<bool>("gebucht");
        for (int s = 1; s <= 3; ++s)
            QTest::addRow("Teilverkauf, Tod nach Schritt %d", s) << "40" << s << false;
        for (int s = 1; s <= 4; ++s)
            QTest::addRow("Gesamtverkauf, Tod nach Schritt %d", s) << "100" << s << false;
        QTest::newRow("Teilverkauf ohne Tod") << "40" << 99 << true;
        QTest::newRow("Gesamtverkauf ohne Tod") << "100" << 99 << true;
    }
    void abgebrochenerProzess() {
        QFETCH(QString, anzahl);
        QFETCH(int, schritt);
        QFETCH(bool, gebucht);
        const QString pfad = neueDatenbank();
        Bookmark paket;
        Stand vorher;
        {
            FakeMainWindow mw(pfad);
            paket = mw.addPaket("Alpha", 100, "10,00", "5,00", "12,00");
            mw.database().exec("INSERT INTO kurse (aktie, datum, kurs) VALUES ('Alpha', "
                               "'2024-03-01', 120000)");
            vorher = stand(mw.database());
        }
        QProcess kind;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("KAPITO_KIND_DB", pfad);
        env.insert("KAPITO_KIND_SCHRITT", QString::number(schritt));
        env.insert("KAPITO_KIND_PAKET", QString::number(paket));
        env.insert("KAPITO_KIND_ANZAHL", anzahl);
        kind.setProcessEnvironment(env);
        kind.start(QCoreApplication::applicationFilePath(), {QStringLiteral("leereGebuehren")});
        QVERIFY(kind.waitForFinished(30000));
        QVERIFY2((kind.exitStatus() == QProcess::CrashExit) == !gebucht,
                 qPrintable(QStringLiteral("Kind endete mit %1: %2")
                                .arg(kind.exitCode())
                                .arg(QString::fromLocal8Bit(kind.readAllStandardError()))));

        Database db;
        QCOMPARE(db.open(pfad), Database::Status::Ok);
        const Stand nachher = stand(db);
        if (!gebucht) {
            QVERIFY(nachher == vorher);
        } else {
            QCOMPARE(nachher.buchungen, vorher.buchungen + 1);
            QCOMPARE(nachher.altallwert,
                     vorher.altallwert - eur(anzahl == "40" ? "490" : "1240").raw());
            QCOMPARE(nachher.stueck, anzahl == "40" ? qint64(60) : qint64(0));
            QCOMPARE(nachher.kurse, anzahl == "40" ? qint64(1) : qint64(0));
        }
    }
};

QTEST_MAIN(TestVerkaufen)
#include "tst_verkaufen.moc"
