#include "db/Gespeichert.h"

#include "core/DecimalRound.h"
#include "core/Numbers.h"

#include <QStringList>

namespace Gespeichert {

namespace {

QString alsText(const QVariant& roh) {
    return roh.typeId() == QMetaType::QByteArray ? QString::fromUtf8(roh.toByteArray())
                                                 : roh.toString();
}

} // namespace

std::optional<Currency> geld(const QVariant& roh) {
    switch (roh.typeId()) {
    case QMetaType::UnknownType:
        return std::nullopt;
    case QMetaType::LongLong:
        return Currency::fromRaw(roh.toLongLong());
    case QMetaType::Double:
        if (const auto r = DecimalRound::wholeHalfEven(roh.toDouble()))
            return Currency::fromRaw(*r);
        return std::nullopt;
    default:
        return Numbers::parseCurrency(alsText(roh), Numbers::Mode::Stored);
    }
}

std::optional<Currency> summand(const QVariant& roh) {
    if (const auto g = geld(roh)) return g;
    if (roh.typeId() == QMetaType::Double) return std::nullopt;
    return Currency();
}

std::optional<qint64> ganzzahl(const QVariant& roh) {
    switch (roh.typeId()) {
    case QMetaType::UnknownType:
        return std::nullopt;
    case QMetaType::LongLong:
        return roh.toLongLong();
    case QMetaType::Double:
        return DecimalRound::wholeHalfEven(roh.toDouble());
    default: {
        const Numbers::ScaledReading r =
            Numbers::readScaled(alsText(roh), 0, Numbers::Mode::Stored);
        if (r.reading != Numbers::Reading::Number) return std::nullopt;
        return r.value;
    }
    }
}

std::optional<double> zahl(const QVariant& roh) {
    switch (roh.typeId()) {
    case QMetaType::UnknownType:
        return std::nullopt;
    case QMetaType::LongLong:
    case QMetaType::Double:
        return roh.toDouble();
    default:
        return Numbers::readDouble(alsText(roh), Numbers::Mode::Stored);
    }
}

QDate datum(const QString& text) {
    const QString s = text.trimmed();
    auto num = [&s](int from, int len) {
        int v = 0;
        for (int i = from; i < from + len; ++i) {
            const char16_t c = s[i].unicode();
            if (c < '0' || c > '9') return -1;
            v = v * 10 + (c - '0');
        }
        return v;
    };
    if (s.size() == 10 && s[4] == QLatin1Char('-') && s[7] == QLatin1Char('-')) {
        const int y = num(0, 4), m = num(5, 2), d = num(8, 2);
        return y > 0 && m > 0 && d > 0 ? QDate(y, m, d) : QDate();
    }
    const QStringList parts = s.split(QLatin1Char('.'));
    if (parts.size() != 3 || parts[0].size() > 2 || parts[1].size() > 2 || parts[2].size() != 4)
        return {};
    bool okD = false, okM = false, okY = false;
    const int d = parts[0].toInt(&okD), m = parts[1].toInt(&okM), y = parts[2].toInt(&okY);
    return okD && okM && okY && !parts[0].startsWith(QLatin1Char('+')) ? QDate(y, m, d) : QDate();
}

} // namespace Gespeichert
