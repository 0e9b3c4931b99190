// The start procedure: database check, start window, hand-over to the main window.

#include "Testbett.h"
#include "app/FormGruss.h"
#include "app/Programmsperre.h"
#include "app/Programmstart.h"
#include "core/Passwort.h"
#include "db/Dateipruefung.h"
#include "db/Verschluesselung.h"
#include "extras/pwfrage.h"
#include "platform/ScrollLine.h"
#include <QApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QSignalSpy>
#include <QThread>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

const char* const SperreHalten = "KAPITO_SPERRE_HALTEN";

// Child: holds the program directory like a running program until it is killed.
[[noreturn]] void sperreHalten() {
    Programmsperre sperre(qEnvironmentVariable(SperreHalten));
    const bool ok = sperre.sperren() == Programmsperre::Ergebnis::Gesperrt;
    std::puts(ok ? "gesperrt" : "nicht gesperrt");
    std::fflush(stdout);
    QThread::sleep(60);
    std::_Exit(0);
}

QByteArray hash(const QString& pfad) {
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

QByteArray inhalt(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Overwrites part of page n (counted from 1) of the encrypted file.
bool seiteBeschaedigen(const QString& pfad, qint64 seite) {
    QFile f(pfad);
    if (!f.open(QIODevice::ReadWrite)) return false;
    if (!f.seek((seite - 1) * 1024 + 200)) return false;
    return f.write(QByteArray(64, '\x5a')) == 64;
}

} // namespace

class TestProgrammstart : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (qEnvironmentVariableIsSet(SperreHalten)) sperreHalten();
    }
    void ohneDatenbank();
    void beschaedigteDatei_data();
    void beschaedigteDatei();
    void zweiteInstanz();
    void fehlendeIndizesNachgeruestet();
    void fremdeDatei_data();
    void fremdeDatei();
    void grussFensterUndUebergabe();
    void mitPasswortVerschluesselt_data();
    void mitPasswortVerschluesselt();
    void grossgeschriebenerName();
    void verlauf();
    void journalBeimStart_data();
    void journalBeimStart();
    void zweiteInstanzUeberVerweis_data();
    void zweiteInstanzUeberVerweis();
};

void TestProgrammstart::ohneDatenbank() {
    Testbett t;
    t.db.close();
    QVERIFY(QFile::remove(t.pfad()));
    Programmstart start(t.kontext(), 0);
    QVERIFY(!start.starten());
    QCOMPARE(start.exitCode(), 1);
    QCOMPARE(t.dialogs.shown.size(), 1);
    QCOMPARE(t.dialogs.shown[0].text,
             QStringLiteral("Die Datenbankdatei \"aktien.mdb\" wurde nicht gefunden!\nBitte "
                            "kopieren Sie die Datei in das Programmverzeichnis oder installieren "
                            "Sie das Programm neu."));
    QCOMPARE(t.dialogs.shown[0].icon, Dialogs::Icon::Exclamation);
    QCOMPARE(t.dialogs.shown[0].buttons, Dialogs::Buttons::Ok);
    QCOMPARE(t.dialogs.shown[0].title, QStringLiteral("Kapito 3.6"));
    QVERIFY(!start.gruss());
    QTest::qWait(20);
    QVERIFY(!start.hauptfenster());
    QVERIFY(!QFile::exists(t.pfad())); // nothing was created
}

void TestProgrammstart::fremdeDatei_data() {
    QTest::addColumn<QByteArray>("inhalt");
    QTest::newRow("Text") << QByteArray("Dies ist keine Datenbank.\n");
    QTest::newRow("leere Datei") << QByteArray();
    QTest::newRow("Rauschen") << QByteArray(4096, '\x5a');
}

void TestProgrammstart::fremdeDatei() {
    QFETCH(QByteArray, inhalt);
    Testbett t;
    t.db.close();
    {
        QFile f(t.pfad());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(inhalt);
    }
    Programmstart start(t.kontext(), 0);
    QVERIFY(!start.starten());
    QCOMPARE(start.exitCode(), 1);
    QCOMPARE(t.dialogs.shown.size(), 1);
    QVERIFY(!t.dialogs.shown[0].text.isEmpty());
    QCOMPARE(t.dialogs.shown[0].text, t.db.message());
    QVERIFY(!start.gruss());
    QFile f(t.pfad());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), inhalt); // left untouched
}

void TestProgrammstart::beschaedigteDatei_data() {
    QTest::addColumn<QString>("schaden");
    // The file as the last session closed it is not read page by page at the
    // next start: damage done to it afterwards must still be found.
    QTest::addColumn<bool>("sauberBeendet");
    QTest::newRow("zweite Seite") << "zweite Seite" << false;
    QTest::newRow("Seite tief in der Datei") << "tief" << false;
    QTest::newRow("ohne Einstellungszeile") << "kennwort" << false;
    QTest::newRow("nach sauberem Ende: Seite tief in der Datei") << "tief" << true;
    QTest::newRow("nach sauberem Ende: tief, Zeiten zurückgesetzt") << "tief, Zeiten" << true;
}

// Opens without a word otherwise and takes bookings into the damaged file.
void TestProgrammstart::beschaedigteDatei() {
    QFETCH(QString, schaden);
    QFETCH(bool, sauberBeendet);
    Testbett t;
    // Enough rows for the file to have pages deep inside.
    QVERIFY(t.db.exec(QStringLiteral("BEGIN")));
    for (int i = 0; i < 3000; ++i)
        t.db.exec(QStringLiteral("INSERT INTO kurse (aktie, datum, kurs) VALUES (?, ?, ?)"),
                  {QStringLiteral("Aktie %1").arg(i % 40), QDate(2020, 1, 1).addDays(i),
                   QVariant::fromValue<qint64>(100000 + i)});
    QVERIFY(t.db.exec(QStringLiteral("COMMIT")));
    t.paket(QStringLiteral("Alpha"), 10, QStringLiteral("10"), QStringLiteral("0"),
            QStringLiteral("10"));
    if (schaden == QLatin1String("kennwort"))
        QVERIFY(t.db.exec(QStringLiteral("DELETE FROM kennwort")));
    t.db.close();
    if (sauberBeendet) {
        {
            Programmstart sitzung(t.kontext(), 0);
            QVERIFY(sitzung.starten());
            QTRY_VERIFY(sitzung.hauptfenster() && sitzung.hauptfenster()->isVisible());
        }
        QVERIFY(!t.db.isOpen());
        QVERIFY(Dateipruefung::unberuehrt(t.pfad()));
        t.dialogs.shown.clear();
    }
    const qint64 seiten = QFileInfo(t.pfad()).size() / 1024;
    QVERIFY(seiten > 100);
    struct stat alt {};
    QCOMPARE(::stat(QFile::encodeName(t.pfad()).constData(), &alt), 0);
    if (schaden == QLatin1String("zweite Seite")) QVERIFY(seiteBeschaedigen(t.pfad(), 2));
    if (schaden.startsWith(QLatin1String("tief"))) QVERIFY(seiteBeschaedigen(t.pfad(), seiten - 5));
    if (schaden.endsWith(QLatin1String("Zeiten"))) {
        const timespec zeiten[2] = {alt.st_atim, alt.st_mtim};
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(t.pfad()).constData(), zeiten, 0), 0);
    }
    if (sauberBeendet) QVERIFY(!Dateipruefung::unberuehrt(t.pfad()));
    const QByteArray vorher = hash(t.pfad());

    Programmstart start(t.kontext(), 0);
    QSignalSpy ende(&start, &Programmstart::beendet);
    QVERIFY(start.starten()); // the start window is shown while the file is checked
    QTRY_COMPARE(ende.size(), 1);
    QCOMPARE(ende.first().first().toInt(), 1);
    QCOMPARE(start.exitCode(), 1);
    QVERIFY(!start.hauptfenster());
    QCOMPARE(t.dialogs.shown.size(), 1);
    QCOMPARE(t.dialogs.shown[0].text, Database::damagedMessage(QStringLiteral("aktien.mdb")));
    QCOMPARE(t.dialogs.shown[0].icon, Dialogs::Icon::Exclamation);
    QVERIFY(!t.db.isOpen());
    QTRY_VERIFY(!start.gruss());
    QCOMPARE(hash(t.pfad()), vorher);
}

// A second program on the same directory is refused; a lock left by a killed
// program does not keep the next start out.
void TestProgrammstart::zweiteInstanz() {
    Testbett t;
    t.db.close();
    QProcess kind;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(SperreHalten), t.dir.path());
    kind.setProcessEnvironment(env);
    kind.start(QCoreApplication::applicationFilePath(), {QStringLiteral("verlauf")});
    QVERIFY(kind.waitForStarted());
    QByteArray ausgabe;
    QTRY_VERIFY2_WITH_TIMEOUT((ausgabe += kind.readAllStandardOutput()).contains("gesperrt"),
                              ausgabe + kind.readAllStandardError(), 20000);
    {
        Programmstart start(t.kontext(), 0);
        QVERIFY(!start.starten());
        QCOMPARE(start.exitCode(), 1);
        QCOMPARE(t.dialogs.shown.size(), 1);
        QCOMPARE(t.dialogs.shown[0].text, Programmsperre::laeuftSchonText());
        QVERIFY(!t.db.isOpen());
        QVERIFY(!start.gruss());
    }
    kind.kill(); // as a crash would leave it: the lock file stays behind
    QVERIFY(kind.waitForFinished());
    QVERIFY(QFile::exists(t.dir.filePath(QString::fromLatin1(Programmsperre::DateiName))));
    t.dialogs.shown.clear();
    {
        Programmstart start(t.kontext(), 0);
        QVERIFY(start.starten());
        QVERIFY(t.dialogs.shown.isEmpty());
        QTRY_VERIFY(start.hauptfenster());
        // While it runs, a further start is refused.
        Programmstart zweiter(t.kontext(), 0);
        QVERIFY(!zweiter.starten());
        QCOMPARE(t.dialogs.lastText(), Programmsperre::laeuftSchonText());
    }
}

// A file of an earlier version gets the index that keeps the balance fast.
void TestProgrammstart::fehlendeIndizesNachgeruestet() {
    Testbett t;
    QVERIFY(t.db.exec(QStringLiteral("DROP INDEX gewinne_summe")));
    const auto index = [&t] {
        return t.db.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = "
                                          "'gewinne_summe'"))
            .toInt();
    };
    QCOMPARE(index(), 0);
    t.db.close();
    Programmstart start(t.kontext(), 0);
    QVERIFY(start.starten());
    QTRY_VERIFY(start.hauptfenster());
    QCOMPARE(index(), 1);
}

void TestProgrammstart::grussFensterUndUebergabe() {
    Testbett t;
    t.db.close();
    Programmstart start(t.kontext(), 200);
    QSignalSpy ende(&start, &Programmstart::beendet);
    QVERIFY(start.starten());
    QVERIFY(t.db.isOpen());
    FormGruss* gruss = start.gruss();
    QVERIFY(gruss);
    QVERIFY2(gruss->isVisible(), start.hauptfenster() ? "already handed over" : "not shown");
    QCOMPARE(gruss->Label5->text(), QStringLiteral("Kapito 3.6"));
    QVERIFY(gruss->Label5->font().weight() >= QFont::Bold);
    QCOMPARE(gruss->Timer1->interval(), 200);
    QVERIFY(!start.hauptfenster());

    QTRY_VERIFY(start.hauptfenster() && start.hauptfenster()->isVisible());
    QTRY_VERIFY(!start.gruss());
    QCOMPARE(ende.size(), 0);

    t.dialogs.answers = {Dialogs::Answer::Yes};
    start.hauptfenster()->menu_ende_Click();
    QCOMPARE(ende.size(), 1);
    QCOMPARE(start.exitCode(), 0);
}

void TestProgrammstart::mitPasswortVerschluesselt_data() {
    QTest::addColumn<QString>("eingabe");
    QTest::addColumn<bool>("gekuerzt");
    QTest::addColumn<QString>("meldung"); ///< "" = the main window opens
    QTest::addColumn<int>("code");
    QTest::newRow("richtiges Passwort") << "geheim" << false << "" << 0;
    QTest::newRow("falsches Passwort") << "Geheim" << false << pwfrage::falschText() << 0;
    QTest::newRow("gekürzte Datei")
        << "geheim" << true << Database::damagedMessage(QStringLiteral("aktien.mdb")) << 1;
}

// The password is asked before the file is opened, and only once.
void TestProgrammstart::mitPasswortVerschluesselt() {
    QFETCH(QString, eingabe);
    QFETCH(bool, gekuerzt);
    QFETCH(QString, meldung);
    QFETCH(int, code);
    Testbett t;
    t.paket(QStringLiteral("Alpha"), 10, QStringLiteral("20"), QStringLiteral("5"),
            QStringLiteral("21"));
    QVERIFY(Verschluesselung::umschluesseln(t.db, QStringLiteral("geheim"),
                                            Passwort::speicherform(QStringLiteral("geheim")), 1000)
                .ok);
    t.db.close();
    if (gekuerzt) {
        QFile f(t.pfad());
        QVERIFY(f.resize(f.size() - 1024));
    }
    const QByteArray vorher = hash(t.pfad());

    Programmstart start(t.kontext(), 0);
    QSignalSpy ende(&start, &Programmstart::beendet);
    QVERIFY(start.starten());
    pwfrage* frage = start.passwortFrage();
    QVERIFY(frage && frage->isVisible());
    QVERIFY(!t.db.isOpen());
    QVERIFY(!start.gruss());
    frage->Textpwfrage->setText(eingabe);
    frage->Schalter3_Click();

    if (meldung.isEmpty()) {
        QTRY_VERIFY(start.hauptfenster() && start.hauptfenster()->isVisible());
        QVERIFY(!start.hauptfenster()->passwortFenster());
        QVERIFY(t.dialogs.shown.isEmpty());
        QCOMPARE(t.modul.PasswortAktuell, eingabe);
        QCOMPARE(start.hauptfenster()->Daten1().recordCount(), 1);
        QCOMPARE(ende.size(), 0);
        return;
    }
    QCOMPARE(ende.size(), 1);
    QCOMPARE(ende.first().first().toInt(), code);
    QCOMPARE(t.dialogs.shown.size(), 1);
    QCOMPARE(t.dialogs.shown[0].text, meldung);
    QCOMPARE(t.dialogs.shown[0].icon,
             code == 0 ? Dialogs::Icon::Stop : Dialogs::Icon::Exclamation);
    QVERIFY(!start.hauptfenster());
    QVERIFY(!t.db.isOpen());
    QCOMPARE(hash(t.pfad()), vorher);
}

// "Aktien.mdb" is the same file as "aktien.mdb": start and load use it.
void TestProgrammstart::grossgeschriebenerName() {
    Testbett t;
    t.paket(QStringLiteral("Alpha"), 10, QStringLiteral("20"), QStringLiteral("5"),
            QStringLiteral("21"));
    t.db.close();
    const QString gross = t.dir.filePath(QStringLiteral("Aktien.mdb"));
    QVERIFY(QFile::rename(t.pfad(), gross));
    Programmstart start(t.kontext(), 0);
    QVERIFY(start.starten());
    QVERIFY(t.dialogs.shown.isEmpty());
    QCOMPARE(QFileInfo(t.db.path()).fileName(), QStringLiteral("Aktien.mdb"));
    QTRY_VERIFY(start.hauptfenster() && start.hauptfenster()->isVisible());
    QVERIFY(t.dialogs.shown.isEmpty());
    QCOMPARE(start.hauptfenster()->Daten1().recordCount(), 1);
    QVERIFY(!QFile::exists(t.pfad())); // no second file beside it
}

void TestProgrammstart::verlauf() {
    ControlLoader keine(QDir::temp().filePath(QStringLiteral("kapito-keine-steuerelemente")));
    FormGruss gruss(
        keine, [] {}, 100000);
    QCOMPARE(FormGruss::lauftext(),
             QStringLiteral("Bitte haben Sie etwas Geduld, das Programm wird geladen   +++   "
                            "Bitte haben Sie etwas Geduld, das Programm wird geladen   +++"));
    gruss.setFixedSize(520, 512);
    const QImage bild = gruss.grab().toImage();
    const int x = 2;
    QCOMPARE(bild.pixelColor(x, 0), QColor(0, 0, 255));
    QCOMPARE(bild.pixelColor(x, 255), QColor(0, 0, 255)); // band 255: still 256 → 255
    QCOMPARE(bild.pixelColor(x, 256), QColor(0, 0, 255));
    QCOMPARE(bild.pixelColor(x, 384), QColor(0, 0, 127));
    QCOMPARE(bild.pixelColor(x, 511), QColor(0, 0, 0));
}

void TestProgrammstart::journalBeimStart_data() {
    QTest::addColumn<QString>("fall");
    QTest::newRow("eigenes Journal eines abgebrochenen Schreibens") << "eigenes";
    QTest::newRow("fremdes Journal neben einer eingespielten Sicherung") << "fremdes";
    QTest::newRow("Start während der Prüfung abgebrochen") << "abgebrochen";
}

// A journal is rolled into the file only when it belongs to it: one left
// beside a backup copied over the file would destroy the backup.
void TestProgrammstart::journalBeimStart() {
    QFETCH(QString, fall);
    Testbett t;
    t.paket(QStringLiteral("Alpha"), 10, QStringLiteral("10"), QStringLiteral("0"),
            QStringLiteral("10"));
    t.db.close();
    const QString sicherung = t.dir.filePath(QStringLiteral("sicherung.mdb"));
    QVERIFY(QFile::copy(t.pfad(), sicherung));
    QCOMPARE(t.db.open(t.pfad()), Database::Status::Ok);
    QVERIFY(t.db.exec(QStringLiteral("BEGIN")));
    for (int i = 0; i < 3000; ++i)
        t.db.exec(QStringLiteral("INSERT INTO kurse (aktie, datum, kurs) VALUES (?, ?, ?)"),
                  {QStringLiteral("Aktie %1").arg(i % 40), QDate(2020, 1, 1).addDays(i),
                   QVariant::fromValue<qint64>(100000 + i)});
    QVERIFY(t.db.exec(QStringLiteral("COMMIT")));
    const auto summe = [](Database& db) {
        return db.scalar(QStringLiteral("SELECT sum(kurs) FROM kurse")).toLongLong();
    };
    const qint64 vorher = summe(t.db);
    // A write killed midway: its pages partly in the file, the old ones in
    // the journal beside it.
    const QString halb = t.dir.filePath(QStringLiteral("halb.mdb"));
    QVERIFY(t.db.exec(QStringLiteral("PRAGMA cache_size = 5")));
    QVERIFY(t.db.exec(QStringLiteral("BEGIN IMMEDIATE")));
    QVERIFY(t.db.exec(QStringLiteral("UPDATE kurse SET kurs = kurs + 7")));
    QVERIFY(QFile::copy(t.pfad(), halb));
    QVERIFY(QFile::copy(t.pfad() + QStringLiteral("-journal"), halb + QStringLiteral("-journal")));
    QVERIFY(t.db.exec(QStringLiteral("ROLLBACK")));
    t.db.close();
    const QByteArray journal = inhalt(halb + QStringLiteral("-journal"));
    QVERIFY(journal.size() > 4096);
    QVERIFY(hash(halb) != hash(t.pfad())); // the write has reached the file

    QVERIFY(QFile::remove(t.pfad()));
    QVERIFY(QFile::copy(fall == QLatin1String("fremdes") ? sicherung : halb, t.pfad()));
    QVERIFY(QFile::copy(halb + QStringLiteral("-journal"), t.pfad() + QStringLiteral("-journal")));
    if (fall == QLatin1String("abgebrochen")) {
        // Killed after the copies were made and the engine had begun.
        QVERIFY(QFile::copy(t.pfad(), t.pfad() + QStringLiteral(".unberuehrt")));
        QVERIFY(QFile::copy(t.pfad() + QStringLiteral("-journal"),
                            t.pfad() + QStringLiteral("-journal.unberuehrt")));
        QVERIFY(QFile::remove(t.pfad() + QStringLiteral("-journal")));
        QVERIFY(seiteBeschaedigen(t.pfad(), 3));
    }

    Programmstart start(t.kontext(), 0);
    QVERIFY(start.starten());
    QTRY_VERIFY(start.hauptfenster() && start.hauptfenster()->isVisible());
    const QString beiseite = t.pfad() + QStringLiteral("-journal-2024-03-15");
    if (fall == QLatin1String("fremdes")) {
        QCOMPARE(t.dialogs.shown.size(), 1);
        QCOMPARE(t.dialogs.shown[0].text,
                 QStringLiteral("Neben der Datenbankdatei \"aktien.mdb\" lag das Protokoll eines "
                                "abgebrochenen Schreibvorgangs (\"aktien.mdb-journal\"), das nicht "
                                "zu dieser Datei gehört. Es hätte die Datei beschädigt und wurde "
                                "nicht angewandt: Die Datenbankdatei ist unverändert.\nDas "
                                "Protokoll wurde als \"aktien.mdb-journal-2024-03-15\" im "
                                "Programmverzeichnis aufbewahrt."));
        QCOMPARE(inhalt(beiseite), journal);
        QCOMPARE(start.hauptfenster()->Daten1().recordCount(), 1);
        // The backup's state, whole: the start's check has passed it.
        QCOMPARE(t.db.scalar(QStringLiteral("SELECT count(*) FROM kurse")).toInt(), 0);
    } else {
        // Rolled back as the engine does it, without a word.
        QVERIFY(t.dialogs.shown.isEmpty());
        QVERIFY(!QFile::exists(beiseite));
        QCOMPARE(summe(t.db), vorher);
    }
    // No copy is left; the note of a whole file may be.
    QStringList reste = QDir(t.dir.path()).entryList({QStringLiteral("aktien.mdb*")}, QDir::Files);
    reste.removeAll(QFileInfo(Dateipruefung::merkPfad(t.pfad())).fileName());
    QVERIFY2(reste == QStringList{QStringLiteral("aktien.mdb")} ||
                 reste == (QStringList{QStringLiteral("aktien.mdb"),
                                       QStringLiteral("aktien.mdb-journal-2024-03-15")}),
             qPrintable(reste.join(QLatin1Char(' '))));
}

void TestProgrammstart::zweiteInstanzUeberVerweis_data() {
    QTest::addColumn<bool>("ordnerVerweis");
    QTest::newRow("aktien.mdb ist ein Verweis") << false;
    QTest::newRow("das Programmverzeichnis ist ein Verweis") << true;
}

// Two program directories, one file: the second start is refused too, or
// both would write it and lose each other's changes.
void TestProgrammstart::zweiteInstanzUeberVerweis() {
    QFETCH(bool, ordnerVerweis);
    Testbett t;
    t.db.close();
    QTemporaryDir anderer;
    QString zweites = anderer.filePath(QStringLiteral("programm"));
    if (ordnerVerweis) {
        QVERIFY(QFile::link(t.dir.path(), zweites));
    } else {
        QVERIFY(QDir().mkdir(zweites));
        QVERIFY(QFile::link(t.pfad(), QDir(zweites).filePath(QStringLiteral("aktien.mdb"))));
    }
    Programmstart erster(t.kontext(), 0);
    QVERIFY(erster.starten());
    Database zweiteDb;
    AppContext ctx = t.kontext();
    Programmstart zweiter(AppContext{zweiteDb, ctx.modul, ctx.dialogs, ctx.clock, ctx.help,
                                     ctx.editor, ctx.controls, zweites},
                          0);
    QVERIFY(!zweiter.starten());
    QCOMPARE(t.dialogs.lastText(), Programmsperre::laeuftSchonText());
    QVERIFY(!zweiteDb.isOpen());
    QTRY_VERIFY(erster.hauptfenster());
}

QTEST_MAIN(TestProgrammstart)
#include "tst_programmstart.moc"
