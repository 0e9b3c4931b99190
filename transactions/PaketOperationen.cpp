#include "transactions/PaketOperationen.h"

#include "core/Numbers.h"
#include "db/Database.h"
#include "db/Depot.h"
#include "db/Vorgang.h"

namespace Pakete {

namespace {

QVariant schluessel(Bookmark b) {
    return QVariant(static_cast<qlonglong>(b));
}

QString paketName(Database& db, Bookmark paket, bool* gefunden) {
    const auto rows = db.rows(QStringLiteral("SELECT aktie FROM Aktiendaten WHERE rowid = ?"),
                              {schluessel(paket)});
    *gefunden = !rows.isEmpty();
    return rows.isEmpty() ? QString() : rows.first().value(0).toString();
}

// The history goes only with the last package of that name: history rows
// carry nothing but the name, and another package may still use them.
bool historieAufraeumen(Database& db, const QString& name) {
    if (Depot::paketeMitNamen(db, name) > 0) return true;
    return Depot::kursHistorieLoeschen(db, name);
}

} // namespace

QString keineGanzeStueckzahlText() {
    return QStringLiteral("Die Stückzahl muss eine ganze Zahl sein!");
}

std::optional<Currency> verkaufserloes(const VerkaufEingabe& e) {
    const auto wert = e.kurs.times(e.anzahl);
    const auto euro = wert ? wert->minus(e.gebuehren) : std::nullopt;
    if (!euro || !Eingabe::imBereich(*euro)) return std::nullopt;
    // Credited to the account in DM, to the cent: that amount must lie within
    // the range as well, or the account holds what no field can book back.
    const auto dm = Numbers::euroToDmChecked(*euro);
    const auto gebucht = dm ? dm->cents() : std::nullopt;
    if (!gebucht || !Eingabe::imBereich(*gebucht)) return std::nullopt;
    return dm;
}

VerkaufFelder VerkaufFelder::lesen(Bookmark paket, const QString& aktie, qint64 bestand,
                                   const QString& anzahl, const QString& kurs,
                                   const QString& gebuehren, const QDate& datum) {
    VerkaufFelder f;
    f.paket = paket;
    f.aktie = aktie;
    f.bestand = bestand;
    f.anzahlText = anzahl;
    f.anzahl = Eingabe::stueck(anzahl);
    f.kurs = Eingabe::betrag(kurs);
    f.gebuehren = Eingabe::betrag(gebuehren);
    f.datum = datum;
    return f;
}

VerkaufPruefErgebnis verkaufPruefen(const VerkaufFelder& f) {
    VerkaufPruefErgebnis r;
    const auto refuse = [&r](VerkaufPruefung art, const QString& meldung = QString()) {
        r.art = art;
        r.meldung = meldung.isEmpty() ? verkaufMeldung(art) : meldung;
        return r;
    };
    if (f.anzahl.fehler == Eingabe::Fehler::ZuGross)
        return refuse(VerkaufPruefung::ZuGross, Eingabe::stueckZuGrossText());
    if (f.kurs.fehler == Eingabe::Fehler::ZuGross)
        return refuse(VerkaufPruefung::ZuGross,
                      Eingabe::zuGrossText(QStringLiteral("Verkaufskurs")));
    if (f.gebuehren.fehler == Eingabe::Fehler::ZuGross)
        return refuse(VerkaufPruefung::ZuGross, Eingabe::zuGrossText(QStringLiteral("Gebühren")));
    if (!f.anzahl.ok()) return refuse(VerkaufPruefung::KeineGanzeStueckzahl);
    if (*f.anzahl.wert > f.bestand) return refuse(VerkaufPruefung::MehrAlsBestand);
    // An empty price or fee field counts as 0 (the fee field starts empty).
    const bool kursLesbar = f.kurs.ok() || f.kurs.fehler == Eingabe::Fehler::Leer;
    const bool gebuehrenLesbar = f.gebuehren.ok() || f.gebuehren.fehler == Eingabe::Fehler::Leer;
    if (!kursLesbar || !gebuehrenLesbar) return refuse(VerkaufPruefung::KeineZahl);
    r.eingabe = VerkaufEingabe{f.paket,
                               f.aktie,
                               f.bestand,
                               *f.anzahl.wert,
                               f.kurs.oder(Currency()),
                               f.gebuehren.oder(Currency()),
                               f.datum,
                               f.anzahlText};
    if (!verkaufserloes(r.eingabe))
        return refuse(VerkaufPruefung::ZuGross,
                      Eingabe::ergebnisZuGrossText(QStringLiteral("Verkaufserlös")));
    r.art = r.eingabe.anzahl == f.bestand ? VerkaufPruefung::Gesamtverkauf
                                          : VerkaufPruefung::Teilverkauf;
    return r;
}

QString verkaufMeldung(VerkaufPruefung p) {
    switch (p) {
    case VerkaufPruefung::Teilverkauf:
    case VerkaufPruefung::Gesamtverkauf:
    case VerkaufPruefung::ZuGross:
        return QString();
    case VerkaufPruefung::KeineGanzeStueckzahl:
        return keineGanzeStueckzahlText();
    case VerkaufPruefung::MehrAlsBestand:
        return QStringLiteral("Sie können nicht mehr Stück verkaufen, als das Paket enthält!");
    case VerkaufPruefung::KeineZahl:
        return QStringLiteral("Verkaufskurs und Gebühren müssen Zahlen sein!");
    }
    return QString();
}

QString verkaufText(const VerkaufEingabe& e) {
    // Cut to the column, as a long name would make it longer.
    return (QStringLiteral("Verkauf ") + e.anzahlText + QStringLiteral(" Stück ") + e.aktie)
        .left(Eingabe::Textspalte);
}

Ergebnis verkaufSchreiben(Database& db, const VerkaufEingabe& e,
                          const std::function<void(int)>& nachSchritt) {
    const QString was =
        QStringLiteral("Der Verkauf konnte nicht gespeichert werden. Es wurde nichts geändert.");
    if (e.anzahl < 0) return Ergebnis{false, keineGanzeStueckzahlText()};
    if (e.anzahl > e.bestand)
        return Ergebnis{false, verkaufMeldung(VerkaufPruefung::MehrAlsBestand)};
    const bool ganz = e.anzahl == e.bestand;
    const auto erloes = verkaufserloes(e);
    // Credited as "0.00" shows it; the baseline moves by the exact proceeds.
    const auto gutschrift = erloes ? erloes->cents() : std::nullopt;
    const auto wertEuro = erloes ? Numbers::dmToEuroChecked(*erloes) : std::nullopt;
    if (!gutschrift || !wertEuro)
        return Ergebnis{false, Eingabe::ergebnisZuGrossText(QStringLiteral("Verkaufserlös"))};
    Vorgang v(db, verkaufText(e), was, nachSchritt);
    if (!v.begonnen()) return Ergebnis{false, v.fehler()};
    bool gefunden = false;
    const QString name = paketName(db, e.paket, &gefunden);
    if (!gefunden) return Ergebnis{false, v.fehler()};

    if (!ganz) {
        if (!db.exec(QStringLiteral("UPDATE Aktiendaten SET \"stück\" = ?, datum = ?"
                                    " WHERE rowid = ?"),
                     {e.bestand - e.anzahl, QVariant(e.datum), schluessel(e.paket)}))
            return Ergebnis{false, v.fehler()};
        v.schritt();
    }
    if (!Depot::altallwertAnpassen(db, -*wertEuro)) return Ergebnis{false, v.fehler()};
    v.schritt();
    if (!db.exec(QStringLiteral("INSERT INTO Gewinne (datum, text, summe) VALUES (?, ?, ?)"),
                 {QVariant(e.datum), Eingabe::einzeilig(verkaufText(e)),
                  QVariant::fromValue(*gutschrift)}))
        return Ergebnis{false, v.fehler()};
    v.schritt();
    if (ganz) {
        if (!db.exec(QStringLiteral("DELETE FROM Aktiendaten WHERE rowid = ?"),
                     {schluessel(e.paket)}))
            return Ergebnis{false, v.fehler()};
        v.schritt();
        if (!historieAufraeumen(db, name)) return Ergebnis{false, v.fehler()};
        v.schritt();
    }
    if (!v.commit()) return Ergebnis{false, v.fehler()};
    return Ergebnis{true, QString()};
}

EditFelder EditFelder::lesen(const QString& aktie, const QString& kennummer, const QString& stueck,
                             const QString& kaufpreis, const QString& gebuehren,
                             const QString& tageskurs, const QDate& datum, const QDate& kaufdatum) {
    EditFelder f;
    f.aktie = aktie;
    f.kennummer = kennummer;
    f.stueck = Eingabe::stueck(stueck);
    f.kaufpreis = Eingabe::betrag(kaufpreis);
    f.gebuehren = Eingabe::betrag(gebuehren);
    f.tageskurs = Eingabe::betrag(tageskurs);
    f.datum = datum;
    f.kaufdatum = kaufdatum;
    return f;
}

EditPruefErgebnis editPruefen(const EditFelder& f) {
    EditPruefErgebnis r;
    const auto refuse = [&r](EditPruefung art, const QString& meldung = QString()) {
        r.art = art;
        r.meldung = meldung.isEmpty() ? editMeldung(art) : meldung;
        return r;
    };
    using Eingabe::Fehler;
    if (f.aktie.isEmpty() || f.stueck.fehler == Fehler::Leer || f.kennummer.isEmpty() ||
        f.kaufpreis.fehler == Fehler::Leer || f.gebuehren.fehler == Fehler::Leer ||
        f.tageskurs.fehler == Fehler::Leer)
        return refuse(EditPruefung::Unvollstaendig);
    if (f.stueck.fehler == Fehler::ZuGross)
        return refuse(EditPruefung::ZuGross, Eingabe::stueckZuGrossText());
    const std::pair<const Eingabe::Feld<Currency>*, const char*> betraege[] = {
        {&f.kaufpreis, "Kaufkurs"}, {&f.gebuehren, "Gebühren"}, {&f.tageskurs, "Tageskurs"}};
    for (const auto& [feld, name] : betraege)
        if (feld->fehler == Fehler::ZuGross)
            return refuse(EditPruefung::ZuGross, Eingabe::zuGrossText(QString::fromUtf8(name)));
    if (!f.kaufpreis.ok() || !f.gebuehren.ok() || !f.tageskurs.ok())
        return refuse(EditPruefung::KeineZahl);
    if (!f.stueck.ok()) return refuse(EditPruefung::KeineGanzeStueckzahl);
    r.eingabe = EditEingabe{f.aktie,           f.kennummer,       *f.stueck.wert, *f.kaufpreis.wert,
                            *f.gebuehren.wert, *f.tageskurs.wert, f.datum,        f.kaufdatum};
    // The package's values must stay within the range as well.
    if (!Eingabe::wert(r.eingabe.kaufpreis, r.eingabe.stueck, r.eingabe.gebuehren) ||
        !Eingabe::wert(r.eingabe.tageskurs, r.eingabe.stueck))
        return refuse(EditPruefung::ZuGross,
                      Eingabe::ergebnisZuGrossText(QStringLiteral("Wert des Aktienpakets")));
    r.art = EditPruefung::Ok;
    return r;
}

QString editMeldung(EditPruefung p) {
    switch (p) {
    case EditPruefung::Ok:
    case EditPruefung::ZuGross:
        return QString();
    case EditPruefung::Unvollstaendig:
        return QStringLiteral("Sie müssen alle Datenfelder ausfüllen!");
    case EditPruefung::KeineZahl:
        return QStringLiteral("Kaufkurs, Gebühren und Tageskurs müssen Zahlen sein!");
    case EditPruefung::KeineGanzeStueckzahl:
        return keineGanzeStueckzahlText();
    }
    return QString();
}

Ergebnis editSchreiben(Database& db, Bookmark paket, const EditEingabe& e, const QDate& heute,
                       std::optional<Currency> angezeigterGesamtwert,
                       const std::function<void(int)>& nachSchritt) {
    const QString was =
        QStringLiteral("Die Änderung konnte nicht gespeichert werden. Es wurde nichts geändert.");
    if (e.stueck < 0 || e.stueck > Eingabe::MaxStueck ||
        !Eingabe::wert(e.kaufpreis, e.stueck, e.gebuehren) || !Eingabe::wert(e.tageskurs, e.stueck))
        return Ergebnis{false,
                        Eingabe::ergebnisZuGrossText(QStringLiteral("Wert des Aktienpakets"))};
    Vorgang v(db, QStringLiteral("Änderung ") + e.aktie.trimmed(), was, nachSchritt);
    if (!v.begonnen()) return Ergebnis{false, v.fehler()};
    bool gefunden = false;
    paketName(db, paket, &gefunden);
    if (!gefunden) return Ergebnis{false, v.fehler()};
    if (angezeigterGesamtwert && !Depot::tagesbasisAktualisieren(db, heute, *angezeigterGesamtwert))
        return Ergebnis{false, v.fehler()};
    v.schritt();
    if (!db.exec(QStringLiteral("UPDATE Aktiendaten SET aktie = ?, \"WP-KNummer\" = ?,"
                                " \"stück\" = ?, kaufpreis = ?, \"gebühren\" = ?, tageskurs = ?,"
                                " datum = ?, kaufdatum = ? WHERE rowid = ?"),
                 {Eingabe::einzeilig(e.aktie), Eingabe::einzeilig(e.kennummer),
                  static_cast<qlonglong>(e.stueck), QVariant::fromValue(e.kaufpreis),
                  QVariant::fromValue(e.gebuehren), QVariant::fromValue(e.tageskurs),
                  QVariant(e.datum), QVariant(e.kaufdatum), schluessel(paket)}))
        return Ergebnis{false, v.fehler()};
    v.schritt();
    if (!v.commit()) return Ergebnis{false, v.fehler()};
    return Ergebnis{true, QString()};
}

QString loeschFrage(const QString& aktie) {
    return QStringLiteral("Sie sollten dieses Aktienpaket besser über den Menüpunkt AKTIEN / FOND "
                          "VERKAUFEN löschen!\r\nDen aktuellen Datensatz   >   ") +
           aktie + QStringLiteral("   <   trotzdem jetzt löschen?");
}

Ergebnis paketLoeschen(Database& db, Bookmark paket, const std::function<void(int)>& nachSchritt) {
    const QString was =
        QStringLiteral("Das Aktienpaket konnte nicht gelöscht werden. Es wurde nichts geändert.");
    bool gefunden = false;
    const QString name = paketName(db, paket, &gefunden);
    Vorgang v(db, QStringLiteral("Löschen ") + name.trimmed(), was, nachSchritt);
    if (!v.begonnen()) return Ergebnis{false, v.fehler()};
    if (!gefunden) return Ergebnis{false, v.fehler()};
    if (!db.exec(QStringLiteral("DELETE FROM Aktiendaten WHERE rowid = ?"), {schluessel(paket)}))
        return Ergebnis{false, v.fehler()};
    v.schritt();
    if (!historieAufraeumen(db, name)) return Ergebnis{false, v.fehler()};
    v.schritt();
    if (!v.commit()) return Ergebnis{false, v.fehler()};
    return Ergebnis{true, QString()};
}

} // namespace Pakete
