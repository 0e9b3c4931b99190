#include "Harness.h"

#include <sys/resource.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

QString& lastFailure() {
    static QString failure;
    return failure;
}

double peakRssMb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_maxrss) / 1024.0; // kilobytes on Linux
}

void printTable(const QList<BenchResult>& results, double rssMb, double rssTargetMb) {
    std::printf("%-44s %10s %10s %7s %9s  %s\n", "operation", "median ms", "floor ms", "ratio",
                "target", "verdict");
    std::printf("%s\n", QString(96, QLatin1Char('-')).toLatin1().constData());
    for (const BenchResult& r : results) {
        QString floor = QStringLiteral("-"), ratio = QStringLiteral("-");
        if (r.medianMs < 0) {
            std::printf("%-44s %10s %10s %7s %9s  FAILED  (%s)\n", r.name.toUtf8().constData(), "-",
                        "-", "-", "-", r.note.toUtf8().constData());
            continue;
        }
        bool ok = r.medianMs <= r.targetMs;
        if (r.floorMs) {
            floor = QString::number(*r.floorMs, 'f', 2);
            const double q = *r.floorMs > 0 ? r.medianMs / *r.floorMs : 0;
            ratio = QString::number(q, 'f', 2);
            if (q > 2.0) ok = false;
        }
        std::printf("%-44s %10.2f %10s %7s %9s  %s%s\n", r.name.toUtf8().constData(), r.medianMs,
                    floor.toLatin1().constData(), ratio.toLatin1().constData(),
                    (QStringLiteral("<= ") + QString::number(r.targetMs)).toLatin1().constData(),
                    ok ? "ok" : "MISSED",
                    r.note.isEmpty() ? "" : ("  (" + r.note.toUtf8() + ")").constData());
    }
    std::printf("%s\n", QString(96, QLatin1Char('-')).toLatin1().constData());
    std::printf("peak RSS: %.1f MB (target <= %.0f MB) %s\n", rssMb, rssTargetMb,
                rssMb <= rssTargetMb ? "ok" : "MISSED");
}

void printJson(const QList<BenchResult>& results, double rssMb) {
    QJsonArray arr;
    for (const BenchResult& r : results) {
        QJsonObject o;
        o.insert(QStringLiteral("name"), r.name);
        o.insert(QStringLiteral("median_ms"), r.medianMs);
        if (r.floorMs) o.insert(QStringLiteral("floor_ms"), *r.floorMs);
        arr.append(o);
    }
    QJsonObject root;
    root.insert(QStringLiteral("results"), arr);
    root.insert(QStringLiteral("peak_rss_mb"), rssMb);
    std::printf("%s\n", QJsonDocument(root).toJson(QJsonDocument::Indented).constData());
}
