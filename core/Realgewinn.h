#pragma once
// The statement of all account bookings in fixed-width columns, in DM or
// Euro, with the sum of the amounts as shown.

#include "core/Currency.h"
#include <QDate>
#include <QList>
#include <QString>

/// One booking of the account ledger (summe in DM).
struct Buchung {
    QDate datum;
    QString text;
    Currency summe;
};

enum class Einheit { DM, Euro };

/// "DM" or "Euro".
QString einheitText(Einheit e);

struct Realgewinn {
    QString text;   ///< one line per booking, each ended by CR LF
    Currency saldo; ///< sum of the displayed (two-decimal) amounts
    bool saldoZuGross = false; ///< the sum left the 64-bit range; saldo is no number then
};

/// One line without its CR LF: a blank, the date in 10, two blanks, the text
/// cut or padded to 24, the amount right-aligned in 11 (longer: first 11
/// characters). angezeigt receives the amount as displayed.
QString realgewinnZeile(const Buchung& b, Einheit e, Currency* angezeigt = nullptr);

/// The whole statement, rows in the order given.
Realgewinn realgewinnAufstellung(const QList<Buchung>& buchungen, Einheit e);

/// Builds the statement line by line, for rows read straight from the
/// database without collecting them first.
class RealgewinnAufbau {
public:
    /// Characters of a booking's text a line shows; the rest is cut off.
    static constexpr qsizetype TextBreite = 24;
    /// zeilen: the expected number of lines, for reserving.
    explicit RealgewinnAufbau(Einheit e, qsizetype zeilen = 0);
    void zeile(const QDate& datum, QStringView text, Currency summe);
    Realgewinn ergebnis() { return std::move(m_r); }

private:
    Einheit m_einheit;
    Realgewinn m_r;
};
