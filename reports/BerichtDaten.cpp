#include "reports/BerichtDaten.h"

#include "core/Utf8.h"
#include "db/Database.h"
#include "db/Gespeichert.h"
#include "db/Statement.h"

#include <algorithm>
#include <vector>

namespace Berichte {

BerichtBestand paketeLesen(Database& db) {
    // Straight from the statement: a report of a thousand packages should
    // cost little more than reading its rows.
    BerichtBestand bestand;
    QList<BerichtPaket>& pakete = bestand.pakete;
    Statement st(db, "SELECT datum, \"WP-KNummer\", aktie, \"stück\", kaufpreis, "
                     "\"gebühren\", tageskurs, altkurs, dividende, kaufdatum "
                     "FROM Aktiendaten ORDER BY _nr");
    if (!st.ok()) return bestand;
    // Both names of every package go into one text; where each lies is kept
    // as offsets, and the views are set once the text no longer grows.
    QString& namen = bestand.namen;
    namen.reserve(qsizetype{16} * 1024);
    qsizetype belegt = 0;
    struct Lage {
        qsizetype von;
        qsizetype laenge;
    };
    std::vector<Lage> lagen;
    QStringDecoder utf8 = utf8WieFromUtf8();
    auto name = [&](QByteArrayView t) {
        const qsizetype bedarf = belegt + utf8.requiredSpace(t.size());
        if (bedarf > namen.size()) namen.resize(std::max(bedarf, 2 * namen.size()));
        const QChar* ende = utf8.appendToBuffer(namen.data() + belegt, t);
        lagen.push_back({belegt, ende - (namen.constData() + belegt)});
        belegt = ende - namen.constData();
    };
    while (st.next()) {
        BerichtPaket& p = pakete.emplaceBack();
        p.datum = st.date(0);
        name(st.bytes(1));
        name(st.bytes(2));
        p.stueck = st.whole(3);
        p.kaufpreis = st.currency(4);
        p.gebuehren = st.currency(5);
        p.tageskurs = st.currency(6);
        p.altkurs = st.currency(7).value_or(Currency());
        p.dividende = st.currency(8).value_or(Currency());
        p.kaufdatum = st.date(9);
    }
    namen.truncate(belegt);
    for (qsizetype i = 0; i < pakete.size(); ++i) {
        const Lage& wpkn = lagen[static_cast<std::size_t>(2 * i)];
        const Lage& aktie = lagen[static_cast<std::size_t>(2 * i + 1)];
        pakete[i].wpkn = QStringView(namen).sliced(wpkn.von, wpkn.laenge);
        pakete[i].aktie = QStringView(namen).sliced(aktie.von, aktie.laenge);
    }
    return bestand;
}

Tageswerte tageswerteLesen(Database& db) {
    Tageswerte w;
    w.altallwert =
        Gespeichert::geld(
            db.scalar(QStringLiteral("SELECT altallwert FROM kennwort ORDER BY _nr LIMIT 1")))
            .value_or(Currency());
    const QList<QVariantList> index = db.rows(
        QStringLiteral("SELECT indexname, indexzahl FROM Indexkurse ORDER BY _nr DESC LIMIT 1"));
    if (!index.isEmpty()) {
        w.indexname = index.first().value(0).toString();
        w.indexzahl = Gespeichert::zahl(index.first().value(1));
    }
    return w;
}

} // namespace Berichte
