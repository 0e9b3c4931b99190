#include "platform/RecordsetModel.h"

#include "db/Database.h"
#include "db/Recordset.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QTableView>

RecordsetModel::RecordsetModel(Database& db, Recordset& source, const QString& layout,
                               const QString& query, QObject* parent)
    : QAbstractTableModel(parent), m_db(db), m_source(&source), m_query(query),
      m_spalten(Spaltenlayout::lesen(layout)) {
    connect(&source, &Recordset::rowsChanged, this, &RecordsetModel::refresh);
    connect(&source, &QObject::destroyed, this, [this] { applyRows({}); });
    m_rows = readRows();
}

RecordsetModel::~RecordsetModel() {
    delete m_reader;
}

int RecordsetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int RecordsetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_spalten.size());
}

QVariant RecordsetModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_rows[static_cast<size_t>(index.row())].texts.value(index.column());
    case Qt::TextAlignmentRole:
        return headerData(index.column(), Qt::Horizontal, role);
    default:
        return {};
    }
}

QVariant RecordsetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_spalten.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    const Spalte& s = m_spalten.at(section);
    switch (role) {
    case Qt::DisplayRole:
        return s.kopf;
    case Qt::TextAlignmentRole: {
        Qt::Alignment a = Qt::AlignVCenter;
        switch (s.ausrichtung) {
        case Spalte::Ausrichtung::Links:
            a |= Qt::AlignLeft;
            break;
        case Spalte::Ausrichtung::Rechts:
            a |= Qt::AlignRight;
            break;
        case Spalte::Ausrichtung::Mitte:
            a |= Qt::AlignHCenter;
            break;
        }
        return QVariant::fromValue(a);
    }
    default:
        return {};
    }
}

int RecordsetModel::columnChars(int column) const {
    return column >= 0 && column < m_spalten.size() ? m_spalten.at(column).breite : 0;
}

qint64 RecordsetModel::bookmarkAt(int row) const {
    return row >= 0 && row < static_cast<int>(m_rows.size()) ? m_rows[size_t(row)].bookmark : -1;
}

int RecordsetModel::rowOf(qint64 bookmark) const {
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].bookmark == bookmark) return static_cast<int>(i);
    return -1;
}

std::vector<RecordsetModel::Row> RecordsetModel::readRows() {
    std::vector<Row> rows;
    if (!m_source) return rows;
    if (!m_reader) {
        m_reader = m_query.isEmpty() ? Recordset::openTable(m_db, m_source->table())
                                     : Recordset::openQuery(m_db, m_query);
        if (!m_reader) return rows;
    } else {
        m_reader->requery();
    }
    const int fields = std::min<int>(static_cast<int>(m_spalten.size()), m_reader->fieldCount());
    rows.reserve(static_cast<size_t>(std::max(m_reader->recordCount(), 0)));
    for (m_reader->moveFirst(); m_reader->hasCurrent(); m_reader->moveNext()) {
        Row r;
        r.bookmark = m_reader->bookmark();
        for (int f = 0; f < m_spalten.size(); ++f)
            r.texts.append(f < fields ? m_reader->text(f) : QString());
        rows.push_back(std::move(r));
    }
    return rows;
}

void RecordsetModel::refresh() {
    applyRows(readRows());
}

void RecordsetModel::applyRows(std::vector<Row> rows) {
    // Common rows at the start and at the end (same record) stay; the rows
    // between are removed and inserted, or changed in place.
    const int n = static_cast<int>(m_rows.size());
    const int m = static_cast<int>(rows.size());
    int head = 0;
    while (head < n && head < m && m_rows[size_t(head)].bookmark == rows[size_t(head)].bookmark)
        ++head;
    int tail = 0;
    while (tail < n - head && tail < m - head &&
           m_rows[size_t(n - 1 - tail)].bookmark == rows[size_t(m - 1 - tail)].bookmark)
        ++tail;
    const int oldMid = n - head - tail;
    const int newMid = m - head - tail;

    if (oldMid > 0) {
        beginRemoveRows(QModelIndex(), head, head + oldMid - 1);
        m_rows.erase(m_rows.begin() + head, m_rows.begin() + head + oldMid);
        endRemoveRows();
    }
    if (newMid > 0) {
        beginInsertRows(QModelIndex(), head, head + newMid - 1);
        m_rows.insert(m_rows.begin() + head, rows.begin() + head, rows.begin() + head + newMid);
        endInsertRows();
    }
    // Now m_rows and rows line up row by row; records kept in place may
    // have changed their texts.
    const int lastColumn = columnCount() - 1;
    int first = -1;
    for (int i = 0; i <= m; ++i) {
        const bool changed = i < m && m_rows[size_t(i)].texts != rows[size_t(i)].texts;
        if (changed) {
            m_rows[size_t(i)].texts = std::move(rows[size_t(i)].texts);
            if (first < 0) first = i;
        } else if (first >= 0) {
            if (lastColumn >= 0) emit dataChanged(index(first, 0), index(i - 1, lastColumn));
            first = -1;
        }
    }
}

void applyLayout(QTableView* view, const RecordsetModel& model) {
    const QFontMetrics fm(view->font());
    const int charWidth = fm.horizontalAdvance(QLatin1Char('0'));
    for (int c = 0; c < model.columnCount(); ++c)
        view->setColumnWidth(c, model.columnChars(c) * charWidth + 2 * fm.horizontalAdvance(' '));
    view->verticalHeader()->hide();
}
