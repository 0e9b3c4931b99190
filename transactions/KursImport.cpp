#include "transactions/KursImport.h"

#include "core/Eingabe.h"
#include "db/Database.h"
#include "db/Depot.h"
#include "db/Gespeichert.h"
#include "db/Statement.h"
#include "db/Vorgang.h"

#include <QHash>
#include <QSet>
#include <algorithm>

namespace KursImport {

namespace {

struct Paket {
    Bookmark nr = -1;
    QString aktie;
    QString name; ///< trimmed
    QString nummer;
    qint64 stueck = 0;
    Currency tageskurs;
    Currency altkurs;
    QDate datum;
    bool geaendert = false;
};

QList<Paket> paketeLesen(Database& db, bool* ok) {
    QList<Paket> l;
    Statement st(db, "SELECT _nr, aktie, \"WP-KNummer\", CAST(IFNULL(\"stück\", 0) AS INTEGER), "
                     "tageskurs, datum FROM Aktiendaten ORDER BY _nr");
    while (st.next()) {
        Paket p;
        p.nr = st.int64(0);
        p.aktie = st.text(1);
        p.name = p.aktie.trimmed();
        p.nummer = st.text(2).trimmed().toUpper();
        p.stueck = st.int64(3);
        p.tageskurs = st.currency(4).value_or(Currency());
        p.datum = Gespeichert::datum(st.text(5).trimmed());
        l << p;
    }
    *ok = st.ok() && st.error().isEmpty();
    return l;
}

const QString Scheitern =
    QStringLiteral("Die Kurse konnten nicht übernommen werden. Es wurde nichts geändert.");

} // namespace

Plan planen(Database& db, const Kursdatei::Auswertung& a, Bookmark paket) {
    Plan plan;
    plan.unlesbar = a.unlesbar;
    bool ok = true;
    const QList<Paket> pakete = paketeLesen(db, &ok);
    QHash<QString, QList<int>> nachName;
    QHash<QString, QString> nachNummer; // number -> trimmed name of its first package
    QString festerName;
    for (int i = 0; i < pakete.size(); ++i) {
        const Paket& p = pakete[i];
        nachName[p.name] << i;
        if (!p.nummer.isEmpty() && !nachNummer.contains(p.nummer)) nachNummer.insert(p.nummer, p.name);
        if (p.nr == paket) festerName = p.name;
    }
    // A day of a name as one number: the name by its first package.
    const auto tagSchluessel = [](int paketIndex, const QDate& d) {
        return (qint64(paketIndex) << 32) | qint64(quint32(d.toJulianDay()));
    };
    // The package group each row goes to (nullptr: none), and the file's days.
    QList<const QList<int>*> ziel;
    ziel.reserve(a.zeilen.size());
    QSet<qint64> gesucht;
    for (const Kursdatei::Kurszeile& z : a.zeilen) {
        QString name = festerName;
        if (paket < 0) {
            const QString nummer = z.nummer.toUpper();
            if (!nummer.isEmpty() && nachNummer.contains(nummer)) name = nachNummer.value(nummer);
            else if (!z.name.isEmpty() && nachName.contains(z.name))
                name = z.name;
        }
        const auto gruppe = name.isEmpty() ? nachName.cend() : nachName.constFind(name);
        ziel << (gruppe == nachName.cend() ? nullptr : &*gruppe);
        if (gruppe != nachName.cend()) gesucht.insert(tagSchluessel(gruppe->first(), z.datum));
    }
    // The file's days kurse holds already, and those taken. Only the file's
    // days are kept: a long history is not held whole. Quotes are stored in
    // the order they were entered, the names mixed on every page: a file of
    // many names is checked in one pass over the table, through the small
    // page cache; by name each page would be read once for every name on it.
    QSet<qint64> tage;
    QSet<int> gruppen;
    for (const QList<int>* g : std::as_const(ziel))
        if (g) gruppen.insert(g->first());
    const auto merken = [&](int erster, const QDate& d) {
        if (!d.isValid()) return;
        const qint64 k = tagSchluessel(erster, d);
        if (gesucht.contains(k)) tage.insert(k);
    };
    if (gruppen.size() * 4 > nachName.size()) {
        const Database::Durchlauf durchlauf(db);
        Statement alle(db, "SELECT trim(aktie), datum FROM kurse");
        while (alle.next()) {
            const auto g = nachName.constFind(alle.text(0));
            if (g != nachName.cend() && gruppen.contains(g->first())) merken(g->first(), alle.date(1));
        }
    } else {
        Statement vorhanden(db, "SELECT datum FROM kurse WHERE trim(aktie) = ?1");
        for (int erster : std::as_const(gruppen)) {
            vorhanden.bind(1, pakete[erster].name);
            while (vorhanden.next())
                merken(erster, vorhanden.date(0));
            vorhanden.reset();
        }
    }
    QSet<QString> ohne;
    plan.neu.reserve(a.zeilen.size());
    for (qsizetype zi = 0; zi < a.zeilen.size(); ++zi) {
        const Kursdatei::Kurszeile& z = a.zeilen[zi];
        const QList<int>* gruppe = ziel[zi];
        if (!gruppe) {
            const QString wer = z.name.isEmpty() ? z.nummer : z.name;
            ++plan.ohnePaketZeilen;
            if (!wer.isEmpty() && !ohne.contains(wer)) {
                ohne.insert(wer);
                plan.ohnePaket << wer;
            }
            continue;
        }
        bool imBereich = true;
        for (int i : *gruppe)
            imBereich = imBereich && Eingabe::wert(z.kurs, pakete[i].stueck).has_value();
        if (!imBereich) {
            plan.unlesbar << z.zeile;
            continue;
        }
        const qint64 k = tagSchluessel(gruppe->first(), z.datum);
        if (tage.contains(k)) {
            ++plan.vorhanden;
            continue;
        }
        tage.insert(k);
        plan.neu << Neu{z.zeile, pakete[gruppe->first()].aktie, z.datum, z.kurs};
    }
    std::stable_sort(plan.neu.begin(), plan.neu.end(),
                     [](const Neu& x, const Neu& y) { return x.datum < y.datum; });
    std::sort(plan.unlesbar.begin(), plan.unlesbar.end());
    return plan;
}

Kurse::Ergebnis schreiben(Database& db, const Plan& plan, const QDate& heute,
                          std::optional<Currency> angezeigterGesamtwert,
                          const std::function<void(int)>& fortschritt) {
    Vorgang v(db, QStringLiteral("Kursimport"), Scheitern);
    if (!v.begonnen()) return {false, v.fehler()};
    // Many rows per statement: each statement of a recorded operation keeps
    // the pages it changes for its own rollback, once per statement.
    const auto einfuegen = [&](int zeilen) {
        QString sql = QStringLiteral("INSERT INTO kurse (aktie, datum, kurs) VALUES (?, ?, ?)");
        for (int i = 1; i < zeilen; ++i)
            sql += QStringLiteral(", (?, ?, ?)");
        return sql;
    };
    const int Block = 100;
    // Binds the rows from von on to the statement made for that many and runs it.
    const auto schreibeZeilen = [&](Statement& ins, qsizetype von, int zeilen) {
        for (int j = 0; j < zeilen; ++j) {
            const Neu& k = plan.neu[von + j];
            ins.bind(3 * j + 1, k.aktie);
            ins.bind(3 * j + 2, k.datum);
            ins.bind(3 * j + 3, k.kurs);
        }
        return ins.run();
    };
    Statement ins(db, einfuegen(Block));
    int n = 0;
    const qsizetype ganz = plan.neu.size() - plan.neu.size() % Block;
    for (qsizetype i = 0; i < ganz; i += Block) {
        if (!schreibeZeilen(ins, i, Block)) return {false, v.fehler(ins.error())};
        n += Block;
        if (fortschritt && n % 1000 == 0) fortschritt(n);
    }
    if (ganz < plan.neu.size()) {
        const int zeilen = int(plan.neu.size() - ganz);
        Statement rest(db, einfuegen(zeilen));
        if (!schreibeZeilen(rest, ganz, zeilen)) return {false, v.fehler(rest.error())};
        n = int(plan.neu.size());
    }

    // The packages, as the single-quote update would leave them.
    bool ok = true;
    QList<Paket> pakete = paketeLesen(db, &ok);
    if (!ok) return {false, v.fehler()};
    QHash<QString, QList<int>> nachName;
    for (int i = 0; i < pakete.size(); ++i)
        nachName[pakete[i].name] << i;
    const QList<QDate> vorher = [&] {
        QList<QDate> d;
        for (const Paket& p : pakete)
            d << p.datum;
        return d;
    }();
    const std::optional<Depot::Summen> summen = Depot::summen(db);
    if (!summen) return {false, v.fehler(Depot::summenFehlerText())};
    Currency gesamt = summen->wert;
    std::optional<Depot::Tagesbasis> basis = Depot::tagesbasisLesen(db, &ok);
    if (!ok) return {false, v.fehler()};
    bool basisGeaendert = false;
    bool erster = true;
    for (const Neu& k : plan.neu) {
        for (int i : nachName.value(k.aktie.trimmed())) {
            Paket& p = pakete[i];
            if (vorher[i].isValid() && k.datum <= vorher[i]) continue;
            // The total the main window would show before this quote.
            const std::optional<Currency> gezeigt = erster ? angezeigterGesamtwert : gesamt.cents();
            erster = false;
            if (gezeigt && basis && Depot::tagesbasisFortschreiben(*basis, heute, *gezeigt))
                basisGeaendert = true;
            const auto alt = p.tageskurs.times(p.stueck);
            const auto neu = k.kurs.times(p.stueck);
            const auto summe = alt && neu ? gesamt.minus(*alt) : std::nullopt;
            const auto danach = summe ? summe->plus(*neu) : std::nullopt;
            if (!danach) return {false, v.fehler(Depot::summenFehlerText())};
            gesamt = *danach;
            p.altkurs = p.tageskurs;
            p.tageskurs = k.kurs;
            p.datum = k.datum;
            p.geaendert = true;
        }
    }
    Statement upd(db, "UPDATE Aktiendaten SET altkurs = ?1, tageskurs = ?2, datum = ?3 "
                      "WHERE _nr = ?4");
    for (const Paket& p : pakete) {
        if (!p.geaendert) continue;
        upd.bind(1, p.altkurs);
        upd.bind(2, p.tageskurs);
        upd.bind(3, p.datum);
        upd.bind(4, p.nr);
        if (!upd.run()) return {false, v.fehler(upd.error())};
    }
    if (basisGeaendert && !Depot::tagesbasisSchreiben(db, *basis)) return {false, v.fehler()};
    if (!v.commit()) return {false, v.fehler()};
    if (fortschritt) fortschritt(n);
    return {true, QString()};
}

QString zeilenText(const QList<int>& zeilen) {
    QStringList l;
    for (int i = 0; i < std::min<qsizetype>(zeilen.size(), 10); ++i)
        l << QString::number(zeilen[i]);
    QString t = (zeilen.size() == 1 ? QStringLiteral("Zeile ") : QStringLiteral("Zeilen ")) +
                l.join(QStringLiteral(", "));
    if (zeilen.size() > 10) t += QStringLiteral(" …");
    return t;
}

QString ergebnisText(const Plan& plan) {
    QString t = plan.neu.size() == 1
                    ? QStringLiteral("Es wurde 1 Kurs übernommen.")
                    : QStringLiteral("Es wurden %1 Kurse übernommen.").arg(plan.neu.size());
    QStringList weg;
    if (plan.vorhanden > 0)
        weg << QStringLiteral("%1 schon vorhanden (gleicher Name und gleiches Datum)")
                   .arg(plan.vorhanden);
    if (!plan.unlesbar.isEmpty())
        weg << QStringLiteral("%1 nicht lesbar (%2)")
                   .arg(plan.unlesbar.size())
                   .arg(zeilenText(plan.unlesbar));
    if (plan.ohnePaketZeilen > 0)
        weg << QStringLiteral("%1 ohne passendes Aktienpaket (%2)")
                   .arg(plan.ohnePaketZeilen)
                   .arg(plan.ohnePaket.mid(0, 10).join(QStringLiteral(", ")));
    if (!weg.isEmpty())
        t += QStringLiteral("\n\nNicht übernommen:\n") + weg.join(QLatin1Char('\n'));
    return t;
}

} // namespace KursImport
