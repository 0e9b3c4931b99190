#include "transactions/KontoOperationen.h"

#include "core/Numbers.h"
#include "core/Utf8.h"
#include "db/Database.h"
#include "db/Depot.h"
#include "db/Statement.h"
#include "db/Vorgang.h"

#include <algorithm>
#include <optional>

#include <QStringDecoder>
#include <QVarLengthArray>

namespace Konto {

bool hatBuchungen(Database& db) {
    return db.scalar(QStringLiteral("SELECT EXISTS (SELECT 1 FROM Gewinne)")).toInt() != 0;
}

bool buchen(Database& db, const QDate& datum, const QString& text, Currency summe) {
    Transaction t(db, QStringLiteral("Buchung Depotkonto"));
    return db.exec(QStringLiteral("INSERT INTO Gewinne (datum, text, summe) VALUES (?, ?, ?)"),
                   {datum, Eingabe::einzeilig(text), QVariant::fromValue(summe)}) &&
           t.commit();
}

bool buchungLoeschen(Database& db, Bookmark buchung) {
    Transaction t(db, QStringLiteral("Löschen Buchung Depotkonto"));
    return db.exec(QStringLiteral("DELETE FROM Gewinne WHERE _nr = ?"),
                   {static_cast<qlonglong>(buchung)}) &&
           t.commit();
}

namespace {

/// Calls zeile(datum, text, summe) for every booking in natural order, read
/// straight from the statement: a long-kept ledger has tens of thousands of
/// rows, and the statement is rebuilt on every activation. The text is only
/// valid during the call. Returns the largest key as a bound for the count
/// through groesse before the first row. A caller that shows no more than
/// the first hoechstens characters of a text gets at least those.
template <typename Zeile>
void buchungenLesen(Database& db, qsizetype* groesse, Zeile zeile, qsizetype hoechstens = -1) {
    Statement st(db, "SELECT datum, text, summe FROM Gewinne ORDER BY _nr");
    if (!st.ok()) {
        *groesse = 0;
        return;
    }
    // The largest key bounds the count without a second pass over the table.
    *groesse = std::clamp<qint64>(
        db.scalar(QStringLiteral("SELECT max(_nr) FROM Gewinne")).toLongLong(), 0, 10'000'000);
    QStringDecoder utf8 = utf8WieFromUtf8();
    QVarLengthArray<QChar, 256> puffer;
    while (st.next()) {
        const QByteArrayView text = st.bytes(1);
        const qsizetype laenge = text.size();
        // Bookings are written in plain letters: when the characters shown
        // are all ASCII they are the bytes themselves, whatever follows.
        const qsizetype vorn = hoechstens < 0 ? laenge : std::min<qsizetype>(laenge, hoechstens);
        const bool ascii = std::all_of(text.begin(), text.begin() + vorn,
                                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        const QChar* ende = nullptr;
        if (ascii) {
            puffer.resize(vorn);
            ende = std::transform(text.begin(), text.begin() + vorn, puffer.data(),
                                  [](char c) { return QLatin1Char(c); });
        } else {
            puffer.resize(utf8.requiredSpace(laenge));
            ende = utf8.appendToBuffer(puffer.data(), text);
        }
        zeile(st.date(0), QStringView(puffer.data(), ende - puffer.data()),
              st.currency(2).value_or(Currency()));
    }
}

} // namespace

QList<Buchung> buchungenInEingabeReihenfolge(Database& db) {
    QList<Buchung> out;
    qsizetype groesse = 0;
    buchungenLesen(db, &groesse, [&](const QDate& datum, QStringView text, Currency summe) {
        if (out.isEmpty()) out.reserve(groesse);
        out.append(Buchung{datum, text.toString(), summe});
    });
    return out;
}

Realgewinn realgewinnAusDemKonto(Database& db, Einheit e) {
    std::optional<RealgewinnAufbau> aufbau;
    qsizetype groesse = 0;
    buchungenLesen(
        db, &groesse,
        [&](const QDate& datum, QStringView text, Currency summe) {
            if (!aufbau) aufbau.emplace(e, groesse);
            aufbau->zeile(datum, text, summe);
        },
        RealgewinnAufbau::TextBreite);
    return aufbau ? aufbau->ergebnis() : Realgewinn();
}

std::optional<KaufBetraege> kaufBetraege(const KaufEingabe& e) {
    const auto kurswertEuro = Eingabe::wert(e.kaufpreis, e.stueck);
    const auto kaufwertEuro = Eingabe::wert(e.kaufpreis, e.stueck, e.gebuehren);
    if (!kurswertEuro || !kaufwertEuro) return std::nullopt;
    const auto kaufbetrag = Numbers::euroToDmChecked(*kaufwertEuro);
    const auto kurswert = Numbers::euroToDmChecked(*kurswertEuro);
    if (!kaufbetrag || !kurswert) return std::nullopt;
    // Debited from the account in DM, to the cent: within the range too.
    const auto belastung = kaufbetrag->cents();
    if (!belastung || !Eingabe::imBereich(*belastung)) return std::nullopt;
    return KaufBetraege{*kaufbetrag, *kurswert};
}

KaufFelder KaufFelder::lesen(const QString& aktie, const QString& kennummer, const QString& stueck,
                             const QString& gebuehren, const QString& kaufpreis,
                             const QDate& datum) {
    KaufFelder f;
    f.aktie = aktie;
    f.kennummer = kennummer;
    f.stueckText = stueck;
    f.stueck = Eingabe::stueck(stueck);
    f.gebuehren = Eingabe::betrag(gebuehren);
    f.kaufpreis = Eingabe::betrag(kaufpreis);
    f.datum = datum;
    return f;
}

KaufPruefErgebnis kaufPruefen(const KaufFelder& f, std::optional<Currency> kontostand) {
    KaufPruefErgebnis r;
    const auto refuse = [&r](KaufPruefung art, const QString& meldung = QString()) {
        r.art = art;
        r.meldung = meldung.isEmpty() ? kaufMeldung(art) : meldung;
        return r;
    };
    if (f.stueck.fehler == Eingabe::Fehler::ZuGross)
        return refuse(KaufPruefung::ZuGross, Eingabe::stueckZuGrossText());
    if (f.gebuehren.fehler == Eingabe::Fehler::ZuGross)
        return refuse(KaufPruefung::ZuGross, Eingabe::zuGrossText(QStringLiteral("Gebühren")));
    if (f.kaufpreis.fehler == Eingabe::Fehler::ZuGross)
        return refuse(KaufPruefung::ZuGross, Eingabe::zuGrossText(QStringLiteral("Kaufkurs")));
    if (!kontostand) return refuse(KaufPruefung::KontostandUnbekannt);

    r.eingabe = KaufEingabe{f.aktie,
                            f.kennummer,
                            f.stueck.oder(0),
                            f.gebuehren.oder(Currency()),
                            f.kaufpreis.oder(Currency()),
                            f.datum,
                            f.stueckText};
    // A field without a number leaves the purchase amount at 0 for the balance check.
    if (f.stueck.ok() && f.gebuehren.ok() && f.kaufpreis.ok()) {
        const auto b = kaufBetraege(r.eingabe);
        if (!b)
            return refuse(KaufPruefung::ZuGross,
                          Eingabe::ergebnisZuGrossText(QStringLiteral("Kaufbetrag")));
        r.betraege = *b;
    }
    if (*kontostand < r.betraege.kaufbetrag) return refuse(KaufPruefung::ZuWenigGuthaben);
    if (f.aktie.isEmpty() || f.stueckText.isEmpty() ||
        f.kaufpreis.fehler == Eingabe::Fehler::Leer ||
        f.gebuehren.fehler == Eingabe::Fehler::Leer || f.kennummer.isEmpty())
        return refuse(KaufPruefung::Unvollstaendig);
    if (f.stueck.fehler == Eingabe::Fehler::KeineZahl || !f.kaufpreis.ok() || !f.gebuehren.ok())
        return refuse(KaufPruefung::KeineZahl);
    // The field holds whole units; 12,5 would be debited in full and stored as 12.
    if (!f.stueck.ok()) return refuse(KaufPruefung::KeineGanzeStueckzahl);
    r.art = KaufPruefung::Ok;
    return r;
}

QString kaufMeldung(KaufPruefung p) {
    switch (p) {
    case KaufPruefung::Ok:
    case KaufPruefung::ZuGross:
        return QString();
    case KaufPruefung::KontostandUnbekannt:
        return Depot::kontostandFehlerText();
    case KaufPruefung::ZuWenigGuthaben:
        return QStringLiteral("Ihr Kontostand reicht nicht aus für diesen Aktienkauf!\n\r"
                              "Sie müssen zuerst einen ausreichenden Betrag auf Ihr Depotkonto "
                              "buchen.");
    case KaufPruefung::Unvollstaendig:
        return QStringLiteral("Sie müssen alle Datenfelder ausfüllen!");
    case KaufPruefung::KeineZahl:
        return QStringLiteral("Stück, Gebühren und Kaufkurs müssen Zahlen sein!");
    case KaufPruefung::KeineGanzeStueckzahl:
        return QStringLiteral("Die Stückzahl muss eine ganze Zahl sein!");
    }
    return QString();
}

QString kaufText(const KaufEingabe& e) {
    // Cut to the column, as a long name would make it longer.
    return (QStringLiteral("Kauf ") + e.stueckText + QStringLiteral(" Stück ") + e.aktie)
        .left(Eingabe::Textspalte);
}

KaufErgebnis kaufSchreiben(Database& db, const KaufEingabe& e, const KaufBetraege& b,
                           const std::function<void(int)>& nachSchritt) {
    KaufErgebnis r;
    // The day baseline rises by Kurswert ÷ 1.95583 (Kaufkurs × Stück in Euro); the debit is the
    // purchase amount rounded to cents, as "0.00" shows it.
    const auto zuwachs = Numbers::dmToEuroChecked(b.kurswert);
    const auto belastung = b.kaufbetrag.cents();
    if (!zuwachs || !belastung) {
        r.fehler = Eingabe::ergebnisZuGrossText(QStringLiteral("Kaufbetrag"));
        return r;
    }

    Vorgang v(db, QStringLiteral("Kauf ") + e.aktie.trimmed(),
              QStringLiteral("Der Kauf konnte nicht gespeichert werden. Es wurde nichts gebucht."),
              nachSchritt);
    const auto fehlschlag = [&]() {
        r.fehler = v.fehler();
        return r;
    };
    if (!v.begonnen()) return fehlschlag();
    if (!db.exec(QStringLiteral("INSERT INTO Aktiendaten (aktie, \"WP-KNummer\", \"stück\","
                                " kaufpreis, \"gebühren\", datum, kaufdatum, tageskurs)"
                                " VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                 {Eingabe::einzeilig(e.aktie), Eingabe::einzeilig(e.kennummer),
                  static_cast<qlonglong>(e.stueck), QVariant::fromValue(e.kaufpreis),
                  QVariant::fromValue(e.gebuehren), e.datum, e.datum,
                  QVariant::fromValue(e.kaufpreis)}))
        return fehlschlag();
    const Bookmark paket = db.lastInsertRowId();
    v.schritt();

    if (!Depot::altallwertAnpassen(db, *zuwachs)) return fehlschlag();
    v.schritt();

    if (!buchen(db, e.datum, kaufText(e), -*belastung)) return fehlschlag();
    v.schritt();

    if (!v.commit()) return fehlschlag();
    r.ok = true;
    r.paket = paket;
    return r;
}

} // namespace Konto
