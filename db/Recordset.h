#pragma once
// A record set: a table in natural (insertion) order, or a query over one
// table, with a current row, moves, bookmarks, find and editing.

#include "core/ModulAktien.h"
#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <vector>

class Database;

class Recordset final : public QObject {
    Q_OBJECT
public:
    enum class FieldType { Text, LongText, Date, Currency, Integer, Double };

    /// Opens on a table in natural order. An unknown table or field gives an
    /// empty record set without fields whose lastError() tells why.
    static Recordset* openTable(Database& db, const QString& table, QObject* parent = nullptr);
    /// Opens on a query "Select <fields> From <table> [Order By <fields>]";
    /// rows of equal order keys keep their natural order.
    static Recordset* openQuery(Database& db, const QString& sql, QObject* parent = nullptr);

    ~Recordset() override;

    QString table() const;
    QStringList fieldNames() const;
    int fieldCount() const;
    FieldType fieldType(int pos) const;
    int fieldIndex(const QString& name) const; ///< -1 when unknown

    // Position
    int recordCount() const;
    bool bof() const; ///< before the first row (or empty)
    bool eof() const; ///< after the last row (or empty)
    /// On a row: not BOF/EOF and not on a row just removed.
    bool hasCurrent() const;
    int absolutePosition() const; ///< 0-based index of the current row, -1 when none
    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    void moveTo(int index);    ///< 0-based; out of range gives EOF
    Bookmark bookmark() const; ///< of the current row, -1 when none
    /// Moves to the row with the bookmark; false (position unchanged) when it is gone.
    bool setBookmark(Bookmark b);
    /// Moves to the first row (from the start) for which pred holds; false = none (EOF).
    bool findFirst(const std::function<bool(const Recordset&)>& pred);
    /// Re-reads the rows; stays on the same bookmark if it still exists, else first row.
    void requery();
    /// The bookmarks of all rows, in the record set's order.
    const std::vector<Bookmark>& bookmarks() const;

    // Reading the current row. Types: Text/LongText QString, Date QDate,
    // Currency ::Currency, Integer qint64, Double double; NULL gives an invalid QVariant.
    QVariant value(int pos) const;
    QVariant value(const QString& name) const;
    QString text(const QString& name) const; ///< engine plain text ("10,5", "01.02.2024")
    QString text(int pos) const;
    ::Currency currency(const QString& name) const; ///< 0 for NULL
    qint64 integer(const QString& name) const;      ///< 0 for NULL
    double real(const QString& name) const;         ///< 0 for NULL
    QDate date(const QString& name) const;

    // Editing: addNew() or edit(), set fields, update(). update() writes the
    // row and stays on it (an added row becomes current).
    void addNew();
    void edit();
    bool isEditing() const;
    /// Sets a typed value (QString for text fields, QDate, ::Currency, integer, double).
    bool setValue(const QString& name, const QVariant& v);
    bool setValue(int pos, const QVariant& v);
    /// Sets from text as typed: converted to the column type with the German
    /// decimal comma. A failed conversion leaves the field unchanged and returns false.
    bool setText(const QString& name, const QString& text);
    bool setText(int pos, const QString& text);
    bool update();
    void cancel();
    /// Deletes the current row; the position then lies on no row until a move.
    bool remove();
    /// Bookmark of the row added or changed last by update().
    Bookmark lastModified() const;

    QString lastError() const;

signals:
    /// The current row changed (move, bookmark, requery, update of the current row).
    void currentChanged();
    /// Rows were added, removed or changed (for bound views).
    void rowsChanged();

private:
    explicit Recordset(Database& db, QObject* parent);
    struct Impl;
    Impl* d;
};
