#include "db/Schema.h"

#include "db/Database.h"
#include "db/Fehlertexte.h"
#include "db/SqlUtil.h"
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace Schema {

// Declared types name the logical type, which the record sets read back:
// CURRENCY holds amount × 10000 as an integer, DATE holds "YYYY-MM-DD".
// The hidden _nr records insertion order and is the bookmark; AUTOINCREMENT
// keeps a deleted row's bookmark from ever naming another row. The long
// quote tables get a narrow index on _nr alone: opening a record set reads
// every key, and the index holds them in a fraction of the table's pages.
QStringList createStatements() {
    const QString nr = QStringLiteral("_nr INTEGER PRIMARY KEY AUTOINCREMENT, ");
    return {
        QStringLiteral("CREATE TABLE Aktiendaten (") + nr +
            QStringLiteral("aktie TEXT, \"stück\" INTEGER, kaufpreis CURRENCY, "
                           "\"gebühren\" CURRENCY, datum DATE, tageskurs CURRENCY, "
                           "\"WP-KNummer\" TEXT, altkurs CURRENCY, kaufdatum DATE, "
                           "kursziel DOUBLE, stopkurs DOUBLE, dividende CURRENCY, "
                           "notizen LONGTEXT)"),
        QStringLiteral("CREATE TABLE kurse (") + nr +
            QStringLiteral("aktie TEXT, datum DATE, kurs CURRENCY)"),
        QStringLiteral("CREATE INDEX kurse_aktie ON kurse (trim(aktie), _nr)"),
        QStringLiteral("CREATE INDEX kurse_nr ON kurse (_nr)"),
        QStringLiteral("CREATE TABLE Indexkurse (") + nr +
            QStringLiteral("indexname TEXT, indexzahl DOUBLE, datum DATE)"),
        QStringLiteral("CREATE TABLE Gewinne (") + nr +
            QStringLiteral("datum DATE, text TEXT, summe CURRENCY)"),
        QStringLiteral("CREATE INDEX gewinne_datum ON Gewinne (datum, _nr)"),
        // The balance is the sum of all bookings: read from this narrow index
        // it costs a fraction of a pass over the whole ledger.
        QStringLiteral("CREATE INDEX gewinne_summe ON Gewinne (summe)"),
        QStringLiteral("CREATE TABLE Beobachten (") + nr +
            QStringLiteral("datum DATE, aktie TEXT, wpkn TEXT, stueck INTEGER, "
                           "kaufpreis CURRENCY, kurs CURRENCY)"),
        QStringLiteral("CREATE TABLE KurseVirtuell (") + nr +
            QStringLiteral("datum DATE, aktie TEXT, kurs TEXT)"),
        QStringLiteral("CREATE INDEX kursevirtuell_aktie ON KurseVirtuell (trim(aktie), _nr)"),
        QStringLiteral("CREATE INDEX kursevirtuell_nr ON KurseVirtuell (_nr)"),
        QStringLiteral("CREATE TABLE kennwort (") + nr +
            QStringLiteral("passwort TEXT, vermanzeige INTEGER, dmanzeige INTEGER, "
                           "kompridatum DATE, spekufrist INTEGER, datum DATE, "
                           "altallwert CURRENCY)"),
    };
}

QStringList nachruestStatements() {
    return {QStringLiteral("CREATE INDEX IF NOT EXISTS gewinne_summe ON Gewinne (summe)")};
}

bool createEmptyDatabase(const QString& path, const QDate& today, QString* error) {
    auto setError = [&](const QString& e) {
        if (error) *error = e;
        return false;
    };
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink())
        return setError(QStringLiteral("Die Datei \"%1\" gibt es schon.").arg(path));
    if (!today.isValid()) return setError(QStringLiteral("Ungültiges Datum."));

    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    QString err;
    bool ok = rc == SQLITE_OK;
    if (!ok)
        err = db ? Fehlertexte::ausVerbindung(db) : Fehlertexte::ausEngine(rc, 0, QString());
    ok = ok && SqlUtil::applyKey(
                   db, Database::keyFromConnect(QString::fromLatin1(Database::ConnectText)), &err);
    ok = ok && SqlUtil::execRaw(db, QStringLiteral("PRAGMA synchronous = FULL; BEGIN"), &err);
    for (const QString& sql : createStatements())
        ok = ok && SqlUtil::execRaw(db, sql, &err);
    if (ok) {
        sqlite3_stmt* stmt = nullptr;
        ok = sqlite3_prepare_v2(db,
                                "INSERT INTO kennwort (passwort, vermanzeige, dmanzeige, "
                                "kompridatum, spekufrist, datum, altallwert) "
                                "VALUES ('********', 1, 0, '1990-01-01', 12, ?1, 0)",
                                -1, &stmt, nullptr) == SQLITE_OK &&
             SqlUtil::bind(stmt, {today}) >= 0 && sqlite3_step(stmt) == SQLITE_DONE;
        if (!ok) err = Fehlertexte::ausVerbindung(db);
        sqlite3_finalize(stmt);
    }
    ok = ok && SqlUtil::execRaw(db, QStringLiteral("PRAGMA user_version = 1; COMMIT"), &err);
    sqlite3_close_v2(db);
    if (!ok) {
        QFile::remove(path);
        QFile::remove(path + QStringLiteral("-journal"));
        return setError(err);
    }
    return true;
}

} // namespace Schema
