#include "core/Chartmodell.h"

#include <algorithm>
#include <cmath>

void Chartmodell::setPunktzahl(int n) {
    n = std::max(0, n);
    m_werte = QList<double>(n, 0.0);
    m_beschriftungen = QList<QString>(n);
    m_punkt = 1;
}

void Chartmodell::setWert(double wert) {
    if (m_punkt >= 1 && m_punkt <= punktzahl()) m_werte[m_punkt - 1] = wert;
    if (m_autoWeiter) ++m_punkt;
}

void Chartmodell::setBeschriftung(const QString& text) {
    if (m_punkt >= 1 && m_punkt <= punktzahl()) m_beschriftungen[m_punkt - 1] = text;
    if (m_autoWeiter) ++m_punkt;
}

double Chartmodell::wert(int i) const {
    return i >= 1 && i <= punktzahl() ? m_werte[i - 1] : 0.0;
}

QString Chartmodell::beschriftung(int i) const {
    return i >= 1 && i <= punktzahl() ? m_beschriftungen[i - 1] : QString();
}

bool Chartmodell::hatBeschriftungen() const {
    return std::any_of(m_beschriftungen.begin(), m_beschriftungen.end(),
                       [](const QString& s) { return !s.isEmpty(); });
}

bool Chartmodell::waagerechteLinien() const {
    return !m_gitter || *m_gitter == Waagerecht || *m_gitter == BeideRichtungen;
}

bool Chartmodell::senkrechteLinien() const {
    return m_gitter && (*m_gitter == Senkrecht || *m_gitter == BeideRichtungen);
}

namespace {

/// 1, 2, 2.5 or 5 times a power of ten, the smallest such step ≥ roh.
double runderSchritt(double roh) {
    const double zehner = std::pow(10.0, std::floor(std::log10(roh)));
    for (double f : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (f * zehner >= roh * (1 - 1e-9)) return f * zehner;
    return 10 * zehner;
}

} // namespace

YAchse yAchseFuer(const QList<double>& werte, bool mitNull) {
    double lo = 0, hi = 0;
    bool erster = true;
    for (double w : werte) {
        if (!std::isfinite(w)) continue;
        if (erster) {
            lo = hi = w;
            erster = false;
        } else {
            lo = std::min(lo, w);
            hi = std::max(hi, w);
        }
    }
    if (mitNull) {
        lo = std::min(lo, 0.0);
        hi = std::max(hi, 0.0);
    }
    if (hi - lo < 1e-9) {
        // A flat line still gets a band around it.
        const double rand = std::max(std::fabs(hi) * 0.05, 1.0);
        hi += rand;
        lo = mitNull && lo >= 0 ? lo : lo - rand;
    } else if (!mitNull) {
        // Lines keep a little room above and below.
        const double rand = (hi - lo) * 0.05;
        lo -= rand;
        hi += rand;
    }
    // About five to ten steps of a round size.
    const double schritt = runderSchritt((hi - lo) / 6.0);
    YAchse a;
    a.min = std::floor(lo / schritt + 1e-9) * schritt;
    a.max = std::ceil(hi / schritt - 1e-9) * schritt;
    if (a.max <= a.min) a.max = a.min + schritt;
    a.ticks = int(std::lround((a.max - a.min) / schritt)) + 1;
    // 2.5 needs one decimal more than its power of ten.
    const double stellen = -std::floor(std::log10(schritt) + 1e-9);
    a.nachkommastellen = std::clamp(int(stellen), 0, 6);
    if (std::fabs(schritt / std::pow(10.0, -a.nachkommastellen) -
                  std::round(schritt / std::pow(10.0, -a.nachkommastellen))) > 1e-6)
        a.nachkommastellen = std::min(a.nachkommastellen + 1, 6);
    return a;
}
