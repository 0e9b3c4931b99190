#include "jet/JetBestand.h"

#include <QDate>
#include <random>

namespace Jet {

namespace {

QVariant iso(const QDate& d) {
    return QString::asprintf("%04d-%02d-%02d", d.year(), d.month(), d.day());
}

QVariant roh(qint64 v) {
    return QVariant::fromValue<qint64>(v);
}

const QVariant Null;

QString langeNotiz() {
    QString rtf = QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ");
    int n = 0;
    while (rtf.size() < qsizetype(40 * 1024))
        rtf += QStringLiteral("Zeile %1: Nachkaufen unter 12,50 € – Hauptversammlung "
                              "im Mai, Dividende „steuerfrei“.\\par ")
                   .arg(++n);
    return rtf + QLatin1Char('}');
}

} // namespace

void Bestand::zeile(int tabelle, const QVariantList& jet, const QVariantList& neu, Zeile::Art art) {
    tabellen[tabelle].zeilen << Zeile{jet, art};
    if (erwartetFuellen && art != Zeile::Art::Geloescht) erwartet[tabelle] << neu;
}

Bestand beispielBestand(const Umfang& u) {
    Bestand b;
    b.tabellen = siebenTabellen();
    b.erwartet.resize(b.tabellen.size());
    b.erwartetFuellen = u.mitErwartet;
    std::mt19937 rng(4711);
    auto zufall = [&](int n) { return int(rng() % unsigned(n)); };
    const QDate start(1998, 1, 2);
    using A = Zeile::Art;

    // Packages. Every seventh was deleted, one moved to another page.
    QStringList namen;
    for (int i = 0; i < u.pakete; ++i) {
        const QString name = i == 0   ? QStringLiteral("Müller Weißbräu AG")
                             : i == 1 ? QStringLiteral("Société Générale")
                             : i == 2 ? QStringLiteral("Öl & Gas „Nord“ – Fonds")
                                      : QStringLiteral("Aktie %1").arg(i);
        namen << name;
        const qint64 kauf = 10000 + zufall(5000000); // four decimals
        const int stueck = i == 3 ? 32767 : i == 4 ? -32768 : 10 * (1 + zufall(300));
        const QDate kaufdatum = start.addDays(zufall(4000));
        QVariant notiz = i % 5 == 0 ? QVariant(QStringLiteral("{\\rtf1 Halten.}")) : Null;
        if (i == 0) notiz = langeNotiz();
        if (i == 1) notiz = QString(300, QLatin1Char('x')); // one long-value row
        if (i == 2) notiz = QString();
        const double ziel = i % 3 == 0 ? double(kauf) / 10000 * 1.3 : 0.0;
        const A art = i % 7 == 6 ? A::Geloescht : i == 5 ? A::Ausgelagert : A::Lebend;
        b.zeile(Aktiendaten,
                {name, stueck, roh(kauf), roh(9990), kaufdatum, roh(kauf + 1),
                 QStringLiteral("840400"), roh(kauf - 1), kaufdatum, ziel, 0.1,
                 i == 1 ? Null : QVariant(roh(0)), notiz},
                {name, roh(stueck), roh(kauf), roh(9990), iso(kaufdatum), roh(kauf + 1),
                 QStringLiteral("840400"), roh(kauf - 1), iso(kaufdatum), ziel, 0.1,
                 i == 1 ? Null : QVariant(roh(0)), notiz},
                art);
    }
    // Old dates and extreme amounts; the time of day is dropped.
    const struct {
        QVariant jet;
        QString neu;
    } tage[] = {{0.0, QStringLiteral("1899-12-30")},
                {-0.5, QStringLiteral("1899-12-30")},
                {-1.25, QStringLiteral("1899-12-29")},
                {2.75, QStringLiteral("1900-01-01")},
                {QDate(1800, 1, 1), {}},
                {QDate(100, 1, 1), {}},
                {QDate(9999, 12, 31), {}}};
    for (const auto& t : tage) {
        const QVariant neu = t.neu.isEmpty() ? iso(t.jet.toDate()) : QVariant(t.neu);
        b.zeile(Aktiendaten,
                {QStringLiteral("Alt"), 0, roh(-1), roh(900000000000000000), t.jet, Null, Null,
                 Null, t.jet, 1e-300, -2.5e10, roh(-900000000000000000), Null},
                {QStringLiteral("Alt"), roh(0), roh(-1), roh(900000000000000000), neu, Null, Null,
                 Null, neu, 1e-300, -2.5e10, roh(-900000000000000000), Null});
    }
    if (u.version == Version::Jet4) {
        const QString name = QStringLiteral("Škoda Česká Ωmega ¥");
        b.zeile(Aktiendaten,
                {name, 1, roh(1), roh(1), start, roh(1), QStringLiteral("ČZ"), roh(1), start, 0.0,
                 0.0, roh(0), QStringLiteral("Ωmega ") + QString(200, QChar(0x0416))},
                {name, roh(1), roh(1), roh(1), iso(start), roh(1), QStringLiteral("ČZ"), roh(1),
                 iso(start), 0.0, 0.0, roh(0),
                 QStringLiteral("Ωmega ") + QString(200, QChar(0x0416))});
    }

    // Quotes, spread over many pages.
    for (int r = 0; r < u.kurse; ++r) {
        const QString& name = namen[zufall(int(namen.size()))];
        const QDate tag = start.addDays(r * 3000LL / std::max(1, u.kurse));
        const qint64 kurs = 1 + zufall(9999999);
        const A art = r % 50 == 49 ? A::Geloescht : r % 997 == 500 ? A::Ausgelagert : A::Lebend;
        b.zeile(Kurse, {name, tag, roh(kurs)}, {name, iso(tag), roh(kurs)}, art);
    }

    for (int r = 0; r < 5; ++r) {
        const double wert = 4000.0 + r * 12.345;
        b.zeile(Indexkurse, {QStringLiteral("DAX"), wert, start.addDays(r)},
                {QStringLiteral("DAX"), wert, iso(start.addDays(r))});
    }

    // Bookings, with texts up to the field's 255 characters.
    for (int r = 0; r < u.gewinne; ++r) {
        const QDate tag = start.addDays(r * 3000LL / std::max(1, u.gewinne));
        QString text = r == 0         ? QStringLiteral("Einzahlung")
                       : r == 1       ? QStringLiteral("Umbuchung\tKonto A\\B\nzweite Zeile\r")
                       : r == 2       ? QString()
                       : r % 100 == 3 ? QString(255, QChar(u'ü'))
                                      : QStringLiteral("Kauf %1 Stück %2")
                                            .arg(10 * (1 + zufall(50)))
                                            .arg(namen[zufall(int(namen.size()))]);
        const qint64 summe = r == 0 ? qint64(5000000000) : qint64(zufall(4000000)) - 2000000;
        const A art = r % 40 == 39 ? A::Geloescht : A::Lebend;
        b.zeile(Gewinne, {tag, text, roh(summe)}, {iso(tag), text, roh(summe)}, art);
    }

    for (int r = 0; r < 3; ++r) {
        const QString name = QStringLiteral("Beobachtet %1 ä").arg(r);
        b.zeile(Beobachten,
                {start.addDays(r), name, QStringLiteral("12345%1").arg(r), 100 + r, roh(123456),
                 roh(123457)},
                {iso(start.addDays(r)), name, QStringLiteral("12345%1").arg(r), roh(100 + r),
                 roh(123456), roh(123457)});
        b.zeile(KurseVirtuell, {start.addDays(r), name, QStringLiteral("12,3%1").arg(r)},
                {iso(start.addDays(r)), name, QStringLiteral("12,3%1").arg(r)});
    }

    b.zeile(Kennwort,
            {QStringLiteral("********"), 1, 0, QDate(1990, 1, 1), 12, QDate(2024, 3, 1),
             roh(123456789)},
            {QStringLiteral("********"), roh(1), roh(0), QStringLiteral("1990-01-01"), roh(12),
             QStringLiteral("2024-03-01"), roh(123456789)});
    return b;
}

} // namespace Jet
