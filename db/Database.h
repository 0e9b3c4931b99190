#pragma once
// The encrypted database file and plain SQL access to it.

#include "db/Kompaktierung.h"
#include <QList>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <memory>
#include <optional>

struct sqlite3;
class Rueckgaengig;

class Database final {
public:
    /// The connect text every open passes; the key is the text after "pwd=".
    static constexpr const char* ConnectText = ";pwd=tilo3581";
    static constexpr const char* FileName = "aktien.mdb";
    static constexpr const char* CompactFileName = "dbAkt.mdb";

    enum class Status { Ok, Missing, NotADatabase, WrongKey, Damaged, Failed };

    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    /// Opens an existing file with the connect text; never creates one. On
    /// failure the file is left untouched and message() holds a German text.
    Status open(const QString& requested,
                const QString& connect = QString::fromLatin1(ConnectText));
    void close();
    bool isOpen() const { return m_db != nullptr; }
    QString path() const { return m_path; }
    /// The connect text this file was opened with: a copy of it (a backup)
    /// opens with the same.
    QString connectText() const { return QStringLiteral(";pwd=") + m_key; }

    /// German description of the last failure (open, exec, compaction).
    QString message() const { return m_message; }

    /// For a connection that passes through the file once (compaction, the
    /// check of a copy): the engine's small default page cache instead of the
    /// large one the program's own connection keeps. False when not open.
    bool kleinerCache();

    /// While one lives, the connection reads through the small page cache:
    /// for a read that passes over many pages once (the stored quotes of all
    /// the names of a quote file), which would only fill the large one. The
    /// pages the large cache held are given up at once; it fills again after.
    class Durchlauf final {
    public:
        explicit Durchlauf(Database& db);
        ~Durchlauf();
        Durchlauf(const Durchlauf&) = delete;
        Durchlauf& operator=(const Durchlauf&) = delete;

    private:
        Database& m_db;
    };

    /// The open file cannot be written: it is write-protected (the engine
    /// then opens it for reading only) ...
    bool dateiSchreibgeschuetzt() const;
    /// ... or its folder takes no new file (the journal every change writes).
    bool ordnerSchreibgeschuetzt() const;

    /// Runs sql (one or more statements). params bind to the "?" in order:
    /// integers, Currency as the amount × 10000, doubles, QDate as
    /// "YYYY-MM-DD" (an invalid one as NULL), text; an invalid QVariant as NULL.
    bool exec(const QString& sql, const QVariantList& params = {});
    /// First column of the first row, or an invalid QVariant.
    QVariant scalar(const QString& sql, const QVariantList& params = {});
    QList<QVariantList> rows(const QString& sql, const QVariantList& params = {});
    std::int64_t lastInsertRowId() const;

    /// Compacts the file into "dbAkt.mdb" beside it, verifies the copy and
    /// then replaces the original atomically, with the original's mode and
    /// owner. Any failure leaves the original intact, returns false and sets
    /// message(). The database is open again afterwards either way; callers
    /// close their record sets before and re-open them after.
    bool compact();

    /// Why the file may not be compacted now (a change running, a file or
    /// folder that cannot be written); empty when it may.
    QString compactObstacle() const;
    /// The same in two halves, for a compaction on another thread:
    /// beginCompact() checks and closes the connection (nullopt and
    /// message() when refused; the connection stays open), the job runs
    /// Kompaktierung::ausfuehren(), endCompact() opens the file again.
    struct CompactJob {
        QString path;
        QString key;
    };
    std::optional<CompactJob> beginCompact();
    bool endCompact(const CompactJob& job, const Kompaktierung::Ergebnis& ergebnis);

    /// The undo and redo list of the user's operations on this connection;
    /// closing the database empties it.
    Rueckgaengig& rueckgaengig() { return *m_rueckgaengig; }

    static QString keyFromConnect(const QString& connect);
    /// The refusal of a damaged file.
    static QString damagedMessage(const QString& fileName);
    /// The existing file that path names when file names are compared
    /// without regard to case ("Aktien.mdb" for "aktien.mdb"); else path.
    static QString resolveCase(const QString& path);
    /// Whether the file starts with the plain SQLite header, i.e. is not encrypted.
    static bool hasPlainHeader(const QString& path);

private:
    friend class Transaction;
    friend class RawAccess; // the engine's connection, for db/ itself
    bool fail(const QString& what);
    /// German reason for the engine's last error on this connection.
    QString engineFehler() const;
    bool failEngine();
    Status refuse(Status status, const QString& fileName, const QString& detail = {});

    sqlite3* m_db = nullptr;
    QString m_path;
    QString m_key;
    QString m_message;
    // Nested transactions join the outer one; a failed inner one dooms it.
    int m_txDepth = 0;
    bool m_txDoomed = false;
    std::unique_ptr<Rueckgaengig> m_rueckgaengig;
};

/// Groups the writes of one operation: all or nothing. Rolls back on
/// destruction unless commit() succeeded. Nested use joins the outer one.
/// A transaction with a name ("Kauf Alpha AG") is one entry of the undo list;
/// nested in one, it joins that entry.
class Transaction final {
public:
    explicit Transaction(Database& db, const QString& vorgang = {});
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    bool commit();
    void rollback();
    bool isActive() const { return m_active; }

private:
    Database& m_db;
    bool m_active = false;
    bool m_outer = false;
};
