// Record sets: natural order, bookmarks, the ordered ledger query, moves,
// editing with text as typed, and the signals the bound views follow.

#include "DbFixture.h"
#include "core/Currency.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "db/Statement.h"
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace DbFixture;

class TestRecordset final : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void fieldsAndNames();
    void naturalOrderAfterDeletesAndCompaction();
    void bookmarksSurviveRequery();
    void ledgerQueryKeepsInsertionOrderOfTies();
    void movesAndBofEof();
    void removeLeavesNoCurrentRow();
    void walkRemovingVisitsEveryRow_data();
    void walkRemovingVisitsEveryRow();
    void findFirstAndSignals();
    void setTextConverts_data();
    void setTextConverts();
    void storedFormsReadAlike_data();
    void storedFormsReadAlike();
    void addEditCancel();

private:
    QTemporaryDir m_template;
    QString m_templatePath;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Database> m_db;
    QStringList names(Recordset& rs, const QString& field);
};

void TestRecordset::initTestCase() {
    m_templatePath = shippedDb(m_template);
}

void TestRecordset::init() {
    // A copy of one shipped file: creating each one anew costs a key derivation.
    m_db.reset();
    m_dir = std::make_unique<QTemporaryDir>();
    const QString path = m_dir->filePath(QStringLiteral("aktien.mdb"));
    QVERIFY(QFile::copy(m_templatePath, path));
    m_db = std::make_unique<Database>();
    QCOMPARE(m_db->open(path), Database::Status::Ok);
    // Durability is tested elsewhere; here it only slows every update down.
    QVERIFY(m_db->exec(QStringLiteral("PRAGMA synchronous = OFF")));
}

QStringList TestRecordset::names(Recordset& rs, const QString& field) {
    QStringList out;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        out << rs.text(field);
    return out;
}

void TestRecordset::fieldsAndNames() {
    std::unique_ptr<Recordset> rs(Recordset::openTable(*m_db, QStringLiteral("aktiendaten")));
    QCOMPARE(rs->table(), QStringLiteral("Aktiendaten"));
    QCOMPARE(rs->fieldNames().mid(0, 7), (QStringList{"aktie", "stück", "kaufpreis", "gebühren",
                                                      "datum", "tageskurs", "WP-KNummer"}));
    QCOMPARE(rs->fieldCount(), 13);
    QCOMPARE(rs->fieldIndex(QStringLiteral("_nr")), -1);
    QCOMPARE(rs->fieldIndex(QStringLiteral("STÜCK")), 1);
    QCOMPARE(rs->fieldType(2), Recordset::FieldType::Currency);
    QCOMPARE(rs->fieldType(4), Recordset::FieldType::Date);
    QCOMPARE(rs->fieldType(9), Recordset::FieldType::Double);
    QCOMPARE(rs->fieldType(12), Recordset::FieldType::LongText);
    QVERIFY(rs->bof() && rs->eof() && !rs->hasCurrent());

    std::unique_ptr<Recordset> b(Recordset::openTable(*m_db, QStringLiteral("Beobachten")));
    QCOMPARE(b->fieldCount(), 6);
    QCOMPARE(b->fieldType(0), Recordset::FieldType::Date);
    QCOMPARE(b->fieldType(3), Recordset::FieldType::Integer);
    QCOMPARE(b->fieldType(5), Recordset::FieldType::Currency);

    std::unique_ptr<Recordset> bad(Recordset::openTable(*m_db, QStringLiteral("gibtsnicht")));
    QCOMPARE(bad->fieldCount(), 0);
    QVERIFY(!bad->lastError().isEmpty());
    bad->addNew();
    QVERIFY(!bad->update());
}

void TestRecordset::naturalOrderAfterDeletesAndCompaction() {
    for (const char* n : {"A", "B", "C", "D", "E"})
        QVERIFY(m_db->exec(QStringLiteral("INSERT INTO kurse (aktie) VALUES (?1)"),
                           {QString::fromLatin1(n)}));
    std::unique_ptr<Recordset> rs(Recordset::openTable(*m_db, QStringLiteral("kurse")));
    rs->moveTo(1);
    QVERIFY(rs->remove());
    rs->moveLast();
    QVERIFY(rs->remove());
    rs->addNew();
    QVERIFY(rs->setText(QStringLiteral("aktie"), QStringLiteral("F")));
    QVERIFY(rs->update());
    QCOMPARE(names(*rs, QStringLiteral("aktie")), (QStringList{"A", "C", "D", "F"}));
    const Bookmark f = rs->lastModified();

    QVERIFY(m_db->compact());
    // The open record set keeps working on the re-opened file.
    QVERIFY(rs->setBookmark(f));
    QCOMPARE(rs->text(QStringLiteral("aktie")), QStringLiteral("F"));
    std::unique_ptr<Recordset> again(Recordset::openTable(*m_db, QStringLiteral("kurse")));
    QCOMPARE(names(*again, QStringLiteral("aktie")), (QStringList{"A", "C", "D", "F"}));
    again->moveLast();
    QCOMPARE(again->bookmark(), f);
}

void TestRecordset::bookmarksSurviveRequery() {
    fillKurse(*m_db, 10);
    std::unique_ptr<Recordset> rs(Recordset::openTable(*m_db, QStringLiteral("kurse")));
    rs->moveTo(6);
    const Bookmark b = rs->bookmark();
    const QDate d = rs->date(QStringLiteral("datum"));
    QVERIFY(m_db->exec(QStringLiteral("DELETE FROM kurse WHERE _nr IN (1, 2)")));
    rs->requery();
    QCOMPARE(rs->recordCount(), 8);
    QCOMPARE(rs->bookmark(), b);
    QCOMPARE(rs->absolutePosition(), 4);
    QCOMPARE(rs->date(QStringLiteral("datum")), d);

    // Gone: the first row, and an unknown bookmark leaves the position alone.
    QVERIFY(m_db->exec(QStringLiteral("DELETE FROM kurse WHERE _nr = ?1"),
                       {QVariant::fromValue<qint64>(b)}));
    rs->requery();
    QCOMPARE(rs->absolutePosition(), 0);
    rs->moveTo(3);
    QVERIFY(!rs->setBookmark(b));
    QCOMPARE(rs->absolutePosition(), 3);
}

void TestRecordset::ledgerQueryKeepsInsertionOrderOfTies() {
    const QList<QPair<QDate, QString>> rows = {
        {QDate(2024, 3, 2), "b1"}, {QDate(2024, 3, 1), "a1"}, {QDate(2024, 3, 2), "b2"},
        {QDate(2024, 3, 1), "a2"}, {QDate(2024, 3, 2), "b3"}, {QDate(2023, 12, 31), "z"}};
    for (const auto& r : rows)
        QVERIFY(m_db->exec(QStringLiteral("INSERT INTO Gewinne (datum, text, summe) VALUES (?1, "
                                          "?2, 10000)"),
                           {r.first, r.second}));
    std::unique_ptr<Recordset> rs(Recordset::openQuery(
        *m_db, QStringLiteral("Select datum,text,summe From gewinne Order By datum")));
    QCOMPARE(rs->fieldNames(), (QStringList{"datum", "text", "summe"}));
    QCOMPARE(names(*rs, QStringLiteral("text")), (QStringList{"z", "a1", "a2", "b1", "b2", "b3"}));
    QCOMPARE(rs->recordCount(), 6);

    // Bookmarks work on the unsorted key list too.
    rs->moveTo(4);
    const Bookmark b2 = rs->bookmark();
    rs->moveFirst();
    QVERIFY(rs->setBookmark(b2));
    QCOMPARE(rs->text(QStringLiteral("text")), QStringLiteral("b2"));
    rs->addNew();
    QVERIFY(rs->setText(QStringLiteral("datum"), QStringLiteral("01.01.2020")));
    QVERIFY(rs->setText(QStringLiteral("text"), QStringLiteral("neu")));
    QVERIFY(rs->update());
    QCOMPARE(rs->absolutePosition(), 6); // appended until the next requery
    QVERIFY(rs->setBookmark(b2));
    rs->requery();
    QCOMPARE(names(*rs, QStringLiteral("text")).first(), QStringLiteral("neu"));
}

void TestRecordset::movesAndBofEof() {
    fillKurse(*m_db, 3);
    std::unique_ptr<Recordset> rs(Recordset::openTable(*m_db, QStringLiteral("kurse")));
    QCOMPARE(rs->absolutePosition(), 0);
    rs->movePrevious();
    QVERIFY(rs->bof() && !rs->eof() && !rs->hasCurrent());
    QCOMPARE(rs->bookmark(), Bookmark(-1));
    QVERIFY(!rs->value(0).isValid());
    rs->moveNext();
    QCOMPARE(rs->absolutePosition(), 0);
    rs->moveLast();
    rs->moveNext();
    QVERIFY(rs->eof() && !rs->bof());
    rs->moveNext(); // stays at EOF
    QVERIFY(rs->eof());
    rs->movePrevious();
    QCOMPARE(rs->absolutePosition(), 2);
    rs->moveTo(7);
    QVERIFY(rs->eof());
    QCOMPARE(rs->text(QStringLiteral("kurs")), QString());
}

void TestRecordset::removeLeavesNoCurrentRow() {
    fillKurse(*m_db, 5);
    std::unique_ptr<Recordset> rs(Recordset::openTable(*m_db, QStringLiteral("kurse")));
    // The usual walk: delete some rows while moving on.
    for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
        if (rs->bookmark() % 2 == 0) {
            QVERIFY(rs->remove());
            QVERIFY(!rs->hasCurrent());
            QCOMPARE(rs->bookmark(), Bookmark(-1));
            QVERIFY(!rs->value(QStringLiteral("aktie")).isValid());
        }
    }
    QCOMPARE(rs->recordCount(), 3);
    QCOMPARE(m_db->scalar(QStringLiteral("SELECT group_concat(_nr) FROM kurse")).toString(),
             QStringLiteral("1,3,5"));
    rs->moveLast();
    QVERIFY(rs->remove()); // the last row: nothing follows
    QVERIFY(rs->eof());
    rs->movePrevious();
    QCOMPARE(rs->bookmark(), Bookmark(3));
}

void TestRecordset::walkRemovingVisitsEveryRow_data() {
    QTest::addColumn<QList<Bookmark>>("entfernen");
    QTest::addColumn<QString>("bleiben");
    QTest::newRow("every row") << QList<Bookmark>{1, 2, 3, 4, 5, 6, 7} << "";
    QTest::newRow("two in a row") << QList<Bookmark>{2, 3} << "1,4,5,6,7";
    QTest::newRow("pairs") << QList<Bookmark>{1, 2, 4, 5} << "3,6,7";
    QTest::newRow("three in a row at the end") << QList<Bookmark>{5, 6, 7} << "1,2,3,4";
}

// The usual walk that removes rows as it goes: every row is visited once,
// however many removed rows follow each other.
void TestRecordset::walkRemovingVisitsEveryRow() {
    QFETCH(QList<Bookmark>, entfernen);
    QFETCH(QString, bleiben);
    fillKurse(*m_db, 7);
    std::unique_ptr<Recordset> rs(Recordset::openTable(*m_db, QStringLiteral("kurse")));
    QList<Bookmark> besucht;
    for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
        QVERIFY(rs->hasCurrent());
        const Bookmark b = rs->bookmark();
        besucht << b;
        // The row read is the one the position names.
        QCOMPARE(rs->date(QStringLiteral("datum")), QDate(2020, 1, 1).addDays(b - 1));
        if (entfernen.contains(b)) QVERIFY(rs->remove());
    }
    QCOMPARE(besucht, (QList<Bookmark>{1, 2, 3, 4, 5, 6, 7}));
    QCOMPARE(m_db->scalar(QStringLiteral("SELECT group_concat(_nr) FROM kurse")).toString(),
             bleiben);
    QCOMPARE(rs->recordCount(), 7 - int(entfernen.size()));
}

void TestRecordset::findFirstAndSignals() {
    for (const char* n : {"Alpha", "Beta", "Gamma"})
        QVERIFY(m_db->exec(QStringLiteral("INSERT INTO Aktiendaten (aktie) VALUES (?1)"),
                           {QString::fromLatin1(n)}));
    std::unique_ptr<Recordset> rs(Recordset::openTable(*m_db, QStringLiteral("Aktiendaten")));
    QSignalSpy current(rs.get(), &Recordset::currentChanged);
    QSignalSpy rowsSpy(rs.get(), &Recordset::rowsChanged);

    QVERIFY(rs->findFirst([](const Recordset& r) {
        return r.text(QStringLiteral("aktie")) == QLatin1String("Gamma");
    }));
    QCOMPARE(rs->absolutePosition(), 2);
    QCOMPARE(current.count(), 1);
    QVERIFY(!rs->findFirst([](const Recordset&) { return false; }));
    QVERIFY(rs->eof());
    QCOMPARE(current.count(), 2);

    rs->moveFirst();
    rs->moveNext();
    QCOMPARE(current.count(), 4);
    QCOMPARE(rowsSpy.count(), 0);
    rs->edit();
    QVERIFY(rs->setText(QStringLiteral("stück"), QStringLiteral("5")));
    QVERIFY(rs->update());
    QCOMPARE(rowsSpy.count(), 1);
    QCOMPARE(current.count(), 5);
    rs->requery();
    QCOMPARE(rowsSpy.count(), 2);
    QCOMPARE(current.count(), 6);
    QVERIFY(rs->remove());
    QCOMPARE(rowsSpy.count(), 3);
    QCOMPARE(current.count(), 7);
}

void TestRecordset::setTextConverts_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("shown"); // engine plain text after update
    QTest::newRow("currency comma") << "kaufpreis"
                                    << "12,5" << true << "12,5";
    QTest::newRow("currency whole") << "kaufpreis"
                                    << "12" << true << "12";
    QTest::newRow("currency 4 decimals") << "kaufpreis"
                                         << "9,9000" << true << "9,9";
    QTest::newRow("currency half to even down") << "kaufpreis"
                                                << "0,00005" << true << "0";
    QTest::newRow("currency half to even up") << "kaufpreis"
                                              << "0,00015" << true << "0,0002";
    QTest::newRow("currency thousands") << "kaufpreis"
                                        << "1.234,5" << true << "1234,5";
    QTest::newRow("currency negative") << "gebühren"
                                       << "-3,25" << true << "-3,25";
    QTest::newRow("currency blanks") << "kaufpreis"
                                     << " 7,5 " << true << "7,5";
    QTest::newRow("currency point refused") << "kaufpreis"
                                            << "12.5" << false << "";
    QTest::newRow("currency letters") << "kaufpreis"
                                      << "12a" << false << "";
    QTest::newRow("currency empty") << "kaufpreis"
                                    << "" << false << "";
    QTest::newRow("currency two commas") << "kaufpreis"
                                         << "1,2,3" << false << "";
    QTest::newRow("currency overflow") << "kaufpreis"
                                       << "99999999999999999" << false << "";
    QTest::newRow("integer") << "stück"
                             << "40" << true << "40";
    QTest::newRow("integer half even down") << "stück"
                                            << "12,5" << true << "12";
    QTest::newRow("integer half even up") << "stück"
                                          << "13,5" << true << "14";
    QTest::newRow("integer letters") << "stück"
                                     << "zehn" << false << "";
    QTest::newRow("double") << "kursziel"
                            << "12,75" << true << "12,75";
    QTest::newRow("date German") << "datum"
                                 << "29.02.2024" << true << "29.02.2024";
    QTest::newRow("date short") << "datum"
                                << "1.3.2024" << true << "01.03.2024";
    QTest::newRow("date ISO") << "kaufdatum"
                              << "2024-12-31" << true << "31.12.2024";
    QTest::newRow("date invalid") << "datum"
                                  << "30.02.2024" << false << "";
    QTest::newRow("text as typed") << "aktie"
                                   << " Müller & Söhne " << true << " Müller & Söhne ";
    QTest::newRow("text of the full width")
        << "aktie" << QString(255, QLatin1Char('x')) << true << QString(255, QLatin1Char('x'));
    QTest::newRow("text too long") << "aktie" << QString(256, QLatin1Char('x')) << false << "";
    QTest::newRow("long text") << "notizen" << QString(5000, QLatin1Char('y')) << true
                               << QString(5000, QLatin1Char('y'));
}

void TestRecordset::setTextConverts() {
    QFETCH(QString, field);
    QFETCH(QString, input);
    QFETCH(bool, accepted);
    QFETCH(QString, shown);
    std::unique_ptr<Recordset> rs(Recordset::openTable(*m_db, QStringLiteral("Aktiendaten")));
    rs->addNew();
    QVERIFY(rs->setText(QStringLiteral("aktie"), QStringLiteral("vorher")));
    QVERIFY(rs->setValue(QStringLiteral("kaufpreis"), QVariant::fromValue(Currency::fromWhole(1))));
    QVERIFY(rs->setValue(QStringLiteral("stück"), 3));
    QVERIFY(rs->setValue(QStringLiteral("datum"), QDate(2000, 1, 1)));
    QVERIFY(rs->update());
    const QString old = rs->text(field);

    rs->edit();
    QCOMPARE(rs->setText(field, input), accepted);
    QVERIFY(rs->update());
    if (accepted) {
        QCOMPARE(rs->text(field), shown);
    } else {
        QCOMPARE(rs->text(field), old); // the field keeps its value
        QVERIFY(!rs->lastError().isEmpty());
    }
    if (accepted && rs->fieldType(rs->fieldIndex(field)) == Recordset::FieldType::Currency) {
        // Stored exactly as amount × 10000.
        const qint64 raw =
            m_db->scalar(QStringLiteral("SELECT \"%1\" FROM Aktiendaten").arg(field)).toLongLong();
        QCOMPARE(raw, rs->currency(field).raw());
    }
}

// What another program may have stored reads the same in a record set (the
// card) and through a statement (the reports); "" is no value.
void TestRecordset::storedFormsReadAlike_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("stored"); // an SQL literal
    QTest::addColumn<QString>("shown");
    QTest::newRow("amount") << "kaufpreis"
                            << "125000"
                            << "12,5";
    QTest::newRow("amount as a real, half to even")
        << "kaufpreis"
        << "125001.5"
        << "12,5002";
    QTest::newRow("amount as German text") << "kaufpreis"
                                           << "'1.234,5'"
                                           << "1234,5";
    QTest::newRow("amount as text with blanks") << "kaufpreis"
                                                << "' 7,5 '"
                                                << "7,5";
    QTest::newRow("amount as text with a point") << "kaufpreis"
                                                 << "'1.2.3'"
                                                 << "";
    QTest::newRow("amount NULL") << "kaufpreis"
                                 << "NULL"
                                 << "";
    QTest::newRow("units as text, half to even") << "stück"
                                                 << "'12,5'"
                                                 << "12";
    QTest::newRow("units as a real, half to even") << "stück"
                                                   << "13.5"
                                                   << "14";
    QTest::newRow("date") << "datum"
                          << "'2024-02-29'"
                          << "29.02.2024";
    QTest::newRow("date as typed") << "datum"
                                   << "'1.3.2024'"
                                   << "01.03.2024";
    QTest::newRow("date that does not exist") << "datum"
                                              << "'2023-02-29'"
                                              << "";
}

void TestRecordset::storedFormsReadAlike() {
    QFETCH(QString, field);
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QVERIFY(m_db->exec(QStringLiteral("INSERT INTO Aktiendaten (aktie, \"%1\") VALUES ('x', %2)")
                           .arg(field, stored)));
    std::unique_ptr<Recordset> rs(Recordset::openTable(*m_db, QStringLiteral("Aktiendaten")));
    QCOMPARE(rs->text(field), shown);

    Statement st(*m_db, QStringLiteral("SELECT \"%1\" FROM Aktiendaten").arg(field));
    QVERIFY(st.next());
    QString gelesen;
    switch (rs->fieldType(rs->fieldIndex(field))) {
    case Recordset::FieldType::Currency:
        if (const auto c = st.currency(0)) gelesen = c->plainText();
        break;
    case Recordset::FieldType::Integer:
        if (const auto n = st.whole(0)) gelesen = QString::number(*n);
        break;
    default:
        gelesen = st.date(0).toString(QStringLiteral("dd.MM.yyyy"));
        break;
    }
    QCOMPARE(gelesen, shown);
}

void TestRecordset::addEditCancel() {
    std::unique_ptr<Recordset> rs(Recordset::openTable(*m_db, QStringLiteral("kennwort")));
    QCOMPARE(rs->recordCount(), 1);
    QCOMPARE(rs->text(QStringLiteral("kompridatum")), QStringLiteral("01.01.1990"));
    QVERIFY(!rs->setText(QStringLiteral("spekufrist"), QStringLiteral("6"))); // not editing
    rs->edit();
    QVERIFY(rs->setText(QStringLiteral("spekufrist"), QStringLiteral("6")));
    QCOMPARE(rs->integer(QStringLiteral("spekufrist")), 6); // the edit shows at once
    rs->cancel();
    QCOMPARE(rs->integer(QStringLiteral("spekufrist")), 12);

    rs->edit();
    QVERIFY(rs->setValue(QStringLiteral("altallwert"), QVariant::fromValue(Currency::fromRaw(15))));
    QVERIFY(rs->update());
    QCOMPARE(rs->lastModified(), rs->bookmark());
    QCOMPARE(rs->text(QStringLiteral("altallwert")), QStringLiteral("0,0015"));
    // Another record set on the same table sees it after its requery.
    std::unique_ptr<Recordset> other(Recordset::openTable(*m_db, QStringLiteral("KENNWORT")));
    QCOMPARE(other->currency(QStringLiteral("altallwert")), Currency::fromRaw(15));

    rs->addNew();
    rs->moveFirst(); // a move drops the pending new row
    QVERIFY(!rs->isEditing());
    QCOMPARE(m_db->scalar(QStringLiteral("SELECT count(*) FROM kennwort")).toInt(), 1);
}

QTEST_MAIN(TestRecordset)
#include "tst_recordset.moc"
