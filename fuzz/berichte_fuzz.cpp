// Builds the depot reports from packages whose fields hold whatever a
// database row may hold: any 64-bit amount or unit count, any day, any text.
// No value may widen a column: a report of n packages is exactly as long as
// one of n ordinary packages, whatever they hold. And the column functions
// keep their width.
#include "core/Berichte.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <list>

namespace {

void pruefe(bool ok) {
    if (!ok) std::abort();
}

qint64 zahl(FuzzedDataProvider& f) {
    // Mostly ordinary amounts, sometimes anything 64 bits hold.
    return f.ConsumeBool() ? f.ConsumeIntegralInRange<qint64>(-100'000'000'000, 100'000'000'000)
                           : f.ConsumeIntegral<qint64>();
}

std::optional<Currency> betrag(FuzzedDataProvider& f) {
    if (f.ConsumeIntegralInRange(0, 7) == 0) return std::nullopt;
    return Currency::fromRaw(zahl(f));
}

QDate tag(FuzzedDataProvider& f) {
    switch (f.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return {};
    case 1:
        return QDate::fromJulianDay(f.ConsumeIntegral<qint64>());
    default:
        return QDate(2000, 1, 1).addDays(f.ConsumeIntegralInRange(-800'000, 3'000'000));
    }
}

QString text(FuzzedDataProvider& f, std::size_t laenge) {
    return QString::fromUtf8(f.ConsumeRandomLengthString(laenge));
}

/// A package whose names live in namen (a list, so they never move).
BerichtPaket paket(FuzzedDataProvider& f, std::list<QString>& namen) {
    BerichtPaket p;
    p.datum = tag(f);
    p.wpkn = namen.emplace_back(text(f, 12));
    p.aktie = namen.emplace_back(text(f, 40));
    if (f.ConsumeIntegralInRange(0, 7) != 0) p.stueck = zahl(f);
    p.kaufpreis = betrag(f);
    p.gebuehren = betrag(f);
    p.tageskurs = betrag(f);
    p.altkurs = betrag(f).value_or(Currency());
    p.dividende = betrag(f).value_or(Currency());
    p.kaufdatum = tag(f);
    return p;
}

BerichtPaket gewoehnlich(const QDate& datum) {
    BerichtPaket p;
    p.datum = datum;
    p.wpkn = u"123456";
    p.aktie = u"Muster AG";
    p.stueck = 10;
    p.kaufpreis = Currency::fromWhole(50);
    p.gebuehren = Currency::fromWhole(5);
    p.tageskurs = Currency::fromWhole(55);
    p.altkurs = Currency::fromWhole(54);
    p.kaufdatum = QDate(2024, 1, 2);
    return p;
}

// Every layout built from the packages, in one text per layout.
QStringList berichte(const QList<BerichtPaket>& pakete, const QDate& heute, const Tageswerte& w,
                     const QString& gemerkt) {
    // Each screen report counts its rows 1 … n.
    int gemeldet = 0;
    const auto zaehlen = [&gemeldet, n = int(pakete.size())](int nr) {
        pruefe(nr == gemeldet % n + 1);
        ++gemeldet;
    };
    QStringList t;
    for (const BerichtSeite& s : {Berichte::kurzfassung(pakete, heute, zaehlen),
                                  Berichte::komplettfassung(pakete, heute, zaehlen),
                                  Berichte::differenz(pakete, w, zaehlen)})
        t << s.kopf + QLatin1Char('|') + s.text;
    pruefe(gemeldet == 3 * pakete.size());
    t << Berichte::kurzfassungDruck(pakete, heute) << Berichte::komplettfassungDruck(pakete, heute)
      << Berichte::differenzDruck(pakete, w, gemerkt);
    return t;
}

void spalten(FuzzedDataProvider& f) {
    const QString wert = text(f, 30);
    const int breite = f.ConsumeIntegralInRange(0, 40);
    const QString l = Berichte::links(wert, breite);
    const QString r = Berichte::rechts(wert, breite);
    pruefe(l.size() == breite && r.size() == breite);
    pruefe(l.left(wert.size()) == wert.left(breite) && l.mid(wert.size()).trimmed().isEmpty());
    pruefe(wert.size() >= breite
               ? r == wert.left(breite)
               : r.right(wert.size()) == wert && r.left(breite - wert.size()).trimmed().isEmpty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider f(data, size);
    spalten(f);
    const QDate heute = tag(f);
    Tageswerte w;
    w.altallwert = Currency::fromRaw(zahl(f));
    w.indexname = text(f, 20);
    if (f.ConsumeBool()) w.indexzahl = f.ConsumeFloatingPoint<double>();
    const QString gemerkt = text(f, 20);
    std::list<QString> namen;
    QList<BerichtPaket> pakete;
    while (f.remaining_bytes() > 0 && pakete.size() < 50)
        pakete << paket(f, namen);

    const QStringList ist = berichte(pakete, heute, w, gemerkt);
    QList<BerichtPaket> muster;
    for (qsizetype i = 0; i < pakete.size(); ++i)
        muster << gewoehnlich(pakete.last().datum); // the printout's title names the last day
    const QStringList soll = berichte(muster, heute, w, gemerkt);
    for (qsizetype i = 0; i < ist.size(); ++i)
        pruefe(ist[i].size() == soll[i].size());
    return 0;
}
