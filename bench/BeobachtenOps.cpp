// The stock-index window and the watch list: opening them and a cell change
// of the watch list with its refresh.

#include "Hauptfenster.h"
#include "Ops.h"

#include "platform/Graph.h"
#include "watch/FormBeobachten.h"
#include "watch/FormIndex.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QLabel>
#include <QTableView>
#include <memory>

namespace {

void pruefen(bool ok, const char* what) {
    if (!ok) throw std::runtime_error(std::string(what) + " failed");
}

/// The name of the first watched entry, whose chart the list opens with.
QString ersterName(Database& db) {
    return db.scalar(QStringLiteral("SELECT aktie FROM Beobachten ORDER BY _nr LIMIT 1"))
        .toString();
}

} // namespace

void runBeobachten(BenchContext& ctx, QList<BenchResult>& out) {
    Hauptfenster u;
    std::unique_ptr<Aktiendataform> w;
    const int eintraege =
        ctx.db().scalar(QStringLiteral("SELECT count(*) FROM Beobachten")).toInt();

    if (BenchResult r{
            QStringLiteral("Watch list open (grid, totals, first chart)"), 0, {}, 100, {}};
        ctx.want(r.name)) {
        ctx.fresh();
        w = u.laden(ctx);
        std::unique_ptr<FormBeobachten> f;
        r.medianMs = medianMs(
            ctx.runs(), {},
            [&] {
                f = std::make_unique<FormBeobachten>(*w, w.get());
                f->show();
                QCoreApplication::processEvents();
                pruefen(f->MSFlexGrid1->model()->rowCount() == eintraege, "watch-list rows");
                pruefen(f->Graph1->istGezeichnet(), "watch-list chart");
                pruefen(!f->Label8->text().isEmpty(), "watch-list totals");
            },
            [&] { f.reset(); });
        Database& h = ctx.db();
        const QString name = ersterName(ctx.db());
        // Building the widgets and drawing the chart is the work here; the
        // rows read cost a fraction of a millisecond, so that is stated, not
        // used as a floor.
        const double lesen = medianMs(ctx.runs(), {}, [&] {
            sqlReadAll(h, QStringLiteral("SELECT rowid, * FROM Beobachten"));
            sqlReadAll(h, QStringLiteral("SELECT count(*) FROM (SELECT 1 FROM KurseVirtuell "
                                         "LIMIT 2)"));
            sqlReadAll(h,
                       QStringLiteral("SELECT kurs FROM KurseVirtuell WHERE trim(aktie) = "
                                      "trim(?) ORDER BY _nr DESC LIMIT 30"),
                       {name});
        });
        r.note = QStringLiteral("its SQL alone: %1 ms").arg(lesen, 0, 'f', 2);
        out << finishedResult(r);
        w.reset();
    }

    if (BenchResult r{QStringLiteral("Watch-list cell edit + refresh"), 0, {}, 30, {}};
        ctx.want(r.name)) {
        std::unique_ptr<FormBeobachten> f;
        const int zeile = eintraege / 2;
        r.medianMs = medianMs(
            ctx.runs(),
            [&] {
                f.reset();
                w.reset();
                ctx.fresh();
                w = u.laden(ctx);
                f = std::make_unique<FormBeobachten>(*w, w.get());
                f->show();
                QCoreApplication::processEvents();
                u.dialogs.inputs = {QStringLiteral("123,45")};
                u.dialogs.answers.clear();
            },
            [&] {
                // A new current price: the row, a quote, the table and the totals.
                f->MSFlexGrid1_Click(f->MSFlexGrid1->model()->index(zeile, 5));
                QCoreApplication::processEvents();
                pruefen(f->zelle(zeile, 5) == QStringLiteral("123,45"), "cell edit");
            },
            [&] {
                f.reset();
                w.reset();
            });
        qint64 nr = 0;
        QString name;
        r.floorMs = medianMs(
            ctx.runs(),
            [&] {
                ctx.fresh();
                const auto row = ctx.db().rows(
                    QStringLiteral(
                        "SELECT _nr, aktie FROM Beobachten ORDER BY _nr LIMIT 1 OFFSET ?"),
                    {zeile});
                nr = row.value(0).value(0).toLongLong();
                name = row.value(0).value(1).toString();
            },
            [&] {
                Database& h = ctx.db();
                sqlRun(h, QStringLiteral("BEGIN"));
                sqlRun(h, QStringLiteral("UPDATE Beobachten SET kurs = 1234500 WHERE _nr = ?"),
                       {nr});
                sqlRun(h,
                       QStringLiteral("INSERT INTO KurseVirtuell (datum, aktie, kurs) VALUES "
                                      "('2024-03-15', ?, '123,45')"),
                       {name});
                sqlRun(h, QStringLiteral("COMMIT"));
                sqlReadAll(h, QStringLiteral("SELECT rowid, * FROM Beobachten"));
            });
        out << finishedResult(r);
    }

    if (BenchResult r{QStringLiteral("Index window open, 100 values"), 0, {}, 30, {}};
        ctx.want(r.name)) {
        ctx.fresh();
        w = u.laden(ctx);
        std::unique_ptr<FormIndex> f;
        r.medianMs = medianMs(
            ctx.runs(), {},
            [&] {
                f = std::make_unique<FormIndex>(*w, w.get());
                f->show();
                QCoreApplication::processEvents();
                pruefen(f->Label3->text().startsWith(QStringLiteral("Letzter Stand vom ")),
                        "index window");
            },
            [&] { f.reset(); });
        Database& h = ctx.db();
        const double lesen = medianMs(ctx.runs(), {}, [&] {
            sqlReadAll(h, QStringLiteral("SELECT rowid, * FROM Indexkurse"));
        });
        r.note = QStringLiteral("its SQL alone: %1 ms").arg(lesen, 0, 'f', 2);
        out << finishedResult(r);
        w.reset();
    }
}
