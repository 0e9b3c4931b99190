#pragma once
// Dates written and read by the thousand: a report or the account
// statement turns every row's stored "YYYY-MM-DD" into a date and writes it
// again as "dd.MM.yyyy". QDate goes through the calendar system for each of
// these; the plain Gregorian arithmetic below gives the same days for every
// year QDate counts from 1 on.

#include <QDate>
#include <optional>

namespace Kalender {

struct Tag {
    qint64 jahr = 0; ///< astronomical: 0 is 1 BC, as the arithmetic counts
    int monat = 0;
    int tag = 0;
};

/// Year, month and day of a Julian day in the proleptic Gregorian calendar.
Tag ausJulianTag(qint64 julianTag);

/// The Julian day of a Gregorian date (astronomical year), without checks.
qint64 julianTag(qint64 jahr, int monat, int tag);

/// The stored form "YYYY-MM-DD": the date it names, an invalid date for an
/// impossible one (2023-02-29, year 0); none when the text has another form.
std::optional<QDate> ausIso(const char* text, qsizetype laenge);

/// Writes "dd.MM.yyyy" into ziel (10 characters) for the years 1 to 9999;
/// false, with nothing written, for an invalid date or another year.
bool punktform(const QDate& d, char* ziel);

} // namespace Kalender
