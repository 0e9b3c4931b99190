#include "core/Kalender.h"

namespace Kalender {

namespace {

// Days between 0000-03-01 and 1970-01-01, and the Julian day of the latter.
constexpr qint64 MaerzNull = 719468;
constexpr qint64 Epoche = 2440588;

qint64 abgerundet(qint64 a, qint64 b) {
    return (a >= 0 ? a : a - (b - 1)) / b;
}

} // namespace

Tag ausJulianTag(qint64 julianTag) {
    // Years counted from March, so that the leap day ends the year.
    const qint64 z = julianTag - Epoche + MaerzNull;
    const qint64 era = abgerundet(z, 146097);
    const qint64 doe = z - era * 146097;
    const qint64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const qint64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const qint64 mp = (5 * doy + 2) / 153;
    Tag t;
    t.tag = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    t.monat = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.jahr = yoe + era * 400 + (t.monat <= 2 ? 1 : 0);
    return t;
}

qint64 julianTag(qint64 jahr, int monat, int tag) {
    const qint64 j = jahr - (monat <= 2 ? 1 : 0);
    const qint64 era = abgerundet(j, 400);
    const qint64 yoe = j - era * 400;
    const qint64 doy = (153 * (monat > 2 ? monat - 3 : monat + 9) + 2) / 5 + tag - 1;
    const qint64 doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - MaerzNull + Epoche;
}

std::optional<QDate> ausIso(const char* text, qsizetype laenge) {
    if (!text || laenge != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    auto zahl = [text](int von, int bis) {
        int z = 0;
        for (int k = von; k < bis; ++k) {
            if (text[k] < '0' || text[k] > '9') return -1;
            z = z * 10 + (text[k] - '0');
        }
        return z;
    };
    const int j = zahl(0, 4), m = zahl(5, 7), t = zahl(8, 10);
    if (j < 0 || m < 0 || t < 0) return std::nullopt;
    static constexpr int Tage[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool schalt = j % 4 == 0 && (j % 100 != 0 || j % 400 == 0);
    if (j == 0 || m < 1 || m > 12 || t < 1 || t > Tage[m - 1] + (m == 2 && schalt ? 1 : 0))
        return QDate();
    return QDate::fromJulianDay(julianTag(j, m, t));
}

bool punktform(const QDate& d, char* ziel) {
    if (!d.isValid()) return false;
    const Tag t = ausJulianTag(d.toJulianDay());
    if (t.jahr < 1 || t.jahr > 9999) return false;
    const int j = static_cast<int>(t.jahr);
    const int ziffern[10] = {t.tag / 10, t.tag % 10, -1,         t.monat / 10, t.monat % 10,
                             -1,         j / 1000,   j / 100 % 10, j / 10 % 10,  j % 10};
    for (int i = 0; i < 10; ++i)
        ziel[i] = ziffern[i] < 0 ? '.' : static_cast<char>('0' + ziffern[i]);
    return true;
}

} // namespace Kalender
