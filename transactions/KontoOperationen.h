#pragma once
// The account and purchase operations without any widget, so the windows,
// the tests and the benchmark share one path to the database.

#include "core/Currency.h"
#include "core/ModulAktien.h"
#include "core/Realgewinn.h"
#include <QDate>
#include <QList>
#include <QString>
#include <functional>

class Database;

namespace Konto {

/// Whether the ledger holds at least one booking.
bool hatBuchungen(Database& db);

/// Appends a booking (amount in DM). False when the write failed.
bool buchen(Database& db, const QDate& datum, const QString& text, Currency summe);
/// Deletes the booking with the bookmark. False when the write failed.
bool buchungLoeschen(Database& db, Bookmark buchung);

/// All bookings in the ledger's natural order (order of entry).
QList<Buchung> buchungenInEingabeReihenfolge(Database& db);
/// The realised-gains statement of all bookings in order of entry; the same
/// as realgewinnAufstellung(buchungenInEingabeReihenfolge(db), e) without
/// collecting the bookings first.
Realgewinn realgewinnAusDemKonto(Database& db, Einheit e);

/// The entries of the purchase window, as typed.
struct KaufEingabe {
    QString aktie;
    QString kennummer;
    QString stueck;
    QString gebuehren;
    QString kaufpreis;
    QDate datum;
};

/// Kaufbetrag = (Kaufkurs × Stück + Gebühren) × 1.95583 and
/// Kurswert = Kaufkurs × Stück × 1.95583, both DM, computed in double from
/// the texts. A text that cannot be read makes both 0.
struct KaufBetraege {
    Currency kaufbetrag;
    Currency kurswert;
};
KaufBetraege kaufBetraege(const KaufEingabe& e);

/// The checks before the question, in their order.
enum class KaufPruefung {
    Ok,
    ZuWenigGuthaben,
    Unvollstaendig,
    KeineZahl,           ///< an amount field holds no readable number (",")
    KeineGanzeStueckzahl ///< units with decimals or beyond the field's range
};
KaufPruefung kaufPruefen(const KaufEingabe& e, const KaufBetraege& b, Currency kontostand);
/// The message shown for a refused check (empty for Ok).
QString kaufMeldung(KaufPruefung p);

/// The ledger text of a purchase: "Kauf <units> Stück <name>".
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
