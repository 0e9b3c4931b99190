#include "reports/BerichtDaten.h"

#include "core/Numbers.h"
#include "db/Database.h"

#include <cmath>

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
        if (const auto d = Numbers::parseLocale(v.toString()); d && std::fabs(*d) < 9e18)
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

} // namespace

namespace Berichte {

QList<BerichtPaket> paketeLesen(Database& db) {
    const QList<QVariantList> zeilen = db.rows(QStringLiteral(
        "SELECT datum, \"WP-KNummer\", aktie, \"stück\", kaufpreis, \"gebühren\", tageskurs,"
        " altkurs, dividende, kaufdatum FROM Aktiendaten ORDER BY _nr"));
    QList<BerichtPaket> pakete;
    pakete.reserve(zeilen.size());
    for (const QVariantList& z : zeilen) {
        BerichtPaket p;
        p.datum = datum(z.value(0));
        p.wpkn = z.value(1).toString();
        p.aktie = z.value(2).toString();
        p.stueck = ganzzahl(z.value(3));
        p.kaufpreis = geld(z.value(4));
        p.gebuehren = geld(z.value(5));
        p.tageskurs = geld(z.value(6));
        p.altkurs = geld(z.value(7)).value_or(Currency());
        p.dividende = geld(z.value(8)).value_or(Currency());
        p.kaufdatum = datum(z.value(9));
        pakete.append(std::move(p));
    }
    return pakete;
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
            w.indexzahl = Numbers::parseLocale(zahl.toString());
    }
    return w;
}

} // namespace Berichte
