#include "core/Realgewinn.h"

#include "core/DecimalRound.h"
#include "core/Kalender.h"
#include "core/Numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

// The statement of a long-kept depot has tens of thousands of lines, so each
// line is written straight into the result without temporary strings.

namespace {

constexpr qsizetype TextBreite = RealgewinnAufbau::TextBreite;
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
        constexpr std::int64_t Gross = std::int64_t(1) << 62;
        if (dm.raw() > -Gross && dm.raw() < Gross) {
            const std::int64_t magnitude = std::abs(dm.raw());
            const std::int64_t cents = (magnitude + 50) / 100;
            return Currency::fromRaw((dm.raw() < 0 ? -cents : cents) * 100);
        }
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

/// One line without its CR LF appended to out, written in place.
void anhaengen(QString& out, const QDate& datum, QStringView text, Currency summe, Einheit e,
               Currency* angezeigt) {
    const Currency betrag = angezeigterBetrag(summe, e);
    if (angezeigt) *angezeigt = betrag;
    // Only a date beyond four-digit years makes the line longer.
    char kurzesDatum[10];
    const bool kurz = Kalender::punktform(datum, kurzesDatum);
    const QString langesDatum = !datum.isValid() || kurz
                                    ? QString()
                                    : datum.toString(QStringLiteral("dd.MM.yyyy"));
    const qsizetype datumBreite = std::max<qsizetype>(10, langesDatum.size());
    const qsizetype alt = out.size();
    out.resize(alt + ZeilenLaenge - 10 + datumBreite);
    QChar* p = out.data() + alt;
    const auto blanks = [&p](qsizetype n) { p = std::fill_n(p, n, QLatin1Char(' ')); };

    *p++ = QLatin1Char(' ');
    if (!datum.isValid()) {
        blanks(10);
    } else if (kurz) {
        p = std::transform(kurzesDatum, kurzesDatum + 10, p,
                           [](char c) { return QLatin1Char(c); });
    } else {
        p = std::copy(langesDatum.cbegin(), langesDatum.cend(), p);
        blanks(datumBreite - langesDatum.size());
    }
    blanks(2);
    const qsizetype n = std::min(text.size(), TextBreite);
    p = std::copy_n(text.data(), n, p);
    blanks(TextBreite - n);

    // "0.00" of the whole cents, right-aligned in 11; a longer text keeps its first 11.
    const std::int64_t raw = betrag.raw();
    unsigned long long cents = static_cast<unsigned long long>(raw < 0 ? -(raw / 100) : raw / 100);
    char buf[32];
    char* end = buf + sizeof buf;
    char* q = end;
    *--q = static_cast<char>('0' + cents % 10);
    cents /= 10;
    *--q = static_cast<char>('0' + cents % 10);
    cents /= 10;
    *--q = ',';
    do {
        *--q = static_cast<char>('0' + cents % 10);
        cents /= 10;
    } while (cents > 0);
    if (raw < 0) *--q = '-';
    const qsizetype laenge = end - q;
    if (laenge < BetragBreite) blanks(BetragBreite - laenge);
    for (qsizetype i = 0; i < std::min(laenge, BetragBreite); ++i)
        *p++ = QLatin1Char(q[i]);
}

} // namespace

QString einheitText(Einheit e) {
    return e == Einheit::DM ? QStringLiteral("DM") : QStringLiteral("Euro");
}

QString realgewinnZeile(const Buchung& b, Einheit e, Currency* angezeigt) {
    QString out;
    out.reserve(ZeilenLaenge);
    anhaengen(out, b.datum, b.text, b.summe, e, angezeigt);
    return out;
}

RealgewinnAufbau::RealgewinnAufbau(Einheit e, qsizetype zeilen) : m_einheit(e) {
    m_r.text.reserve(zeilen * (ZeilenLaenge + 2));
}

void RealgewinnAufbau::zeile(const QDate& datum, QStringView text, Currency summe) {
    Currency betrag;
    anhaengen(m_r.text, datum, text, summe, m_einheit, &betrag);
    m_r.text.append(QLatin1String("\r\n"));
    // Checked: a sum that cannot be formed is said, never wrapped.
    if (const auto neu = m_r.saldo.plus(betrag))
        m_r.saldo = *neu;
    else
        m_r.saldoZuGross = true;
}

Realgewinn realgewinnAufstellung(const QList<Buchung>& buchungen, Einheit e) {
    RealgewinnAufbau aufbau(e, buchungen.size());
    for (const Buchung& b : buchungen)
        aufbau.zeile(b.datum, b.text, b.summe);
    return aufbau.ergebnis();
}
