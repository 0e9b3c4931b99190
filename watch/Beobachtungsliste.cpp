#include "watch/Beobachtungsliste.h"

#include "core/Eingabe.h"
#include "core/Numbers.h"
#include "db/Database.h"
#include "db/Recordset.h"

namespace Beobachtungsliste {

namespace {

const QStringList Spalten = {QStringLiteral("Datum"),    QStringLiteral("Aktie"),
                             QStringLiteral("WP-KN"),    QStringLiteral("Stück"),
                             QStringLiteral("Kaufkurs"), QStringLiteral("Akt. Kurs")};

std::optional<Currency> alsWaehrung(const QVariant& v) {
    if (v.metaType() == QMetaType::fromType<Currency>()) return v.value<Currency>();
    return std::nullopt;
}

std::optional<qint64> alsGanzzahl(const QVariant& v) {
    if (v.metaType() == QMetaType::fromType<qint64>()) return v.toLongLong();
    return std::nullopt;
}

/// A price as the window stores it: read with the decimal comma, kept with two decimals.
std::optional<QString> preis00(const QString& text) {
    const auto c = Numbers::parseCurrency(text);
    if (!c) return std::nullopt;
    return c->format00();
}

Ergebnis fehler(const QString& text) {
    return {false, text};
}

Ergebnis passtNicht(const QString& wert, int feld) {
    return fehler(QStringLiteral("Die Eingabe \"%1\" passt nicht in das Feld \"%2\".\n"
                                 "Die Daten bleiben unverändert.")
                      .arg(wert, Spalten.value(feld)));
}

/// Rolls back: the record set is read again so it shows what the table holds.
Ergebnis zurueck(Transaction& t, Recordset& daten1, const QString& text) {
    t.rollback();
    daten1.cancel();
    daten1.requery();
    return fehler(text);
}

} // namespace

QString bereichPruefen(int feld, const QString& text) {
    if (feld == Stueck) {
        // Whatever else the column makes of the text is left to it.
        const Eingabe::Feld<qint64> stueck = Eingabe::stueck(text);
        if (stueck.fehler == Eingabe::Fehler::ZuGross) return Eingabe::stueckZuGrossText();
        const auto zahl = Numbers::parseCurrency(text);
        if (zahl && zahl->isNegative()) return passtNicht(text, feld).fehler;
        return QString();
    }
    if (feld != Kaufkurs && feld != Kurs) return QString();
    const Eingabe::Feld<Currency> preis = Eingabe::betragInCent(text);
    if (preis.fehler == Eingabe::Fehler::ZuGross)
        return Eingabe::zuGrossText(Spalten.value(feld), false, 2);
    if (!preis.ok()) return passtNicht(text, feld).fehler;
    return QString();
}

QList<BeobachtetePosition> lesen(Recordset& leser) {
    QList<BeobachtetePosition> out;
    leser.requery();
    out.reserve(leser.recordCount());
    const int felder = std::min(leser.fieldCount(), 6);
    for (leser.moveFirst(); !leser.eof(); leser.moveNext()) {
        BeobachtetePosition p;
        p.nr = leser.bookmark();
        for (int i = 0; i < felder; ++i)
            p.texte << leser.text(i);
        if (felder == 6) {
            p.stueck = alsGanzzahl(leser.value(Stueck));
            p.kaufkurs = alsWaehrung(leser.value(Kaufkurs));
            p.kurs = alsWaehrung(leser.value(Kurs));
        }
        out << p;
    }
    return out;
}

bool kursAnhaengen(Database& db, const QString& aktie, const QDate& datum, const QString& kurs) {
    return db.exec(
        QStringLiteral("INSERT INTO KurseVirtuell (datum, aktie, kurs) VALUES (?, ?, ?)"),
        {datum, aktie, kurs});
}

Ergebnis eintragAnlegen(Database& db, Recordset& daten1, const QDate& datum, const QString& aktie,
                        const QString& wpkn, const QString& stueck, const QString& kaufkurs,
                        const QDate& heute) {
    for (const auto& [feld, text] : {std::pair{Stueck, &stueck}, std::pair{Kaufkurs, &kaufkurs}})
        if (const QString warum = bereichPruefen(feld, *text); !warum.isEmpty())
            return fehler(warum);
    const auto erster = preis00(kaufkurs);
    if (!erster) return passtNicht(kaufkurs, Kaufkurs);
    Transaction t(db, QStringLiteral("Beobachten ") + aktie.trimmed());
    daten1.addNew();
    if (!daten1.setValue(Datum, datum))
        return zurueck(t, daten1, passtNicht(datum.toString(), Datum).fehler);
    if (!daten1.setText(Aktie, aktie)) return zurueck(t, daten1, passtNicht(aktie, Aktie).fehler);
    if (!daten1.setText(WpKn, wpkn)) return zurueck(t, daten1, passtNicht(wpkn, WpKn).fehler);
    if (!daten1.setText(Stueck, stueck))
        return zurueck(t, daten1, passtNicht(stueck, Stueck).fehler);
    if (!daten1.setText(Kaufkurs, kaufkurs) || !daten1.setText(Kurs, kaufkurs))
        return zurueck(t, daten1, passtNicht(kaufkurs, Kaufkurs).fehler);
    if (!daten1.update() || !kursAnhaengen(db, aktie, heute, *erster) || !t.commit())
        return zurueck(t, daten1,
                       QStringLiteral("Die Aktie konnte nicht gespeichert werden.\n") +
                           (daten1.lastError().isEmpty() ? db.message() : daten1.lastError()));
    return {};
}

Ergebnis feldAendern(Database& db, Recordset& daten1, int feld, const QString& antwort,
                     const QDate& heute) {
    if (!daten1.hasCurrent()) return fehler(QStringLiteral("Kein Eintrag ausgewählt."));
    if (const QString warum = bereichPruefen(feld, antwort); !warum.isEmpty())
        return fehler(warum);
    QString wert = antwort;
    if (feld == Kaufkurs || feld == Kurs) {
        const auto p = preis00(antwort);
        if (!p) return passtNicht(antwort, feld);
        wert = *p;
    }
    const QString name = daten1.text(Aktie);
    Transaction t(db, QStringLiteral("Beobachten ") + name.trimmed());
    daten1.edit();
    if (!daten1.setText(feld, wert)) return zurueck(t, daten1, passtNicht(antwort, feld).fehler);
    if (!daten1.update() || (feld == Kurs && !kursAnhaengen(db, name, heute, wert)) || !t.commit())
        return zurueck(t, daten1,
                       QStringLiteral("Die Daten konnten nicht gespeichert werden.\n") +
                           db.message());
    return {};
}

qint64 letzterMitNamen(Recordset& daten1, const QString& name) {
    qint64 gefunden = -1;
    for (daten1.moveFirst(); !daten1.eof(); daten1.moveNext())
        if (daten1.text(Aktie) == name) gefunden = daten1.bookmark();
    return gefunden;
}

Ergebnis eintragLoeschen(Database& db, Recordset& daten1, const QString& name) {
    const qint64 nr = letzterMitNamen(daten1, name);
    if (nr < 0 || !daten1.setBookmark(nr))
        return fehler(QStringLiteral("Die Aktie \"%1\" gibt es nicht mehr.").arg(name));
    Transaction t(db, QStringLiteral("Löschen Beobachten ") + name.trimmed());
    if (!daten1.remove() ||
        !db.exec(QStringLiteral("DELETE FROM KurseVirtuell WHERE trim(aktie) = trim(?)"), {name}) ||
        !t.commit())
        return zurueck(t, daten1,
                       QStringLiteral("Die Aktie konnte nicht gelöscht werden.\n") + db.message());
    daten1.requery();
    return {};
}

QStringList chartKurse(Database& db, const QString& name) {
    // Newest first through the index on the trimmed name.
    QStringList kurse;
    const auto rows = db.rows(QStringLiteral("SELECT kurs FROM KurseVirtuell "
                                             "WHERE trim(aktie) = trim(?) "
                                             "ORDER BY _nr DESC LIMIT ?"),
                              {name, ChartKurse});
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        kurse << it->value(0).toString();
    return kurse;
}

bool mindestensZweiKurse(Database& db) {
    return db.scalar(QStringLiteral("SELECT count(*) FROM (SELECT 1 FROM KurseVirtuell LIMIT 2)"))
               .toInt() >= 2;
}

} // namespace Beobachtungsliste
