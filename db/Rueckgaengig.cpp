#include "db/Rueckgaengig.h"

#include "db/Database.h"
#include "db/RawAccess.h"
#include "db/SqlUtil.h"

namespace {

const char* const Tabellen[] = {"Aktiendaten", "kurse",         "Indexkurse", "Gewinne",
                                "Beobachten",  "KurseVirtuell", "kennwort"};

// The images of one table: seite 0 = before the operation, 1 = after it;
// da = 0 for a row that did not exist. Columns c0… hold the row's values as
// stored (no affinity, so a real stays a real and a text a text).
QString bilderTabelle(const QString& bilder, int spalten) {
    QString sql = QStringLiteral("CREATE TEMP TABLE %1 (vorgang INTEGER NOT NULL, seite INTEGER "
                                 "NOT NULL, rid INTEGER NOT NULL, da INTEGER NOT NULL")
                      .arg(bilder);
    for (int i = 0; i < spalten; ++i)
        sql += QStringLiteral(", c%1").arg(i);
    return sql + QStringLiteral(", PRIMARY KEY (vorgang, seite, rid)) WITHOUT ROWID");
}

QString cListe(int n, const QString& vor = {}) {
    QStringList l;
    for (int i = 0; i < n; ++i)
        l << vor + QStringLiteral("c%1").arg(i);
    return l.join(QStringLiteral(", "));
}

QString mitVor(const QStringList& spalten, const QString& vor) {
    QStringList l;
    for (const QString& s : spalten)
        l << vor + s;
    return l.join(QStringLiteral(", "));
}

} // namespace

Rueckgaengig::Rueckgaengig(Database& db) : m_db(db) {}

QString Rueckgaengig::rueckgaengigName() const {
    return m_verworfen || m_rueck.isEmpty() ? QString() : m_rueck.last().name;
}

QString Rueckgaengig::wiederholenName() const {
    return m_verworfen || m_vor.isEmpty() ? QString() : m_vor.last().name;
}

int Rueckgaengig::anzahlRueckgaengig() const {
    return m_verworfen ? 0 : int(m_rueck.size());
}

// The number of the operation being recorded, as the triggers ask for it;
// NULL records nothing. Asked while nothing is recorded, a change is about
// to be made that no entry covers.
struct RueckgaengigAufruf {
    static void aktuellerVorgang(sqlite3_context* ctx, int /*argc*/, sqlite3_value** /*argv*/) {
        auto* self = static_cast<Rueckgaengig*>(sqlite3_user_data(ctx));
        if (self->m_aktuell > 0) {
            self->m_aktuellGeschrieben = true;
            sqlite3_result_int64(ctx, self->m_aktuell);
            return;
        }
        if (self->m_aktuell == 0) self->m_verworfen = true;
        sqlite3_result_null(ctx); // m_aktuell < 0: undo or redo writing back
    }
};

bool Rueckgaengig::einrichten(sqlite3* c) {
    if (m_eingerichtet) return true;
    // The images never touch the disk: they hold the depot in plain form.
    if (!SqlUtil::execRaw(c, QStringLiteral("PRAGMA temp_store = MEMORY"))) return false;
    if (sqlite3_create_function_v2(c, "kapito_vorgang", 0, SQLITE_UTF8, this,
                                   &RueckgaengigAufruf::aktuellerVorgang,
                                   nullptr, nullptr, nullptr) != SQLITE_OK)
        return false;
    QList<Tabelle> tabellen;
    QStringList sql;
    for (const char* t : Tabellen) {
        Tabelle tab;
        tab.name = SqlUtil::quoteIdent(QString::fromLatin1(t));
        tab.bilder = QStringLiteral("kapito_bilder_") + QString::fromLatin1(t).toLower();
        // Every column but the key, which is the rowid under its own name.
        sqlite3_stmt* st = nullptr;
        const QByteArray info = "PRAGMA main.table_info(" + QByteArray(t) + ")";
        if (sqlite3_prepare_v2(c, info.constData(), -1, &st, nullptr) != SQLITE_OK) {
            sqlite3_finalize(st);
            return false;
        }
        while (sqlite3_step(st) == SQLITE_ROW) {
            const QString name =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
            const QString typ =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 2)));
            if (sqlite3_column_int(st, 5) == 1 &&
                typ.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0)
                continue;
            tab.spalten << SqlUtil::quoteIdent(name);
        }
        sqlite3_finalize(st);
        if (tab.spalten.isEmpty()) return false;
        const int n = int(tab.spalten.size());
        const QString werte = [&] {
            QStringList l;
            for (const QString& s : tab.spalten)
                l << QStringLiteral("OLD.") + s;
            return l.join(QStringLiteral(", "));
        }();
        // The first image of a row within the operation is the one before it.
        // (A trigger's writes may not name their schema; the names are ours.)
        const QString fehlt = QStringLiteral(" WHERE NOT EXISTS (SELECT 1 FROM temp.%1 WHERE "
                                             "vorgang = kapito_vorgang() AND seite = 0 AND rid = %2)")
                                  .arg(tab.bilder);
        const QString alt = QStringLiteral("INSERT INTO %1 (vorgang, seite, rid, da, %2) "
                                           "SELECT kapito_vorgang(), 0, OLD.rowid, 1, %3")
                                .arg(tab.bilder, cListe(n), werte) +
                            fehlt.arg(QStringLiteral("OLD.rowid")) + QLatin1Char(';');
        const QString neu = QStringLiteral("INSERT INTO %1 (vorgang, seite, rid, da) "
                                           "SELECT kapito_vorgang(), 0, NEW.rowid, 0")
                                .arg(tab.bilder) +
                            fehlt.arg(QStringLiteral("NEW.rowid")) + QLatin1Char(';');
        const QString kopf = QStringLiteral("CREATE TEMP TRIGGER %1_%2 AFTER %3 ON main.%4 "
                                            "WHEN kapito_vorgang() IS NOT NULL BEGIN ");
        sql << bilderTabelle(tab.bilder, n)
            << kopf.arg(tab.bilder, QStringLiteral("i"), QStringLiteral("INSERT"), tab.name) + neu +
                   QStringLiteral(" END")
            << kopf.arg(tab.bilder, QStringLiteral("u"), QStringLiteral("UPDATE"), tab.name) + alt +
                   QLatin1Char(' ') + neu + QStringLiteral(" END")
            << kopf.arg(tab.bilder, QStringLiteral("d"), QStringLiteral("DELETE"), tab.name) + alt +
                   QStringLiteral(" END");
        tabellen << tab;
    }
    for (const QString& s : sql)
        if (!SqlUtil::execRaw(c, s)) {
            // Whatever was made goes with the connection; nothing is recorded.
            return false;
        }
    m_tabellen = tabellen;
    m_eingerichtet = true;
    return true;
}

void Rueckgaengig::vorBeginn(bool benannt) {
    sqlite3* c = RawAccess::connection(m_db);
    if (!c) return;
    verworfenAnwenden();
    if (benannt) einrichten(c);
}

void Rueckgaengig::beginnen(const QString& name) {
    if (m_aktuell != 0 || !m_eingerichtet || name.isEmpty()) return;
    m_aktuell = m_naechste++;
    m_aktuellName = name;
    m_aktuellGeschrieben = false;
}

void Rueckgaengig::nachCommit() {
    const qint64 nummer = m_aktuell;
    const bool geschrieben = m_aktuellGeschrieben;
    m_aktuell = 0;
    m_aktuellGeschrieben = false;
    if (nummer > 0 && geschrieben && !m_verworfen) {
        // A new change ends what could be redone.
        for (const Eintrag& e : std::as_const(m_vor))
            bilderLoeschen(e.nummer);
        m_vor.clear();
        m_rueck.append(Eintrag{nummer, m_aktuellName});
        while (m_rueck.size() > MaxEintraege)
            bilderLoeschen(m_rueck.takeFirst().nummer);
        m_aktuellName.clear();
        verworfenAnwenden();
        melden();
        return;
    }
    m_aktuellName.clear();
    verworfenAnwenden();
}

void Rueckgaengig::nachRollback() {
    // The images went with the rollback.
    m_aktuell = 0;
    m_aktuellGeschrieben = false;
    m_aktuellName.clear();
    verworfenAnwenden();
}

void Rueckgaengig::getrennt() {
    m_eingerichtet = false;
    m_tabellen.clear();
    m_rueck.clear();
    m_vor.clear();
    m_aktuell = 0;
    m_aktuellName.clear();
    m_aktuellGeschrieben = false;
    m_verworfen = false;
    melden();
}

void Rueckgaengig::leeren() {
    sqlite3* c = RawAccess::connection(m_db);
    m_rueck.clear();
    m_vor.clear();
    m_verworfen = false;
    melden();
    if (!c || !m_eingerichtet) return;
    if (!sqlite3_get_autocommit(c)) {
        m_verworfen = true; // emptied once the running transaction ends
        return;
    }
    for (const Tabelle& t : std::as_const(m_tabellen))
        SqlUtil::execRaw(c, QStringLiteral("DELETE FROM temp.") + t.bilder);
}

void Rueckgaengig::verworfenAnwenden() {
    sqlite3* c = RawAccess::connection(m_db);
    if (m_verworfen && c && sqlite3_get_autocommit(c)) leeren();
}

void Rueckgaengig::bilderLoeschen(qint64 nummer) {
    sqlite3* c = RawAccess::connection(m_db);
    for (const Tabelle& t : std::as_const(m_tabellen))
        SqlUtil::execRaw(c, QStringLiteral("DELETE FROM temp.%1 WHERE vorgang = %2")
                                .arg(t.bilder)
                                .arg(nummer));
}

bool Rueckgaengig::rueckgaengig(const std::function<void(int)>& nachTabelle) {
    return zurueckschreiben(true, nachTabelle);
}

bool Rueckgaengig::wiederholen(const std::function<void(int)>& nachTabelle) {
    return zurueckschreiben(false, nachTabelle);
}

bool Rueckgaengig::zurueckschreiben(bool rueck, const std::function<void(int)>& nachTabelle) {
    sqlite3* c = RawAccess::connection(m_db);
    if (!c) return false;
    verworfenAnwenden();
    QList<Eintrag>& von = rueck ? m_rueck : m_vor;
    QList<Eintrag>& nach = rueck ? m_vor : m_rueck;
    if (von.isEmpty() || m_aktuell != 0 || !sqlite3_get_autocommit(c)) return false;
    const qint64 v = von.last().nummer;
    // Undo writes the images from before the operation and first keeps the
    // present rows as those after it; redo writes those.
    const int schreiben = rueck ? 0 : 1;
    QStringList sql;
    for (const Tabelle& t : std::as_const(m_tabellen)) {
        const int n = int(t.spalten.size());
        QString s;
        if (rueck)
            s += QStringLiteral("DELETE FROM temp.%1 WHERE vorgang = %2 AND seite = 1; "
                                "INSERT INTO temp.%1 (vorgang, seite, rid, da, %3) "
                                "SELECT %2, 1, u.rid, t.rowid IS NOT NULL, %4 FROM temp.%1 u "
                                "LEFT JOIN main.%5 t ON t.rowid = u.rid "
                                "WHERE u.vorgang = %2 AND u.seite = 0; ")
                     .arg(t.bilder)
                     .arg(v)
                     .arg(cListe(n), mitVor(t.spalten, QStringLiteral("t.")), t.name);
        s += QStringLiteral("DELETE FROM main.%1 WHERE rowid IN (SELECT rid FROM temp.%2 WHERE "
                            "vorgang = %3 AND seite = %4); "
                            "INSERT INTO main.%1 (rowid, %5) SELECT rid, %6 FROM temp.%2 "
                            "WHERE vorgang = %3 AND seite = %4 AND da ORDER BY rid")
                 .arg(t.name, t.bilder)
                 .arg(v)
                 .arg(schreiben)
                 .arg(t.spalten.join(QStringLiteral(", ")), cListe(n));
        sql << s;
    }
    m_aktuell = -1; // the triggers record nothing meanwhile
    bool ok = m_db.exec(QStringLiteral("BEGIN IMMEDIATE"));
    for (int i = 0; ok && i < sql.size(); ++i) {
        ok = m_db.exec(sql[i]);
        if (ok && nachTabelle) nachTabelle(i + 1);
    }
    if (ok) ok = m_db.exec(QStringLiteral("COMMIT"));
    if (!ok) {
        // message() keeps the reason; the rollback does not overwrite it.
        if (!sqlite3_get_autocommit(c)) SqlUtil::execRaw(c, QStringLiteral("ROLLBACK"));
        m_aktuell = 0;
        return false;
    }
    m_aktuell = 0;
    nach.append(von.takeLast());
    melden();
    return true;
}
