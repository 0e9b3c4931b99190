// Editing a package's data and deleting a package.

#include "core/Numbers.h"
#include "db/Database.h"
#include "db/Schema.h"
#include "platform/HoverButton.h"
#include "platform/NumericField.h"
#include "support/FakeMainWindow.h"
#include "support/TestUtil.h"
#include "transactions/BefehleKurse.h"
#include "transactions/FormAVEdit.h"

#include <QDateEdit>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDate Heute(2024, 3, 15);

qint64 eur(const QString& text) {
    return Numbers::parseCurrency(text)->raw();
}

qint64 zahl(Database& db, const QString& sql, const QVariantList& p = {}) {
    return db.scalar(sql, p).toLongLong();
}

} // namespace

class TestEditLoeschen final : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_nr = 0;

    std::unique_ptr<FakeMainWindow> neuesFenster() {
        const QString pfad = m_dir.filePath(QStringLiteral("aktien%1.mdb").arg(++m_nr));
        QString fehler;
        if (!Schema::createEmptyDatabase(pfad, Heute.addDays(-1), &fehler))
            qFatal("%s", qPrintable(fehler));
        return std::make_unique<FakeMainWindow>(pfad, QDateTime(Heute, QTime(10, 0)));
    }

private slots:
    // Presets in "0.00"; saving untouched fields keeps the values; a changed
    // quote moves the totals but neither altkurs nor the history; the
    // baseline is taken first.
    void bearbeiten() {
        auto mw = neuesFenster();
        Database& db = mw->database();
        const Bookmark a = mw->addPaket("Alpha", 100, "10", "9,9", "11");
        mw->addPaket("Beta", 10, "5", "0", "5");
        db.exec("UPDATE Aktiendaten SET altkurs = ? WHERE _nr = ?", {eur("10,5"), qlonglong(a)});
        db.exec("UPDATE kennwort SET altallwert = 1");
        mw->Daten1().setBookmark(a);
        mw->Daten1().requery();
        mw->SummenAktualisieren();
        mw->modul().lesezeichen = a;

        FormAVEdit f(*mw);
        f.ausPaketFuellen();
        f.show();
        QCOMPARE(f.Textaktie->text(), QStringLiteral("Alpha"));
        QCOMPARE(f.Kennummer->text(), QStringLiteral("123456"));
        QCOMPARE(f.Textstueck->text(), QStringLiteral("100"));
        QCOMPARE(f.Textkaufpreis->text(), QStringLiteral("10,00"));
        QCOMPARE(f.Textgebuehren->text(), QStringLiteral("9,90"));
        QCOMPARE(f.Texttageskurs->text(), QStringLiteral("11,00"));
        QCOMPARE(f.DTPicker2->date(), QDate(2024, 1, 2));

        f.Texttageskurs->clear();
        typeText(f.Texttageskurs, "12");
        pressEnter(f.Textstueck);
        QVERIFY(!f.isVisible());
        QCOMPARE(mw->scripted().shown.size(), 1);
        QCOMPARE(mw->scripted().shown[0].text,
                 QStringLiteral("Möchten Sie diesen Datensatz jetzt speichern?"));

        const auto p = db.rows("SELECT \"gebühren\", tageskurs, altkurs, kaufpreis FROM "
                               "Aktiendaten WHERE _nr = ?",
                               {qlonglong(a)})[0];
        QCOMPARE(p[0].toLongLong(), eur("9,9"));
        QCOMPARE(p[1].toLongLong(), eur("12"));
        QCOMPARE(p[2].toLongLong(), eur("10,5"));
        QCOMPARE(p[3].toLongLong(), eur("10"));
        QCOMPARE(zahl(db, "SELECT COUNT(*) FROM kurse"), qint64(0));
        QCOMPARE(zahl(db, "SELECT altallwert FROM kennwort"), eur("1150")); // before the change
        QCOMPARE(mw->gesamtwertText(), QStringLiteral("1250.00"));
        QCOMPARE(mw->Daten1().bookmark(), a);
        QCOMPARE(mw->paketBefehleCalls, 1);
    }

    void bearbeitenAbgelehnt_data() {
        QTest::addColumn<QString>("feld");
        QTest::addColumn<QString>("eingabe");
        QTest::addColumn<QString>("meldung");
        const QString leer = QStringLiteral("Sie müssen alle Datenfelder ausfüllen!");
        QTest::newRow("Name leer") << "Textaktie"
                                   << "" << leer;
        QTest::newRow("WP-KN leer") << "Kennummer"
                                    << "" << leer;
        QTest::newRow("Gebühren leer") << "Textgebühren"
                                       << "" << leer;
        QTest::newRow("Stück mit Bruchteil") << "Textstück"
                                             << "2,5"
                                             << "Die Stückzahl muss eine ganze Zahl sein!";
    }
    void bearbeitenAbgelehnt() {
        QFETCH(QString, feld);
        QFETCH(QString, eingabe);
        QFETCH(QString, meldung);
        auto mw = neuesFenster();
        mw->addPaket("Alpha", 100, "10", "9,9", "11");
        FormAVEdit f(*mw);
        f.ausPaketFuellen();
        f.show();
        auto* w = f.findChild<QLineEdit*>(feld);
        QVERIFY(w);
        w->clear();
        typeText(w, eingabe);
        f.schalter[11]->click();
        QVERIFY(f.isVisible());
        QCOMPARE(mw->scripted().shown.size(), 1);
        QCOMPARE(mw->scripted().lastText(), meldung);
        QCOMPARE(mw->scripted().shown[0].icon, Dialogs::Icon::Exclamation);
        QCOMPARE(zahl(mw->database(), "SELECT \"stück\" FROM Aktiendaten"), qint64(100));
    }

    // The question names the package; the history goes only with the last
    // package of its (trimmed) name; afterwards the first package is current.
    void loeschen_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("gleichnamig");
        QTest::addColumn<int>("restKurse");
        QTest::newRow("einziges Paket") << "Alpha" << false << 0;
        QTest::newRow("Name mit Blanks") << "Alpha  " << false << 0;
        QTest::newRow("gleichnamiges Paket bleibt") << "Alpha" << true << 2;
    }
    // Enter in a text field runs the save path and nothing more; in a date
    // picker it does nothing. No button of the window fires besides.
    void enterNurSpeichern_data() {
        QTest::addColumn<QString>("feld");
        QTest::addColumn<int>("fragen");
        QTest::newRow("Name") << QStringLiteral("Textaktie") << 1;
        QTest::newRow("Tageskurs") << QStringLiteral("Texttageskurs") << 1;
        QTest::newRow("Datum") << QStringLiteral("DTPicker1") << 0;
        QTest::newRow("Kaufdatum") << QStringLiteral("DTPicker2") << 0;
    }
    void enterNurSpeichern() {
        QFETCH(QString, feld);
        QFETCH(int, fragen);
        auto mw = neuesFenster();
        mw->modul().lesezeichen = mw->addPaket("Alpha", 100, "10", "9,9", "11");
        mw->scripted().answers = {Dialogs::Answer::No};
        FormAVEdit f(*mw);
        f.ausPaketFuellen();
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QWidget* w = f.findChild<QWidget*>(feld);
        QVERIFY(w);
        w->setFocus();
        pressEnter(w);
        QCOMPARE(mw->scripted().shown.size(), fragen);
        QCOMPARE(mw->hilfeCalls, 0);
        QVERIFY(f.isVisible());
    }

    void loeschen() {
        QFETCH(QString, name);
        QFETCH(bool, gleichnamig);
        QFETCH(int, restKurse);
        auto mw = neuesFenster();
        Database& db = mw->database();
        const Bookmark erstes = mw->addPaket("Beta", 1, "1", "0", "1");
        if (gleichnamig) mw->addPaket("Alpha", 1, "1", "0", "1");
        const Bookmark a = mw->addPaket(name, 1, "1", "0", "1");
        for (const char* n : {"Alpha", "Alpha ", "Beta"})
            db.exec("INSERT INTO kurse (aktie, datum, kurs) VALUES (?, '2024-03-01', 1)",
                    {QString::fromUtf8(n)});
        mw->Daten1().setBookmark(a);

        mw->scripted().answers = {Dialogs::Answer::No};
        menuLoeschen(*mw);
        QCOMPARE(zahl(db, "SELECT COUNT(*) FROM Aktiendaten WHERE _nr = ?", {qlonglong(a)}),
                 qint64(1));
        const auto& frage = mw->scripted().shown.last();
        QCOMPARE(frage.text,
                 "Sie sollten dieses Aktienpaket besser über den Menüpunkt AKTIEN / FOND "
                 "VERKAUFEN löschen!\r\nDen aktuellen Datensatz   >   " +
                     name + "   <   trotzdem jetzt löschen?");
        QCOMPARE(frage.icon, Dialogs::Icon::Stop);
        QCOMPARE(frage.buttons, Dialogs::Buttons::YesNo);

        menuLoeschen(*mw);
        QCOMPARE(zahl(db, "SELECT COUNT(*) FROM Aktiendaten WHERE _nr = ?", {qlonglong(a)}),
                 qint64(0));
        QCOMPARE(zahl(db, "SELECT COUNT(*) FROM kurse WHERE trim(aktie) = 'Alpha'"),
                 qint64(restKurse));
        QCOMPARE(zahl(db, "SELECT COUNT(*) FROM kurse WHERE aktie = 'Beta'"), qint64(1));
        QCOMPARE(mw->Daten1().bookmark(), erstes);
        QCOMPARE(mw->modul().AnzahlPakete, gleichnamig ? 2 : 1);
    }

    // The last package: the commands are told, no package is current.
    void letztesPaketLoeschen() {
        auto mw = neuesFenster();
        mw->addPaket("Alpha", 1, "1", "0", "1");
        menuLoeschen(*mw);
        QCOMPARE(mw->paketBefehleCalls, 1);
        QCOMPARE(mw->modul().AnzahlPakete, 0);
        QVERIFY(!mw->Daten1().hasCurrent());
        menuLoeschen(*mw); // nothing left: no question
        QCOMPARE(mw->scripted().shown.size(), 1);
    }
};

QTEST_MAIN(TestEditLoeschen)
#include "tst_edit_loeschen.moc"
