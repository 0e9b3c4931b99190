#include "core/Bewertung.h"
#include "core/Numbers.h"

QString zuGrossAnzeige() {
    return QStringLiteral("zu groß");
}

PaketBewertung bewerte(const PaketWerte& p) {
    PaketBewertung b;
    // Checked: a package written by another program may hold amounts whose
    // product leaves the 64-bit range.
    const auto kauf = p.kaufpreis.times(p.stueck);
    const auto kaufwert = kauf ? kauf->plus(p.gebuehren) : std::nullopt;
    const auto aktwert = p.tageskurs.times(p.stueck);
    const auto gewinn = kaufwert && aktwert ? aktwert->minus(*kaufwert) : std::nullopt;
    const auto kursdiff = p.tageskurs.minus(p.altkurs);
    if (!gewinn || !kursdiff) {
        b.ueberlauf = true;
        return b;
    }
    b.kaufwert = *kaufwert;
    b.aktwert = *aktwert;
    b.gewinn = *gewinn;
    b.kursdiff = *kursdiff;
    // Without a previous quote there is no percentage (the division would be by zero).
    if (!p.altkurs.isZero())
        b.prozent = static_cast<float>(100.0 * b.kursdiff.toDouble() / p.altkurs.toDouble());
    return b;
}

namespace {

// The DM labels are computed from the two-decimal Euro amount as displayed.
QString dmAusAnzeige(const QString& euroAnzeige) {
    const auto euro = Numbers::leadingCurrency(euroAnzeige);
    const auto dm = euro ? Numbers::euroToDmChecked(*euro) : std::nullopt;
    return dm ? Numbers::dmText(*dm) : zuGrossAnzeige();
}

} // namespace

Summen summenTexte(Currency gesamtwert, Currency gesamtkauf) {
    Summen s;
    s.gesamtwert = gesamtwert;
    s.gesamtkauf = gesamtkauf;
    s.labelGesamtwert = Numbers::withDecimalPoint(gesamtwert.format00());
    s.label10 = dmAusAnzeige(s.labelGesamtwert);
    const auto gewinn = gesamtwert.minus(gesamtkauf);
    if (!gewinn) {
        s.ueberlauf = true;
        s.labelAllgewinn = zuGrossAnzeige();
        s.label14 = zuGrossAnzeige();
        s.label17 = QString();
        return s;
    }
    s.gesamtgewinn = *gewinn;
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
