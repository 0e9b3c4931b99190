#include "core/Charts.h"

#include "core/Numbers.h"

#include <algorithm>

namespace Charts {

namespace {

/// A currency value in whole cents (halves away from zero), as "0.00" shows it.
double inCent(Currency c) {
    const std::int64_t raw = c.raw();
    const std::int64_t cent = raw >= 0 ? (raw + 50) / 100 : -((-raw + 50) / 100);
    return double(cent) / 100.0;
}

/// The items every chart of one series sets first.
void neueReihe(Chartmodell& m, int punkte, bool autoWeiter, int typ) {
    m.setPunktzahl(punkte);
    m.setSerie(1);
    m.setAutoWeiter(autoWeiter);
    m.setTyp(typ);
}

void kurseEinzeln(Chartmodell& m, const QList<Currency>& kurse, bool beschriften) {
    for (int i = 0; i < kurse.size(); ++i) {
        m.setPunkt(i + 1);
        m.setWert(kurse[i].toDouble());
        if (beschriften) {
            m.setPunkt(i + 1);
            m.setBeschriftung(kurse[i].format00());
        }
    }
}

} // namespace

QString namensKern(const QString& name) {
    qsizetype von = 0, bis = name.size();
    while (von < bis && name.at(von) == QLatin1Char(' '))
        ++von;
    while (bis > von && name.at(bis - 1) == QLatin1Char(' '))
        --bis;
    return name.mid(von, bis - von);
}

void chart30(Chartmodell& m, const QList<Currency>& kurse) {
    const QList<Currency> letzte = kurse.mid(std::max<qsizetype>(0, kurse.size() - Tage30));
    neueReihe(m, int(letzte.size()), false, Chartmodell::Linie);
    m.setLabelModus(Chartmodell::BeideAchsen);
    m.setGitter(Chartmodell::BeideRichtungen);
    m.setTitel(QStringLiteral("30-Tage-Chart"));
    kurseEinzeln(m, letzte, true);
}

QString letzterKursText(Currency kurs) {
    return QStringLiteral("Letzter Kurs = ") + kurs.format00() + QStringLiteral(" Euro   (") +
           Numbers::euroToDm(kurs).format00() + QStringLiteral(" DM)");
}

void chart100(Chartmodell& m, const QList<Currency>& kurse, const QString& titel,
              Currency letzterKurs) {
    neueReihe(m, int(kurse.size()), true, Chartmodell::Linie);
    m.setTitel(titel);
    m.setLabelModus(Chartmodell::NurYAchse);
    m.setUntertitel(letzterKursText(letzterKurs));
    for (const Currency& k : kurse)
        m.setWert(k.toDouble());
}

void chart100Druck(Chartmodell& m, const QList<Currency>& kurse, const QString& name,
                   Currency letzterKurs) {
    neueReihe(m, int(kurse.size()), false, Chartmodell::Linie);
    m.setTitel(namensKern(name) + QStringLiteral("    (100 Tage-Chart)"));
    m.setLabelModus(Chartmodell::NurYAchse);
    m.setUntertitel(letzterKursText(letzterKurs));
    kurseEinzeln(m, kurse, false);
}

void bilanzchart(Chartmodell& m, const QList<BilanzPosten>& posten) {
    neueReihe(m, int(posten.size()), true, Chartmodell::Balken2D);
    m.setLabelModus(Chartmodell::BeideAchsen);
    m.setGitter(Chartmodell::Waagerecht);
    m.setTitel(QString());
    for (int i = 0; i < posten.size(); ++i) {
        m.setPunkt(i + 1);
        m.setWert(inCent(posten[i].gewinn));
    }
    for (int i = 0; i < posten.size(); ++i) {
        m.setPunkt(i + 1);
        m.setBeschriftung(posten[i].name + QStringLiteral("   ") + posten[i].gewinn.format00());
    }
}

QString bilanzTitel(const QDate& heute) {
    return QStringLiteral("Gewinn / Verlust am  ") + heute.toString(QStringLiteral("dd.MM.yyyy"));
}

void indexchart(Chartmodell& m, const QList<double>& werte, const QDate& heute) {
    neueReihe(m, int(werte.size()), true, Chartmodell::Linie);
    m.setTitel(QStringLiteral("100 Tage-Chart AktienIndex am ") +
               heute.toString(QStringLiteral("dd.MM.yyyy")));
    m.setLabelModus(Chartmodell::NurYAchse);
    for (double w : werte)
        m.setWert(w);
}

QString zuWenigKurse(const QString& name) {
    return QStringLiteral("Keine Anzeige des Chart möglich!\n\nEs müssen mindestens 2 Kurse "
                          "gespeichert sein!\nVon  \"") +
           namensKern(name) + QStringLiteral("\"  sind weniger als 2 Kurse gespeichert!");
}

QString keinPaket() {
    return QStringLiteral(
        "Keine Anzeige des Chart möglich!\n\nEs muss mindestens 1 Aktie gespeichert sein!");
}

QString zuWenigIndexwerte() {
    return QStringLiteral("Keine Anzeige des Index-Chart möglich!\n\nEs muss mindestens 1 "
                          "Indexwert gespeichert sein!\nEs wurden keine Indexwerte gefunden!");
}

QString keineKurseZumBearbeiten() {
    return QStringLiteral(
        "Keine Bearbeitung der Kurse möglich!\n\nEs sind keine Kurse gespeichert!");
}

QString keineKurseGefunden(const QString& name) {
    return QStringLiteral("Keine Chart-Kurse der Aktie   ") + namensKern(name) +
           QStringLiteral("  gefunden!");
}

QString kurseLoeschenFrage(const QString& name) {
    return QStringLiteral("Sie wollen wirklich alle gespeicherten Chart-Kurse der Aktie   ") +
           namensKern(name) + QStringLiteral("  löschen?");
}

} // namespace Charts
