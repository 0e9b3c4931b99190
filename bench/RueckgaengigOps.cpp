// The cost of recording the undo images, an undo of a long split, and the
// restore window's listing and restore.

#include "Ops.h"

#include "app/FormWiederherstellen.h"
#include "app/Sicherung.h"
#include "app/Wiederherstellung.h"
#include "db/Rueckgaengig.h"
#include "extras/Korrekturen.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

namespace {

void pruefen(bool ok, const char* what, const QString& detail = {}) {
    if (!ok) throw std::runtime_error(std::string(what) + " failed: " + detail.toStdString());
}

QString iso(const QDate& d) {
    return d.toString(Qt::ISODate);
}

/// The same writes, once as a named operation (recorded) and once without
/// a name, timed in turns; the target is the unrecorded time + 10 %.
void aufzeichnung(BenchContext& ctx, QList<BenchResult>& out, const QString& name,
                  const std::function<void()>& schreiben) {
    BenchResult r{name, 0, {}, 30, QStringLiteral("floor: the same without recording")};
    if (!ctx.want(r.name)) return;
    ctx.fresh();
    Database& db = ctx.db();
    const Gepaart g = gepaartMs(
        ctx.runs() * 4,
        [&] {
            Transaction t(db, QStringLiteral("Messung"));
            schreiben();
            pruefen(t.commit(), "recorded write", db.message());
        },
        [&] {
            Transaction t(db);
            schreiben();
            pruefen(t.commit(), "unrecorded write", db.message());
        });
    r.medianMs = g.medianMs;
    r.floorMs = g.floorMs;
    if (g.floorMs > 0) {
        r.targetMs = g.floorMs * 1.10;
        r.note = QStringLiteral("recording adds %1 %")
                     .arg((g.medianMs / g.floorMs - 1.0) * 100.0, 0, 'f', 1);
    }
    out << finishedResult(r);
}

} // namespace

void runRueckgaengig(BenchContext& ctx, QList<BenchResult>& out) {
    const QDate heute = ctx.today();
    aufzeichnung(ctx, out, QStringLiteral("Purchase, undo recording"), [&] {
        Database& h = ctx.db();
        sqlRun(h,
               QStringLiteral("INSERT INTO Aktiendaten (aktie, \"WP-KNummer\", \"stück\", "
                              "kaufpreis, \"gebühren\", datum, kaufdatum, tageskurs) VALUES "
                              "('Benchmark Fonds', '654321', 100, 100000, 99000, ?, ?, 100000)"),
               {iso(heute), iso(heute)});
        sqlRun(h, QStringLiteral("UPDATE kennwort SET altallwert = altallwert + 1"));
        sqlRun(h, QStringLiteral("INSERT INTO Gewinne (datum, text, summe) VALUES (?, ?, ?)"),
               {iso(heute), QStringLiteral("Kauf 100 Stück Benchmark Fonds"), -19751900});
    });
    QList<QVariantList> pakete;
    aufzeichnung(ctx, out, QStringLiteral("48-quote save, undo recording"), [&] {
        Database& h = ctx.db();
        if (pakete.isEmpty())
            pakete = h.rows(QStringLiteral(
                "SELECT rowid, aktie FROM Aktiendaten ORDER BY rowid LIMIT 48 OFFSET 200"));
        sqlRun(h, QStringLiteral("UPDATE kennwort SET datum = ?"), {iso(heute)});
        for (const auto& p : std::as_const(pakete)) {
            sqlRun(h,
                   QStringLiteral("UPDATE Aktiendaten SET altkurs = tageskurs, tageskurs = ?, "
                                  "datum = ? WHERE rowid = ?"),
                   {qint64(123400), iso(heute), p[0]});
            sqlRun(h, QStringLiteral("INSERT INTO kurse (aktie, datum, kurs) VALUES (?, ?, ?)"),
                   {p[1], iso(heute), qint64(123400)});
        }
    });

    do {
        BenchResult r{QStringLiteral("Undo of a split over 1,000 quotes"), 0, {}, 30, {}};
        if (!ctx.want(r.name)) break;
        r.medianMs = medianMs(
            ctx.runs(),
            [&] {
                ctx.fresh();
                Database& db = ctx.db();
                const QString name =
                    db.scalar(QStringLiteral("SELECT aktie FROM Aktiendaten ORDER BY rowid "
                                             "LIMIT 1 OFFSET 300"))
                        .toString();
                const int da = db.scalar(QStringLiteral("SELECT count(*) FROM kurse WHERE "
                                                        "trim(aktie) = trim(?)"),
                                         {name})
                                   .toInt();
                {
                    Transaction t(db);
                    for (int i = da; i < 1000; ++i)
                        db.exec(QStringLiteral("INSERT INTO kurse (aktie, datum, kurs) VALUES "
                                               "(?, '2020-01-01', ?)"),
                                {name, qlonglong(100000 + i * 100)});
                    pruefen(t.commit(), "history", db.message());
                }
                const auto e =
                    Korrekturen::splitDurchfuehren(db, name, Currency::fromWhole(2));
                pruefen(e.ok, "split", e.fehler);
            },
            [&] { pruefen(ctx.db().rueckgaengig().rueckgaengig(), "undo", ctx.db().message()); });
        out << finishedResult(r);
    } while (false);

    // Ten backups of the depot, as the daily backup keeps them.
    const QString ordner = QDir(ctx.programDir()).filePath(QString::fromLatin1(Sicherung::Ordner));
    const auto sicherungenAnlegen = [&] {
        QDir(ordner).removeRecursively();
        QDir().mkpath(ordner);
        for (int i = 0; i < Sicherung::Behalten; ++i)
            QFile::copy(ctx.dbPath(),
                        QDir(ordner).filePath(
                            Sicherung::dateiName(heute.addDays(-i), Sicherung::Art::Taeglich)));
    };
    do {
        BenchResult r{QStringLiteral("Listing 10 backups"), 0, {}, 1000, {}};
        if (!ctx.want(r.name)) break;
        ctx.fresh();
        sicherungenAnlegen();
        r.medianMs = medianMs(ctx.runs(), {}, [&] {
            const auto liste =
                FormWiederherstellen::staendeLesen(nullptr, ordner, ctx.db().connectText());
            pruefen(liste.size() == Sicherung::Behalten && !liste.first().beschaedigt,
                    "listing");
        });
        out << finishedResult(r);
    } while (false);
    do {
        BenchResult r{QStringLiteral("Restore of a backup"), 0, {}, 1000, {}};
        if (!ctx.want(r.name)) break;
        const QString quelle =
            QDir(ordner).filePath(Sicherung::dateiName(heute.addDays(-3), Sicherung::Art::Taeglich));
        r.medianMs = medianMs(
            ctx.runs(),
            [&] {
                ctx.fresh();
                sicherungenAnlegen();
            },
            [&] {
                const QString fehler = Wiederherstellung::wiederherstellen(ctx.db(), quelle, heute);
                pruefen(fehler.isEmpty(), "restore", fehler);
            });
        out << finishedResult(r);
    } while (false);
    QDir(ordner).removeRecursively();
}
