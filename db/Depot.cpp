#include "db/Depot.h"

#include "db/Database.h"

namespace Depot {

Currency kontostand(Database& db) {
    // Integer sum in SQL: exact, and an overflow is an error, not a wrong total.
    return Currency::fromRaw(
        db.scalar(QStringLiteral("SELECT coalesce(sum(summe), 0) FROM Gewinne")).toLongLong());
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
    return db.exec(
        QStringLiteral("UPDATE kennwort SET altallwert = coalesce(altallwert, 0) + ?1 WHERE _nr = "
                       "(SELECT min(_nr) FROM kennwort)"),
        {QVariant::fromValue(deltaEuro)});
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
