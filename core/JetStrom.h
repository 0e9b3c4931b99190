#pragma once
// Reads the row stream that the helper kapito_jetlesen writes while it reads
// an old Jet-format "aktien.mdb" (the format is described at the top of
// tools/jetlesen/main.cpp). Pure: bytes in, calls to a receiver out, no I/O.
// Any input — cut off, garbled, hostile — ends in an error, never in a crash
// or in rows that the helper did not send.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

/// One field value as the helper sent it.
struct JetWert {
    enum class Art : quint8 { Null, Zahl, Gleitkomma, Text };
    Art art = Art::Null;
    qint64 zahl = 0;       ///< whole numbers; currency as amount × 10000
    double gleitkomma = 0; ///< doubles; dates as days since 1899-12-30
    QString text;
};

/// A column of a Jet table: its name and the helper's type letter
/// (i whole number, c currency, f double, d date, t text, m memo, x other).
struct JetSpalte {
    QString name;
    char typ = 'x';
};

/// Receives what the stream holds. A false return stops reading (the stream
/// is then in Zustand::Fehler); the receiver keeps its own reason.
class JetStromEmpfaenger {
public:
    virtual ~JetStromEmpfaenger() = default;
    /// Rows of all tables together, as the file's table definitions state.
    virtual bool umfang(qint64 zeilen) = 0;
    /// A table begins; its rows follow. angegeben: its row count as the
    /// file's table definition states it.
    virtual bool tabelle(const QString& name, const QList<JetSpalte>& spalten,
                         qint64 angegeben) = 0;
    virtual bool zeile(const QList<JetWert>& werte) = 0;
    /// The table is complete; the count and the currency sum were checked.
    virtual bool tabellenEnde() = 0;
    /// A requested table is not in the file.
    virtual bool fehlt(const QString& name) = 0;
};

class JetStrom final {
public:
    enum class Zustand {
        Liest,
        Fertig,      ///< the helper's closing line arrived
        LeserFehler, ///< the helper reported a damaged file (leserFehler())
        Fehler,      ///< the stream itself is broken (fehler())
    };

    explicit JetStrom(JetStromEmpfaenger& empfaenger);

    /// Feeds the next bytes; they may end anywhere, even inside a line.
    void futtern(QByteArrayView daten);
    /// No more bytes will come: a stream without its closing line is broken.
    void schliessen();

    Zustand zustand() const { return m_zustand; }
    /// What is wrong with the stream (technical, for a log or a detail line).
    QString fehler() const { return m_fehler; }
    /// The helper's report: what ("datei", "katalog", "tabelle", "seite",
    /// "memo"), then table and page where it names them.
    QStringList leserFehler() const { return m_leserFehler; }
    /// The Jet version from the stream: 3 or 4 (0 until known).
    int version() const { return m_version; }
    qint64 zeilenGelesen() const { return m_zeilenGesamt; }

    /// Longest line accepted (a memo is one line).
    static constexpr qsizetype MaxZeile = qsizetype(256) << 20;

private:
    void zeileVerarbeiten(QByteArrayView zeile);
    bool wertLesen(QByteArrayView feld, char typ, JetWert& wert);
    void tabelleMelden();
    void abbrechen(const QString& text);

    enum class Erwartet { Kopf, Version, Umfang, Tabelle, Spalten, Zeilen, Nichts };

    JetStromEmpfaenger& m_empfaenger;
    Zustand m_zustand = Zustand::Liest;
    Erwartet m_erwartet = Erwartet::Kopf;
    QByteArray m_rest;
    qint64 m_zeilenNr = 0;
    QString m_fehler;
    QStringList m_leserFehler;
    int m_version = 0;

    QString m_tabelle;
    qint64 m_angegeben = 0;
    QList<JetSpalte> m_spalten;
    bool m_tabelleGemeldet = false;
    QList<JetWert> m_werte;
    qint64 m_zeilenTabelle = 0;
    qint64 m_zeilenGesamt = 0;
    __int128 m_summe = 0;
};
