// Feeds arbitrary bytes to the reader of the Jet helper's row stream, once
// whole and once cut into pieces chosen by the input itself. However the
// bytes are cut, the receiver is told the same, and the stream ends in a
// defined state: finished only after its closing line, and never still
// reading once it is closed.
#include "core/JetStrom.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void pruefe(bool ok) {
    if (!ok) std::abort();
}

/// Writes every call down; refuses the call with the number ablehnenBei.
struct Protokoll final : JetStromEmpfaenger {
    QStringList aufrufe;
    qint64 zeilen = 0;
    int ablehnenBei = -1;
    bool tabelleOffen = false;
    qsizetype spalten = 0;

    bool weiter() { return aufrufe.size() - 1 != ablehnenBei; }
    bool umfang(qint64 n) override {
        pruefe(n >= 0 && aufrufe.isEmpty());
        aufrufe << QStringLiteral("umfang %1").arg(n);
        return weiter();
    }
    bool tabelle(const QString& name, const QList<JetSpalte>& s, qint64 angegeben) override {
        pruefe(!tabelleOffen && !name.isEmpty() && !s.isEmpty() && angegeben >= 0);
        tabelleOffen = true;
        spalten = s.size();
        QString t = QStringLiteral("tabelle %1 %2").arg(name).arg(angegeben);
        for (const JetSpalte& c : s)
            t += QLatin1Char(' ') + c.name + QLatin1Char(':') + QLatin1Char(c.typ);
        aufrufe << t;
        return weiter();
    }
    bool zeile(const QList<JetWert>& werte) override {
        pruefe(tabelleOffen && werte.size() == spalten);
        ++zeilen;
        QString t = QStringLiteral("z");
        for (const JetWert& w : werte)
            t += QStringLiteral(" %1:%2:%3:%4")
                     .arg(int(w.art))
                     .arg(w.zahl)
                     .arg(w.gleitkomma, 0, 'g', 17)
                     .arg(w.text);
        aufrufe << t;
        return weiter();
    }
    bool tabellenEnde() override {
        pruefe(tabelleOffen);
        tabelleOffen = false;
        aufrufe << QStringLiteral("ende");
        return weiter();
    }
    bool fehlt(const QString& name) override {
        pruefe(!tabelleOffen);
        aufrufe << QStringLiteral("fehlt ") + name;
        return weiter();
    }
};

struct Ausgang {
    QStringList aufrufe;
    JetStrom::Zustand zustand;
    QString fehler;
    QStringList leserFehler;
    int version;
    qint64 zeilen;
};

Ausgang lesen(QByteArrayView daten, const QList<qsizetype>& schnitte, int ablehnenBei) {
    Protokoll p;
    p.ablehnenBei = ablehnenBei;
    JetStrom strom(p);
    qsizetype pos = 0;
    for (qsizetype schnitt : schnitte) {
        const qsizetype bis = qMin(daten.size(), pos + schnitt);
        strom.futtern(daten.sliced(pos, bis - pos));
        pos = bis;
    }
    strom.futtern(daten.sliced(pos));
    strom.schliessen();
    pruefe(strom.zustand() != JetStrom::Zustand::Liest);
    pruefe(strom.zeilenGelesen() == p.zeilen);
    pruefe(strom.version() == 0 || strom.version() == 3 || strom.version() == 4);
    if (strom.zustand() == JetStrom::Zustand::Fertig) pruefe(!p.tabelleOffen);
    return {p.aufrufe,           strom.zustand(), strom.fehler(),
            strom.leserFehler(), strom.version(), strom.zeilenGelesen()};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    // The first byte names the call to refuse (none for most), the second
    // seeds the cuts; the rest is the stream.
    const int ablehnenBei = data[0] < 0xf0 ? -1 : data[0] - 0xf0;
    quint32 zufall = data[1] * 2654435761u + 1;
    const QByteArrayView strom(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));

    const Ausgang ganz = lesen(strom, {}, ablehnenBei);
    QList<qsizetype> schnitte;
    for (qsizetype rest = strom.size(); rest > 0;) {
        zufall = zufall * 1103515245u + 12345u;
        const qsizetype n = qsizetype(zufall >> 16) % 7; // pieces of 0 to 6 bytes
        schnitte << n;
        rest -= n;
    }
    const Ausgang stueckweise = lesen(strom, schnitte, ablehnenBei);
    pruefe(ganz.aufrufe == stueckweise.aufrufe);
    pruefe(ganz.zustand == stueckweise.zustand);
    pruefe(ganz.fehler == stueckweise.fehler);
    pruefe(ganz.leserFehler == stueckweise.leserFehler);
    pruefe(ganz.version == stueckweise.version);
    pruefe(ganz.zeilen == stueckweise.zeilen);
    return 0;
}
