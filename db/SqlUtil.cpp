#include "db/SqlUtil.h"

#include "core/Currency.h"
#include "db/Fehlertexte.h"
#include <QDate>
#include <QDateTime>

namespace SqlUtil {

int bindValue(sqlite3_stmt* stmt, int index, const QVariant& v) {
    if (!v.isValid() || v.isNull()) return sqlite3_bind_null(stmt, index);
    if (v.metaType() == QMetaType::fromType<Currency>())
        return sqlite3_bind_int64(stmt, index, v.value<Currency>().raw());
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return sqlite3_bind_int64(stmt, index, v.toLongLong());
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return sqlite3_bind_int64(stmt, index, static_cast<sqlite3_int64>(v.toULongLong()));
    case QMetaType::Double:
    case QMetaType::Float:
        return sqlite3_bind_double(stmt, index, v.toDouble());
    case QMetaType::QDate: {
        const QDate d = v.toDate();
        if (!d.isValid()) return sqlite3_bind_null(stmt, index);
        const QByteArray iso = d.toString(Qt::ISODate).toUtf8();
        return sqlite3_bind_text(stmt, index, iso.constData(), int(iso.size()), SQLITE_TRANSIENT);
    }
    case QMetaType::QDateTime: {
        const QDate d = v.toDateTime().date();
        if (!d.isValid()) return sqlite3_bind_null(stmt, index);
        const QByteArray iso = d.toString(Qt::ISODate).toUtf8();
        return sqlite3_bind_text(stmt, index, iso.constData(), int(iso.size()), SQLITE_TRANSIENT);
    }
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        return sqlite3_bind_blob(stmt, index, b.constData(), int(b.size()), SQLITE_TRANSIENT);
    }
    default: {
        const QByteArray t = v.toString().toUtf8();
        return sqlite3_bind_text(stmt, index, t.constData(), int(t.size()), SQLITE_TRANSIENT);
    }
    }
}

namespace {

QString cipherVersion(sqlite3* db) {
    sqlite3_stmt* stmt = nullptr;
    QString version;
    if (sqlite3_prepare_v2(db, "PRAGMA cipher_version", -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW)
        version = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    return version;
}

QString quoteLiteral(const QString& text) {
    QString s = text;
    s.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + s + QLatin1Char('\'');
}

} // namespace

int bind(sqlite3_stmt* stmt, const QVariantList& params, int offset) {
    const int count = sqlite3_bind_parameter_count(stmt);
    for (int i = 1; i <= count; ++i) {
        const int p = offset + i - 1;
        const QVariant v = p < params.size() ? params.at(p) : QVariant();
        if (bindValue(stmt, i, v) != SQLITE_OK) return -1;
    }
    return count;
}

QVariant value(sqlite3_value* v) {
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
        return QVariant::fromValue<qint64>(sqlite3_value_int64(v));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_value_double(v));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)),
                                          sqlite3_value_bytes(v)));
    case SQLITE_BLOB:
        return QVariant(
            QByteArray(static_cast<const char*>(sqlite3_value_blob(v)), sqlite3_value_bytes(v)));
    default:
        return QVariant();
    }
}

QVariant column(sqlite3_stmt* stmt, int col) {
    return value(sqlite3_column_value(stmt, col));
}

QString quoteIdent(const QString& name) {
    QString s = name;
    s.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

bool execRaw(sqlite3* db, const QString& sql, QString* error) {
    char* err = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        // German, as every text that may reach a message.
        if (error) *error = Fehlertexte::ausVerbindung(db);
        sqlite3_free(err);
        return false;
    }
    return true;
}

bool isCipher4OrLater(sqlite3* db) {
    const QString v = cipherVersion(db);
    const int major = v.section(QLatin1Char('.'), 0, 0).toInt();
    return major >= 4;
}

bool applyKey(sqlite3* db, const QString& key, QString* error) {
    if (!execRaw(db, QStringLiteral("PRAGMA key = ") + quoteLiteral(key), error)) return false;
    // The files are written in the version-3 format: SQLCipher 4 reads them
    // only in compatibility mode; on 3.x the defaults are pinned explicitly.
    if (isCipher4OrLater(db))
        return execRaw(db, QStringLiteral("PRAGMA cipher_compatibility = 3"), error);
    return execRaw(db, QStringLiteral("PRAGMA kdf_iter = 64000; PRAGMA cipher_page_size = 1024"),
                   error);
}

bool applyAttachedSettings(sqlite3* db, const QString& schema, QString* error) {
    const QString s = quoteIdent(schema);
    if (isCipher4OrLater(db))
        return execRaw(db, QStringLiteral("PRAGMA %1.cipher_compatibility = 3").arg(s), error);
    return execRaw(
        db, QStringLiteral("PRAGMA %1.kdf_iter = 64000; PRAGMA %1.cipher_page_size = 1024").arg(s),
        error);
}

} // namespace SqlUtil
