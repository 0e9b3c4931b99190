#pragma once
// A file encrypted with the user's start password instead of the program's
// own key. The key is derived from the password with many rounds of
// PBKDF2-HMAC-SHA256 and a random salt; the salt is the file's first 16
// bytes (the engine keeps it there in the clear), so a copy needs only the
// password. The marker "aktien.mdb.verschluesselt" beside the file holds
// nothing secret: per key the salt, the rounds and a check value of the key,
// which tells a wrong password from a damaged file.
//
// Re-keying writes the new file beside the old one, checks it and renames it
// into place. The marker lists the new key before the rename and only it
// afterwards, so after a kill at any moment the file opens with its old or
// its new key and the marker knows that key.

#include "db/Database.h"
#include "db/Kompaktierung.h"
#include <QByteArray>
#include <QList>
#include <QString>

namespace Verschluesselung {

/// Rounds of the key derivation: a few hundred milliseconds on a desktop.
inline constexpr int Runden = 600000;
inline constexpr const char* MarkeEndung = ".verschluesselt";

/// One key the marker knows.
struct Eintrag {
    QByteArray salz;      ///< 16 bytes, also the start of the file
    int runden = Runden;
    QByteArray pruefwert; ///< 16 bytes from the key; not the key
};

/// "aktien.mdb" → "aktien.mdb.verschluesselt".
QString markePfad(const QString& datei);
bool hatMarke(const QString& datei);
/// The entries of the marker beside datei; empty when it is missing or unreadable.
QList<Eintrag> markeLesen(const QString& datei);

/// The engine's key text for `passwort`: the derived key with the salt.
QString schluessel(const QString& passwort, const Eintrag& eintrag);
/// A new entry with a random salt, and its key text in *key.
Eintrag neuerEintrag(const QString& passwort, int runden, QString* key);

/// The open file's key comes from a password.
bool mitPasswort(const Database& db);

/// The file did not open with the program's key (`status`): whether it is
/// one of ours encrypted with a password, so the password is asked for first.
bool passwortNoetig(const QString& datei, Database::Status status);

/// Opens datei in db with the key from `passwort`. Status::WrongKey means the
/// password is wrong (checked against the marker, the file is not touched);
/// Status::Damaged a file the right password does not open. meldung holds
/// the German text for every outcome but Ok and WrongKey. Without a marker
/// (a copy that lost it) a password that does not open the file is WrongKey.
struct Oeffnung {
    Database::Status status = Database::Status::Failed;
    QString meldung;
};
Oeffnung oeffnen(Database& db, const QString& datei, const QString& passwort);

/// Re-encrypts the open file: with a key from `passwort`, or with the
/// program's key when it is empty. `speicherform` is written to
/// kennwort.passwort of the new file, so key and stored password change
/// together. All or nothing; db is open again afterwards either way (with
/// the new key on success). Callers close their record sets before.
Kompaktierung::Ergebnis umschluesseln(Database& db, const QString& passwort,
                                      const QString& speicherform, int runden = Runden);

/// After the file opened: a marker left behind by an interrupted re-keying
/// is brought in line with the key that opened it (removed for the
/// program's key, reduced to the one entry for a password).
void markeAufraeumen(const Database& db);

/// A copy of the open file at `ziel` (a backup) gets its own marker, or
/// none when the file has the program's key. Written before the copy gets
/// its name, so a copy never lacks the marker it needs.
bool markeFuerKopie(const Database& db, const QString& ziel);

/// Before the file datei is replaced by the one open in `neu` (a restored
/// backup, with its marker beside it): the marker of datei lists the key of
/// `neu` as well, so after a kill either file opens. Nothing to do when
/// `neu` has the program's key. False when the marker cannot be written or
/// `neu`'s own marker does not know its key.
bool markeErgaenzen(const QString& datei, const Database& neu);

/// Copies the marker beside `von` to `nach`, or removes the one at `nach`
/// when `von` has none.
bool markeKopieren(const QString& von, const QString& nach);

/// Removes the marker beside datei.
bool markeEntfernen(const QString& datei);

} // namespace Verschluesselung
