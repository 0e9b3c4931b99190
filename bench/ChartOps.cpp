// The charts on the big depot: feeding the 30-day and the 100-day chart of
// one package, the balance chart of every package fed and drawn, and
// opening the chart-quote window on the whole quote table.

#include "Hauptfenster.h"
#include "Ops.h"

#include "app/ChartAnsicht.h"
#include "charts/BefehleCharts.h"
#include "charts/ChartDaten.h"
#include "charts/Formchartkurse100.h"
#include "charts/statistik.h"
#include "core/Charts.h"
#include "db/Recordset.h"
#include "platform/Graph.h"

#include <QCoreApplication>
#include <QDialog>
#include <QLineEdit>
#include <algorithm>
#include <memory>

namespace {

void chartFehlschlag(const char* was) {
    throw std::runtime_error(was);
}

/// The main window on the current copy of the depot, standing on the
/// package in row pos.
std::unique_ptr<Aktiendataform> fenster(Hauptfenster& u, BenchContext& ctx, int pos) {
    auto w = u.laden(ctx);
    w->Daten1().moveTo(pos);
    return w;
}

} // namespace

void runCharts(BenchContext& ctx, QList<BenchResult>& out) {
    const QStringList namen{QStringLiteral("30-day chart fed"),
                            QStringLiteral("30-day chart fed and drawn"),
                            QStringLiteral("100-day chart fed"),
                            QStringLiteral("100-day chart window opened"),
                            QStringLiteral("100-day chart opened, trimming"),
                            QStringLiteral("Balance chart fed and drawn"),
                            QStringLiteral("Chart-quote window opened")};
    if (std::none_of(namen.begin(), namen.end(), [&](const QString& n) { return ctx.want(n); }))
        return;
    ctx.fresh();
    const int pos = 500;
    const QString name = ctx.info().namen.value(pos);
    // The statement that reads one package's newest quotes, on its own.
    auto kursFloor = [&](int anzahl) {
        return [&, anzahl] {
            sqlReadAll(ctx.db(),
                       QStringLiteral("SELECT kurs FROM kurse WHERE trim(aktie) = trim(?1) "
                                      "ORDER BY _nr DESC LIMIT ?2"),
                       {name, anzahl});
        };
    };
    auto zaehlFloor = [&] {
        sqlReadAll(ctx.db(),
                   QStringLiteral("SELECT count(*) FROM kurse WHERE trim(aktie) = trim(?1)"),
                   {name});
    };
    const ModalRunner sofort = [](QDialog&) { return 0; };
    const QSize flaeche(1100, 700);

    do {
        BenchResult r{namen[0], 0, {}, 30, QStringLiteral("read, chart model")};
        if (!ctx.want(r.name)) break;
        Chartmodell m;
        r.medianMs = medianMs(ctx.runs(), {}, [&] {
            Charts::chart30(m, ChartDaten::kurse(ctx.db(), name, Charts::Tage30));
            if (m.punktzahl() != 30) chartFehlschlag("30 points");
        });
        r.floorMs = medianMs(ctx.runs(), {}, kursFloor(30));
        out << finishedResult(r);
    } while (false);

    do {
        // Mostly Qt Charts laying out and painting: no SQL floor to compare with.
        BenchResult r{namen[1], 0, {}, 30, QStringLiteral("in the main window, painted 1100x700")};
        if (!ctx.want(r.name)) break;
        Hauptfenster f;
        const auto w = fenster(f, ctx, pos);
        Graph& g = *w->chart().Graph1;
        r.medianMs = medianMs(ctx.runs(), {}, [&] {
            if (!Chart30(*w, g)) chartFehlschlag("30-day chart");
            if (g.bild(flaeche).isNull()) chartFehlschlag("30-day picture");
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        });
        out << finishedResult(r);
    } while (false);

    do {
        // Steady state: the package holds 100 quotes after the first opening.
        BenchResult r{namen[2], 0, {}, 30, QStringLiteral("count, read, chart model")};
        if (!ctx.want(r.name)) break;
        Hauptfenster f;
        const auto w = fenster(f, ctx, pos);
        Chart100(*w, sofort);
        if (ChartDaten::kursAnzahl(ctx.db(), name) != 100) chartFehlschlag("trimmed to 100");
        Chartmodell m;
        r.medianMs = medianMs(ctx.runs(), {}, [&] {
            if (ChartDaten::kursAnzahl(ctx.db(), name) > Charts::Tage100) chartFehlschlag("count");
            Charts::chart100(m, ChartDaten::kurse(ctx.db(), name, Charts::Tage100), name,
                             Currency::fromWhole(12));
            if (m.punktzahl() != 100) chartFehlschlag("100 points");
        });
        r.floorMs = medianMs(ctx.runs(), {}, [&] {
            zaehlFloor();
            kursFloor(100)();
        });
        out << finishedResult(r);
    } while (false);

    do {
        BenchResult r{
            namen[3], 0, {}, 30, QStringLiteral("window built, fed, drawn, painted 1100x700")};
        if (!ctx.want(r.name)) break;
        Hauptfenster f;
        const auto w = fenster(f, ctx, pos);
        Chart100(*w, sofort);
        const ModalRunner malen = [&](QDialog& d) {
            if (static_cast<statistik&>(d).Graph1->bild(flaeche).isNull())
                chartFehlschlag("100-day picture");
            return 0;
        };
        r.medianMs = medianMs(ctx.runs(), {}, [&] {
            Chart100(*w, malen);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        });
        if (!f.dialogs.shown.isEmpty()) chartFehlschlag("100-day chart message");
        out << finishedResult(r);
    } while (false);

    do {
        // The first opening deletes the package's older quotes: one write
        // transaction, each run on a fresh copy.
        BenchResult r{namen[4], 0, {}, 30, QStringLiteral("delete, commit, count, read")};
        if (!ctx.want(r.name)) break;
        Hauptfenster f;
        std::unique_ptr<Aktiendataform> w;
        r.medianMs = medianMs(
            ctx.runs(),
            [&] {
                w.reset();
                ctx.fresh();
                w = fenster(f, ctx, pos);
            },
            [&] { Chart100(*w, sofort); });
        w.reset();
        r.floorMs = medianMs(
            ctx.runs(), [&] { ctx.fresh(); },
            [&] {
                Database& h = ctx.db();
                sqlRun(h, QStringLiteral("BEGIN"));
                sqlRun(h,
                       QStringLiteral("DELETE FROM kurse WHERE trim(aktie) = trim(?1) AND _nr < "
                                      "(SELECT _nr FROM kurse WHERE trim(aktie) = trim(?1) "
                                      "ORDER BY _nr DESC LIMIT 1 OFFSET 99)"),
                       {name});
                sqlRun(h, QStringLiteral("COMMIT"));
                kursFloor(100)();
            });
        out << finishedResult(r);
        ctx.fresh();
    } while (false);

    do {
        // Mostly Qt Charts with a thousand bars: no SQL floor to compare with.
        BenchResult r{namen[5], 0, {}, 200, QStringLiteral("1000 packages, painted 1100x700")};
        if (!ctx.want(r.name)) break;
        Hauptfenster f;
        const auto w = fenster(f, ctx, pos);
        Graph& g = *w->chart().Graph1;
        r.medianMs = medianMs(ctx.runs(), {}, [&] {
            if (!Bilanzchart(*w, g)) chartFehlschlag("balance chart");
            if (g.gezeichnet().punktzahl() != ctx.info().namen.size())
                chartFehlschlag("one bar each");
            if (g.bild(flaeche).isNull()) chartFehlschlag("balance picture");
            // What the event loop does between two commands: the old chart's
            // parts go.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        });
        out << finishedResult(r);
    } while (false);

    do {
        // Building the window's controls; its rows are found by key, so there
        // is no SQL floor worth comparing with.
        BenchResult r{namen[6], 0, {}, 50, QStringLiteral("first of all rows of kurse")};
        if (!ctx.want(r.name)) break;
        Hauptfenster f;
        const auto w = fenster(f, ctx, pos);
        r.medianMs = medianMs(ctx.runs(), {}, [&] {
            menuK100(*w, [&](QDialog& d) {
                auto& k = static_cast<Formchartkurse100&>(d);
                if (k.aktuelleZeile() < 0 || k.Text1->text().isEmpty())
                    chartFehlschlag("chart-quote window");
                return 0;
            });
        });
        out << finishedResult(r);
    } while (false);
}
