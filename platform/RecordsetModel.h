#pragma once
// A table model over a record set, laid out by a column layout text: one row
// per record in the record set's order, the first N fields (N = columns of
// the layout) in the engine's plain text form. It follows the record set's
// rowsChanged() by itself.
//
// The texts are read through a private record set on the same table (or the
// same query), so that showing the table never moves the bound record set,
// never ends an edit in progress, and never emits its currentChanged().
// Only the bookmarks are read up front; a row's texts are read when a view
// asks for them and kept, so a long table opens as fast as its keys.

#include "core/Spaltenlayout.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QPointer>
#include <QStringList>
#include <vector>

class Database;
class QTableView;
class Recordset;

class RecordsetModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    /// query: the query text source was opened with; empty for a table.
    RecordsetModel(Database& db, Recordset& source, const QString& layout,
                   const QString& query = QString(), QObject* parent = nullptr);
    ~RecordsetModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    const QList<Spalte>& spalten() const { return m_spalten; }
    /// Width of a column in characters, from the layout.
    int columnChars(int column) const;
    /// The record's bookmark in row; -1 when out of range.
    qint64 bookmarkAt(int row) const;
    /// The row of a bookmark; -1 when it is not shown.
    int rowOf(qint64 bookmark) const;

    /// Reads all rows again (the model does so by itself on rowsChanged()).
    void refresh();

private:
    std::vector<qint64> readKeys();
    void applyKeys(std::vector<qint64> keys);
    /// The texts of a row, read on first use.
    const QStringList& texts(int row) const;
    QStringList readTexts(int row) const;

    Database& m_db;
    QPointer<Recordset> m_source;
    QString m_query;
    Recordset* m_reader = nullptr;
    QList<Spalte> m_spalten;
    std::vector<qint64> m_keys;
    mutable QHash<qint64, QStringList> m_texts;
    /// Texts were dropped to bound the memory: a view may show rows the
    /// model no longer compares, so the next refresh reports those as changed.
    mutable bool m_dropped = false;
};

/// Sets the column widths of view from the layout (in characters of the
/// view's font) and hides the row numbers. Tab leaves the grid for the next
/// control; the arrow keys move within it.
void applyLayout(QTableView* view, const RecordsetModel& model);
