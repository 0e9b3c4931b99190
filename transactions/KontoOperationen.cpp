#include "transactions/KontoOperationen.h"

#include "core/Numbers.h"
#include "db/Database.h"
#include "db/Depot.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include <QStringDecoder>
#include <QVarLengthArray>

namespace Konto {

namespace {

QVariant datumWert(const QDate& d) {
    return d.isValid() ? QVariant(d.toString(Qt::ISODate)) : QVariant();
}

/// "YYYY-MM-DD" as stored; anything else gives an invalid date.
QDate isoDatum(const char* p, int n) {
    if (!p || n != 10 || p[4] != '-' || p[7] != '-')
        return QDate::fromString(QString::fromUtf8(p, p ? n : 0), Qt::ISODate);
    int teile[3] = {0, 0, 0};
    const int von[3] = {0, 5, 8};
    const int bis[3] = {4, 7, 10};
    for (int t = 0; t < 3; ++t) {
        for (int i = von[t]; i < bis[t]; ++i) {
            if (p[i] < '0' || p[i] > '9') return QDate();
            teile[t] = teile[t] * 10 + (p[i] - '0');
        }
    }
    return QDate(teile[0], teile[1], teile[2]);
}

QVariant betragWert(Currency c) {
    return QVariant(static_cast<qlonglong>(c.raw()));
}

} // namespace

bool hatBuchungen(Database& db) {
    return db.scalar(QStringLiteral("SELECT EXISTS (SELECT 1 FROM Gewinne)")).toInt() != 0;
}

bool buchen(Database& db, const QDate& datum, const QString& text, Currency summe) {
    return db.exec(QStringLiteral("INSERT INTO Gewinne (datum, text, summe) VALUES (?, ?, ?)"),
                   {datumWert(datum), text, betragWert(summe)});
}

bool buchungLoeschen(Database& db, Bookmark buchung) {
    return db.exec(QStringLiteral("DELETE FROM Gewinne WHERE _nr = ?"),
                   {static_cast<qlonglong>(buchung)});
}

namespace {

/// Calls zeile(datum, text, summe) for every booking in natural order, read
/// straight from the statement: a long-kept ledger has tens of thousands of
/// rows, and the statement is rebuilt on every activation. The text is only
/// valid during the call. Returns the largest key as a bound for the count
/// through groesse before the first row.
template <typename Zeile> void buchungenLesen(Database& db, qsizetype* groesse, Zeile zeile) {
    sqlite3_stmt* stmt = nullptr;
    if (!db.handle() ||
        sqlite3_prepare_v2(db.handle(), "SELECT datum, text, summe FROM Gewinne ORDER BY _nr", -1,
                           &stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        *groesse = 0;
        return;
    }
    // The largest key bounds the count without a second pass over the table.
    *groesse = std::clamp<qint64>(
        db.scalar(QStringLiteral("SELECT max(_nr) FROM Gewinne")).toLongLong(), 0, 10'000'000);
    // Decoded as QString::fromUtf8 does: a leading byte order mark is kept.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                    QStringConverter::Flag::ConvertInitialBom);
    QVarLengthArray<QChar, 256> puffer;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1));
        const int laenge = sqlite3_column_bytes(stmt, 1);
        puffer.resize(utf8.requiredSpace(laenge));
        const QChar* ende = utf8.appendToBuffer(puffer.data(), QByteArrayView(text, laenge));
        const auto* datum = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
        zeile(isoDatum(datum, sqlite3_column_bytes(stmt, 0)),
              QStringView(puffer.data(), ende - puffer.data()),
              Currency::fromRaw(sqlite3_column_int64(stmt, 2)));
    }
    sqlite3_finalize(stmt);
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
    buchungenLesen(db, &groesse, [&](const QDate& datum, QStringView text, Currency summe) {
        if (!aufbau) aufbau.emplace(e, groesse);
        aufbau->zeile(datum, text, summe);
    });
    return aufbau ? aufbau->ergebnis() : Realgewinn();
}

KaufBetraege kaufBetraege(const KaufEingabe& e) {
    const auto kurs = Numbers::parseLocale(e.kaufpreis);
    const auto stueck = Numbers::parseLocale(e.stueck);
    const auto gebuehren = Numbers::parseLocale(e.gebuehren);
    KaufBetraege b;
    if (kurs && stueck && gebuehren) {
        b.kaufbetrag = Currency::fromDouble((*kurs * *stueck + *gebuehren) * Numbers::DmRate);
        b.kurswert = Currency::fromDouble(*kurs * *stueck * Numbers::DmRate);
    }
    return b;
}

KaufPruefung kaufPruefen(const KaufEingabe& e, const KaufBetraege& b, Currency kontostand) {
    if (kontostand < b.kaufbetrag) return KaufPruefung::ZuWenigGuthaben;
    if (e.aktie.isEmpty() || e.stueck.isEmpty() || e.kaufpreis.isEmpty() || e.gebuehren.isEmpty() ||
        e.kennummer.isEmpty())
        return KaufPruefung::Unvollstaendig;
    const auto stueck = Numbers::parseLocale(e.stueck);
    if (!stueck || !Numbers::parseLocale(e.kaufpreis) || !Numbers::parseLocale(e.gebuehren))
        return KaufPruefung::KeineZahl;
    // The field holds whole units; 12,5 would be debited in full and stored as 12.
    if (*stueck != std::trunc(*stueck) || *stueck < 0 ||
        *stueck > std::numeric_limits<qint32>::max())
        return KaufPruefung::KeineGanzeStueckzahl;
    return KaufPruefung::Ok;
}

QString kaufMeldung(KaufPruefung p) {
    switch (p) {
    case KaufPruefung::Ok:
        return QString();
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
    return QStringLiteral("Kauf ") + e.stueck + QStringLiteral(" Stück ") + e.aktie;
}

KaufErgebnis kaufSchreiben(Database& db, const KaufEingabe& e, const KaufBetraege& b,
                           const std::function<void(int)>& nachSchritt) {
    KaufErgebnis r;
    const auto stueck = Numbers::parseLocale(e.stueck);
    const auto kaufpreis = Numbers::parseCurrency(e.kaufpreis);
    const auto gebuehren = Numbers::parseCurrency(e.gebuehren);
    if (!stueck || !kaufpreis || !gebuehren) {
        r.fehler = kaufMeldung(KaufPruefung::KeineZahl);
        return r;
    }
    const auto fehlschlag = [&]() {
        r.fehler = QStringLiteral("Der Kauf konnte nicht gespeichert werden. Es wurde nichts "
                                  "gebucht.\n\n") +
                   db.message();
        return r;
    };
    const auto schritt = [&](int n) {
        if (nachSchritt) nachSchritt(n);
    };

    Transaction t(db);
    if (!t.isActive()) return fehlschlag();
    const QVariant datum = datumWert(e.datum);
    if (!db.exec(QStringLiteral("INSERT INTO Aktiendaten (aktie, \"WP-KNummer\", \"stück\","
                                " kaufpreis, \"gebühren\", datum, kaufdatum, tageskurs)"
                                " VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                 {e.aktie, e.kennummer, static_cast<qlonglong>(*stueck), betragWert(*kaufpreis),
                  betragWert(*gebuehren), datum, datum, betragWert(*kaufpreis)}))
        return fehlschlag();
    const Bookmark paket = db.lastInsertRowId();
    schritt(1);

    const Currency zuwachs = Currency::fromDouble(b.kurswert.toDouble() / Numbers::DmRate);
    if (!Depot::altallwertAnpassen(db, zuwachs)) return fehlschlag();
    schritt(2);

    // The debit is the purchase amount rounded to cents, as "0.00" shows it.
    const Currency belastung =
        -Numbers::parseCurrency(b.kaufbetrag.format00()).value_or(b.kaufbetrag);
    if (!buchen(db, e.datum, kaufText(e), belastung)) return fehlschlag();
    schritt(3);

    if (!t.commit()) return fehlschlag();
    r.ok = true;
    r.paket = paket;
    return r;
}

} // namespace Konto
