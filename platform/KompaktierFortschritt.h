#pragma once
// Compaction with a progress dialog: the work runs on a thread of its own,
// so the windows keep painting while a large file is copied.

class Database;
class QWidget;

/// Compacts db (Database::compact semantics) while a modal progress dialog
/// over parent shows how far it is. The caller has closed its record sets;
/// the database is open again afterwards either way. False with
/// db.message() when it was refused or failed.
bool kompaktierenMitFortschritt(QWidget* parent, Database& db);
