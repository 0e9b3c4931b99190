#pragma once
// The account and purchase operations without any widget, so the windows,
// the tests and the benchmark share one path to the database.

#include "core/Currency.h"
#include "core/Eingabe.h"
#include "core/ModulAktien.h"
#include "core/Realgewinn.h"
#include <QDate>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

class Database;

namespace Konto {

/// Whether the ledger holds at least one booking.
bool hatBuchungen(Database& db);

/// Appends a booking (amount in DM); the text is kept to one line of the
/// column's width. False when the write failed.
bool buchen(Database& db, const QDate& datum, const QString& text, Currency summe);
/// Deletes the booking with the bookmark. False when the write failed.
bool buchungLoeschen(Database& db, Bookmark buchung);

/// All bookings in the ledger's natural order (order of entry).
QList<Buchung> buchungenInEingabeReihenfolge(Database& db);
/// The realised-gains statement of all bookings in order of entry; the same
/// as realgewinnAufstellung(buchungenInEingabeReihenfolge(db), e) without
/// collecting the bookings first.
Realgewinn realgewinnAusDemKonto(Database& db, Einheit e);

/// A purchase, typed: the window reads each field once and hands these on.
struct KaufEingabe {
    QString aktie;
    QString kennummer;
    qint64 stueck = 0;
    Currency gebuehren;
    Currency kaufpreis;
    QDate datum;
    QString stueckText; ///< the units as typed, for the booking text only
};

/// Kaufbetrag = (Kaufkurs × Stück + Gebühren) × 1.95583 and
/// Kurswert = Kaufkurs × Stück × 1.95583, both DM, exact to four decimals.
struct KaufBetraege {
    Currency kaufbetrag;
    Currency kurswert;
};
/// nullopt when the package's value in Euro (Kaufkurs × Stück + Gebühren)
/// lies beyond the range of amounts.
std::optional<KaufBetraege> kaufBetraege(const KaufEingabe& e);

/// The purchase window's fields, each read once.
struct KaufFelder {
    QString aktie;
    QString kennummer;
    QString stueckText;
    Eingabe::Feld<qint64> stueck;
    Eingabe::Feld<Currency> gebuehren;
    Eingabe::Feld<Currency> kaufpreis;
    QDate datum;

    static KaufFelder lesen(const QString& aktie, const QString& kennummer, const QString& stueck,
                            const QString& gebuehren, const QString& kaufpreis,
                            const QDate& datum);
};

/// The checks before the question, in their order.
enum class KaufPruefung {
    Ok,
    ZuGross,             ///< a field or the purchase amount beyond the range
    KontostandUnbekannt, ///< the balance cannot be formed
    ZuWenigGuthaben,
    Unvollstaendig,
    KeineZahl,           ///< an amount field holds no readable number (",")
    KeineGanzeStueckzahl ///< units with decimals
};
struct KaufPruefErgebnis {
    KaufPruefung art = KaufPruefung::Ok;
    QString meldung; ///< the message for a refusal
    KaufEingabe eingabe;
    KaufBetraege betraege;
};
/// Refuses amounts beyond the range first; then the balance (a field that
/// holds no number makes the purchase amount 0 for it), completeness,
/// numbers and whole units. On Ok the typed purchase and its amounts.
KaufPruefErgebnis kaufPruefen(const KaufFelder& f, std::optional<Currency> kontostand);
/// The message shown for a refused check (empty for Ok and ZuGross).
QString kaufMeldung(KaufPruefung p);

/// The ledger text of a purchase: "Kauf <units as typed> Stück <name>".
QString kaufText(const KaufEingabe& e);

struct KaufErgebnis {
    bool ok = false;
    Bookmark paket = -1; ///< the new package row
    QString fehler;      ///< German text when !ok
};

/// Writes the package row, raises the day baseline by Kurswert ÷ 1.95583 and
/// books the debit, all in one transaction: either all three or nothing.
/// nachSchritt (for tests) is called after each of the three writes, inside
/// the transaction, with 1, 2, 3.
KaufErgebnis kaufSchreiben(Database& db, const KaufEingabe& e, const KaufBetraege& b,
                           const std::function<void(int)>& nachSchritt = {});

} // namespace Konto
