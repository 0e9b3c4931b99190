#include "transactions/Datenexport.h"

#include "core/Currency.h"
#include "core/Rtf.h"
#include "db/Database.h"
#include "db/Statement.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace Datenexport {

namespace {

enum class Art { Text, Ganz, Geld, Datum, Zahl, Notiz };

struct Spalte {
    const char* name; ///< the field name in the header
    const char* sql;
    Art art;
};

struct Tabelle {
    const char* datei;
    const char* tabelle;
    QList<Spalte> spalten;
};

QList<Tabelle> tabellen() {
    using A = Art;
    return {
        {"Pakete.csv",
         "Aktiendaten",
         {{"aktie", "aktie", A::Text},
          {"stück", "\"stück\"", A::Ganz},
          {"kaufpreis", "kaufpreis", A::Geld},
          {"gebühren", "\"gebühren\"", A::Geld},
          {"datum", "datum", A::Datum},
          {"tageskurs", "tageskurs", A::Geld},
          {"WP-KNummer", "\"WP-KNummer\"", A::Text},
          {"altkurs", "altkurs", A::Geld},
          {"kaufdatum", "kaufdatum", A::Datum},
          {"kursziel", "kursziel", A::Zahl},
          {"stopkurs", "stopkurs", A::Zahl},
          {"dividende", "dividende", A::Geld},
          {"notizen", "notizen", A::Notiz}}},
        {"Kurse.csv",
         "kurse",
         {{"aktie", "aktie", A::Text}, {"datum", "datum", A::Datum}, {"kurs", "kurs", A::Geld}}},
        {"Depotkonto.csv",
         "Gewinne",
         {{"datum", "datum", A::Datum}, {"text", "text", A::Text}, {"summe", "summe", A::Geld}}},
        {"Aktienindex.csv",
         "Indexkurse",
         {{"indexname", "indexname", A::Text},
          {"indexzahl", "indexzahl", A::Zahl},
          {"datum", "datum", A::Datum}}},
        {"Beobachten.csv",
         "Beobachten",
         {{"datum", "datum", A::Datum},
          {"aktie", "aktie", A::Text},
          {"wpkn", "wpkn", A::Text},
          {"stueck", "stueck", A::Ganz},
          {"kaufpreis", "kaufpreis", A::Geld},
          {"kurs", "kurs", A::Geld}}},
        {"Beobachten-Kurse.csv",
         "KurseVirtuell",
         {{"datum", "datum", A::Datum}, {"aktie", "aktie", A::Text}, {"kurs", "kurs", A::Text}}},
    };
}

/// All four stored decimals: "12,3456", "-0,0001".
QString geld(Currency c) {
    const std::int64_t r = c.raw();
    const std::uint64_t betrag = r < 0 ? 0 - static_cast<std::uint64_t>(r) : std::uint64_t(r);
    return (r < 0 ? QStringLiteral("-") : QString()) +
           QString::number(betrag / Currency::Scale) + QLatin1Char(',') +
           QStringLiteral("%1").arg(betrag % Currency::Scale, 4, 10, QLatin1Char('0'));
}

QString wert(const Statement& st, int c, Art art) {
    if (st.isNull(c)) return {};
    switch (art) {
    case Art::Text:
        return st.text(c);
    case Art::Notiz: {
        const QString t = st.text(c);
        return Rtf::isRtf(t) ? Rtf::toPlainText(t) : t;
    }
    case Art::Ganz: {
        const auto w = st.whole(c);
        return w ? QString::number(*w) : st.text(c);
    }
    case Art::Geld: {
        const auto g = st.currency(c);
        return g ? geld(*g) : st.text(c);
    }
    case Art::Datum: {
        const QDate d = st.date(c);
        return d.isValid() ? d.toString(QStringLiteral("dd.MM.yyyy")) : st.text(c);
    }
    case Art::Zahl: {
        const QVariant v = st.value(c);
        bool ok = false;
        const double x = v.toDouble(&ok);
        return ok ? QString::number(x, 'g', 15).replace(QLatin1Char('.'), QLatin1Char(','))
                  : st.text(c);
    }
    }
    return {};
}

QString neuerOrdner(const QString& basis, const QDate& heute) {
    const QString name = QStringLiteral("Kapito-Export ") + heute.toString(Qt::ISODate);
    QDir b(basis);
    QString kandidat = name;
    for (int n = 2; QFileInfo::exists(b.filePath(kandidat)); ++n)
        kandidat = QStringLiteral("%1 (%2)").arg(name).arg(n);
    return b.mkdir(kandidat) ? b.filePath(kandidat) : QString();
}

} // namespace

QStringList dateinamen() {
    QStringList l;
    for (const Tabelle& t : tabellen())
        l << QString::fromUtf8(t.datei);
    return l;
}

QString feld(const QString& text) {
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString t = text;
    t.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + t + QLatin1Char('"');
}

Ergebnis exportieren(Database& db, const QString& basis, const QDate& heute,
                     const std::function<void(int)>& fortschritt) {
    Ergebnis e;
    const QString scheitern = QStringLiteral("Die Daten konnten nicht exportiert werden.");
    const QString ordner = neuerOrdner(basis, heute);
    if (ordner.isEmpty()) {
        e.fehler = scheitern + QStringLiteral("\n\nIm Ordner \"%1\" kann kein neuer Ordner "
                                              "angelegt werden.")
                                   .arg(QDir::toNativeSeparators(basis));
        return e;
    }
    const auto aufgeben = [&](const QString& grund) {
        QDir(ordner).removeRecursively();
        e.fehler = scheitern + QStringLiteral("\n\n") + grund;
        return e;
    };
    // One read transaction: every file shows the same moment of the depot.
    Transaction lesen(db);
    int fertig = 0;
    for (const Tabelle& t : tabellen()) {
        QStringList namen, sql;
        for (const Spalte& s : t.spalten) {
            namen << feld(QString::fromUtf8(s.name));
            sql << QString::fromUtf8(s.sql);
        }
        Statement st(db, QStringLiteral("SELECT %1 FROM %2 ORDER BY _nr")
                             .arg(sql.join(QStringLiteral(", ")), QString::fromUtf8(t.tabelle)));
        const QString pfad = QDir(ordner).filePath(QString::fromUtf8(t.datei));
        QSaveFile f(pfad);
        const auto fehlerText = [&] {
            return QStringLiteral("Die Datei \"%1\" konnte nicht geschrieben werden:\n%2")
                .arg(QDir::toNativeSeparators(pfad), f.errorString());
        };
        if (!st.ok()) return aufgeben(st.error());
        if (!f.open(QIODevice::WriteOnly)) return aufgeben(fehlerText());
        QString puffer = QChar(0xFEFF) + namen.join(QLatin1Char(';')) + QStringLiteral("\r\n");
        const int n = int(t.spalten.size());
        while (st.next()) {
            for (int c = 0; c < n; ++c) {
                if (c) puffer += QLatin1Char(';');
                puffer += feld(wert(st, c, t.spalten[c].art));
            }
            puffer += QStringLiteral("\r\n");
            if (puffer.size() > qsizetype{512} * 1024) {
                if (f.write(puffer.toUtf8()) < 0) return aufgeben(fehlerText());
                puffer.clear();
            }
        }
        if (!st.error().isEmpty()) return aufgeben(st.error());
        if (f.write(puffer.toUtf8()) < 0 || !f.commit()) return aufgeben(fehlerText());
        if (fortschritt) fortschritt(++fertig);
    }
    e.ok = true;
    e.ordner = ordner;
    return e;
}

} // namespace Datenexport
