// Operations timed through the real main window, headless.

#include "Hauptfenster.h"
#include "Ops.h"

#include "db/Depot.h"
#include "db/Recordset.h"
#include "platform/RecordsetModel.h"
#include "transactions/FormDepotKonto.h"
#include "transactions/KontoOperationen.h"
#include "transactions/PaketOperationen.h"

#include <QCoreApplication>
#include <memory>

namespace {

void fail(const char* what) {
    throw std::runtime_error(what);
}

/// What the windows do after a change of packages: recount, totals, re-read
/// the package binding, redraw the overview, back to the saved package.
void nachPaketaenderung(Aktiendataform& w) {
    w.PaketeZaehlen();
    w.SummenAktualisieren();
    w.Daten1().requery();
    w.DepotUebersicht();
    w.zumLesezeichen();
}

/// The plain SQL of that refresh: count, sums, the package rows.
void nachPaketaenderungFloor(Database& h) {
    sqlReadAll(h, QStringLiteral("SELECT count(*) FROM Aktiendaten"));
    sqlReadAll(h, QStringLiteral("SELECT sum(\"stück\" * tageskurs), sum(\"stück\" * kaufpreis + "
                                 "\"gebühren\") FROM Aktiendaten"));
    sqlReadAll(h, QStringLiteral("SELECT rowid, * FROM Aktiendaten"));
}

} // namespace

void runMainWindow(BenchContext& ctx, QList<BenchResult>& out, const WriteFloors& floors) {
    Hauptfenster u;
    Database& h = ctx.db();

    auto ladeFloor = [&] {
        sqlReadAll(h, QStringLiteral("SELECT rowid, * FROM kennwort"));
        sqlReadAll(h, QStringLiteral("SELECT count(*) FROM Aktiendaten"));
        sqlReadAll(h, QStringLiteral("SELECT sum(\"stück\" * tageskurs), sum(\"stück\" * kaufpreis "
                                     "+ \"gebühren\") FROM Aktiendaten"));
        sqlReadAll(h, QStringLiteral("SELECT rowid, * FROM Aktiendaten"));
        sqlReadAll(h, QStringLiteral("SELECT rowid, * FROM Indexkurse"));
    };

    if (BenchResult r{QStringLiteral("Main-window load after the splash"), 0, {}, 100, {}};
        ctx.want(r.name)) {
        std::unique_ptr<Aktiendataform> w;
        r.medianMs = medianMs(
            ctx.runs(), {},
            [&] {
                w = u.laden(ctx);
                if (!w->isVisible()) fail("main window not shown");
            },
            [&] { w.reset(); });
        r.floorMs = medianMs(ctx.runs(), {}, ladeFloor);
        out << finishedResult(r);
    }

    std::unique_ptr<Aktiendataform> w = u.laden(ctx);
    w->Command5_Click(); // the card
    QCoreApplication::processEvents();

    if (BenchResult r{QStringLiteral("Card fill on a move"), 0, {}, 2, {}}; ctx.want(r.name)) {
        int schritt = 0;
        w->Daten1().moveTo(int(ctx.info().namen.size() / 2));
        r.medianMs = medianMs(ctx.runs() * 3, {}, [&] {
            if (schritt++ % 2)
                w->Daten1().movePrevious();
            else
                w->Daten1().moveNext();
            if (!w->Daten1().hasCurrent()) fail("card move left the rows");
        });
        const Bookmark b = w->Daten1().bookmark();
        r.floorMs = medianMs(ctx.runs() * 3, {}, [&] {
            sqlReadAll(h, QStringLiteral("SELECT rowid, * FROM Aktiendaten WHERE rowid = ?"),
                       {qint64(b)});
        });
        out << finishedResult(r);
    }
    if (BenchResult r{QStringLiteral("SummenAktualisieren"), 0, {}, 30, {}}; ctx.want(r.name)) {
        r.medianMs = medianMs(ctx.runs(), {}, [&] { w->SummenAktualisieren(); });
        r.floorMs = medianMs(ctx.runs(), {}, [&] {
            sqlReadAll(h, QStringLiteral("SELECT sum(\"stück\" * tageskurs), sum(\"stück\" * "
                                         "kaufpreis + \"gebühren\") FROM Aktiendaten"));
        });
        out << finishedResult(r);
    }
    if (BenchResult r{QStringLiteral("PaketeZaehlen"), 0, {}, 30, {}}; ctx.want(r.name)) {
        r.medianMs = medianMs(ctx.runs(), {}, [&] { w->PaketeZaehlen(); });
        r.floorMs = medianMs(ctx.runs(), {}, [&] {
            sqlReadAll(h, QStringLiteral("SELECT count(*) FROM Aktiendaten"));
        });
        out << finishedResult(r);
    }
    if (BenchResult r{QStringLiteral("Account window load"), 0, {}, 30, {}}; ctx.want(r.name)) {
        std::unique_ptr<FormDepotKonto> konto;
        const int buchungen =
            ctx.db().scalar(QStringLiteral("SELECT count(*) FROM Gewinne")).toInt();
        r.medianMs = medianMs(
            ctx.runs(), {},
            [&] {
                konto = std::make_unique<FormDepotKonto>(*w, w.get());
                konto->show();
                QCoreApplication::processEvents();
                if (konto->model().rowCount() != buchungen) fail("account window rows");
            },
            [&] { konto.reset(); });
        r.floorMs = medianMs(ctx.runs(), {}, [&] {
            sqlReadAll(h, QStringLiteral("SELECT rowid, datum, text, summe FROM Gewinne ORDER BY "
                                         "datum, rowid"));
        });
        out << finishedResult(r);
    }
    w.reset();

    // Changes with the main window's refresh, each on a fresh copy with a
    // freshly loaded main window (not timed).
    const QDate heute = ctx.today();
    auto mitFenster = [&](const QString& name, int pos,
                          const std::function<void(Aktiendataform&)>& op, int floorKind) {
        BenchResult r{name + QStringLiteral(" + main-window refresh"), 0, {}, 30, {}};
        if (!ctx.want(r.name)) return;
        std::unique_ptr<Aktiendataform> fw;
        r.medianMs = medianMs(
            ctx.runs(),
            [&] {
                fw.reset();
                ctx.fresh();
                fw = u.laden(ctx);
                fw->Daten1().moveTo(pos);
                u.modul.lesezeichen = fw->Daten1().bookmark();
            },
            [&] { op(*fw); }, [&] { fw.reset(); });
        r.floorMs = medianMs(
            ctx.runs(),
            [&] {
                ctx.fresh();
                floors.prepare(floorKind);
            },
            [&] {
                floors.run(floorKind);
                nachPaketaenderungFloor(ctx.db());
            });
        out << finishedResult(r);
    };

    mitFenster(
        QStringLiteral("Purchase"), 500,
        [&](Aktiendataform& fw) {
            const auto p = Konto::kaufPruefen(
                Konto::KaufFelder::lesen(QStringLiteral("Benchmark Fonds"),
                                         QStringLiteral("654321"), QStringLiteral("100"),
                                         QStringLiteral("9,90"), QStringLiteral("10"), heute),
                Depot::kontostand(fw.database()));
            if (p.art != Konto::KaufPruefung::Ok ||
                !Konto::kaufSchreiben(fw.database(), p.eingabe, p.betraege).ok)
                fail("purchase");
            nachPaketaenderung(fw);
        },
        0);
    auto verkauf = [&](Aktiendataform& fw, bool ganz) {
        Recordset& d = fw.Daten1();
        const qint64 bestand = d.integer(QStringLiteral("stück"));
        const auto v = Pakete::verkaufPruefen(
            Pakete::VerkaufFelder::lesen(d.bookmark(), d.text(QStringLiteral("aktie")), bestand,
                                         QString::number(ganz ? bestand : bestand / 2),
                                         QStringLiteral("12,50"), QStringLiteral("10"), heute));
        if (!Pakete::verkaufSchreiben(fw.database(), v.eingabe).ok) fail("sale");
        nachPaketaenderung(fw);
        if (ganz) d.moveFirst();
    };
    mitFenster(
        QStringLiteral("Partial sale"), 600, [&](Aktiendataform& fw) { verkauf(fw, false); }, 1);
    mitFenster(
        QStringLiteral("Whole sale"), 600, [&](Aktiendataform& fw) { verkauf(fw, true); }, 2);
    mitFenster(
        QStringLiteral("Deletion"), 700,
        [&](Aktiendataform& fw) {
            if (!Pakete::paketLoeschen(fw.database(), fw.Daten1().bookmark()).ok) fail("deletion");
            nachPaketaenderung(fw);
            fw.Daten1().moveFirst();
        },
        3);
}
