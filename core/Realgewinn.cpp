#include "core/Realgewinn.h"

#include "core/DecimalRound.h"
#include "core/Numbers.h"

#include <cmath>
#include <cstdlib>
#include <limits>

// The statement of a long-kept depot has tens of thousands of lines, so each
// line is written straight into the result without temporary strings.

namespace {

constexpr qsizetype TextBreite = 24;
constexpr qsizetype BetragBreite = 11;
constexpr qsizetype ZeilenLaenge = 1 + 10 + 2 + TextBreite + BetragBreite;

Currency ganzeCent(__int128 cents) {
    constexpr __int128 Max = std::numeric_limits<std::int64_t>::max() / 100;
    if (cents > Max) cents = Max;
    if (cents < -Max) cents = -Max;
    return Currency::fromRaw(static_cast<std::int64_t>(cents) * 100);
}

/// The amount rounded to two decimals, halves away from zero, the way "0.00" shows it.
Currency angezeigterBetrag(Currency dm, Einheit e) {
    if (e == Einheit::DM) {
        const __int128 raw = dm.raw();
        const __int128 magnitude = raw < 0 ? -raw : raw;
        const __int128 cents = (magnitude + 50) / 100;
        return ganzeCent(raw < 0 ? -cents : cents);
    }
    // A DM amount in ten-thousandths divided by 1.95583 never lies exactly on a
    // half cent (195583 is odd), and within the range of real amounts the
    // double's error is far below the distance to one, so rounding the double
    // gives the same cents as formatting the quotient.
    const double cents = dm.toDouble() / Numbers::DmRate * 100.0;
    if (std::fabs(cents) < 1e15)
        return Currency::fromRaw(static_cast<std::int64_t>(std::round(cents)) * 100);
    const auto exact = DecimalRound::scaled(dm.toDouble() / Numbers::DmRate, 2,
                                            DecimalRound::Mode::HalfAwayFromZero);
    return exact ? ganzeCent(*exact) : Currency();
}

void leerzeichen(QString& out, qsizetype n) {
    for (; n > 0; --n)
        out.append(QLatin1Char(' '));
}

void zweiStellen(char* p, int v) {
    p[0] = static_cast<char>('0' + v / 10 % 10);
    p[1] = static_cast<char>('0' + v % 10);
}

void datumAnhaengen(QString& out, const QDate& d) {
    int y = 0, m = 0, t = 0;
    if (d.isValid()) d.getDate(&y, &m, &t);
    if (!d.isValid()) {
        leerzeichen(out, 10);
    } else if (y >= 0 && y <= 9999) {
        char buf[10];
        zweiStellen(buf, t);
        buf[2] = '.';
        zweiStellen(buf + 3, m);
        buf[5] = '.';
        zweiStellen(buf + 6, y / 100);
        zweiStellen(buf + 8, y % 100);
        out.append(QLatin1String(buf, 10));
    } else {
        out.append(d.toString(QStringLiteral("dd.MM.yyyy")).leftJustified(10, QLatin1Char(' ')));
    }
}

/// "0.00" of a whole-cent amount, right-aligned in 11; a longer text keeps its first 11.
void betragAnhaengen(QString& out, Currency betrag) {
    const std::int64_t raw = betrag.raw();
    unsigned long long cents = static_cast<unsigned long long>(raw < 0 ? -(raw / 100) : raw / 100);
    char buf[32];
    char* end = buf + sizeof buf;
    char* p = end;
    *--p = static_cast<char>('0' + cents % 10);
    cents /= 10;
    *--p = static_cast<char>('0' + cents % 10);
    cents /= 10;
    *--p = ',';
    do {
        *--p = static_cast<char>('0' + cents % 10);
        cents /= 10;
    } while (cents > 0);
    if (raw < 0) *--p = '-';
    const qsizetype n = end - p;
    if (n >= BetragBreite) {
        out.append(QLatin1String(p, BetragBreite));
    } else {
        leerzeichen(out, BetragBreite - n);
        out.append(QLatin1String(p, n));
    }
}

void anhaengen(QString& out, const Buchung& b, Einheit e, Currency* angezeigt) {
    const Currency betrag = angezeigterBetrag(b.summe, e);
    if (angezeigt) *angezeigt = betrag;
    out.append(QLatin1Char(' '));
    datumAnhaengen(out, b.datum);
    out.append(QLatin1String("  "));
    if (b.text.size() >= TextBreite) {
        out.append(b.text.constData(), TextBreite);
    } else {
        out.append(b.text);
        leerzeichen(out, TextBreite - b.text.size());
    }
    betragAnhaengen(out, betrag);
}

} // namespace

QString einheitText(Einheit e) {
    return e == Einheit::DM ? QStringLiteral("DM") : QStringLiteral("Euro");
}

QString realgewinnZeile(const Buchung& b, Einheit e, Currency* angezeigt) {
    QString out;
    out.reserve(ZeilenLaenge);
    anhaengen(out, b, e, angezeigt);
    return out;
}

Realgewinn realgewinnAufstellung(const QList<Buchung>& buchungen, Einheit e) {
    Realgewinn r;
    r.text.reserve(buchungen.size() * (ZeilenLaenge + 2));
    for (const Buchung& b : buchungen) {
        Currency betrag;
        anhaengen(r.text, b, e, &betrag);
        r.text.append(QLatin1String("\r\n"));
        r.saldo += betrag;
    }
    return r;
}
