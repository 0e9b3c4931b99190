#pragma once
// A prepared statement on the open database: prepared once, bound with typed
// values, stepped row by row and read column by column as typed values;
// reset() starts the next round (a split writes a long quote history through
// one statement). Long reads (a report's packages, the account's bookings)
// read their columns through it at the cost of the bare statement.
//
// Columns are read in their stored forms (see Schema): currency as amount ×
// 10000, dates as "YYYY-MM-DD"; a value another program wrote (a real, German
// text) reads as the record sets read it (Gespeichert).

#include "core/Currency.h"

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <optional>
#include <type_traits>

class Database;
struct sqlite3;
struct sqlite3_stmt;

class Statement final {
public:
    /// Prepares sql (UTF-8) on db; ok() tells whether that succeeded.
    Statement(Database& db, const char* sql);
    Statement(Database& db, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return m_stmt != nullptr; }
    /// German reason for the last failure (prepare, bind or step); empty when none.
    QString error() const { return m_error; }

    // Binds, by the position of the "?" (from 1), as Database::exec binds its
    // parameters; an invalid date binds NULL. A failed bind makes the next
    // step fail.
    template <typename T>
    requires std::is_integral_v<T>
    void bind(int pos, T value) { bindInteger(pos, static_cast<std::int64_t>(value)); }
    void bind(int pos, Currency value);     ///< amount × 10000
    void bind(int pos, const QDate& value); ///< "YYYY-MM-DD"
    void bind(int pos, const QString& value);
    void bind(int pos, const QVariant& value); ///< a double as a real
    void bindNull(int pos);

    /// Steps to the next row: true on a row; false at the end or on a failure
    /// (error() then says why).
    bool next();
    /// Runs a statement that returns no rows to its end and resets it for the
    /// next round; false on a failure.
    bool run();
    /// Ends the round (and its read); the binds stay for the next one.
    void reset();

    // The columns of the current row, from 0. Valid until the next step.
    bool isNull(int col) const;
    std::int64_t int64(int col) const;
    /// A currency column; nullopt for NULL or a value that reads as no amount.
    std::optional<Currency> currency(int col) const;
    /// A whole-number column (a real or text rounded, halves to even).
    std::optional<qint64> whole(int col) const;
    /// A date column; invalid for NULL or anything that is no date.
    QDate date(int col) const;
    /// A text column; a null QString for NULL.
    QString text(int col) const;
    /// The column's text as its UTF-8 bytes, for reads that decode them
    /// themselves; empty for NULL.
    QByteArrayView bytes(int col) const;
    /// The stored value: qint64, double, QString, QByteArray or invalid for NULL.
    QVariant value(int col) const;

private:
    void bindInteger(int pos, std::int64_t value);
    void bound(int rc);
    void failed();

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
    bool m_bindFailed = false;
    QString m_error;
};
