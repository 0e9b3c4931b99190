#include "Harness.h"

#include <sqlite3.h>
#include <sys/resource.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace {

bool bindAll(sqlite3_stmt* st, const QVariantList& params) {
    for (int i = 0; i < params.size(); ++i) {
        const QVariant& v = params[i];
        int rc;
        switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::ULongLong:
        case QMetaType::Bool:
            rc = sqlite3_bind_int64(st, i + 1, v.toLongLong());
            break;
        case QMetaType::Double:
            rc = sqlite3_bind_double(st, i + 1, v.toDouble());
            break;
        default:
            if (v.isNull()) {
                rc = sqlite3_bind_null(st, i + 1);
            } else {
                const QByteArray b = v.toString().toUtf8();
                rc = sqlite3_bind_text(st, i + 1, b.constData(), int(b.size()), SQLITE_TRANSIENT);
            }
        }
        if (rc != SQLITE_OK) return false;
    }
    return true;
}

sqlite3_stmt* prepare(sqlite3* db, const QString& sql, const QVariantList& params) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK ||
        !bindAll(st, params)) {
        std::fprintf(stderr, "floor SQL failed: %s\n  %s\n", sqlite3_errmsg(db),
                     sql.toUtf8().constData());
        sqlite3_finalize(st);
        return nullptr;
    }
    return st;
}

} // namespace

QString& lastFailure() {
    static QString failure;
    return failure;
}

qint64 sqlReadAll(sqlite3* db, const QString& sql, const QVariantList& params) {
    sqlite3_stmt* st = prepare(db, sql, params);
    if (!st) return -1;
    qint64 n = 0;
    volatile qint64 sink = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        const int cols = sqlite3_column_count(st);
        for (int c = 0; c < cols; ++c) {
            switch (sqlite3_column_type(st, c)) {
            case SQLITE_INTEGER:
                sink = sink + sqlite3_column_int64(st, c);
                break;
            case SQLITE_FLOAT:
                sink = sink + qint64(sqlite3_column_double(st, c));
                break;
            case SQLITE_TEXT:
                sink = sink + sqlite3_column_bytes(st, c) + (sqlite3_column_text(st, c) ? 1 : 0);
                break;
            default:
                break;
            }
        }
        ++n;
    }
    sqlite3_finalize(st);
    return n;
}

bool sqlRun(sqlite3* db, const QString& sql, const QVariantList& params) {
    sqlite3_stmt* st = prepare(db, sql, params);
    if (!st) return false;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE) {
        std::fprintf(stderr, "floor SQL failed: %s\n  %s\n", sqlite3_errmsg(db),
                     sql.toUtf8().constData());
        return false;
    }
    return true;
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
