#include "extras/Korrekturen.h"

#include "core/Eingabe.h"
#include "core/Numbers.h"
#include "core/Paketkorrektur.h"
#include "db/Database.h"
#include "db/Gespeichert.h"
#include "db/Statement.h"
#include "db/Vorgang.h"

#include <QList>

namespace Korrekturen {

namespace {

struct SplitPaket {
    qlonglong nr = 0;
    qint64 stueck = 0;
    Currency kaufpreis, tageskurs, altkurs;
    std::optional<double> kursziel, stopkurs; ///< none: NULL or no number, left as it is
};

// NULL and what reads as no number count as 0.
Currency betrag(const Statement& st, int col) {
    return st.currency(col).value_or(Currency());
}

qint64 ganz(const Statement& st, int col) {
    return st.whole(col).value_or(0);
}

QList<SplitPaket> splitPakete(Database& db, const QString& name) {
    QList<SplitPaket> out;
    Statement st(db, "SELECT rowid, \"stück\", kaufpreis, tageskurs, altkurs, kursziel, stopkurs"
                     " FROM Aktiendaten WHERE trim(aktie) = trim(?1) ORDER BY rowid");
    st.bind(1, name);
    while (st.next())
        out << SplitPaket{st.int64(0),
                          ganz(st, 1),
                          betrag(st, 2),
                          betrag(st, 3),
                          betrag(st, 4),
                          Gespeichert::zahl(st.value(5)),
                          Gespeichert::zahl(st.value(6))};
    return out;
}

struct SplitWerte {
    qint64 stueck = 0;
    Currency kaufpreis, tageskurs, altkurs;
    QVariant kursziel, stopkurs; ///< NULL: left as stored
};

// A result the edit window could not save again is refused.
QString stueckGrenzeText(bool zuGross) {
    return zuGross
               ? QStringLiteral("Die neue Stückzahl wäre zu groß!\n") + Eingabe::stueckGrenzeText()
               : QStringLiteral("Die neue Stückzahl wäre kleiner als 1!");
}

QString kurseZuGrossText() {
    return QStringLiteral("Der Aktiensplit ist nicht möglich: Die neuen Kurse wären zu groß.");
}

// The values of one package after the split; the refusal text on failure.
std::optional<SplitWerte> nachSplit(const SplitPaket& p, Currency f, QString* warum) {
    SplitWerte w;
    bool zuGross = false;
    const auto stueck = Paketkorrektur::splitStueck(p.stueck, f, &zuGross);
    const auto kauf = Paketkorrektur::splitKurs(p.kaufpreis, f);
    const auto kurs = Paketkorrektur::splitKurs(p.tageskurs, f);
    const auto alt = Paketkorrektur::splitKurs(p.altkurs, f);
    if (!stueck) {
        *warum = QStringLiteral("Der Aktiensplit ist nicht möglich: ") + stueckGrenzeText(zuGross);
        return std::nullopt;
    }
    if (!kauf || !kurs || !alt) {
        *warum = kurseZuGrossText();
        return std::nullopt;
    }
    // Target and stop price go with the prices, or the card would at once
    // report a stop price reached.
    for (const auto& [vorher, nachher] :
         {std::pair{&p.kursziel, &w.kursziel}, std::pair{&p.stopkurs, &w.stopkurs}}) {
        if (!*vorher) continue;
        const auto neu = Paketkorrektur::splitGrenzkurs(**vorher, f);
        if (!neu) {
            *warum = kurseZuGrossText();
            return std::nullopt;
        }
        *nachher = *neu;
    }
    w.stueck = *stueck;
    w.kaufpreis = *kauf;
    w.tageskurs = *kurs;
    w.altkurs = *alt;
    return w;
}

// Positions in BuendelPaket::letzte.
constexpr qsizetype LetzteKursziel = 6;
constexpr qsizetype LetzteStopkurs = 7;

struct BuendelPaket {
    Paketkorrektur::Teil teil;
    QVariantList
        letzte; ///< aktie, WP-KNummer, tageskurs, kaufdatum, datum, altkurs, kursziel, stopkurs
};

QList<BuendelPaket> buendelPakete(Database& db, const QString& kennummer) {
    QList<BuendelPaket> out;
    Statement st(db, "SELECT \"stück\", kaufpreis, \"gebühren\", dividende, notizen, aktie,"
                     " \"WP-KNummer\", tageskurs, kaufdatum, datum, altkurs, kursziel, stopkurs"
                     " FROM Aktiendaten WHERE \"WP-KNummer\" = ?1 ORDER BY rowid");
    st.bind(1, kennummer);
    while (st.next()) {
        BuendelPaket p;
        p.teil.stueck = ganz(st, 0);
        p.teil.kaufpreis = betrag(st, 1);
        p.teil.gebuehren = betrag(st, 2);
        p.teil.dividende = betrag(st, 3);
        p.teil.notizen = st.value(4).toString();
        p.teil.kursziel = Gespeichert::zahl(st.value(11)).value_or(0);
        p.teil.stopkurs = Gespeichert::zahl(st.value(12)).value_or(0);
        for (int i = 5; i < 13; ++i)
            p.letzte << st.value(i);
        out << p;
    }
    return out;
}

QString buendelGrund(const QList<BuendelPaket>& pakete) {
    QList<Paketkorrektur::Teil> teile;
    qint64 stueck = 0;
    for (const auto& p : pakete) {
        teile << p.teil;
        stueck += p.teil.stueck;
    }
    if (Paketkorrektur::buendeln(teile)) return QString();
    const QString vorn = QStringLiteral("Die Aktienpakete können nicht zusammengefasst werden: ");
    if (stueck < 1 || stueck > Eingabe::MaxStueck)
        return vorn + stueckGrenzeText(stueck > Eingabe::MaxStueck);
    return vorn + QStringLiteral("Die Beträge wären zu groß.");
}

} // namespace

// ---- Stock split --------------------------------------------------------------

QString splitFrage() {
    return QStringLiteral("Möchten Sie diesen Aktiensplit jetzt durchführen?\n\n"
                          "(Der Aktiensplit kann nicht rückgängig gemacht werden!)");
}

QString splitErfolgText() {
    return QStringLiteral("Der Aktiensplit wurde erfolgreich durchgeführt!");
}

QString faktorUngueltigText() {
    return QStringLiteral("Bitte geben Sie als Splitfaktor eine Zahl größer als 0 ein!");
}

std::optional<Currency> splitFaktor(const QString& text) {
    const auto f = Numbers::parseCurrency(text);
    if (!f || f->raw() <= 0) return std::nullopt;
    return f;
}

QString splitPruefen(Database& db, const QString& name, Currency faktor) {
    if (faktor.raw() <= 0) return faktorUngueltigText();
    const QList<SplitPaket> pakete = splitPakete(db, name);
    if (pakete.isEmpty()) return QStringLiteral("Bitte wählen Sie zuerst eine Aktie aus!");
    QString warum;
    for (const SplitPaket& p : pakete)
        if (!nachSplit(p, faktor, &warum)) return warum;
    return QString();
}

Ergebnis splitDurchfuehren(Database& db, const QString& name, Currency faktor,
                           const std::function<void(int)>& nachSchritt) {
    const QString was = QStringLiteral(
        "Der Aktiensplit konnte nicht durchgeführt werden. Es wurde nichts geändert.");
    if (faktor.raw() <= 0) return Ergebnis{false, faktorUngueltigText()};
    Vorgang v(db, QStringLiteral("Aktiensplit ") + name.trimmed(), was, nachSchritt);
    if (!v.begonnen()) return Ergebnis{false, v.fehler()};

    const QList<SplitPaket> pakete = splitPakete(db, name);
    if (pakete.isEmpty())
        return Ergebnis{false, v.fehler(QStringLiteral("Die Aktie gibt es nicht mehr."))};
    QList<SplitWerte> neu;
    QString warum;
    for (const SplitPaket& p : pakete) {
        const auto w = nachSplit(p, faktor, &warum);
        if (!w) return Ergebnis{false, warum};
        neu << *w;
    }
    for (qsizetype i = 0; i < pakete.size(); ++i) {
        if (!db.exec(QStringLiteral("UPDATE Aktiendaten SET \"stück\" = ?, kaufpreis = ?,"
                                    " tageskurs = ?, altkurs = ?, kursziel = coalesce(?, kursziel),"
                                    " stopkurs = coalesce(?, stopkurs) WHERE rowid = ?"),
                     {neu[i].stueck, QVariant::fromValue(neu[i].kaufpreis),
                      QVariant::fromValue(neu[i].tageskurs), QVariant::fromValue(neu[i].altkurs),
                      neu[i].kursziel, neu[i].stopkurs, pakete[i].nr}))
            return Ergebnis{false, v.fehler()};
        v.schritt();
    }

    // The history is kept by name: divided once, however many packages share it.
    struct Kurs {
        qint64 nr;
        Currency kurs;
    };
    QList<Kurs> kurse;
    {
        Statement lesen(db, "SELECT rowid, kurs FROM kurse WHERE trim(aktie) = trim(?1)"
                            " ORDER BY rowid");
        lesen.bind(1, name);
        // A row without a quote has nothing to divide.
        while (lesen.next())
            if (!lesen.isNull(1)) kurse << Kurs{lesen.int64(0), betrag(lesen, 1)};
        if (!lesen.error().isEmpty()) return Ergebnis{false, v.fehler(lesen.error())};
    }
    {
        // One statement for the whole history: preparing it once per row
        // would cost more than the writes.
        Statement aendern(db, "UPDATE kurse SET kurs = ?1 WHERE rowid = ?2");
        if (!aendern.ok()) return Ergebnis{false, v.fehler(aendern.error())};
        for (const Kurs& k : kurse) {
            const auto kurs = Paketkorrektur::splitKurs(k.kurs, faktor);
            if (!kurs) return Ergebnis{false, kurseZuGrossText()};
            aendern.bind(1, *kurs);
            aendern.bind(2, k.nr);
            if (!aendern.run()) return Ergebnis{false, v.fehler(aendern.error())};
        }
    } // the statement is done before the commit
    v.schritt();
    if (!v.commit()) return Ergebnis{false, v.fehler()};
    return Ergebnis{true, QString()};
}

// ---- Merging ------------------------------------------------------------------

QString nurEinPaketText() {
    return QStringLiteral("Von dieser Aktie ist nur 1 Paket vorhanden!");
}

QString buendelFrage(int anzahl) {
    return QStringLiteral("Von dieser Aktie sind  ") + QString::number(anzahl) +
           QStringLiteral("  Pakete vorhanden.\n"
                          "Möchten Sie diese Aktienpakete jetzt zu einem Paket zusammenfassen?\n\n"
                          "ACHTUNG: Dieser Vorgang kann nicht rückgängig gemacht werden !       ");
}

QString buendelErfolgText() {
    return QStringLiteral("Die Zusammenfassung der Aktienpakete wurde erfolgreich durchgeführt!");
}

int paketeMitKennummer(Database& db, const QString& kennummer) {
    return db
        .scalar(QStringLiteral("SELECT count(*) FROM Aktiendaten WHERE \"WP-KNummer\" = ?1"),
                {kennummer})
        .toInt();
}

QString buendelnPruefen(Database& db, const QString& kennummer) {
    return buendelGrund(buendelPakete(db, kennummer));
}

Ergebnis buendeln(Database& db, const QString& kennummer,
                  const std::function<void(int)>& nachSchritt) {
    const QString was = QStringLiteral(
        "Die Aktienpakete konnten nicht zusammengefasst werden. Es wurde nichts geändert.");
    Vorgang v(db, QStringLiteral("Zusammenfassung ") + kennummer.trimmed(), was, nachSchritt);
    if (!v.begonnen()) return Ergebnis{false, v.fehler()};

    const QList<BuendelPaket> pakete = buendelPakete(db, kennummer);
    if (pakete.size() <= 1) return Ergebnis{false, nurEinPaketText()};
    QList<Paketkorrektur::Teil> teile;
    for (const auto& p : pakete)
        teile << p.teil;
    const auto b = Paketkorrektur::buendeln(teile);
    if (!b) return Ergebnis{false, buendelGrund(pakete)};

    if (!db.exec(QStringLiteral("DELETE FROM Aktiendaten WHERE \"WP-KNummer\" = ?1"), {kennummer}))
        return Ergebnis{false, v.fehler()};
    v.schritt();
    QVariantList werte = pakete.last().letzte;
    // A later package without target or stop price does not clear them.
    if (b->kursziel != 0) werte[LetzteKursziel] = b->kursziel;
    if (b->stopkurs != 0) werte[LetzteStopkurs] = b->stopkurs;
    werte << b->stueck << QVariant::fromValue(b->kaufpreis) << QVariant::fromValue(b->gebuehren)
          << QVariant::fromValue(b->dividende)
          << (b->notizen.isEmpty() ? QVariant() : QVariant(b->notizen));
    if (!db.exec(QStringLiteral("INSERT INTO Aktiendaten (aktie, \"WP-KNummer\", tageskurs,"
                                " kaufdatum, datum, altkurs, kursziel, stopkurs, \"stück\","
                                " kaufpreis, \"gebühren\", dividende, notizen)"
                                " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 werte))
        return Ergebnis{false, v.fehler()};
    const Bookmark neu = db.lastInsertRowId();
    v.schritt();
    if (!v.commit()) return Ergebnis{false, v.fehler()};
    Ergebnis r{true, QString()};
    r.neu = neu;
    return r;
}

} // namespace Korrekturen
