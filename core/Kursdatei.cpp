#include "core/Kursdatei.h"

#include "core/Eingabe.h"
#include "core/Numbers.h"

#include <QHash>
#include <QStringDecoder>
#include <array>
#include <optional>
#include <vector>

namespace Kursdatei {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80–0x9F; the five unused
// positions stay the C1 characters, as Windows' own table maps them.
constexpr std::array<char16_t, 32> Cp1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString ausCp1252(QByteArrayView b) {
    QString s(b.size(), Qt::Uninitialized);
    QChar* z = s.data();
    for (qsizetype i = 0; i < b.size(); ++i) {
        const auto c = static_cast<unsigned char>(b[i]);
        z[i] = (c >= 0x80 && c < 0xA0) ? QChar(Cp1252[c - 0x80]) : QChar(c);
    }
    return s;
}

bool steuerzeichen(char16_t c) {
    return (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r' && c != u'\f' && c != 0x1A) ||
           c == 0x7F;
}

/// Keeps letters and digits of a caption, lower case, up to a "(" or "[":
/// "Schluss (EUR)" -> "schluss", "WP-KN" -> "wpkn", "Adj. Close**" -> "adjclose".
QString kennung(const QString& feld) {
    QString k;
    for (const QChar c : feld) {
        if (c == QLatin1Char('(') || c == QLatin1Char('[')) break;
        if (c.isLetterOrNumber()) k += c.toLower();
    }
    return k;
}

bool eines(const QString& k, std::initializer_list<const char*> namen) {
    for (const char* n : namen)
        if (k == QLatin1String(n)) return true;
    return false;
}

bool istDatumsname(const QString& k) {
    return eines(k, {"datum", "date", "handelstag"});
}
bool istSchluss(const QString& k) {
    return eines(k, {"schluss", "schlusskurs", "kurs", "letzter", "letzterkurs", "close"});
}
bool istBereinigt(const QString& k) {
    return eines(k, {"adjclose", "adjustedclose", "schlussbereinigt", "bereinigterschlusskurs",
                     "bereinigt"});
}
bool istName(const QString& k) {
    return eines(k, {"name", "wertpapier", "bezeichnung", "aktie"});
}
bool istNummer(const QString& k) {
    return eines(k, {"wkn", "wpkn", "isin", "symbol"});
}

bool leer(const Satz& s) {
    for (const QString& f : s.felder)
        if (!f.trimmed().isEmpty()) return false;
    return true;
}

// ---- dates ---------------------------------------------------------------

enum class Familie { Keine, Punkte, Iso, Schraeg };

struct Teile {
    Familie familie = Familie::Keine;
    int a = 0, b = 0, c = 0; ///< the three numbers in the order written
    int stellenC = 0;        ///< digits of the last one (the year, except in Iso)
};

/// Splits "12.03.2024", "2024-03-12" or "03/12/24"; a time after a blank
/// or "T" is passed over.
Teile teile(QStringView s) {
    Teile t;
    s = s.trimmed();
    qsizetype ende = s.size();
    for (qsizetype i = 0; i < s.size(); ++i)
        if (s[i] == QLatin1Char(' ') || (s[i] == QLatin1Char('T') && i == 10)) {
            ende = i;
            break;
        }
    s = s.first(ende);
    int zahl[3] = {0, 0, 0};
    int stellen[3] = {0, 0, 0};
    QChar zeichen;
    int n = 0;
    for (const QChar c : s) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            if (++stellen[n] > 4) return t;
            zahl[n] = zahl[n] * 10 + (c.unicode() - '0');
        } else if (c == QLatin1Char('.') || c == QLatin1Char('-') || c == QLatin1Char('/')) {
            if (n == 2 || stellen[n] == 0 || (n == 1 && c != zeichen)) return t;
            zeichen = c;
            ++n;
        } else {
            return t;
        }
    }
    if (n != 2 || stellen[2] == 0) return t;
    const bool kurzA = stellen[0] <= 2 && stellen[1] <= 2;
    const bool jahr = stellen[2] == 2 || stellen[2] == 4;
    if (zeichen == QLatin1Char('.') && kurzA && jahr)
        t.familie = Familie::Punkte;
    else if (zeichen == QLatin1Char('/') && kurzA && jahr)
        t.familie = Familie::Schraeg;
    else if (zeichen == QLatin1Char('-') && stellen[0] == 4 && stellen[1] <= 2 && stellen[2] <= 2)
        t.familie = Familie::Iso;
    t.a = zahl[0];
    t.b = zahl[1];
    t.c = zahl[2];
    t.stellenC = stellen[2];
    return t;
}

int jahr(int wert, int stellen) {
    // Two digits: 00–69 are this century, 70–99 the last.
    if (stellen == 2) return wert < 70 ? 2000 + wert : 1900 + wert;
    return wert;
}

// ---- columns -----------------------------------------------------------

struct Datumswahl {
    Datumsform form = Datumsform::Keine;
    bool zweistellig = false;
};

Datumswahl datumsformFuer(const QList<Satz>& saetze, int spalte, Dezimal dezimal) {
    int punkte = 0, iso = 0, schraeg = 0, kurz = 0, tagVorn = 0, tagHinten = 0;
    for (const Satz& s : saetze) {
        if (spalte >= s.felder.size()) continue;
        const Teile t = teile(s.felder[spalte]);
        switch (t.familie) {
        case Familie::Punkte:
            ++punkte;
            break;
        case Familie::Iso:
            ++iso;
            break;
        case Familie::Schraeg:
            ++schraeg;
            if (t.a > 12) ++tagVorn;
            if (t.b > 12) ++tagHinten;
            break;
        case Familie::Keine:
            continue;
        }
        if (t.familie != Familie::Iso && t.stellenC == 2) ++kurz;
    }
    Datumswahl w;
    const int meiste = std::max({punkte, iso, schraeg});
    if (meiste == 0) return w;
    if (punkte == meiste) {
        w.form = Datumsform::Punkte;
        w.zweistellig = 2 * kurz > punkte;
    } else if (iso == meiste) {
        w.form = Datumsform::Iso;
    } else {
        // A day above 12 settles the order; without one, a file with a
        // decimal comma is taken to write the day first.
        if (tagVorn != tagHinten)
            w.form = tagVorn > tagHinten ? Datumsform::TagMonatJahr : Datumsform::MonatTagJahr;
        else
            w.form = dezimal == Dezimal::Komma ? Datumsform::TagMonatJahr
                                               : Datumsform::MonatTagJahr;
        w.zweistellig = 2 * kurz > schraeg;
    }
    return w;
}

/// The notation of a column: the one that reads more of its values; where
/// both read as many, the hint (a "," separator leaves the point).
Dezimal dezimalFuer(const QList<Satz>& saetze, int spalte, Dezimal hinweis, qsizetype hoechstens,
                    int* gelesen = nullptr, bool* ganz = nullptr) {
    int komma = 0, punkt = 0;
    bool kommaGanz = true, punktGanz = true;
    qsizetype n = 0;
    for (const Satz& s : saetze) {
        if (n++ >= hoechstens) break;
        if (spalte >= s.felder.size()) continue;
        const QString& f = s.felder[spalte];
        if (const auto k = betrag(f, Dezimal::Komma); k && !k->isNegative() && !k->isZero()) {
            ++komma;
            kommaGanz = kommaGanz && k->raw() % Currency::Scale == 0;
        }
        if (const auto p = betrag(f, Dezimal::Punkt); p && !p->isNegative() && !p->isZero()) {
            ++punkt;
            punktGanz = punktGanz && p->raw() % Currency::Scale == 0;
        }
    }
    const Dezimal d = komma > punkt ? Dezimal::Komma : punkt > komma ? Dezimal::Punkt : hinweis;
    if (gelesen) *gelesen = d == Dezimal::Komma ? komma : punkt;
    if (ganz) *ganz = d == Dezimal::Komma ? kommaGanz : punktGanz;
    return d;
}

Dezimal hinweisFuer(QChar trenner) {
    return trenner == QLatin1Char(',') ? Dezimal::Punkt : Dezimal::Komma;
}

QChar trennerErkennen(const QString& text) {
    // A sample is enough: the first lines show the shape of the rest.
    QString probe = text.left(qsizetype{64} * 1024);
    const qsizetype umbruch = probe.lastIndexOf(QLatin1Char('\n'));
    if (probe.size() < text.size() && umbruch > 0) probe.truncate(umbruch);
    const std::array<QChar, 3> kandidaten = {QLatin1Char(';'), QLatin1Char('\t'),
                                             QLatin1Char(',')};
    QChar best = kandidaten[0];
    int bestZahl = -1;
    for (const QChar k : kandidaten) {
        QHash<int, int> breiten;
        for (const Satz& s : saetze(probe, k))
            if (s.felder.size() >= 2) ++breiten[int(s.felder.size())];
        int meiste = 0;
        for (auto it = breiten.cbegin(); it != breiten.cend(); ++it)
            meiste = std::max(meiste, it.value());
        if (meiste > bestZahl) { // on a tie the earlier candidate stays
            best = k;
            bestZahl = meiste;
        }
    }
    return best;
}

} // namespace

QString fehlerText(Fehler f) {
    switch (f) {
    case Fehler::Keiner:
        return {};
    case Fehler::Leer:
        return QStringLiteral("Die Datei enthält keine Daten.");
    case Fehler::Binaer:
        return QStringLiteral("Die Datei ist keine Textdatei mit Kursen (CSV).");
    case Fehler::ZuGross:
        return QStringLiteral("Die Datei ist zu groß!\nKurse werden aus Dateien bis 50 MB übernommen.");
    case Fehler::KeinDatum:
        return QStringLiteral("In der Datei wurde keine Spalte mit Datumsangaben gefunden.");
    case Fehler::KeinKurs:
        return QStringLiteral("In der Datei wurde keine Spalte mit Kursen gefunden.");
    case Fehler::NichtsLesbar:
        return QStringLiteral("Keine Zeile der Datei enthält ein lesbares Datum mit einem gültigen Kurs.");
    }
    return {};
}

bool dekodieren(const QByteArray& daten, QString* text, Kodierung* kodierung) {
    const QByteArrayView b(daten);
    if (b.startsWith("\xEF\xBB\xBF")) {
        *kodierung = Kodierung::Utf8Bom;
        *text = QString::fromUtf8(b.sliced(3));
    } else if (b.startsWith("\xFF\xFE") || b.startsWith("\xFE\xFF")) {
        *kodierung = Kodierung::Utf16;
        QStringDecoder d(b.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE
                                                  : QStringConverter::Utf16BE);
        *text = d(b.sliced(2));
        if (d.hasError()) return false;
    } else {
        if (b.contains('\0')) return false;
        QStringDecoder d(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        *text = d(b);
        *kodierung = Kodierung::Utf8;
        if (d.hasError()) {
            *kodierung = Kodierung::Windows1252;
            *text = ausCp1252(b);
        }
    }
    // A text file holds few control characters; a picture or a program many.
    qsizetype steuer = 0;
    const qsizetype probe = std::min<qsizetype>(text->size(), qsizetype{64} * 1024);
    for (qsizetype i = 0; i < probe; ++i)
        if (steuerzeichen(text->at(i).unicode())) ++steuer;
    return steuer * 100 <= probe && !text->contains(QChar(0));
}

QList<Satz> saetze(const QString& text, QChar trenner) {
    QList<Satz> ergebnis;
    Satz satz;
    QString feld;
    bool inAnfuehrung = false;
    bool feldBegonnen = false; ///< a character of the field has been read
    int zeile = 1;
    satz.zeile = 1;
    const qsizetype n = text.size();
    const QChar* c = text.constData();
    // A field is kept in a copy of its own size: the one grown character by
    // character has room to spare, and a file holds hundreds of thousands.
    const auto feldEnde = [&] {
        satz.felder.append(QString(feld.constData(), feld.size()));
        feld.resize(0);
    };
    const auto satzEnde = [&] {
        feldEnde();
        feldBegonnen = false;
        ergebnis.append(std::move(satz));
        satz = Satz();
        satz.zeile = zeile;
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar z = c[i];
        if (inAnfuehrung) {
            if (z == QLatin1Char('"')) {
                if (i + 1 < n && c[i + 1] == QLatin1Char('"')) {
                    feld += z;
                    ++i;
                } else {
                    inAnfuehrung = false;
                }
            } else {
                if (z == QLatin1Char('\n') ||
                    (z == QLatin1Char('\r') && !(i + 1 < n && c[i + 1] == QLatin1Char('\n'))))
                    ++zeile;
                feld += z;
            }
            continue;
        }
        if (z == trenner) {
            feldEnde();
            feldBegonnen = false;
        } else if (z == QLatin1Char('\r') || z == QLatin1Char('\n')) {
            if (z == QLatin1Char('\r') && i + 1 < n && c[i + 1] == QLatin1Char('\n')) ++i;
            ++zeile;
            satzEnde();
        } else if (z == QLatin1Char('"') && !feldBegonnen) {
            inAnfuehrung = true;
            feldBegonnen = true;
        } else {
            feld += z;
            feldBegonnen = true;
        }
    }
    // The last line without its line break; an empty last line is none.
    if (!feld.isEmpty() || feldBegonnen || !satz.felder.isEmpty()) satzEnde();
    return ergebnis;
}

std::optional<Currency> betrag(QStringView text, Dezimal dezimal) {
    QStringView s = text.trimmed();
    if (s.endsWith(QChar(0x20AC))) s.chop(1);
    else if (s.endsWith(QLatin1String("EUR"), Qt::CaseInsensitive))
        s.chop(3);
    s = s.trimmed();
    if (s.isEmpty()) return std::nullopt;
    QString t = s.toString();
    if (dezimal == Dezimal::Punkt) {
        // "1,234.56" in the German form "1.234,56", which the number reader takes.
        for (QChar& c : t) {
            if (c == QLatin1Char('.')) c = QLatin1Char(',');
            else if (c == QLatin1Char(','))
                c = QLatin1Char('.');
        }
    }
    const Numbers::AmountReading r = Numbers::readAmount(t, 4, Numbers::Mode::Stored);
    if (r.reading != Numbers::Reading::Number) return std::nullopt;
    return r.value;
}

QDate datum(QStringView text, Datumsform form) {
    const Teile t = teile(text);
    switch (form) {
    case Datumsform::Punkte:
        return t.familie == Familie::Punkte ? QDate(jahr(t.c, t.stellenC), t.b, t.a) : QDate();
    case Datumsform::Iso:
        return t.familie == Familie::Iso ? QDate(t.a, t.b, t.c) : QDate();
    case Datumsform::MonatTagJahr:
        return t.familie == Familie::Schraeg ? QDate(jahr(t.c, t.stellenC), t.a, t.b) : QDate();
    case Datumsform::TagMonatJahr:
        return t.familie == Familie::Schraeg ? QDate(jahr(t.c, t.stellenC), t.b, t.a) : QDate();
    case Datumsform::Keine:
        break;
    }
    return {};
}

Tabelle zerlegen(const QByteArray& daten) {
    Tabelle t;
    if (daten.size() > HoechsteGroesse) {
        t.fehler = Fehler::ZuGross;
        return t;
    }
    QString text;
    if (!dekodieren(daten, &text, &t.kodierung)) {
        t.fehler = Fehler::Binaer;
        return t;
    }
    if (text.trimmed().isEmpty()) {
        t.fehler = Fehler::Leer;
        return t;
    }
    // A first line "sep=;" names the separator (a spreadsheet's hint).
    int ueberspringen = 0;
    const qsizetype ersteEnde = text.indexOf(QLatin1Char('\n'));
    const QString erste = text.left(ersteEnde < 0 ? text.size() : ersteEnde).trimmed();
    if (erste.size() == 5 && erste.startsWith(QLatin1String("sep="), Qt::CaseInsensitive) &&
        QStringLiteral(";,\t|").contains(erste[4])) {
        t.trenner = erste[4];
        ueberspringen = 1;
    } else if (erste.compare(QLatin1String("sep=\\t"), Qt::CaseInsensitive) == 0 ||
               (erste.size() == 4 && erste.startsWith(QLatin1String("sep="), Qt::CaseInsensitive) &&
                text.mid(4, 1) == QLatin1String("\t"))) {
        t.trenner = QLatin1Char('\t');
        ueberspringen = 1;
    } else {
        t.trenner = trennerErkennen(text);
    }
    QList<Satz> alle = saetze(text, t.trenner);
    if (ueberspringen && !alle.isEmpty()) alle.removeFirst();
    alle.removeIf(leer);
    if (alle.isEmpty()) {
        t.fehler = Fehler::Leer;
        return t;
    }

    // The header: the first line among the first hundred with a date caption.
    qsizetype kopf = -1;
    for (qsizetype i = 0; i < std::min<qsizetype>(alle.size(), 100) && kopf < 0; ++i) {
        if (alle[i].felder.size() < 2) continue;
        for (const QString& f : alle[i].felder)
            if (istDatumsname(kennung(f))) {
                kopf = i;
                break;
            }
    }
    int breite = 0;
    for (const Satz& s : alle)
        breite = std::max(breite, int(s.felder.size()));
    if (kopf >= 0) {
        t.mitKopf = true;
        const QStringList& namen = alle[kopf].felder;
        int bereinigt = -1;
        for (int c = 0; c < namen.size(); ++c) {
            const QString k = kennung(namen[c]);
            if (t.vorschlag.datum < 0 && istDatumsname(k)) t.vorschlag.datum = c;
            else if (t.vorschlag.kurs < 0 && istSchluss(k))
                t.vorschlag.kurs = c;
            else if (bereinigt < 0 && istBereinigt(k))
                bereinigt = c;
            else if (t.vorschlag.name < 0 && istName(k))
                t.vorschlag.name = c;
            else if (t.vorschlag.nummer < 0 && istNummer(k))
                t.vorschlag.nummer = c;
        }
        // An adjusted close only where no plain close is there.
        if (t.vorschlag.kurs < 0) t.vorschlag.kurs = bereinigt;
        for (int c = 0; c < breite; ++c)
            t.spaltennamen << (c < namen.size() && !namen[c].trimmed().isEmpty()
                                   ? namen[c].trimmed()
                                   : QStringLiteral("Spalte %1").arg(c + 1));
        t.saetze = alle.mid(kopf + 1);
    } else {
        for (int c = 0; c < breite; ++c)
            t.spaltennamen << QStringLiteral("Spalte %1").arg(c + 1);
        t.saetze = std::move(alle);
    }

    // The columns are judged on the first lines; every value is read later.
    constexpr qsizetype Probe = 2000;
    const QList<Satz> probe = t.saetze.mid(0, Probe);
    if (t.vorschlag.datum < 0) {
        for (int c = 0; c < breite && t.vorschlag.datum < 0; ++c) {
            int daten = 0;
            for (const Satz& s : probe)
                if (c < s.felder.size() && teile(s.felder[c]).familie != Familie::Keine) ++daten;
            if (daten > 0 && 2 * qsizetype{daten} >= probe.size()) t.vorschlag.datum = c;
        }
    }
    int letzteMitStellen = -1;
    for (int c = 0; c < breite; ++c) {
        if (c == t.vorschlag.datum) continue;
        int gelesen = 0;
        bool ganz = true;
        dezimalFuer(probe, c, hinweisFuer(t.trenner), Probe, &gelesen, &ganz);
        if (gelesen == 0 || 2 * qsizetype{gelesen} < probe.size()) continue;
        t.kursspalten << c;
        if (!ganz) letzteMitStellen = c;
    }
    // Without a caption: the last column of prices that are not all whole
    // numbers (the volume after the close is).
    if (t.vorschlag.kurs < 0 && !t.kursspalten.isEmpty())
        t.vorschlag.kurs = letzteMitStellen >= 0 ? letzteMitStellen : t.kursspalten.last();
    return t;
}

Auswertung auswerten(const Tabelle& t, const Spalten& spalten) {
    Auswertung a;
    a.spalten = spalten;
    a.fehler = t.fehler;
    if (a.fehler != Fehler::Keiner) return a;
    if (t.saetze.isEmpty()) {
        a.fehler = Fehler::Leer;
        return a;
    }
    if (spalten.datum < 0) {
        a.fehler = Fehler::KeinDatum;
        return a;
    }
    if (spalten.kurs < 0) {
        a.fehler = Fehler::KeinKurs;
        return a;
    }
    a.dezimal = dezimalFuer(t.saetze, spalten.kurs, hinweisFuer(t.trenner), t.saetze.size());
    const Datumswahl w = datumsformFuer(t.saetze, spalten.datum, a.dezimal);
    a.datumsform = w.form;
    a.jahrZweistellig = w.zweistellig;
    if (w.form == Datumsform::Keine) {
        a.fehler = Fehler::KeinDatum;
        return a;
    }
    const qsizetype n = t.saetze.size();
    std::vector<QDate> tage(static_cast<size_t>(n));
    qsizetype erste = -1, letzte = -1;
    for (qsizetype i = 0; i < n; ++i) {
        const QStringList& f = t.saetze[i].felder;
        if (spalten.datum < f.size()) tage[size_t(i)] = datum(f[spalten.datum], w.form);
        if (tage[size_t(i)].isValid()) {
            if (erste < 0) erste = i;
            letzte = i;
        }
    }
    if (erste < 0) {
        a.fehler = Fehler::NichtsLesbar;
        return a;
    }
    a.zeilen.reserve(letzte - erste + 1);
    for (qsizetype i = erste; i <= letzte; ++i) {
        const Satz& s = t.saetze[i];
        const QDate& d = tage[size_t(i)];
        const auto k = spalten.kurs < s.felder.size()
                           ? betrag(s.felder[spalten.kurs], a.dezimal)
                           : std::nullopt;
        if (!d.isValid() || !k || k->isNegative() || k->isZero() || !Eingabe::imBereich(*k)) {
            a.unlesbar << s.zeile;
            continue;
        }
        Kurszeile z;
        z.zeile = s.zeile;
        z.datum = d;
        z.kurs = *k;
        if (spalten.name >= 0) z.name = s.felder.value(spalten.name).trimmed();
        if (spalten.nummer >= 0) z.nummer = s.felder.value(spalten.nummer).trimmed();
        a.zeilen.append(std::move(z));
    }
    if (a.zeilen.isEmpty()) a.fehler = Fehler::NichtsLesbar;
    return a;
}

QString kodierungText(Kodierung k) {
    switch (k) {
    case Kodierung::Utf8:
        return QStringLiteral("UTF-8");
    case Kodierung::Utf8Bom:
        return QStringLiteral("UTF-8 mit Byte-Order-Mark");
    case Kodierung::Utf16:
        return QStringLiteral("UTF-16");
    case Kodierung::Windows1252:
        return QStringLiteral("Windows-1252");
    }
    return {};
}

QString trennerText(QChar trenner) {
    if (trenner == QLatin1Char(';')) return QStringLiteral("Semikolon (;)");
    if (trenner == QLatin1Char(',')) return QStringLiteral("Komma (,)");
    if (trenner == QLatin1Char('\t')) return QStringLiteral("Tabulator");
    return QStringLiteral("\"%1\"").arg(trenner);
}

QString dezimalText(Dezimal d) {
    return d == Dezimal::Komma ? QStringLiteral("Komma (1.234,56)")
                               : QStringLiteral("Punkt (1,234.56)");
}

QString datumsformText(Datumsform f, bool jahrZweistellig) {
    const QString j = jahrZweistellig ? QStringLiteral("JJ") : QStringLiteral("JJJJ");
    switch (f) {
    case Datumsform::Punkte:
        return QStringLiteral("TT.MM.") + j;
    case Datumsform::Iso:
        return QStringLiteral("JJJJ-MM-TT");
    case Datumsform::MonatTagJahr:
        return QStringLiteral("MM/TT/") + j;
    case Datumsform::TagMonatJahr:
        return QStringLiteral("TT/MM/") + j;
    case Datumsform::Keine:
        break;
    }
    return QStringLiteral("keine");
}

} // namespace Kursdatei
