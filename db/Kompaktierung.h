#pragma once
// Compaction of "aktien.mdb": an encrypted copy "dbAkt.mdb" is written beside
// it on a connection of its own, checked, given the original's mode and owner
// and then put in the original's place in one step. Any failure leaves the
// original as it was. It touches no other connection, so it may run on a
// thread of its own while the program's connection is closed.

#include <QString>
#include <functional>

class Database;

namespace Kompaktierung {

struct Ergebnis {
    bool ok = false;
    QString meldung; ///< German reason when !ok
};

/// Told the share done so far, 0 to 100, from the thread the work runs on.
using Fortschritt = std::function<void(int prozent)>;

/// Called with the copy's path once it is written and closed, before it is
/// checked. Only tests use it: they spoil the copy to see it refused.
using VorDerPruefung = std::function<void(const QString& kopie)>;

/// Compacts the file at pfad, encrypted with key.
Ergebnis ausfuehren(const QString& pfad, const QString& key, const Fortschritt& fortschritt = {},
                    const VorDerPruefung& vorDerPruefung = {});

/// The same copy written with another key: the file then opens with
/// `neu.key` only. `inDerKopie` changes the copy before it is checked (it
/// runs on the copy's connection); `vorDemErsetzen` runs right before the
/// copy takes the original's place, and a false from either leaves the
/// original as it was.
struct NeuerSchluessel {
    QString key;
    std::function<bool(Database& kopie)> inDerKopie;
    std::function<bool()> vorDemErsetzen;
};
Ergebnis umschluesseln(const QString& pfad, const QString& key, const NeuerSchluessel& neu,
                       const Fortschritt& fortschritt = {});

/// Makes a finished rename in dir survive a power loss.
void ordnerSichern(const QString& dir);

} // namespace Kompaktierung
