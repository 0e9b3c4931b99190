#include "Floors.h"

#include "db/RawAccess.h"

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

qint64 sqlReadAll(Database& db, const QString& sql, const QVariantList& params) {
    sqlite3_stmt* st = prepare(RawAccess::connection(db), sql, params);
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

bool sqlRun(Database& db, const QString& sql, const QVariantList& params) {
    sqlite3* h = RawAccess::connection(db);
    sqlite3_stmt* st = prepare(h, sql, params);
    if (!st) return false;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE) {
        std::fprintf(stderr, "floor SQL failed: %s\n  %s\n", sqlite3_errmsg(h),
                     sql.toUtf8().constData());
        return false;
    }
    return true;
}

bool sqlScript(Database& db, const QString& sql, QString* error) {
    char* fehler = nullptr;
    const int rc = sqlite3_exec(RawAccess::connection(db), sql.toUtf8().constData(), nullptr,
                                nullptr, &fehler);
    if (rc != SQLITE_OK && error) *error = QString::fromUtf8(fehler ? fehler : sqlite3_errstr(rc));
    sqlite3_free(fehler);
    return rc == SQLITE_OK;
}
