#include "db/Statement.h"

#include "core/Kalender.h"
#include "db/Database.h"
#include "db/Fehlertexte.h"
#include "db/Gespeichert.h"
#include "db/RawAccess.h"
#include "db/SqlUtil.h"

// Each column is fetched once as a value and read through the value
// functions: the column functions take the connection's lock on every call,
// and a report reads ten columns of every package. The connection is only
// used by the thread that opened it, and a value is read before the next
// step, so nothing can change it in between.

Statement::Statement(Database& db, const char* sql) : m_db(RawAccess::connection(db)) {
    if (!m_db) {
        m_error = QStringLiteral("Die Datenbank ist nicht geöffnet.");
        return;
    }
    if (sqlite3_prepare_v2(m_db, sql, -1, &m_stmt, nullptr) != SQLITE_OK || !m_stmt) {
        failed();
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    }
}

Statement::Statement(Database& db, const QString& sql) : Statement(db, sql.toUtf8().constData()) {}

Statement::~Statement() {
    sqlite3_finalize(m_stmt);
}

void Statement::failed() {
    m_error = Fehlertexte::ausVerbindung(m_db);
}

void Statement::bound(int rc) {
    if (rc == SQLITE_OK) return;
    m_bindFailed = true;
    failed();
}

void Statement::bindInteger(int pos, std::int64_t value) {
    if (m_stmt) bound(sqlite3_bind_int64(m_stmt, pos, value));
}

void Statement::bind(int pos, Currency value) {
    bindInteger(pos, value.raw());
}

void Statement::bind(int pos, const QDate& value) {
    bind(pos, QVariant(value));
}

void Statement::bind(int pos, const QString& value) {
    if (!m_stmt) return;
    const QByteArray utf8 = value.toUtf8();
    bound(sqlite3_bind_text(m_stmt, pos, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT));
}

void Statement::bind(int pos, const QVariant& value) {
    if (m_stmt) bound(SqlUtil::bindValue(m_stmt, pos, value));
}

void Statement::bindNull(int pos) {
    if (m_stmt) bound(sqlite3_bind_null(m_stmt, pos));
}

bool Statement::next() {
    if (!m_stmt || m_bindFailed) return false;
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) return true;
    if (rc != SQLITE_DONE) failed();
    return false;
}

bool Statement::run() {
    if (!m_stmt || m_bindFailed) return false;
    int rc;
    while ((rc = sqlite3_step(m_stmt)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) failed();
    sqlite3_reset(m_stmt);
    return rc == SQLITE_DONE;
}

void Statement::reset() {
    if (m_stmt) sqlite3_reset(m_stmt);
}

bool Statement::isNull(int col) const {
    return sqlite3_value_type(sqlite3_column_value(m_stmt, col)) == SQLITE_NULL;
}

std::int64_t Statement::int64(int col) const {
    return sqlite3_value_int64(sqlite3_column_value(m_stmt, col));
}

std::optional<Currency> Statement::currency(int col) const {
    sqlite3_value* v = sqlite3_column_value(m_stmt, col);
    switch (sqlite3_value_type(v)) {
    case SQLITE_NULL:
        return std::nullopt;
    case SQLITE_INTEGER:
        return Currency::fromRaw(sqlite3_value_int64(v));
    default:
        return Gespeichert::geld(SqlUtil::value(v));
    }
}

std::optional<qint64> Statement::whole(int col) const {
    sqlite3_value* v = sqlite3_column_value(m_stmt, col);
    switch (sqlite3_value_type(v)) {
    case SQLITE_NULL:
        return std::nullopt;
    case SQLITE_INTEGER:
        return sqlite3_value_int64(v);
    default:
        return Gespeichert::ganzzahl(SqlUtil::value(v));
    }
}

QDate Statement::date(int col) const {
    sqlite3_value* v = sqlite3_column_value(m_stmt, col);
    const auto* t = reinterpret_cast<const char*>(sqlite3_value_text(v));
    if (!t) return {};
    const int n = sqlite3_value_bytes(v);
    if (const auto d = Kalender::ausIso(t, n)) return *d;
    return Gespeichert::datum(QString::fromUtf8(t, n));
}

QString Statement::text(int col) const {
    sqlite3_value* v = sqlite3_column_value(m_stmt, col);
    const auto* t = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return t ? QString::fromUtf8(t, sqlite3_value_bytes(v)) : QString();
}

QByteArrayView Statement::bytes(int col) const {
    sqlite3_value* v = sqlite3_column_value(m_stmt, col);
    const auto* t = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return t ? QByteArrayView(t, sqlite3_value_bytes(v)) : QByteArrayView();
}

QVariant Statement::value(int col) const {
    return SqlUtil::value(sqlite3_column_value(m_stmt, col));
}
