// The table model over a record set: follows inserts, edits and deletes,
// never moves the bound record set, and passes Qt's model checks.
#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/RecordsetModel.h"
#include "support/TestUtil.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

namespace {
const QString Layout = QStringLiteral(
    "<Wertpapier                              |>Stück    |>Kaufkurs      |>Gebühren     "
    "|>Aktualisiert  |>Tageskurs    |>WP-KN      ");

void addPackage(Recordset& rs, const QString& name, int stueck, const QString& preis) {
    rs.addNew();
    rs.setText(QStringLiteral("aktie"), name);
    rs.setValue(QStringLiteral("stück"), qint64(stueck));
    rs.setText(QStringLiteral("kaufpreis"), preis);
    rs.setText(QStringLiteral("gebühren"), QStringLiteral("9,9"));
    rs.setValue(QStringLiteral("datum"), QDate(2024, 2, 1));
    rs.setText(QStringLiteral("tageskurs"), preis);
    rs.setText(QStringLiteral("WP-KNummer"), QStringLiteral("123456"));
    QVERIFY2(rs.update(), qPrintable(rs.lastError()));
}

QStringList column0(const RecordsetModel& m) {
    QStringList out;
    for (int r = 0; r < m.rowCount(); ++r)
        out << m.index(r, 0).data().toString();
    return out;
}
} // namespace

class TstRecordsetModel final : public QObject {
    Q_OBJECT
private slots:
    void followsChanges() {
        TempProgramDir dir;
        QVERIFY2(dir.ok(), qPrintable(dir.error()));
        Database db;
        QCOMPARE(db.open(dir.dbPath()), Database::Status::Ok);
        std::unique_ptr<Recordset> rs(Recordset::openTable(db, QStringLiteral("Aktiendaten")));
        QVERIFY(rs);
        addPackage(*rs, QStringLiteral("Alpha"), 10, QStringLiteral("10,5"));

        RecordsetModel model(db, *rs, Layout);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.columnCount(), 7);
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Stück"));
        QCOMPARE(model.columnChars(0), 40);
        QCOMPARE(model.index(0, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
                     Qt::AlignHorizontal_Mask,
                 Qt::AlignRight);
        // Plain engine texts, as stored.
        QCOMPARE(model.index(0, 2).data().toString(), QStringLiteral("10,5"));
        QCOMPARE(model.index(0, 3).data().toString(), QStringLiteral("9,9"));
        QCOMPARE(model.index(0, 4).data().toString(), QStringLiteral("01.02.2024"));
        QCOMPARE(model.index(0, 6).data().toString(), QStringLiteral("123456"));

        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

        addPackage(*rs, QStringLiteral("Beta"), 5, QStringLiteral("12"));
        addPackage(*rs, QStringLiteral("Alpha"), 7, QStringLiteral("11"));
        QCOMPARE(column0(model), (QStringList{"Alpha", "Beta", "Alpha"}));
        QCOMPARE(inserted.size(), 2);

        rs->moveFirst();
        rs->moveNext();
        rs->edit();
        rs->setText(QStringLiteral("tageskurs"), QStringLiteral("13,25"));
        QVERIFY(rs->update());
        QCOMPARE(model.index(1, 5).data().toString(), QStringLiteral("13,25"));
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.first().at(0).toModelIndex().row(), 1);

        rs->moveFirst();
        QVERIFY(rs->remove());
        QCOMPARE(column0(model), (QStringList{"Beta", "Alpha"}));
        QCOMPARE(removed.size(), 1);
        // The bound record set still lies on the removed row: the next move
        // goes to the row after it.
        rs->moveNext();
        QCOMPARE(rs->text(QStringLiteral("aktie")), QStringLiteral("Beta"));

        rs->requery();
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(reset.size(), 0);
        QCOMPARE(model.rowOf(model.bookmarkAt(1)), 1);
    }

    void readingDoesNotMoveTheRecordset() {
        TempProgramDir dir;
        QVERIFY(dir.ok());
        Database db;
        QCOMPARE(db.open(dir.dbPath()), Database::Status::Ok);
        std::unique_ptr<Recordset> rs(Recordset::openTable(db, QStringLiteral("Aktiendaten")));
        addPackage(*rs, QStringLiteral("Alpha"), 1, QStringLiteral("1"));
        addPackage(*rs, QStringLiteral("Beta"), 2, QStringLiteral("2"));
        rs->moveFirst();
        RecordsetModel model(db, *rs, Layout);
        QSignalSpy moves(rs.get(), &Recordset::currentChanged);

        // An edit in progress survives the table being drawn.
        rs->edit();
        rs->setText(QStringLiteral("aktie"), QStringLiteral("Gamma"));
        QTableView view;
        view.setModel(&model);
        applyLayout(&view, model);
        view.resize(800, 200);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        for (int r = 0; r < model.rowCount(); ++r)
            for (int c = 0; c < model.columnCount(); ++c)
                model.index(r, c).data();
        QVERIFY(rs->isEditing());
        QVERIFY(rs->update());
        QCOMPARE(column0(model), (QStringList{"Gamma", "Beta"}));
        QCOMPARE(rs->absolutePosition(), 0);
        QCOMPARE(moves.size(), 1); // from update() only
        QVERIFY(view.columnWidth(0) > view.columnWidth(1));
    }

    void longTableFollowsChangesAfterReading() {
        // More rows than the model keeps texts for: a change to a row read
        // long ago must still reach the view.
        TempProgramDir dir;
        QVERIFY(dir.ok());
        Database db;
        QCOMPARE(db.open(dir.dbPath()), Database::Status::Ok);
        {
            Transaction t(db);
            for (int i = 0; i < 6000; ++i)
                QVERIFY(db.exec(QStringLiteral("INSERT INTO Aktiendaten (aktie, \"stück\") "
                                               "VALUES (?1, ?2)"),
                                {QStringLiteral("P%1").arg(i), i}));
            QVERIFY(t.commit());
        }
        std::unique_ptr<Recordset> rs(Recordset::openTable(db, QStringLiteral("Aktiendaten")));
        RecordsetModel model(db, *rs, Layout);
        QCOMPARE(model.rowCount(), 6000);
        for (int r = 0; r < model.rowCount(); ++r)
            QCOMPARE(model.index(r, 1).data().toString(), QString::number(r));

        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QVERIFY(db.exec(QStringLiteral("UPDATE Aktiendaten SET \"stück\" = 99999 WHERE aktie IN "
                                       "('P10', 'P5990')")));
        QVERIFY(db.exec(QStringLiteral("DELETE FROM Aktiendaten WHERE aktie = 'P3000'")));
        rs->requery();
        QCOMPARE(model.rowCount(), 5999);
        QCOMPARE(model.index(10, 1).data().toString(), QStringLiteral("99999"));
        QCOMPARE(model.index(2999, 0).data().toString(), QStringLiteral("P2999"));
        QCOMPARE(model.index(3000, 0).data().toString(), QStringLiteral("P3001"));
        QCOMPARE(model.index(5989, 1).data().toString(), QStringLiteral("99999"));
        for (int row : {10, 5989}) {
            bool covered = false;
            for (const QList<QVariant>& s : changed)
                covered = covered || (s.at(0).toModelIndex().row() <= row &&
                                      s.at(1).toModelIndex().row() >= row);
            QVERIFY2(covered, qPrintable(QStringLiteral("row %1 not reported").arg(row)));
        }
    }

    void queryOrder() {
        TempProgramDir dir;
        QVERIFY(dir.ok());
        Database db;
        QCOMPARE(db.open(dir.dbPath()), Database::Status::Ok);
        const QString sql = QStringLiteral("Select datum,text,summe From gewinne Order By datum");
        std::unique_ptr<Recordset> rs(Recordset::openQuery(db, sql));
        QVERIFY(rs);
        RecordsetModel model(db, *rs, QStringLiteral("^Datum     |<Text          |>Betrag  "), sql);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        for (const auto& [d, t, s] : {std::tuple{QDate(2024, 3, 1), "Kauf", "-100"},
                                      std::tuple{QDate(2024, 1, 1), "Einzahlung", "500,5"}}) {
            rs->addNew();
            rs->setValue(QStringLiteral("datum"), d);
            rs->setText(QStringLiteral("text"), QString::fromUtf8(t));
            rs->setText(QStringLiteral("summe"), QString::fromUtf8(s));
            QVERIFY(rs->update());
        }
        rs->requery();
        QCOMPARE(column0(model), (QStringList{"01.01.2024", "01.03.2024"}));
        QCOMPARE(model.index(0, 2).data().toString(), QStringLiteral("500,5"));
        QCOMPARE(model.index(0, 0).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
                     Qt::AlignHorizontal_Mask,
                 Qt::AlignHCenter);
    }
};

QTEST_MAIN(TstRecordsetModel)
#include "tst_recordsetmodel.moc"
