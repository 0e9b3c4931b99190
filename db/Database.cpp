#include "db/Database.h"

#include "db/Fehlertexte.h"
#include "db/Rueckgaengig.h"
#include "db/SqlUtil.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <cmath>
#include <unistd.h>

namespace {

constexpr int PageSize = 1024;

// The first 16 bytes of an unencrypted SQLite file.
constexpr char PlainHeader[] = "SQLite format 3"; // with its closing zero byte
constexpr qsizetype PlainHeaderSize = sizeof PlainHeader;

const char* const RequiredTables[] = {"aktiendaten", "kurse",         "indexkurse", "gewinne",
                                      "beobachten",  "kursevirtuell", "kennwort"};

// Encrypted pages look like noise; text and most foreign files do not. Used
// only to word the refusal of a file that the key does not open.
bool looksEncrypted(const QByteArray& head) {
    const int n = int(head.size());
    if (n < 256) return false;
    bool seen[256] = {};
    int distinct = 0;
    for (char c : head) {
        auto& s = seen[static_cast<unsigned char>(c)];
        if (!s) {
            s = true;
            ++distinct;
        }
    }
    const double expected = 256.0 * (1.0 - std::exp(-double(n) / 256.0));
    return distinct > 0.85 * expected;
}

QString notFoundText() {
    return QStringLiteral(
        "Die Datenbankdatei \"aktien.mdb\" wurde nicht gefunden!\r\nBitte kopieren "
        "Sie die Datei in das Programmverzeichnis oder installieren Sie das "
        "Programm neu.");
}

} // namespace

// File names are compared without regard to case ("Aktien.mdb" is the
// same file as "aktien.mdb"); the file system here does not.
QString Database::resolveCase(const QString& path) {
    const QFileInfo info(path);
    if (info.exists()) return path;
    const QDir dir = info.dir();
    for (const QString& entry : dir.entryList(QDir::Files))
        if (entry.compare(info.fileName(), Qt::CaseInsensitive) == 0) return dir.filePath(entry);
    return path;
}

bool Database::hasPlainHeader(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    return f.read(PlainHeaderSize) == QByteArrayView(PlainHeader, PlainHeaderSize);
}

Database::Database() : m_rueckgaengig(std::make_unique<Rueckgaengig>(*this)) {}

Database::~Database() {
    close();
}

QString Database::keyFromConnect(const QString& connect) {
    const qsizetype at = connect.indexOf(QLatin1String("pwd="), 0, Qt::CaseInsensitive);
    if (at < 0) return {};
    const QString rest = connect.mid(at + 4);
    const qsizetype semi = rest.indexOf(QLatin1Char(';'));
    return semi < 0 ? rest : rest.left(semi);
}

QString Database::damagedMessage(const QString& fileName) {
    return QStringLiteral("Die Datenbankdatei \"%1\" ist beschädigt und kann nicht geöffnet "
                          "werden.\r\nBitte spielen Sie eine Sicherung ein oder installieren Sie "
                          "das Programm neu.")
        .arg(fileName);
}

Database::Status Database::refuse(Status status, const QString& fileName, const QString& detail) {
    const QString f = QLatin1Char('"') + fileName + QLatin1Char('"');
    switch (status) {
    case Status::Missing:
        m_message = notFoundText();
        break;
    case Status::NotADatabase:
        m_message = QStringLiteral("Die Datei %1 ist keine Datenbank dieses Programms und kann "
                                   "nicht geöffnet werden.\r\nBitte kopieren Sie die richtige "
                                   "Datei in das Programmverzeichnis oder installieren Sie das "
                                   "Programm neu.")
                        .arg(f);
        break;
    case Status::WrongKey:
        m_message = QStringLiteral("Die Datenbankdatei %1 ist mit einem anderen Kennwort "
                                   "geschützt und kann nicht geöffnet werden.")
                        .arg(f);
        break;
    case Status::Damaged:
        m_message = damagedMessage(fileName);
        break;
    case Status::Failed:
    case Status::Ok:
        m_message = QStringLiteral("Die Datenbankdatei %1 konnte nicht geöffnet werden.").arg(f);
        if (!detail.isEmpty()) m_message += QStringLiteral("\r\n") + detail;
        break;
    }
    return status;
}

Database::Status Database::open(const QString& requested, const QString& connect) {
    close();
    m_message.clear();
    const QString path = resolveCase(requested);
    m_path = path;
    const QFileInfo info(path);
    const QString fileName = info.fileName();
    if (!info.exists() || !info.isFile()) return refuse(Status::Missing, fileName);

    // Look at the file before the engine does: an empty file would pass as a
    // new database, a plain one is not ours.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(Status::Failed, fileName, file.errorString());
    const qint64 size = file.size();
    const QByteArray head = file.read(PageSize);
    file.close();
    if (size == 0 || head.startsWith(QByteArrayView(PlainHeader, PlainHeaderSize)))
        return refuse(Status::NotADatabase, fileName);
    if (size < PageSize)
        return refuse(looksEncrypted(head) ? Status::Damaged : Status::NotADatabase, fileName);

    sqlite3* db = nullptr;
    // Never create: a missing file has been handled above, and a race must
    // not leave an empty database behind.
    int rc =
        sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        const QString err =
            db ? Fehlertexte::ausEngine(sqlite3_extended_errcode(db), sqlite3_system_errno(db),
                                        QString::fromUtf8(sqlite3_errmsg(db)))
               : QString();
        sqlite3_close_v2(db);
        return refuse(Status::Failed, fileName, err);
    }
    auto giveUp = [&](Status s, const QString& detail = {}) {
        sqlite3_close_v2(db);
        return refuse(s, fileName, detail);
    };

    const QString key = keyFromConnect(connect);
    QString err;
    if (!SqlUtil::applyKey(db, key, &err)) return giveUp(Status::Failed, err);

    // A wrong key shows only at the first read of a page.
    sqlite3_stmt* stmt = nullptr;
    rc = sqlite3_prepare_v2(db, "SELECT count(*) FROM sqlite_master", -1, &stmt, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_step(stmt);
    sqlite3_finalize(stmt);
    if (rc != SQLITE_ROW) {
        if (rc == SQLITE_NOTADB)
            return giveUp(!looksEncrypted(head)  ? Status::NotADatabase
                          : size % PageSize == 0 ? Status::WrongKey
                                                 : Status::Damaged);
        if (rc == SQLITE_CORRUPT || (rc & 0xff) == SQLITE_IOERR) return giveUp(Status::Damaged);
        return giveUp(Status::Failed,
                      Fehlertexte::ausEngine(sqlite3_extended_errcode(db), sqlite3_system_errno(db),
                                             QString::fromUtf8(sqlite3_errmsg(db))));
    }

    // A cut-off file still opens: its header promises more pages than exist.
    {
        sqlite3_stmt* pc = nullptr;
        qint64 pages = 0, pageSize = PageSize;
        if (sqlite3_prepare_v2(db, "PRAGMA page_count", -1, &pc, nullptr) == SQLITE_OK &&
            sqlite3_step(pc) == SQLITE_ROW)
            pages = sqlite3_column_int64(pc, 0);
        sqlite3_finalize(pc);
        pc = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA page_size", -1, &pc, nullptr) == SQLITE_OK &&
            sqlite3_step(pc) == SQLITE_ROW)
            pageSize = sqlite3_column_int64(pc, 0);
        sqlite3_finalize(pc);
        // Measured again: the first read may have rolled back a hot journal.
        const qint64 now = QFileInfo(path).size();
        if (pages * pageSize > now || now % pageSize != 0) return giveUp(Status::Damaged);
    }

    // A foreign database lacks our tables.
    {
        QSet<QString> names;
        sqlite3_stmt* st = nullptr;
        rc = sqlite3_prepare_v2(db, "SELECT lower(name) FROM sqlite_master WHERE type = 'table'",
                                -1, &st, nullptr);
        while (rc == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
            names.insert(
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))));
        sqlite3_finalize(st);
        for (const char* t : RequiredTables)
            if (!names.contains(QLatin1String(t))) return giveUp(Status::NotADatabase);
    }

    // Committed transactions must survive a killed process or a power loss.
    sqlite3_busy_timeout(db, 5000);
    if (!SqlUtil::execRaw(
            db, QStringLiteral("PRAGMA synchronous = FULL; PRAGMA cache_size = -32000"), &err))
        return giveUp(Status::Failed, err);

    m_db = db;
    m_key = key;
    m_txDepth = 0;
    m_txDoomed = false;
    return Status::Ok;
}

bool Database::kleinerCache() {
    return m_db && SqlUtil::execRaw(m_db, QStringLiteral("PRAGMA cache_size = -2000"));
}

Database::Durchlauf::Durchlauf(Database& db) : m_db(db) {
    m_db.kleinerCache();
}

Database::Durchlauf::~Durchlauf() {
    if (m_db.m_db) SqlUtil::execRaw(m_db.m_db, QStringLiteral("PRAGMA cache_size = -32000"));
}

bool Database::dateiSchreibgeschuetzt() const {
    if (!m_db) return false;
    // The engine opens a file it may not write read-only, without a word.
    return sqlite3_db_readonly(m_db, "main") == 1 ||
           ::access(QFile::encodeName(m_path).constData(), W_OK) != 0;
}

bool Database::ordnerSchreibgeschuetzt() const {
    if (!m_db) return false;
    // Every change writes a journal beside the file.
    return ::access(QFile::encodeName(QFileInfo(m_path).absolutePath()).constData(), W_OK) != 0;
}

void Database::close() {
    if (m_db) {
        // Statements that record sets still hold keep the handle alive until
        // they are finalized; the handle itself is gone for us.
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
    m_rueckgaengig->getrennt();
    m_txDepth = 0;
    m_txDoomed = false;
}

bool Database::fail(const QString& what) {
    m_message = QStringLiteral("Datenbankfehler: ") + what;
    return false;
}

QString Database::engineFehler() const {
    if (!m_db) return QStringLiteral("Die Datenbank ist nicht geöffnet.");
    // The journal that cannot be made: the system's reason may be lost on
    // the way, the folder's rights say it.
    if ((sqlite3_extended_errcode(m_db) & 0xff) == SQLITE_CANTOPEN && ordnerSchreibgeschuetzt())
        return Fehlertexte::ordnerSchreibgeschuetzt();
    return Fehlertexte::ausVerbindung(m_db);
}

bool Database::failEngine() {
    m_message = engineFehler();
    return false;
}

bool Database::exec(const QString& sql, const QVariantList& params) {
    if (!m_db) return fail(QStringLiteral("Die Datenbank ist nicht geöffnet."));
    const QByteArray utf8 = sql.toUtf8();
    const char* tail = utf8.constData();
    int offset = 0;
    while (tail && *tail) {
        sqlite3_stmt* stmt = nullptr;
        const char* next = nullptr;
        if (sqlite3_prepare_v2(m_db, tail, -1, &stmt, &next) != SQLITE_OK) {
            const QString e = engineFehler();
            sqlite3_finalize(stmt);
            m_message = e;
            return false;
        }
        tail = next;
        if (!stmt) continue; // blanks or a comment
        const int used = SqlUtil::bind(stmt, params, offset);
        if (used < 0) {
            const QString e = engineFehler();
            sqlite3_finalize(stmt);
            m_message = e;
            return false;
        }
        offset += used;
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE) {
            const QString e = engineFehler();
            sqlite3_finalize(stmt);
            m_message = e;
            return false;
        }
        sqlite3_finalize(stmt);
    }
    return true;
}

QList<QVariantList> Database::rows(const QString& sql, const QVariantList& params) {
    QList<QVariantList> result;
    if (!m_db) {
        fail(QStringLiteral("Die Datenbank ist nicht geöffnet."));
        return result;
    }
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK ||
        !stmt || SqlUtil::bind(stmt, params) < 0) {
        failEngine();
        sqlite3_finalize(stmt);
        return result;
    }
    const int cols = sqlite3_column_count(stmt);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        QVariantList row;
        row.reserve(cols);
        for (int c = 0; c < cols; ++c)
            row.append(SqlUtil::column(stmt, c));
        result.append(row);
    }
    if (rc != SQLITE_DONE) failEngine();
    sqlite3_finalize(stmt);
    return result;
}

QVariant Database::scalar(const QString& sql, const QVariantList& params) {
    if (!m_db) {
        fail(QStringLiteral("Die Datenbank ist nicht geöffnet."));
        return {};
    }
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK ||
        !stmt || SqlUtil::bind(stmt, params) < 0) {
        failEngine();
        sqlite3_finalize(stmt);
        return {};
    }
    QVariant v;
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW && sqlite3_column_count(stmt) > 0)
        v = SqlUtil::column(stmt, 0);
    else if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        failEngine();
    sqlite3_finalize(stmt);
    return v;
}

std::int64_t Database::lastInsertRowId() const {
    return m_db ? sqlite3_last_insert_rowid(m_db) : 0;
}

QString Database::compactObstacle() const {
    if (!m_db) return QStringLiteral("Die Datenbank ist nicht geöffnet.");
    if (m_txDepth > 0) return QStringLiteral("Es läuft noch eine Änderung.");
    // Without a key the copy would be written in plain text.
    if (m_key.isEmpty()) return QStringLiteral("Die Datenbank hat kein Kennwort.");
    // A file the user protected against writing is not replaced by a new one.
    if (dateiSchreibgeschuetzt())
        return QStringLiteral("Die Datenbankdatei \"%1\" ist schreibgeschützt.")
            .arg(QFileInfo(m_path).fileName());
    if (ordnerSchreibgeschuetzt())
        return QStringLiteral("Das Programmverzeichnis ist schreibgeschützt.");
    return QString();
}

std::optional<Database::CompactJob> Database::beginCompact() {
    const QString hindernis = compactObstacle();
    if (!hindernis.isEmpty()) {
        m_message = hindernis;
        return std::nullopt;
    }
    CompactJob job{m_path, m_key};
    // The copy is made on a connection of its own and replaces the file.
    close();
    return job;
}

bool Database::endCompact(const CompactJob& job, const Kompaktierung::Ergebnis& ergebnis) {
    const Status s = open(job.path, QStringLiteral(";pwd=") + job.key);
    if (!ergebnis.ok) {
        m_message = ergebnis.meldung;
        if (s != Status::Ok)
            m_message += QStringLiteral("\r\nDie Datenbank konnte nicht wieder geöffnet werden.");
        return false;
    }
    return s == Status::Ok;
}

bool Database::compact() {
    const auto job = beginCompact();
    if (!job) return false;
    return endCompact(*job, Kompaktierung::ausfuehren(job->path, job->key));
}

Transaction::Transaction(Database& db, const QString& vorgang) : m_db(db) {
    if (!db.m_db) return;
    if (db.m_txDepth == 0) {
        db.m_rueckgaengig->vorBeginn(!vorgang.isEmpty());
        if (!db.exec(QStringLiteral("BEGIN IMMEDIATE"))) return;
        m_outer = true;
        db.m_txDoomed = false;
    }
    db.m_rueckgaengig->beginnen(vorgang);
    ++db.m_txDepth;
    m_active = true;
}

Transaction::~Transaction() {
    if (m_active) rollback();
}

bool Transaction::commit() {
    if (!m_active) return false;
    m_active = false;
    if (m_db.m_txDepth > 0) --m_db.m_txDepth;
    if (!m_outer) return !m_db.m_txDoomed; // the outer one commits
    if (!m_db.m_db) return false;
    if (m_db.m_txDoomed) {
        m_db.m_txDoomed = false;
        SqlUtil::execRaw(m_db.m_db, QStringLiteral("ROLLBACK"));
        m_db.m_rueckgaengig->nachRollback();
        m_db.m_message =
            QStringLiteral("Die Änderung wurde zurückgenommen, weil ein Teil fehlschlug.");
        return false;
    }
    if (!m_db.exec(QStringLiteral("COMMIT"))) {
        const QString msg = m_db.m_message;
        SqlUtil::execRaw(m_db.m_db, QStringLiteral("ROLLBACK"));
        m_db.m_rueckgaengig->nachRollback();
        m_db.m_message = msg;
        return false;
    }
    m_db.m_rueckgaengig->nachCommit();
    return true;
}

void Transaction::rollback() {
    if (!m_active) return;
    m_active = false;
    if (m_db.m_txDepth > 0) --m_db.m_txDepth;
    if (!m_outer) {
        // Joined: the whole operation must not be committed any more.
        m_db.m_txDoomed = true;
        return;
    }
    m_db.m_txDoomed = false;
    if (m_db.m_db && !sqlite3_get_autocommit(m_db.m_db))
        SqlUtil::execRaw(m_db.m_db, QStringLiteral("ROLLBACK"));
    m_db.m_rueckgaengig->nachRollback();
}
