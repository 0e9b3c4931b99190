#pragma once
// The plain-SQL floors: the bare engine on the program's connection, the
// least an operation can cost. The one file of the benchmark that calls the
// engine itself; the operations go through the program's own code.

#include <QString>
#include <QVariant>

class Database;

/// Steps every row and touches every column, so the floor pays for reading
/// what the real code reads. Returns the row count, -1 on an error.
qint64 sqlReadAll(Database& db, const QString& sql, const QVariantList& params = {});
/// Runs one statement to completion; false on error (message on stderr).
bool sqlRun(Database& db, const QString& sql, const QVariantList& params = {});
/// Runs several statements; false with the engine's text in *error.
bool sqlScript(Database& db, const QString& sql, QString* error);
