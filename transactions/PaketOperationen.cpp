#include "transactions/PaketOperationen.h"

#include "core/Numbers.h"
#include "db/Database.h"
#include "db/Depot.h"

#include <cmath>
#include <limits>

namespace Pakete {

namespace {

QVariant datumWert(const QDate& d) {
    return d.isValid() ? QVariant(d.toString(Qt::ISODate)) : QVariant();
}

QVariant betragWert(Currency c) {
    return QVariant(static_cast<qlonglong>(c.raw()));
}

QVariant schluessel(Bookmark b) {
    return QVariant(static_cast<qlonglong>(b));
}

// Whole units in the range the column holds; nullopt otherwise.
std::optional<qint64> ganzeStueck(const QString& text) {
    const auto wert = Numbers::parseLocale(text);
    if (!wert || *wert != std::trunc(*wert) || *wert < 0 ||
        *wert > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint64>(*wert);
}

// An empty field counts as 0 (the fee field starts empty); other unreadable
// text gives nullopt.
std::optional<double> betragOderNull(const QString& text) {
    if (text.trimmed().isEmpty()) return 0.0;
    return Numbers::parseLocale(text);
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

class Schritte {
public:
    explicit Schritte(const std::function<void(int)>& f) : m_f(f) {}
    void operator()() {
        if (m_f) m_f(++m_n);
    }

private:
    const std::function<void(int)>& m_f;
    int m_n = 0;
};

Ergebnis fehlschlag(Database& db, const QString& was) {
    Ergebnis r;
    r.fehler = was + QStringLiteral(" Es wurde nichts geändert.");
    if (!db.message().isEmpty()) r.fehler += QStringLiteral("\n\n") + db.message();
    return r;
}

} // namespace

QString keineGanzeStueckzahlText() {
    return QStringLiteral("Die Stückzahl muss eine ganze Zahl sein!");
}

std::optional<Currency> verkaufserloes(const VerkaufEingabe& e) {
    const auto kurs = betragOderNull(e.kurs);
    const auto anzahl = Numbers::parseLocale(e.anzahl);
    const auto gebuehren = betragOderNull(e.gebuehren);
    if (!kurs || !anzahl || !gebuehren) return std::nullopt;
    return Currency::fromDouble((*kurs * *anzahl - *gebuehren) * Numbers::DmRate);
}

VerkaufPruefung verkaufPruefen(const VerkaufEingabe& e) {
    const auto anzahl = ganzeStueck(e.anzahl);
    if (!anzahl) return VerkaufPruefung::KeineGanzeStueckzahl;
    if (*anzahl > e.bestand) return VerkaufPruefung::MehrAlsBestand;
    if (!verkaufserloes(e)) return VerkaufPruefung::KeineZahl;
    return *anzahl == e.bestand ? VerkaufPruefung::Gesamtverkauf : VerkaufPruefung::Teilverkauf;
}

QString verkaufMeldung(VerkaufPruefung p) {
    switch (p) {
    case VerkaufPruefung::Teilverkauf:
    case VerkaufPruefung::Gesamtverkauf:
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
    return QStringLiteral("Verkauf ") + e.anzahl + QStringLiteral(" Stück ") + e.aktie;
}

Ergebnis verkaufSchreiben(Database& db, const VerkaufEingabe& e,
                          const std::function<void(int)>& nachSchritt) {
    const QString was = QStringLiteral("Der Verkauf konnte nicht gespeichert werden.");
    const VerkaufPruefung art = verkaufPruefen(e);
    if (art != VerkaufPruefung::Teilverkauf && art != VerkaufPruefung::Gesamtverkauf)
        return Ergebnis{false, verkaufMeldung(art)};
    const qint64 anzahl = *ganzeStueck(e.anzahl);
    const Currency erloes = *verkaufserloes(e);
    // Credited as "0.00" shows it; the baseline moves by the exact proceeds.
    const Currency gutschrift = Numbers::parseCurrency(erloes.format00()).value_or(erloes);
    const Currency wertEuro = Currency::fromDouble(erloes.toDouble() / Numbers::DmRate);
    Schritte schritt(nachSchritt);

    Transaction t(db);
    if (!t.isActive()) return fehlschlag(db, was);
    bool gefunden = false;
    const QString name = paketName(db, e.paket, &gefunden);
    if (!gefunden) return fehlschlag(db, was);

    if (art == VerkaufPruefung::Teilverkauf) {
        if (!db.exec(QStringLiteral("UPDATE Aktiendaten SET \"stück\" = ?, datum = ?"
                                    " WHERE rowid = ?"),
                     {e.bestand - anzahl, datumWert(e.datum), schluessel(e.paket)}))
            return fehlschlag(db, was);
        schritt();
    }
    if (!Depot::altallwertAnpassen(db, -wertEuro)) return fehlschlag(db, was);
    schritt();
    if (!db.exec(QStringLiteral("INSERT INTO Gewinne (datum, text, summe) VALUES (?, ?, ?)"),
                 {datumWert(e.datum), verkaufText(e), betragWert(gutschrift)}))
        return fehlschlag(db, was);
    schritt();
    if (art == VerkaufPruefung::Gesamtverkauf) {
        if (!db.exec(QStringLiteral("DELETE FROM Aktiendaten WHERE rowid = ?"),
                     {schluessel(e.paket)}))
            return fehlschlag(db, was);
        schritt();
        if (!historieAufraeumen(db, name)) return fehlschlag(db, was);
        schritt();
    }
    if (!t.commit()) return fehlschlag(db, was);
    return Ergebnis{true, QString()};
}

EditPruefung editPruefen(const EditEingabe& e) {
    if (e.aktie.isEmpty() || e.stueck.isEmpty() || e.kennummer.isEmpty() || e.kaufpreis.isEmpty() ||
        e.gebuehren.isEmpty() || e.tageskurs.isEmpty())
        return EditPruefung::Unvollstaendig;
    if (!Numbers::parseCurrency(e.kaufpreis) || !Numbers::parseCurrency(e.gebuehren) ||
        !Numbers::parseCurrency(e.tageskurs))
        return EditPruefung::KeineZahl;
    if (!ganzeStueck(e.stueck)) return EditPruefung::KeineGanzeStueckzahl;
    return EditPruefung::Ok;
}

QString editMeldung(EditPruefung p) {
    switch (p) {
    case EditPruefung::Ok:
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
                       Currency angezeigterGesamtwert,
                       const std::function<void(int)>& nachSchritt) {
    const QString was = QStringLiteral("Die Änderung konnte nicht gespeichert werden.");
    const EditPruefung p = editPruefen(e);
    if (p != EditPruefung::Ok) return Ergebnis{false, editMeldung(p)};
    Schritte schritt(nachSchritt);

    Transaction t(db);
    if (!t.isActive()) return fehlschlag(db, was);
    bool gefunden = false;
    paketName(db, paket, &gefunden);
    if (!gefunden) return fehlschlag(db, was);
    if (!Depot::tagesbasisAktualisieren(db, heute, angezeigterGesamtwert))
        return fehlschlag(db, was);
    schritt();
    if (!db.exec(QStringLiteral("UPDATE Aktiendaten SET aktie = ?, \"WP-KNummer\" = ?,"
                                " \"stück\" = ?, kaufpreis = ?, \"gebühren\" = ?, tageskurs = ?,"
                                " datum = ?, kaufdatum = ? WHERE rowid = ?"),
                 {e.aktie, e.kennummer, *ganzeStueck(e.stueck),
                  betragWert(*Numbers::parseCurrency(e.kaufpreis)),
                  betragWert(*Numbers::parseCurrency(e.gebuehren)),
                  betragWert(*Numbers::parseCurrency(e.tageskurs)), datumWert(e.datum),
                  datumWert(e.kaufdatum), schluessel(paket)}))
        return fehlschlag(db, was);
    schritt();
    if (!t.commit()) return fehlschlag(db, was);
    return Ergebnis{true, QString()};
}

QString loeschFrage(const QString& aktie) {
    return QStringLiteral("Sie sollten dieses Aktienpaket besser über den Menüpunkt AKTIEN / FOND "
                          "VERKAUFEN löschen!\r\nDen aktuellen Datensatz   >   ") +
           aktie + QStringLiteral("   <   trotzdem jetzt löschen?");
}

Ergebnis paketLoeschen(Database& db, Bookmark paket, const std::function<void(int)>& nachSchritt) {
    const QString was = QStringLiteral("Das Aktienpaket konnte nicht gelöscht werden.");
    Schritte schritt(nachSchritt);
    Transaction t(db);
    if (!t.isActive()) return fehlschlag(db, was);
    bool gefunden = false;
    const QString name = paketName(db, paket, &gefunden);
    if (!gefunden) return fehlschlag(db, was);
    if (!db.exec(QStringLiteral("DELETE FROM Aktiendaten WHERE rowid = ?"), {schluessel(paket)}))
        return fehlschlag(db, was);
    schritt();
    if (!historieAufraeumen(db, name)) return fehlschlag(db, was);
    schritt();
    if (!t.commit()) return fehlschlag(db, was);
    return Ergebnis{true, QString()};
}

} // namespace Pakete
