#include "reports/BerichtDaten.h"

#include "core/Kalender.h"
#include "core/Numbers.h"
#include "core/Utf8.h"
#include "db/Database.h"

#include <sqlcipher/sqlite3.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Stored forms: currency as amount × 10000, dates as "YYYY-MM-DD". Values
// written by other programs may come as text with a decimal comma.

std::optional<Currency> geld(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::LongLong:
        return Currency::fromRaw(v.toLongLong());
    case QMetaType::Double:
        if (!std::isfinite(v.toDouble())) return std::nullopt;
        return Currency::fromRaw(std::llround(v.toDouble()));
    case QMetaType::QString:
        return Numbers::parseCurrency(v.toString());
    default:
        return std::nullopt;
    }
}

std::optional<qint64> ganzzahl(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::LongLong:
        return v.toLongLong();
    case QMetaType::Double:
        if (!std::isfinite(v.toDouble()) || std::fabs(v.toDouble()) > 9e18) return std::nullopt;
        return static_cast<qint64>(std::nearbyint(v.toDouble()));
    case QMetaType::QString:
        if (const auto d = Numbers::readDouble(v.toString(), Numbers::Mode::Stored);
            d && std::fabs(*d) < 9e18)
            return static_cast<qint64>(std::nearbyint(*d));
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

QDate datum(const QVariant& v) {
    if (v.typeId() != QMetaType::QString) return {};
    const QString s = v.toString().trimmed();
    QDate d = QDate::fromString(s, Qt::ISODate);
    if (!d.isValid()) d = QDate::fromString(s, QStringLiteral("d.M.yyyy"));
    return d;
}

// Each column is fetched once as a value and read through the value
// functions: the column functions take the connection's lock on every call,
// and a report reads ten columns of every package. The connection is only
// used by the thread that opened it, and the value is read before the next
// step, so nothing can change it in between.

QString wertText(sqlite3_value* v) {
    const auto* t = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return t ? QString::fromUtf8(t, sqlite3_value_bytes(v)) : QString();
}

std::optional<Currency> wertGeld(sqlite3_value* v) {
    switch (sqlite3_value_type(v)) {
    case SQLITE_NULL:
        return std::nullopt;
    case SQLITE_INTEGER:
        return Currency::fromRaw(sqlite3_value_int64(v));
    case SQLITE_FLOAT:
        return geld(sqlite3_value_double(v));
    default:
        return geld(wertText(v));
    }
}

std::optional<qint64> wertGanzzahl(sqlite3_value* v) {
    switch (sqlite3_value_type(v)) {
    case SQLITE_NULL:
        return std::nullopt;
    case SQLITE_INTEGER:
        return sqlite3_value_int64(v);
    case SQLITE_FLOAT:
        return ganzzahl(sqlite3_value_double(v));
    default:
        return ganzzahl(wertText(v));
    }
}

QDate wertDatum(sqlite3_value* v) {
    const auto* t = reinterpret_cast<const char*>(sqlite3_value_text(v));
    if (!t) return {};
    const int n = sqlite3_value_bytes(v);
    if (const auto d = Kalender::ausIso(t, n)) return *d;
    return datum(QString::fromUtf8(t, n));
}

} // namespace

namespace Berichte {

BerichtBestand paketeLesen(Database& db) {
    // Straight from the statement: a report of a thousand packages should
    // cost little more than reading its rows.
    BerichtBestand bestand;
    QList<BerichtPaket>& pakete = bestand.pakete;
    sqlite3* h = db.handle();
    if (!h) return bestand;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(h,
                           "SELECT datum, \"WP-KNummer\", aktie, \"stück\", kaufpreis, "
                           "\"gebühren\", tageskurs, altkurs, dividende, kaufdatum "
                           "FROM Aktiendaten ORDER BY _nr",
                           -1, &st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        return bestand;
    }
    // Both names of every package go into one text; where each lies is kept
    // as offsets, and the views are set once the text no longer grows.
    QString& namen = bestand.namen;
    namen.reserve(qsizetype{16} * 1024);
    qsizetype belegt = 0;
    struct Lage {
        qsizetype von;
        qsizetype laenge;
    };
    std::vector<Lage> lagen;
    QStringDecoder utf8 = utf8WieFromUtf8();
    auto name = [&](sqlite3_value* v) {
        const auto* t = reinterpret_cast<const char*>(sqlite3_value_text(v));
        const int n = t ? sqlite3_value_bytes(v) : 0;
        const qsizetype bedarf = belegt + utf8.requiredSpace(n);
        if (bedarf > namen.size()) namen.resize(std::max(bedarf, 2 * namen.size()));
        const QChar* ende = utf8.appendToBuffer(namen.data() + belegt, QByteArrayView(t, n));
        lagen.push_back({belegt, ende - (namen.constData() + belegt)});
        belegt = ende - namen.constData();
    };
    while (sqlite3_step(st) == SQLITE_ROW) {
        BerichtPaket& p = pakete.emplaceBack();
        auto spalte = [st](int i) { return sqlite3_column_value(st, i); };
        p.datum = wertDatum(spalte(0));
        name(spalte(1));
        name(spalte(2));
        p.stueck = wertGanzzahl(spalte(3));
        p.kaufpreis = wertGeld(spalte(4));
        p.gebuehren = wertGeld(spalte(5));
        p.tageskurs = wertGeld(spalte(6));
        p.altkurs = wertGeld(spalte(7)).value_or(Currency());
        p.dividende = wertGeld(spalte(8)).value_or(Currency());
        p.kaufdatum = wertDatum(spalte(9));
    }
    sqlite3_finalize(st);
    namen.truncate(belegt);
    for (qsizetype i = 0; i < pakete.size(); ++i) {
        const Lage& wpkn = lagen[static_cast<std::size_t>(2 * i)];
        const Lage& aktie = lagen[static_cast<std::size_t>(2 * i + 1)];
        pakete[i].wpkn = QStringView(namen).sliced(wpkn.von, wpkn.laenge);
        pakete[i].aktie = QStringView(namen).sliced(aktie.von, aktie.laenge);
    }
    return bestand;
}

Tageswerte tageswerteLesen(Database& db) {
    Tageswerte w;
    w.altallwert =
        geld(db.scalar(QStringLiteral("SELECT altallwert FROM kennwort ORDER BY _nr LIMIT 1")))
            .value_or(Currency());
    const QList<QVariantList> index = db.rows(
        QStringLiteral("SELECT indexname, indexzahl FROM Indexkurse ORDER BY _nr DESC LIMIT 1"));
    if (!index.isEmpty()) {
        w.indexname = index.first().value(0).toString();
        const QVariant zahl = index.first().value(1);
        if (zahl.typeId() == QMetaType::LongLong || zahl.typeId() == QMetaType::Double)
            w.indexzahl = zahl.toDouble();
        else if (zahl.typeId() == QMetaType::QString)
            w.indexzahl = Numbers::readDouble(zahl.toString(), Numbers::Mode::Stored);
    }
    return w;
}

} // namespace Berichte
