#include "BigDepot.h"

#include "db/Database.h"
#include "db/Schema.h"
#include "db/Statement.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

BigDepotSize BigDepotSize::scaled(int factor) const {
    BigDepotSize s = *this;
    s.pakete *= factor;
    s.kurse *= factor;
    s.gewinne *= factor;
    s.indexkurse *= factor;
    s.beobachten *= factor;
    s.kurseVirtuell *= factor;
    return s;
}

namespace {

const char* const Vorsilben[] = {"Nord",  "Süd",   "West", "Ost",    "Rhein",
                                 "Alpen", "Hansa", "Euro", "Global", "Inter"};
const char* const Staemme[] = {"chemie",   "stahl",  "bau",       "energie",  "pharma",
                               "logistik", "textil", "maschinen", "versich",  "bank",
                               "medien",   "auto",   "telekom",   "werft",    "immobilien",
                               "papier",   "glas",   "elektro",   "brauerei", "software"};
const char* const Endungen[] = {"AG", "Fonds", "Holding", "SE", "Invest"};

QString paketName(int i) {
    const int nv = int(std::size(Vorsilben)), ns = int(std::size(Staemme)),
              ne = int(std::size(Endungen));
    QString name = QString::fromUtf8(Vorsilben[i % nv]) +
                   QString::fromUtf8(Staemme[(i / nv) % ns]) + QLatin1Char(' ') +
                   QString::fromUtf8(Endungen[(i / (nv * ns)) % ne]);
    // Beyond 1000 names (the ten-times depot) a series number keeps them apart.
    if (i >= nv * ns * ne) name += QStringLiteral(" %1").arg(i / (nv * ns * ne) + 1);
    return name;
}

/// The program's prepared statement with the binds the generator uses.
class Stmt {
public:
    Stmt(Database& db, const QString& sql, QString* error) : m_st(db, sql) {
        if (!m_st.ok() && error) *error = m_st.error() + QStringLiteral(": ") + sql;
    }
    bool ok() const { return m_st.ok(); }
    void text(int i, const QString& s) { m_st.bind(i, s); }
    void integer(int i, qint64 v) { m_st.bind(i, v); }
    void real(int i, double v) { m_st.bind(i, QVariant(v)); }
    bool run() { return m_st.run(); }
    QString error() const { return m_st.error(); }

private:
    Statement m_st;
};

/// The visible columns of a table in stored order (without the hidden key).
QStringList visibleColumns(Database& db, const QString& table) {
    QStringList cols;
    for (const QVariantList& r : db.rows(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table))) {
        // cid, name, type, notnull, dflt_value, pk
        if (r.size() >= 6 && r[5].toInt() > 0 &&
            r[2].toString().compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0)
            continue;
        cols << r[1].toString();
    }
    return cols;
}

QString isoDate(const QDate& d) {
    return d.toString(Qt::ISODate);
}
qint64 raw(double euro) {
    return qint64(std::llround(euro * 10000.0));
}

} // namespace

bool createBigDepot(const QString& path, const BigDepotSize& size, const QDate& today,
                    BigDepotInfo* info, QString* error) {
    if (!Schema::createEmptyDatabase(path, today, error)) return false;
    Database db;
    if (db.open(path) != Database::Status::Ok) {
        if (error) *error = db.message();
        return false;
    }
    std::mt19937_64 rng(20240315);
    auto uniform = [&](double a, double b) {
        return std::uniform_real_distribution<double>(a, b)(rng);
    };
    auto pick = [&](int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(rng)); };
    std::normal_distribution<double> schritt(0.0005, 0.02);

    const int tage = 2500; // about seven years of quotes
    const QDate erster = today.addDays(-tage);

    // Quotes: each day a random set of packages gets a quote, so the rows of one
    // package lie scattered through the table as in a long-kept depot.
    const int n = size.pakete;
    std::vector<double> kurs(n), vorher(n), kaufpreis(n);
    std::vector<QDate> letzterTag(n, QDate()), kaufTag(n);
    for (int i = 0; i < n; ++i) {
        kaufpreis[i] = std::round(uniform(5, 400) * 100) / 100;
        kurs[i] = vorher[i] = kaufpreis[i];
        kaufTag[i] = erster.addDays(-pick(900));
    }
    QStringList namen;
    for (int i = 0; i < n; ++i)
        namen << paketName(i);

    {
        Transaction t(db);
        Stmt st(db, QStringLiteral("INSERT INTO kurse (aktie, datum, kurs) VALUES (?, ?, ?)"),
                error);
        if (!st.ok()) return false;
        for (int r = 0; r < size.kurse; ++r) {
            const int p = pick(n);
            const QDate tag = erster.addDays(qint64(r) * tage / size.kurse);
            vorher[p] = kurs[p];
            kurs[p] = std::max(0.5, std::round(kurs[p] * (1 + schritt(rng)) * 100) / 100);
            letzterTag[p] = tag;
            st.text(1, namen[p]);
            st.text(2, isoDate(tag));
            st.integer(3, raw(kurs[p]));
            if (!st.run()) {
                if (error) *error = st.error();
                return false;
            }
        }
        if (!t.commit()) {
            if (error) *error = db.message();
            return false;
        }
    }

    double gesamtwert = 0;
    {
        Transaction t(db);
        Stmt st(
            db,
            QStringLiteral("INSERT INTO Aktiendaten (aktie, \"stück\", kaufpreis, \"gebühren\", "
                           "datum, tageskurs, \"WP-KNummer\", altkurs, kaufdatum, kursziel, "
                           "stopkurs, dividende, notizen) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            error);
        if (!st.ok()) return false;
        for (int i = 0; i < n; ++i) {
            const int stueck = 10 * (1 + pick(200));
            st.text(1, namen[i]);
            st.integer(2, stueck);
            st.integer(3, raw(kaufpreis[i]));
            st.integer(4, raw(std::round(uniform(5, 60) * 100) / 100));
            st.text(5, isoDate(letzterTag[i].isValid() ? letzterTag[i] : kaufTag[i]));
            st.integer(6, raw(kurs[i]));
            st.text(7, QString::number(100000 + pick(900000)));
            st.integer(8, raw(vorher[i]));
            st.text(9, isoDate(kaufTag[i]));
            st.real(10, i % 3 == 0 ? std::round(kaufpreis[i] * 130) / 100 : 0.0);
            st.real(11, i % 4 == 0 ? std::round(kaufpreis[i] * 80) / 100 : 0.0);
            st.integer(12, 0);
            if (i % 5 == 0)
                st.text(13, QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 "
                                           "Nachkaufen unter %1 Euro.\\par Hauptversammlung im "
                                           "Mai.\\par }")
                                .arg(int(kaufpreis[i] * 0.9)));
            else
                st.text(13, QString());
            if (!st.run()) {
                if (error) *error = st.error();
                return false;
            }
            gesamtwert += stueck * kurs[i];
        }
        if (!t.commit()) return false;
    }

    {
        Transaction t(db);
        Stmt st(db, QStringLiteral("INSERT INTO Gewinne (datum, text, summe) VALUES (?, ?, ?)"),
                error);
        if (!st.ok()) return false;
        const QDate start = erster.addDays(-900);
        const int spanne = tage + 900;
        for (int r = 0; r < size.gewinne; ++r) {
            // Mostly in date order, with some bookings entered late.
            int tag = int(qint64(r) * spanne / size.gewinne);
            if (r % 17 == 0) tag = std::max(0, tag - pick(60));
            QString text;
            double summe;
            if (r == 0) {
                text = QStringLiteral("Einzahlung");
                summe = 50000000.0; // keeps the balance positive throughout
            } else {
                const int p = pick(n);
                switch (pick(5)) {
                case 0:
                    text =
                        QStringLiteral("Kauf %1 Stück %2").arg(10 * (1 + pick(50))).arg(namen[p]);
                    summe = -uniform(500, 20000);
                    break;
                case 1:
                    text = QStringLiteral("Verkauf %1 Stück %2")
                               .arg(10 * (1 + pick(50)))
                               .arg(namen[p]);
                    summe = uniform(500, 20000);
                    break;
                case 2:
                    text = QStringLiteral("Dividende %1").arg(namen[p]);
                    summe = uniform(10, 800);
                    break;
                case 3:
                    text = QStringLiteral("Einzahlung");
                    summe = uniform(100, 5000);
                    break;
                default:
                    text = QStringLiteral("Depotgebühr");
                    summe = -uniform(5, 80);
                    break;
                }
            }
            st.text(1, isoDate(start.addDays(tag)));
            st.text(2, text);
            st.integer(3, raw(std::round(summe * 100) / 100));
            if (!st.run()) return false;
        }
        if (!t.commit()) return false;
    }

    {
        Transaction t(db);
        Stmt st(
            db,
            QStringLiteral("INSERT INTO Indexkurse (indexname, indexzahl, datum) VALUES (?, ?, ?)"),
            error);
        if (!st.ok()) return false;
        double wert = 4000;
        for (int r = 0; r < size.indexkurse; ++r) {
            wert *= 1 + schritt(rng);
            st.text(1, QStringLiteral("Leitindex"));
            st.real(2, std::round(wert * 100) / 100);
            st.text(3, isoDate(today.addDays(r - size.indexkurse)));
            if (!st.run()) return false;
        }
        if (!t.commit()) return false;
    }

    {
        const QStringList bcols = visibleColumns(db, QStringLiteral("Beobachten"));
        const QStringList kcols = visibleColumns(db, QStringLiteral("KurseVirtuell"));
        if (bcols.size() < 6 || kcols.size() < 3) {
            if (error) *error = QStringLiteral("unexpected watch-list columns");
            return false;
        }
        auto quoted = [](const QStringList& c, int k) {
            QStringList q;
            for (int i = 0; i < k; ++i)
                q << QLatin1Char('"') + c[i] + QLatin1Char('"');
            return q.join(QStringLiteral(", "));
        };
        Transaction t(db);
        Stmt sb(db,
                QStringLiteral("INSERT INTO Beobachten (%1) VALUES (?, ?, ?, ?, ?, ?)")
                    .arg(quoted(bcols, 6)),
                error);
        Stmt sk(
            db,
            QStringLiteral("INSERT INTO KurseVirtuell (%1) VALUES (?, ?, ?)").arg(quoted(kcols, 3)),
            error);
        if (!sb.ok() || !sk.ok()) return false;
        const int m = size.beobachten;
        std::vector<double> bkurs(m);
        QStringList bnamen;
        for (int i = 0; i < m; ++i) {
            bnamen << QStringLiteral("Beob ") + paketName(i * 7 + 3);
            const double preis = std::round(uniform(5, 300) * 100) / 100;
            bkurs[i] = preis;
            sb.text(1, isoDate(today.addDays(-pick(700))));
            sb.text(2, bnamen[i]);
            sb.text(3, QString::number(100000 + pick(900000)));
            sb.integer(4, qint64(10) * (1 + pick(100)));
            sb.integer(5, raw(preis));
            sb.integer(6, raw(preis));
            if (!sb.run()) return false;
        }
        for (int r = 0; r < size.kurseVirtuell; ++r) {
            const int p = pick(m);
            bkurs[p] = std::max(0.5, bkurs[p] * (1 + schritt(rng)));
            sk.text(1, isoDate(today.addDays(-700 + int(qint64(r) * 700 / size.kurseVirtuell))));
            sk.text(2, bnamen[p]);
            sk.text(3,
                    QString::number(bkurs[p], 'f', 2).replace(QLatin1Char('.'), QLatin1Char(',')));
            if (!sk.run()) return false;
        }
        if (!t.commit()) return false;
    }

    // Compacted today, baseline taken today: the main window opens without asking.
    if (!db.exec(QStringLiteral("UPDATE kennwort SET kompridatum = ?, datum = ?, altallwert = ?"),
                 {isoDate(today), isoDate(today), raw(gesamtwert)})) {
        if (error) *error = db.message();
        return false;
    }
    if (info) {
        info->namen = namen;
        info->kurseRows = size.kurse;
    }
    return true;
}

bool readBigDepotInfo(const QString& path, BigDepotInfo* info, QString* error) {
    Database db;
    if (db.open(path) != Database::Status::Ok) {
        if (error) *error = db.message();
        return false;
    }
    info->namen.clear();
    for (const QVariantList& r :
         db.rows(QStringLiteral("SELECT aktie FROM Aktiendaten ORDER BY rowid")))
        info->namen << r.value(0).toString();
    info->kurseRows = db.scalar(QStringLiteral("SELECT count(*) FROM kurse")).toLongLong();
    return true;
}
