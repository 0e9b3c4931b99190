#include "core/Berichte.h"

#include "core/Bewertung.h"
#include "core/DecimalRound.h"
#include "core/Kalender.h"
#include "core/Numbers.h"

#include <algorithm>
#include <limits>

namespace {

const QLatin1String CrLf("\r\n");

// A report of a thousand packages writes tens of thousands of columns, so
// numbers and dates are written on the stack and appended without
// temporary strings.

/// A short Latin-1 text: an amount, a number or a date.
struct Kurz {
    char z[48];
    qsizetype n = 0;
    QLatin1String text() const { return QLatin1String(z, n); }
};

/// Digits of v written backwards from end; returns the first character.
char* ziffern(char* end, unsigned __int128 v) {
    // Every amount of a row fits 64 bits; dividing those is far cheaper.
    if (v <= std::numeric_limits<std::uint64_t>::max()) {
        auto w = static_cast<std::uint64_t>(v);
        do {
            *--end = static_cast<char>('0' + static_cast<int>(w % 10));
            w /= 10;
        } while (w > 0);
        return end;
    }
    do {
        *--end = static_cast<char>('0' + static_cast<int>(v % 10));
        v /= 10;
    } while (v > 0);
    return end;
}

Kurz ausPuffer(const char* von, const char* bis) {
    Kurz k;
    k.n = bis - von;
    std::copy(von, bis, k.z);
    return k;
}

/// "0.00" as Currency::format00 writes it: halves away from zero, decimal
/// comma, a sign only when the rounded amount is not zero.
Kurz betragKurz(Currency c) {
    const std::int64_t raw = c.raw();
    const bool negativ = raw < 0;
    // The magnitude of any 64-bit amount fits unsigned 64 bits (2^63 at most).
    const std::uint64_t betrag = negativ ? std::uint64_t{0} - static_cast<std::uint64_t>(raw)
                                         : static_cast<std::uint64_t>(raw);
    const std::uint64_t cent = (betrag + 50) / 100;
    char puffer[48];
    char* const ende = puffer + sizeof puffer;
    char* p = ende;
    *--p = static_cast<char>('0' + static_cast<int>(cent % 10));
    *--p = static_cast<char>('0' + static_cast<int>(cent / 10 % 10));
    *--p = ',';
    p = ziffern(p, cent / 100);
    if (negativ && cent != 0) *--p = '-';
    return ausPuffer(p, ende);
}

/// A field's amount; blank when the field is empty.
Kurz betrag(const std::optional<Currency>& c) {
    return c ? betragKurz(*c) : Kurz{};
}

/// A computed amount; "zu groß" (as the card says it) when it cannot be formed.
Kurz ergebnis(const std::optional<Currency>& c) {
    if (c) return betragKurz(*c);
    static const QByteArray zuGross = zuGrossAnzeige().toLatin1();
    return ausPuffer(zuGross.constData(), zuGross.constData() + zuGross.size());
}

/// A field's amount in DM: blank when the field is empty.
Kurz inDm(const std::optional<Currency>& euro) {
    return euro ? ergebnis(Numbers::euroToDmChecked(*euro)) : Kurz{};
}

std::optional<Currency> dm(const std::optional<Currency>& euro) {
    return euro ? Numbers::euroToDmChecked(*euro) : std::nullopt;
}

/// a + b; none when either is none or the sum leaves the 64-bit range.
std::optional<Currency> plus(const std::optional<Currency>& a, const std::optional<Currency>& b) {
    return a && b ? a->plus(*b) : std::nullopt;
}

std::optional<Currency> minus(const std::optional<Currency>& a, const std::optional<Currency>& b) {
    return a && b ? a->minus(*b) : std::nullopt;
}

QString ergebnisText(const std::optional<Currency>& c) {
    return c ? c->format00() : zuGrossAnzeige();
}

Kurz stueckText(const std::optional<qint64>& s) {
    if (!s) return {};
    char puffer[32];
    char* const ende = puffer + sizeof puffer;
    const bool negativ = *s < 0;
    char* p = ziffern(ende, negativ ? static_cast<unsigned __int128>(-static_cast<__int128>(*s))
                                    : static_cast<unsigned __int128>(*s));
    if (negativ) *--p = '-';
    return ausPuffer(p, ende);
}

Kurz datumKurz(const QDate& d) {
    Kurz k;
    if (!d.isValid()) return k;
    if (Kalender::punktform(d, k.z)) {
        k.n = 10;
        return k;
    }
    const QByteArray lang = d.toString(QStringLiteral("dd.MM.yyyy")).toLatin1();
    return ausPuffer(lang.constData(), lang.constData() + std::min<qsizetype>(lang.size(), 48));
}

/// A report text being written: a thousand lines of short pieces each, so
/// the pieces are copied straight into one buffer without QString's checks
/// per call.
class Puffer {
public:
    void reserve(qsizetype n) {
        if (n > m_s.size()) neu(n);
    }
    qsizetype size() const { return m_p - m_d; }

    void append(QLatin1String t) {
        platz(t.size());
        for (const char c : t) *m_p++ = QChar(static_cast<uchar>(c));
    }
    void append(QLatin1Char c) {
        platz(1);
        *m_p++ = QChar(c);
    }
    void append(QStringView t) {
        platz(t.size());
        m_p = std::copy(t.begin(), t.end(), m_p);
    }
    void append(const QString& t) { append(QStringView(t)); }
    void append(const Puffer& t) { append(QStringView(t.m_d, t.size())); }
    void fill(QChar c, qsizetype n) {
        if (n <= 0) return;
        platz(n);
        m_p = std::fill_n(m_p, n, c);
    }

    /// The text written; the buffer is empty afterwards.
    QString fertig() {
        m_s.truncate(size());
        m_d = m_p = m_e = nullptr;
        return std::move(m_s);
    }

private:
    void platz(qsizetype n) {
        if (m_e - m_p < n) neu(std::max(2 * m_s.size(), size() + n + 256));
    }
    void neu(qsizetype kapazitaet) {
        const qsizetype n = size();
        m_s.resize(kapazitaet);
        m_d = m_s.data();
        m_p = m_d + n;
        m_e = m_d + m_s.size();
    }

    QString m_s;
    QChar* m_d = nullptr;
    QChar* m_p = nullptr;
    QChar* m_e = nullptr;
};

void blanks(Puffer& out, qsizetype n) {
    out.fill(QLatin1Char(' '), n);
}

/// A text field as a view: no copy of the part that is cut off.
QStringView sicht(const QString& t) {
    return t;
}
QStringView sicht(QStringView t) {
    return t;
}
QLatin1String sicht(QLatin1String t) {
    return t;
}

template <typename Text>
void linksAnhaengen(Puffer& out, const Text& wert, qsizetype breite) {
    const qsizetype n = std::min<qsizetype>(wert.size(), breite);
    out.append(sicht(wert).left(n));
    blanks(out, breite - n);
}

template <typename Text>
void rechtsAnhaengen(Puffer& out, const Text& wert, qsizetype breite) {
    if (wert.size() >= breite) {
        out.append(sicht(wert).left(breite));
        return;
    }
    blanks(out, breite - wert.size());
    out.append(wert);
}

// A row may hold any amount (written by another program, or taken over from
// an old file): products and sums that leave the 64-bit range are none.

/// The value of a package: units × quote (exact in currency).
std::optional<Currency> wert(const BerichtPaket& p) {
    return p.tageskurs.value_or(Currency()).times(p.stueck.value_or(0));
}

/// Purchase price of a package: units × price + fees.
std::optional<Currency> kaufwert(const BerichtPaket& p) {
    return plus(p.kaufpreis.value_or(Currency()).times(p.stueck.value_or(0)),
                p.gebuehren.value_or(Currency()));
}

/// The detail lines of a layout and the length of the last one (with CR LF).
struct Zeilen {
    Puffer text;
    qsizetype letzte = -1;                     ///< -1: no detail line
    std::optional<Currency> kauf = Currency(); ///< Gesamtkaufpreis; none: cannot be formed
    std::optional<Currency> wert = Currency(); ///< Wert alle Aktien
};

/// Appends indent + rule of (last detail line − minus) "_" with the line ends
/// around it; nothing when there is no detail line to measure.
void strich(Puffer& out, const Zeilen& z, QLatin1String vorher, qsizetype einzug,
            qsizetype minus, QLatin1String nachher) {
    if (z.letzte < 0 || z.letzte - minus < 0) return;
    out.append(vorher);
    blanks(out, einzug);
    out.fill(QLatin1Char('_'), z.letzte - minus);
    out.append(nachher);
}

/// The length of the last detail line, for a layout that draws its rule
/// above the detail lines: that line is written once ahead into a buffer of
/// its own, so the report itself is written front to back in one pass.
template <typename Zeile>
qsizetype letzteZeile(const QList<BerichtPaket>& pakete, const Zeile& zeile) {
    if (pakete.isEmpty()) return -1;
    Puffer eine;
    eine.reserve(256);
    zeile(eine, pakete.last());
    return eine.size();
}

/// The three total lines; the last has no line end.
void summen(Puffer& out, qsizetype einzug, const Zeilen& z, qsizetype breite) {
    const struct {
        const char* text;
        std::optional<Currency> betrag;
    } zeilen[3] = {{"Gesamtkaufpreis        = ", z.kauf},
                   {"Wert alle Aktien       = ", z.wert},
                   {"Gesamtgewinn / Verlust = ", minus(z.wert, z.kauf)}};
    for (int i = 0; i < 3; ++i) {
        blanks(out, einzug);
        out.append(QLatin1String(zeilen[i].text));
        rechtsAnhaengen(out, ergebnis(zeilen[i].betrag).text(), breite);
        out.append(QLatin1String(" Euro  ("));
        rechtsAnhaengen(out, ergebnis(dm(zeilen[i].betrag)).text(), 9);
        out.append(QLatin1String(" DM )"));
        if (i < 2) out.append(CrLf);
    }
}

/// An amount as the main window's labels show it: rounded to cents, halves
/// away from zero, as "0.00" writes it.
Currency aufCent(Currency c) {
    const std::int64_t raw = c.raw();
    constexpr std::int64_t Grenze = std::numeric_limits<std::int64_t>::max() - 50;
    if (raw > Grenze || raw < -Grenze) return c;
    const std::int64_t cent = ((raw < 0 ? -raw : raw) + 50) / 100 * 100;
    return Currency::fromRaw(raw < 0 ? -cent : cent);
}

/// What the card shows for a package against its previous quote.
struct Tagesdifferenz {
    Kurz prozent;                 ///< the percentage label's number, empty without previous quote
    QString prozentLang;          ///< the same when it does not fit a Kurz (a huge percentage)
    std::optional<Currency> euro; ///< the change as the card shows it; none: "zu groß"
    std::optional<Currency> dm;
};

Tagesdifferenz tagesdifferenz(const BerichtPaket& p) {
    PaketWerte w;
    w.stueck = static_cast<qint32>(p.stueck.value_or(0));
    w.tageskurs = p.tageskurs.value_or(Currency());
    w.altkurs = p.altkurs;
    const PaketBewertung b = bewerte(w);
    Tagesdifferenz d;
    if (b.prozent) {
        // As Numbers::format00 writes it, without a QString per row.
        const double wert = static_cast<double>(*b.prozent);
        const auto cent = DecimalRound::scaled(wert, 2, DecimalRound::Mode::HalfAwayFromZero);
        constexpr std::int64_t Grenze = std::numeric_limits<std::int64_t>::max() / 100;
        if (cent && *cent <= Grenze && *cent >= -Grenze)
            d.prozent = betragKurz(Currency::fromRaw(*cent * 100));
        else
            d.prozentLang = Numbers::format00(wert);
    }
    if (b.ueberlauf) return d; // the card says "zu groß" too
    d.euro = aufCent(b.kursdiff);
    d.dm = dm(d.euro);
    return d;
}

void prozentAnhaengen(Puffer& out, const Tagesdifferenz& d, qsizetype breite) {
    if (d.prozentLang.isEmpty())
        rechtsAnhaengen(out, d.prozent.text(), breite);
    else
        rechtsAnhaengen(out, d.prozentLang, breite);
}

/// The depot's day result and total gain as the value panel shows them.
/// None where the value panel says "zu groß".
struct Depotwerte {
    std::optional<Currency> tagesdiff;
    std::optional<Currency> tagesdiffDm;
    bool tagesverlust = false;
    std::optional<Currency> gewinn;
    std::optional<Currency> gewinnDm;
    bool gesamtverlust = false;
};

Depotwerte depotwerte(const QList<BerichtPaket>& pakete, const Tageswerte& werte) {
    std::optional<Currency> wertSumme = Currency(), kaufSumme = Currency();
    for (const BerichtPaket& p : pakete) {
        wertSumme = plus(wertSumme, wert(p));
        kaufSumme = plus(kaufSumme, kaufwert(p));
    }
    Depotwerte d;
    if (!wertSumme || !kaufSumme) return d;
    const Summen s = summenTexte(*wertSumme, *kaufSumme);
    d.tagesdiff =
        Currency::fromDouble(Numbers::leadingNumber(s.labelGesamtwert)).minus(werte.altallwert);
    d.tagesdiffDm = dm(d.tagesdiff);
    d.tagesverlust = d.tagesdiff && d.tagesdiff->isNegative();
    if (!s.ueberlauf) {
        d.gewinn = Currency::fromDouble(Numbers::leadingNumber(s.labelAllgewinn));
        d.gewinnDm = dm(d.gewinn);
        d.gesamtverlust = s.labelAllgewinn.startsWith(QLatin1Char('-'));
    }
    return d;
}

QString indexWert(const Tageswerte& w) {
    return w.indexzahl ? Numbers::format00(*w.indexzahl) : QString();
}

} // namespace

namespace Berichte {

QString links(QStringView wert, int breite) {
    Puffer s;
    s.reserve(breite);
    linksAnhaengen(s, wert, breite);
    return s.fertig();
}

QString rechts(QStringView wert, int breite) {
    Puffer s;
    s.reserve(breite);
    rechtsAnhaengen(s, wert, breite);
    return s.fertig();
}

QString datumText(const QDate& d) {
    return d.isValid() ? d.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

// ---------------------------------------------------------------- short report

BerichtSeite kurzfassung(const QList<BerichtPaket>& pakete, const QDate& heute,
                         const BerichtFortschritt& fortschritt) {
    BerichtSeite s;
    s.titel = QStringLiteral(" Bericht Bestand am ") + datumText(heute);
    s.kopf = QStringLiteral("   Datum                  WP-KN      Aktie                              "
                            "  Stück         Tageskurs         Gesamtwert");
    Zeilen z;
    z.text.reserve(pakete.size() * 68 + 400);
    int nr = 0;
    for (const BerichtPaket& p : pakete) {
        if (fortschritt) fortschritt(++nr);
        const qsizetype anfang = z.text.size();
        const std::optional<Currency> w = wert(p);
        z.text.append(QLatin1Char(' '));
        linksAnhaengen(z.text, datumKurz(p.datum).text(), 10);
        blanks(z.text, 2);
        linksAnhaengen(z.text, p.wpkn, 6);
        blanks(z.text, 2);
        linksAnhaengen(z.text, p.aktie, 15);
        blanks(z.text, 1);
        rechtsAnhaengen(z.text, stueckText(p.stueck).text(), 5);
        blanks(z.text, 1);
        rechtsAnhaengen(z.text, betrag(p.tageskurs).text(), 10);
        blanks(z.text, 1);
        rechtsAnhaengen(z.text, ergebnis(w).text(), 11);
        z.text.append(CrLf);
        z.letzte = z.text.size() - anfang;
        z.kauf = plus(z.kauf, kaufwert(p));
        z.wert = plus(z.wert, w);
    }
    strich(z.text, z, QLatin1String(""), 1, 3, QLatin1String("\r\n\r\n"));
    summen(z.text, 1, z, 10);
    z.text.append(QLatin1String("\r\n\r\n Werte in Euro (DM-Werte in Klammern)"));
    s.text = z.text.fertig();
    return s;
}

QString kurzfassungDruck(const QList<BerichtPaket>& pakete, const QDate& heute) {
    // The printout counts the dividends into the value.
    auto zeile = [](Puffer& out, const BerichtPaket& p, const std::optional<Currency>& w) {
        blanks(out, 11);
        linksAnhaengen(out, datumKurz(p.datum).text(), 12);
        linksAnhaengen(out, p.wpkn, 8);
        blanks(out, 2);
        linksAnhaengen(out, p.aktie, 25);
        rechtsAnhaengen(out, stueckText(p.stueck).text(), 12);
        rechtsAnhaengen(out, betrag(p.tageskurs).text(), 12);
        rechtsAnhaengen(out, ergebnis(w).text(), 12);
        out.append(CrLf);
    };
    auto druckwert = [](const BerichtPaket& p) { return plus(wert(p), p.dividende); };
    Zeilen z;
    z.letzte = letzteZeile(pakete, [&](Puffer& out, const BerichtPaket& p) {
        zeile(out, p, druckwert(p));
    });

    Puffer& t = z.text;
    t.reserve(pakete.size() * 98 + 1200);
    t.append(CrLf);
    t.append(QStringLiteral("            BERICHT AKTIENBESTAND   am ") + datumText(heute));
    t.append(QLatin1String("\r\n\r\n"));
    strich(t, z, QLatin1String(""), 10, 11, QLatin1String("\r\n\r\n"));
    t.append(QStringLiteral("            Datum       WP-KN    Aktie                           "
                            "Stück   Tageskurs    Ges-Wert"));
    t.append(CrLf);
    strich(t, z, QLatin1String(""), 10, 11, QLatin1String("\r\n\r\n"));
    for (const BerichtPaket& p : pakete) {
        const std::optional<Currency> w = druckwert(p);
        zeile(t, p, w);
        z.kauf = plus(z.kauf, kaufwert(p));
        z.wert = plus(z.wert, w);
    }
    strich(t, z, CrLf, 10, 11, QLatin1String("\r\n\r\n"));
    summen(t, 11, z, 10);
    t.append(QLatin1String("\r\n\r\n           Werte in Euro (DM-Werte in Klammern)\r\n"));
    return t.fertig();
}

// ---------------------------------------------------------------- complete report

BerichtSeite komplettfassung(const QList<BerichtPaket>& pakete, const QDate& heute,
                             const BerichtFortschritt& fortschritt) {
    BerichtSeite s;
    s.titel = QStringLiteral("    BERICHT AKTIENBESTAND   am ") + datumText(heute);
    s.kopf = QStringLiteral(
        "      Datum                 WP-KN       Aktie                                         "
        "              Stück            Gebühren            Kaufdatum                  Kaufkurs "
        "          Tageskurs                Gesamtwert");
    Zeilen z;
    z.text.reserve(pakete.size() * 118 + 500);
    z.text.append(CrLf);
    int nr = 0;
    for (const BerichtPaket& p : pakete) {
        if (fortschritt) fortschritt(++nr);
        const qsizetype anfang = z.text.size();
        const std::optional<Currency> w = wert(p);
        blanks(z.text, 2);
        linksAnhaengen(z.text, datumKurz(p.datum).text(), 10);
        blanks(z.text, 2);
        linksAnhaengen(z.text, p.wpkn, 6);
        blanks(z.text, 2);
        linksAnhaengen(z.text, p.aktie, 24);
        blanks(z.text, 2);
        rechtsAnhaengen(z.text, stueckText(p.stueck).text(), 5);
        blanks(z.text, 2);
        rechtsAnhaengen(z.text, betrag(p.gebuehren).text(), 10);
        blanks(z.text, 3);
        linksAnhaengen(z.text, datumKurz(p.kaufdatum).text(), 10);
        blanks(z.text, 3);
        rechtsAnhaengen(z.text, betrag(p.kaufpreis).text(), 10);
        blanks(z.text, 2);
        rechtsAnhaengen(z.text, betrag(p.tageskurs).text(), 10);
        blanks(z.text, 2);
        rechtsAnhaengen(z.text, ergebnis(w).text(), 13);
        z.text.append(CrLf);
        z.letzte = z.text.size() - anfang;
        z.kauf = plus(z.kauf, kaufwert(p));
        z.wert = plus(z.wert, w);
    }
    strich(z.text, z, QLatin1String(""), 2, 4, QLatin1String("\r\n\r\n"));
    summen(z.text, 2, z, 12);
    z.text.append(QLatin1String("\r\n\r\n  Werte in Euro (DM-Werte in Klammern)"));
    s.text = z.text.fertig();
    return s;
}

QString komplettfassungDruck(const QList<BerichtPaket>& pakete, const QDate& heute) {
    auto zeile = [](Puffer& out, const BerichtPaket& p, const std::optional<Currency>& w) {
        blanks(out, 12);
        linksAnhaengen(out, datumKurz(p.datum).text(), 10);
        blanks(out, 2);
        linksAnhaengen(out, p.wpkn, 6);
        blanks(out, 2);
        linksAnhaengen(out, p.aktie, 20);
        blanks(out, 3);
        rechtsAnhaengen(out, stueckText(p.stueck).text(), 5);
        blanks(out, 3);
        rechtsAnhaengen(out, betrag(p.gebuehren).text(), 10);
        blanks(out, 3);
        linksAnhaengen(out, datumKurz(p.kaufdatum).text(), 10);
        blanks(out, 4);
        rechtsAnhaengen(out, betrag(p.kaufpreis).text(), 10);
        blanks(out, 3);
        rechtsAnhaengen(out, betrag(p.tageskurs).text(), 10);
        blanks(out, 3);
        rechtsAnhaengen(out, ergebnis(w).text(), 13);
        out.append(CrLf);
    };
    Zeilen z;
    z.letzte = letzteZeile(pakete,
                           [&](Puffer& out, const BerichtPaket& p) { zeile(out, p, wert(p)); });

    Puffer& t = z.text;
    t.reserve(pakete.size() * 132 + 1500);
    t.append(QLatin1String("\r\n\r\n"));
    t.append(QStringLiteral("            BERICHT AKTIENBESTAND   am ") + datumText(heute));
    t.append(QLatin1String("\r\n\r\n\r\n"));
    strich(t, z, QLatin1String(""), 12, 13, QLatin1String("\r\n\r\n"));
    t.append(QStringLiteral("              Datum     WP-KN   Aktie                  Stück     "
                            "Gebühren    Kaufdatum      Kaufkurs    Tageskurs      Gesamtwert"));
    t.append(CrLf);
    strich(t, z, QLatin1String(""), 12, 13, QLatin1String("\r\n\r\n"));
    for (const BerichtPaket& p : pakete) {
        const std::optional<Currency> w = wert(p);
        zeile(t, p, w);
        z.kauf = plus(z.kauf, kaufwert(p));
        z.wert = plus(z.wert, w);
    }
    strich(t, z, CrLf, 12, 13, QLatin1String("\r\n\r\n"));
    summen(t, 12, z, 12);
    t.append(QLatin1String("\r\n\r\n            Werte in Euro (DM-Werte in Klammern)\r\n"));
    return t.fertig();
}

// ---------------------------------------------------------------- day difference

BerichtSeite differenz(const QList<BerichtPaket>& pakete, const Tageswerte& werte,
                       const BerichtFortschritt& fortschritt) {
    BerichtSeite s;
    s.kopf = QStringLiteral("   Datum                  Aktie                                    "
                            "Kurs/Eu        Kurs/DM           Diff %         Diff DM");
    Zeilen z;
    z.text.reserve(pakete.size() * 64 + 400);
    int nr = 0;
    for (const BerichtPaket& p : pakete) {
        if (fortschritt) fortschritt(++nr);
        const qsizetype anfang = z.text.size();
        const Tagesdifferenz d = tagesdifferenz(p);
        z.text.append(QLatin1Char(' '));
        linksAnhaengen(z.text, datumKurz(p.datum).text(), 10);
        blanks(z.text, 2);
        linksAnhaengen(z.text, p.aktie, 17);
        blanks(z.text, 1);
        rechtsAnhaengen(z.text, betrag(p.tageskurs).text(), 7);
        blanks(z.text, 2);
        rechtsAnhaengen(z.text, inDm(p.tageskurs).text(), 7);
        blanks(z.text, 2);
        prozentAnhaengen(z.text, d, 7);
        blanks(z.text, 2);
        rechtsAnhaengen(z.text, ergebnis(d.dm).text(), 7);
        z.text.append(CrLf);
        z.letzte = z.text.size() - anfang;
    }
    s.titel = QStringLiteral(" Bericht Differenz zum Vortag vom  ") +
              (pakete.isEmpty() ? QString() : datumText(pakete.last().datum));

    const Depotwerte d = depotwerte(pakete, werte);
    strich(z.text, z, QLatin1String(""), 1, 3, QLatin1String("\r\n\r\n"));
    // Amount and unit are joined first and then aligned together.
    linksAnhaengen(z.text,
                   d.tagesverlust ? QStringLiteral(" Tagesverlust  = ")
                                  : QStringLiteral(" Tagesgewinn   = "),
                   18);
    rechtsAnhaengen(z.text, ergebnisText(d.tagesdiff) + QLatin1String(" Euro"), 14);
    z.text.append(QLatin1String("  ("));
    rechtsAnhaengen(z.text, ergebnisText(d.tagesdiffDm) + QLatin1String(" DM)"), 14);
    z.text.append(CrLf);
    linksAnhaengen(z.text,
                   d.gesamtverlust ? QStringLiteral(" Gesamtverlust = ")
                                   : QStringLiteral(" Gesamtgewinn  = "),
                   18);
    rechtsAnhaengen(z.text, ergebnisText(d.gewinn) + QLatin1String(" Euro"), 14);
    z.text.append(QLatin1String("  ("));
    rechtsAnhaengen(z.text, ergebnisText(d.gewinnDm) + QLatin1String(" DM)"), 14);
    z.text.append(QLatin1String("\r\n\r\n Index ("));
    z.text.append(werte.indexname);
    z.text.append(QLatin1String(") = "));
    z.text.append(indexWert(werte));
    s.text = z.text.fertig();
    return s;
}

QString differenzDruck(const QList<BerichtPaket>& pakete, const Tageswerte& werte,
                       const QString& gemerkterIndexname) {
    Zeilen z;
    Puffer& t = z.text;
    t.reserve(pakete.size() * 100 + 1000);
    t.append(QStringLiteral("              Bericht Aktien-Wertdifferenz  zum Vortag vom "));
    if (!pakete.isEmpty()) t.append(datumText(pakete.last().datum));
    t.append(QLatin1String("\r\n\r\n\r\n\r\n"));
    t.append(QStringLiteral("                Datum     Aktie                  Kurs/EU     Kurs/DM   "
                            "   Diff %    Diff DM    Diff EU"));
    t.append(QLatin1String("\r\n\r\n"));
    for (const BerichtPaket& p : pakete) {
        const qsizetype anfang = t.size();
        const Tagesdifferenz d = tagesdifferenz(p);
        blanks(t, 14);
        linksAnhaengen(t, datumKurz(p.datum).text(), 10);
        blanks(t, 2);
        linksAnhaengen(t, p.aktie, 20);
        blanks(t, 2);
        rechtsAnhaengen(t, betrag(p.tageskurs).text(), 8);
        blanks(t, 4);
        rechtsAnhaengen(t, inDm(p.tageskurs).text(), 8);
        blanks(t, 4);
        prozentAnhaengen(t, d, 8);
        blanks(t, 3);
        rechtsAnhaengen(t, ergebnis(d.dm).text(), 8);
        blanks(t, 3);
        rechtsAnhaengen(t, ergebnis(d.euro).text(), 8);
        t.append(CrLf);
        z.letzte = t.size() - anfang;
    }

    const Depotwerte d = depotwerte(pakete, werte);
    strich(t, z, QLatin1String(""), 14, 16, QLatin1String("\r\n\r\n"));
    t.append(d.tagesverlust ? QLatin1String("              Tagesverlust   = ")
                            : QLatin1String("              Tagesgewinn    = "));
    rechtsAnhaengen(t, ergebnisText(d.tagesdiff), 10);
    t.append(QLatin1String(" Euro  ("));
    rechtsAnhaengen(t, ergebnisText(d.tagesdiffDm), 10);
    t.append(QLatin1String(" DM )\r\n\r\n"));
    t.append(d.gesamtverlust ? QLatin1String("              Gesamtverlust  = ")
                             : QLatin1String("              Gesamtgewinn   = "));
    rechtsAnhaengen(t, ergebnisText(d.gewinn), 10);
    t.append(QLatin1String(" Euro  ("));
    rechtsAnhaengen(t, ergebnisText(d.gewinnDm), 10);
    t.append(QLatin1String(" DM )\r\n\r\n"));
    t.append(QLatin1String("              Index ("));
    t.append(gemerkterIndexname);
    t.append(QLatin1String(")  = "));
    linksAnhaengen(t, indexWert(werte), 10);
    return t.fertig();
}

} // namespace Berichte
