#pragma once
// The whole depot out as CSV files, in the form German spreadsheet programs
// open without questions: UTF-8 with byte-order mark, ";" between fields, a
// header line with the field names, amounts with the decimal comma and all
// four stored decimals, dates "dd.MM.yyyy", fields with ";", quotes or line
// breaks in double quotes. Each file is written under a temporary name and
// renamed when complete.

#include <QDate>
#include <QString>
#include <functional>

class Database;

namespace Datenexport {

struct Ergebnis {
    bool ok = false;
    QString ordner; ///< the folder written, when ok
    QString fehler; ///< German text when !ok
};

/// The files written, in order.
QStringList dateinamen();

/// Writes every table into a new folder "Kapito-Export YYYY-MM-DD" (or
/// "… (2)", "… (3)" when it exists) in basis. On a failure nothing of the
/// export is left behind. fortschritt gets the number of files done.
Ergebnis exportieren(Database& db, const QString& basis, const QDate& heute,
                     const std::function<void(int)>& fortschritt = {});

/// A field as written: in double quotes, quotes doubled, when it holds ";",
/// a quote or a line break.
QString feld(const QString& text);

} // namespace Datenexport
