#pragma once
// Reading the number fields of the windows: each field is read once, where
// the window hands its entries on, into the typed value the operations take.
// One range holds for every amount the program accepts and one for units;
// values outside them are refused before anything is asked or written.

#include "core/Currency.h"
#include <QString>
#include <optional>

namespace Eingabe {

/// The largest amount any field accepts: 99.999.999.999,9999 (Euro or DM).
inline constexpr Currency MaxBetrag = Currency::fromRaw(999'999'999'999'999);
/// The most units a package may hold.
inline constexpr qint64 MaxStueck = 999'999'999;

enum class Fehler {
    Keiner,
    Leer,
    KeineZahl,     ///< not a number (",", "-")
    ZuGross,       ///< beyond the range
    KeineGanzeZahl ///< units with decimals
};

/// One field as read: the value when it holds an accepted one, else why not.
template <typename T> struct Feld {
    std::optional<T> wert;
    Fehler fehler = Fehler::Leer;
    bool ok() const { return wert.has_value(); }
    /// The value, or fallback when the field holds none (an empty fee field counts as 0).
    T oder(T fallback) const { return wert.value_or(fallback); }
};

/// An amount field, rounded to four decimals (halves to even) as stored.
/// Negative amounts are refused unless negativErlaubt (the account booking).
Feld<Currency> betrag(const QString& text, bool negativErlaubt = false);
/// The same rounded to whole cents as "0.00" rounds (halves away from zero),
/// straight from the typed digits.
Feld<Currency> betragInCent(const QString& text, bool negativErlaubt = false);
/// The index field's value as that field reads it (a typed point kept, what
/// follows the number ignored), within the same range and never negative.
Feld<Currency> indexwert(const QString& text);
/// A number of units: a whole number from 0 to MaxStueck.
Feld<qint64> stueck(const QString& text);

/// Whether an amount computed from accepted fields (a package's value, a
/// purchase or sale amount) lies within the range too.
inline bool imBereich(Currency c) {
    return c <= MaxBetrag && c >= -MaxBetrag;
}
/// value × units + add, checked and within the range; nullopt otherwise.
std::optional<Currency> wert(Currency preis, qint64 stueck, Currency zuschlag = Currency());

/// "Der Betrag im Feld "<feld>" ist zu groß! ..." for an amount beyond the
/// range; stellen: the decimals the field keeps (2 for whole cents).
QString zuGrossText(const QString& feld, bool negativErlaubt = false, int stellen = 4);
/// The largest amount a field with that many decimals keeps, as written: "99.999.999.999,9999".
QString groessterBetragText(int stellen = 4);
/// The refusal of a number of units beyond the range.
QString stueckZuGrossText();
/// Its second line: "Erlaubt sind höchstens 999.999.999 Stück."
QString stueckGrenzeText();
/// The width of a text column (names, booking texts).
inline constexpr int Textspalte = 255;
/// A control character: never part of a single-line text.
bool steuerzeichen(QChar c);
/// The text as a single-line field keeps it: no control characters, at most maxLength characters.
QString einzeilig(const QString& text, int maxLength = Textspalte);

/// The refusal of a computed amount (feld: "Kaufbetrag", "Verkaufserlös", …) beyond the range.
QString ergebnisZuGrossText(const QString& feld);

} // namespace Eingabe
