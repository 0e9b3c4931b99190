#pragma once
// Selling, editing and deleting a package without any widget. Each confirmed
// operation is one transaction: the package row, the day baseline, the
// ledger row and the quote history change together or not at all.

#include "core/Currency.h"
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

/// The entries of the sale window, as typed.
struct VerkaufEingabe {
    Bookmark paket = -1;
    QString aktie;      ///< the package's name as shown
    qint64 bestand = 0; ///< units of the package as shown on the card
    QString anzahl;     ///< units to sell
    QString kurs;       ///< sale price per unit, Euro
    QString gebuehren;  ///< fees, Euro; empty counts as none
    QDate datum;
};

/// Verkaufserlös in DM = (Verkaufskurs × Anzahl − Gebühren) × 1.95583,
/// computed in double from the texts. An empty price or fee field counts as
/// 0; nullopt when a text cannot be read.
std::optional<Currency> verkaufserloes(const VerkaufEingabe& e);

enum class VerkaufPruefung {
    Teilverkauf,
    Gesamtverkauf,
    KeineGanzeStueckzahl,
    MehrAlsBestand,
    KeineZahl
};
/// Decides partial or whole sale, or why the entries are refused.
VerkaufPruefung verkaufPruefen(const VerkaufEingabe& e);
/// Message for a refused sale (empty for the two kinds of sale).
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

struct EditEingabe {
    QString aktie;
    QString kennummer;
    QString stueck;
    QString kaufpreis;
    QString gebuehren;
    QString tageskurs;
    QDate datum;
    QDate kaufdatum;
};

enum class EditPruefung { Ok, Unvollstaendig, KeineZahl, KeineGanzeStueckzahl };
EditPruefung editPruefen(const EditEingabe& e);
QString editMeldung(EditPruefung p);

/// Runs the day baseline with the total as shown, then writes the fields
/// into the package. No quote history row; altkurs stays. All or nothing.
Ergebnis editSchreiben(Database& db, Bookmark paket, const EditEingabe& e, const QDate& heute,
                       Currency angezeigterGesamtwert,
                       const std::function<void(int)>& nachSchritt = {});

// ---- Deleting ---------------------------------------------------------------

/// The stop-icon question before a deletion.
QString loeschFrage(const QString& aktie);

/// Deletes the package and, when no other package of its trimmed name
/// remains, its quote history. All or nothing.
Ergebnis paketLoeschen(Database& db, Bookmark paket,
                       const std::function<void(int)>& nachSchritt = {});

} // namespace Pakete
