// Quotes from a file of 100,000 rows (the preview, and the write against the
// plain inserts of the same rows) and the export of the whole depot.

#include "Ops.h"

#include "core/Kursdatei.h"
#include "transactions/Datenexport.h"
#include "transactions/KursImport.h"

#include <QDir>
#include <stdexcept>

namespace {

QByteArray kursdatei(const BigDepotInfo& info, const QDate& ab, int zeilen) {
    QByteArray b("Datum;Name;Schluss\r\n");
    const int namen = int(std::max<qsizetype>(1, info.namen.size()));
    for (int i = 0; i < zeilen; ++i) {
        const QDate d = ab.addDays(i / namen);
        b += d.toString(QStringLiteral("dd.MM.yyyy")).toLatin1() + ';' +
             info.namen[i % namen].toUtf8() + ';' + QByteArray::number(10 + i % 997) + ',' +
             QByteArray::number(10 + i % 90) + "\r\n";
    }
    return b;
}

} // namespace

void runDatenaustausch(BenchContext& ctx, QList<BenchResult>& out) {
    if (ctx.info().namen.isEmpty()) return;
    const QByteArray datei = kursdatei(ctx.info(), ctx.today().addDays(1), 100000);
    KursImport::Plan plan;
    const auto vorschau = [&] {
        // As the preview window does: a new file's plan replaces the last.
        plan = {};
        const Kursdatei::Tabelle t = Kursdatei::zerlegen(datei);
        const Kursdatei::Auswertung a = Kursdatei::auswerten(t, t.vorschlag);
        if (a.zeilen.size() != 100000) throw std::runtime_error("quote file not read");
        plan = KursImport::planen(ctx.db(), a, -1);
    };
    do {
        BenchResult r{QStringLiteral("Import preview 100,000 rows"), 0, {}, 1000, {}};
        if (!ctx.want(r.name)) break;
        r.medianMs = medianMs(ctx.runs(), {}, vorschau);
        out << finishedResult(r);
    } while (false);
    do {
        BenchResult r{QStringLiteral("Import 100,000 quotes"), 0, {}, 3000, {}};
        if (!ctx.want(r.name)) break;
        r.medianMs = medianMs(
            ctx.runs(),
            [&] {
                ctx.fresh();
                vorschau();
            },
            [&] {
                const auto e = KursImport::schreiben(ctx.db(), plan, ctx.today(), std::nullopt);
                if (!e.ok) throw std::runtime_error(e.fehler.toStdString());
            });
        // Floor: the plain inserts of the same rows in one transaction.
        r.floorMs = medianMs(
            ctx.runs(),
            [&] {
                ctx.fresh();
                vorschau();
            },
            [&] {
                Database& h = ctx.db();
                sqlRun(h, QStringLiteral("BEGIN"));
                for (const KursImport::Neu& k : plan.neu)
                    sqlRun(h, QStringLiteral("INSERT INTO kurse (aktie, datum, kurs) VALUES (?, ?, ?)"),
                           {k.aktie, k.datum.toString(Qt::ISODate), qint64(k.kurs.raw())});
                sqlRun(h, QStringLiteral("COMMIT"));
            });
        out << finishedResult(r);
    } while (false);
    do {
        BenchResult r{QStringLiteral("Export of the depot"), 0, {}, 2000, {}};
        if (!ctx.want(r.name)) break;
        const QString basis = QDir(ctx.programDir()).filePath(QStringLiteral("export"));
        r.medianMs = medianMs(
            ctx.runs(),
            [&] {
                QDir(basis).removeRecursively();
                QDir().mkpath(basis);
            },
            [&] {
                const auto e = Datenexport::exportieren(ctx.db(), basis, ctx.today());
                if (!e.ok) throw std::runtime_error(e.fehler.toStdString());
            });
        QDir(basis).removeRecursively();
        out << finishedResult(r);
    } while (false);
}
