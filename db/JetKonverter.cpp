#include "db/JetKonverter.h"

#include "core/JetStrom.h"
#include "db/Database.h"
#include "db/Fehlertexte.h"
#include "db/RawAccess.h"
#include "db/Schema.h"
#include "db/SqlUtil.h"
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <array>
#include <cmath>
#include <cstdio>
#include <optional>
#include <unistd.h>
#include <vector>

namespace {

// What a field of the new database holds, and what the Jet file may give for it.
enum class Art { Text, Ganz, Waehrung, Double, Datum };

struct Feld {
    const char* name; ///< column of the new database
    const char* jet;  ///< field name in the Jet file; nullptr: by position
    Art art;
};

struct Ziel {
    const char* name;
    std::vector<Feld> felder;
};

// The seven tables. Beobachten and KurseVirtuell are addressed by position,
// so their Jet field names are whatever the old program chose.
const std::array<Ziel, 7>& ziele() {
    static const std::array<Ziel, 7> z{{
        {"Aktiendaten",
         {{"aktie", "aktie", Art::Text},
          {"stück", "stück", Art::Ganz},
          {"kaufpreis", "kaufpreis", Art::Waehrung},
          {"gebühren", "gebühren", Art::Waehrung},
          {"datum", "datum", Art::Datum},
          {"tageskurs", "tageskurs", Art::Waehrung},
          {"WP-KNummer", "WP-KNummer", Art::Text},
          {"altkurs", "altkurs", Art::Waehrung},
          {"kaufdatum", "kaufdatum", Art::Datum},
          {"kursziel", "kursziel", Art::Double},
          {"stopkurs", "stopkurs", Art::Double},
          {"dividende", "dividende", Art::Waehrung},
          {"notizen", "notizen", Art::Text}}},
        {"kurse",
         {{"aktie", "aktie", Art::Text},
          {"datum", "datum", Art::Datum},
          {"kurs", "kurs", Art::Waehrung}}},
        {"Indexkurse",
         {{"indexname", "indexname", Art::Text},
          {"indexzahl", "indexzahl", Art::Double},
          {"datum", "datum", Art::Datum}}},
        {"Gewinne",
         {{"datum", "datum", Art::Datum},
          {"text", "text", Art::Text},
          {"summe", "summe", Art::Waehrung}}},
        {"Beobachten",
         {{"datum", nullptr, Art::Datum},
          {"aktie", nullptr, Art::Text},
          {"wpkn", nullptr, Art::Text},
          {"stueck", nullptr, Art::Ganz},
          {"kaufpreis", nullptr, Art::Waehrung},
          {"kurs", nullptr, Art::Waehrung}}},
        {"KurseVirtuell",
         {{"datum", nullptr, Art::Datum},
          {"aktie", nullptr, Art::Text},
          {"kurs", nullptr, Art::Text}}},
        {"kennwort",
         {{"passwort", "passwort", Art::Text},
          {"vermanzeige", "vermanzeige", Art::Ganz},
          {"dmanzeige", "dmanzeige", Art::Ganz},
          {"kompridatum", "kompridatum", Art::Datum},
          {"spekufrist", "spekufrist", Art::Ganz},
          {"datum", "datum", Art::Datum},
          {"altallwert", "altallwert", Art::Waehrung}}},
    }};
    return z;
}

constexpr int Kennwort = 6;

bool passt(Art art, char typ) {
    switch (art) {
    case Art::Text:
        return typ == 't' || typ == 'm';
    case Art::Ganz:
        return typ == 'i';
    case Art::Waehrung:
        return typ == 'c' || typ == 'i';
    case Art::Double:
        return typ == 'f' || typ == 'i';
    case Art::Datum:
        return typ == 'd';
    }
    return false;
}

QString q(const QString& s) {
    return QLatin1Char('"') + s + QLatin1Char('"');
}

// Jet dates count days from 1899-12-30; before it the whole part counts
// back and the fraction is still the time of day, so the day is the whole
// part rounded toward zero. The program keeps dates without a time.
std::optional<QByteArray> datumText(double tage) {
    if (!std::isfinite(tage) || tage < -657434.0 || tage >= 2958466.0) return std::nullopt;
    const QDate d = QDate(1899, 12, 30).addDays(qint64(std::trunc(tage)));
    if (!d.isValid() || d.year() < 100 || d.year() > 9999) return std::nullopt;
    char text[16];
    const int n = std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year(), d.month(), d.day());
    return QByteArray(text, n);
}

/// Writes the rows of the stream into the new database as they come.
class Schreiber final : public JetStromEmpfaenger {
public:
    struct Stand {
        bool gelesen = false;
        qint64 zeilen = 0;
        __int128 summe = 0; ///< all currency fields
    };

    Schreiber(sqlite3* db, QString datei) : m_db(db), m_datei(std::move(datei)) {}
    ~Schreiber() override { sqlite3_finalize(m_insert); }

    bool umfang(qint64 zeilen) override {
        m_umfang = zeilen;
        return true;
    }

    bool tabelle(const QString& name, const QList<JetSpalte>& spalten, qint64 angegeben) override {
        m_ziel = -1;
        for (int i = 0; i < int(ziele().size()); ++i)
            if (name.compare(QString::fromUtf8(ziele()[i].name), Qt::CaseInsensitive) == 0)
                m_ziel = i;
        if (m_ziel < 0 || m_stand[m_ziel].gelesen)
            return scheitern(QStringLiteral("Die Tabelle %1 ist unerwartet.").arg(q(name)));
        const Ziel& z = ziele()[m_ziel];
        const QString tabelle = QString::fromUtf8(z.name);
        m_angegeben = angegeben;
        m_quelle.clear();
        m_typ.clear();
        QStringList spaltenNamen;
        for (int f = 0; f < int(z.felder.size()); ++f) {
            const Feld& feld = z.felder[f];
            int quelle = -1;
            if (feld.jet) {
                for (int s = 0; s < spalten.size(); ++s)
                    if (spalten[s].name.compare(QString::fromUtf8(feld.jet), Qt::CaseInsensitive) ==
                        0)
                        quelle = s;
            } else if (f < spalten.size()) {
                quelle = f;
            }
            const QString feldName =
                feld.jet ? QString::fromUtf8(feld.jet) : QStringLiteral("%1. Feld").arg(f + 1);
            if (quelle < 0)
                return scheitern(QStringLiteral("In der Tabelle %1 fehlt das Feld %2.")
                                     .arg(q(tabelle), q(feldName)));
            if (!passt(feld.art, spalten[quelle].typ))
                return scheitern(QStringLiteral("Das Feld %1 der Tabelle %2 hat nicht den "
                                                "erwarteten Typ.")
                                     .arg(q(spalten[quelle].name), q(tabelle)));
            m_quelle.push_back(quelle);
            m_typ.push_back(spalten[quelle].typ);
            spaltenNamen << SqlUtil::quoteIdent(QString::fromUtf8(feld.name));
        }
        const QString sql =
            QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(SqlUtil::quoteIdent(tabelle), spaltenNamen.join(QLatin1Char(',')),
                     QStringList(spaltenNamen.size(), QStringLiteral("?")).join(QLatin1Char(',')));
        sqlite3_finalize(m_insert);
        m_insert = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &m_insert, nullptr) != SQLITE_OK)
            return schreibfehler();
        return true;
    }

    bool zeile(const QList<JetWert>& werte) override {
        const Ziel& z = ziele()[m_ziel];
        Stand& stand = m_stand[m_ziel];
        // The new file starts with the shipped settings row; the old file's
        // row replaces it.
        if (m_ziel == Kennwort && stand.zeilen == 0 &&
            !SqlUtil::execRaw(m_db, QStringLiteral("DELETE FROM kennwort; DELETE FROM "
                                                   "sqlite_sequence WHERE name = 'kennwort'")))
            return schreibfehler();
        for (int f = 0; f < int(z.felder.size()); ++f) {
            const JetWert& w = werte[m_quelle[f]];
            const int i = f + 1;
            int rc = SQLITE_OK;
            if (w.art == JetWert::Art::Null) {
                rc = sqlite3_bind_null(m_insert, i);
            } else {
                switch (z.felder[f].art) {
                case Art::Text: {
                    const QByteArray t = w.text.toUtf8();
                    rc = sqlite3_bind_text(m_insert, i, t.constData(), int(t.size()),
                                           SQLITE_TRANSIENT);
                    break;
                }
                case Art::Ganz:
                    rc = sqlite3_bind_int64(m_insert, i, w.zahl);
                    break;
                case Art::Waehrung: {
                    qint64 roh = w.zahl;
                    if (w.art != JetWert::Art::Zahl) return ungueltig(f);
                    // a whole number where a currency belongs: whole units
                    if (m_typ[f] == 'i' && __builtin_mul_overflow(w.zahl, qint64(10000), &roh))
                        return ungueltig(f);
                    stand.summe += roh;
                    rc = sqlite3_bind_int64(m_insert, i, roh);
                    break;
                }
                case Art::Double:
                    rc = sqlite3_bind_double(
                        m_insert, i, w.art == JetWert::Art::Zahl ? double(w.zahl) : w.gleitkomma);
                    break;
                case Art::Datum: {
                    const auto d = datumText(w.gleitkomma);
                    if (!d) return ungueltig(f);
                    rc = sqlite3_bind_text(m_insert, i, d->constData(), int(d->size()),
                                           SQLITE_TRANSIENT);
                    break;
                }
                }
            }
            if (rc != SQLITE_OK) return schreibfehler();
        }
        const int rc = sqlite3_step(m_insert);
        sqlite3_reset(m_insert);
        if (rc != SQLITE_DONE) return schreibfehler();
        ++stand.zeilen;
        ++m_geschrieben;
        return true;
    }

    bool tabellenEnde() override {
        // The table definition keeps the count of live rows: a row lost to
        // a damaged page or a wrong deletion mark shows here.
        if (m_stand[m_ziel].zeilen != m_angegeben)
            return scheitern(QStringLiteral("Die Tabelle %1 der Datei %2 ist nicht vollständig "
                                            "lesbar (%3 von %4 Datensätzen).")
                                 .arg(q(QString::fromUtf8(ziele()[m_ziel].name)), q(m_datei))
                                 .arg(m_stand[m_ziel].zeilen)
                                 .arg(m_angegeben));
        m_stand[m_ziel].gelesen = true;
        sqlite3_finalize(m_insert);
        m_insert = nullptr;
        return true;
    }

    bool fehlt(const QString& name) override {
        return scheitern(
            QStringLiteral("In der Datei %1 fehlt die Tabelle %2.").arg(q(m_datei), q(name)));
    }

    QString meldung;
    qint64 umfangZeilen() const { return m_umfang; }
    qint64 geschrieben() const { return m_geschrieben; }
    const Stand& stand(int ziel) const { return m_stand[ziel]; }

private:
    bool scheitern(const QString& text) {
        meldung = text;
        return false;
    }
    bool schreibfehler() {
        return scheitern(QStringLiteral("Die neue Datenbank konnte nicht geschrieben werden.\n") +
                         Fehlertexte::ausVerbindung(m_db));
    }
    bool ungueltig(int f) {
        const Ziel& z = ziele()[m_ziel];
        return scheitern(
            QStringLiteral("Die Tabelle %1 enthält im Feld %2 einen ungültigen Wert "
                           "(Datensatz %3).")
                .arg(q(QString::fromUtf8(z.name)), q(QString::fromUtf8(z.felder[f].name)))
                .arg(m_stand[m_ziel].zeilen + 1));
    }
    sqlite3* m_db;
    QString m_datei;
    sqlite3_stmt* m_insert = nullptr;
    int m_ziel = -1;
    qint64 m_angegeben = 0;
    std::vector<int> m_quelle;
    std::vector<char> m_typ;
    std::array<Stand, 7> m_stand{};
    qint64 m_umfang = 0;
    qint64 m_geschrieben = 0;
};

} // namespace

JetKonverter::JetKonverter(QString leser) : m_leser(std::move(leser)) {}

QString JetKonverter::standardLeser() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("kapito_jetlesen"));
}

namespace {

QString leserMeldung(const QStringList& f, const QString& datei) {
    const QString was = f.value(0);
    const QString tabelle = q(f.value(1));
    if (was == QLatin1String("laenge"))
        return QStringLiteral("Die Datei %1 ist unvollständig; ihr Ende fehlt.").arg(q(datei));
    if (was == QLatin1String("katalog"))
        return QStringLiteral("Das Inhaltsverzeichnis der Datei %1 ist beschädigt.").arg(q(datei));
    if (was == QLatin1String("tabelle"))
        return QStringLiteral("Die Beschreibung der Tabelle %1 in der Datei %2 ist beschädigt.")
            .arg(tabelle, q(datei));
    if (was == QLatin1String("seite"))
        return QStringLiteral("Die Datei %1 ist beschädigt (Tabelle %2, Seite %3).")
            .arg(q(datei), tabelle, f.value(2));
    if (was == QLatin1String("memo"))
        return QStringLiteral("Eine Notiz in der Tabelle %1 der Datei %2 ist beschädigt "
                              "(Seite %3).")
            .arg(tabelle, q(datei), f.value(2));
    return QStringLiteral("Die Datei %1 ist beschädigt oder keine Jet-Datenbank.").arg(q(datei));
}

// Every currency field of a table added up, without the overflow that
// SQL's sum() would report for absurd amounts.
std::optional<__int128> waehrungsSumme(Database& db, const Ziel& z) {
    QStringList spalten;
    for (const Feld& f : z.felder)
        if (f.art == Art::Waehrung) spalten << SqlUtil::quoteIdent(QString::fromUtf8(f.name));
    if (spalten.isEmpty()) return __int128(0);
    const QString sql =
        QStringLiteral("SELECT %1 FROM %2")
            .arg(spalten.join(QLatin1Char(',')), SqlUtil::quoteIdent(QString::fromUtf8(z.name)));
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(RawAccess::connection(db), sql.toUtf8().constData(), -1, &st, nullptr) !=
        SQLITE_OK)
        return std::nullopt;
    __int128 summe = 0;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        for (int i = 0; i < spalten.size(); ++i)
            summe += sqlite3_column_int64(st, i);
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE) return std::nullopt;
    return summe;
}

} // namespace

bool JetKonverter::konvertieren(const QString& jet, const QString& ziel, const QDate& heute,
                                const Fortschritt& fortschritt) {
    m_meldung.clear();
    m_abgebrochen = false;
    const QString datei = QFileInfo(jet).fileName();
    const QString lesername = QFileInfo(m_leser).fileName();
    auto scheitern = [&](const QString& text) {
        m_meldung = text;
        if (QFileInfo(ziel).isFile()) QFile::remove(ziel);
        QFile::remove(ziel + QStringLiteral("-journal"));
        return false;
    };
    if (!QFileInfo(m_leser).isExecutable())
        return scheitern(
            QStringLiteral("Das Hilfsprogramm %1 fehlt im Programmverzeichnis.").arg(q(lesername)));

    QString err;
    if (!Schema::createEmptyDatabase(ziel, heute, &err)) {
        m_meldung =
            QStringLiteral("Die neue Datenbank konnte nicht angelegt werden (%1).").arg(err);
        return false; // nothing of ours to remove: the file was not made, or was there before
    }

    {
        Database db;
        if (db.open(ziel) != Database::Status::Ok) return scheitern(db.message());
        // The file is new and only put in place when complete: no journal needed.
        // The rows are appended in order and the indexes sorted once at the
        // end over millions of rows: a small cache does for both. In memory,
        // the sort would hold every row at once; on disk it keeps to the
        // cache. Its temporary files hold rows of the Jet file, which lies
        // unencrypted beside them anyway, and are deleted as they are opened.
        SqlUtil::execRaw(RawAccess::connection(db),
                         QStringLiteral("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; "
                                        "PRAGMA temp_store = FILE; PRAGMA cache_size = -4000"));
        Schreiber schreiber(RawAccess::connection(db), datei);
        JetStrom strom(schreiber);

        QProcess p;
        QStringList args{QFileInfo(jet).absoluteFilePath()};
        for (const Ziel& z : ziele())
            args << QString::fromUtf8(z.name);
        p.setProgram(m_leser);
        p.setArguments(args);
        p.setStandardErrorFile(QProcess::nullDevice());
        p.start(QIODevice::ReadOnly);
        if (!p.waitForStarted(30000))
            return scheitern(QStringLiteral("Das Hilfsprogramm %1 konnte nicht gestartet werden.")
                                 .arg(q(lesername)));
        // Indexes are built once at the end: sorting all rows at once is far
        // cheaper than keeping them up to date row by row.
        QStringList indexe;
        for (const QString& sql : Schema::createStatements())
            if (sql.startsWith(QLatin1String("CREATE INDEX "))) indexe << sql;
        QString abbau = QStringLiteral("BEGIN");
        for (const QString& sql : indexe)
            abbau += QStringLiteral("; DROP INDEX ") + sql.section(QLatin1Char(' '), 2, 2);
        if (!SqlUtil::execRaw(RawAccess::connection(db), abbau, &err)) {
            p.kill();
            p.waitForFinished();
            return scheitern(err);
        }

        QElapsedTimer still;
        still.start();
        bool haengt = false;
        while (strom.zustand() == JetStrom::Zustand::Liest) {
            if (p.bytesAvailable() == 0) {
                if (p.state() == QProcess::NotRunning) break;
                p.waitForReadyRead(50);
            }
            const QByteArray daten = p.readAll();
            if (!daten.isEmpty()) {
                strom.futtern(daten);
                still.restart();
            }
            if (fortschritt && !fortschritt(schreiber.geschrieben(), schreiber.umfangZeilen())) {
                m_abgebrochen = true;
                break;
            }
            if (still.elapsed() > m_wartezeit) {
                haengt = true;
                break;
            }
        }
        if (strom.zustand() == JetStrom::Zustand::Liest && !m_abgebrochen && !haengt)
            strom.schliessen();
        if (strom.zustand() == JetStrom::Zustand::Fertig) p.waitForFinished(m_wartezeit);
        if (p.state() != QProcess::NotRunning) {
            p.kill();
            p.waitForFinished();
        }
        const bool sauber = p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;

        if (m_abgebrochen) return scheitern(QStringLiteral("Die Übernahme wurde abgebrochen."));
        if (haengt)
            return scheitern(QStringLiteral("Das Lesen der Datei %1 kam nicht voran; die Datei ist "
                                            "vermutlich beschädigt.")
                                 .arg(q(datei)));
        if (strom.zustand() == JetStrom::Zustand::LeserFehler)
            return scheitern(leserMeldung(strom.leserFehler(), datei));
        if (!schreiber.meldung.isEmpty()) return scheitern(schreiber.meldung);
        if (strom.zustand() != JetStrom::Zustand::Fertig || !sauber)
            return scheitern(
                QStringLiteral("Die Datei %1 ist beschädigt; das Lesen brach ab.").arg(q(datei)));
        for (int i = 0; i < int(ziele().size()); ++i)
            if (!schreiber.stand(i).gelesen)
                return scheitern(QStringLiteral("In der Datei %1 fehlt die Tabelle %2.")
                                     .arg(q(datei), q(QString::fromUtf8(ziele()[i].name))));
        // Everything is read; what remains is writing and checking the file.
        if (fortschritt && !fortschritt(schreiber.geschrieben(), schreiber.geschrieben())) {
            m_abgebrochen = true;
            return scheitern(QStringLiteral("Die Übernahme wurde abgebrochen."));
        }
        indexe << QStringLiteral("COMMIT");
        if (!SqlUtil::execRaw(RawAccess::connection(db), indexe.join(QStringLiteral("; ")), &err))
            return scheitern(
                QStringLiteral("Die neue Datenbank konnte nicht geschrieben werden (%1).")
                    .arg(err));
        db.close();

        // Checked on the file as it now lies on the disk.
        Database neu;
        if (neu.open(ziel) != Database::Status::Ok) return scheitern(neu.message());
        neu.kleinerCache();
        const QString pruefung = QStringLiteral("Die übernommenen Daten stimmen nicht mit der "
                                                "Datei %1 überein (%2).");
        // Every page read and authenticated and every tree walked; the counts
        // and sums below compare the content with what was read. (The full
        // integrity check would also compare each index with its table, which
        // on indexes the engine has just built from it costs more than the
        // whole take-over.)
        if (neu.scalar(QStringLiteral("PRAGMA quick_check")).toString() != QLatin1String("ok"))
            return scheitern(pruefung.arg(q(datei), QStringLiteral("Prüfung der neuen Datei")));
        for (int i = 0; i < int(ziele().size()); ++i) {
            const Ziel& z = ziele()[i];
            const Schreiber::Stand& s = schreiber.stand(i);
            // Without a settings row in the old file the shipped one stays.
            const qint64 erwartet = i == Kennwort ? std::max<qint64>(1, s.zeilen) : s.zeilen;
            const QString name = QString::fromUtf8(z.name);
            const QVariant n = neu.scalar(
                QStringLiteral("SELECT count(*) FROM %1").arg(SqlUtil::quoteIdent(name)));
            if (!n.isValid() || n.toLongLong() != erwartet)
                return scheitern(
                    pruefung.arg(q(datei), QStringLiteral("Anzahl in %1").arg(q(name))));
            const auto summe = waehrungsSumme(neu, z);
            if (!summe || *summe != s.summe)
                return scheitern(
                    pruefung.arg(q(datei), QStringLiteral("Summe in %1").arg(q(name))));
        }
    }
    // Flushed before anyone renames it into place.
    QFile f(ziel);
    if (!f.open(QIODevice::ReadWrite) || ::fsync(f.handle()) != 0)
        return scheitern(QStringLiteral("Die neue Datenbank konnte nicht gesichert werden."));
    return true;
}
