#pragma once
// Taking over the quotes of a file: which rows go to which package, which are
// there already, and the write of all of them in one transaction, with the
// packages and the day baseline left as the single-quote update leaves them.

#include "core/Kursdatei.h"
#include "core/ModulAktien.h"
#include "transactions/KursOperationen.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class Database;

namespace KursImport {

/// A quote to be appended to kurse.
struct Neu {
    int zeile = 0;
    QString aktie; ///< the package's name as stored
    QDate datum;
    Currency kurs;
};

struct Plan {
    QList<Neu> neu;         ///< in date order (file order within a date)
    int vorhanden = 0;      ///< the name has a quote of that date already
    QList<int> unlesbar;    ///< lines, ascending
    QStringList ohnePaket;  ///< names or numbers no package has, each once
    int ohnePaketZeilen = 0;
};

/// Assigns the quotes read. paket >= 0: every quote belongs to that package
/// (a file of one security); otherwise a row goes to the package with its
/// number ("WP-KNummer"), else to the one with its trimmed name. A price that
/// would make a package's value too large counts as unreadable.
Plan planen(Database& db, const Kursdatei::Auswertung& a, Bookmark paket);

/// Writes the plan in one transaction: the quotes into kurse in date order;
/// then each package whose newest new date is later than its datum takes
/// the newer quotes one by one, in date order, as the single-quote update
/// does, and the day baseline moves as it moves there (the shown total
/// before the first, the refreshed total before each next). fortschritt gets
/// the rows written so far.
Kurse::Ergebnis schreiben(Database& db, const Plan& plan, const QDate& heute,
                          std::optional<Currency> angezeigterGesamtwert,
                          const std::function<void(int)>& fortschritt = {});

/// The message after the write: how many quotes were taken over, how many
/// left out and why.
QString ergebnisText(const Plan& plan);
/// "Zeile 3, 7, 12 …": the first ten lines.
QString zeilenText(const QList<int>& zeilen);

} // namespace KursImport
