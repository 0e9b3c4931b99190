#pragma once
// Quote updates without any widget: the single-quote and the all-quotes save
// as one transaction each, so the windows, the tests and the benchmark share
// one path to the database.

#include "core/Currency.h"
#include "core/Eingabe.h"
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
/// nullopt when the label shows no number (the total could not be formed).
std::optional<Currency> angezeigterGesamtwert(const QString& gesamtwertText);

/// A quote as typed into the single-quote field: up to four decimals.
Eingabe::Feld<Currency> einzelkurs(const QString& text);
/// A quote as typed into the all-quotes window: rounded to "0.00" from the
/// typed digits (12,346 -> 12,35).
Eingabe::Feld<Currency> kursZweiStellen(const QString& text);

/// Whether the package's value (Stück × Kurs) stays within the range of
/// amounts with this quote; false also when the package is gone.
bool paketwertImBereich(Database& db, Bookmark paket, Currency kurs);
/// The refusal of a quote that would make the package's value too large.
QString paketwertZuGrossText(const QString& aktie);

/// Single-quote save: appends the history row, runs the day baseline with
/// the total as shown before the change (none: the baseline stays), then moves the quote into the
/// package (altkurs := tageskurs, tageskurs := kurs, datum := datum).
/// All or nothing. nachSchritt (for tests) runs after each write inside the
/// transaction with 1, 2, 3.
Ergebnis einzelkursSpeichern(Database& db, Bookmark paket, const QString& aktie, const QDate& datum,
                             Currency kurs, const QDate& heute,
                             std::optional<Currency> angezeigterGesamtwert,
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
                            const QDate& heute, std::optional<Currency> angezeigterGesamtwert,
                            const std::function<void(int)>& nachSchritt = {});

} // namespace Kurse
