// Feeds arbitrary bytes to the quote-file reader: every input is read or
// refused with a reason, never a crash; every quote read carries a valid
// date, a price within the range of amounts and the line of a record.
#include "core/Eingabe.h"
#include "core/Kursdatei.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void pruefe(bool ok) {
    if (!ok) std::abort();
}

void pruefeAuswertung(const Kursdatei::Tabelle& t, const Kursdatei::Spalten& s) {
    const Kursdatei::Auswertung a = Kursdatei::auswerten(t, s);
    pruefe((a.fehler == Kursdatei::Fehler::Keiner) == !a.zeilen.isEmpty());
    if (a.fehler != Kursdatei::Fehler::Keiner) pruefe(!Kursdatei::fehlerText(a.fehler).isEmpty());
    int vorige = 0;
    for (const Kursdatei::Kurszeile& z : a.zeilen) {
        pruefe(z.datum.isValid() && !z.kurs.isNegative() && !z.kurs.isZero() &&
               Eingabe::imBereich(z.kurs));
        pruefe(z.zeile > vorige); // file order
        vorige = z.zeile;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray roh(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const Kursdatei::Tabelle t = Kursdatei::zerlegen(roh);
    if (t.fehler != Kursdatei::Fehler::Keiner) {
        pruefe(t.saetze.isEmpty());
        return 0;
    }
    pruefeAuswertung(t, t.vorschlag);
    // Columns as the preview lets the user choose them, beyond the widest line too.
    const int breite = int(t.spaltennamen.size());
    for (int c = 0; c <= breite && c < 4; ++c)
        pruefeAuswertung(t, {c, breite - c, c + 1, -1});
    return 0;
}
