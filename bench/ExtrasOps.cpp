// Stock split, merging of packages and opening the settings window.

#include "Hauptfenster.h"
#include "Ops.h"

#include "db/Recordset.h"
#include "extras/FormExtras.h"
#include "extras/Korrekturen.h"

#include <QComboBox>
#include <QCoreApplication>
#include <memory>

namespace {

constexpr int SplitHistorie = 1000;
constexpr int BuendelPakete = 10;
const QString BuendelNummer = QStringLiteral("999999");

void extrasPruefen(bool ok, const char* what, const QString& detail = {}) {
    if (!ok) throw std::runtime_error(std::string(what) + " failed: " + detail.toStdString());
}

/// The package at pos, its name brought to exactly SplitHistorie quotes.
QString splitVorbereiten(Database& db, int pos) {
    QString name = db.scalar(QStringLiteral("SELECT aktie FROM Aktiendaten ORDER BY rowid "
                                            "LIMIT 1 OFFSET ?"),
                             {pos})
                       .toString();
    const int da = db.scalar(QStringLiteral("SELECT count(*) FROM kurse WHERE trim(aktie) = "
                                            "trim(?)"),
                             {name})
                       .toInt();
    Transaction t(db);
    for (int i = da; i < SplitHistorie; ++i)
        db.exec(
            QStringLiteral("INSERT INTO kurse (aktie, datum, kurs) VALUES (?, '2020-01-01', ?)"),
            {name, qlonglong(100000 + i * 100)});
    t.commit();
    return name;
}

/// Ten packages at pos … pos+9 under one securities number.
void buendelVorbereiten(Database& db, int pos) {
    db.exec(QStringLiteral("UPDATE Aktiendaten SET \"WP-KNummer\" = ? WHERE rowid IN (SELECT rowid "
                           "FROM Aktiendaten ORDER BY rowid LIMIT ? OFFSET ?)"),
            {BuendelNummer, BuendelPakete, pos});
}

void splitFloor(Database& h, const QString& name) {
    sqlRun(h, QStringLiteral("BEGIN"));
    sqlReadAll(h,
               QStringLiteral("SELECT rowid, \"stück\", kaufpreis, tageskurs, altkurs FROM "
                              "Aktiendaten WHERE trim(aktie) = trim(?)"),
               {name});
    sqlRun(h,
           QStringLiteral("UPDATE Aktiendaten SET \"stück\" = \"stück\" * 2, kaufpreis = "
                          "kaufpreis / 2, tageskurs = tageskurs / 2, altkurs = altkurs / 2 "
                          "WHERE trim(aktie) = trim(?)"),
           {name});
    sqlRun(h, QStringLiteral("UPDATE kurse SET kurs = kurs / 2 WHERE trim(aktie) = trim(?)"),
           {name});
    sqlRun(h, QStringLiteral("COMMIT"));
}

void buendelFloor(Database& h) {
    sqlRun(h, QStringLiteral("BEGIN"));
    sqlReadAll(h,
               QStringLiteral("SELECT * FROM Aktiendaten WHERE \"WP-KNummer\" = ? ORDER BY rowid"),
               {BuendelNummer});
    sqlRun(h, QStringLiteral("DELETE FROM Aktiendaten WHERE \"WP-KNummer\" = ?"), {BuendelNummer});
    sqlRun(h,
           QStringLiteral("INSERT INTO Aktiendaten (aktie, \"WP-KNummer\", \"stück\", kaufpreis) "
                          "VALUES ('x', ?, 10, 10)"),
           {BuendelNummer});
    sqlRun(h, QStringLiteral("COMMIT"));
}

/// The main window's refresh after a split or merge, as the settings window runs it.
void auffrischen(Aktiendataform& w) {
    w.PaketeZaehlen();
    w.SummenAktualisieren();
    w.Daten1().requery();
    w.DepotUebersicht();
    w.zumLesezeichen();
}

} // namespace

void runExtras(BenchContext& ctx, QList<BenchResult>& out) {
    const Currency zwei = Currency::fromWhole(2);
    QString name;

    if (BenchResult r{
            QStringLiteral("Split, 1,000 history rows"), 0, {}, 30, QStringLiteral("writes only")};
        ctx.want(r.name)) {
        const auto vorbereiten = [&] {
            ctx.fresh();
            name = splitVorbereiten(ctx.db(), 400);
        };
        r.medianMs = medianMs(ctx.runs(), vorbereiten, [&] {
            const QString grund = Korrekturen::splitPruefen(ctx.db(), name, zwei);
            extrasPruefen(grund.isEmpty(), "split check", grund);
            const auto e = Korrekturen::splitDurchfuehren(ctx.db(), name, zwei);
            extrasPruefen(e.ok, "split", e.fehler);
        });
        r.floorMs = medianMs(ctx.runs(), vorbereiten, [&] { splitFloor(ctx.db(), name); });
        out << finishedResult(r);
    }
    if (BenchResult r{
            QStringLiteral("Merging 10 packages"), 0, {}, 30, QStringLiteral("writes only")};
        ctx.want(r.name)) {
        const auto vorbereiten = [&] {
            ctx.fresh();
            buendelVorbereiten(ctx.db(), 300);
        };
        r.medianMs = medianMs(ctx.runs(), vorbereiten, [&] {
            extrasPruefen(Korrekturen::paketeMitKennummer(ctx.db(), BuendelNummer) == BuendelPakete,
                          "merge count");
            const QString grund = Korrekturen::buendelnPruefen(ctx.db(), BuendelNummer);
            extrasPruefen(grund.isEmpty(), "merge check", grund);
            const auto e = Korrekturen::buendeln(ctx.db(), BuendelNummer);
            extrasPruefen(e.ok, "merge", e.fehler);
        });
        r.floorMs = medianMs(ctx.runs(), vorbereiten, [&] { buendelFloor(ctx.db()); });
        out << finishedResult(r);
    }

    // The same with the main window's refresh, on a freshly loaded window.
    Hauptfenster u;
    std::unique_ptr<Aktiendataform> w;
    const auto mitFenster = [&](const QString& titel, const std::function<void()>& vorbereiten,
                                const std::function<void()>& op,
                                const std::function<void()>& floor) {
        BenchResult r{titel + QStringLiteral(" + main-window refresh"), 0, {}, 30, {}};
        if (!ctx.want(r.name)) return;
        r.medianMs = medianMs(
            ctx.runs(),
            [&] {
                w.reset();
                ctx.fresh();
                vorbereiten();
                w = u.laden(ctx);
                w->Daten1().moveTo(500);
                u.modul.lesezeichen = w->Daten1().bookmark();
            },
            [&] {
                op();
                auffrischen(*w);
            },
            [&] { w.reset(); });
        r.floorMs = medianMs(
            ctx.runs(),
            [&] {
                ctx.fresh();
                vorbereiten();
            },
            [&] {
                floor();
                Database& h = ctx.db();
                sqlReadAll(h, QStringLiteral("SELECT count(*) FROM Aktiendaten"));
                sqlReadAll(h, QStringLiteral("SELECT sum(\"stück\" * tageskurs), sum(\"stück\" * "
                                             "kaufpreis + \"gebühren\") FROM Aktiendaten"));
                sqlReadAll(h, QStringLiteral("SELECT rowid, * FROM Aktiendaten"));
            });
        out << finishedResult(r);
    };
    mitFenster(
        QStringLiteral("Split, 1,000 history rows"),
        [&] { name = splitVorbereiten(ctx.db(), 400); },
        [&] { extrasPruefen(Korrekturen::splitDurchfuehren(ctx.db(), name, zwei).ok, "split"); },
        [&] { splitFloor(ctx.db(), name); });
    mitFenster(
        QStringLiteral("Merging 10 packages"), [&] { buendelVorbereiten(ctx.db(), 300); },
        [&] { extrasPruefen(Korrekturen::buendeln(ctx.db(), BuendelNummer).ok, "merge"); },
        [&] { buendelFloor(ctx.db()); });

    if (BenchResult r{QStringLiteral("Settings window open, 1,000 packages"), 0, {}, 50, {}};
        ctx.want(r.name)) {
        ctx.fresh();
        w = u.laden(ctx);
        w->Daten1().moveTo(500);
        std::unique_ptr<FormExtras> f;
        const int pakete = w->Daten1().recordCount();
        r.medianMs = medianMs(
            ctx.runs(), {},
            [&] {
                f = std::make_unique<FormExtras>(*w, w.get());
                f->vorbereiten(FormExtras::StopZiel, false);
                f->show();
                QCoreApplication::processEvents();
                extrasPruefen(f->Combo1->count() == pakete, "settings window list");
            },
            [&] { f.reset(); });
        // Building the widgets is the work here; the rows it reads cost a
        // fraction of a millisecond, so that is stated, not used as a floor.
        Database& h = ctx.db();
        const double lesen = medianMs(ctx.runs(), {}, [&] {
            sqlReadAll(h, QStringLiteral("SELECT rowid FROM Aktiendaten"));
            sqlReadAll(h, QStringLiteral("SELECT rowid, aktie FROM Aktiendaten ORDER BY rowid"));
            sqlReadAll(h, QStringLiteral("SELECT rowid, * FROM kennwort"));
        });
        r.note = QStringLiteral("its SQL alone: %1 ms").arg(lesen, 0, 'f', 2);
        out << finishedResult(r);
        w.reset();
    }
}
