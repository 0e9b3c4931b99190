#include "db/Recordset.h"

#include "core/DecimalRound.h"
#include "core/Numbers.h"
#include "db/Database.h"
#include "db/Fehlertexte.h"
#include "db/Gespeichert.h"
#include "db/RawAccess.h"
#include "db/SqlUtil.h"
#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <optional>

namespace {

using FieldType = Recordset::FieldType;

struct Field {
    QString name;
    QString quoted;
    FieldType type;
};

// The logical type from the declared column type (see Schema); foreign
// columns fall back on SQLite's affinity rules.
FieldType typeFromDecl(const QString& decl) {
    const QString t = decl.trimmed().toUpper();
    if (t == QLatin1String("CURRENCY")) return FieldType::Currency;
    if (t == QLatin1String("DATE")) return FieldType::Date;
    if (t == QLatin1String("LONGTEXT")) return FieldType::LongText;
    if (t.contains(QLatin1String("INT"))) return FieldType::Integer;
    if (t.contains(QLatin1String("REAL")) || t.contains(QLatin1String("FLOA")) ||
        t.contains(QLatin1String("DOUB")))
        return FieldType::Double;
    return FieldType::Text;
}

// A stored value as the field's logical type; invalid for NULL.
template <typename T> QVariant gueltig(const std::optional<T>& v) {
    return v ? QVariant::fromValue(*v) : QVariant();
}

QVariant typed(const QVariant& raw, FieldType type) {
    if (!raw.isValid()) return {};
    switch (type) {
    case FieldType::Text:
    case FieldType::LongText:
        return raw.toString();
    case FieldType::Date: {
        const QDate d = Gespeichert::datum(raw.toString());
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case FieldType::Currency:
        return gueltig(Gespeichert::geld(raw));
    case FieldType::Integer:
        return gueltig(Gespeichert::ganzzahl(raw));
    case FieldType::Double:
        return gueltig(Gespeichert::zahl(raw));
    }
    return {};
}

// Whole units, halves to even.
qint64 wholeUnits(Currency c) {
    return static_cast<qint64>(DecimalRound::quotientHalfEven(c.raw(), Currency::Scale));
}

bool isIntegral(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

bool isFloating(const QVariant& v) {
    return v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float;
}

bool isCurrencyValue(const QVariant& v) {
    return v.metaType() == QMetaType::fromType<Currency>();
}

} // namespace

struct Recordset::Impl {
    enum class Mode { None, Adding, Editing };

    Recordset* q;
    Database& db;
    QString table;
    QString key = QStringLiteral("_nr");
    std::vector<Field> fields;
    QString where;
    QString order;
    bool sortedByKey = true;
    bool valid = false;

    std::vector<Bookmark> rows;
    mutable QHash<qint64, int> positions;
    mutable bool positionsValid = false;
    int pos = -1;
    bool onRemoved = false;

    // Rows are read in blocks: every read outside a transaction costs a lock
    // round trip, so a walk over a long table would pay it on every row. The
    // block is dropped whenever the connection writes anything.
    static constexpr int Block = 64;
    mutable sqlite3_stmt* readStmt = nullptr;
    mutable sqlite3* readDb = nullptr;
    mutable QHash<qint64, QVariantList> block;
    mutable int blockFirst = 0, blockEnd = 0; // positions covered
    mutable int lastRead = -1;
    mutable int blockStamp = -1;
    mutable bool cacheValid = false;
    const QVariantList emptyRow;

    Mode mode = Mode::None;
    QVariantList buffer;
    std::vector<bool> dirty;
    Bookmark lastModified = -1;
    mutable QString error;

    Impl(Recordset* r, Database& d) : q(r), db(d) {}
    ~Impl() { sqlite3_finalize(readStmt); }

    sqlite3* connection() const { return RawAccess::connection(db); }
    int size() const { return int(rows.size()); }
    bool hasCurrent() const { return !onRemoved && pos >= 0 && pos < size(); }

    bool fail(const QString& e) const {
        error = e;
        return false;
    }

    // Table and its columns, names matched without regard to case.
    bool resolveTable(const QString& name) {
        const QList<QVariantList> found = db.rows(
            QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND lower(name) "
                           "= lower(?1)"),
            {name});
        if (found.isEmpty())
            return fail(QStringLiteral("Die Tabelle \"%1\" gibt es nicht.").arg(name));
        table = found.first().value(0).toString();
        return true;
    }

    std::vector<Field> tableColumns() {
        std::vector<Field> all;
        bool hasKey = false;
        for (const QVariantList& c :
             db.rows(QStringLiteral("PRAGMA table_info(%1)").arg(SqlUtil::quoteIdent(table)))) {
            const QString name = c.value(1).toString();
            if (name.compare(QLatin1String("_nr"), Qt::CaseInsensitive) == 0) {
                key = SqlUtil::quoteIdent(name);
                hasKey = true;
                continue; // hidden: the bookmark, not a field
            }
            all.push_back({name, SqlUtil::quoteIdent(name), typeFromDecl(c.value(2).toString())});
        }
        if (!hasKey) key = QStringLiteral("rowid");
        return all;
    }

    static int find(const std::vector<Field>& list, const QString& name) {
        for (size_t i = 0; i < list.size(); ++i)
            if (list[i].name.compare(name, Qt::CaseInsensitive) == 0) return int(i);
        return -1;
    }

    static QString unquote(QString s) {
        s = s.trimmed();
        if (s.size() >= 2 && ((s.front() == QLatin1Char('[') && s.back() == QLatin1Char(']')) ||
                              (s.front() == QLatin1Char('"') && s.back() == QLatin1Char('"')) ||
                              (s.front() == QLatin1Char('`') && s.back() == QLatin1Char('`'))))
            s = s.mid(1, s.size() - 2);
        return s;
    }

    bool openTable(const QString& name) {
        if (!resolveTable(name)) return false;
        fields = tableColumns();
        order = key;
        sortedByKey = true;
        return true;
    }

    bool openQuery(const QString& sql) {
        static const QRegularExpression re(
            QStringLiteral("^\\s*select\\s+(.+?)\\s+from\\s+(\\S+)(?:\\s+where\\s+(.+?))?"
                           "(?:\\s+order\\s+by\\s+(.+?))?\\s*;?\\s*$"),
            QRegularExpression::CaseInsensitiveOption |
                QRegularExpression::DotMatchesEverythingOption);
        const QRegularExpressionMatch m = re.match(sql);
        if (!m.hasMatch())
            return fail(QStringLiteral("Die Abfrage wird nicht unterstützt: %1").arg(sql));
        if (!resolveTable(unquote(m.captured(2)))) return false;
        const std::vector<Field> all = tableColumns();
        const QString list = m.captured(1).trimmed();
        if (list == QLatin1String("*")) {
            fields = all;
        } else {
            for (const QString& part : list.split(QLatin1Char(','))) {
                const int i = find(all, unquote(part));
                if (i < 0)
                    return fail(
                        QStringLiteral("Das Feld \"%1\" gibt es nicht.").arg(part.trimmed()));
                fields.push_back(all[size_t(i)]);
            }
        }
        where = m.captured(3).trimmed();
        QStringList terms;
        if (!m.captured(4).isEmpty()) {
            for (const QString& part : m.captured(4).split(QLatin1Char(','))) {
                QStringList words =
                    part.trimmed().split(QRegularExpression(QStringLiteral("\\s+")));
                QString dir;
                if (words.size() > 1 &&
                    (words.last().compare(QLatin1String("asc"), Qt::CaseInsensitive) == 0 ||
                     words.last().compare(QLatin1String("desc"), Qt::CaseInsensitive) == 0))
                    dir = QLatin1Char(' ') + words.takeLast().toUpper();
                const int i = find(all, unquote(words.join(QLatin1Char(' '))));
                if (i < 0)
                    return fail(
                        QStringLiteral("Das Feld \"%1\" gibt es nicht.").arg(part.trimmed()));
                terms << all[size_t(i)].quoted + dir;
            }
        }
        // Rows of equal keys keep their natural order.
        terms << key;
        order = terms.join(QStringLiteral(", "));
        sortedByKey = terms.size() == 1;
        return true;
    }

    void loadRows() {
        rows.clear();
        positionsValid = false;
        cacheValid = false;
        if (!valid || !connection()) return;
        QString sql = QStringLiteral("SELECT %1 FROM %2").arg(key, SqlUtil::quoteIdent(table));
        if (!where.isEmpty()) sql += QStringLiteral(" WHERE ") + where;
        sql += QStringLiteral(" ORDER BY ") + order;
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(connection(), sql.toUtf8().constData(), -1, &stmt, nullptr) !=
            SQLITE_OK) {
            fail(Fehlertexte::ausVerbindung(connection()));
            sqlite3_finalize(stmt);
            return;
        }
        rows.reserve(size_t(std::max(0, countHint())));
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
            rows.push_back(sqlite3_column_int64(stmt, 0));
        if (rc != SQLITE_DONE) fail(Fehlertexte::ausVerbindung(connection()));
        sqlite3_finalize(stmt);
    }

    // Largest key as a cheap upper bound for the row count (O(log n)).
    int countHint() const {
        const QVariant v = db.scalar(
            QStringLiteral("SELECT max(%1) FROM %2").arg(key, SqlUtil::quoteIdent(table)));
        const qint64 n = v.toLongLong();
        return n > 0 && n < 50'000'000 ? int(n) : 0;
    }

    int indexOf(Bookmark b) const {
        if (sortedByKey) {
            const auto it = std::lower_bound(rows.begin(), rows.end(), b);
            return it != rows.end() && *it == b ? int(it - rows.begin()) : -1;
        }
        if (!positionsValid) {
            positions.clear();
            positions.reserve(size());
            for (int i = 0; i < size(); ++i)
                positions.insert(rows[size_t(i)], i);
            positionsValid = true;
        }
        return positions.value(b, -1);
    }

    sqlite3_stmt* readStatement() const {
        sqlite3* h = connection();
        if (!h) return nullptr;
        if (readStmt && readDb != h) {
            // The database was re-opened (compaction): prepare again.
            sqlite3_finalize(readStmt);
            readStmt = nullptr;
        }
        if (!readStmt) {
            QStringList cols{key};
            for (const Field& f : fields)
                cols << f.quoted;
            QString sql =
                QStringLiteral("SELECT %1 FROM %2 WHERE %3 ")
                    .arg(cols.join(QStringLiteral(", ")), SqlUtil::quoteIdent(table), key);
            if (sortedByKey) {
                sql += QStringLiteral("BETWEEN ?1 AND ?2");
            } else {
                QStringList marks;
                for (int i = 1; i <= Block; ++i)
                    marks << QStringLiteral("?%1").arg(i);
                sql += QStringLiteral("IN (%1)").arg(marks.join(QLatin1Char(',')));
            }
            if (sqlite3_prepare_v2(h, sql.toUtf8().constData(), -1, &readStmt, nullptr) !=
                SQLITE_OK) {
                fail(Fehlertexte::ausVerbindung(h));
                sqlite3_finalize(readStmt);
                readStmt = nullptr;
                return nullptr;
            }
            readDb = h;
        }
        return readStmt;
    }

    void dropStatement() {
        sqlite3_finalize(readStmt);
        readStmt = nullptr;
        cacheValid = false;
    }

    // Reads the block of rows around position p, in the direction of the walk.
    bool readBlock(int p) const {
        sqlite3_stmt* stmt = readStatement();
        if (!stmt) return false;
        const bool backwards = lastRead == p + 1;
        blockFirst = std::max(0, backwards ? p - Block + 1 : p);
        blockEnd = std::min(size(), blockFirst + Block);
        if (sortedByKey) {
            sqlite3_bind_int64(stmt, 1, rows[size_t(blockFirst)]);
            sqlite3_bind_int64(stmt, 2, rows[size_t(blockEnd - 1)]);
        } else {
            for (int i = 0; i < Block; ++i) {
                if (blockFirst + i < blockEnd)
                    sqlite3_bind_int64(stmt, i + 1, rows[size_t(blockFirst) + size_t(i)]);
                else
                    sqlite3_bind_null(stmt, i + 1);
            }
        }
        block.clear();
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            QVariantList values;
            values.reserve(int(fields.size()));
            for (size_t i = 0; i < fields.size(); ++i)
                values.append(typed(SqlUtil::column(stmt, int(i) + 1), fields[i].type));
            block.insert(sqlite3_column_int64(stmt, 0), values);
        }
        sqlite3_reset(stmt); // ends the read transaction
        if (rc != SQLITE_DONE) return fail(Fehlertexte::ausVerbindung(connection()));
        blockStamp = sqlite3_total_changes(connection());
        cacheValid = true;
        return true;
    }

    const QVariantList* current() const {
        if (mode != Mode::None) return &buffer;
        if (!hasCurrent()) return nullptr;
        sqlite3* h = connection();
        if (!h) return nullptr;
        const bool fresh = cacheValid && readDb == h && blockStamp == sqlite3_total_changes(h) &&
                           pos >= blockFirst && pos < blockEnd;
        if (!fresh && !readBlock(pos)) return nullptr;
        lastRead = pos;
        const auto it = block.constFind(rows[size_t(pos)]);
        return it != block.cend() ? &*it : &emptyRow; // gone meanwhile: all NULL
    }

    QVariant value(int i) const {
        if (i < 0 || i >= int(fields.size())) return {};
        const QVariantList* row = current();
        return row ? row->value(i) : QVariant();
    }

    void endEdit() {
        mode = Mode::None;
        buffer.clear();
        dirty.clear();
    }

    void moveTo(int p) {
        endEdit();
        onRemoved = false;
        pos = std::clamp(p, -1, size());
        if (rows.empty()) pos = -1;
        emit q->currentChanged();
    }

    // Converts v to the field's type; nullopt when it does not fit.
    std::optional<QVariant> convert(int i, const QVariant& v) const {
        if (!v.isValid() || v.isNull()) return QVariant();
        const FieldType type = fields[size_t(i)].type;
        if (v.typeId() == QMetaType::QString && type != FieldType::Text &&
            type != FieldType::LongText)
            return convertText(i, v.toString());
        switch (type) {
        case FieldType::Text:
        case FieldType::LongText:
            return convertText(i, v.toString());
        case FieldType::Date:
            if (v.typeId() == QMetaType::QDate && v.toDate().isValid()) return v;
            if (v.typeId() == QMetaType::QDateTime && v.toDateTime().isValid())
                return QVariant(v.toDateTime().date());
            return std::nullopt;
        case FieldType::Currency:
            if (isCurrencyValue(v)) return v;
            if (isIntegral(v)) {
                qint64 raw;
                if (__builtin_mul_overflow(v.toLongLong(), Currency::Scale, &raw))
                    return std::nullopt;
                return QVariant::fromValue(Currency::fromRaw(raw));
            }
            if (isFloating(v) && std::isfinite(v.toDouble()) && std::fabs(v.toDouble()) < 9e14)
                return QVariant::fromValue(Currency::fromDouble(v.toDouble()));
            return std::nullopt;
        case FieldType::Integer:
            if (isIntegral(v)) return QVariant::fromValue<qint64>(v.toLongLong());
            if (isCurrencyValue(v))
                return QVariant::fromValue<qint64>(wholeUnits(v.value<Currency>()));
            if (isFloating(v))
                if (auto r = DecimalRound::wholeHalfEven(v.toDouble()))
                    return QVariant::fromValue<qint64>(*r);
            return std::nullopt;
        case FieldType::Double:
            if (isIntegral(v) || isFloating(v)) return QVariant(v.toDouble());
            if (isCurrencyValue(v)) return QVariant(v.value<Currency>().toDouble());
            return std::nullopt;
        }
        return std::nullopt;
    }

    std::optional<QVariant> convertText(int i, const QString& text) const {
        switch (fields[size_t(i)].type) {
        case FieldType::Text:
            if (text.size() > 255) return std::nullopt; // the field holds at most 255 characters
            return QVariant(text);
        case FieldType::LongText:
            return QVariant(text);
        case FieldType::Date: {
            const QDate d = Gespeichert::datum(text);
            return d.isValid() ? std::optional<QVariant>(QVariant(d)) : std::nullopt;
        }
        case FieldType::Currency:
            if (auto v = Numbers::parseCurrency(text, Numbers::Mode::Stored))
                return QVariant::fromValue(*v);
            return std::nullopt;
        case FieldType::Integer:
            if (const auto r = Numbers::readScaled(text, 0, Numbers::Mode::Stored);
                r.reading == Numbers::Reading::Number)
                return QVariant::fromValue<qint64>(r.value);
            return std::nullopt;
        case FieldType::Double:
            if (auto v = Numbers::readDouble(text, Numbers::Mode::Stored)) return QVariant(*v);
            return std::nullopt;
        }
        return std::nullopt;
    }

    bool set(int i, const std::optional<QVariant>& v, const QString& shown) {
        if (mode == Mode::None) return fail(QStringLiteral("Kein Datensatz in Bearbeitung."));
        if (i < 0 || i >= int(fields.size()))
            return fail(QStringLiteral("Das Feld gibt es nicht."));
        if (!v)
            return fail(QStringLiteral("Der Wert \"%1\" passt nicht in das Feld \"%2\".")
                            .arg(shown, fields[size_t(i)].name));
        buffer[i] = *v;
        dirty[size_t(i)] = true;
        return true;
    }
};

Recordset::Recordset(Database& db, QObject* parent) : QObject(parent), d(new Impl(this, db)) {}

Recordset::~Recordset() {
    delete d;
}

Recordset* Recordset::openTable(Database& db, const QString& table, QObject* parent) {
    auto* rs = new Recordset(db, parent);
    rs->d->valid = rs->d->openTable(table);
    rs->d->loadRows();
    rs->d->pos = rs->d->rows.empty() ? -1 : 0;
    return rs;
}

Recordset* Recordset::openQuery(Database& db, const QString& sql, QObject* parent) {
    auto* rs = new Recordset(db, parent);
    rs->d->valid = rs->d->openQuery(sql);
    if (!rs->d->valid) rs->d->fields.clear();
    rs->d->loadRows();
    rs->d->pos = rs->d->rows.empty() ? -1 : 0;
    return rs;
}

QString Recordset::table() const {
    return d->table;
}

QStringList Recordset::fieldNames() const {
    QStringList names;
    for (const Field& f : d->fields)
        names << f.name;
    return names;
}

int Recordset::fieldCount() const {
    return int(d->fields.size());
}

Recordset::FieldType Recordset::fieldType(int pos) const {
    return pos >= 0 && pos < fieldCount() ? d->fields[size_t(pos)].type : FieldType::Text;
}

int Recordset::fieldIndex(const QString& name) const {
    return Impl::find(d->fields, name);
}

int Recordset::recordCount() const {
    return d->size();
}

bool Recordset::bof() const {
    return d->rows.empty() || d->pos < 0;
}

bool Recordset::eof() const {
    return d->rows.empty() || d->pos >= d->size();
}

bool Recordset::hasCurrent() const {
    return d->hasCurrent();
}

int Recordset::absolutePosition() const {
    return d->hasCurrent() ? d->pos : -1;
}

void Recordset::moveFirst() {
    d->moveTo(0);
}

void Recordset::moveLast() {
    d->moveTo(d->size() - 1);
}

void Recordset::moveNext() {
    // After a removal the position already names the following row.
    d->moveTo(d->onRemoved ? d->pos : d->pos + 1);
}

void Recordset::movePrevious() {
    d->moveTo(d->pos - 1);
}

void Recordset::moveTo(int index) {
    d->moveTo(index < 0 || index >= d->size() ? d->size() : index);
}

Bookmark Recordset::bookmark() const {
    return d->hasCurrent() ? d->rows[size_t(d->pos)] : -1;
}

bool Recordset::setBookmark(Bookmark b) {
    const int i = d->indexOf(b);
    if (i < 0) return d->fail(QStringLiteral("Der Datensatz gibt es nicht mehr."));
    d->moveTo(i);
    return true;
}

bool Recordset::findFirst(const std::function<bool(const Recordset&)>& pred) {
    d->endEdit();
    d->onRemoved = false;
    int found = d->size();
    for (int i = 0; i < d->size(); ++i) {
        d->pos = i;
        if (pred(*this)) {
            found = i;
            break;
        }
    }
    d->moveTo(found);
    return found < d->size();
}

void Recordset::requery() {
    const Bookmark b = bookmark();
    d->endEdit();
    d->onRemoved = false;
    d->loadRows();
    const int i = b >= 0 ? d->indexOf(b) : -1;
    d->pos = i >= 0 ? i : (d->rows.empty() ? -1 : 0);
    emit rowsChanged();
    emit currentChanged();
}

const std::vector<Bookmark>& Recordset::bookmarks() const {
    return d->rows;
}

QVariant Recordset::value(int pos) const {
    return d->value(pos);
}

QVariant Recordset::value(const QString& name) const {
    return d->value(fieldIndex(name));
}

QString Recordset::text(const QString& name) const {
    return text(fieldIndex(name));
}

QString Recordset::text(int pos) const {
    const QVariant v = value(pos);
    if (!v.isValid()) return {};
    switch (fieldType(pos)) {
    case FieldType::Text:
    case FieldType::LongText:
        return v.toString();
    case FieldType::Date:
        return v.toDate().toString(QStringLiteral("dd.MM.yyyy"));
    case FieldType::Currency:
        return v.value<::Currency>().plainText();
    case FieldType::Integer:
        return QString::number(v.toLongLong());
    case FieldType::Double:
        return QString::number(v.toDouble(), 'g', 15).replace(QLatin1Char('.'), QLatin1Char(','));
    }
    return {};
}

::Currency Recordset::currency(const QString& name) const {
    const int i = fieldIndex(name);
    const QVariant v = value(i);
    if (!v.isValid()) return {};
    switch (fieldType(i)) {
    case FieldType::Currency:
        return v.value<::Currency>();
    case FieldType::Integer: {
        qint64 raw;
        return __builtin_mul_overflow(v.toLongLong(), ::Currency::Scale, &raw)
                   ? ::Currency()
                   : ::Currency::fromRaw(raw);
    }
    case FieldType::Double:
        return std::fabs(v.toDouble()) < 9e14 ? ::Currency::fromDouble(v.toDouble()) : ::Currency();
    default:
        return Gespeichert::geld(v).value_or(::Currency());
    }
}

qint64 Recordset::integer(const QString& name) const {
    const int i = fieldIndex(name);
    const QVariant v = value(i);
    if (!v.isValid()) return 0;
    switch (fieldType(i)) {
    case FieldType::Integer:
        return v.toLongLong();
    case FieldType::Currency:
        return wholeUnits(v.value<::Currency>());
    case FieldType::Double:
        return DecimalRound::wholeHalfEven(v.toDouble()).value_or(0);
    default:
        return Gespeichert::ganzzahl(v).value_or(0);
    }
}

double Recordset::real(const QString& name) const {
    const int i = fieldIndex(name);
    const QVariant v = value(i);
    if (!v.isValid()) return 0;
    switch (fieldType(i)) {
    case FieldType::Currency:
        return v.value<::Currency>().toDouble();
    case FieldType::Integer:
    case FieldType::Double:
        return v.toDouble();
    default:
        return Gespeichert::zahl(v).value_or(0);
    }
}

QDate Recordset::date(const QString& name) const {
    const QVariant v = value(name);
    return v.typeId() == QMetaType::QDate ? v.toDate() : Gespeichert::datum(v.toString());
}

void Recordset::addNew() {
    d->endEdit();
    if (!d->valid) return;
    d->mode = Impl::Mode::Adding;
    d->buffer = QVariantList(fieldCount());
    d->dirty.assign(d->fields.size(), false);
}

void Recordset::edit() {
    d->endEdit();
    const QVariantList* row = d->current();
    if (!row) {
        d->fail(QStringLiteral("Kein aktueller Datensatz."));
        return;
    }
    d->buffer = *row;
    d->dirty.assign(d->fields.size(), false);
    d->mode = Impl::Mode::Editing;
}

bool Recordset::isEditing() const {
    return d->mode != Impl::Mode::None;
}

bool Recordset::setValue(const QString& name, const QVariant& v) {
    return setValue(fieldIndex(name), v);
}

bool Recordset::setValue(int pos, const QVariant& v) {
    if (pos < 0 || pos >= fieldCount()) return d->fail(QStringLiteral("Das Feld gibt es nicht."));
    return d->set(pos, d->convert(pos, v), v.toString());
}

bool Recordset::setText(const QString& name, const QString& text) {
    return setText(fieldIndex(name), text);
}

bool Recordset::setText(int pos, const QString& text) {
    if (pos < 0 || pos >= fieldCount()) return d->fail(QStringLiteral("Das Feld gibt es nicht."));
    return d->set(pos, d->convertText(pos, text), text);
}

bool Recordset::update() {
    if (d->mode == Impl::Mode::None)
        return d->fail(QStringLiteral("Kein Datensatz in Bearbeitung."));
    QStringList cols;
    QVariantList params;
    for (size_t i = 0; i < d->fields.size(); ++i) {
        if (!d->dirty[i]) continue;
        cols << d->fields[i].quoted;
        params << d->buffer[int(i)];
    }
    const QString t = SqlUtil::quoteIdent(d->table);
    Bookmark nr = -1;
    if (d->mode == Impl::Mode::Adding) {
        QString sql;
        if (cols.isEmpty()) {
            sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(t);
        } else {
            QStringList marks;
            for (int i = 1; i <= cols.size(); ++i)
                marks << QStringLiteral("?%1").arg(i);
            sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(t, cols.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
        }
        if (!d->db.exec(sql, params)) return d->fail(d->db.message());
        nr = d->db.lastInsertRowId();
        if (d->sortedByKey && !d->rows.empty() && nr < d->rows.back()) {
            d->sortedByKey = false; // the block read switches to a key list
            d->dropStatement();
        }
        d->rows.push_back(nr);
        if (d->positionsValid) d->positions.insert(nr, d->size() - 1);
        d->pos = d->size() - 1;
        d->onRemoved = false;
    } else {
        if (!d->hasCurrent()) return d->fail(QStringLiteral("Kein aktueller Datensatz."));
        nr = d->rows[size_t(d->pos)];
        if (!cols.isEmpty()) {
            QStringList sets;
            for (int i = 0; i < cols.size(); ++i)
                sets << QStringLiteral("%1 = ?%2").arg(cols[i]).arg(i + 1);
            params << QVariant::fromValue<qint64>(nr);
            if (!d->db.exec(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?%4")
                                .arg(t, sets.join(QStringLiteral(", ")), d->key)
                                .arg(cols.size() + 1),
                            params))
                return d->fail(d->db.message());
            if (sqlite3_changes(RawAccess::connection(d->db)) == 0)
                return d->fail(QStringLiteral("Der Datensatz wurde inzwischen gelöscht."));
        }
    }
    d->endEdit();
    d->cacheValid = false;
    d->lastModified = nr;
    emit rowsChanged();
    emit currentChanged();
    return true;
}

void Recordset::cancel() {
    d->endEdit();
}

bool Recordset::remove() {
    d->endEdit();
    if (!d->hasCurrent()) return d->fail(QStringLiteral("Kein aktueller Datensatz."));
    const qint64 nr = d->rows[size_t(d->pos)];
    if (!d->db.exec(QStringLiteral("DELETE FROM %1 WHERE %2 = ?1")
                        .arg(SqlUtil::quoteIdent(d->table), d->key),
                    {QVariant::fromValue<qint64>(nr)}))
        return d->fail(d->db.message());
    d->rows.erase(d->rows.begin() + d->pos);
    d->positionsValid = false;
    d->cacheValid = false;
    d->onRemoved = true;
    emit rowsChanged();
    emit currentChanged();
    return true;
}

Bookmark Recordset::lastModified() const {
    return d->lastModified;
}

QString Recordset::lastError() const {
    return d->error;
}
