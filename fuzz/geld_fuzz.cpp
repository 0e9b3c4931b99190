// Feeds arbitrary text to the number readers and arbitrary amounts to the
// money arithmetic. Whatever comes in is either refused or exact: every value
// read is checked against a reference computed here on decimal digits, and
// every checked operation against 128-bit arithmetic.
#include "core/Eingabe.h"
#include "core/Numbers.h"

#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

namespace {

using Int128 = __int128;

void pruefe(bool ok) {
    if (!ok) std::abort();
}

std::optional<std::int64_t> passend(Int128 v) {
    if (v > std::numeric_limits<std::int64_t>::max() ||
        v < std::numeric_limits<std::int64_t>::min())
        return std::nullopt;
    return static_cast<std::int64_t>(v);
}

struct Referenz {
    bool gueltig = false;
    bool negativ = false;
    std::string ganz, bruch;
};

// Reference reading of a field: blanks around, an optional sign, digits
// with "." thousands points in groups of three before the decimal comma,
// digits after it.
Referenz referenzLesen(const QString& text) {
    Referenz r;
    // trimmed() also removes other white space; the reader only blanks and tabs.
    for (QChar c : text)
        if (c.isSpace() && c != QLatin1Char(' ') && c != QLatin1Char('\t')) return r;
    QString t = text.trimmed();
    if (!t.isEmpty() && (t[0] == QLatin1Char('-') || t[0] == QLatin1Char('+'))) {
        r.negativ = t[0] == QLatin1Char('-');
        t.remove(0, 1);
    }
    const qsizetype komma = t.indexOf(QLatin1Char(','));
    const QStringList gruppen = (komma < 0 ? t : t.left(komma)).split(QLatin1Char('.'));
    const QString bruch = komma < 0 ? QString() : t.mid(komma + 1);
    const auto ziffern = [](const QString& z, std::string& ziel) {
        for (QChar c : z) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
            ziel += char(c.unicode());
        }
        return true;
    };
    for (qsizetype k = 0; k < gruppen.size(); ++k) {
        const qsizetype n = gruppen[k].size();
        if (gruppen.size() > 1 && (k == 0 ? n < 1 || n > 3 : n != 3)) return r;
        if (!ziffern(gruppen[k], r.ganz)) return r;
    }
    if (!ziffern(bruch, r.bruch)) return r;
    r.gueltig = !r.ganz.empty() || !r.bruch.empty();
    return r;
}

// Reference of the leading-number conversion: the first "," becomes ".",
// then blanks, an optional sign and digits with at most one "." are read up
// to the first other character.
Referenz referenzVorn(const QString& eingabe) {
    Referenz r;
    QString t = eingabe;
    const qsizetype komma = t.indexOf(QLatin1Char(','));
    if (komma >= 0) t[komma] = QLatin1Char('.');
    qsizetype i = 0;
    while (i < t.size() && (t[i] == QLatin1Char(' ') || t[i] == QLatin1Char('\t')))
        ++i;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
        r.negativ = t[i++] == QLatin1Char('-');
    bool punkt = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            (punkt ? r.bruch : r.ganz) += char(c.unicode());
        else if (c == QLatin1Char('.') && !punkt)
            punkt = true;
        else
            break;
    }
    r.gueltig = !r.ganz.empty() || !r.bruch.empty();
    return r;
}

// value × 10^stellen rounded (halves to even, or away from zero); nullopt
// beyond 128 bits (and so beyond any currency value).
std::optional<Int128> referenzSkaliert(const Referenz& r, int stellen, bool halbGerade) {
    Int128 v = 0;
    const Int128 grenze = Int128(1) << 100;
    std::string ziffern = r.ganz;
    for (int k = 0; k < stellen; ++k)
        ziffern += k < int(r.bruch.size()) ? r.bruch[size_t(k)] : '0';
    for (char c : ziffern) {
        v = v * 10 + (c - '0');
        if (v > grenze) return std::nullopt;
    }
    if (int(r.bruch.size()) > stellen) {
        const char erste = r.bruch[size_t(stellen)];
        bool rest = false;
        for (size_t k = size_t(stellen) + 1; k < r.bruch.size(); ++k)
            rest = rest || r.bruch[k] != '0';
        if (erste > '5' || (erste == '5' && (rest || !halbGerade || v % 2 != 0))) ++v;
    }
    return r.negativ ? -v : v;
}

void leser(const QString& text) {
    const Referenz ref = referenzLesen(text);
    for (int stellen : {4, 2}) {
        const Numbers::AmountReading a = Numbers::readAmount(text, stellen);
        if (!ref.gueltig) {
            pruefe(a.reading != Numbers::Reading::Number &&
                   a.reading != Numbers::Reading::TooLarge);
            continue;
        }
        const auto soll = referenzSkaliert(ref, stellen, stellen == 4);
        const auto raw = soll ? passend(*soll * (stellen == 2 ? 100 : 1)) : std::nullopt;
        if (a.reading == Numbers::Reading::Number)
            pruefe(raw && a.value.raw() == *raw);
        else
            pruefe(a.reading == Numbers::Reading::TooLarge && !raw);

        // The field readers accept a value exactly when it lies in the range.
        const auto feld =
            stellen == 4 ? Eingabe::betrag(text, true) : Eingabe::betragInCent(text, true);
        const bool imBereich = raw && Eingabe::imBereich(Currency::fromRaw(*raw));
        pruefe(feld.ok() == imBereich);
        if (feld.ok()) {
            pruefe(feld.wert->raw() == *raw);
            // Written as the engine writes it and read back: the same value.
            pruefe(Numbers::parseCurrency(feld.wert->plainText()) == feld.wert);
        }
    }

    // Whole numbers: exact, or too large, or not whole.
    const Numbers::WholeReading ganz = Numbers::readWhole(text);
    if (ref.gueltig) {
        bool nurNullen = true;
        for (char c : ref.bruch)
            nurNullen = nurNullen && c == '0';
        Referenz ohneVorzeichen = ref;
        ohneVorzeichen.negativ = false;
        const auto betrag = referenzSkaliert(ohneVorzeichen, 0, true);
        if (!nurNullen) {
            pruefe(ganz.reading == Numbers::Reading::Number && !ganz.whole);
        } else if (betrag && *betrag <= std::numeric_limits<std::int64_t>::max()) {
            pruefe(ganz.reading == Numbers::Reading::Number && ganz.whole &&
                   Int128(ganz.value) == (ref.negativ ? -*betrag : *betrag));
        } else {
            pruefe(ganz.reading == Numbers::Reading::TooLarge);
        }
    } else {
        pruefe(ganz.reading != Numbers::Reading::Number &&
               ganz.reading != Numbers::Reading::TooLarge);
    }

    const Eingabe::Feld<qint64> st = Eingabe::stueck(text);
    if (st.ok()) {
        const auto ganz = referenzSkaliert(ref, 0, true);
        bool nurNullen = true;
        for (char c : ref.bruch)
            nurNullen = nurNullen && c == '0';
        pruefe(ref.gueltig && nurNullen && ganz && *ganz == *st.wert && *st.wert >= 0 &&
               *st.wert <= Eingabe::MaxStueck);
    }

    // The other modes have no reference here; they must not fail on any text.
    for (const auto mode : {Numbers::Mode::Stored, Numbers::Mode::Index, Numbers::Mode::Leading,
                            Numbers::Mode::Display}) {
        (void)Numbers::readAmount(text, 4, mode);
        (void)Numbers::readWhole(text, mode);
        (void)Numbers::readDouble(text, mode);
    }

    // The leading-number conversion: refused beyond the range, else exact.
    const Referenz vorn = referenzVorn(text);
    const auto soll = vorn.gueltig ? referenzSkaliert(vorn, 4, true) : std::optional<Int128>(0);
    const auto erwartet = soll ? passend(*soll) : std::nullopt;
    const auto gelesen = Numbers::leadingCurrency(text);
    pruefe(gelesen.has_value() == erwartet.has_value());
    if (gelesen) pruefe(gelesen->raw() == *erwartet);
}

void rechnung(std::int64_t a, std::int64_t b, std::int64_t n) {
    const Currency x = Currency::fromRaw(a), y = Currency::fromRaw(b);
    const auto vergleiche = [](std::optional<Currency> ist, Int128 soll) {
        const auto s = passend(soll);
        pruefe(ist.has_value() == s.has_value());
        if (ist) pruefe(ist->raw() == *s);
    };
    vergleiche(x.plus(y), Int128(a) + b);
    vergleiche(x.minus(y), Int128(a) - b);
    vergleiche(x.times(n), Int128(a) * n);

    // Cents: halves away from zero.
    const Int128 betrag = a < 0 ? -Int128(a) : Int128(a);
    const Int128 cent = (betrag + 50) / 100 * 100;
    vergleiche(x.cents(), a < 0 ? -cent : cent);

    // DM and back: the rounded quotient of the exact product, halves to even.
    const auto halbGerade = [](Int128 z, Int128 d) {
        Int128 q = z / d, r = z % d;
        if (r < 0) r = -r;
        if (2 * r > d || (2 * r == d && q % 2 != 0)) q += z < 0 ? -1 : 1;
        return q;
    };
    vergleiche(Numbers::euroToDmChecked(x), halbGerade(Int128(a) * 195583, 100000));
    vergleiche(Numbers::dmToEuroChecked(x), halbGerade(Int128(a) * 100000, 195583));

    // A package's value: exact and within the range, or refused.
    if (n >= 0 && n <= Eingabe::MaxStueck) {
        const auto w = Eingabe::wert(x, n, y);
        const Int128 soll = Int128(a) * n + b;
        const Int128 grenze = Eingabe::MaxBetrag.raw();
        const bool imBereich = Int128(a) * n >= std::numeric_limits<std::int64_t>::min() &&
                               Int128(a) * n <= std::numeric_limits<std::int64_t>::max() &&
                               soll <= grenze && soll >= -grenze;
        pruefe(w.has_value() == imBereich);
        if (w) pruefe(w->raw() == soll);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto* chars = reinterpret_cast<const char*>(data);
    const qsizetype n = static_cast<qsizetype>(size);
    for (const QString& text : {QString::fromLatin1(chars, n), QString::fromUtf8(chars, n)})
        leser(text);
    if (size >= 24) {
        std::int64_t w[3];
        std::memcpy(w, data, sizeof w);
        rechnung(w[0], w[1], w[2]);
        // Small factors are where units live.
        rechnung(w[0], w[1], w[2] % 2'000'000'000);
    }
    return 0;
}
