#pragma once
// Small database rules several windows share. Callers wrap them in a
// Transaction with their other writes and requery their record sets after.

#include "core/Currency.h"
#include <QDate>
#include <QString>

class Database;

namespace Depot {

/// Balance of the depot account: the exact sum of Gewinne.summe (DM).
Currency kontostand(Database& db);

/// The day baseline: when kennwort.datum is a valid day other than heute and
/// altallwert differs from the current total, both are set to heute and that
/// total. An empty or unreadable datum changes nothing. False only on a
/// database error.
bool tagesbasisAktualisieren(Database& db, const QDate& heute, Currency aktuellerGesamtwert);

/// kennwort.altallwert += deltaEuro (purchases raise it, sales lower it).
bool altallwertAnpassen(Database& db, Currency deltaEuro);

/// Number of packages whose trimmed name equals the trimmed name.
int paketeMitNamen(Database& db, const QString& name);

/// Deletes the quote history of a name (rows of kurse with that trimmed name).
bool kursHistorieLoeschen(Database& db, const QString& name);

/// Appends one quote to kurse.
bool kursAnhaengen(Database& db, const QString& name, const QDate& datum, Currency kurs);

} // namespace Depot
