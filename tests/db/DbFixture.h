#pragma once
// Helpers for the database tests: fresh shipped databases in a temporary
// directory, file hashes, and files written by hand with other keys.

#include "db/Database.h"
#include "db/Schema.h"
#include <QCryptographicHash>
#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sqlcipher/sqlite3.h>

namespace DbFixture {

inline QString shippedDb(const QTemporaryDir& dir,
                         const QString& name = QStringLiteral("aktien.mdb")) {
    const QString path = dir.filePath(name);
    QString error;
    if (!Schema::createEmptyDatabase(path, QDate(2024, 3, 15), &error))
        qWarning("createEmptyDatabase: %s", qPrintable(error));
    return path;
}

inline QByteArray fileHash(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

/// A database with our tables written with another key, or none ("" = plain).
inline bool writeWithKey(const QString& path, const char* key, bool withTables = true) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
        return false;
    bool ok = true;
    if (*key)
        ok = sqlite3_exec(db, (QByteArray("PRAGMA key = '") + key + "'").constData(), nullptr,
                          nullptr, nullptr) == SQLITE_OK;
    const QStringList statements =
        withTables ? Schema::createStatements() : QStringList{QStringLiteral("CREATE TABLE x (a)")};
    for (const QString& s : statements)
        ok = ok && sqlite3_exec(db, s.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

inline void fillKurse(Database& db, int n, const QString& name = QStringLiteral("BASF")) {
    db.exec(QStringLiteral("BEGIN"));
    for (int i = 0; i < n; ++i)
        db.exec(QStringLiteral("INSERT INTO kurse (aktie, datum, kurs) VALUES (?1, ?2, ?3)"),
                {name, QDate(2020, 1, 1).addDays(i), QVariant::fromValue<qint64>(100000 + i)});
    db.exec(QStringLiteral("COMMIT"));
}

} // namespace DbFixture
