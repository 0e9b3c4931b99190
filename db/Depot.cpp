#include "db/Depot.h"

#include "db/Database.h"
#include "db/Gespeichert.h"
#include "db/Statement.h"

namespace Depot {

std::optional<Currency> kontostand(Database& db) {
    // Integer sum in SQL: exact, and an overflow is an error, not a wrong total.
    const QVariant v = db.scalar(QStringLiteral("SELECT coalesce(sum(summe), 0) FROM Gewinne"));
    if (v.typeId() == QMetaType::LongLong) return Currency::fromRaw(v.toLongLong());
    if (v.typeId() == QMetaType::Double) {
        // Amounts stored as reals by another program: summed in checked integers.
        Currency summe;
        for (const QVariantList& r : db.rows(QStringLiteral("SELECT summe FROM Gewinne"))) {
            const QVariant x = r.value(0);
            const std::optional<Currency> c = x.typeId() == QMetaType::Double
                                                  ? Gespeichert::geld(x)
                                                  : Currency::fromRaw(x.toLongLong());
            const auto neu = c ? summe.plus(*c) : std::nullopt;
            if (!neu) return std::nullopt;
            summe = *neu;
        }
        return summe;
    }
    return std::nullopt;
}

QString kontostandFehlerText() {
    return QStringLiteral("Der Kontostand kann nicht berechnet werden!\n"
                          "Die Summe aller Buchungen ist zu groß.");
}

std::optional<Summen> summen(Database& db) {
    Statement st(db, "SELECT CAST(IFNULL(\"stück\", 0) AS INTEGER), tageskurs, kaufpreis, "
                     "\"gebühren\" FROM Aktiendaten");
    if (!st.ok()) return std::nullopt;
    const auto betrag = [&st](int col) {
        const auto v = st.currency(col);
        return v ? v : Gespeichert::summand(st.value(col));
    };
    Summen s;
    while (st.next()) {
        const qint64 stueck = st.int64(0);
        const auto kurs = betrag(1);
        const auto preis = betrag(2);
        const auto gebuehren = betrag(3);
        const auto wert = kurs ? kurs->times(stueck) : std::nullopt;
        const auto kaufTeil = preis ? preis->times(stueck) : std::nullopt;
        const auto kauf = kaufTeil && gebuehren ? kaufTeil->plus(*gebuehren) : std::nullopt;
        const auto neuWert = wert ? s.wert.plus(*wert) : std::nullopt;
        const auto neuKauf = kauf ? s.kauf.plus(*kauf) : std::nullopt;
        if (!neuWert || !neuKauf) return std::nullopt;
        s.wert = *neuWert;
        s.kauf = *neuKauf;
    }
    if (!st.error().isEmpty()) return std::nullopt;
    return s;
}

QString summenFehlerText() {
    return QStringLiteral("Der Gesamtwert der Aktien kann nicht berechnet werden!\n"
                          "Die Werte der Aktienpakete sind zusammen zu groß.");
}

std::optional<Tagesbasis> tagesbasisLesen(Database& db, bool* ok) {
    // kennwort holds one row; readers and writers use the first.
    const QList<QVariantList> r = db.rows(
        QStringLiteral("SELECT _nr, trim(datum), altallwert FROM kennwort ORDER BY _nr LIMIT 1"));
    if (r.isEmpty()) { // no settings row, or the read failed
        *ok = db.scalar(QStringLiteral("SELECT count(*) FROM kennwort")).isValid();
        return std::nullopt;
    }
    *ok = true;
    const QVariantList& row = r.first();
    return Tagesbasis{row.value(0).toLongLong(), Gespeichert::datum(row.value(1).toString()),
                      Gespeichert::geld(row.value(2)).value_or(Currency())};
}

bool tagesbasisFortschreiben(Tagesbasis& b, const QDate& heute, Currency aktuellerGesamtwert) {
    if (!b.datum.isValid() || !heute.isValid()) return false;
    if (b.datum.daysTo(heute) == 0 || b.altallwert == aktuellerGesamtwert) return false;
    b.datum = heute;
    b.altallwert = aktuellerGesamtwert;
    return true;
}

bool tagesbasisSchreiben(Database& db, const Tagesbasis& b) {
    return db.exec(QStringLiteral("UPDATE kennwort SET datum = ?1, altallwert = ?2 WHERE _nr = ?3"),
                   {b.datum, QVariant::fromValue(b.altallwert), b.nr});
}

bool tagesbasisAktualisieren(Database& db, const QDate& heute, Currency aktuellerGesamtwert) {
    bool ok = true;
    std::optional<Tagesbasis> b = tagesbasisLesen(db, &ok);
    if (!b) return ok;
    if (!tagesbasisFortschreiben(*b, heute, aktuellerGesamtwert)) return true;
    return tagesbasisSchreiben(db, *b);
}

bool altallwertAnpassen(Database& db, Currency deltaEuro) {
    // Added here in checked integers: the engine would turn an overflowing
    // sum into a real and store a wrong value.
    const QList<QVariantList> r =
        db.rows(QStringLiteral("SELECT _nr, altallwert FROM kennwort ORDER BY _nr LIMIT 1"));
    if (r.isEmpty()) return db.scalar(QStringLiteral("SELECT count(*) FROM kennwort")).isValid();
    const QVariant alt = r.first().value(1);
    const std::optional<Currency> basis = Gespeichert::summand(alt);
    const auto neu = basis ? basis->plus(deltaEuro) : std::nullopt;
    if (!neu) return false;
    return db.exec(QStringLiteral("UPDATE kennwort SET altallwert = ?1 WHERE _nr = ?2"),
                   {QVariant::fromValue(*neu), r.first().value(0)});
}

int paketeMitNamen(Database& db, const QString& name) {
    return db
        .scalar(QStringLiteral("SELECT count(*) FROM Aktiendaten WHERE trim(aktie) = trim(?1)"),
                {name})
        .toInt();
}

bool kursHistorieLoeschen(Database& db, const QString& name) {
    return db.exec(QStringLiteral("DELETE FROM kurse WHERE trim(aktie) = trim(?1)"), {name});
}

bool kursAnhaengen(Database& db, const QString& name, const QDate& datum, Currency kurs) {
    return db.exec(QStringLiteral("INSERT INTO kurse (aktie, datum, kurs) VALUES (?1, ?2, ?3)"),
                   {name, datum, QVariant::fromValue(kurs)});
}

} // namespace Depot
