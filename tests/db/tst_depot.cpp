// The shared database rules: account balance, day baseline, packages and
// quote history by trimmed name.

#include "DbFixture.h"
#include "core/Currency.h"
#include "db/Database.h"
#include "db/Depot.h"
#include <QTemporaryDir>
#include <QTest>

using namespace DbFixture;

class TestDepot final : public QObject {
    Q_OBJECT
private slots:
    void tagesbasis_data();
    void tagesbasis();
    void kontostandIsExact();
    void namesAreTrimmed();
};

void TestDepot::tagesbasis_data() {
    QTest::addColumn<QString>("storedDate");
    QTest::addColumn<qint64>("storedValue");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<QString>("expectedDate");
    QTest::addColumn<qint64>("expectedValue");
    const QString today = QStringLiteral("2024-03-15");
    QTest::newRow("empty date does nothing")
        << "" << qint64(500) << qint64(900) << "" << qint64(500);
    QTest::newRow("blank date does nothing")
        << "  " << qint64(500) << qint64(900) << "  " << qint64(500);
    QTest::newRow("same day no change")
        << today << qint64(500) << qint64(900) << today << qint64(500);
    QTest::newRow("new day, equal total")
        << "2024-03-14" << qint64(900) << qint64(900) << "2024-03-14" << qint64(900);
    QTest::newRow("new day, other total")
        << "2024-03-14" << qint64(500) << qint64(900) << today << qint64(900);
    QTest::newRow("date in the future")
        << "2024-04-01" << qint64(500) << qint64(-1) << today << qint64(-1);
}

void TestDepot::tagesbasis() {
    QFETCH(QString, storedDate);
    QFETCH(qint64, storedValue);
    QFETCH(qint64, total);
    QFETCH(QString, expectedDate);
    QFETCH(qint64, expectedValue);
    QTemporaryDir dir;
    Database db;
    QCOMPARE(db.open(shippedDb(dir)), Database::Status::Ok);
    QVERIFY(db.exec(QStringLiteral("UPDATE kennwort SET datum = ?1, altallwert = ?2"),
                    {storedDate, storedValue}));
    QVERIFY(Depot::tagesbasisAktualisieren(db, QDate(2024, 3, 15), Currency::fromRaw(total)));
    const QVariantList r =
        db.rows(QStringLiteral("SELECT datum, altallwert FROM kennwort")).value(0);
    QCOMPARE(r.value(0).toString(), expectedDate);
    QCOMPARE(r.value(1).toLongLong(), expectedValue);

    QVERIFY(Depot::altallwertAnpassen(db, Currency::fromRaw(-250)));
    QCOMPARE(db.scalar(QStringLiteral("SELECT altallwert FROM kennwort")).toLongLong(),
             expectedValue - 250);
}

void TestDepot::kontostandIsExact() {
    QTemporaryDir dir;
    Database db;
    QCOMPARE(db.open(shippedDb(dir)), Database::Status::Ok);
    QCOMPARE(Depot::kontostand(db), Currency());
    // Amounts whose double sum would drift.
    QVERIFY(db.exec(QStringLiteral("BEGIN")));
    for (int i = 0; i < 1000; ++i)
        QVERIFY(db.exec(QStringLiteral("INSERT INTO Gewinne (summe) VALUES (?1)"),
                        {QVariant::fromValue(Currency::fromRaw(1000))}));
    QVERIFY(db.exec(QStringLiteral("INSERT INTO Gewinne (summe) VALUES (?1)"),
                    {QVariant::fromValue(Currency::fromRaw(-3))}));
    QVERIFY(db.exec(QStringLiteral("COMMIT")));
    QCOMPARE(Depot::kontostand(db), Currency::fromRaw(999997));
}

void TestDepot::namesAreTrimmed() {
    QTemporaryDir dir;
    Database db;
    QCOMPARE(db.open(shippedDb(dir)), Database::Status::Ok);
    for (const char* n : {"BASF", " BASF ", "BASF AG", "basf"})
        QVERIFY(db.exec(QStringLiteral("INSERT INTO Aktiendaten (aktie) VALUES (?1)"),
                        {QString::fromLatin1(n)}));
    QCOMPARE(Depot::paketeMitNamen(db, QStringLiteral("BASF  ")), 2);
    QCOMPARE(Depot::paketeMitNamen(db, QStringLiteral("Bayer")), 0);

    QVERIFY(Depot::kursAnhaengen(db, QStringLiteral("BASF"), QDate(2024, 1, 2),
                                 Currency::fromRaw(455000)));
    QVERIFY(Depot::kursAnhaengen(db, QStringLiteral("BASF "), QDate(2024, 1, 3),
                                 Currency::fromRaw(456000)));
    QVERIFY(Depot::kursAnhaengen(db, QStringLiteral("BASF AG"), QDate(2024, 1, 3),
                                 Currency::fromRaw(1)));
    QCOMPARE(db.rows(QStringLiteral("SELECT aktie, datum, kurs FROM kurse")).value(0),
             (QVariantList{QStringLiteral("BASF"), QStringLiteral("2024-01-02"), qint64(455000)}));
    // The trimmed-name lookup uses the expression index.
    const QString plan = db.rows(QStringLiteral("EXPLAIN QUERY PLAN DELETE FROM kurse WHERE "
                                                "trim(aktie) = trim(?1)"),
                                 {QStringLiteral("x")})
                             .value(0)
                             .value(3)
                             .toString();
    QVERIFY2(plan.contains(QLatin1String("kurse_aktie")), qPrintable(plan));
    QVERIFY(Depot::kursHistorieLoeschen(db, QStringLiteral(" BASF")));
    QCOMPARE(db.scalar(QStringLiteral("SELECT group_concat(aktie) FROM kurse")).toString(),
             QStringLiteral("BASF AG"));
}

QTEST_MAIN(TestDepot)
#include "tst_depot.moc"
