#include "platform/RecordsetModel.h"

#include "db/Database.h"
#include "db/Recordset.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QTableView>
#include <algorithm>

namespace {
// Rows whose texts are kept; a view shows a few dozen at a time.
constexpr int KeptRows = 4096;
} // namespace

RecordsetModel::RecordsetModel(Database& db, Recordset& source, const QString& layout,
                               const QString& query, QObject* parent)
    : QAbstractTableModel(parent), m_db(db), m_source(&source), m_query(query),
      m_spalten(Spaltenlayout::lesen(layout)) {
    connect(&source, &Recordset::rowsChanged, this, &RecordsetModel::refresh);
    connect(&source, &QObject::destroyed, this, [this] { applyKeys({}); });
    m_keys = readKeys();
}

RecordsetModel::~RecordsetModel() {
    delete m_reader;
}

int RecordsetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_keys.size());
}

int RecordsetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_spalten.size());
}

QVariant RecordsetModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return texts(index.row()).value(index.column());
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
    return row >= 0 && row < static_cast<int>(m_keys.size()) ? m_keys[size_t(row)] : -1;
}

int RecordsetModel::rowOf(qint64 bookmark) const {
    const auto it = std::find(m_keys.begin(), m_keys.end(), bookmark);
    return it != m_keys.end() ? static_cast<int>(it - m_keys.begin()) : -1;
}

std::vector<qint64> RecordsetModel::readKeys() {
    if (!m_source) return {};
    if (!m_reader) {
        m_reader = m_query.isEmpty() ? Recordset::openTable(m_db, m_source->table())
                                     : Recordset::openQuery(m_db, m_query);
        if (!m_reader) return {};
    } else {
        m_reader->requery();
    }
    const auto& keys = m_reader->bookmarks();
    return std::vector<qint64>(keys.begin(), keys.end());
}

QStringList RecordsetModel::readTexts(int row) const {
    // The reader's rows are the model's rows: both come from the last requery.
    QStringList out;
    if (!m_reader) return out;
    m_reader->moveTo(row);
    const int fields = std::min<int>(static_cast<int>(m_spalten.size()), m_reader->fieldCount());
    out.reserve(m_spalten.size());
    for (int f = 0; f < m_spalten.size(); ++f)
        out.append(f < fields ? m_reader->text(f) : QString());
    return out;
}

const QStringList& RecordsetModel::texts(int row) const {
    const qint64 key = m_keys[size_t(row)];
    auto it = m_texts.find(key);
    if (it == m_texts.end()) {
        if (m_texts.size() >= KeptRows) {
            m_texts.clear();
            m_dropped = true;
        }
        it = m_texts.insert(key, readTexts(row));
    }
    return *it;
}

void RecordsetModel::refresh() {
    applyKeys(readKeys());
}

void RecordsetModel::applyKeys(std::vector<qint64> keys) {
    // Common rows at the start and at the end (same record) stay; the rows
    // between are removed and inserted, or changed in place.
    const int n = static_cast<int>(m_keys.size());
    const int m = static_cast<int>(keys.size());
    int head = 0;
    while (head < n && head < m && m_keys[size_t(head)] == keys[size_t(head)])
        ++head;
    int tail = 0;
    while (tail < n - head && tail < m - head &&
           m_keys[size_t(n - 1 - tail)] == keys[size_t(m - 1 - tail)])
        ++tail;
    const int oldMid = n - head - tail;
    const int newMid = m - head - tail;

    if (oldMid > 0) {
        beginRemoveRows(QModelIndex(), head, head + oldMid - 1);
        for (int i = head; i < head + oldMid; ++i)
            m_texts.remove(m_keys[size_t(i)]);
        m_keys.erase(m_keys.begin() + head, m_keys.begin() + head + oldMid);
        endRemoveRows();
    }
    if (newMid > 0) {
        beginInsertRows(QModelIndex(), head, head + newMid - 1);
        m_keys.insert(m_keys.begin() + head, keys.begin() + head, keys.begin() + head + newMid);
        endInsertRows();
    }
    // Now m_keys and keys line up. Rows kept in place whose texts were read
    // may have changed; rows never read have nothing to compare (no view has
    // shown them) unless texts were dropped meanwhile.
    const bool dropped = m_dropped;
    m_dropped = false;
    if (m_texts.isEmpty() && !dropped) return;
    const int lastColumn = columnCount() - 1;
    int first = -1;
    for (int i = 0; i <= m; ++i) {
        bool changed = false;
        if (i < m && (i < head || i >= head + newMid)) {
            const auto it = m_texts.find(m_keys[size_t(i)]);
            if (it != m_texts.end()) {
                QStringList now = readTexts(i);
                if (now != *it) {
                    *it = std::move(now);
                    changed = true;
                }
            } else {
                changed = dropped;
            }
        }
        if (changed) {
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
    view->setTabKeyNavigation(false);
}
