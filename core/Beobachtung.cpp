#include "core/Beobachtung.h"

#include "core/Berichte.h"
#include "core/Charts.h"
#include "core/Numbers.h"

namespace Beobachtung {

namespace {

const QLatin1String CrLf("\r\n");

/// pieces × price, or nothing when the product leaves the currency range.
std::optional<Currency> mal(qint64 stueck, Currency kurs) {
    std::int64_t raw = 0;
    if (__builtin_mul_overflow(kurs.raw(), stueck, &raw)) return std::nullopt;
    return Currency::fromRaw(raw);
}

std::optional<Currency> plus(Currency a, Currency b) {
    std::int64_t raw = 0;
    if (__builtin_add_overflow(a.raw(), b.raw(), &raw)) return std::nullopt;
    return Currency::fromRaw(raw);
}

} // namespace

Bewertung bewerten(const BeobachtetePosition& p) {
    Bewertung b;
    if (!p.stueck || !p.kurs || !p.kaufkurs) return b;
    b.wert = mal(*p.stueck, *p.kurs);
    b.kaufwert = mal(*p.stueck, *p.kaufkurs);
    if (!b.wert || !b.kaufwert) return {};
    const auto differenz = plus(*b.wert, -*b.kaufwert);
    if (!differenz) return {};
    b.gesamtwert = b.wert->format00();
    b.euro = differenz->format00();
    // A purchase value of 0 has no percentage.
    if (!b.kaufwert->isZero())
        b.prozent = Numbers::format00(100.0 * double(differenz->raw()) / double(b.kaufwert->raw()));
    return b;
}

Summen summieren(const QList<Bewertung>& bewertungen) {
    Summen s;
    for (const Bewertung& b : bewertungen) {
        if (!b.wert || !b.kaufwert) continue;
        const auto wert = plus(s.wert, *b.wert);
        const auto kauf = plus(s.kaufwert, *b.kaufwert);
        if (!wert || !kauf) continue;
        s.wert = *wert;
        s.kaufwert = *kauf;
    }
    return s;
}

QString summenzeile(const Summen& s) {
    const Currency gewinn = s.wert - s.kaufwert;
    const QString wort = gewinn.isNegative() ? QStringLiteral(" Depotverlust =  ")
                                             : QStringLiteral(" Depotgewinn =  ");
    return QStringLiteral(" Depotwert =  ") + s.wert.format00() + QStringLiteral(" Euro    (") +
           Numbers::euroToDm(s.wert).format00() + QStringLiteral(" DM)") + QString(8, u' ') + wort +
           gewinn.format00() + QStringLiteral(" Euro    (") + Numbers::euroToDm(gewinn).format00() +
           QStringLiteral("  DM)");
}

QString bericht(const QList<BeobachtetePosition>& positionen, const QDate& heute,
                const QString& summenzeile) {
    using Berichte::links;
    using Berichte::rechts;
    const QString rand(12, u' ');
    const QString linie = rand + QString(73, u'-') + CrLf;
    QString t;
    t += CrLf;
    t += QStringLiteral("            BERICHT Beobachten-Depot am ") + Berichte::datumText(heute) +
         CrLf + CrLf;
    t += rand +
         QStringLiteral(
             "Datum       Aktie                    WP-KN   Stück   Kaufkurs   Tageskurs") +
         CrLf;
    t += linie;
    for (const BeobachtetePosition& p : positionen) {
        const auto feld = [&p](int i) { return p.texte.value(i); };
        t += rand + links(feld(0), 10) + QStringLiteral("  ") + links(feld(1), 23) +
             QStringLiteral("  ") + links(feld(2), 6) + QStringLiteral("  ") + rechts(feld(3), 5) +
             QStringLiteral("  ") + rechts(feld(4), 9) + QStringLiteral("   ") +
             rechts(feld(5), 9) + CrLf;
    }
    t += linie;
    // Value and gain (or loss) each on a line of their own.
    qsizetype wort = summenzeile.indexOf(QStringLiteral("Depotgewinn"));
    if (wort < 0) wort = summenzeile.indexOf(QStringLiteral("Depotverlust"));
    if (wort < 0) wort = summenzeile.size();
    t += rand + summenzeile.left(wort).trimmed() + CrLf;
    t += rand + summenzeile.mid(wort).trimmed();
    return t;
}

void chart(Chartmodell& m, const QStringList& kurse, const QString& name) {
    const QStringList letzte = kurse.mid(std::max<qsizetype>(0, kurse.size() - Charts::Tage30));
    const int n = int(letzte.size());
    m.setPunktzahl(n);
    m.setSerie(1);
    m.setAutoWeiter(false);
    m.setTyp(Chartmodell::Linie);
    m.setLabelModus(Chartmodell::BeideAchsen);
    m.setTitel(Charts::namensKern(name));
    // From the newest backwards, as the quotes are walked.
    for (int k = n; k >= 1; --k) {
        const double wert = Numbers::leadingNumber(letzte.at(k - 1));
        m.setPunkt(k);
        m.setWert(wert);
        m.setBeschriftung(Numbers::format00(wert));
    }
}

} // namespace Beobachtung
