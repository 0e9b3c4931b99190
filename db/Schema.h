#pragma once
// The seven tables of "aktien.mdb" and the shipped empty database.

#include <QDate>
#include <QString>

class Database;

namespace Schema {
/// Creates the tables, indexes and the one kennwort row in a new file
/// (encrypted with the connect text's key). Fails if the file exists.
bool createEmptyDatabase(const QString& path, const QDate& today, QString* error = nullptr);
/// The statements that create the tables and indexes (for tests and tools).
QStringList createStatements();
/// The indexes a file made by an earlier version lacks; each statement does
/// nothing where its index exists.
QStringList nachruestStatements();
} // namespace Schema
