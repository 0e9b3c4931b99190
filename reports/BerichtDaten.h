#pragma once
// What the reports read from the database: the packages in table order, the
// day baseline and the latest index value.

#include "core/Berichte.h"

class Database;

/// The packages as read, with the one text their names point into. Keep
/// the whole object while the packages are used: the packages alone do not
/// keep the names alive.
struct BerichtBestand {
    QList<BerichtPaket> pakete;
    QString namen;
};

namespace Berichte {

/// All rows of Aktiendaten in their natural order, in one statement.
BerichtBestand paketeLesen(Database& db);

/// kennwort.altallwert and the last row of Indexkurse (name and value;
/// none when the index table is empty).
Tageswerte tageswerteLesen(Database& db);

} // namespace Berichte
