#pragma once
// An old "aktien.mdb" in the Jet format: recognising it, and putting the
// converted database in its place while the original is kept beside it.

#include <QString>

namespace JetDatei {

/// Whether the file begins like a Jet or ACE database ("Standard Jet DB" or
/// "Standard ACE DB" at byte 4).
bool istJet(const QString& pfad);

/// The first free name for keeping the original beside it:
/// "aktien-jet.mdb", then "aktien-jet-2.mdb", "aktien-jet-3.mdb", …
QString sicherungsName(const QString& pfad);

/// Keeps the original under *sicherung (or the next free name, which is
/// written back; an existing file is never overwritten), then puts neu in
/// the original's place in one step. On failure the original is where it
/// was, *fehler says why in German and false is returned.
bool ersetzen(const QString& original, const QString& neu, QString* sicherung, QString* fehler);

} // namespace JetDatei
