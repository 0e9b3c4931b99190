// Quote updates: the single quote, all quotes, the history rows and the day baseline.

#include "core/Numbers.h"
#include "db/Database.h"
#include "db/Schema.h"
#include "platform/HoverButton.h"
#include "platform/NumericField.h"
#include "support/FakeMainWindow.h"
#include "support/TestUtil.h"
#include "transactions/BefehleKurse.h"
#include "transactions/FormAlleKurseNeu.h"
#include "transactions/FormNeuKurs.h"

#include <QDateEdit>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDate Heute(2024, 3, 15);
const QDate Gestern = Heute.addDays(-1);

qint64 eur(const QString& text) {
    return Numbers::parseCurrency(text)->raw();
}

qint64 zahl(Database& db, const QString& sql, const QVariantList& p = {}) {
    return db.scalar(sql, p).toLongLong();
}

void basisSetzen(Database& db, const QDate& datum, const QString& wert) {
    db.exec("UPDATE kennwort SET datum = ?, altallwert = ?",
            {datum.toString(Qt::ISODate), eur(wert)});
}

} // namespace

class TestKurse final : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_nr = 0;

    std::unique_ptr<FakeMainWindow> neuesFenster() {
        const QString pfad = m_dir.filePath(QStringLiteral("aktien%1.mdb").arg(++m_nr));
        QString fehler;
        if (!Schema::createEmptyDatabase(pfad, Gestern, &fehler)) qFatal("%s", qPrintable(fehler));
        return std::make_unique<FakeMainWindow>(pfad, QDateTime(Heute, QTime(10, 0)));
    }

private slots:
    // Two packages, total 1200; the first is current. The baseline is taken
    // from the total as shown before the change, at most once a day.
    void tagesbasis_data() {
        QTest::addColumn<QDate>("basisDatum");
        QTest::addColumn<QString>("basisWert");
        QTest::addColumn<QDate>("erwartetDatum");
        QTest::addColumn<QString>("erwartetWert");
        QTest::newRow("erster Kurs des Tages") << Gestern << "500" << Heute << "1200";
        QTest::newRow("weiterer Kurs am selben Tag") << Heute << "500" << Heute << "500";
        QTest::newRow("neuer Tag, Wert unverändert") << Gestern << "1200" << Gestern << "1200";
        QTest::newRow("kein Datum") << QDate() << "500" << QDate() << "500";
    }
    void tagesbasis() {
        QFETCH(QDate, basisDatum);
        QFETCH(QString, basisWert);
        QFETCH(QDate, erwartetDatum);
        QFETCH(QString, erwartetWert);
        auto mw = neuesFenster();
        Database& db = mw->database();
        const Bookmark a = mw->addPaket("Alpha", 100, "10,00", "0,00", "10,00");
        mw->addPaket("Beta", 20, "10,00", "0,00", "10,00");
        mw->Daten1().setBookmark(a);
        mw->SummenAktualisieren();
        QCOMPARE(mw->gesamtwertText(), QStringLiteral("1200.00"));
        basisSetzen(db, basisDatum, basisWert);
        mw->Daten2().requery();
        mw->modul().lesezeichen = a;

        FormNeuKurs f(*mw);
        f.show();
        typeText(f.Text2, "12,5");
        QVERIFY(f.Schalter3->isEnabled());
        f.Schalter3->click();
        QVERIFY(!f.isVisible());

        QCOMPARE(db.scalar("SELECT datum FROM kennwort").toString(),
                 erwartetDatum.isValid() ? erwartetDatum.toString(Qt::ISODate) : QString());
        QCOMPARE(zahl(db, "SELECT altallwert FROM kennwort"), eur(erwartetWert));
        QCOMPARE(mw->gesamtwertText(), QStringLiteral("1450.00"));
        QCOMPARE(mw->Daten1().bookmark(), a);
    }

    // Two updates on one day: two history rows of the same name and date;
    // altkurs holds the first; the single quote keeps four decimals.
    void zweiKurseEinTag() {
        auto mw = neuesFenster();
        Database& db = mw->database();
        const Bookmark a = mw->addPaket("Alpha", 10, "10,00", "0,00", "10,00");
        mw->modul().lesezeichen = a;
        for (const QString kurs : {"11,5", "12,346"}) {
            FormNeuKurs f(*mw);
            f.show();
            QCOMPARE(f.Label4->text(), QStringLiteral("Alpha"));
            f.DTPicker1->setDate(QDate(2024, 3, 13));
            typeText(f.Text2, kurs);
            pressEnter(f.Text2);
            QVERIFY(!f.isVisible());
        }
        QCOMPARE(mw->scripted().shown.size(), 2);
        QCOMPARE(mw->scripted().shown[1].text,
                 QStringLiteral("Möchten Sie diesen neuen Kurs von 12,346  Euro jetzt speichern?"));
        QCOMPARE(mw->scripted().shown[1].icon, Dialogs::Icon::Question);
        const auto kurse = db.rows("SELECT aktie, datum, kurs FROM kurse ORDER BY _nr");
        QCOMPARE(kurse.size(), 2);
        for (const auto& r : kurse) {
            QCOMPARE(r[0].toString(), QStringLiteral("Alpha"));
            QCOMPARE(r[1].toString(), QStringLiteral("2024-03-13"));
        }
        QCOMPARE(kurse[1][2].toLongLong(), eur("12,346"));
        const auto p = db.rows("SELECT altkurs, tageskurs, datum FROM Aktiendaten");
        QCOMPARE(p[0][0].toLongLong(), eur("11,5"));
        QCOMPARE(p[0][1].toLongLong(), eur("12,346"));
        QCOMPARE(p[0][2].toString(), QStringLiteral("2024-03-13"));
    }

    // Enter in the empty field does nothing; "No" keeps the window with its entry.
    void einzelkursOhneSpeichern() {
        auto mw = neuesFenster();
        mw->addPaket("Alpha", 10, "10,00", "0,00", "10,00");
        FormNeuKurs f(*mw);
        f.show();
        QCOMPARE(f.Label6->text(), QStringLiteral("Letzter Kurs:  10,00"));
        QCOMPARE(f.DTPicker1->date(), Heute);
        pressEnter(f.Text2);
        QVERIFY(!f.Schalter3->isEnabled());
        QVERIFY(mw->scripted().shown.isEmpty());
        typeText(f.Text2, "9,75");
        mw->scripted().answers = {Dialogs::Answer::No};
        pressEnter(f.Text2);
        QCOMPARE(mw->scripted().shown.size(), 1);
        QVERIFY(f.isVisible());
        QCOMPARE(f.Text2->text(), QStringLiteral("9,75"));
        QCOMPARE(zahl(mw->database(), "SELECT COUNT(*) FROM kurse"), qint64(0));
    }

    // A failing write changes nothing, says so, and leaves the window open.
    void schreibfehler() {
        auto mw = neuesFenster();
        Database& db = mw->database();
        mw->addPaket("Alpha", 10, "10,00", "0,00", "10,00");
        basisSetzen(db, Gestern, "1");
        db.exec("CREATE TRIGGER kaputt BEFORE UPDATE ON Aktiendaten BEGIN "
                "SELECT RAISE(ABORT, 'Testfehler'); END");
        FormNeuKurs f(*mw);
        f.show();
        typeText(f.Text2, "20");
        f.Schalter3->click();
        QVERIFY(f.isVisible());
        QCOMPARE(mw->scripted().shown.size(), 2);
        QVERIFY(mw->scripted().lastText().startsWith("Die Kurse konnten nicht gespeichert"));
        QCOMPARE(zahl(db, "SELECT COUNT(*) FROM kurse"), qint64(0));
        QCOMPARE(zahl(db, "SELECT altallwert FROM kennwort"), eur("1"));
    }

    void alleKurseLaden_data() {
        QTest::addColumn<int>("pakete");
        QTest::addColumn<QString>("anzahlText");
        QTest::addColumn<QList<bool>>("seiten");
        QTest::newRow("1") << 1 << "1  Aktien im Depot" << QList<bool>{true, false, false, false};
        QTest::newRow("13") << 13 << "13  Aktien im Depot" << QList<bool>{true, true, false, false};
        QTest::newRow("48") << 48 << "48  Aktien im Depot" << QList<bool>{true, true, true, true};
        QTest::newRow("60") << 60 << "48 von 60 Aktien im Depot"
                            << QList<bool>{true, true, true, true};
    }
    void alleKurseLaden() {
        QFETCH(int, pakete);
        QFETCH(QString, anzahlText);
        QFETCH(QList<bool>, seiten);
        auto mw = neuesFenster();
        for (int i = 0; i < pakete; ++i)
            mw->addPaket(QStringLiteral("Aktie %1").arg(i), 1, "1,00", "0,00", "1,00");
        FormAlleKurseNeu f(*mw);
        f.show();
        QCOMPARE(f.Label2->text(), anzahlText);
        for (int t = 0; t < 4; ++t)
            QCOMPARE(f.SSTab1->isTabEnabled(t), seiten[t]);
        const int sichtbar = std::min(pakete, 48);
        QCOMPARE(f.belegteZeilen(), sichtbar);
        QCOMPARE(f.Label[sichtbar - 1]->text(), QStringLiteral("Aktie %1").arg(sichtbar - 1));
        QVERIFY(!f.Label[sichtbar - 1]->isHidden());
        if (sichtbar < 48) QVERIFY(f.Text[sichtbar]->isHidden());
        QVERIFY(!f.Schalter1->isEnabled());
        if (pakete > 12) {
            f.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&f));
            f.SSTab1->setCurrentIndex(1);
            QCOMPARE(QApplication::focusWidget(), f.Text[12]);
        }
    }

    // Quotes rounded to "0.00"; packages matched by position; empty fields untouched.
    void alleKurseSpeichern() {
        auto mw = neuesFenster();
        Database& db = mw->database();
        const Bookmark a1 = mw->addPaket("Alpha", 10, "10,00", "0,00", "10,00");
        const Bookmark a2 = mw->addPaket("Alpha", 20, "10,00", "0,00", "11,00");
        const Bookmark b = mw->addPaket("Beta", 30, "10,00", "0,00", "12,00");
        mw->Daten1().setBookmark(a2);
        mw->SummenAktualisieren();
        mw->modul().lesezeichen = a2;
        basisSetzen(db, Gestern, "1");
        FormAlleKurseNeu f(*mw);
        f.show();
        f.DTPicker1->setDate(QDate(2024, 3, 14));
        typeText(f.Text[1], "12,346");
        QVERIFY(f.Schalter1->isEnabled());
        typeText(f.Text[2], "7.1");
        pressEnter(f.Text[0]);
        QVERIFY(!f.isVisible());
        QCOMPARE(mw->scripted().shown[0].text,
                 QStringLiteral("Möchten Sie die Aktienkurse jetzt speichern?"));

        auto paket = [&](Bookmark bm) {
            return db
                .rows("SELECT tageskurs, altkurs, datum FROM Aktiendaten WHERE _nr = ?",
                      {qlonglong(bm)})
                .value(0);
        };
        QCOMPARE(paket(a1)[0].toLongLong(), eur("10"));
        QCOMPARE(paket(a2)[0].toLongLong(), eur("12,35"));
        QCOMPARE(paket(a2)[1].toLongLong(), eur("11"));
        QCOMPARE(paket(a2)[2].toString(), QStringLiteral("2024-03-14"));
        QCOMPARE(paket(b)[0].toLongLong(), eur("7,1"));
        const auto kurse = db.rows("SELECT aktie, datum, kurs FROM kurse ORDER BY _nr");
        QCOMPARE(kurse.size(), 2);
        QCOMPARE(kurse[0][0].toString(), QStringLiteral("Alpha"));
        QCOMPARE(kurse[0][2].toLongLong(), eur("12,35"));
        QCOMPARE(kurse[1][0].toString(), QStringLiteral("Beta"));
        QCOMPARE(zahl(db, "SELECT altallwert FROM kennwort"),
                 eur("680")); // total before the change
        QCOMPARE(mw->Daten1().bookmark(), a2);
    }

    // Saving with every field empty (Enter) still takes the baseline and refreshes.
    void alleKurseLeer() {
        auto mw = neuesFenster();
        Database& db = mw->database();
        mw->addPaket("Alpha", 10, "10,00", "0,00", "10,00");
        mw->SummenAktualisieren();
        basisSetzen(db, Gestern, "1");
        const int summen = mw->summenCalls;
        FormAlleKurseNeu f(*mw);
        f.show();
        pressEnter(f.Text[0]);
        QVERIFY(!f.isVisible());
        QCOMPARE(zahl(db, "SELECT COUNT(*) FROM kurse"), qint64(0));
        QCOMPARE(zahl(db, "SELECT altallwert FROM kennwort"), eur("100"));
        QCOMPARE(mw->summenCalls, summen + 1);
    }

    // Opening and closing: empty depot refused; the card header comes back
    // only when the card was active.
    void alleKurseOeffnen_data() {
        QTest::addColumn<bool>("karteAktiv");
        QTest::newRow("Karte aktiv") << true;
        QTest::newRow("Übersicht") << false;
    }
    void alleKurseOeffnen() {
        QFETCH(bool, karteAktiv);
        auto mw = neuesFenster();
        menuAlleKurseneu(*mw, [](QDialog&) { return 0; });
        QCOMPARE(mw->scripted().lastText(),
                 QStringLiteral("Sie müssen zuerst eine neue Aktie aufnehmen!"));
        QVERIFY(mw->kartenkopfSichtbar);

        mw->addPaket("Alpha", 10, "10,00", "0,00", "10,00");
        mw->modul().KarteAktiv = karteAktiv;
        bool geoeffnet = false;
        bool kopfVersteckt = false;
        menuAlleKurseneu(*mw, [&](QDialog& d) {
            geoeffnet = true;
            kopfVersteckt = !mw->kartenkopfSichtbar;
            static_cast<FormAlleKurseNeu&>(d).Schalter2->click();
            return 0;
        });
        QVERIFY(geoeffnet);
        QVERIFY(kopfVersteckt);
        QCOMPARE(mw->kartenkopfSichtbar, karteAktiv);
        QVERIFY(!mw->modul().KarteAktiv);
    }
};

QTEST_MAIN(TestKurse)
#include "tst_kurse.moc"
