#pragma once
// The depot reports as fixed-width text: the short and the complete holdings
// report and the day-difference report, each in a screen and a printed
// layout. Package rows and depot values in, text out.
//
// Column technique: a value stands left- or right-aligned in a fixed width;
// a longer value keeps its leftmost width characters. Lines end with CR LF.
// A rule of "_" is as long as a detail line with its indent and CR LF, less
// a fixed number per layout; without any detail line the rule and the empty
// lines written with it are left out.

#include "core/Currency.h"
#include <QDate>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

/// One row of Aktiendaten as the reports read it; a missing field value
/// leaves its column blank and counts as 0 in the amounts. The names are
/// views: a report of a thousand packages reads them into one text
/// (BerichtBestand) instead of a string each, and whoever fills a package
/// keeps the names' text alive as long as the package.
struct BerichtPaket {
    QDate datum; ///< date of the last quote
    QStringView wpkn;
    QStringView aktie;
    std::optional<qint64> stueck;
    std::optional<Currency> kaufpreis;
    std::optional<Currency> gebuehren;
    std::optional<Currency> tageskurs;
    Currency altkurs;
    Currency dividende;
    QDate kaufdatum;
};
// Every member can be moved with its bytes: a growing list of a thousand
// packages is then moved in one piece.
Q_DECLARE_TYPEINFO(BerichtPaket, Q_RELOCATABLE_TYPE);

/// What the report shows on screen: the title, the column header (each
/// without line end) and the text.
struct BerichtSeite {
    QString titel;
    QString kopf;
    QString text;
};

/// The depot values the day-difference report reads besides the packages.
struct Tageswerte {
    Currency altallwert;               ///< kennwort.altallwert, the day baseline
    QString indexname;                 ///< of the last Indexkurse row
    std::optional<double> indexzahl;   ///< none: the index table is empty
};

/// Called with the row number (1 … n) as each detail line is built.
using BerichtFortschritt = std::function<void(int)>;

namespace Berichte {

/// value in width characters, left-aligned / right-aligned; longer values
/// keep their leftmost width characters.
QString links(QStringView wert, int breite);
QString rechts(QStringView wert, int breite);

/// "dd.MM.yyyy"; empty for an invalid date.
QString datumText(const QDate& d);

/// The print layouts' fixed character ranges (0-based start, length),
/// counted with CR LF as two characters.
struct Bereich {
    int start = 0;
    int laenge = 0;
};

// Short holdings report: main window and printout (portrait).
BerichtSeite kurzfassung(const QList<BerichtPaket>& pakete, const QDate& heute,
                         const BerichtFortschritt& fortschritt = {});
QString kurzfassungDruck(const QList<BerichtPaket>& pakete, const QDate& heute);
inline constexpr Bereich KurzDruckTitel{11, 25};

// Complete holdings report: report window and printout (landscape).
BerichtSeite komplettfassung(const QList<BerichtPaket>& pakete, const QDate& heute,
                             const BerichtFortschritt& fortschritt = {});
QString komplettfassungDruck(const QList<BerichtPaket>& pakete, const QDate& heute);
inline constexpr Bereich KomplettDruckTitel{16, 21};
inline constexpr Bereich KomplettDruckKopf{186, 143};

// Day-difference report: main window and printout (portrait). The printout
// names the index by the name the screen report read (kept in the module).
BerichtSeite differenz(const QList<BerichtPaket>& pakete, const Tageswerte& werte,
                       const BerichtFortschritt& fortschritt = {});
QString differenzDruck(const QList<BerichtPaket>& pakete, const Tageswerte& werte,
                       const QString& gemerkterIndexname);
inline constexpr Bereich DifferenzDruckTitel{14, 28};
inline constexpr Bereich DifferenzDruckKopf{91, 88};

} // namespace Berichte
