#pragma once
// Compaction of "aktien.mdb": an encrypted copy "dbAkt.mdb" is written beside
// it on a connection of its own, checked, given the original's mode and owner
// and then put in the original's place in one step. Any failure leaves the
// original as it was. It touches no other connection, so it may run on a
// thread of its own while the program's connection is closed.

#include <QString>
#include <functional>

namespace Kompaktierung {

struct Ergebnis {
    bool ok = false;
    QString meldung; ///< German reason when !ok
};

/// Told the share done so far, 0 to 100, from the thread the work runs on.
using Fortschritt = std::function<void(int prozent)>;

/// Compacts the file at pfad, encrypted with key.
Ergebnis ausfuehren(const QString& pfad, const QString& key, const Fortschritt& fortschritt = {});

} // namespace Kompaktierung
