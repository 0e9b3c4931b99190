#include "extras/Korrekturen.h"

#include "core/Numbers.h"
#include "core/Paketkorrektur.h"
#include "db/Database.h"
#include "db/SqlUtil.h"
#include "db/Vorgang.h"

#include <QList>
#include <cmath>

namespace Korrekturen {

namespace {

// A currency column as stored: amount × 10000; older files may hold a double
// or German text.
Currency betrag(const QVariant& v) {
    if (v.typeId() == QMetaType::LongLong) return Currency::fromRaw(v.toLongLong());
    if (v.typeId() == QMetaType::Double) return Currency::fromRaw(std::llround(v.toDouble()));
    if (v.typeId() == QMetaType::QString)
        return Numbers::parseCurrency(v.toString()).value_or(Currency());
    return Currency();
}

qint64 ganz(const QVariant& v) {
    if (v.typeId() == QMetaType::LongLong) return v.toLongLong();
    if (v.typeId() == QMetaType::Double) return std::llround(v.toDouble());
    if (v.typeId() == QMetaType::QString)
        return std::llround(Numbers::readDouble(v.toString(), Numbers::Mode::Stored).value_or(0));
    return 0;
}

/// One statement run again for many rows: the quote history of a name can
/// be long, and preparing it once per row would cost more than the writes.
class Wiederholt {
public:
    Wiederholt(Database& db, const char* sql) : m_h(db.handle()) {
        if (m_h && sqlite3_prepare_v2(m_h, sql, -1, &m_stmt, nullptr) != SQLITE_OK) {
            sqlite3_finalize(m_stmt);
            m_stmt = nullptr;
        }
    }
    ~Wiederholt() { sqlite3_finalize(m_stmt); }
    Wiederholt(const Wiederholt&) = delete;
    Wiederholt& operator=(const Wiederholt&) = delete;

    bool ok() const { return m_stmt != nullptr; }
    bool run(const QVariantList& params) {
        if (!m_stmt) return false;
        sqlite3_reset(m_stmt);
        if (SqlUtil::bind(m_stmt, params) < 0) return false;
        return sqlite3_step(m_stmt) == SQLITE_DONE;
    }
    QString fehler() const { return m_h ? QString::fromUtf8(sqlite3_errmsg(m_h)) : QString(); }

private:
    sqlite3* m_h;
    sqlite3_stmt* m_stmt = nullptr;
};

struct SplitPaket {
    qlonglong nr = 0;
    qint64 stueck = 0;
    Currency kaufpreis, tageskurs, altkurs;
};

QList<SplitPaket> splitPakete(Database& db, const QString& name) {
    QList<SplitPaket> out;
    const auto rows =
        db.rows(QStringLiteral("SELECT rowid, \"stück\", kaufpreis, tageskurs, altkurs"
                               " FROM Aktiendaten WHERE trim(aktie) = trim(?1)"
                               " ORDER BY rowid"),
                {name});
    for (const auto& r : rows)
        out << SplitPaket{r.value(0).toLongLong(), ganz(r.value(1)), betrag(r.value(2)),
                          betrag(r.value(3)), betrag(r.value(4))};
    return out;
}

struct SplitWerte {
    qint64 stueck = 0;
    Currency kaufpreis, tageskurs, altkurs;
};

QString stueckGrenzeText() {
    return QStringLiteral("Die neue Stückzahl muss zwischen 1 und 2.147.483.647 liegen.");
}

// The values of one package after the split; the refusal text on failure.
std::optional<SplitWerte> nachSplit(const SplitPaket& p, Currency f, QString* warum) {
    SplitWerte w;
    const auto stueck = Paketkorrektur::splitStueck(p.stueck, f);
    const auto kauf = Paketkorrektur::splitKurs(p.kaufpreis, f);
    const auto kurs = Paketkorrektur::splitKurs(p.tageskurs, f);
    const auto alt = Paketkorrektur::splitKurs(p.altkurs, f);
    if (!stueck) {
        *warum = QStringLiteral("Der Aktiensplit ist nicht möglich: ") + stueckGrenzeText();
        return std::nullopt;
    }
    if (!kauf || !kurs || !alt) {
        *warum =
            QStringLiteral("Der Aktiensplit ist nicht möglich: Die neuen Kurse wären zu groß.");
        return std::nullopt;
    }
    w.stueck = *stueck;
    w.kaufpreis = *kauf;
    w.tageskurs = *kurs;
    w.altkurs = *alt;
    return w;
}

struct BuendelPaket {
    Paketkorrektur::Teil teil;
    QVariantList
        letzte; ///< aktie, WP-KNummer, tageskurs, kaufdatum, datum, altkurs, kursziel, stopkurs
};

QList<BuendelPaket> buendelPakete(Database& db, const QString& kennummer) {
    QList<BuendelPaket> out;
    const auto rows = db.rows(
        QStringLiteral("SELECT \"stück\", kaufpreis, \"gebühren\", dividende, notizen, aktie,"
                       " \"WP-KNummer\", tageskurs, kaufdatum, datum, altkurs, kursziel, stopkurs"
                       " FROM Aktiendaten WHERE \"WP-KNummer\" = ?1 ORDER BY rowid"),
        {kennummer});
    for (const auto& r : rows) {
        BuendelPaket p;
        p.teil.stueck = ganz(r.value(0));
        p.teil.kaufpreis = betrag(r.value(1));
        p.teil.gebuehren = betrag(r.value(2));
        p.teil.dividende = betrag(r.value(3));
        p.teil.notizen = r.value(4).toString();
        p.letzte = r.mid(5);
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
    if (stueck < 1 || stueck > Paketkorrektur::MaxStueck) return vorn + stueckGrenzeText();
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
    Vorgang v(db, was, nachSchritt);
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
                                    " tageskurs = ?, altkurs = ? WHERE rowid = ?"),
                     {neu[i].stueck, QVariant::fromValue(neu[i].kaufpreis),
                      QVariant::fromValue(neu[i].tageskurs), QVariant::fromValue(neu[i].altkurs),
                      pakete[i].nr}))
            return Ergebnis{false, v.fehler()};
        v.schritt();
    }

    // The history is kept by name: divided once, however many packages share it.
    const auto kurse = db.rows(
        QStringLiteral("SELECT rowid, kurs FROM kurse WHERE trim(aktie) = trim(?1) ORDER BY rowid"),
        {name});
    {
        Wiederholt aendern(db, "UPDATE kurse SET kurs = ?1 WHERE rowid = ?2");
        if (!aendern.ok()) return Ergebnis{false, v.fehler(aendern.fehler())};
        for (const auto& k : kurse) {
            if (!k.value(1).isValid()) continue; // no quote stored: nothing to divide
            const auto kurs = Paketkorrektur::splitKurs(betrag(k.value(1)), faktor);
            if (!kurs)
                return Ergebnis{false, QStringLiteral("Der Aktiensplit ist nicht möglich: Die "
                                                      "neuen Kurse wären zu groß.")};
            if (!aendern.run({QVariant::fromValue(*kurs), k.value(0)}))
                return Ergebnis{false, v.fehler(aendern.fehler())};
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
    Vorgang v(db, was, nachSchritt);
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
