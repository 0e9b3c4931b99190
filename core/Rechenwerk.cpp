#include "core/Rechenwerk.h"

#include "core/Currency.h"
#include "core/Numbers.h"

#include <algorithm>
#include <cmath>

namespace {

const QString Start = QStringLiteral("0,");

// Beyond this a currency value cannot hold the amount; such results are
// converted and formatted as doubles.
constexpr double WaehrungsGrenze = 9e14;

} // namespace

Rechenwerk::Rechenwerk() : m_anzeige(Start), m_umgerechnet(Start) {}

QString Rechenwerk::einheitAnzeige() const {
    return m_richtung == Richtung::InEuro ? QStringLiteral("DM") : QStringLiteral("EU");
}

QString Rechenwerk::einheitUmgerechnet() const {
    return m_richtung == Richtung::InEuro ? QStringLiteral("EU") : QStringLiteral("DM");
}

void Rechenwerk::ziffer(int d) {
    if (d < 0 || d > 9) return;
    if (m_letzte != Eingabe::Zahl) {
        m_anzeige = QStringLiteral(",");
        m_komma = false;
    }
    const QChar z(QLatin1Char(static_cast<char>('0' + d)));
    if (m_komma) {
        m_anzeige += z;
    } else {
        // Until a comma is typed the display ends in one: digits go before it.
        const qsizetype komma = m_anzeige.indexOf(QLatin1Char(','));
        m_anzeige = m_anzeige.left(komma < 0 ? m_anzeige.size() : komma) + z + QLatin1Char(',');
    }
    if (m_letzte == Eingabe::Minus) m_anzeige.prepend(QLatin1Char('-'));
    m_letzte = Eingabe::Zahl;
    m_optionenFrei = false;
}

void Rechenwerk::komma() {
    if (m_letzte == Eingabe::Minus)
        m_anzeige = QStringLiteral("-0,");
    else if (m_letzte != Eingabe::Zahl)
        m_anzeige = Start;
    m_komma = true;
    m_letzte = Eingabe::Zahl;
    m_optionenFrei = false;
}

QString Rechenwerk::rechenzeichen(QChar o) {
    QString meldung;
    // A percentage counts as the second operand already; capping the count
    // keeps a number typed after it from leaving the calculator stuck.
    if (m_letzte == Eingabe::Zahl) m_operanden = std::min(m_operanden + 1, 2);
    switch (m_operanden) {
    case 0:
        if (o == QLatin1Char('-') && m_letzte != Eingabe::Minus) {
            m_anzeige.prepend(QLatin1Char('-'));
            m_letzte = Eingabe::Minus;
        }
        break;
    case 1:
        m_op1 = wert(m_anzeige);
        if (o == QLatin1Char('-') && m_letzte != Eingabe::Zahl && m_offen != QLatin1Char('=')) {
            m_anzeige = QStringLiteral("-");
            m_letzte = Eingabe::Minus;
        }
        break;
    default: {
        m_op2 = wert(m_anzeige);
        double ergebnis = m_op1;
        switch (m_offen.unicode()) {
        case '+':
            ergebnis = m_op1 + m_op2;
            break;
        case '-':
            ergebnis = m_op1 - m_op2;
            break;
        case 'X':
        case '%':
            ergebnis = m_op1 * m_op2;
            break;
        case '/':
            if (m_op2 == 0)
                meldung = nullDivisionText();
            else
                ergebnis = m_op1 / m_op2;
            break;
        case '=':
            ergebnis = m_op2;
            break;
        default:
            break;
        }
        if (meldung.isEmpty() && !std::isfinite(ergebnis)) meldung = zuGrossText();
        if (meldung.isEmpty()) m_op1 = ergebnis;
        m_anzeige = klartext(m_op1);
        m_operanden = 1;
        break;
    }
    }
    if (m_letzte != Eingabe::Minus) {
        m_letzte = Eingabe::Operator;
        m_offen = o;
    }
    m_optionenFrei = true;
    umrechnen();
    return meldung;
}

void Rechenwerk::prozent() {
    m_anzeige = klartext(wert(m_anzeige) / 100);
    m_letzte = Eingabe::Operator;
    m_offen = QLatin1Char('%');
    m_komma = true;
    m_operanden = std::min(m_operanden + 1, 2);
}

void Rechenwerk::allesLoeschen() {
    m_anzeige = Start;
    m_op1 = 0;
    m_op2 = 0;
    m_komma = false;
    m_operanden = 0;
    m_letzte = Eingabe::Keine;
    m_offen = QLatin1Char(' ');
    m_optionenFrei = true;
    m_umgerechnet = m_anzeige;
}

void Rechenwerk::eingabeLoeschen() {
    m_anzeige = Start;
    m_komma = false;
    m_letzte = Eingabe::Geloescht;
    m_optionenFrei = true;
    m_umgerechnet = m_anzeige;
}

void Rechenwerk::setRichtung(Richtung r) {
    m_richtung = r;
    m_anzeige = Start;
    m_umgerechnet = Start;
}

void Rechenwerk::umrechnen() {
    // The display taken as an amount with four decimals, as the program
    // converts every amount.
    const Numbers::AmountReading r = Numbers::readAmount(m_anzeige, 4, Numbers::Mode::Display);
    const double betrag =
        r.reading == Numbers::Reading::Number ? r.value.toDouble() : wert(m_anzeige);
    const double ergebnis =
        m_richtung == Richtung::InEuro ? betrag / Numbers::DmRate : betrag * Numbers::DmRate;
    m_umgerechnet = std::fabs(ergebnis) < WaehrungsGrenze
                        ? Currency::fromDouble(ergebnis).format00()
                        : Numbers::format00(ergebnis);
}

QString Rechenwerk::klartext(double v) {
    if (v == 0 || !std::isfinite(v)) return QStringLiteral("0");
    return QString::number(v, 'g', 15).replace(QLatin1Char('.'), QLatin1Char(','));
}

double Rechenwerk::wert(const QString& anzeige) {
    return Numbers::readDouble(anzeige, Numbers::Mode::Display).value_or(0);
}
