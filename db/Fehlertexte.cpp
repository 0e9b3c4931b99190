#include "db/Fehlertexte.h"

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

QString ausEngine(int erweiterterCode, int systemFehler, const QString& engineText) {
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
        return beschaedigt();
    case SQLITE_CANTOPEN:
        // The file itself is open: what cannot be opened is the journal
        // beside it, a new file in the program directory.
        if (keinRecht) return ordnerSchreibgeschuetzt();
        break;
    case SQLITE_IOERR:
        if (keinPlatz) return datentraegerVoll();
        if (systemFehler == EROFS) return dateiSchreibgeschuetzt();
        break;
    default:
        break;
    }
    return QStringLiteral("Die Datenbank meldet einen Fehler:\n") + engineText;
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
