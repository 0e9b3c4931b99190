// Feeds arbitrary text to the column-layout reader. Every character of the
// text ends up in exactly one place: a column's width, its alignment mark or
// a "|" between two columns; each header is its column's text without blanks.
#include "core/Spaltenlayout.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void pruefe(bool ok) {
    if (!ok) std::abort();
}

void lesen(const QString& text) {
    const QList<Spalte> spalten = Spaltenlayout::lesen(text);
    if (text.isEmpty()) {
        pruefe(spalten.isEmpty());
        return;
    }
    pruefe(spalten.size() == text.count(QLatin1Char('|')) + 1);
    qsizetype pos = 0;
    for (const Spalte& s : spalten) {
        pruefe(s.breite >= 0 && !s.kopf.contains(QLatin1Char('|')));
        const QChar erstes = pos < text.size() ? text.at(pos) : QChar();
        const bool marke =
            erstes == QLatin1Char('<') || erstes == QLatin1Char('>') || erstes == QLatin1Char('^');
        if (marke) ++pos;
        pruefe(s.ausrichtung == (erstes == QLatin1Char('>')   ? Spalte::Ausrichtung::Rechts
                                 : erstes == QLatin1Char('^') ? Spalte::Ausrichtung::Mitte
                                                              : Spalte::Ausrichtung::Links));
        pruefe(text.mid(pos, s.breite).trimmed() == s.kopf);
        pos += s.breite;
        pruefe(pos == text.size() || text.at(pos) == QLatin1Char('|'));
        ++pos;
    }
    pruefe(pos == text.size() + 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto* chars = reinterpret_cast<const char*>(data);
    const qsizetype n = static_cast<qsizetype>(size);
    lesen(QString::fromLatin1(chars, n));
    lesen(QString::fromUtf8(chars, n));
    return 0;
}
