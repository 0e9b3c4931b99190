#pragma once
// The commands "Rückgängig" and "Wiederholen" of the main window: menu texts
// named after the operation, the undo or redo itself, and what follows it.

class Aktiendataform;

namespace Rueckgaengigbefehle {

/// "&Rückgängig: <Vorgang>" / "&Wiederholen: <Vorgang>", or disabled
/// "Rückgängig" / "Wiederholen" when there is nothing.
void menueAktualisieren(Aktiendataform& f);

/// Undoes (rueck) or redoes the latest operation, reads the window anew and
/// says so in panel 2; a failure is told in a message and changes nothing.
void ausfuehren(Aktiendataform& f, bool rueck);

} // namespace Rueckgaengigbefehle
