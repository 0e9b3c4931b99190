#pragma once
// The engine's connection behind a Database, for the code of db/ and for the
// benchmark's floors, which time the bare engine against the program. The
// rest of the program goes through Database, Statement, Recordset and
// Transaction only (a test holds it to that), so that every write passes one
// door.

#include "db/Database.h"

#include <sqlcipher/sqlite3.h>

class RawAccess final {
public:
    /// Null when the database is not open.
    static sqlite3* connection(const Database& db) { return db.m_db; }
};
