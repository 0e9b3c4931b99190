#pragma once
// Valuation of one package and of the whole portfolio.

#include "core/Currency.h"
#include <QString>
#include <optional>

/// The fields of one package that valuation needs. Units are 32-bit.
struct PaketWerte {
    qint32 stueck = 0;
    Currency kaufpreis;
    Currency gebuehren;
    Currency tageskurs;
    Currency altkurs;
};

struct PaketBewertung {
    Currency kaufwert;             ///< stück × kaufpreis + gebühren
    Currency aktwert;              ///< stück × tageskurs
    Currency gewinn;               ///< aktwert − kaufwert
    Currency kursdiff;             ///< tageskurs − altkurs
    std::optional<float> prozent;  ///< 100 × kursdiff / altkurs; none when altkurs is 0
    /// A product or sum left the 64-bit range: the amounts above are 0 and
    /// must not be shown as numbers.
    bool ueberlauf = false;
};

PaketBewertung bewerte(const PaketWerte& p);

/// Portfolio totals and the texts of the value panel.
struct Summen {
    Currency gesamtwert;     ///< Σ stück × tageskurs
    Currency gesamtkauf;     ///< Σ (stück × kaufpreis + gebühren)
    Currency gesamtgewinn;   ///< gesamtwert − gesamtkauf
    QString labelGesamtwert; ///< "1000.00" (decimal point)
    QString label10;         ///< "1955,83 DM"
    QString labelAllgewinn;  ///< "-5.00"
    QString label14;         ///< "-9,78 DM"
    QString label17;         ///< verdict line
    bool ueberlauf = false;  ///< the gain could not be formed; its labels say so
};

/// What a label shows instead of an amount that cannot be formed.
QString zuGrossAnzeige();

/// Builds the panel texts from the two sums.
Summen summenTexte(Currency gesamtwert, Currency gesamtkauf);

/// The verdict line for the text of LabelAllgewinn.
QString urteil(const QString& allgewinnText);
