#include "core/Bewertung.h"
#include "core/Numbers.h"

PaketBewertung bewerte(const PaketWerte& p) {
    PaketBewertung b;
    b.kaufwert = p.kaufpreis * static_cast<std::int64_t>(p.stueck) + p.gebuehren;
    b.aktwert = p.tageskurs * static_cast<std::int64_t>(p.stueck);
    b.gewinn = b.aktwert - b.kaufwert;
    b.kursdiff = p.tageskurs - p.altkurs;
    // Without a previous quote there is no percentage (the division would be by zero).
    if (!p.altkurs.isZero())
        b.prozent = static_cast<float>(100.0 * b.kursdiff.toDouble() / p.altkurs.toDouble());
    return b;
}

namespace {

// The DM labels are computed from the two-decimal Euro amount as displayed.
QString dmAusAnzeige(const QString& euroAnzeige) {
    return Numbers::dmText(
        Currency::fromDouble(Numbers::leadingNumber(euroAnzeige) * Numbers::DmRate));
}

} // namespace

Summen summenTexte(Currency gesamtwert, Currency gesamtkauf) {
    Summen s;
    s.gesamtwert = gesamtwert;
    s.gesamtkauf = gesamtkauf;
    s.gesamtgewinn = gesamtwert - gesamtkauf;
    s.labelGesamtwert = Numbers::withDecimalPoint(gesamtwert.format00());
    s.label10 = dmAusAnzeige(s.labelGesamtwert);
    s.labelAllgewinn = Numbers::withDecimalPoint(s.gesamtgewinn.format00());
    s.label14 = dmAusAnzeige(s.labelAllgewinn);
    s.label17 = urteil(s.labelAllgewinn);
    return s;
}

QString urteil(const QString& allgewinnText) {
    if (allgewinnText.startsWith(QLatin1Char('-')))
        return QStringLiteral("-- Gesamtverlust --------------------");
    if (allgewinnText == QLatin1String("0.00")) return QStringLiteral("Kein Gewinn / kein Verlust");
    return QStringLiteral("-- Gesamtgewinn --------------------");
}
