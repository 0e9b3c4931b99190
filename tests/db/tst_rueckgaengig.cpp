// The undo list's rules, and an undo killed half-way: all or nothing.

#include "DbFixture.h"
#include "db/Database.h"
#include "db/Rueckgaengig.h"
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace DbFixture;

namespace {

bool buchen(Database& db, const QString& vorgang, int summe) {
    Transaction t(db, vorgang);
    return db.exec(QStringLiteral("INSERT INTO Gewinne (datum, text, summe) VALUES "
                                  "('2024-01-01', ?1, ?2)"),
                   {vorgang, summe}) &&
           t.commit();
}

int buchungen(Database& db) {
    return db.scalar(QStringLiteral("SELECT count(*) FROM Gewinne")).toInt();
}

} // namespace

class TestRueckgaengig final : public QObject {
    Q_OBJECT
private slots:
    void regeln();
    void abgebrochenesRueckgaengig_data();
    void abgebrochenesRueckgaengig();
};

void TestRueckgaengig::regeln() {
    QTemporaryDir dir;
    Database db;
    QCOMPARE(db.open(shippedDb(dir)), Database::Status::Ok);
    Rueckgaengig& liste = db.rueckgaengig();

    // A rolled-back operation records nothing; a nested one joins the outer.
    {
        Transaction t(db, QStringLiteral("Verworfen"));
        QVERIFY(db.exec(QStringLiteral("INSERT INTO Gewinne (summe) VALUES (1)")));
    }
    {
        Transaction aussen(db, QStringLiteral("Außen"));
        QVERIFY(buchen(db, QStringLiteral("Innen"), 1));
        QVERIFY(aussen.commit());
    }
    QCOMPARE(liste.anzahlRueckgaengig(), 1);
    QCOMPARE(liste.rueckgaengigName(), QStringLiteral("Außen"));

    // The oldest entries go beyond the limit; each undo takes back one step.
    for (int i = 0; i < Rueckgaengig::MaxEintraege + 5; ++i)
        QVERIFY(buchen(db, QStringLiteral("Buchung %1").arg(i), i));
    QCOMPARE(liste.anzahlRueckgaengig(), Rueckgaengig::MaxEintraege);
    QVERIFY(liste.rueckgaengig());
    QVERIFY(liste.rueckgaengig());
    QCOMPARE(buchungen(db), Rueckgaengig::MaxEintraege + 4);
    QCOMPARE(liste.wiederholenName(), QStringLiteral("Buchung %1").arg(Rueckgaengig::MaxEintraege + 3));

    // A new change ends what could be redone.
    QVERIFY(buchen(db, QStringLiteral("Neu"), 7));
    QVERIFY(liste.wiederholenName().isEmpty());
    QVERIFY(!liste.wiederholen());
    QCOMPARE(liste.rueckgaengigName(), QStringLiteral("Neu"));

    // A change outside a named operation cannot be undone and empties the list.
    QVERIFY(db.exec(QStringLiteral("UPDATE kennwort SET passwort = 'x'")));
    QVERIFY(liste.rueckgaengigName().isEmpty());
    QVERIFY(!liste.rueckgaengig());
    QCOMPARE(buchungen(db), Rueckgaengig::MaxEintraege + 5);

    // Closing the file forgets the list.
    QVERIFY(buchen(db, QStringLiteral("Letzte"), 1));
    QCOMPARE(liste.anzahlRueckgaengig(), 1);
    const QString pfad = db.path();
    db.close();
    QCOMPARE(db.open(pfad), Database::Status::Ok);
    QCOMPARE(liste.anzahlRueckgaengig(), 0);
}

void TestRueckgaengig::abgebrochenesRueckgaengig_data() {
    QTest::addColumn<bool>("bisZumEnde");
    QTest::addColumn<int>("erwartet");
    QTest::newRow("mitten im Zurückschreiben") << false << 1000;
    QTest::newRow("nach dem Commit") << true << 0;
}

void TestRueckgaengig::abgebrochenesRueckgaengig() {
    QFETCH(bool, bisZumEnde);
    QFETCH(int, erwartet);
    QTemporaryDir dir;
    const QString path = shippedDb(dir);
    int pipeFd[2];
    QCOMPARE(::pipe(pipeFd), 0);
    const pid_t pid = ::fork();
    QVERIFY(pid >= 0);
    if (pid == 0) {
        // Child: one operation over many rows of two tables, then its undo,
        // stopped after the first table or after the commit.
        ::close(pipeFd[0]);
        Database db;
        if (db.open(path) != Database::Status::Ok) ::_exit(2);
        {
            Transaction t(db, QStringLiteral("Viele"));
            for (int i = 0; i < 1000; ++i)
                db.exec(QStringLiteral("INSERT INTO kurse (aktie, datum, kurs) VALUES ('A', "
                                       "'2024-01-01', ?1)"),
                        {i});
            db.exec(QStringLiteral("UPDATE kennwort SET altallwert = 99"));
            if (!t.commit()) ::_exit(3);
        }
        const char ready = 'x';
        auto melden = [&] {
            if (::write(pipeFd[1], &ready, 1) != 1) ::_exit(4);
            for (;;)
                ::pause();
        };
        db.rueckgaengig().rueckgaengig([&](int tabelle) {
            if (!bisZumEnde && tabelle == 2) melden(); // kurse written back, kennwort not
        });
        melden();
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
    QCOMPARE(db.open(path), Database::Status::Ok);
    QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM kurse")).toInt(), erwartet);
    QCOMPARE(db.scalar(QStringLiteral("SELECT altallwert FROM kennwort")).toInt(),
             erwartet ? 99 : 0);
    QCOMPARE(db.scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
}

QTEST_GUILESS_MAIN(TestRueckgaengig)
#include "tst_rueckgaengig.moc"
