#pragma once
// The main window's chart commands: the 30-day chart and the balance chart
// in its own chart, the 100-day chart and the index chart in the chart
// window, their printouts, and the maintenance of the stored chart quotes.
// The main window stores lesezeichen where its menu table says so, prepares
// its controls and shows its chart view; these functions read and write the
// data, feed the charts and ask and tell the user.

#include "platform/ModalRunner.h"
#include <QString>

class Graph;
class MainWindowApi;

/// The 30-day chart of the card's package into Graph1 and drawn. With fewer
/// than 2 stored quotes the too-few message is shown, Graph1 keeps what it
/// showed and the result is false.
bool Chart30(MainWindowApi& api, Graph& Graph1);
/// The 100-day chart of the card's package in the chart window (modal).
/// Opening it first deletes all but the newest 100 quotes of the package
/// for good. Too few quotes: the message instead of the window.
void Chart100(MainWindowApi& api, const ModalRunner& modal = {});
/// The balance chart into Graph1 and drawn; without any package the
/// message, Graph1 unchanged and false.
bool Bilanzchart(MainWindowApi& api, Graph& Graph1);
/// The index chart in the chart window (modal). Opening it first deletes
/// all but the newest 100 index values for good. Fewer than 2 values: the
/// message instead of the window.
void Indexchart(MainWindowApi& api, const ModalRunner& modal = {});

// Printouts: the data read again and drawn on the print form, landscape;
// lesezeichen is restored afterwards. A chart that cannot be drawn (too
// few data) is not printed and the user is told why. False when nothing
// was printed.
bool DruckeChart30(MainWindowApi& api);
/// Title "<name>    (100 Tage-Chart)"; the quotes are not trimmed.
bool DruckeChart100(MainWindowApi& api);
bool DruckeBilanzchart(MainWindowApi& api);
/// The index chart as the chart window shows it (no trimming).
bool DruckeIndexchart(MainWindowApi& api);
/// The charts that have a printout.
enum class ChartArt { Chart30, Chart100, Bilanz, Index };
/// The chart window's print button: the printout of that chart.
bool chartDrucken(MainWindowApi& api, ChartArt art);

/// menu_k100: the chart-quote window over all rows of kurse (modal), or
/// the message when there are none.
void menuK100(MainWindowApi& api, const ModalRunner& modal = {});
/// menu_kurseloeschen: asks (stop icon) and deletes every stored quote of
/// the card's package in one transaction; without any, the not-found
/// message and no question.
void KurseLoeschen(MainWindowApi& api);
