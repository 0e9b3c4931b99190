#pragma once
// How a stored value reads as the type of its column. This program writes
// currency as amount × 10000 and dates as "YYYY-MM-DD" (see Schema); a file
// written by another program may hold a real or German text instead. Record
// sets, statements and the plain rows of Database read them all alike.

#include "core/Currency.h"

#include <QDate>
#include <QVariant>
#include <optional>

namespace Gespeichert {

/// A currency column: an integer is the amount × 10000, a real too (rounded,
/// halves to even), text a German number; nullopt for NULL, for text that is
/// no number and beyond the 64-bit range.
std::optional<Currency> geld(const QVariant& roh);
/// A currency value that goes into a sum: NULL and text that is no amount
/// count as 0; only a real beyond the range has none.
std::optional<Currency> summand(const QVariant& roh);
/// A whole-number column: a real or text rounded, halves to even.
std::optional<qint64> ganzzahl(const QVariant& roh);
/// A number column as a double.
std::optional<double> zahl(const QVariant& roh);
/// A date column: "YYYY-MM-DD" as stored, or "d.m.yyyy" as typed; invalid otherwise.
QDate datum(const QString& text);

} // namespace Gespeichert
