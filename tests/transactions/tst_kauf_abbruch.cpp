// A purchase killed between its writes leaves all of it or none of it.
// The test binary runs itself as the child that is killed.

#include "db/Database.h"
#include "db/Schema.h"
#include "transactions/KontoOperationen.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

namespace {

const char* const KindSchalter = "--kauf-abbrechen";

Konto::KaufEingabe eingabe() {
    return {QStringLiteral("X"),      QStringLiteral("123456"), 100,
            Currency::fromRaw(99000), Currency::fromWhole(10),  QDate(2024, 3, 15),
            QStringLiteral("100")};
}

/// Child: buys and kills itself after write n (1..3) or after the commit (4).
int kind(const QString& pfad, int schritt) {
    Database db;
    if (db.open(pfad) != Database::Status::Ok) return 2;
    const auto e = eingabe();
    const auto abbrechen = [schritt](int n) {
        if (n == schritt) std::raise(SIGKILL);
    };
    const auto r = Konto::kaufSchreiben(db, e, *Konto::kaufBetraege(e), abbrechen);
    if (r.ok && schritt == 4) std::raise(SIGKILL);
    return r.ok ? 0 : 3;
}

} // namespace

class TstKaufAbbruch final : public QObject {
    Q_OBJECT
private slots:
    void abbruch_data();
    void abbruch();
};

void TstKaufAbbruch::abbruch_data() {
    QTest::addColumn<int>("schritt");
    QTest::addColumn<bool>("gebucht");
    QTest::newRow("nach dem Paket") << 1 << false;
    QTest::newRow("nach der Tagesbasis") << 2 << false;
    QTest::newRow("nach der Kontobuchung") << 3 << false;
    QTest::newRow("nach dem Abschluss") << 4 << true;
}

void TstKaufAbbruch::abbruch() {
    QFETCH(int, schritt);
    QFETCH(bool, gebucht);
    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("aktien.mdb"));
    QVERIFY(Schema::createEmptyDatabase(pfad, QDate(2024, 3, 15)));
    {
        Database db;
        QCOMPARE(db.open(pfad), Database::Status::Ok);
        QVERIFY(Konto::buchen(db, QDate(2024, 3, 1), QStringLiteral("Einzahlung"),
                              Currency::fromWhole(5000)));
    }

    QProcess p;
    p.start(QCoreApplication::applicationFilePath(),
            {QString::fromLatin1(KindSchalter), pfad, QString::number(schritt)});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitStatus(), QProcess::CrashExit);

    Database db;
    QCOMPARE(db.open(pfad), Database::Status::Ok);
    QCOMPARE(db.scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    const int n = gebucht ? 1 : 0;
    QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM Aktiendaten")).toInt(), n);
    QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM Gewinne")).toInt(), 1 + n);
    QCOMPARE(db.scalar(QStringLiteral("SELECT altallwert FROM kennwort")).toLongLong(),
             gebucht ? Currency::fromWhole(1000).raw() : 0);
}

// The test binary doubles as the child that is killed mid-purchase.
int main(int argc, char** argv) {
    if (argc == 4 && qstrcmp(argv[1], KindSchalter) == 0)
        return kind(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt());
    QCoreApplication app(argc, argv);
    TstKaufAbbruch t;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&t, argc, argv);
}

#include "tst_kauf_abbruch.moc"
