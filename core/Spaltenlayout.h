#pragma once
// Column layout of the program's tables, given as one text: "|" separates
// the columns, a leading "<", ">" or "^" aligns a column left, right or
// centred, and the column's text with its blanks gives the width in characters.
// Example: "<Wertpapier     |>Stück    |>Kaufkurs   ".

#include <QList>
#include <QString>

struct Spalte {
    enum class Ausrichtung { Links, Rechts, Mitte };
    QString kopf; ///< header text, blanks trimmed
    Ausrichtung ausrichtung = Ausrichtung::Links;
    int breite = 0; ///< width in characters
};

namespace Spaltenlayout {
/// Splits the layout text into its columns; an empty text gives no column.
QList<Spalte> lesen(const QString& layout);
} // namespace Spaltenlayout
