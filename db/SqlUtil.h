#pragma once
// Small helpers over the SQLCipher C API shared by the database classes.

#include <QString>
#include <QVariant>
#include <sqlcipher/sqlite3.h>

namespace SqlUtil {

/// Binds one value to the placeholder at index: integers, Currency (amount ×
/// 10000), doubles, QDate as "YYYY-MM-DD" (an invalid one as NULL), bytes as
/// a blob, anything else as its text; invalid or null as NULL.
int bindValue(sqlite3_stmt* stmt, int index, const QVariant& v);

/// Binds params to ? placeholders, starting with params[offset]. Returns the
/// number of params consumed, or -1 on a bind error.
int bind(sqlite3_stmt* stmt, const QVariantList& params, int offset = 0);

/// The raw value: qint64, double, QString, QByteArray or invalid for NULL.
QVariant value(sqlite3_value* v);
/// The same for a column of the current row.
QVariant column(sqlite3_stmt* stmt, int col);

/// "name" with inner quotes doubled, for identifiers such as "stück".
QString quoteIdent(const QString& name);

/// Runs parameterless SQL; false with the engine's text in *error.
bool execRaw(sqlite3* db, const QString& sql, QString* error = nullptr);

/// Keys the connection and pins the cipher settings of the files this program
/// writes, so SQLCipher 3 and 4 read the same file. Must run before the first read.
bool applyKey(sqlite3* db, const QString& key, QString* error = nullptr);

/// The same settings for a database attached under schema (after ATTACH ... KEY).
bool applyAttachedSettings(sqlite3* db, const QString& schema, QString* error = nullptr);

/// True if the linked SQLCipher is major version 4 or later.
bool isCipher4OrLater(sqlite3* db);

} // namespace SqlUtil
