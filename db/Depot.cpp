#include "db/Depot.h"

#include "core/Numbers.h"
#include "db/Database.h"
#include "db/SqlUtil.h"

#include <cmath>

namespace Depot {

namespace {

// A stored currency value: amount × 10000 as an integer; a file written by
// another program may hold it as a real or as German text.
std::optional<Currency> betrag(sqlite3_stmt* stmt, int col) {
    switch (sqlite3_column_type(stmt, col)) {
    case SQLITE_NULL:
        return Currency();
    case SQLITE_INTEGER:
        return Currency::fromRaw(sqlite3_column_int64(stmt, col));
    case SQLITE_FLOAT: {
        const double v = sqlite3_column_double(stmt, col);
        if (!std::isfinite(v) || std::fabs(v) > 9.2e18) return std::nullopt;
        return Currency::fromRaw(std::llround(v));
    }
    default: {
        const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt, col));
        return Numbers::parseCurrency(QString::fromUtf8(t, sqlite3_column_bytes(stmt, col)))
            .value_or(Currency());
    }
    }
}

} // namespace

std::optional<Currency> kontostand(Database& db) {
    // Integer sum in SQL: exact, and an overflow is an error, not a wrong total.
    const QVariant v = db.scalar(QStringLiteral("SELECT coalesce(sum(summe), 0) FROM Gewinne"));
    if (v.typeId() == QMetaType::LongLong) return Currency::fromRaw(v.toLongLong());
    if (v.typeId() == QMetaType::Double) {
        // Amounts stored as reals by another program: summed in checked integers.
        Currency summe;
        for (const QVariantList& r : db.rows(QStringLiteral("SELECT summe FROM Gewinne"))) {
            const QVariant x = r.value(0);
            std::optional<Currency> c;
            if (x.typeId() == QMetaType::Double) {
                const double d = x.toDouble();
                if (std::isfinite(d) && std::fabs(d) <= 9.2e18) c = Currency::fromRaw(std::llround(d));
            } else {
                c = Currency::fromRaw(x.toLongLong());
            }
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
    sqlite3* h = db.handle();
    if (!h) return std::nullopt;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(h,
                           "SELECT CAST(IFNULL(\"stück\", 0) AS INTEGER), tageskurs, kaufpreis, "
                           "\"gebühren\" FROM Aktiendaten",
                           -1, &stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return std::nullopt;
    }
    Summen s;
    bool ok = true;
    int rc;
    while (ok && (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        const qint64 stueck = sqlite3_column_int64(stmt, 0);
        const auto kurs = betrag(stmt, 1);
        const auto preis = betrag(stmt, 2);
        const auto gebuehren = betrag(stmt, 3);
        const auto wert = kurs ? kurs->times(stueck) : std::nullopt;
        const auto kaufTeil = preis ? preis->times(stueck) : std::nullopt;
        const auto kauf = kaufTeil && gebuehren ? kaufTeil->plus(*gebuehren) : std::nullopt;
        const auto neuWert = wert ? s.wert.plus(*wert) : std::nullopt;
        const auto neuKauf = kauf ? s.kauf.plus(*kauf) : std::nullopt;
        ok = neuWert && neuKauf;
        if (ok) {
            s.wert = *neuWert;
            s.kauf = *neuKauf;
        }
    }
    if (ok && rc != SQLITE_DONE) ok = false;
    sqlite3_finalize(stmt);
    if (!ok) return std::nullopt;
    return s;
}

QString summenFehlerText() {
    return QStringLiteral("Der Gesamtwert der Aktien kann nicht berechnet werden!\n"
                          "Die Werte der Aktienpakete sind zusammen zu groß.");
}

bool tagesbasisAktualisieren(Database& db, const QDate& heute, Currency aktuellerGesamtwert) {
    // kennwort holds one row; readers and writers use the first.
    const QList<QVariantList> r = db.rows(
        QStringLiteral("SELECT _nr, trim(datum), altallwert FROM kennwort ORDER BY _nr LIMIT 1"));
    if (r.isEmpty()) // no settings row, or the read failed
        return db.scalar(QStringLiteral("SELECT count(*) FROM kennwort")).isValid();
    const QVariantList& row = r.first();
    const QString text = row.value(1).toString();
    QDate datum = QDate::fromString(text, Qt::ISODate);
    if (!datum.isValid()) datum = QDate::fromString(text, QStringLiteral("d.M.yyyy"));
    if (!datum.isValid() || !heute.isValid()) return true;
    const Currency alt = Currency::fromRaw(row.value(2).toLongLong());
    if (datum.daysTo(heute) == 0 || alt == aktuellerGesamtwert) return true;
    return db.exec(QStringLiteral("UPDATE kennwort SET datum = ?1, altallwert = ?2 WHERE _nr = ?3"),
                   {heute, QVariant::fromValue(aktuellerGesamtwert), row.value(0)});
}

bool altallwertAnpassen(Database& db, Currency deltaEuro) {
    // Added here in checked integers: the engine would turn an overflowing
    // sum into a real and store a wrong value.
    const QList<QVariantList> r = db.rows(
        QStringLiteral("SELECT _nr, altallwert FROM kennwort ORDER BY _nr LIMIT 1"));
    if (r.isEmpty()) return db.scalar(QStringLiteral("SELECT count(*) FROM kennwort")).isValid();
    const QVariant alt = r.first().value(1);
    std::optional<Currency> basis = Currency::fromRaw(alt.toLongLong());
    if (alt.typeId() == QMetaType::Double) {
        const double d = alt.toDouble();
        basis = std::isfinite(d) && std::fabs(d) <= 9.2e18
                    ? std::optional<Currency>(Currency::fromRaw(std::llround(d)))
                    : std::nullopt;
    } else if (alt.typeId() == QMetaType::QString) {
        basis = Numbers::parseCurrency(alt.toString()).value_or(Currency());
    }
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
