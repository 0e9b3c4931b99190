#pragma once
// Quote updates without any widget: the single-quote and the all-quotes save
// as one transaction each, so the windows, the tests and the benchmark share
// one path to the database.

#include "core/Currency.h"
#include "core/ModulAktien.h"
#include <QDate>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

class Database;

namespace Kurse {

struct Ergebnis {
    bool ok = false;
    QString fehler; ///< German text when !ok
};

/// The total value as the main window shows it ("1000.00"), read with the
/// leading-number conversion; the day baseline is taken from this figure.
Currency angezeigterGesamtwert(const QString& gesamtwertText);

/// A quote as typed into the single-quote field: up to four decimals.
std::optional<Currency> einzelkurs(const QString& text);
/// A quote as typed into the all-quotes window: rounded to "0.00" (12,346 -> 12,35).
std::optional<Currency> kursZweiStellen(const QString& text);

/// Single-quote save: appends the history row, runs the day baseline with
/// the total as shown before the change, then moves the quote into the
/// package (altkurs := tageskurs, tageskurs := kurs, datum := datum).
/// All or nothing. nachSchritt (for tests) runs after each write inside the
/// transaction with 1, 2, 3.
Ergebnis einzelkursSpeichern(Database& db, Bookmark paket, const QString& aktie, const QDate& datum,
                             Currency kurs, const QDate& heute, Currency angezeigterGesamtwert,
                             const std::function<void(int)>& nachSchritt = {});

struct NeuerKurs {
    Bookmark paket = -1;
    QString aktie; ///< the name as shown in the window's row
    Currency kurs;
};

/// All-quotes save: one day-baseline update, then for every entry the package
/// change and its history row. An empty list still runs the baseline.
/// All or nothing.
Ergebnis alleKurseSpeichern(Database& db, const QList<NeuerKurs>& kurse, const QDate& datum,
                            const QDate& heute, Currency angezeigterGesamtwert,
                            const std::function<void(int)>& nachSchritt = {});

} // namespace Kurse
