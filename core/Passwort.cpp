#include "core/Passwort.h"

namespace Passwort {

namespace {
// Stored place i holds padded character Folge[i] (1-based places).
constexpr int Folge[8] = {8, 2, 4, 7, 3, 1, 5, 6};
} // namespace

QString speicherform(const QString& klartext) {
    const QString p = klartext.left(8).leftJustified(8, QLatin1Char('*'));
    QString s(8, QLatin1Char('*'));
    for (int i = 0; i < 8; ++i)
        s[i] = p.at(Folge[i] - 1);
    return s;
}

QString klartext(const QString& speicherform) {
    // A damaged field of another length is padded rather than read past its end.
    const QString s = speicherform.left(8).leftJustified(8, QLatin1Char('*'));
    QString p(8, QLatin1Char('*'));
    for (int i = 0; i < 8; ++i)
        p[Folge[i] - 1] = s.at(i);
    p.remove(QLatin1Char('*'));
    return p;
}

} // namespace Passwort
