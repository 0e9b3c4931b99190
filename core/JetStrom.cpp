#include "core/JetStrom.h"

#include <charconv>
#include <cstring>

namespace {

QByteArrayView feldNr(QByteArrayView zeile, int nr) {
    qsizetype start = 0;
    for (int i = 0; i < nr; ++i) {
        const void* tab = std::memchr(zeile.data() + start, '\t', size_t(zeile.size() - start));
        if (!tab) return {};
        start = static_cast<const char*>(tab) - zeile.data() + 1;
    }
    const void* tab = std::memchr(zeile.data() + start, '\t', size_t(zeile.size() - start));
    const qsizetype ende = tab ? static_cast<const char*>(tab) - zeile.data() : zeile.size();
    return zeile.sliced(start, ende - start);
}

int feldAnzahl(QByteArrayView zeile) {
    int n = 1;
    for (char c : zeile)
        if (c == '\t') ++n;
    return n;
}

bool ganzzahl(QByteArrayView f, qint64* v) {
    if (f.isEmpty()) return false;
    const char* ende = f.data() + f.size();
    const auto r = std::from_chars(f.data(), ende, *v);
    return r.ec == std::errc() && r.ptr == ende;
}

bool gleitzahl(QByteArrayView f, double* v) {
    if (f.isEmpty()) return false;
    const char* ende = f.data() + f.size();
    const auto r = std::from_chars(f.data(), ende, *v);
    return r.ec == std::errc() && r.ptr == ende;
}

bool summe(QByteArrayView f, __int128* v) {
    const bool negativ = f.startsWith('-');
    if (negativ) f = f.sliced(1);
    if (f.isEmpty() || f.size() > 39) return false;
    unsigned __int128 betrag = 0;
    const unsigned __int128 grenze = (unsigned __int128)1 << 127;
    for (char c : f) {
        if (c < '0' || c > '9') return false;
        betrag = betrag * 10 + unsigned(c - '0');
        if (betrag > grenze) return false;
    }
    if (!negativ && betrag == grenze) return false;
    *v = negativ ? -(__int128)(betrag - 1) - 1 : (__int128)betrag;
    return true;
}

/// Undoes the helper's escapes; false on a stray backslash.
bool text(QByteArrayView f, QString* out) {
    if (!f.contains('\\')) {
        *out = QString::fromUtf8(f);
        return true;
    }
    QByteArray b;
    b.reserve(f.size());
    for (qsizetype i = 0; i < f.size(); ++i) {
        const char c = f[i];
        if (c != '\\') {
            b.append(c);
            continue;
        }
        if (++i >= f.size()) return false;
        switch (f[i]) {
        case '\\':
            b.append('\\');
            break;
        case 't':
            b.append('\t');
            break;
        case 'n':
            b.append('\n');
            break;
        case 'r':
            b.append('\r');
            break;
        default:
            return false;
        }
    }
    *out = QString::fromUtf8(b);
    return true;
}

} // namespace

JetStrom::JetStrom(JetStromEmpfaenger& empfaenger) : m_empfaenger(empfaenger) {}

void JetStrom::abbrechen(const QString& text) {
    if (m_zustand != Zustand::Liest) return;
    m_zustand = Zustand::Fehler;
    m_fehler = QStringLiteral("Zeile %1: %2").arg(m_zeilenNr).arg(text);
    m_rest.clear();
}

void JetStrom::futtern(QByteArrayView daten) {
    while (m_zustand == Zustand::Liest && !daten.isEmpty()) {
        const void* nl = std::memchr(daten.data(), '\n', size_t(daten.size()));
        if (!nl) {
            if (m_rest.size() + daten.size() > MaxZeile)
                return abbrechen(QStringLiteral("zu lang"));
            m_rest.append(daten.data(), daten.size());
            return;
        }
        const qsizetype laenge = static_cast<const char*>(nl) - daten.data();
        ++m_zeilenNr;
        if (m_rest.isEmpty()) {
            zeileVerarbeiten(daten.first(laenge));
        } else {
            if (m_rest.size() + laenge > MaxZeile) return abbrechen(QStringLiteral("zu lang"));
            m_rest.append(daten.data(), laenge);
            const QByteArray zeile = std::exchange(m_rest, QByteArray());
            zeileVerarbeiten(zeile);
        }
        daten = daten.sliced(laenge + 1);
    }
    if (m_zustand == Zustand::Fertig && !daten.isEmpty()) {
        m_zustand = Zustand::Liest;
        abbrechen(QStringLiteral("Daten nach dem Ende"));
    }
}

void JetStrom::schliessen() {
    if (m_zustand != Zustand::Liest) return;
    ++m_zeilenNr;
    abbrechen(QStringLiteral("abgebrochen"));
}

bool JetStrom::wertLesen(QByteArrayView feld, char typ, JetWert& wert) {
    if (feld == QByteArrayView("\\N")) {
        wert.art = JetWert::Art::Null;
        return true;
    }
    switch (typ) {
    case 'i':
    case 'c':
        wert.art = JetWert::Art::Zahl;
        return ganzzahl(feld, &wert.zahl);
    case 'f':
    case 'd':
        wert.art = JetWert::Art::Gleitkomma;
        return gleitzahl(feld, &wert.gleitkomma);
    case 't':
    case 'm':
        wert.art = JetWert::Art::Text;
        return text(feld, &wert.text);
    default:
        return false; // other types come only as NULL
    }
}

void JetStrom::tabelleMelden() {
    if (m_tabelleGemeldet) return;
    m_tabelleGemeldet = true;
    m_erwartet = Erwartet::Zeilen;
    m_werte.resize(m_spalten.size());
    if (!m_empfaenger.tabelle(m_tabelle, m_spalten, m_angegeben))
        abbrechen(QStringLiteral("Tabelle abgelehnt"));
}

void JetStrom::zeileVerarbeiten(QByteArrayView zeile) {
    const QByteArrayView tag = feldNr(zeile, 0);
    const int felder = feldAnzahl(zeile);
    auto falsch = [&] {
        abbrechen(QStringLiteral("unerwartet: ") +
                  QString::fromUtf8(tag.first(qMin<qsizetype>(20, tag.size()))));
    };

    if (tag == QByteArrayView("fehler")) {
        m_leserFehler.clear();
        for (int i = 1; i < felder; ++i) {
            QString t;
            text(feldNr(zeile, i), &t);
            m_leserFehler << t;
        }
        m_zustand = Zustand::LeserFehler;
        return;
    }
    switch (m_erwartet) {
    case Erwartet::Kopf:
        if (zeile != QByteArrayView("KJL 1")) return falsch();
        m_erwartet = Erwartet::Version;
        return;
    case Erwartet::Version:
        if (tag != QByteArrayView("jet") || felder != 2) return falsch();
        if (feldNr(zeile, 1) == QByteArrayView("3"))
            m_version = 3;
        else if (feldNr(zeile, 1) == QByteArrayView("4"))
            m_version = 4;
        else
            return falsch();
        m_erwartet = Erwartet::Umfang;
        return;
    case Erwartet::Umfang: {
        qint64 n = 0;
        if (tag != QByteArrayView("umfang") || felder != 2 || !ganzzahl(feldNr(zeile, 1), &n) ||
            n < 0)
            return falsch();
        m_erwartet = Erwartet::Tabelle;
        if (!m_empfaenger.umfang(n)) abbrechen(QStringLiteral("Umfang abgelehnt"));
        return;
    }
    case Erwartet::Tabelle: {
        if (tag == QByteArrayView("fertig") && felder == 1) {
            m_zustand = Zustand::Fertig;
            m_erwartet = Erwartet::Nichts;
            return;
        }
        QString name;
        if (tag == QByteArrayView("fehlt") && felder == 2 && text(feldNr(zeile, 1), &name)) {
            if (!m_empfaenger.fehlt(name)) abbrechen(QStringLiteral("fehlende Tabelle abgelehnt"));
            return;
        }
        qint64 n = 0;
        if (tag != QByteArrayView("tabelle") || felder != 3 || !text(feldNr(zeile, 1), &name) ||
            name.isEmpty() || !ganzzahl(feldNr(zeile, 2), &n) || n < 0)
            return falsch();
        m_tabelle = name;
        m_angegeben = n;
        m_spalten.clear();
        m_tabelleGemeldet = false;
        m_zeilenTabelle = 0;
        m_summe = 0;
        m_erwartet = Erwartet::Spalten;
        return;
    }
    case Erwartet::Spalten:
        if (tag == QByteArrayView("spalte")) {
            JetSpalte s;
            const QByteArrayView typ = feldNr(zeile, 2);
            if (felder != 3 || !text(feldNr(zeile, 1), &s.name) || typ.size() != 1 ||
                !QByteArrayView("icfdtmx").contains(typ[0]))
                return falsch();
            s.typ = typ[0];
            m_spalten << s;
            return;
        }
        if (m_spalten.isEmpty()) return falsch();
        tabelleMelden();
        if (m_zustand != Zustand::Liest) return;
        [[fallthrough]];
    case Erwartet::Zeilen:
        if (tag == QByteArrayView("z")) {
            if (felder != m_spalten.size() + 1) return falsch();
            qsizetype start = 2;
            for (int i = 0; i < m_spalten.size(); ++i) {
                const void* tab =
                    std::memchr(zeile.data() + start, '\t', size_t(zeile.size() - start));
                const qsizetype ende =
                    tab ? static_cast<const char*>(tab) - zeile.data() : zeile.size();
                JetWert& w = m_werte[i];
                if (!wertLesen(zeile.sliced(start, ende - start), m_spalten[i].typ, w))
                    return abbrechen(QStringLiteral("Wert in Spalte %1").arg(m_spalten[i].name));
                if (m_spalten[i].typ == 'c' && w.art == JetWert::Art::Zahl) m_summe += w.zahl;
                start = ende + 1;
            }
            ++m_zeilenTabelle;
            ++m_zeilenGesamt;
            if (!m_empfaenger.zeile(m_werte)) abbrechen(QStringLiteral("Zeile abgelehnt"));
            return;
        }
        if (tag == QByteArrayView("ende")) {
            qint64 n = 0;
            __int128 s = 0;
            if (felder != 3 || !ganzzahl(feldNr(zeile, 1), &n) || !summe(feldNr(zeile, 2), &s))
                return falsch();
            if (n != m_zeilenTabelle || s != m_summe)
                return abbrechen(QStringLiteral("Tabelle %1 unvollständig").arg(m_tabelle));
            m_erwartet = Erwartet::Tabelle;
            if (!m_empfaenger.tabellenEnde()) abbrechen(QStringLiteral("Tabellenende abgelehnt"));
            return;
        }
        return falsch();
    case Erwartet::Nichts:
        return falsch();
    }
}
