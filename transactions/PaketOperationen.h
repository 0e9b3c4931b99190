#pragma once
// Selling, editing and deleting a package without any widget. Each confirmed
// operation is one transaction: the package row, the day baseline, the
// ledger row and the quote history change together or not at all.

#include "core/Currency.h"
#include "core/Eingabe.h"
#include "core/ModulAktien.h"
#include <QDate>
#include <QString>
#include <functional>
#include <optional>

class Database;

namespace Pakete {

struct Ergebnis {
    bool ok = false;
    QString fehler; ///< German text when !ok
};

/// Message for a quantity that is not a whole number of units.
QString keineGanzeStueckzahlText();

// ---- Selling ----------------------------------------------------------------

/// A sale, typed: the window reads each field once and hands these on.
struct VerkaufEingabe {
    Bookmark paket = -1;
    QString aktie;      ///< the package's name as shown
    qint64 bestand = 0; ///< units of the package as shown on the card
    qint64 anzahl = 0;  ///< units to sell
    Currency kurs;      ///< sale price per unit, Euro
    Currency gebuehren; ///< fees, Euro
    QDate datum;
    QString anzahlText; ///< the units as typed, for the booking text only
};

/// Verkaufserlös in DM = (Verkaufskurs × Anzahl − Gebühren) × 1.95583, exact
/// to four decimals; nullopt when the amount in Euro lies beyond the range.
std::optional<Currency> verkaufserloes(const VerkaufEingabe& e);

/// The sale window's fields, each read once. An empty price or fee field counts as 0.
struct VerkaufFelder {
    Bookmark paket = -1;
    QString aktie;
    qint64 bestand = 0;
    QString anzahlText;
    Eingabe::Feld<qint64> anzahl;
    Eingabe::Feld<Currency> kurs;
    Eingabe::Feld<Currency> gebuehren;
    QDate datum;

    static VerkaufFelder lesen(Bookmark paket, const QString& aktie, qint64 bestand,
                               const QString& anzahl, const QString& kurs,
                               const QString& gebuehren, const QDate& datum);
};

enum class VerkaufPruefung {
    Teilverkauf,
    Gesamtverkauf,
    ZuGross, ///< a field or the proceeds beyond the range
    KeineGanzeStueckzahl,
    MehrAlsBestand,
    KeineZahl
};
struct VerkaufPruefErgebnis {
    VerkaufPruefung art = VerkaufPruefung::KeineZahl;
    QString meldung; ///< the message for a refusal
    VerkaufEingabe eingabe;
};
/// Decides partial or whole sale, or why the entries are refused.
VerkaufPruefErgebnis verkaufPruefen(const VerkaufFelder& f);
/// Message for a refused sale (empty for the two kinds of sale and ZuGross).
QString verkaufMeldung(VerkaufPruefung p);

/// The ledger text: "Verkauf <units as typed> Stück <name>".
QString verkaufText(const VerkaufEingabe& e);

/// Books the sale. A partial sale reduces the units and sets the package's
/// date; a whole sale deletes the package, and its quote history when no
/// other package of the same (trimmed) name remains. Both lower the day
/// baseline by Verkaufserlös ÷ 1.95583 and credit the proceeds rounded to
/// cents. nachSchritt (for tests) runs after each write inside the transaction.
Ergebnis verkaufSchreiben(Database& db, const VerkaufEingabe& e,
                          const std::function<void(int)>& nachSchritt = {});

// ---- Editing ----------------------------------------------------------------

/// An edit, typed.
struct EditEingabe {
    QString aktie;
    QString kennummer;
    qint64 stueck = 0;
    Currency kaufpreis;
    Currency gebuehren;
    Currency tageskurs;
    QDate datum;
    QDate kaufdatum;
};

/// The edit window's fields, each read once.
struct EditFelder {
    QString aktie;
    QString kennummer;
    Eingabe::Feld<qint64> stueck;
    Eingabe::Feld<Currency> kaufpreis;
    Eingabe::Feld<Currency> gebuehren;
    Eingabe::Feld<Currency> tageskurs;
    QDate datum;
    QDate kaufdatum;

    static EditFelder lesen(const QString& aktie, const QString& kennummer, const QString& stueck,
                            const QString& kaufpreis, const QString& gebuehren,
                            const QString& tageskurs, const QDate& datum,
                            const QDate& kaufdatum);
};

enum class EditPruefung { Ok, Unvollstaendig, ZuGross, KeineZahl, KeineGanzeStueckzahl };
struct EditPruefErgebnis {
    EditPruefung art = EditPruefung::Ok;
    QString meldung;
    EditEingabe eingabe;
};
EditPruefErgebnis editPruefen(const EditFelder& f);
QString editMeldung(EditPruefung p);

/// Runs the day baseline with the total as shown (none when the total could
/// not be formed), then writes the fields into the package. No quote history
/// row; altkurs stays. All or nothing.
Ergebnis editSchreiben(Database& db, Bookmark paket, const EditEingabe& e, const QDate& heute,
                       std::optional<Currency> angezeigterGesamtwert,
                       const std::function<void(int)>& nachSchritt = {});

// ---- Deleting ---------------------------------------------------------------

/// The stop-icon question before a deletion.
QString loeschFrage(const QString& aktie);

/// Deletes the package and, when no other package of its trimmed name
/// remains, its quote history. All or nothing.
Ergebnis paketLoeschen(Database& db, Bookmark paket,
                       const std::function<void(int)>& nachSchritt = {});

} // namespace Pakete
