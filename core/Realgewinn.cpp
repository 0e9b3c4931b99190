#include "core/Realgewinn.h"

#include "core/DecimalRound.h"
#include "core/Numbers.h"

#include <limits>

namespace {

constexpr qsizetype TextBreite = 24;
constexpr qsizetype BetragBreite = 11;
constexpr qsizetype ZeilenLaenge = 1 + 10 + 2 + TextBreite + BetragBreite + 2;

/// The amount rounded to two decimals the way "0.00" shows it, as a currency value.
Currency angezeigterBetrag(Currency dm, Einheit e) {
    if (e == Einheit::DM) {
        // Four decimals down to two, halves away from zero, as format00 does.
        const __int128 raw = dm.raw();
        const __int128 magnitude = raw < 0 ? -raw : raw;
        __int128 rounded = (magnitude + 50) / 100 * 100;
        if (rounded > std::numeric_limits<std::int64_t>::max()) rounded -= 100;
        return Currency::fromRaw(static_cast<std::int64_t>(raw < 0 ? -rounded : rounded));
    }
    const double euro = dm.toDouble() / Numbers::DmRate;
    const auto cents = DecimalRound::scaled(euro, 2, DecimalRound::Mode::HalfAwayFromZero);
    // Beyond 64 bits the amount cannot be shown as a sum; it stays out of it.
    return cents ? Currency::fromRaw(*cents * 100) : Currency();
}

void anhaengen(QString& out, const Buchung& b, Einheit e, Currency* angezeigt) {
    const Currency betrag = angezeigterBetrag(b.summe, e);
    if (angezeigt) *angezeigt = betrag;
    out += QLatin1Char(' ');
    out += b.datum.isValid()
               ? b.datum.toString(QStringLiteral("dd.MM.yyyy")).leftJustified(10, QLatin1Char(' '))
               : QString(10, QLatin1Char(' '));
    out += QLatin1String("  ");
    out += b.text.leftJustified(TextBreite, QLatin1Char(' '), true);
    out += betrag.format00().rightJustified(BetragBreite, QLatin1Char(' '), true);
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
    r.text.reserve(buchungen.size() * ZeilenLaenge);
    for (const Buchung& b : buchungen) {
        Currency betrag;
        anhaengen(r.text, b, e, &betrag);
        r.text += QLatin1String("\r\n");
        r.saldo += betrag;
    }
    return r;
}
