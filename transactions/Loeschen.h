#pragma once
// Deleting the main window's current package outright (no window of its own).

class MainWindowApi;

namespace Loeschen {

/// Asks the stop-icon question and, on Yes, deletes the current package and,
/// when it was the last of its name, its quote history; then the main window
/// stands on its first package. Returns true when the package was deleted.
bool paketLoeschen(MainWindowApi& api);

} // namespace Loeschen
