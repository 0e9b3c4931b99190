#pragma once
// Quote files as download pages, brokers and banking programs write them:
// CSV with ";", "," or tab, quoted fields, title lines before the header and
// totals after the data, UTF-8 or Windows-1252. The dialect is read from the
// file itself; numbers and dates are decided per column from all its values,
// never per row, so "1.234" reads alike in every row of a column.

#include "core/Currency.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace Kursdatei {

/// Files larger than this are refused before they are read.
inline constexpr qint64 HoechsteGroesse = 50LL * 1024 * 1024;

enum class Kodierung { Utf8, Utf8Bom, Utf16, Windows1252 };
enum class Dezimal { Komma, Punkt };
enum class Datumsform {
    Keine,
    Punkte,        ///< dd.mm.yyyy or dd.mm.yy
    Iso,           ///< yyyy-mm-dd
    MonatTagJahr,  ///< mm/dd/yyyy
    TagMonatJahr,  ///< dd/mm/yyyy
};

enum class Fehler {
    Keiner,
    Leer,        ///< no line with content
    Binaer,      ///< not a text file
    ZuGross,     ///< beyond HoechsteGroesse
    KeinDatum,   ///< no column reads as dates
    KeinKurs,    ///< no column reads as prices
    NichtsLesbar ///< data lines, but not one of them readable
};

/// The German message for a refused file.
QString fehlerText(Fehler f);

/// One record of the file: its fields and the line it starts on (from 1).
struct Satz {
    int zeile = 0;
    QStringList felder;
};

/// The chosen columns, from 0; -1 = none.
struct Spalten {
    int datum = -1;
    int kurs = -1;
    int name = -1;
    int nummer = -1;
    bool operator==(const Spalten&) const = default;
};

/// The file split into records, with the columns it suggests.
struct Tabelle {
    Fehler fehler = Fehler::Keiner;
    Kodierung kodierung = Kodierung::Utf8;
    QChar trenner = QLatin1Char(';');
    bool mitKopf = false;
    QStringList spaltennamen; ///< the header's captions, or "Spalte 1", "Spalte 2", …
    QList<Satz> saetze;       ///< the records after the header (all when there is none)
    Spalten vorschlag;        ///< found by the header's names, or by the values
    QList<int> kursspalten;   ///< columns whose values read as prices
};

/// Decodes and splits the file; fehler says why nothing can be read.
Tabelle zerlegen(const QByteArray& daten);

/// A quote as it will be taken over.
struct Kurszeile {
    int zeile = 0;
    QDate datum;
    Currency kurs;
    QString name;   ///< trimmed; empty without a name column
    QString nummer; ///< trimmed; empty without a number column
};

struct Auswertung {
    Fehler fehler = Fehler::Keiner;
    Spalten spalten;
    Datumsform datumsform = Datumsform::Keine;
    bool jahrZweistellig = false;
    Dezimal dezimal = Dezimal::Komma;
    QList<Kurszeile> zeilen; ///< in file order
    QList<int> unlesbar;     ///< lines of the data that cannot be read
};

/// Reads the records with these columns. Lines before the first and after
/// the last readable date are titles and notes and are passed over; between
/// them a line whose date or price cannot be read, or whose price is 0 or
/// below or beyond the range of amounts, is unreadable.
Auswertung auswerten(const Tabelle& t, const Spalten& spalten);

// ---- Pieces, also for the preview's texts ----------------------------------

/// The text of the bytes: UTF-8 (with or without byte-order mark), UTF-16
/// with its mark, else Windows-1252. False for a binary file.
bool dekodieren(const QByteArray& daten, QString* text, Kodierung* kodierung);
/// Splits text into records at trenner: double quotes around a field, doubled
/// quotes inside it, line breaks inside quotes kept; CR LF, LF or CR end a line.
QList<Satz> saetze(const QString& text, QChar trenner);

/// A price in this notation ("1.234,56" or "1,234.56"), exact to four
/// decimals; nullopt when the text is no number.
std::optional<Currency> betrag(QStringView text, Dezimal dezimal);
/// A date in this form; invalid when the text is none.
QDate datum(QStringView text, Datumsform form);

QString kodierungText(Kodierung k);
QString trennerText(QChar trenner);
QString dezimalText(Dezimal d);
QString datumsformText(Datumsform f, bool jahrZweistellig);

} // namespace Kursdatei
