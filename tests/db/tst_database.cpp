// The encrypted file: refusing bad files untouched, transactions that survive
// a killed process, compaction, and the shipped empty database.

#include "DbFixture.h"
#include "core/Currency.h"
#include "db/Database.h"
#include "db/Fehlertexte.h"
#include "db/Schema.h"
#include "db/Statement.h"
#include "support/FehlerVfs.h"
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace DbFixture;
using Status = Database::Status;

class TestDatabase final : public QObject {
    Q_OBJECT
private slots:
    void shippedDatabase();
    void refusesBadFiles_data();
    void refusesBadFiles();
    void bindsTypes();
    void transactionRollsBack();
    void nestedTransactionJoinsOuter();
    void killedProcessLeavesAllOrNothing_data();
    void killedProcessLeavesAllOrNothing();
    void compactionKeepsEverything();
    void compactionFailureKeepsOriginal();
    void compactionKeepsProtection_data();
    void compactionKeepsProtection();
    void writeProtectedFileIsNotCompacted();
    void compactionReportsProgress();
    void compactionRefusesSpoiledCopy_data();
    void compactionRefusesSpoiledCopy();
    void cipherToolOpensFile();
    void engineErrorsInGerman_data();
    void engineErrorsInGerman();
};

void TestDatabase::shippedDatabase() {
    QTemporaryDir dir;
    const QString path = shippedDb(dir);
    QString error;
    QVERIFY(!Schema::createEmptyDatabase(path, QDate(2024, 1, 1), &error)); // never overwrites
    QVERIFY(!error.isEmpty());

    Database db;
    QCOMPARE(db.open(path), Status::Ok);
    const QList<QVariantList> k = db.rows(QStringLiteral(
        "SELECT passwort, vermanzeige, dmanzeige, kompridatum, spekufrist, datum, altallwert "
        "FROM kennwort"));
    QCOMPARE(k.size(), 1);
    QCOMPARE(k[0][0].toString(), QStringLiteral("********"));
    QCOMPARE(k[0][1].toLongLong(), 1);
    QCOMPARE(k[0][2].toLongLong(), 0);
    QCOMPARE(k[0][3].toString(), QStringLiteral("1990-01-01"));
    QCOMPARE(k[0][4].toLongLong(), 12);
    QCOMPARE(k[0][5].toString(), QStringLiteral("2024-03-15"));
    QCOMPARE(k[0][6].toLongLong(), 0);
    for (const char* t :
         {"Aktiendaten", "kurse", "Indexkurse", "Gewinne", "Beobachten", "KurseVirtuell"})
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM ") + QLatin1String(t)).toInt(), 0);
    QCOMPARE(db.scalar(QStringLiteral("PRAGMA synchronous")).toInt(), 2); // FULL
    Database upper; // "Aktien.mdb" names the same file
    QCOMPARE(upper.open(dir.filePath(QStringLiteral("Aktien.mdb"))), Status::Ok);

    // The tool writes the same file and refuses to overwrite it.
    const QString tool =
        qEnvironmentVariable("KAPITO_BUILD_DIR") + QStringLiteral("/tools/kapito_mkdb");
    if (QFileInfo(tool).isExecutable()) {
        const QString made = dir.filePath(QStringLiteral("tool.mdb"));
        QCOMPARE(QProcess::execute(tool, {made}), 0);
        Database d2;
        QCOMPARE(d2.open(made), Status::Ok);
        QCOMPARE(d2.scalar(QStringLiteral("SELECT datum FROM kennwort")).toString(),
                 QDate::currentDate().toString(Qt::ISODate));
        const QByteArray before = fileHash(made);
        QCOMPARE(QProcess::execute(tool, {made}), 1);
        QCOMPARE(fileHash(made), before);
    }
}

void TestDatabase::refusesBadFiles_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("expected");
    QTest::newRow("missing") << "missing" << int(Status::Missing);
    QTest::newRow("plain SQLite") << "plain" << int(Status::NotADatabase);
    QTest::newRow("other key") << "otherkey" << int(Status::WrongKey);
    QTest::newRow("truncated by pages") << "truncpages" << int(Status::Damaged);
    QTest::newRow("truncated mid-page") << "truncmid" << int(Status::Damaged);
    QTest::newRow("text file") << "text" << int(Status::NotADatabase);
    QTest::newRow("empty file") << "empty" << int(Status::NotADatabase);
    QTest::newRow("foreign encrypted") << "foreign" << int(Status::NotADatabase);
}

void TestDatabase::refusesBadFiles() {
    QFETCH(QString, kind);
    QFETCH(int, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("aktien.mdb"));
    if (kind == QLatin1String("plain")) {
        QVERIFY(writeWithKey(path, ""));
    } else if (kind == QLatin1String("otherkey")) {
        QVERIFY(writeWithKey(path, "anders"));
    } else if (kind == QLatin1String("foreign")) {
        QVERIFY(writeWithKey(path, "tilo3581", false));
    } else if (kind.startsWith(QLatin1String("trunc"))) {
        shippedDb(dir);
        {
            Database db;
            QCOMPARE(db.open(path), Status::Ok);
            fillKurse(db, 3000);
        }
        QFile f(path);
        const qint64 size = f.size();
        QVERIFY(size > 20 * 1024);
        QVERIFY(f.resize(kind == QLatin1String("truncpages") ? size / 2 / 1024 * 1024
                                                             : size / 2 + 100));
    } else if (kind == QLatin1String("text") || kind == QLatin1String("empty")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        if (kind == QLatin1String("text"))
            for (int i = 0; i < 200; ++i)
                f.write("Dies ist keine Datenbank, sondern ein Brief an die Bank.\n");
    }
    const QByteArray before = fileHash(path);

    Database db;
    QCOMPARE(int(db.open(path)), expected);
    QVERIFY(!db.isOpen());
    QVERIFY(!db.message().isEmpty());
    if (kind == QLatin1String("missing")) {
        QCOMPARE(db.message(), QStringLiteral("Die Datenbankdatei \"aktien.mdb\" wurde nicht "
                                              "gefunden!\r\nBitte kopieren Sie die Datei in das "
                                              "Programmverzeichnis oder installieren Sie das "
                                              "Programm neu."));
        QVERIFY(!QFileInfo::exists(path)); // never created
    } else {
        QCOMPARE(fileHash(path), before);
        QVERIFY(!QFileInfo::exists(path + QStringLiteral("-journal")));
    }
}

void TestDatabase::bindsTypes() {
    QTemporaryDir dir;
    Database db;
    QCOMPARE(db.open(shippedDb(dir)), Status::Ok);
    QVERIFY(db.exec(QStringLiteral("INSERT INTO Aktiendaten (aktie, \"stück\", kaufpreis, datum, "
                                   "kursziel, notizen) VALUES (?1, ?2, ?3, ?4, ?5, ?6)"),
                    {QStringLiteral("Müller AG"), qint64(7),
                     QVariant::fromValue(Currency::fromRaw(123456)), QDate(2024, 2, 29), 12.5,
                     QVariant()}));
    const QVariantList r =
        db
            .rows(QStringLiteral(
                "SELECT aktie, \"stück\", kaufpreis, datum, kursziel, notizen FROM Aktiendaten"))
            .value(0);
    QCOMPARE(r.value(0).toString(), QStringLiteral("Müller AG"));
    QCOMPARE(r.value(1).toLongLong(), 7);
    QCOMPARE(r.value(2).toLongLong(), 123456);
    QCOMPARE(r.value(3).toString(), QStringLiteral("2024-02-29"));
    QCOMPARE(r.value(4).toDouble(), 12.5);
    QVERIFY(!r.value(5).isValid());

    // A statement's typed binds store the same.
    {
        Statement st(db, "INSERT INTO Aktiendaten (aktie, \"stück\", kaufpreis, datum, kursziel,"
                         " notizen) VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
        st.bind(1, QStringLiteral("Müller AG"));
        st.bind(2, 7);
        st.bind(3, Currency::fromRaw(123456));
        st.bind(4, QDate(2024, 2, 29));
        st.bind(5, QVariant(12.5));
        st.bindNull(6);
        QVERIFY(st.run());
    }
    const QList<QVariantList> beide = db.rows(QStringLiteral(
        "SELECT aktie, \"stück\", kaufpreis, datum, kursziel, notizen FROM Aktiendaten"));
    QCOMPARE(beide.size(), 2);
    QCOMPARE(beide.value(1), r);
    Statement falsch(db, "SELECT * FROM gibtsnicht");
    QVERIFY(!falsch.ok() && !falsch.next());
    QVERIFY2(falsch.error().startsWith(QStringLiteral("Die Datenbank meldet einen Fehler")),
             qPrintable(falsch.error()));

    QVERIFY(!db.exec(QStringLiteral("INSERT INTO gibtsnicht VALUES (1)")));
    // German, with the code: never the engine's words.
    QCOMPARE(db.message(), QStringLiteral("Die Datenbank meldet einen Fehler (Nummer 1)."));
    QVERIFY(!db.scalar(QStringLiteral("SELECT aktie FROM Aktiendaten WHERE 0")).isValid());
}

void TestDatabase::transactionRollsBack() {
    QTemporaryDir dir;
    Database db;
    QCOMPARE(db.open(shippedDb(dir)), Status::Ok);
    {
        Transaction t(db);
        QVERIFY(t.isActive());
        QVERIFY(db.exec(QStringLiteral("INSERT INTO kurse (aktie) VALUES ('A')")));
    } // destroyed without commit
    QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM kurse")).toInt(), 0);
    {
        Transaction t(db);
        QVERIFY(db.exec(QStringLiteral("INSERT INTO kurse (aktie) VALUES ('B')")));
        QVERIFY(t.commit());
    }
    QCOMPARE(db.scalar(QStringLiteral("SELECT aktie FROM kurse")).toString(), QStringLiteral("B"));
}

void TestDatabase::nestedTransactionJoinsOuter() {
    QTemporaryDir dir;
    Database db;
    QCOMPARE(db.open(shippedDb(dir)), Status::Ok);
    {
        Transaction outer(db);
        QVERIFY(db.exec(QStringLiteral("INSERT INTO kurse (aktie) VALUES ('A')")));
        {
            Transaction inner(db);
            QVERIFY(db.exec(QStringLiteral("INSERT INTO kurse (aktie) VALUES ('B')")));
        } // a failed part of the operation
        QVERIFY(db.exec(QStringLiteral("INSERT INTO kurse (aktie) VALUES ('C')")));
        QVERIFY(!outer.commit()); // reported, not half-written
    }
    QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM kurse")).toInt(), 0);
    {
        Transaction outer(db);
        {
            Transaction inner(db);
            QVERIFY(db.exec(QStringLiteral("INSERT INTO kurse (aktie) VALUES ('D')")));
            QVERIFY(inner.commit());
        }
        QVERIFY(outer.commit());
    }
    QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM kurse")).toInt(), 1);
}

void TestDatabase::killedProcessLeavesAllOrNothing_data() {
    QTest::addColumn<bool>("commitFirst");
    QTest::addColumn<int>("expected");
    QTest::newRow("killed mid-operation") << false << 0;
    QTest::newRow("killed after commit") << true << 500;
}

void TestDatabase::killedProcessLeavesAllOrNothing() {
    QFETCH(bool, commitFirst);
    QFETCH(int, expected);
    QTemporaryDir dir;
    const QString path = shippedDb(dir);
    int pipeFd[2];
    QCOMPARE(::pipe(pipeFd), 0);
    const pid_t pid = ::fork();
    QVERIFY(pid >= 0);
    if (pid == 0) {
        // Child: write half, or all and commit, then wait to be killed.
        ::close(pipeFd[0]);
        Database db;
        if (db.open(path) != Status::Ok) ::_exit(2);
        Transaction t(db);
        for (int i = 0; i < 500; ++i) {
            db.exec(QStringLiteral("INSERT INTO Gewinne (datum, text, summe) VALUES (?1, ?2, ?3)"),
                    {QDate(2024, 1, 1), QStringLiteral("Buchung %1").arg(i), qint64(i)});
            if (!commitFirst && i == 250) break;
        }
        if (commitFirst) t.commit();
        const char ready = 'x';
        if (::write(pipeFd[1], &ready, 1) != 1) ::_exit(3);
        for (;;)
            ::pause();
    }
    ::close(pipeFd[1]);
    char c = 0;
    QCOMPARE(::read(pipeFd[0], &c, 1), ssize_t(1));
    ::close(pipeFd[0]);
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    QVERIFY(WIFSIGNALED(status));

    Database db;
    QCOMPARE(db.open(path), Status::Ok);
    QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM Gewinne")).toInt(), expected);
    QCOMPARE(db.scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
}

void TestDatabase::compactionKeepsEverything() {
    QTemporaryDir dir;
    const QString path = shippedDb(dir);
    Database db;
    QCOMPARE(db.open(path), Status::Ok);
    fillKurse(db, 2000);
    QVERIFY(db.exec(QStringLiteral("DELETE FROM kurse WHERE _nr % 3 = 0 OR _nr = 2000")));
    QVERIFY(db.exec(QStringLiteral("PRAGMA user_version = 7")));
    const QList<QVariantList> before =
        db.rows(QStringLiteral("SELECT _nr, aktie, datum, kurs FROM kurse"));
    const qint64 sizeBefore = QFileInfo(path).size();

    QVERIFY2(db.compact(), qPrintable(db.message()));
    QVERIFY(db.isOpen());
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("dbAkt.mdb"))));
    QVERIFY(QFileInfo(path).size() < sizeBefore);
    QVERIFY(!fileHash(path).isEmpty());
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(!f.read(16).startsWith("SQLite format 3"));
    f.close();

    QCOMPARE(db.rows(QStringLiteral("SELECT _nr, aktie, datum, kurs FROM kurse")), before);
    QCOMPARE(db.scalar(QStringLiteral("PRAGMA user_version")).toInt(), 7);
    QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM kennwort")).toInt(), 1);
    // A deleted last row's bookmark is never handed out again.
    QVERIFY(db.exec(QStringLiteral("INSERT INTO kurse (aktie) VALUES ('neu')")));
    QCOMPARE(db.lastInsertRowId(), 2001);
    // The expression index came along.
    QVERIFY(db.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = "
                                     "'kurse_aktie'"))
                .toInt() == 1);
}

void TestDatabase::compactionFailureKeepsOriginal() {
    QTemporaryDir dir;
    const QString path = shippedDb(dir);
    Database db;
    QCOMPARE(db.open(path), Status::Ok);
    fillKurse(db, 50);
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("dbAkt.mdb")));
    const QByteArray before = fileHash(path);

    QVERIFY(!db.compact());
    QVERIFY(!db.message().isEmpty());
    QCOMPARE(fileHash(path), before);
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("dbAkt.mdb"))).isDir());
    QVERIFY(db.isOpen());
    QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM kurse")).toInt(), 50);

    // Not inside a running operation either.
    QVERIFY(QDir(dir.path()).rmdir(QStringLiteral("dbAkt.mdb")));
    Transaction t(db);
    QVERIFY(!db.compact());
    QVERIFY(t.commit());
    QVERIFY(db.compact());
    QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM kurse")).toInt(), 50);
}

void TestDatabase::compactionKeepsProtection_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("owner");
    QTest::newRow("read-only 0444") << 0444 << -1;
    QTest::newRow("private 0600 of another user") << 0600 << 65534;
    QTest::newRow("group-readable 0640") << 0640 << -1;
}

// The new file takes the original's place with its mode and owner; it is
// not handed to the user who happens to compact. A read-only file is
// compacted only by root, who may write any file.
void TestDatabase::compactionKeepsProtection() {
    QFETCH(int, mode);
    QFETCH(int, owner);
    if (owner >= 0 && ::geteuid() != 0) QSKIP("handing a file to another user needs root");
    QTemporaryDir dir;
    const QString path = shippedDb(dir);
    {
        Database db;
        QCOMPARE(db.open(path), Status::Ok);
        fillKurse(db, 500);
        QVERIFY(db.exec(QStringLiteral("DELETE FROM kurse WHERE _nr % 2 = 0")));
    }
    const QByteArray name = QFile::encodeName(path);
    if (owner >= 0) QCOMPARE(::chown(name.constData(), uid_t(owner), gid_t(owner)), 0);
    QCOMPARE(::chmod(name.constData(), mode_t(mode)), 0);
    struct stat before {};
    QCOMPARE(::stat(name.constData(), &before), 0);

    Database db;
    QCOMPARE(db.open(path), Status::Ok);
    struct stat after {};
    if ((mode & 0200) == 0 && ::geteuid() != 0) {
        // A normal user is refused, and the file stays as it was.
        const QByteArray hash = fileHash(path);
        QVERIFY(!db.compact());
        QCOMPARE(db.message(),
                 QStringLiteral("Die Datenbankdatei \"aktien.mdb\" ist schreibgeschützt."));
        QCOMPARE(::stat(name.constData(), &after), 0);
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(fileHash(path), hash);
        return;
    }
    QVERIFY2(db.compact(), qPrintable(db.message()));
    QCOMPARE(::stat(name.constData(), &after), 0);
    QVERIFY(after.st_ino != before.st_ino); // replaced, not written over
    QCOMPARE(int(after.st_mode & 07777), mode);
    QCOMPARE(after.st_uid, before.st_uid);
    QCOMPARE(after.st_gid, before.st_gid);
    QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM kurse")).toInt(), 250);
}

// A file the user cannot write is left as it is, and he is told why.
void TestDatabase::writeProtectedFileIsNotCompacted() {
    QTemporaryDir dir;
    const QString path = shippedDb(dir);
    {
        Database db;
        QCOMPARE(db.open(path), Status::Ok);
        fillKurse(db, 50);
    }
    const QByteArray before = fileHash(path);
    FehlerVfs vfs;
    vfs.setFehler(FehlerVfs::Fehler::DateiSchreibgeschuetzt);
    Database db;
    QCOMPARE(db.open(path), Status::Ok);
    QVERIFY(db.dateiSchreibgeschuetzt());
    QCOMPARE(db.compactObstacle(),
             QStringLiteral("Die Datenbankdatei \"aktien.mdb\" ist schreibgeschützt."));
    QVERIFY(!db.compact());
    QCOMPARE(db.message(), db.compactObstacle());
    QVERIFY(db.isOpen());
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("dbAkt.mdb"))));
    QCOMPARE(fileHash(path), before);
}

// The share done rises to 100 while the copy grows.
void TestDatabase::compactionReportsProgress() {
    QTemporaryDir dir;
    const QString path = shippedDb(dir);
    {
        Database db;
        QCOMPARE(db.open(path), Status::Ok);
        fillKurse(db, 20000);
    }
    QList<int> gemeldet;
    const auto r = Kompaktierung::ausfuehren(path, QStringLiteral("tilo3581"),
                                             [&](int p) { gemeldet << p; });
    QVERIFY2(r.ok, qPrintable(r.meldung));
    QVERIFY(gemeldet.size() > 3);
    QCOMPARE(gemeldet.first(), 0);
    QCOMPARE(gemeldet.last(), 100);
    QVERIFY(std::is_sorted(gemeldet.begin(), gemeldet.end()));
    QVERIFY(std::any_of(gemeldet.begin(), gemeldet.end(), [](int p) { return p > 0 && p < 80; }));
}

void TestDatabase::compactionRefusesSpoiledCopy_data() {
    QTest::addColumn<QString>("schaden");
    QTest::addColumn<QString>("meldung");
    QTest::newRow("rows missing") << "zeilen"
                                  << "In der Kopie fehlen Datensätze der Tabelle kurse.";
    QTest::newRow("not encrypted") << "klartext"
                                   << "Die Kopie ist nicht verschlüsselt.";
}

// The copy is checked before it replaces anything: one that lacks rows or is
// not encrypted is refused, and the original stays as it was.
void TestDatabase::compactionRefusesSpoiledCopy() {
    QFETCH(QString, schaden);
    QFETCH(QString, meldung);
    QTemporaryDir dir;
    const QString path = shippedDb(dir);
    {
        Database db;
        QCOMPARE(db.open(path), Status::Ok);
        fillKurse(db, 300);
        QVERIFY(db.exec(QStringLiteral("DELETE FROM kurse WHERE _nr % 3 = 0")));
    }
    const QByteArray before = fileHash(path);
    const QString key = QStringLiteral("tilo3581");
    QStringList gesehen;
    const auto verderben = [&](const QString& kopie) {
        gesehen << QFileInfo(kopie).fileName();
        Database c;
        QCOMPARE(c.open(kopie), Status::Ok);
        if (schaden == QLatin1String("zeilen")) {
            QVERIFY(c.exec(QStringLiteral("DELETE FROM kurse WHERE _nr = 7")));
            return;
        }
        // The same rows, written without a key.
        const QString klar = kopie + QStringLiteral(".klar");
        QFile leer(klar); // the connection creates no files
        QVERIFY(leer.open(QIODevice::WriteOnly));
        leer.close();
        QVERIFY(c.exec(QStringLiteral("ATTACH DATABASE ?1 AS klar KEY ''"), {klar}));
        QVERIFY(c.exec(QStringLiteral("SELECT sqlcipher_export('klar')")));
        QVERIFY(c.exec(QStringLiteral("DETACH DATABASE klar")));
        c.close();
        QVERIFY(QFile::remove(kopie) && QFile::rename(klar, kopie));
    };

    const Kompaktierung::Ergebnis r = Kompaktierung::ausfuehren(path, key, {}, verderben);
    QCOMPARE(gesehen, QStringList{QStringLiteral("dbAkt.mdb")});
    QVERIFY(!r.ok);
    QCOMPARE(r.meldung, meldung);
    QCOMPARE(fileHash(path), before);
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("dbAkt.mdb"))));

    // Left alone, the same copy passes, with every row.
    QVERIFY(Kompaktierung::ausfuehren(path, key, {}, [](const QString&) {}).ok);
    Database db;
    QCOMPARE(db.open(path), Status::Ok);
    QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM kurse")).toInt(), 200);
}

void TestDatabase::cipherToolOpensFile() {
    QTemporaryDir dir;
    const QString path = shippedDb(dir);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(!f.read(16).startsWith("SQLite format 3"));
    f.close();
    if (!QFileInfo(QStringLiteral("/usr/bin/sqlcipher")).isExecutable())
        QSKIP("sqlcipher command-line tool not installed");
    QProcess p;
    p.start(QStringLiteral("/usr/bin/sqlcipher"), {path});
    QVERIFY(p.waitForStarted());
    p.write("PRAGMA key='tilo3581';\nSELECT passwort, spekufrist FROM kennwort;\n");
    p.closeWriteChannel();
    QVERIFY(p.waitForFinished());
    QVERIFY2(p.readAllStandardOutput().contains("********|12"),
             p.readAllStandardError().constData());
}

void TestDatabase::engineErrorsInGerman_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("systemFehler");
    // Every primary result code of the engine, a few extended ones and one
    // it may add later.
    for (int c = 1; c <= 28; ++c)
        if (c != 26) // the wrong key's code is named "not a database" below
            QTest::addRow("Code %d", c) << c << 0;
    QTest::newRow("kein Datenbank") << 26 << 0;
    QTest::newRow("Journal nicht anlegbar, ohne Grund") << 14 << 0;
    QTest::newRow("Lesefehler") << (10 | (1 << 8)) << 5;
    QTest::newRow("Schreibfehler ohne Grund") << (10 | (3 << 8)) << 0;
    QTest::newRow("unbekannt") << 999 << 0;
}

// The engine's own words are English: they never reach a message.
void TestDatabase::engineErrorsInGerman() {
    QFETCH(int, code);
    QFETCH(int, systemFehler);
    const QString wortlaut = QStringLiteral("unable to open database file");
    const QString text = Fehlertexte::ausEngine(code, systemFehler, wortlaut);
    QVERIFY2(!text.isEmpty() && !text.contains(wortlaut), qPrintable(text));
    QVERIFY2(!text.contains(QLatin1String("database")), qPrintable(text));
    if (code == 999) QVERIFY2(text.contains(QLatin1String("999")), qPrintable(text));
}

QTEST_MAIN(TestDatabase)
#include "tst_database.moc"
