// The reports on the big depot: building each text, the short report in the
// main window and the complete report printed to PDF.

#include "Hauptfenster.h"
#include "Ops.h"

#include "core/Berichte.h"
#include "reports/BefehleBerichte.h"
#include "reports/BerichtDaten.h"

#include <QCoreApplication>
#include <QDir>
#include <memory>

namespace {

void fehlschlag(const char* was) {
    throw std::runtime_error(was);
}

} // namespace

void runReports(BenchContext& ctx, QList<BenchResult>& out) {
    ctx.fresh();
    Database& db = ctx.db();
    Database& h = db;
    const qsizetype pakete = ctx.info().namen.size();

    // Floor: the one statement the reports read their packages with.
    auto paketeFloor = [&] {
        sqlReadAll(h, QStringLiteral("SELECT datum, \"WP-KNummer\", aktie, \"stück\", kaufpreis,"
                                     " \"gebühren\", tageskurs, altkurs, dividende, kaufdatum FROM"
                                     " Aktiendaten ORDER BY _nr"));
    };
    auto tagesFloor = [&] {
        paketeFloor();
        sqlReadAll(h, QStringLiteral("SELECT altallwert FROM kennwort ORDER BY _nr LIMIT 1"));
        sqlReadAll(h, QStringLiteral("SELECT indexname, indexzahl FROM Indexkurse ORDER BY _nr "
                                     "DESC LIMIT 1"));
    };
    // Reading and building a text takes about a millisecond: many rounds
    // cost little and keep one busy moment of the machine out of the median.
    const int runden = std::max(ctx.runs(), 201);
    const QDate heute = ctx.today();
    const struct {
        const char* name;
        bool tage;
        std::function<QString(const QList<BerichtPaket>&, const Tageswerte&)> bauen;
    } texte[] = {
        {"Report text short (screen)", false,
         [&](const auto& p, const auto&) { return Berichte::kurzfassung(p, heute).text; }},
        {"Report text short (printed)", false,
         [&](const auto& p, const auto&) { return Berichte::kurzfassungDruck(p, heute); }},
        {"Report text complete (screen)", false,
         [&](const auto& p, const auto&) { return Berichte::komplettfassung(p, heute).text; }},
        {"Report text complete (printed)", false,
         [&](const auto& p, const auto&) { return Berichte::komplettfassungDruck(p, heute); }},
        {"Report text day difference (screen)", true,
         [&](const auto& p, const auto& w) { return Berichte::differenz(p, w).text; }},
        {"Report text day difference (printed)", true,
         [&](const auto& p, const auto& w) { return Berichte::differenzDruck(p, w, "DAX"); }},
    };
    // The reports' own reading of the rows against the plain statement: what
    // the texts below add on top of it is the building.
    if (BenchResult r{QStringLiteral("Report rows read"), 0, {}, 30, QStringLiteral("read")};
        ctx.want(r.name)) {
        const Gepaart g = gepaartMs(
            runden,
            [&] {
                if (Berichte::paketeLesen(db).pakete.size() != pakete) fehlschlag("report rows");
            },
            paketeFloor);
        r.medianMs = g.medianMs;
        r.floorMs = g.floorMs;
        out << finishedResult(r);
    }
    for (const auto& t : texte) {
        BenchResult r{QString::fromLatin1(t.name), 0, {}, 30, QStringLiteral("read + build")};
        if (!ctx.want(r.name)) continue;
        const Gepaart g = gepaartMs(
            runden,
            [&] {
                const BerichtBestand b = Berichte::paketeLesen(db);
                const QList<BerichtPaket>& p = b.pakete;
                const Tageswerte w = t.tage ? Berichte::tageswerteLesen(db) : Tageswerte{};
                if (p.size() != pakete) fehlschlag("report rows");
                if (t.bauen(p, w).size() < pakete * 60) fehlschlag("report text");
            },
            t.tage ? std::function<void()>(tagesFloor) : std::function<void()>(paketeFloor));
        r.medianMs = g.medianMs;
        r.floorMs = g.floorMs;
        out << finishedResult(r);
    }

    const bool fenster = ctx.want(QStringLiteral("Short report in the main window"));
    const bool pdf = ctx.want(QStringLiteral("Complete report printed to PDF"));
    if (!fenster && !pdf) return;

    Hauptfenster u;
    auto w = u.laden(ctx);

    if (fenster) {
        BenchResult r{QStringLiteral("Short report in the main window"), 0, {}, 100, {}};
        r.medianMs = medianMs(ctx.runs(), {}, [&] {
            w->menu_berichtkurz_Click();
            QCoreApplication::processEvents();
            if (w->ansicht() != Aktiendataform::Ansicht::Bericht) fehlschlag("report view");
        });
        // Mostly laying out the text box; no plain-SQL floor to compare with.
        r.note = QStringLiteral("read, build, show");
        out << finishedResult(r);
    }
    if (pdf) {
        BenchResult r{QStringLiteral("Complete report printed to PDF"), 0, {}, 1000, {}};
        r.medianMs = medianMs(std::max(3, ctx.runs() / 3), {}, [&] {
            if (!komplettberichtDrucken(*w)) fehlschlag("complete report print");
        });
        out << finishedResult(r);
    }
}
