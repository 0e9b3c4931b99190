// Writes that fail are told in German: a write-protected file or folder, a
// full disk, a file locked by another program; a file size limit ends
// nothing. At start the status bar says when the database cannot be written.

#include "Testbett.h"
#include "app/Systemsignale.h"
#include "db/Fehlertexte.h"
#include "platform/NumericField.h"
#include "support/FakeMainWindow.h"
#include "support/FehlerVfs.h"
#include "support/TestUtil.h"
#include "transactions/FormDepotKonto.h"
#include "transactions/KontoOperationen.h"

#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <cstdio>
#include <sys/resource.h>

namespace {

const char* const KindDb = "KAPITO_KIND_DATEIGRENZE";
const char* const KindOhneSchutz = "KAPITO_KIND_OHNE_SCHUTZ";

// Child: writes beyond a file size limit and prints what it was told.
[[noreturn]] void ueberDieGrenzeSchreiben() {
    if (!qEnvironmentVariableIsSet(KindOhneSchutz)) dateigroessenGrenzeAbfangen();
    Database db;
    if (db.open(qEnvironmentVariable(KindDb)) != Database::Status::Ok) std::_Exit(2);
    const rlim_t grenze = rlim_t(QFileInfo(qEnvironmentVariable(KindDb)).size() + 2048);
    const rlimit r{grenze, grenze};
    setrlimit(RLIMIT_FSIZE, &r);
    // Notes of a package may be long: 100,000 characters go beyond the limit.
    const bool ok =
        db.exec(QStringLiteral("INSERT INTO Aktiendaten (aktie, notizen) VALUES ('Alpha', ?)"),
                {QString(100000, QLatin1Char('x'))});
    std::fputs(db.message().toUtf8().constData(), stdout);
    std::fflush(stdout);
    std::_Exit(ok ? 1 : 0);
}

const QString Buchungsfehler = QStringLiteral("Die Buchung konnte nicht gespeichert werden.\n\n");

} // namespace

class TstSchreibfehler final : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (qEnvironmentVariableIsSet(KindDb)) ueberDieGrenzeSchreiben();
    }
    void schreibfehler_data();
    void schreibfehler();
    void gesperrt();
    void dateigroessenGrenze();
    void statusleisteBeiSchreibschutz();
};

void TstSchreibfehler::schreibfehler_data() {
    QTest::addColumn<int>("fehler");
    QTest::addColumn<bool>("vorDemOeffnen");
    QTest::addColumn<QString>("text");
    QTest::newRow("Datei schreibgeschützt")
        << int(FehlerVfs::Fehler::DateiSchreibgeschuetzt) << true
        << Fehlertexte::dateiSchreibgeschuetzt();
    QTest::newRow("Ordner schreibgeschützt")
        << int(FehlerVfs::Fehler::OrdnerSchreibgeschuetzt) << false
        << Fehlertexte::ordnerSchreibgeschuetzt();
    // The engine's words ("unable to open database file") never reach the user.
    QTest::newRow("Ordner schreibgeschützt, ohne Grund")
        << int(FehlerVfs::Fehler::OrdnerOhneGrund) << false << Fehlertexte::dateiNichtZuOeffnen();
    QTest::newRow("Datenträger voll")
        << int(FehlerVfs::Fehler::Voll) << false << Fehlertexte::datentraegerVoll();
}

// The booking window shows the German reason; nothing is booked.
void TstSchreibfehler::schreibfehler() {
    QFETCH(int, fehler);
    QFETCH(bool, vorDemOeffnen);
    QFETCH(QString, text);
    TempProgramDir dir(false, QDate(2024, 3, 15));
    FehlerVfs vfs;
    if (vorDemOeffnen) vfs.setFehler(FehlerVfs::Fehler(fehler));
    FakeMainWindow api(dir.dbPath());
    vfs.setFehler(FehlerVfs::Fehler(fehler));

    FormDepotKonto w(api);
    w.show();
    typeText(w.Text2, QStringLiteral("Einzahlung"));
    typeText(w.Text1, QStringLiteral("100"));
    pressEnter(w.Text1);
    QCOMPARE(api.scripted().lastText(), Buchungsfehler + text);
    QVERIFY(!api.scripted().lastText().contains(QStringLiteral("database")));
    QCOMPARE(w.Text1->text(), QStringLiteral("100")); // the entry stays

    vfs.setFehler(FehlerVfs::Fehler::Keiner);
    QCOMPARE(api.database().scalar(QStringLiteral("SELECT count(*) FROM Gewinne")).toInt(), 0);
}

// Another program holds the file for writing.
void TstSchreibfehler::gesperrt() {
    TempProgramDir dir(false, QDate(2024, 3, 15));
    FehlerVfs vfs; // gives up the wait for the lock at once
    Database andere;
    QCOMPARE(andere.open(dir.dbPath()), Database::Status::Ok);
    QVERIFY(andere.exec(QStringLiteral("BEGIN IMMEDIATE")));
    Database db;
    QCOMPARE(db.open(dir.dbPath()), Database::Status::Ok);
    QVERIFY(!Konto::buchen(db, QDate(2024, 3, 1), QStringLiteral("x"), Currency::fromWhole(1)));
    QCOMPARE(db.message(), Fehlertexte::gesperrt());
    QVERIFY(andere.exec(QStringLiteral("ROLLBACK")));
    QVERIFY(Konto::buchen(db, QDate(2024, 3, 1), QStringLiteral("x"), Currency::fromWhole(1)));
}

// Under "ulimit -f" the write fails and is told like a full disk; without
// the signal ignored the process would die without a word.
void TstSchreibfehler::dateigroessenGrenze() {
    for (const bool geschuetzt : {true, false}) {
        TempProgramDir dir(false, QDate(2024, 3, 15));
        QProcess kind;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(KindDb), dir.dbPath());
        if (!geschuetzt) env.insert(QString::fromLatin1(KindOhneSchutz), QStringLiteral("1"));
        kind.setProcessEnvironment(env);
        kind.start(QCoreApplication::applicationFilePath(), {QStringLiteral("gesperrt")});
        QVERIFY(kind.waitForFinished(30000));
        if (geschuetzt) {
            QCOMPARE(kind.exitStatus(), QProcess::NormalExit);
            QCOMPARE(kind.exitCode(), 0);
            const QString ausgabe = QString::fromUtf8(kind.readAllStandardOutput());
            QVERIFY2(ausgabe.endsWith(Fehlertexte::datentraegerVoll()), qPrintable(ausgabe));
        } else {
            QCOMPARE(kind.exitStatus(), QProcess::CrashExit);
        }
        Database db;
        QCOMPARE(db.open(dir.dbPath()), Database::Status::Ok);
        QCOMPARE(db.scalar(QStringLiteral("PRAGMA integrity_check")).toString(),
                 QStringLiteral("ok"));
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM Aktiendaten")).toInt(), 0);
    }
}

void TstSchreibfehler::statusleisteBeiSchreibschutz() {
    for (const bool schutz : {false, true}) {
        Testbett t;
        FehlerVfs vfs;
        // Due for compaction: a file that cannot be replaced is not offered it.
        t.kennwort(QStringLiteral("kompridatum"), QDate(2023, 1, 2));
        t.db.close();
        if (schutz) vfs.setFehler(FehlerVfs::Fehler::DateiSchreibgeschuetzt);
        QCOMPARE(t.db.open(t.pfad()), Database::Status::Ok);
        if (!schutz) t.dialogs.answers = {Dialogs::Answer::No};
        Aktiendataform& f = t.laden();
        QCOMPARE(t.dialogs.shown.size(), schutz ? 0 : 1);
        const QString erwartet = schutz ? Fehlertexte::schreibschutzHinweis(true, false)
                                        : Aktiendataform::hinweistext();
        QCOMPARE(f.StatusBar1[1]->text(), erwartet);
        // A hint of a button comes and goes; the notice stays the resting text.
        f.setHinweis(QStringLiteral(" Hinweis"));
        f.hinweisZuruecksetzen();
        QCOMPARE(f.StatusBar1[1]->text(), erwartet);
    }
}

QTEST_MAIN(TstSchreibfehler)
#include "tst_schreibfehler.moc"
