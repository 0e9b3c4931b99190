#include "Ops.h"

#include "core/Numbers.h"
#include "core/Realgewinn.h"
#include "db/Depot.h"
#include "db/Recordset.h"
#include "platform/Speicher.h"
#include "transactions/KontoOperationen.h"
#include "transactions/KursOperationen.h"
#include "transactions/PaketOperationen.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cstdio>

BenchContext::BenchContext(QString baseFile, QString programDir, QDate today, BigDepotInfo info,
                           int runs)
    : m_base(std::move(baseFile)), m_programDir(std::move(programDir)), m_today(today),
      m_info(std::move(info)), m_runs(runs) {
    QDir().mkpath(m_programDir);
    fresh();
}

BenchContext::~BenchContext() = default;

QString BenchContext::dbPath() const {
    return QDir(m_programDir).filePath(QString::fromLatin1(Database::FileName));
}

void BenchContext::fresh() {
    m_db.reset();
    QFile::remove(dbPath());
    QFile::remove(QDir(m_programDir).filePath(QString::fromLatin1(Database::CompactFileName)));
    if (!QFile::copy(m_base, dbPath())) {
        std::fprintf(stderr, "cannot copy the depot\n");
        std::exit(1);
    }
    // Flushed here, or the first commit of the timed operation would pay for
    // writing the whole copy to disk.
    QFile f(dbPath());
    if (f.open(QIODevice::ReadWrite)) ::fsync(f.handle());
    m_db = std::make_unique<Database>();
    if (m_db->open(dbPath()) != Database::Status::Ok) {
        std::fprintf(stderr, "cannot open the depot copy: %s\n",
                     m_db->message().toUtf8().constData());
        std::exit(1);
    }
}

namespace {

struct Paket {
    Bookmark bookmark = -1;
    QString aktie;
    qint64 stueck = 0;
    Currency tageskurs;
};

/// The package at a position in natural order.
Paket paketAt(Database& db, int pos) {
    Paket p;
    const auto rows = db.rows(QStringLiteral("SELECT rowid, aktie, \"stück\", tageskurs FROM "
                                             "Aktiendaten ORDER BY rowid LIMIT 1 OFFSET ?"),
                              {pos});
    if (rows.isEmpty()) return p;
    p.bookmark = rows[0][0].toLongLong();
    p.aktie = rows[0][1].toString();
    p.stueck = rows[0][2].toLongLong();
    p.tageskurs = Currency::fromRaw(rows[0][3].toLongLong());
    return p;
}

Currency gesamtwert(Database& db) {
    return Currency::fromRaw(
        db.scalar(QStringLiteral("SELECT sum(\"stück\" * tageskurs) FROM Aktiendaten"))
            .toLongLong());
}

QString iso(const QDate& d) {
    return d.toString(Qt::ISODate);
}

void check(bool ok, const char* what, const QString& detail = {}) {
    if (!ok)
        throw std::runtime_error(std::string(what) +
                                 " failed: " + detail.simplified().toStdString());
}

/// Carries a failure of the measurement into the result's note.
} // namespace

BenchResult finishedResult(BenchResult r) {
    if (r.medianMs < 0 || (r.floorMs && *r.floorMs < 0)) {
        r.medianMs = -1;
        r.floorMs.reset();
        r.note = lastFailure();
    }
    lastFailure().clear();
    // The program gives freed memory back when its loop falls idle after a command.
    speicherZurueckgeben();
    // KAPITO_BENCH_SPEICHER=1: what the process holds after each operation,
    // to find which one keeps memory.
    if (qEnvironmentVariableIsSet("KAPITO_BENCH_SPEICHER")) {
        QFile statm(QStringLiteral("/proc/self/statm"));
        const QList<QByteArray> felder = statm.open(QIODevice::ReadOnly)
                                             ? statm.readAll().split(' ')
                                             : QList<QByteArray>();
        const double jetzt = felder.size() > 1 ? felder.at(1).toDouble() * 4096.0 / 1048576.0 : 0;
        std::fprintf(stderr, "memory after %s: %.1f MB, peak %.1f MB\n",
                     r.name.toUtf8().constData(), jetzt, peakRssMb());
    }
    return r;
}

namespace {

/// Median of an operation that changes data: each run on a fresh copy.
double onFreshCopy(BenchContext& ctx, const std::function<void()>& prepare,
                   const std::function<void()>& op) {
    return medianMs(
        ctx.runs(),
        [&] {
            ctx.fresh();
            if (prepare) prepare();
        },
        op);
}

} // namespace

QList<BenchResult> runAll(BenchContext& ctx) {
    QList<BenchResult> out;
    const QDate heute = ctx.today();

    // ---- Reading -----------------------------------------------------------
    do {
        BenchResult r{QStringLiteral("Recordset open on kurse"), 0, {}, 50, {}};
        if (!ctx.want(r.name)) break;
        r.medianMs = medianMs(ctx.runs(), {}, [&] {
            std::unique_ptr<Recordset> rs(Recordset::openTable(ctx.db(), QStringLiteral("kurse")));
            check(rs && rs->recordCount() == ctx.info().kurseRows, "Recordset on kurse");
        });
        r.floorMs = medianMs(ctx.runs(), {}, [&] {
            sqlReadAll(ctx.db(), QStringLiteral("SELECT rowid, aktie, datum, kurs FROM kurse"));
        });
        out << finishedResult(r);
    } while (false);
    do {
        BenchResult r{QStringLiteral("Realised statement (DM)"), 0, {}, 30, {}};
        if (!ctx.want(r.name)) break;
        // Timed in turns with its floor: a few tens of milliseconds, where a
        // busy moment of the machine would otherwise fall on one side only.
        const Gepaart g = gepaartMs(
            std::max(ctx.runs(), 21),
            [&] {
                const Realgewinn rg = Konto::realgewinnAusDemKonto(ctx.db(), Einheit::DM);
                check(!rg.text.isEmpty(), "realised statement");
            },
            [&] {
                sqlReadAll(ctx.db(),
                           QStringLiteral("SELECT datum, text, summe FROM Gewinne ORDER BY rowid"));
            });
        r.medianMs = g.medianMs;
        r.floorMs = g.floorMs;
        out << finishedResult(r);
    } while (false);
    do {
        BenchResult r{QStringLiteral("Account balance"), 0, {}, 30, {}};
        if (!ctx.want(r.name)) break;
        r.medianMs = medianMs(ctx.runs(), {}, [&] { Depot::kontostand(ctx.db()); });
        r.floorMs = medianMs(ctx.runs(), {}, [&] {
            sqlReadAll(ctx.db(), QStringLiteral("SELECT sum(summe) FROM Gewinne"));
        });
        out << finishedResult(r);
    } while (false);

    // ---- Writing, each run on a fresh copy ----------------------------------
    Paket paket;
    Currency gw;
    auto pick = [&](int pos) {
        return [&, pos] {
            paket = paketAt(ctx.db(), pos);
            gw = gesamtwert(ctx.db());
        };
    };
    const Currency neuerKurs = Currency::fromRaw(123400);

    do {
        BenchResult r{QStringLiteral("Single-quote save"), 0, {}, 10, {}};
        if (!ctx.want(r.name)) break;
        r.medianMs = onFreshCopy(ctx, pick(500), [&] {
            const auto e = Kurse::einzelkursSpeichern(ctx.db(), paket.bookmark, paket.aktie, heute,
                                                      neuerKurs, heute, gw);
            check(e.ok, "single-quote save", e.fehler);
        });
        r.floorMs = onFreshCopy(ctx, pick(500), [&] {
            Database& h = ctx.db();
            sqlRun(h, QStringLiteral("BEGIN"));
            sqlRun(h, QStringLiteral("INSERT INTO kurse (aktie, datum, kurs) VALUES (?, ?, ?)"),
                   {paket.aktie, iso(heute), qint64(neuerKurs.raw())});
            sqlReadAll(h, QStringLiteral("SELECT datum, altallwert FROM kennwort"));
            sqlRun(h,
                   QStringLiteral("UPDATE Aktiendaten SET altkurs = tageskurs, tageskurs = ?, "
                                  "datum = ? WHERE rowid = ?"),
                   {qint64(neuerKurs.raw()), iso(heute), qint64(paket.bookmark)});
            sqlRun(h, QStringLiteral("COMMIT"));
        });
        out << finishedResult(r);
    } while (false);
    do {
        QList<Kurse::NeuerKurs> liste;
        auto prepare48 = [&] {
            liste.clear();
            const auto rows = ctx.db().rows(QStringLiteral(
                "SELECT rowid, aktie FROM Aktiendaten ORDER BY rowid LIMIT 48 OFFSET 200"));
            for (const auto& row : rows)
                liste << Kurse::NeuerKurs{row[0].toLongLong(), row[1].toString(), neuerKurs};
            gw = gesamtwert(ctx.db());
        };
        BenchResult r{QStringLiteral("48-quote save"), 0, {}, 30, {}};
        if (!ctx.want(r.name)) break;
        r.medianMs = onFreshCopy(ctx, prepare48, [&] {
            const auto e = Kurse::alleKurseSpeichern(ctx.db(), liste, heute, heute, gw);
            check(e.ok, "48-quote save", e.fehler);
        });
        r.floorMs = onFreshCopy(ctx, prepare48, [&] {
            Database& h = ctx.db();
            sqlRun(h, QStringLiteral("BEGIN"));
            sqlReadAll(h, QStringLiteral("SELECT datum, altallwert FROM kennwort"));
            for (const auto& k : liste) {
                sqlRun(h,
                       QStringLiteral("UPDATE Aktiendaten SET altkurs = tageskurs, tageskurs = ?, "
                                      "datum = ? WHERE rowid = ?"),
                       {qint64(k.kurs.raw()), iso(heute), qint64(k.paket)});
                sqlRun(h, QStringLiteral("INSERT INTO kurse (aktie, datum, kurs) VALUES (?, ?, ?)"),
                       {k.aktie, iso(heute), qint64(k.kurs.raw())});
            }
            sqlRun(h, QStringLiteral("COMMIT"));
        });
        out << finishedResult(r);
    } while (false);
    const Konto::KaufFelder kaufFelder = Konto::KaufFelder::lesen(
        QStringLiteral("Benchmark Fonds"), QStringLiteral("654321"), QStringLiteral("100"),
        QStringLiteral("9,90"), QStringLiteral("10"), heute);
    const Konto::KaufEingabe kauf{QStringLiteral("Benchmark Fonds"),
                                  QStringLiteral("654321"),
                                  100,
                                  Currency::fromRaw(99000),
                                  Currency::fromWhole(10),
                                  heute,
                                  QStringLiteral("100")};
    auto kaufFloor = [&] {
        Database& h = ctx.db();
        sqlReadAll(h, QStringLiteral("SELECT sum(summe) FROM Gewinne"));
        sqlRun(h, QStringLiteral("BEGIN"));
        sqlRun(h,
               QStringLiteral("INSERT INTO Aktiendaten (aktie, \"WP-KNummer\", \"stück\", "
                              "kaufpreis, \"gebühren\", datum, kaufdatum, tageskurs) VALUES "
                              "(?, ?, ?, ?, ?, ?, ?, ?)"),
               {kauf.aktie, kauf.kennummer, 100, 100000, 99000, iso(heute), iso(heute), 100000});
        sqlRun(h, QStringLiteral("UPDATE kennwort SET altallwert = altallwert + ?"), {10000000});
        sqlRun(h, QStringLiteral("INSERT INTO Gewinne (datum, text, summe) VALUES (?, ?, ?)"),
               {iso(heute), Konto::kaufText(kauf), -19751900});
        sqlRun(h, QStringLiteral("COMMIT"));
    };
    do {
        BenchResult r{QStringLiteral("Purchase"), 0, {}, 30, QStringLiteral("writes only")};
        if (!ctx.want(r.name)) break;
        r.medianMs = onFreshCopy(ctx, {}, [&] {
            const auto stand = Depot::kontostand(ctx.db());
            const auto p = Konto::kaufPruefen(kaufFelder, stand);
            check(p.art == Konto::KaufPruefung::Ok, "purchase check", p.meldung);
            const auto e = Konto::kaufSchreiben(ctx.db(), p.eingabe, p.betraege);
            check(e.ok, "purchase", e.fehler);
        });
        r.floorMs = onFreshCopy(ctx, {}, kaufFloor);
        out << finishedResult(r);
    } while (false);

    auto verkauf = [&](bool ganz) {
        return Pakete::VerkaufFelder::lesen(paket.bookmark, paket.aktie, paket.stueck,
                                            QString::number(ganz ? paket.stueck : paket.stueck / 2),
                                            QStringLiteral("12,50"), QStringLiteral("10"), heute);
    };
    auto verkaufFloor = [&](bool ganz) {
        Database& h = ctx.db();
        sqlRun(h, QStringLiteral("BEGIN"));
        if (!ganz)
            sqlRun(
                h,
                QStringLiteral("UPDATE Aktiendaten SET \"stück\" = ?, datum = ? WHERE rowid = ?"),
                {qint64(paket.stueck - paket.stueck / 2), iso(heute), qint64(paket.bookmark)});
        sqlRun(h, QStringLiteral("UPDATE kennwort SET altallwert = altallwert - ?"), {4900000});
        sqlRun(h, QStringLiteral("INSERT INTO Gewinne (datum, text, summe) VALUES (?, ?, ?)"),
               {iso(heute), QStringLiteral("Verkauf 1 Stück x"), 9583600});
        if (ganz) {
            sqlReadAll(h,
                       QStringLiteral("SELECT count(*) FROM Aktiendaten WHERE trim(aktie) = "
                                      "trim(?) AND rowid <> ?"),
                       {paket.aktie, qint64(paket.bookmark)});
            sqlRun(h, QStringLiteral("DELETE FROM kurse WHERE trim(aktie) = trim(?)"),
                   {paket.aktie});
            sqlRun(h, QStringLiteral("DELETE FROM Aktiendaten WHERE rowid = ?"),
                   {qint64(paket.bookmark)});
        }
        sqlRun(h, QStringLiteral("COMMIT"));
    };
    for (bool ganz : {false, true}) {
        BenchResult r{ganz ? QStringLiteral("Whole sale with its history")
                           : QStringLiteral("Partial sale"),
                      0,
                      {},
                      30,
                      QStringLiteral("writes only")};
        if (!ctx.want(r.name)) continue;
        r.medianMs = onFreshCopy(ctx, pick(600), [&] {
            const auto k = Pakete::verkaufPruefen(verkauf(ganz));
            check(k.art == (ganz ? Pakete::VerkaufPruefung::Gesamtverkauf
                                 : Pakete::VerkaufPruefung::Teilverkauf),
                  "sale check", k.meldung);
            const auto e = Pakete::verkaufSchreiben(ctx.db(), k.eingabe);
            check(e.ok, "sale", e.fehler);
        });
        r.floorMs = onFreshCopy(ctx, pick(600), [&] { verkaufFloor(ganz); });
        out << finishedResult(r);
    }
    auto loeschFloor = [&] {
        Database& h = ctx.db();
        sqlRun(h, QStringLiteral("BEGIN"));
        sqlReadAll(h,
                   QStringLiteral("SELECT count(*) FROM Aktiendaten WHERE trim(aktie) = "
                                  "trim(?) AND rowid <> ?"),
                   {paket.aktie, qint64(paket.bookmark)});
        sqlRun(h, QStringLiteral("DELETE FROM kurse WHERE trim(aktie) = trim(?)"), {paket.aktie});
        sqlRun(h, QStringLiteral("DELETE FROM Aktiendaten WHERE rowid = ?"),
               {qint64(paket.bookmark)});
        sqlRun(h, QStringLiteral("COMMIT"));
    };
    do {
        BenchResult r{
            QStringLiteral("Deletion with its history"), 0, {}, 30, QStringLiteral("writes only")};
        if (!ctx.want(r.name)) break;
        r.medianMs = onFreshCopy(ctx, pick(700), [&] {
            const auto e = Pakete::paketLoeschen(ctx.db(), paket.bookmark);
            check(e.ok, "deletion", e.fehler);
        });
        r.floorMs = onFreshCopy(ctx, pick(700), loeschFloor);
        out << finishedResult(r);
    } while (false);

    do {
        // A second a normal depot; a bigger one in proportion.
        const double groesse = std::max(1.0, double(ctx.info().kurseRows) / 250000.0);
        BenchResult r{QStringLiteral("Compaction"), 0, {}, 1000 * groesse, {}};
        if (!ctx.want(r.name)) break;
        r.medianMs = onFreshCopy(ctx, {}, [&] {
            const bool ok = ctx.db().compact();
            check(ok, "compaction", ctx.db().message());
        });
        // Floor: the encrypted export into a new file and the swap, nothing else.
        r.floorMs = onFreshCopy(ctx, {}, [&] {
            const QString copy = QDir(ctx.programDir()).filePath(QStringLiteral("floor.mdb"));
            QFile::remove(copy);
            // The connection may not create files; an empty file is an empty database.
            QFile(copy).open(QIODevice::WriteOnly);
            Database& h = ctx.db();
            sqlRun(h, QStringLiteral("ATTACH DATABASE ? AS floorcopy KEY 'tilo3581'"), {copy});
            sqlRun(h, QStringLiteral("SELECT sqlcipher_export('floorcopy')"));
            sqlRun(h, QStringLiteral("DETACH DATABASE floorcopy"));
            QFile::remove(ctx.dbPath());
            QFile::rename(copy, ctx.dbPath());
        });
        out << finishedResult(r);
    } while (false);

    // The same changes again, with the main window's refresh after them.
    const int position[] = {500, 600, 600, 700};
    WriteFloors floors;
    floors.prepare = [&](int kind) { pick(position[kind])(); };
    floors.run = [&](int kind) {
        switch (kind) {
        case 0:
            kaufFloor();
            break;
        case 1:
        case 2:
            verkaufFloor(kind == 2);
            break;
        default:
            loeschFloor();
        }
    };
    runMainWindow(ctx, out, floors);
    runSicherung(ctx, out);
    runRueckgaengig(ctx, out);
    runExtras(ctx, out);
    runReports(ctx, out);
    runJetUebernahme(ctx, out);
    runBeobachten(ctx, out);
    runStart(ctx, out);
    runCharts(ctx, out);
    runDatenaustausch(ctx, out);
    return out;
}
