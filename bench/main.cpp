// kapito_bench: builds a big depot in a temporary program directory and times
// the program's own operations on it against the plain SQL that reads or
// writes the same rows.
//
//   kapito_bench [--scale N | --big] [--runs N] [--json] [--keep] [--only text]

#include "BigDepot.h"
#include "Harness.h"
#include "Ops.h"
#include "jet/JetBestand.h"
#include "platform/Speicher.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    // As the program does it.
    speicherEinstellen();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kapito_bench"));

    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Times Kapito's operations on a big depot."));
    p.addHelpOption();
    QCommandLineOption scaleOpt(QStringLiteral("scale"),
                                QStringLiteral("Multiplies every table's size."),
                                QStringLiteral("factor"), QStringLiteral("1"));
    QCommandLineOption bigOpt(QStringLiteral("big"), QStringLiteral("Same as --scale 10."));
    QCommandLineOption runsOpt(QStringLiteral("runs"),
                               QStringLiteral("Runs per operation (at least 7)."),
                               QStringLiteral("n"), QStringLiteral("9"));
    QCommandLineOption jsonOpt(QStringLiteral("json"), QStringLiteral("Print one JSON object."));
    QCommandLineOption keepOpt(QStringLiteral("keep"),
                               QStringLiteral("Keep the temporary program directory."));
    QCommandLineOption onlyOpt(QStringLiteral("only"),
                               QStringLiteral("Times only operations whose name contains text."),
                               QStringLiteral("text"));
    QCommandLineOption depotOpt(
        QStringLiteral("depot"),
        QStringLiteral("Generated depot to reuse; made there first when it does not exist."),
        QStringLiteral("file"));
    // Used by the bench itself: writes the Jet test file in a process of its
    // own, so that building it in memory does not count as the program's.
    QCommandLineOption jetDateiOpt(QStringLiteral("jet-datei"), QStringLiteral("Jet file to write."),
                                   QStringLiteral("file"));
    QCommandLineOption jetUmfangOpt(QStringLiteral("jet-umfang"),
                                    QStringLiteral("packages,quotes,bookings"),
                                    QStringLiteral("sizes"));
    jetDateiOpt.setFlags(QCommandLineOption::HiddenFromHelp);
    jetUmfangOpt.setFlags(QCommandLineOption::HiddenFromHelp);
    p.addOptions({scaleOpt, bigOpt, runsOpt, jsonOpt, keepOpt, onlyOpt, depotOpt, jetDateiOpt,
                  jetUmfangOpt});
    p.process(app);

    if (p.isSet(jetDateiOpt)) {
        const QStringList n = p.value(jetUmfangOpt).split(QLatin1Char(','));
        if (n.size() != 3) return 2;
        Jet::Umfang u;
        u.pakete = n[0].toInt();
        u.kurse = n[1].toInt();
        u.gewinne = n[2].toInt();
        u.mitErwartet = false;
        QString fehler;
        if (Jet::schreibenNach(p.value(jetDateiOpt), Jet::beispielBestand(u).tabellen,
                               Jet::Optionen{}, &fehler))
            return 0;
        std::fprintf(stderr, "%s\n", fehler.toUtf8().constData());
        return 1;
    }

    const int scale = p.isSet(bigOpt) ? 10 : std::max(1, p.value(scaleOpt).toInt());
    const int runs = std::max(7, p.value(runsOpt).toInt());
    const bool json = p.isSet(jsonOpt);

    QTemporaryDir tmp(QDir::tempPath() + QStringLiteral("/kapito-bench-XXXXXX"));
    if (!tmp.isValid()) {
        std::fprintf(stderr, "cannot create a temporary directory\n");
        return 1;
    }
    tmp.setAutoRemove(!p.isSet(keepOpt));

    const BigDepotSize size = BigDepotSize().scaled(scale);
    const QDate today = QDate::currentDate();
    const QString base =
        p.isSet(depotOpt) ? p.value(depotOpt) : tmp.filePath(QStringLiteral("depot-base.mdb"));
    BigDepotInfo info;
    QString error;
    QElapsedTimer gen;
    gen.start();
    if (QFile::exists(base)) {
        if (!readBigDepotInfo(base, &info, &error)) {
            std::fprintf(stderr, "reading the depot failed: %s\n", error.toUtf8().constData());
            return 1;
        }
    } else if (!createBigDepot(base, size, today, &info, &error)) {
        std::fprintf(stderr, "generating the depot failed: %s\n", error.toUtf8().constData());
        return 1;
    }
    if (!json)
        std::printf("depot: %d packages, %d quotes, %d bookings, %d index values, %d watched, "
                    "%d watch quotes; generated in %.1f s (%s)\n\n",
                    size.pakete, size.kurse, size.gewinne, size.indexkurse, size.beobachten,
                    size.kurseVirtuell, double(gen.elapsed()) / 1000.0,
                    tmp.path().toUtf8().constData());

    BenchContext ctx(base, tmp.filePath(QStringLiteral("programm")), today, info, runs);
    ctx.only = p.value(onlyOpt);
    const QList<BenchResult> results = runAll(ctx);
    const double rss = peakRssMb();
    if (json)
        printJson(results, rss);
    else {
        printTable(results, rss, 120);
        for (const QString& s : ctx.skipped)
            std::printf("not timed: %s\n", s.toUtf8().constData());
    }
    return 0;
}
