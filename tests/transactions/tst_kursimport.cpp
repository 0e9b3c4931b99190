// Quotes taken over from a file and the depot written out: the exact rows
// stored, a date already there left alone, packages and the day baseline as
// the single-quote update leaves them, "Abbrechen" writing nothing, a bad
// file refused, and the quotes coming back unchanged from their own export.
#include "db/Database.h"
#include "db/Rueckgaengig.h"
#include "platform/Dateiwahl.h"
#include "platform/HoverButton.h"
#include "support/FakeMainWindow.h"
#include "support/TestUtil.h"
#include "transactions/BefehleDatenaustausch.h"
#include "transactions/Datenexport.h"
#include "transactions/FormKursImport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

namespace {

QString kurse(Database& db) {
    QStringList l;
    for (const QVariantList& r :
         db.rows(QStringLiteral("SELECT aktie, datum, kurs FROM kurse ORDER BY _nr")))
        l << QStringLiteral("%1 %2 %3").arg(r[0].toString(), r[1].toString(), r[2].toString());
    return l.join(QLatin1Char('|'));
}

QString pakete(Database& db) {
    QStringList l;
    for (const QVariantList& r : db.rows(QStringLiteral(
             "SELECT aktie, tageskurs, altkurs, datum FROM Aktiendaten ORDER BY _nr")))
        l << QStringLiteral("%1 %2 %3 %4")
                 .arg(r[0].toString(), r[1].toString(), r[2].toString(), r[3].toString());
    return l.join(QLatin1Char('|'));
}

QString schreibe(const QTemporaryDir& d, const QByteArray& inhalt) {
    const QString p = d.filePath(QStringLiteral("kurse.csv"));
    QFile f(p);
    f.open(QIODevice::WriteOnly);
    f.write(inhalt);
    return p;
}

ModalRunner klickt(bool uebernehmen) {
    return [uebernehmen](QDialog& d) {
        auto& f = static_cast<FormKursImport&>(d);
        if (uebernehmen) f.Uebernehmen->click();
        else
            f.Abbrechen->click();
        return f.result();
    };
}

} // namespace

class TstKursimport final : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_dir = std::make_unique<TempProgramDir>();
        QVERIFY(m_dir->ok());
        m_f = std::make_unique<FakeMainWindow>(m_dir->dbPath());
        m_f->addPaket(QStringLiteral("Alpha AG"), 10, QStringLiteral("10"), QStringLiteral("0"),
                      QStringLiteral("10"), QDate(2024, 3, 1));
        m_f->addPaket(QStringLiteral("Beta"), 5, QStringLiteral("20"), QStringLiteral("0"),
                      QStringLiteral("20"), QDate(2024, 3, 1));
        Database& db = m_f->database();
        QVERIFY(db.exec(QStringLiteral("UPDATE Aktiendaten SET \"WP-KNummer\" = '840400' "
                                       "WHERE aktie = 'Beta'")));
        QVERIFY(db.exec(QStringLiteral("UPDATE kennwort SET datum = '2024-03-14', altallwert = 0")));
        QVERIFY(db.exec(QStringLiteral(
            "INSERT INTO kurse (aktie, datum, kurs) VALUES ('Alpha AG', '2024-03-04', 110000)")));
        m_f->SummenAktualisieren();
    }

    void vieleWertpapiere() {
        QTemporaryDir d;
        FesteDateiwahl wahl;
        wahl.datei = schreibe(d, "WKN;Name;Datum;Schluss\n"
                                 "840400;;05.03.2024;12,00\n"
                                 ";Alpha AG;06.03.2024;13,00\n"
                                 ";Alpha AG;04.03.2024;11,50\n"
                                 ";Alpha AG;05.03.2024;12,50\n"
                                 ";Gamma;06.03.2024;1,00\n"
                                 ";Alpha AG;07.03.2024;0\n");
        menuKurseImportieren(*m_f, wahl, klickt(true));
        Database& db = m_f->database();
        // Date order; the 4 March of Alpha AG was there and stays single.
        QCOMPARE(kurse(db), QStringLiteral("Alpha AG 2024-03-04 110000|Beta 2024-03-05 120000|"
                                           "Alpha AG 2024-03-05 125000|Alpha AG 2024-03-06 130000"));
        // As if entered one by one: the newest quote, the one before it.
        QCOMPARE(pakete(db), QStringLiteral("Alpha AG 130000 125000 2024-03-06|"
                                            "Beta 120000 200000 2024-03-05"));
        // The day baseline: the total shown before the first quote.
        QCOMPARE(db.rows(QStringLiteral("SELECT datum, altallwert FROM kennwort")).value(0),
                 (QVariantList{QStringLiteral("2024-03-15"), qlonglong(2000000)}));
        QCOMPARE(m_f->scripted().lastText(),
                 QStringLiteral("Es wurden 3 Kurse übernommen.\n\nNicht übernommen:\n"
                                "1 schon vorhanden (gleicher Name und gleiches Datum)\n"
                                "1 nicht lesbar (Zeile 7)\n"
                                "1 ohne passendes Aktienpaket (Gamma)"));
        QVERIFY(m_f->summenCalls > 1);
    }

    // More rows than the writer puts into one statement: every row stored in
    // date order, and the whole import undone and redone as one step.
    // With five names and one in the file the stored days are read by name
    // (the 4 March is there already), not in one pass over all quotes.
    void vieleZeilenRueckgaengig() {
        for (const char* n : {"Gamma", "Delta", "Epsilon"})
            m_f->addPaket(QString::fromLatin1(n), 1, QStringLiteral("1"), QStringLiteral("0"),
                          QStringLiteral("1"), QDate(2024, 3, 1));
        Database& db = m_f->database();
        const QString vorher = kurse(db) + pakete(db);
        QByteArray datei("Datum;Name;Schluss\n");
        for (int i = 249; i >= -1; --i)
            datei += QDate(2024, 3, 5).addDays(i).toString(QStringLiteral("dd.MM.yyyy")).toLatin1() +
                     ";Alpha AG;" + QByteArray::number(i + 1) + ",5\n";
        QTemporaryDir d;
        FesteDateiwahl wahl;
        wahl.datei = schreibe(d, datei);
        menuKurseImportieren(*m_f, wahl, klickt(true));
        const QList<QVariantList> r = db.rows(QStringLiteral(
            "SELECT count(*), min(datum), max(datum), sum(kurs) FROM kurse WHERE _nr > 1"));
        QCOMPARE(r.value(0), (QVariantList{250, QStringLiteral("2024-03-05"),
                                           QStringLiteral("2024-11-09"), qlonglong(315000000)}));
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM kurse a JOIN kurse b ON "
                                          "b._nr = a._nr + 1 WHERE b.datum <= a.datum")),
                 QVariant(0));
        QCOMPARE(pakete(db).section(QLatin1Char('|'), 0, 0),
                 QStringLiteral("Alpha AG 2505000 2495000 2024-11-09"));
        const QString nachher = kurse(db) + pakete(db);
        QVERIFY(db.rueckgaengig().rueckgaengig());
        QCOMPARE(kurse(db) + pakete(db), vorher);
        QVERIFY(db.rueckgaengig().wiederholen());
        QCOMPARE(kurse(db) + pakete(db), nachher);
    }

    void abbrechenUndFehler() {
        QTemporaryDir d;
        FesteDateiwahl wahl;
        Database& db = m_f->database();
        const QString vorher = kurse(db) + pakete(db);
        wahl.datei = schreibe(d, "Datum;Kurs\n05.03.2024;12,00\n");
        menuKurseImportieren(*m_f, wahl, klickt(false));
        QCOMPARE(kurse(db) + pakete(db), vorher);
        QVERIFY(m_f->scripted().shown.isEmpty());
        for (const QByteArray& schlecht : {QByteArray(), QByteArray("\x7f" "ELF\x02\x01\x01\0\0", 9),
                                           QByteArray("Datum;Notiz\n05.03.2024;gut\n")}) {
            wahl.datei = schreibe(d, schlecht);
            menuKurseImportieren(*m_f, wahl, [](QDialog&) {
                qFatal("no preview for a bad file");
                return 0;
            });
            QVERIFY(m_f->scripted().lastText().endsWith(QStringLiteral("Es wurde nichts übernommen.")));
        }
        QCOMPARE(m_f->scripted().shown.size(), 3);
        QCOMPARE(kurse(db) + pakete(db), vorher);
    }

    // Exporting the quotes and importing "Kurse.csv" into the depot without
    // them gives the same rows.
    void hinUndZurueck() {
        Database& db = m_f->database();
        QVERIFY(db.exec(QStringLiteral("INSERT INTO kurse (aktie, datum, kurs) VALUES "
                                       "('Beta', '2024-03-05', 123456), "
                                       "('Alpha AG', '2024-03-08', 1)")));
        QVERIFY(db.exec(QStringLiteral("INSERT INTO Gewinne (datum, text, summe) VALUES "
                                       "('2024-03-01', 'Kauf \"10\"; Stück', -1234567)")));
        const QString vorher = kurse(db);
        QTemporaryDir basis;
        const Datenexport::Ergebnis e = Datenexport::exportieren(db, basis.path(), QDate(2024, 3, 15));
        QVERIFY2(e.ok, qPrintable(e.fehler));
        QCOMPARE(QFileInfo(e.ordner).fileName(), QStringLiteral("Kapito-Export 2024-03-15"));
        QCOMPARE(QDir(e.ordner).entryList(QDir::Files), QStringList({"Aktienindex.csv", "Beobachten-Kurse.csv", "Beobachten.csv", "Depotkonto.csv", "Kurse.csv", "Pakete.csv"}));
        QFile konto(QDir(e.ordner).filePath(QStringLiteral("Depotkonto.csv")));
        QVERIFY(konto.open(QIODevice::ReadOnly));
        QCOMPARE(konto.readAll(), QByteArray("\xEF\xBB\xBF" "datum;text;summe\r\n"
                                             "01.03.2024;\"Kauf \"\"10\"\"; Stück\";-123,4567\r\n"));
        QCOMPARE(QFileInfo(Datenexport::exportieren(db, basis.path(), QDate(2024, 3, 15)).ordner)
                     .fileName(),
                 QStringLiteral("Kapito-Export 2024-03-15 (2)"));

        QVERIFY(db.exec(QStringLiteral("DELETE FROM kurse")));
        FesteDateiwahl wahl;
        wahl.datei = QDir(e.ordner).filePath(QStringLiteral("Kurse.csv"));
        menuKurseImportieren(*m_f, wahl, klickt(true));
        QCOMPARE(kurse(db), vorher);

        // A folder that takes no files: a German message, nothing left behind.
        if (::geteuid() == 0) QSKIP("root writes into a read-only folder");
        QTemporaryDir zu;
        QFile::setPermissions(zu.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const Datenexport::Ergebnis f = Datenexport::exportieren(db, zu.path(), QDate(2024, 3, 15));
        QFile::setPermissions(zu.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ExeOwner);
        QVERIFY(!f.ok);
        QVERIFY(f.fehler.startsWith(QStringLiteral("Die Daten konnten nicht exportiert werden.")));
        QVERIFY(QDir(zu.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    }

private:
    std::unique_ptr<TempProgramDir> m_dir;
    std::unique_ptr<FakeMainWindow> m_f;
};

QTEST_MAIN(TstKursimport)
#include "tst_kursimport.moc"
