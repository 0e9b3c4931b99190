#include "core/Eingabe.h"
#include "core/Numbers.h"

namespace Eingabe {

namespace {

/// What a reading that found no number says; Keiner when it found one.
Fehler fehlerDerLesung(Numbers::Reading r) {
    switch (r) {
    case Numbers::Reading::Empty:
        return Fehler::Leer;
    case Numbers::Reading::NotANumber:
        return Fehler::KeineZahl;
    case Numbers::Reading::TooLarge:
        return Fehler::ZuGross;
    case Numbers::Reading::Number:
        break;
    }
    return Fehler::Keiner;
}

Feld<Currency> ausLesung(const Numbers::AmountReading& r, bool negativErlaubt) {
    Feld<Currency> f;
    f.fehler = fehlerDerLesung(r.reading);
    if (f.fehler != Fehler::Keiner) return f;
    if (!imBereich(r.value)) {
        f.fehler = Fehler::ZuGross;
        return f;
    }
    if (r.value.isNegative() && !negativErlaubt) {
        // Only a pasted text gets a "-" into a field that does not take it.
        f.fehler = Fehler::KeineZahl;
        return f;
    }
    f.wert = r.value;
    f.fehler = Fehler::Keiner;
    return f;
}

} // namespace

Feld<Currency> betrag(const QString& text, bool negativErlaubt) {
    return ausLesung(Numbers::readAmount(text, 4), negativErlaubt);
}

Feld<Currency> betragInCent(const QString& text, bool negativErlaubt) {
    return ausLesung(Numbers::readAmount(text, 2), negativErlaubt);
}

Feld<Currency> indexwert(const QString& text) {
    return ausLesung(Numbers::readAmount(text, 4, Numbers::Mode::Index), false);
}

Feld<qint64> stueck(const QString& text) {
    const Numbers::WholeReading r = Numbers::readWhole(text);
    Feld<qint64> f;
    f.fehler = fehlerDerLesung(r.reading);
    if (f.fehler != Fehler::Keiner) return f;
    if (!r.whole || r.value < 0) {
        f.fehler = Fehler::KeineGanzeZahl;
        return f;
    }
    if (r.value > MaxStueck) {
        f.fehler = Fehler::ZuGross;
        return f;
    }
    f.wert = r.value;
    f.fehler = Fehler::Keiner;
    return f;
}

std::optional<Currency> wert(Currency preis, qint64 stueck, Currency zuschlag) {
    const auto produkt = preis.times(stueck);
    if (!produkt) return std::nullopt;
    const auto summe = produkt->plus(zuschlag);
    if (!summe || !imBereich(*summe)) return std::nullopt;
    return summe;
}

bool steuerzeichen(QChar c) {
    return c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
           c == QChar::ParagraphSeparator;
}

QString einzeilig(const QString& text, int maxLength) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        if (!steuerzeichen(c)) out += c;
    return out.left(maxLength);
}

QString groessterBetragText(int stellen) {
    return stellen == 2 ? QStringLiteral("99.999.999.999,99")
                        : QStringLiteral("99.999.999.999,9999");
}

QString zuGrossText(const QString& feld, bool negativErlaubt, int stellen) {
    const QString g = groessterBetragText(stellen);
    return QStringLiteral("Der Betrag im Feld \"%1\" ist zu groß!\n").arg(feld) +
           (negativErlaubt ? QStringLiteral("Erlaubt sind Beträge von -%1 bis %1.").arg(g)
                           : QStringLiteral("Erlaubt sind Beträge bis %1.").arg(g));
}

QString stueckGrenzeText() {
    return QStringLiteral("Erlaubt sind höchstens 999.999.999 Stück.");
}

QString stueckZuGrossText() {
    return QStringLiteral("Die Stückzahl ist zu groß!\n") + stueckGrenzeText();
}

QString ergebnisZuGrossText(const QString& feld) {
    return QStringLiteral("Der %1 wäre zu groß!\nErlaubt sind Beträge bis 99.999.999.999,9999.")
        .arg(feld);
}

} // namespace Eingabe
