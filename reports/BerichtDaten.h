#pragma once
// What the reports read from the database: the packages in table order, the
// day baseline and the latest index value.

#include "core/Berichte.h"

class Database;

namespace Berichte {

/// All rows of Aktiendaten in their natural order, in one statement.
QList<BerichtPaket> paketeLesen(Database& db);

/// kennwort.altallwert and the last row of Indexkurse (name and value;
/// none when the index table is empty).
Tageswerte tageswerteLesen(Database& db);

} // namespace Berichte
