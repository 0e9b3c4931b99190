#pragma once
// Writes Jet-format database files (versions 3 and 4) for the tests and the
// benchmark: the seven tables of an old "aktien.mdb", with the kinds of rows
// a long-used file holds — deleted rows, rows moved to another page by an
// update, long memos, texts in both encodings. Only what a reader needs is
// written: no indexes, no properties, no system tables but the catalog.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

namespace Jet {

enum class Version { Jet3, Jet4 };

/// Column types, numbered as in the file.
enum class Typ : quint8 {
    Byte = 0x02,
    Int = 0x03,  ///< 16-bit integer
    Long = 0x04, ///< 32-bit integer
    Waehrung = 0x05,
    Single = 0x06,
    Double = 0x07,
    Datum = 0x08,
    Text = 0x0a,
    Memo = 0x0c,
    Ole = 0x0b, ///< the catalog's property column only
};

struct Spalte {
    QString name;
    Typ typ;
    int laenge = 50; ///< characters; text only
};

/// One row; values by column, an invalid QVariant is NULL.
/// Waehrung: qint64 amount × 10000; Datum: double days since 1899-12-30
/// (negative before it) or a QDate; Byte/Int/Long: integer; Single/Double:
/// double; Text/Memo: QString.
struct Zeile {
    enum class Art {
        Lebend,
        Geloescht,   ///< left on the page with the slot marked deleted
        Ausgelagert, ///< slot points to the data on another page, as after an update
    };
    QVariantList werte;
    Art art = Art::Lebend;
};

struct Tabelle {
    QString name;
    QList<Spalte> spalten;
    QList<Zeile> zeilen;
};

struct Optionen {
    Version version = Version::Jet4;
    /// Jet 4: texts made of characters 1…255 are stored one byte each.
    bool komprimiert = true;
    QString passwort = QStringLiteral("tilo3581");
    /// Memos up to this many bytes stay in the row; longer ones go to
    /// long-value pages.
    int memoImSatzBis = 64;
    /// Tables whose data pages span more pages than this get a usage map
    /// that refers to bitmap pages instead of holding the bitmap itself.
    int inlineKarteBis = 512;
};

/// The bytes of the file; empty with *fehler when a value does not fit.
QByteArray schreiben(const QList<Tabelle>& tabellen, const Optionen& optionen,
                     QString* fehler = nullptr);
bool schreibenNach(const QString& pfad, const QList<Tabelle>& tabellen, const Optionen& optionen,
                   QString* fehler = nullptr);

/// The seven tables of the program with the fields and types of the old
/// file, without rows.
QList<Tabelle> siebenTabellen();

/// Row slot flags of a data page.
inline constexpr quint16 SlotGeloescht = 0x8000;
inline constexpr quint16 SlotVerweis = 0x4000;

} // namespace Jet
