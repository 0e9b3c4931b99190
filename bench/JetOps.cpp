// Taking over an old Jet-format depot: the whole conversion — the reader
// process, the row stream, the new encrypted file and its checks — against
// plain SQL that writes the same rows into a new file.

#include "Ops.h"

#include "db/JetKonverter.h"
#include "db/Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <stdexcept>

namespace {

void jetPruefen(bool ok, const char* was, const QString& grund = {}) {
    if (!ok) throw std::runtime_error(std::string(was) + " failed: " + grund.toStdString());
}

} // namespace

void runJetUebernahme(BenchContext& ctx, QList<BenchResult>& out) {
    const int pakete = int(ctx.info().namen.size());
    BenchResult r{QStringLiteral("Jet take-over of the depot"), 0, {}, 10000, {}};
    if (!ctx.want(r.name)) return;

    const QDir dir(ctx.programDir());
    const QString jet = dir.filePath(QStringLiteral("jet-depot.mdb"));
    const QString ziel = dir.filePath(QStringLiteral("jet-neu.mdb"));
    const QString boden = dir.filePath(QStringLiteral("jet-boden.mdb"));
    {
        // Written by a process of its own (this program with --jet-datei): the
        // test file is built in memory, and that is not the take-over's memory.
        QProcess schreiber;
        schreiber.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        schreiber.start(
            QCoreApplication::applicationFilePath(),
            {QStringLiteral("--jet-datei"), jet, QStringLiteral("--jet-umfang"),
             QStringLiteral("%1,%2,%3").arg(pakete).arg(ctx.info().kurseRows).arg(pakete * 50)});
        if (!schreiber.waitForFinished(600000) || schreiber.exitStatus() != QProcess::NormalExit ||
            schreiber.exitCode() != 0 || !QFile::exists(jet)) {
            r.medianMs = -1;
            r.note = QStringLiteral("writing the Jet file failed");
            out << r;
            return;
        }
    }

    r.note = QStringLiteral("%1 packages, %2 quotes, %3 bookings")
                 .arg(pakete)
                 .arg(ctx.info().kurseRows)
                 .arg(pakete * 50);
    JetKonverter konverter(QStringLiteral(KAPITO_JETLESEN));
    r.medianMs = medianMs(
        ctx.runs(), [&] { QFile::remove(ziel); },
        [&] {
            jetPruefen(konverter.konvertieren(jet, ziel, ctx.today()), "Jet take-over",
                       konverter.meldung());
        });

    // Floor: the converted rows copied into a new encrypted file with plain
    // SQL, indexes and commit included.
    r.floorMs = medianMs(
        ctx.runs(), [&] { QFile::remove(boden); },
        [&] {
            QString fehler;
            jetPruefen(Schema::createEmptyDatabase(boden, ctx.today(), &fehler), "floor file",
                       fehler);
            Database db;
            jetPruefen(db.open(boden) == Database::Status::Ok, "floor open", db.message());
            QString sql =
                QStringLiteral("ATTACH DATABASE '%1' AS alt KEY '%2'; BEGIN; DELETE FROM "
                               "kennwort;")
                    .arg(ziel,
                         Database::keyFromConnect(QString::fromLatin1(Database::ConnectText)));
            for (const char* t : {"Aktiendaten", "kurse", "Indexkurse", "Gewinne", "Beobachten",
                                  "KurseVirtuell", "kennwort"})
                sql += QStringLiteral(" INSERT INTO main.%1 SELECT * FROM alt.%1 ORDER BY _nr;")
                           .arg(QLatin1String(t));
            sql += QStringLiteral(" COMMIT; DETACH DATABASE alt");
            jetPruefen(sqlScript(db, sql, &fehler), "floor copy", fehler);
        });
    QFile::remove(jet);
    QFile::remove(ziel);
    QFile::remove(boden);
    out << finishedResult(r);
}
