#pragma once
// What the charts read from the database, and the trimming of the quote and
// index tables. A package's quotes are the rows of kurse whose name, with
// leading and trailing blanks removed, equals the package's name treated
// the same way; they are read through the index on trim(aktie), so the cost
// does not grow with the other packages' quotes. Rows come in insertion
// order, oldest first.

#include "core/Charts.h"
#include "core/Currency.h"
#include <QList>
#include <QString>

class Database;

namespace ChartDaten {

/// Number of stored quotes of the name.
int kursAnzahl(Database& db, const QString& name);
/// The newest hoechstens quotes of the name, oldest first.
QList<Currency> kurse(Database& db, const QString& name, int hoechstens);
/// Deletes all quotes of the name but the newest behalten, in one
/// transaction; other names' quotes stay. Returns the number deleted, -1
/// when the deletion failed (nothing deleted then).
int kurseKuerzen(Database& db, const QString& name, int behalten);
/// Deletes every quote of the name in one transaction; the number deleted,
/// -1 on failure.
int kurseLoeschen(Database& db, const QString& name);
/// Whether kurse holds any row.
bool kurseVorhanden(Database& db);

/// Every package in table order with its gain or loss as the card shows it.
QList<Charts::BilanzPosten> bilanz(Database& db);

/// Number of rows of Indexkurse.
int indexAnzahl(Database& db);
/// The newest hoechstens index values, oldest first.
QList<double> indexwerte(Database& db, int hoechstens);
/// Deletes all index values but the newest behalten, in one transaction;
/// the number deleted, -1 on failure.
int indexKuerzen(Database& db, int behalten);

} // namespace ChartDaten
