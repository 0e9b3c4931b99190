#include "db/Dateipruefung.h"

#include "db/Schema.h"
#include "db/SqlUtil.h"
#include <QFile>
#include <QFileInfo>

namespace Dateipruefung {

Ergebnis pruefen(const QString& pfad, const QString& connect) {
    Ergebnis e;
    const QString beschaedigt = Database::damagedMessage(QFileInfo(pfad).fileName());
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(pfad).constData(), &db, SQLITE_OPEN_READONLY,
                        nullptr) != SQLITE_OK ||
        !SqlUtil::applyKey(db, Database::keyFromConnect(connect))) {
        sqlite3_close_v2(db);
        e.meldung = beschaedigt;
        return e;
    }
    // quick_check reads every page of every table and index; a page that
    // does not decrypt ends it with an error instead of a row.
    bool heil = false;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA quick_check", -1, &stmt, nullptr) == SQLITE_OK) {
        int zeilen = 0;
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
            heil = ++zeilen == 1 && t && qstrcmp(t, "ok") == 0;
        }
        heil = heil && rc == SQLITE_DONE;
    }
    sqlite3_finalize(stmt);
    stmt = nullptr;
    // Without its settings row no password is ever accepted and nothing is
    // stored right: the file is not whole.
    bool einstellungen = false;
    if (heil && sqlite3_prepare_v2(db, "SELECT count(*) FROM kennwort", -1, &stmt, nullptr) ==
                    SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW)
        einstellungen = sqlite3_column_int64(stmt, 0) >= 1;
    sqlite3_finalize(stmt);
    sqlite3_close_v2(db);
    e.ok = heil && einstellungen;
    if (!e.ok) e.meldung = beschaedigt;
    return e;
}

void nachruesten(const QString& pfad, const QString& connect) {
    Database db;
    if (db.open(pfad, connect) != Database::Status::Ok || db.dateiSchreibgeschuetzt() ||
        db.ordnerSchreibgeschuetzt())
        return;
    // Speed only: a failure changes nothing that works without it.
    for (const QString& sql : Schema::nachruestStatements())
        db.exec(sql);
}

} // namespace Dateipruefung
