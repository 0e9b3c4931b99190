// Start-up and file care at scale: the check of the file during the start
// window, compaction on its own thread with the progress dialog, and the
// account window opened on the whole ledger.

#include "Hauptfenster.h"
#include "Ops.h"

#include "app/Programmstart.h"
#include "core/Passwort.h"
#include "db/Dateipruefung.h"
#include "db/Verschluesselung.h"
#include "extras/pwfrage.h"
#include "platform/KompaktierFortschritt.h"
#include "platform/RecordsetModel.h"
#include "transactions/FormDepotKonto.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <memory>

namespace {

void fehlschlag(const QString& was) {
    throw std::runtime_error(was.toStdString());
}

/// Bookings of the depot against the 50,000 of the normal size.
double faktor(BenchContext& ctx) {
    const double n = ctx.db().scalar(QStringLiteral("SELECT max(_nr) FROM Gewinne")).toDouble();
    return std::max(1.0, n / 50000.0);
}

} // namespace

void runStart(BenchContext& ctx, QList<BenchResult>& out) {
    const double groesse = faktor(ctx);

    // Runs while the start window shows for 2000 ms; only what lasts longer is waited for.
    if (BenchResult r{
            QStringLiteral("Start check of the file (quick check, own thread)"), 0, {}, 2000, {}};
        ctx.want(r.name)) {
        // A file changed outside the program (or killed mid-session) is read in full.
        r.medianMs = medianMs(
            ctx.runs(), [&] { QFile::remove(Dateipruefung::merkPfad(ctx.dbPath())); },
            [&] {
                const auto e = Dateipruefung::pruefen(ctx.dbPath());
                if (!e.ok || !e.jedeSeite) fehlschlag(e.meldung);
            });
        Database& h = ctx.db();
        r.floorMs =
            medianMs(ctx.runs(), {}, [&] { sqlReadAll(h, QStringLiteral("PRAGMA quick_check")); });
        out << finishedResult(r);
    }
    // The usual start: the file as the program closed it at the end of the last session.
    if (BenchResult r{QStringLiteral("Start check of a file the program closed whole"), 0, {}, 100,
                      {}};
        ctx.want(r.name)) {
        Dateipruefung::alsHeilMerken(ctx.dbPath());
        r.medianMs = medianMs(ctx.runs(), {}, [&] {
            const auto e = Dateipruefung::pruefen(ctx.dbPath());
            if (!e.ok || e.jedeSeite) fehlschlag(QStringLiteral("read in full"));
        });
        QFile::remove(Dateipruefung::merkPfad(ctx.dbPath()));
        out << finishedResult(r);
    }

    // The time, and the longest pause of the window's events meanwhile.
    if (BenchResult r{QStringLiteral("Compaction on its thread, with progress dialog"),
                      0,
                      {},
                      1000 * groesse,
                      {}};
        ctx.want(r.name)) {
        QWidget fenster;
        fenster.resize(400, 300);
        fenster.show();
        qint64 laengstePause = 0;
        r.medianMs = medianMs(
            ctx.runs(), [&] { ctx.fresh(); },
            [&] {
                QElapsedTimer seit;
                seit.start();
                QTimer takt;
                takt.setInterval(10);
                QObject::connect(&takt, &QTimer::timeout,
                                 [&] { laengstePause = std::max(laengstePause, seit.restart()); });
                takt.start();
                const bool ok = kompaktierenMitFortschritt(&fenster, ctx.db());
                takt.stop();
                if (!ok) fehlschlag(ctx.db().message());
            });
        r.floorMs = medianMs(
            ctx.runs(), [&] { ctx.fresh(); },
            [&] {
                const QString kopie = QDir(ctx.programDir()).filePath(QStringLiteral("floor.mdb"));
                QFile::remove(kopie);
                QFile(kopie).open(QIODevice::WriteOnly);
                Database& h = ctx.db();
                sqlRun(h, QStringLiteral("ATTACH DATABASE ? AS floorcopy KEY 'tilo3581'"), {kopie});
                sqlRun(h, QStringLiteral("SELECT sqlcipher_export('floorcopy')"));
                sqlRun(h, QStringLiteral("DETACH DATABASE floorcopy"));
                QFile::remove(ctx.dbPath());
                QFile::rename(kopie, ctx.dbPath());
            });
        r.note = QStringLiteral("longest pause of the events %1 ms").arg(laengstePause);
        out << finishedResult(r);
        ctx.fresh();
    }

    // The password tab's re-keying: the key derivation, the copy with the new
    // key, its check and the rename.
    const QString passwort = QStringLiteral("geheim");
    const auto verschluesseln = [&] {
        const auto e = Verschluesselung::umschluesseln(ctx.db(), passwort,
                                                       Passwort::speicherform(passwort));
        if (!e.ok) fehlschlag(e.meldung);
    };
    const auto ohneMarke = [&] { QFile::remove(Verschluesselung::markePfad(ctx.dbPath())); };
    const double ableitungMs = einmalMs([&] {
        Verschluesselung::neuerEintrag(passwort, Verschluesselung::Runden, nullptr);
    });
    if (BenchResult r{QStringLiteral("Re-encrypting the depot with a password"), 0, {}, 3000, {}};
        ctx.want(r.name)) {
        r.medianMs = medianMs(ctx.runs(), [&] { ctx.fresh(); }, verschluesseln, ohneMarke);
        r.note = QStringLiteral("key derivation %1 ms").arg(ableitungMs, 0, 'f', 0);
        out << finishedResult(r);
        ctx.fresh();
    }

    // From the password entry to the visible main window, the start window's
    // 2000 ms included; the derivation comes on top of the described start.
    if (BenchResult r{QStringLiteral("Start with a file encrypted with the password"), 0, {},
                      2000 + ableitungMs, {}};
        ctx.want(r.name)) {
        Hauptfenster u;
        std::unique_ptr<Programmstart> start;
        r.medianMs = medianMs(
            ctx.runs(),
            [&] {
                ctx.fresh();
                verschluesseln();
                ctx.db().close();
                u.modul = ModulAktien();
                start = std::make_unique<Programmstart>(AppContext{ctx.db(), u.modul, u.dialogs,
                                                                   u.uhr, u.hilfe, u.editor,
                                                                   u.controls, ctx.programDir()},
                                                        2000);
                if (!start->starten() || !start->passwortFrage())
                    fehlschlag(QStringLiteral("no password prompt"));
                start->passwortFrage()->Textpwfrage->setText(passwort);
            },
            [&] {
                start->passwortFrage()->Schalter3_Click();
                QEventLoop warten;
                QTimer takt;
                takt.setInterval(5);
                QObject::connect(&takt, &QTimer::timeout, &warten, [&] {
                    if (start->hauptfenster() && start->hauptfenster()->isVisible())
                        warten.quit();
                });
                takt.start();
                QTimer::singleShot(20000, &warten, &QEventLoop::quit);
                warten.exec();
                if (!start->hauptfenster() || !start->hauptfenster()->isVisible())
                    fehlschlag(QStringLiteral("main window not shown"));
            },
            [&] {
                start.reset();
                ohneMarke();
            });
        r.note = QStringLiteral("key derivation %1 ms").arg(ableitungMs, 0, 'f', 0);
        out << finishedResult(r);
        ctx.fresh();
    }

    // Built, shown and painted with all bookings; ten times the depot may take 300 ms.
    if (BenchResult r{QStringLiteral("Account window open, shown and painted"),
                      0,
                      {},
                      groesse >= 10 ? 300.0 : 30.0,
                      {}};
        ctx.want(r.name)) {
        Hauptfenster u;
        auto haupt = u.laden(ctx);
        const int buchungen =
            ctx.db().scalar(QStringLiteral("SELECT count(*) FROM Gewinne")).toInt();
        std::unique_ptr<FormDepotKonto> konto;
        r.medianMs = medianMs(
            ctx.runs(), {},
            [&] {
                konto = std::make_unique<FormDepotKonto>(*haupt, haupt.get());
                konto->show();
                konto->repaint();
                QCoreApplication::processEvents();
                if (konto->model().rowCount() != buchungen) fehlschlag(QStringLiteral("rows"));
            },
            [&] { konto.reset(); });
        Database& h = ctx.db();
        r.floorMs = medianMs(ctx.runs(), {}, [&] {
            sqlReadAll(h, QStringLiteral("SELECT _nr FROM Gewinne ORDER BY datum, _nr"));
            sqlReadAll(h, QStringLiteral("SELECT sum(summe) FROM Gewinne"));
        });
        out << finishedResult(r);
    }
}
