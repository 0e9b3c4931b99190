#include "db/Fehlertexte.h"

#include "db/Dateipruefung.h"

#include <cerrno>
#include <sqlcipher/sqlite3.h>

namespace Fehlertexte {

QString dateiSchreibgeschuetzt() {
    return QStringLiteral("Die Datenbankdatei \"aktien.mdb\" ist schreibgeschützt. Änderungen "
                          "können nicht gespeichert werden.");
}

QString ordnerSchreibgeschuetzt() {
    return QStringLiteral("Das Programmverzeichnis ist schreibgeschützt. Änderungen können nicht "
                          "gespeichert werden.");
}

QString datentraegerVoll() {
    return QStringLiteral("Auf dem Datenträger ist nicht genügend Platz, oder die Datei darf nicht "
                          "weiter wachsen. Bitte schaffen Sie Platz und versuchen Sie es noch "
                          "einmal.");
}

QString gesperrt() {
    return QStringLiteral("Die Datenbankdatei \"aktien.mdb\" wird gerade von einem anderen "
                          "Programm benutzt. Bitte versuchen Sie es später noch einmal.");
}

QString beschaedigt() {
    return QStringLiteral("Die Datenbankdatei \"aktien.mdb\" ist beschädigt. Bitte spielen Sie "
                          "eine Sicherung ein.");
}

QString dateiNichtZuOeffnen() {
    return QStringLiteral("Eine Datei der Datenbank kann nicht angelegt oder geöffnet werden. "
                          "Bitte prüfen Sie, ob Sie im Programmverzeichnis Dateien anlegen und "
                          "ändern dürfen.");
}

QString ausEngine(int erweiterterCode, int systemFehler, const QString& engineText) {
    // The engine's own words are English and mean nothing to the user: every
    // code gets a sentence, an unknown one is named by its number.
    Q_UNUSED(engineText)
    const bool keinPlatz =
        systemFehler == ENOSPC || systemFehler == EFBIG || systemFehler == EDQUOT;
    const bool keinRecht =
        systemFehler == EACCES || systemFehler == EPERM || systemFehler == EROFS;
    switch (erweiterterCode & 0xff) {
    case SQLITE_READONLY:
        return dateiSchreibgeschuetzt();
    case SQLITE_FULL:
        return datentraegerVoll();
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return gesperrt();
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_FORMAT:
        return beschaedigt();
    case SQLITE_CANTOPEN:
        // The file itself is open: what cannot be opened is the journal
        // beside it, a new file in the program directory. The system's
        // reason is often lost on the way.
        if (keinRecht) return ordnerSchreibgeschuetzt();
        return dateiNichtZuOeffnen();
    case SQLITE_IOERR:
        if (keinPlatz) return datentraegerVoll();
        if (systemFehler == EROFS) return dateiSchreibgeschuetzt();
        if (keinRecht) return ordnerSchreibgeschuetzt();
        return QStringLiteral("Die Datenbankdatei \"aktien.mdb\" kann nicht gelesen oder "
                              "geschrieben werden (Ein-/Ausgabefehler %1).")
            .arg(erweiterterCode);
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QStringLiteral("Der Zugriff auf die Datenbank wurde verweigert.");
    case SQLITE_NOMEM:
        return QStringLiteral("Für die Datenbank ist nicht genügend Arbeitsspeicher frei.");
    case SQLITE_NOLFS:
        return QStringLiteral("Die Datenbankdatei ist zu groß für dieses System.");
    case SQLITE_TOOBIG:
        return QStringLiteral("Ein Wert ist zu groß, um in der Datenbank gespeichert zu werden.");
    case SQLITE_CONSTRAINT:
    case SQLITE_MISMATCH:
        return QStringLiteral("Ein Wert passt nicht in die Datenbank (Fehler %1).")
            .arg(erweiterterCode);
    case SQLITE_INTERRUPT:
    case SQLITE_ABORT:
        return QStringLiteral("Der Vorgang in der Datenbank wurde abgebrochen.");
    case SQLITE_PROTOCOL:
        return gesperrt();
    default:
        break;
    }
    return QStringLiteral("Die Datenbank meldet einen Fehler (Nummer %1).").arg(erweiterterCode);
}

QString ausVerbindung(sqlite3* db) {
    if (!db) return QStringLiteral("Die Datenbank ist nicht geöffnet.");
    // A damaged page or a failed read on any connection: the next start
    // reads the whole file again.
    switch (sqlite3_extended_errcode(db) & 0xff) {
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_FORMAT:
        Dateipruefung::schadenMelden();
        break;
    case SQLITE_IOERR:
        if (sqlite3_system_errno(db) != ENOSPC && sqlite3_system_errno(db) != EDQUOT &&
            sqlite3_system_errno(db) != EFBIG)
            Dateipruefung::schadenMelden();
        break;
    default:
        break;
    }
    return ausEngine(sqlite3_extended_errcode(db), sqlite3_system_errno(db),
                     QString::fromUtf8(sqlite3_errmsg(db)));
}

QString schreibschutzHinweis(bool dateiSchreibgeschuetzt, bool ordnerSchreibgeschuetzt) {
    if (dateiSchreibgeschuetzt)
        return QStringLiteral(" Die Datenbankdatei ist schreibgeschützt - Änderungen werden nicht "
                              "gespeichert!");
    if (ordnerSchreibgeschuetzt)
        return QStringLiteral(" Das Programmverzeichnis ist schreibgeschützt - Änderungen werden "
                              "nicht gespeichert!");
    return QString();
}

} // namespace Fehlertexte
