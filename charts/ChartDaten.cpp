#include "charts/ChartDaten.h"

#include "core/Bewertung.h"
#include "core/Numbers.h"
#include "db/Database.h"
#include "db/Gespeichert.h"
#include "db/Recordset.h"

#include <cmath>
#include <memory>

namespace ChartDaten {

namespace {

// The package's rows; the left side is the indexed expression.
const QString Name = QStringLiteral("trim(aktie) = trim(?1)");

/// A stored quote as the record sets read a currency field; NULL or
/// unreadable counts as 0.
Currency kursWert(const QVariant& v) {
    return Gespeichert::geld(v).value_or(Currency());
}

/// An index value; text has its first "," taken as the decimal point.
double indexWert(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Double:
        return std::isfinite(v.toDouble()) ? v.toDouble() : 0.0;
    case QMetaType::QString:
        return Numbers::leadingNumber(v.toString());
    default:
        return 0.0;
    }
}

int anzahl(Database& db, const QString& sql, const QVariantList& parameter = {}) {
    return db.scalar(sql, parameter).toInt();
}

/// Runs one deletion in its own transaction; the rows it removed, -1 on failure.
int loeschen(Database& db, const QString& vorgang, const QString& zaehlen,
             const QString& loeschen, const QVariantList& parameter) {
    Transaction t(db, vorgang);
    if (!t.isActive()) return -1;
    const int vorher = anzahl(db, zaehlen, parameter);
    if (!db.exec(loeschen, parameter)) return -1;
    const int nachher = anzahl(db, zaehlen, parameter);
    if (!t.commit()) return -1;
    return vorher - nachher;
}

} // namespace

int kursAnzahl(Database& db, const QString& name) {
    return anzahl(db, QStringLiteral("SELECT count(*) FROM kurse WHERE ") + Name, {name});
}

QList<Currency> kurse(Database& db, const QString& name, int hoechstens) {
    const QList<QVariantList> zeilen =
        db.rows(QStringLiteral("SELECT kurs FROM kurse WHERE ") + Name +
                    QStringLiteral(" ORDER BY _nr DESC LIMIT ?2"),
                {name, hoechstens});
    QList<Currency> out;
    out.reserve(zeilen.size());
    for (auto it = zeilen.crbegin(); it != zeilen.crend(); ++it)
        out << kursWert(it->value(0));
    return out;
}

int kurseKuerzen(Database& db, const QString& name, int behalten) {
    // Everything older than the behalten-th newest quote of the name.
    return loeschen(db, QStringLiteral("Chartkurse ") + name.trimmed(),
                    QStringLiteral("SELECT count(*) FROM kurse WHERE ") + Name,
                    QStringLiteral("DELETE FROM kurse WHERE ") + Name +
                        QStringLiteral(" AND _nr < (SELECT _nr FROM kurse WHERE ") + Name +
                        QStringLiteral(" ORDER BY _nr DESC LIMIT 1 OFFSET ?2 - 1)"),
                    {name, behalten});
}

int kurseLoeschen(Database& db, const QString& name) {
    return loeschen(db, QStringLiteral("Chartkurse ") + name.trimmed(),
                    QStringLiteral("SELECT count(*) FROM kurse WHERE ") + Name,
                    QStringLiteral("DELETE FROM kurse WHERE ") + Name, {name});
}

bool kurseVorhanden(Database& db) {
    return db.scalar(QStringLiteral("SELECT EXISTS (SELECT 1 FROM kurse)")).toInt() == 1;
}

QList<Charts::BilanzPosten> bilanz(Database& db) {
    // The card's own reading of the fields, so each bar equals its gain.
    QList<Charts::BilanzPosten> out;
    const std::unique_ptr<Recordset> r(Recordset::openQuery(
        db, QStringLiteral("Select aktie, \"stück\", kaufpreis, \"gebühren\", tageskurs, altkurs "
                           "From Aktiendaten")));
    if (!r) return out;
    out.reserve(r->recordCount());
    for (r->moveFirst(); !r->eof(); r->moveNext()) {
        PaketWerte p;
        p.stueck = static_cast<qint32>(r->integer(QStringLiteral("stück")));
        p.kaufpreis = r->currency(QStringLiteral("kaufpreis"));
        p.gebuehren = r->currency(QStringLiteral("gebühren"));
        p.tageskurs = r->currency(QStringLiteral("tageskurs"));
        p.altkurs = r->currency(QStringLiteral("altkurs"));
        out.append({r->text(QStringLiteral("aktie")), bewerte(p).gewinn});
    }
    return out;
}

int indexAnzahl(Database& db) {
    return anzahl(db, QStringLiteral("SELECT count(*) FROM Indexkurse"));
}

QList<double> indexwerte(Database& db, int hoechstens) {
    const QList<QVariantList> zeilen =
        db.rows(QStringLiteral("SELECT indexzahl FROM Indexkurse ORDER BY _nr DESC LIMIT ?1"),
                {hoechstens});
    QList<double> out;
    out.reserve(zeilen.size());
    for (auto it = zeilen.crbegin(); it != zeilen.crend(); ++it)
        out << indexWert(it->value(0));
    return out;
}

int indexKuerzen(Database& db, int behalten) {
    return loeschen(db, QStringLiteral("Indexwert"), QStringLiteral("SELECT count(*) FROM Indexkurse"),
                    QStringLiteral("DELETE FROM Indexkurse WHERE _nr < (SELECT _nr FROM "
                                   "Indexkurse ORDER BY _nr DESC LIMIT 1 OFFSET ?1 - 1)"),
                    {behalten});
}

} // namespace ChartDaten
