#include "transactions/KursOperationen.h"

#include "core/Numbers.h"
#include "db/Database.h"
#include "db/Depot.h"
#include "db/Vorgang.h"

namespace Kurse {

namespace {

const QString Scheitern =
    QStringLiteral("Die Kurse konnten nicht gespeichert werden. Es wurde nichts geändert.");

// The package row must still exist; an UPDATE of a vanished row would
// silently report success.
bool paketAendern(Database& db, Bookmark paket, Currency kurs, const QDate& datum) {
    if (!paketwertImBereich(db, paket, kurs)) return false;
    return db.exec(QStringLiteral("UPDATE Aktiendaten SET altkurs = tageskurs, tageskurs = ?,"
                                  " datum = ? WHERE rowid = ?"),
                   {QVariant::fromValue(kurs), datum, static_cast<qlonglong>(paket)});
}

} // namespace

std::optional<Currency> angezeigterGesamtwert(const QString& gesamtwertText) {
    const QString t = gesamtwertText.trimmed();
    if (t.isEmpty() || !(t.front().isDigit() || t.front() == QLatin1Char('-'))) return std::nullopt;
    return Numbers::leadingCurrency(t);
}

Eingabe::Feld<Currency> einzelkurs(const QString& text) {
    return Eingabe::betrag(text);
}

Eingabe::Feld<Currency> kursZweiStellen(const QString& text) {
    // Rounded on the typed decimal digits, as "0.00" formats the number.
    return Eingabe::betragInCent(text);
}

bool paketwertImBereich(Database& db, Bookmark paket, Currency kurs) {
    const QVariant stueck = db.scalar(
        QStringLiteral(
            "SELECT CAST(IFNULL(\"stück\", 0) AS INTEGER) FROM Aktiendaten WHERE rowid = ?"),
        {static_cast<qlonglong>(paket)});
    return stueck.isValid() && Eingabe::wert(kurs, stueck.toLongLong()).has_value();
}

QString paketwertZuGrossText(const QString& aktie) {
    return QStringLiteral("Mit diesem Kurs wäre der Wert des Aktienpakets \"%1\" zu groß!\n"
                          "Erlaubt sind Beträge bis 99.999.999.999,9999.")
        .arg(aktie);
}

Ergebnis einzelkursSpeichern(Database& db, Bookmark paket, const QString& aktie, const QDate& datum,
                             Currency kurs, const QDate& heute,
                             std::optional<Currency> angezeigterGesamtwert,
                             const std::function<void(int)>& nachSchritt) {
    Vorgang v(db, QStringLiteral("Kurs ") + aktie.trimmed(), Scheitern, nachSchritt);
    if (!v.begonnen() || !Depot::kursAnhaengen(db, aktie, datum, kurs)) return {false, v.fehler()};
    v.schritt();
    if (angezeigterGesamtwert && !Depot::tagesbasisAktualisieren(db, heute, *angezeigterGesamtwert))
        return {false, v.fehler()};
    v.schritt();
    if (!paketAendern(db, paket, kurs, datum)) return {false, v.fehler()};
    v.schritt();
    if (!v.commit()) return {false, v.fehler()};
    return {true, QString()};
}

Ergebnis alleKurseSpeichern(Database& db, const QList<NeuerKurs>& kurse, const QDate& datum,
                            const QDate& heute, std::optional<Currency> angezeigterGesamtwert,
                            const std::function<void(int)>& nachSchritt) {
    Vorgang v(db, QStringLiteral("Alle Kurse"), Scheitern, nachSchritt);
    if (!v.begonnen() || (angezeigterGesamtwert &&
                          !Depot::tagesbasisAktualisieren(db, heute, *angezeigterGesamtwert)))
        return {false, v.fehler()};
    v.schritt();
    for (const NeuerKurs& k : kurse) {
        if (!paketAendern(db, k.paket, k.kurs, datum) ||
            !Depot::kursAnhaengen(db, k.aktie, datum, k.kurs))
            return {false, v.fehler()};
        v.schritt();
    }
    if (!v.commit()) return {false, v.fehler()};
    return {true, QString()};
}

} // namespace Kurse
