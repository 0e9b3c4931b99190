#pragma once
// A depot in the Jet format for the conversion tests and the benchmark,
// together with what the converted database must hold.

#include "jet/JetSchreiber.h"

namespace Jet {

struct Umfang {
    int pakete = 30;
    int kurse = 20000;
    int gewinne = 2000;
    Version version = Version::Jet4;
    bool mitErwartet = true; ///< fill Bestand::erwartet (the benchmark needs no copy)
};

struct Bestand {
    /// The seven tables, as siebenTabellen() orders them, with their rows.
    QList<Tabelle> tabellen;
    /// Per table the rows the new database must hold, in order: texts as
    /// QString, whole numbers and currency (× 10000) as qint64, doubles as
    /// double, dates as "YYYY-MM-DD", NULL as an invalid QVariant.
    QList<QList<QVariantList>> erwartet;
    bool erwartetFuellen = true;

    void zeile(int tabelle, const QVariantList& jet, const QVariantList& neu,
               Zeile::Art art = Zeile::Art::Lebend);
};

/// Rows of every kind: deleted ones, moved ones, a memo of 40 KiB, dates
/// before 1900, umlauts and signs of code page 1252 (Jet 4 also others),
/// tabs and line breaks in texts, currency to the fourth decimal, NULLs.
/// The same seed gives the same depot.
Bestand beispielBestand(const Umfang& umfang);

/// Index of a table in siebenTabellen().
enum TabellenNr { Aktiendaten, Kurse, Indexkurse, Gewinne, Beobachten, KurseVirtuell, Kennwort };

} // namespace Jet
