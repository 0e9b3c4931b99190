#pragma once
// The stored form of the start password: eight characters, the password
// padded with "*" and shuffled, "********" meaning no password.

#include <QString>

namespace Passwort {

/// Eight "*": no password is set.
inline QString keines() {
    return QStringLiteral("********");
}

/// The stored form of a plain password (at most 8 characters are kept).
QString speicherform(const QString& klartext);

/// The plain password from its stored form; every "*" is removed, so
/// "********" gives the empty text.
QString klartext(const QString& speicherform);

/// True when the stored form means that a password is set.
inline bool istGesetzt(const QString& speicherform) {
    return speicherform != keines();
}

} // namespace Passwort
