#pragma once
// What each chart of the program is fed with: the quote charts over 30 and
// 100 days, the balance chart and the index chart, on screen and printed,
// and the messages for too few data. Data in, chart model out; reading the
// tables is the chart commands' business.

#include "core/Chartmodell.h"
#include "core/Currency.h"
#include <QDate>
#include <QList>
#include <QString>

namespace Charts {

/// At most this many quotes / index values are drawn (and kept, for the
/// 100-day chart and the index chart).
inline constexpr int Tage30 = 30;
inline constexpr int Tage100 = 100;
/// Fewer stored values give the too-few message instead of a chart.
inline constexpr int MindestKurse = 2;

/// A name with leading and trailing blanks removed, as quotes are matched
/// to their package (tabs and other white space stay).
QString namensKern(const QString& name);

/// The 30-day chart: the newest 30 of the quotes (oldest first in the
/// list), each labelled with itself "0.00", the newest at the right.
/// Line chart, labels on both axes, grid in both directions, points named
/// one by one. At least 2 quotes.
void chart30(Chartmodell& m, const QList<Currency>& kurse);

/// The 100-day chart in the chart window: every quote given (oldest first)
/// as a point without label, written in turn; title as the card shows the
/// name, y labels only, bottom title with the current quote in Euro and DM.
void chart100(Chartmodell& m, const QList<Currency>& kurse, const QString& titel,
              Currency letzterKurs);
/// The same chart for the printer: the points named one by one and the
/// title "<name>    (100 Tage-Chart)" with the name trimmed.
void chart100Druck(Chartmodell& m, const QList<Currency>& kurse, const QString& name,
                   Currency letzterKurs);
/// "Letzter Kurs = 12,50 Euro   (24,45 DM)".
QString letzterKursText(Currency kurs);

/// One bar of the balance chart.
struct BilanzPosten {
    QString name;    ///< as stored, untrimmed
    Currency gewinn; ///< value − purchase value, as the card shows it
};
/// The balance chart: one bar per package in table order, its value the
/// gain or loss in whole cents, labelled "<name>   <gain "0.00">". Bar
/// chart, labels on both axes, horizontal grid lines, no title.
void bilanzchart(Chartmodell& m, const QList<BilanzPosten>& posten);
/// "Gewinn / Verlust am  dd.MM.yyyy", the title above the balance chart.
QString bilanzTitel(const QDate& heute);

/// The index chart: every value given (oldest first) in turn, title
/// "100 Tage-Chart AktienIndex am dd.MM.yyyy", y labels only.
void indexchart(Chartmodell& m, const QList<double>& werte, const QDate& heute);

// Messages (exclamation icon, OK)
QString zuWenigKurse(const QString& name);
QString keinPaket();
QString zuWenigIndexwerte();
QString keineKurseZumBearbeiten();
QString keineKurseGefunden(const QString& name);
/// The stop-icon question before all quotes of a package are deleted.
QString kurseLoeschenFrage(const QString& name);

} // namespace Charts
