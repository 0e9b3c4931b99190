#include "JetSchreiber.h"

#include <QDate>
#include <QFile>
#include <cmath>
#include <cstring>
#include <optional>

namespace Jet {

namespace {

// ---- Layout of the two versions -------------------------------------------

struct Format {
    bool jet4;
    int seite;           // page size
    int zeilenAnzahlBei; // offset of the row count on data pages
    int tdefSpalten;     // first column entry in a table definition
    int spaltenEintrag;  // bytes per column entry
    int kopfVerschluesselt;

    int seitenKopf() const { return zeilenAnzahlBei + 2; }
};

constexpr Format Jet3Format{false, 2048, 0x08, 43, 18, 126};
constexpr Format Jet4Format{true, 4096, 0x0c, 63, 25, 128};

constexpr quint8 SeiteDaten = 0x01;
constexpr quint8 SeiteTdef = 0x02;
constexpr quint8 SeiteKarte = 0x05;

void put8(QByteArray& b, int at, quint8 v) {
    b[at] = char(v);
}
void put16(QByteArray& b, int at, quint32 v) {
    b[at] = char(v & 0xff);
    b[at + 1] = char((v >> 8) & 0xff);
}
void put32(QByteArray& b, int at, quint32 v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xff);
}
void put64(QByteArray& b, int at, quint64 v) {
    for (int i = 0; i < 8; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xff);
}
void putDouble(QByteArray& b, int at, double d) {
    quint64 bits;
    std::memcpy(&bits, &d, 8);
    put64(b, at, bits);
}
int get16(const QByteArray& b, int at) {
    return int(static_cast<quint8>(b[at])) | int(static_cast<quint8>(b[at + 1])) << 8;
}
void add16(QByteArray& b, quint32 v) {
    b.append(char(v & 0xff)).append(char((v >> 8) & 0xff));
}

// ---- Texts ------------------------------------------------------------------

// Windows code page 1252 from 0x80 to 0x9F; 0 = not assigned.
constexpr char16_t Cp1252Hoch[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

QByteArray cp1252(const QString& s) {
    QByteArray out;
    out.reserve(s.size());
    for (QChar c : s) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out.append(char(u));
            continue;
        }
        char ersatz = '?';
        for (int i = 0; i < 32; ++i)
            if (Cp1252Hoch[i] == u && u != 0) ersatz = char(0x80 + i);
        out.append(ersatz);
    }
    return out;
}

QByteArray ucs2(const QString& s) {
    QByteArray out;
    out.reserve(s.size() * 2);
    for (QChar c : s)
        add16(out, c.unicode());
    return out;
}

// Jet 4 stores a text of characters 1…255 as 0xFF 0xFE and one byte each.
QByteArray textBytes(const Format& f, const QString& s, bool komprimiert) {
    if (!f.jet4) return cp1252(s);
    bool geht = komprimiert && !s.isEmpty();
    for (QChar c : s)
        if (c.unicode() == 0 || c.unicode() > 0xFF) geht = false;
    if (!geht) return ucs2(s);
    QByteArray out("\xff\xfe", 2);
    for (QChar c : s)
        out.append(char(c.unicode()));
    return out;
}

QByteArray spaltenName(const Format& f, const QString& name) {
    QByteArray out;
    if (f.jet4) {
        const QByteArray b = ucs2(name);
        add16(out, quint32(b.size()));
        out += b;
    } else {
        const QByteArray b = cp1252(name);
        out.append(char(b.size()));
        out += b;
    }
    return out;
}

// ---- RC4 for the header ------------------------------------------------------

void rc4(QByteArray& daten, int von, int laenge, const quint8* schluessel, int schluesselLaenge) {
    quint8 s[256];
    for (int i = 0; i < 256; ++i)
        s[i] = quint8(i);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[i] + schluessel[i % schluesselLaenge]) & 0xff;
        std::swap(s[i], s[j]);
    }
    for (int k = 0, i = 0, j = 0; k < laenge; ++k) {
        i = (i + 1) & 0xff;
        j = (j + s[i]) & 0xff;
        std::swap(s[i], s[j]);
        daten[von + k] = char(quint8(daten[von + k]) ^ s[(s[i] + s[j]) & 0xff]);
    }
}

// ---- Columns ------------------------------------------------------------------

struct SpalteIntern {
    Spalte s;
    int nr = 0;
    bool fest = true;
    int groesse = 0;    // bytes in the row (fixed) or declared length
    int festOffset = 0; // fixed columns
    int varNr = 0;      // variable columns
};

int festeGroesse(Typ t) {
    switch (t) {
    case Typ::Byte:
        return 1;
    case Typ::Int:
        return 2;
    case Typ::Long:
    case Typ::Single:
        return 4;
    case Typ::Waehrung:
    case Typ::Double:
    case Typ::Datum:
        return 8;
    case Typ::Text:
    case Typ::Memo:
    case Typ::Ole:
        return 0;
    }
    return 0;
}

QList<SpalteIntern> spaltenAnlegen(const Format& f, const QList<Spalte>& spalten, int* varAnzahl) {
    QList<SpalteIntern> out;
    int fest = 0, var = 0;
    for (int i = 0; i < spalten.size(); ++i) {
        SpalteIntern c;
        c.s = spalten[i];
        c.nr = i;
        c.fest = festeGroesse(spalten[i].typ) > 0;
        if (c.fest) {
            c.groesse = festeGroesse(c.s.typ);
            c.festOffset = fest;
            fest += c.groesse;
        } else {
            c.groesse = c.s.typ == Typ::Text ? c.s.laenge * (f.jet4 ? 2 : 1) : 0;
            c.varNr = var++;
        }
        out << c;
    }
    *varAnzahl = var;
    return out;
}

double alsJetDatum(const QVariant& v) {
    if (v.typeId() == QMetaType::QDate) return double(QDate(1899, 12, 30).daysTo(v.toDate()));
    return v.toDouble();
}

// ---- The file being built -------------------------------------------------------

class Datei {
public:
    explicit Datei(const Format& f) : m_f(f) {}

    int neueSeite() {
        m_seiten.append(QByteArray(m_f.seite, '\0'));
        return int(m_seiten.size() - 1);
    }
    QByteArray& seite(int nr) { return m_seiten[nr]; }
    QByteArray zusammen() const {
        QByteArray out;
        out.reserve(m_seiten.size() * m_f.seite);
        for (const QByteArray& s : m_seiten)
            out += s;
        return out;
    }

    /// Starts a page with rows stored from its end backwards.
    int zeilenSeite(quint32 besitzer, bool langwerte) {
        const int nr = neueSeite();
        QByteArray& p = seite(nr);
        put8(p, 0, SeiteDaten);
        put8(p, 1, 0x01);
        if (langwerte)
            std::memcpy(p.data() + 4, "LVAL", 4);
        else
            put32(p, 4, besitzer);
        put16(p, m_f.zeilenAnzahlBei, 0);
        freiSetzen(nr);
        return nr;
    }
    int zeilenAnzahl(int nr) { return get16(seite(nr), m_f.zeilenAnzahlBei); }
    int frei(int nr) {
        const int n = zeilenAnzahl(nr);
        return untersteZeile(nr) - (m_f.seitenKopf() + 2 * n);
    }
    bool passt(int nr, int laenge) { return frei(nr) >= laenge + 2; }
    /// Appends a row; returns its number on the page.
    int zeileAnhaengen(int nr, const QByteArray& daten, quint16 flags) {
        QByteArray& p = seite(nr);
        const int n = zeilenAnzahl(nr);
        const int start = untersteZeile(nr) - int(daten.size());
        std::memcpy(p.data() + start, daten.constData(), size_t(daten.size()));
        put16(p, m_f.seitenKopf() + 2 * n, quint32(start) | flags);
        put16(p, m_f.zeilenAnzahlBei, quint32(n + 1));
        freiSetzen(nr);
        return n;
    }
    int groessteZeile() const { return m_f.seite - m_f.seitenKopf() - 2; }

private:
    int untersteZeile(int nr) {
        const int n = zeilenAnzahl(nr);
        if (n == 0) return m_f.seite;
        return get16(seite(nr), m_f.seitenKopf() + 2 * (n - 1)) & 0x1fff;
    }
    void freiSetzen(int nr) { put16(seite(nr), 2, quint32(frei(nr))); }

    Format m_f;
    QList<QByteArray> m_seiten;
};

struct TabelleIntern {
    const Tabelle* t = nullptr;
    QList<SpalteIntern> spalten;
    int varAnzahl = 0;
    int tdef = 0;
    QList<int> datenSeiten;
    int lebend = 0;
};

class Schreiber {
public:
    Schreiber(const Format& f, const Optionen& o) : m_f(f), m_o(o), m_d(f) {}

    QByteArray schreiben(const QList<Tabelle>& tabellen, QString* fehler);

private:
    std::optional<QByteArray> zeileBauen(TabelleIntern& t, const QVariantList& werte);
    std::optional<QByteArray> memoBauen(const QString& text);
    QByteArray satz(const QList<SpalteIntern>& spalten, int varAnzahl,
                    const QList<QByteArray>& felder, const QList<bool>& vorhanden) const;
    bool tabelleFuellen(TabelleIntern& t);
    QByteArray tdefBauen(const TabelleIntern& t, int kartenZeile) const;
    QByteArray karteBauen(const QList<int>& seiten);
    void kopfSchreiben();

    bool fehlt(const QString& text) {
        m_fehler = text;
        return false;
    }

    Format m_f;
    Optionen m_o;
    Datei m_d;
    QString m_fehler;
    int m_lvalSeite = -1;
};

QByteArray Schreiber::satz(const QList<SpalteIntern>& spalten, int varAnzahl,
                           const QList<QByteArray>& felder, const QList<bool>& vorhanden) const {
    const int anzahlBreite = m_f.jet4 ? 2 : 1;
    const int n = int(spalten.size());
    QByteArray r;
    if (m_f.jet4)
        add16(r, quint32(n));
    else
        r.append(char(n));
    int festEnde = 0;
    for (const SpalteIntern& c : spalten)
        if (c.fest) festEnde = std::max(festEnde, c.festOffset + c.groesse);
    r.append(QByteArray(festEnde, '\0'));
    for (const SpalteIntern& c : spalten)
        if (c.fest && vorhanden[c.nr])
            std::memcpy(r.data() + anzahlBreite + c.festOffset, felder[c.nr].constData(),
                        size_t(c.groesse));
    QList<int> offsets(varAnzahl + 1, 0);
    for (const SpalteIntern& c : spalten)
        if (!c.fest) {
            offsets[c.varNr] = int(r.size());
            if (vorhanden[c.nr]) r += felder[c.nr];
        }
    offsets[varAnzahl] = int(r.size()); // end of the data
    const int maske = (n + 7) / 8;
    QByteArray nullen(maske, '\0');
    for (const SpalteIntern& c : spalten)
        if (vorhanden[c.nr]) nullen[c.nr / 8] = char(quint8(nullen[c.nr / 8]) | (1 << (c.nr % 8)));

    if (m_f.jet4) {
        // end of data, offsets last to first, count, null mask
        for (int i = varAnzahl; i >= 0; --i)
            add16(r, quint32(offsets[i]));
        add16(r, quint32(varAnzahl));
        r += nullen;
        return r;
    }
    // Jet 3 keeps the low byte of each offset; a jump table says from which
    // column on another 256 is to be added. It counts toward the row's
    // length, which may need one more (unused) entry.
    const int ende = offsets[varAnzahl];
    const int spruenge = ende / 256;
    int eintraege = spruenge;
    auto laenge = [&](int j) { return ende + 1 + varAnzahl + j + 1 + maske; };
    if ((laenge(eintraege) - 1) / 256 > eintraege) ++eintraege;
    for (int i = varAnzahl; i >= 0; --i)
        r.append(char(offsets[i] & 0xff));
    QList<char> tabelle;
    for (int j = 0; j < spruenge; ++j) {
        int spalte = 0;
        while (spalte <= varAnzahl && offsets[spalte] < 256 * (j + 1))
            ++spalte;
        tabelle << char(spalte);
    }
    while (tabelle.size() < eintraege)
        tabelle << char(varAnzahl);
    for (int j = eintraege - 1; j >= 0; --j)
        r.append(tabelle[j]);
    r.append(char(varAnzahl));
    r += nullen;
    return r;
}

std::optional<QByteArray> Schreiber::memoBauen(const QString& text) {
    const QByteArray daten = textBytes(m_f, text, m_o.komprimiert);
    QByteArray kopf(12, '\0');
    if (daten.size() <= m_o.memoImSatzBis) {
        put32(kopf, 0, quint32(daten.size()) | 0x80000000u);
        return kopf + daten;
    }
    const int stueck = m_d.groessteZeile() - 4;
    auto platz = [&](int laenge) {
        if (m_lvalSeite < 0 || !m_d.passt(m_lvalSeite, laenge))
            m_lvalSeite = m_d.zeilenSeite(0, true);
        return m_lvalSeite;
    };
    if (daten.size() <= stueck) {
        const int s = platz(int(daten.size()));
        const int z = m_d.zeileAnhaengen(s, daten, 0);
        put32(kopf, 0, quint32(daten.size()) | 0x40000000u);
        put32(kopf, 4, quint32(s) << 8 | quint32(z));
        return kopf;
    }
    // A chain of rows, each starting with the pointer to the next; written
    // from the last piece backwards so every pointer is known.
    QList<QByteArray> teile;
    for (int at = 0; at < daten.size(); at += stueck)
        teile << daten.mid(at, stueck);
    quint32 naechste = 0;
    for (qsizetype i = teile.size() - 1; i >= 0; --i) {
        QByteArray zeile(4, '\0');
        put32(zeile, 0, naechste);
        zeile += teile[i];
        const int s = platz(int(zeile.size()));
        const int z = m_d.zeileAnhaengen(s, zeile, 0);
        naechste = quint32(s) << 8 | quint32(z);
    }
    put32(kopf, 0, quint32(daten.size()));
    put32(kopf, 4, naechste);
    return kopf;
}

std::optional<QByteArray> Schreiber::zeileBauen(TabelleIntern& t, const QVariantList& werte) {
    QList<QByteArray> felder;
    QList<bool> vorhanden;
    for (const SpalteIntern& c : t.spalten) {
        const QVariant v = c.nr < werte.size() ? werte[c.nr] : QVariant();
        if (!v.isValid() || v.isNull()) {
            felder << QByteArray();
            vorhanden << false;
            continue;
        }
        QByteArray b(c.groesse, '\0');
        switch (c.s.typ) {
        case Typ::Byte:
            put8(b, 0, quint8(v.toInt()));
            break;
        case Typ::Int:
            put16(b, 0, quint16(qint16(v.toInt())));
            break;
        case Typ::Long:
            put32(b, 0, quint32(qint32(v.toLongLong())));
            break;
        case Typ::Waehrung:
            put64(b, 0, quint64(v.toLongLong()));
            break;
        case Typ::Single: {
            const float f = v.toFloat();
            quint32 bits;
            std::memcpy(&bits, &f, 4);
            put32(b, 0, bits);
            break;
        }
        case Typ::Double:
            putDouble(b, 0, v.toDouble());
            break;
        case Typ::Datum:
            putDouble(b, 0, alsJetDatum(v));
            break;
        case Typ::Text: {
            const QString s = v.toString();
            if (s.size() > c.s.laenge) {
                fehlt(QStringLiteral("Text zu lang für %1.%2").arg(t.t->name, c.s.name));
                return std::nullopt;
            }
            b = textBytes(m_f, s, m_o.komprimiert);
            break;
        }
        case Typ::Ole: // the catalog's property column, always NULL here
            b.clear();
            break;
        case Typ::Memo: {
            auto m = memoBauen(v.toString());
            if (!m) return std::nullopt;
            b = *m;
            break;
        }
        }
        felder << b;
        vorhanden << true;
    }
    return satz(t.spalten, t.varAnzahl, felder, vorhanden);
}

bool Schreiber::tabelleFuellen(TabelleIntern& t) {
    int seite = -1;
    // Rows moved by an update live on a page of their own behind the others.
    QList<QByteArray> ausgelagert;
    QList<QPair<int, int>> verweisStellen; // page, offset of the 4-byte pointer
    for (const Zeile& z : t.t->zeilen) {
        auto daten = zeileBauen(t, z.werte);
        if (!daten) return false;
        if (daten->size() > m_d.groessteZeile())
            return fehlt(QStringLiteral("Zeile zu lang in %1").arg(t.t->name));
        QByteArray inhalt = *daten;
        quint16 flags = 0;
        if (z.art == Zeile::Art::Geloescht) flags = SlotGeloescht;
        if (z.art == Zeile::Art::Ausgelagert) {
            ausgelagert << inhalt;
            inhalt = QByteArray(4, '\0');
            flags = SlotVerweis;
        }
        if (seite < 0 || !m_d.passt(seite, int(inhalt.size()))) {
            seite = m_d.zeilenSeite(quint32(t.tdef), false);
            t.datenSeiten << seite;
        }
        const int nr = m_d.zeileAnhaengen(seite, inhalt, flags);
        if (z.art == Zeile::Art::Ausgelagert) {
            verweisStellen << qMakePair(seite, get16(m_d.seite(seite), m_f.seitenKopf() + 2 * nr) &
                                                   0x1fff);
        }
        if (z.art != Zeile::Art::Geloescht) ++t.lebend;
    }
    if (t.t->zeilen.isEmpty()) {
        // An empty table still owns one page.
        t.datenSeiten << m_d.zeilenSeite(quint32(t.tdef), false);
    }
    int ziel = -1;
    for (int i = 0; i < ausgelagert.size(); ++i) {
        if (ziel < 0 || !m_d.passt(ziel, int(ausgelagert[i].size()))) {
            ziel = m_d.zeilenSeite(quint32(t.tdef), false);
            t.datenSeiten << ziel;
        }
        // Marked deleted, so that a scan finds the row only through its pointer.
        const int nr = m_d.zeileAnhaengen(ziel, ausgelagert[i], SlotGeloescht);
        QByteArray& p = m_d.seite(verweisStellen[i].first);
        put8(p, verweisStellen[i].second, quint8(nr));
        put8(p, verweisStellen[i].second + 1, quint8(ziel & 0xff));
        put8(p, verweisStellen[i].second + 2, quint8((ziel >> 8) & 0xff));
        put8(p, verweisStellen[i].second + 3, quint8((ziel >> 16) & 0xff));
    }
    return true;
}

QByteArray Schreiber::karteBauen(const QList<int>& seiten) {
    const int erste = *std::min_element(seiten.begin(), seiten.end());
    const int letzte = *std::max_element(seiten.begin(), seiten.end());
    if (letzte - erste < m_o.inlineKarteBis) {
        // Type 0: first page, then one bit per page from it.
        QByteArray k(5 + (letzte - erste) / 8 + 1, '\0');
        put8(k, 0, 0);
        put32(k, 1, quint32(erste));
        for (int s : seiten)
            k[5 + (s - erste) / 8] =
                char(quint8(k[5 + (s - erste) / 8]) | (1 << ((s - erste) % 8)));
        return k;
    }
    // Type 1: pointers to bitmap pages, each covering a fixed range of pages.
    const int bits = (m_f.seite - 4) * 8;
    const int anzahl = letzte / bits + 1;
    QByteArray k(1 + 4 * anzahl, '\0');
    put8(k, 0, 1);
    for (int i = 0; i < anzahl; ++i) {
        QList<int> hier;
        for (int s : seiten)
            if (s / bits == i) hier << s;
        if (hier.isEmpty()) continue;
        const int nr = m_d.neueSeite();
        QByteArray& p = m_d.seite(nr);
        put8(p, 0, SeiteKarte);
        put8(p, 1, 0x01);
        for (int s : hier) {
            const int bit = s % bits;
            p[4 + bit / 8] = char(quint8(p[4 + bit / 8]) | (1 << (bit % 8)));
        }
        put32(k, 1 + 4 * i, quint32(nr));
    }
    return k;
}

QByteArray Schreiber::tdefBauen(const TabelleIntern& t, int kartenZeile) const {
    QByteArray p(m_f.seite, '\0');
    put8(p, 0, SeiteTdef);
    put8(p, 1, 0x01);
    if (!m_f.jet4) {
        p[2] = 'V';
        p[3] = 'C';
    }
    const int n = int(t.spalten.size());
    const bool system = t.tdef == 2;
    const int zeilen = m_f.jet4 ? 16 : 12;
    put32(p, zeilen, quint32(t.lebend));
    const int art = m_f.jet4 ? 40 : 20;
    put8(p, art, system ? 0x53 : 0x4e);
    put16(p, art + 1, quint32(n));           // max columns
    put16(p, art + 3, quint32(t.varAnzahl)); // variable columns
    put16(p, art + 5, quint32(n));
    put32(p, art + 7, 0);  // logical indexes
    put32(p, art + 11, 0); // index entries
    // usage map and free-space map: rows on page 1
    put32(p, art + 15, 1u << 8 | quint32(kartenZeile));
    put32(p, art + 19, 1u << 8 | quint32(kartenZeile + 1));
    int at = m_f.tdefSpalten;
    for (const SpalteIntern& c : t.spalten) {
        QByteArray e(m_f.spaltenEintrag, '\0');
        put8(e, 0, quint8(c.s.typ));
        const bool text = c.s.typ == Typ::Text || c.s.typ == Typ::Memo;
        const bool zahl =
            c.s.typ == Typ::Waehrung || c.s.typ == Typ::Double || c.s.typ == Typ::Single;
        if (m_f.jet4) {
            put16(e, 5, quint32(c.nr));
            put16(e, 7, quint32(c.varNr));
            put16(e, 9, quint32(c.nr));
            if (text) put16(e, 11, 0x0409); // sort order
            if (zahl) {
                put8(e, 11, c.s.typ == Typ::Waehrung ? 4 : 0);
                put8(e, 12, c.s.typ == Typ::Waehrung ? 19 : 0);
            }
            put8(e, 15, c.fest ? 0x03 : 0x02);
            put8(e, 16, text && m_o.komprimiert ? 0x01 : 0x00);
            put16(e, 21, quint32(c.festOffset));
            put16(e, 23, quint32(c.groesse));
        } else {
            put16(e, 1, quint32(c.nr));
            put16(e, 3, quint32(c.varNr));
            put16(e, 5, quint32(c.nr));
            if (text) {
                put16(e, 7, 0x0409);
                put16(e, 9, 0x04e4); // code page 1252
            }
            if (zahl) {
                put8(e, 9, c.s.typ == Typ::Waehrung ? 4 : 0);
                put8(e, 10, c.s.typ == Typ::Waehrung ? 19 : 0);
            }
            put8(e, 13, c.fest ? 0x03 : 0x02);
            put16(e, 14, quint32(c.festOffset));
            put16(e, 16, quint32(c.groesse));
        }
        std::memcpy(p.data() + at, e.constData(), size_t(e.size()));
        at += int(e.size());
    }
    for (const SpalteIntern& c : t.spalten) {
        const QByteArray name = spaltenName(m_f, c.s.name);
        std::memcpy(p.data() + at, name.constData(), size_t(name.size()));
        at += int(name.size());
    }
    put32(p, 8, quint32(at - 8)); // length of the definition
    if (m_f.jet4) put16(p, 2, quint32(m_f.seite - at));
    return p;
}

void Schreiber::kopfSchreiben() {
    QByteArray& p = m_d.seite(0);
    put8(p, 1, 0x01);
    std::memcpy(p.data() + 4, "Standard Jet DB", 16);
    put32(p, 0x14, m_f.jet4 ? 1 : 0);
    // The part from 0x18 is RC4-scrambled with a fixed key; the reader
    // unscrambles it and finds code page, encryption key (0: pages are plain)
    // and the database password, which no reader needs.
    put16(p, m_f.jet4 ? 0x6e : 0x3a, 0x0407); // German
    put16(p, 0x3c, 1252);
    put32(p, 0x3e, 0);
    const QByteArray kennwort =
        m_f.jet4 ? ucs2(m_o.passwort.left(20)) : cp1252(m_o.passwort.left(20));
    std::memcpy(p.data() + 0x42, kennwort.constData(), size_t(kennwort.size()));
    if (m_f.jet4) putDouble(p, 0x72, 45000.5); // created
    const quint8 schluessel[4] = {0xc7, 0xda, 0x39, 0x6b};
    rc4(p, 0x18, m_f.kopfVerschluesselt, schluessel, 4);
}

Spalte sp(const char* name, Typ t, int laenge = 50) {
    return Spalte{QString::fromUtf8(name), t, laenge};
}

QByteArray Schreiber::schreiben(const QList<Tabelle>& tabellen, QString* fehler) {
    m_d.neueSeite();                              // 0: header
    const int karten = m_d.zeilenSeite(0, false); // 1: usage maps
    Q_ASSERT(karten == 1);

    // The catalog is a table like the others, its definition on page 2.
    Tabelle katalog{QStringLiteral("MSysObjects"),
                    {sp("Id", Typ::Long), sp("ParentId", Typ::Long), sp("Name", Typ::Text, 255),
                     sp("Type", Typ::Int), sp("Flags", Typ::Long), sp("LvProp", Typ::Ole)},
                    {}};
    QList<TabelleIntern> alle(tabellen.size() + 1);
    alle[0].t = &katalog;
    alle[0].tdef = m_d.neueSeite();
    Q_ASSERT(alle[0].tdef == 2);
    const int katalogDaten = m_d.zeilenSeite(2, false);
    alle[0].datenSeiten << katalogDaten;

    for (int i = 0; i < tabellen.size(); ++i) {
        TabelleIntern& t = alle[i + 1];
        t.t = &tabellen[i];
        t.spalten = spaltenAnlegen(m_f, t.t->spalten, &t.varAnzahl);
        t.tdef = m_d.neueSeite();
        m_lvalSeite = -1;
        if (!tabelleFuellen(t)) {
            if (fehler) *fehler = m_fehler;
            return {};
        }
    }

    // Catalog rows: the catalog itself (a system table) and each table.
    alle[0].spalten = spaltenAnlegen(m_f, katalog.spalten, &alle[0].varAnzahl);
    for (int i = 0; i < alle.size(); ++i) {
        const bool system = i == 0;
        const QVariantList werte{alle[i].tdef, 0x0F000001, alle[i].t->name, 1,
                                 system ? qint64(0x80000002u) : qint64(0)};
        auto z = zeileBauen(alle[0], werte);
        if (!z || !m_d.passt(katalogDaten, int(z->size()))) {
            if (fehler) *fehler = QStringLiteral("Katalog zu groß");
            return {};
        }
        m_d.zeileAnhaengen(katalogDaten, *z, 0);
        ++alle[0].lebend;
    }

    for (int i = 0; i < alle.size(); ++i) {
        const QByteArray karte = karteBauen(alle[i].datenSeiten);
        const QByteArray frei = QByteArray(5, '\0');
        if (!m_d.passt(karten, int(karte.size() + frei.size()) + 2)) {
            if (fehler) *fehler = QStringLiteral("Seitenkarten passen nicht auf eine Seite");
            return {};
        }
        const int zeile = m_d.zeileAnhaengen(karten, karte, 0);
        m_d.zeileAnhaengen(karten, frei, 0);
        m_d.seite(alle[i].tdef) = tdefBauen(alle[i], zeile);
    }
    kopfSchreiben();
    return m_d.zusammen();
}

} // namespace

QByteArray schreiben(const QList<Tabelle>& tabellen, const Optionen& optionen, QString* fehler) {
    Schreiber s(optionen.version == Version::Jet4 ? Jet4Format : Jet3Format, optionen);
    return s.schreiben(tabellen, fehler);
}

bool schreibenNach(const QString& pfad, const QList<Tabelle>& tabellen, const Optionen& optionen,
                   QString* fehler) {
    const QByteArray bytes = schreiben(tabellen, optionen, fehler);
    if (bytes.isEmpty()) return false;
    QFile f(pfad);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
        if (fehler) *fehler = f.errorString();
        return false;
    }
    return true;
}

QList<Tabelle> siebenTabellen() {
    return {
        {QStringLiteral("Aktiendaten"),
         {sp("aktie", Typ::Text, 50), sp("stück", Typ::Int), sp("kaufpreis", Typ::Waehrung),
          sp("gebühren", Typ::Waehrung), sp("datum", Typ::Datum), sp("tageskurs", Typ::Waehrung),
          sp("WP-KNummer", Typ::Text, 12), sp("altkurs", Typ::Waehrung),
          sp("kaufdatum", Typ::Datum), sp("kursziel", Typ::Double), sp("stopkurs", Typ::Double),
          sp("dividende", Typ::Waehrung), sp("notizen", Typ::Memo)},
         {}},
        {QStringLiteral("kurse"),
         {sp("aktie", Typ::Text, 50), sp("datum", Typ::Datum), sp("kurs", Typ::Waehrung)},
         {}},
        {QStringLiteral("Indexkurse"),
         {sp("indexname", Typ::Text, 50), sp("indexzahl", Typ::Double), sp("datum", Typ::Datum)},
         {}},
        {QStringLiteral("Gewinne"),
         {sp("datum", Typ::Datum), sp("text", Typ::Text, 255), sp("summe", Typ::Waehrung)},
         {}},
        {QStringLiteral("Beobachten"),
         {sp("Kaufdatum", Typ::Datum), sp("Wertpapier", Typ::Text, 50), sp("WPKN", Typ::Text, 12),
          sp("Stueck", Typ::Int), sp("Kaufkurs", Typ::Waehrung), sp("Kurs", Typ::Waehrung)},
         {}},
        {QStringLiteral("KurseVirtuell"),
         {sp("datum", Typ::Datum), sp("aktie", Typ::Text, 50), sp("kurs", Typ::Text, 20)},
         {}},
        {QStringLiteral("kennwort"),
         {sp("passwort", Typ::Text, 8), sp("vermanzeige", Typ::Int), sp("dmanzeige", Typ::Int),
          sp("kompridatum", Typ::Datum), sp("spekufrist", Typ::Int), sp("datum", Typ::Datum),
          sp("altallwert", Typ::Waehrung)},
         {}},
    };
}

} // namespace Jet
