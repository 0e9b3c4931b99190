#pragma once
// The watch list's rules: the value, gain and loss of a watched security and
// of the whole list, the totals line under the table, the printed report and
// the chart points of a security's quotes. Rows in, texts out.

#include "core/Chartmodell.h"
#include "core/Currency.h"
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

/// One row of Beobachten as the watch list reads it. A value the row does
/// not hold (or not as a number) is missing; its row then adds nothing.
struct BeobachtetePosition {
    qint64 nr = -1;    ///< bookmark
    QStringList texte; ///< the six fields in their plain text form, by position
    std::optional<qint64> stueck;
    std::optional<Currency> kaufkurs;
    std::optional<Currency> kurs;
};

namespace Beobachtung {

/// The table's column layout: six stored fields, then value, percent, Euro.
inline QString spaltenlayout() {
    return QStringLiteral("<Datum          |<Aktie                                |<WP-KN  "
                          "|>Stück   |>Kaufkurs   |>Akt. Kurs    |>Gesamtwert    "
                          "|>+/-  Proz.|>+/-  Euro    ");
}
inline constexpr int ErsteBerechneteSpalte = 6;

/// Current and purchase value of a row with the texts of the computed
/// columns ("0.00"; empty where the row cannot be valued, the percentage
/// also for a purchase value of 0).
struct Bewertung {
    std::optional<Currency> wert;
    std::optional<Currency> kaufwert;
    QString gesamtwert;
    QString prozent;
    QString euro;
};
Bewertung bewerten(const BeobachtetePosition& p);

/// The sums of all rows that could be valued.
struct Summen {
    Currency wert;
    Currency kaufwert;
};
Summen summieren(const QList<Bewertung>& bewertungen);

/// The totals line: " Depotwert =  …" with value and gain (or loss) in Euro and DM.
QString summenzeile(const Summen& s);

/// The printed report of the list on day heute, ending with the totals line
/// split before its gain or loss; lines end with CR LF.
QString bericht(const QList<BeobachtetePosition>& positionen, const QDate& heute,
                const QString& summenzeile);

/// The chart of a watched security from its newest quotes as stored
/// ("12,50"; oldest first, the newest 30 are used): a line chart titled with
/// the trimmed name, labels on both axes, each point named with its value
/// and labelled with it "0.00", the newest at the right.
void chart(Chartmodell& m, const QStringList& kurse, const QString& name);

} // namespace Beobachtung
