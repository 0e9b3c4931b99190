#include "core/Spaltenlayout.h"

namespace Spaltenlayout {

QList<Spalte> lesen(const QString& layout) {
    QList<Spalte> spalten;
    if (layout.isEmpty()) return spalten;
    const QStringList teile = layout.split(QLatin1Char('|'));
    for (const QString& teil : teile) {
        Spalte s;
        QString text = teil;
        if (!text.isEmpty()) {
            const QChar marke = text.front();
            if (marke == QLatin1Char('<')) {
                s.ausrichtung = Spalte::Ausrichtung::Links;
                text.remove(0, 1);
            } else if (marke == QLatin1Char('>')) {
                s.ausrichtung = Spalte::Ausrichtung::Rechts;
                text.remove(0, 1);
            } else if (marke == QLatin1Char('^')) {
                s.ausrichtung = Spalte::Ausrichtung::Mitte;
                text.remove(0, 1);
            }
        }
        s.breite = static_cast<int>(text.size());
        s.kopf = text.trimmed();
        spalten.append(s);
    }
    return spalten;
}

} // namespace Spaltenlayout
