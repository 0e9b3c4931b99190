#pragma once
// Undo and redo of the user's operations, for every window at once.
//
// While a named Transaction runs, temporary triggers on the seven tables copy
// the first image of every row it inserts, updates or deletes (with the row's
// key) into a temporary table of images under the operation's number. Undo
// first keeps the rows' present images (for redo), then deletes the rows and
// writes the kept images back, keys included, in one transaction; redo does
// the same the other way. Undo is strictly last-in, first-out, so the present
// rows of the operation undone are always those it left.
//
// Everything lives in the connection's temporary store (in memory): closing
// the database forgets the list. A change made outside a named operation (the
// password, a take-over, a test's raw write) cannot be undone and could make
// an undo wrong, so it discards the list.

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class Database;
struct sqlite3;

class Rueckgaengig final {
public:
    /// Entries kept; the oldest goes when a new one would exceed it.
    static constexpr int MaxEintraege = 100;

    explicit Rueckgaengig(Database& db);
    Rueckgaengig(const Rueckgaengig&) = delete;
    Rueckgaengig& operator=(const Rueckgaengig&) = delete;

    /// Name of the operation undo would take back; empty when none.
    QString rueckgaengigName() const;
    /// Name of the operation redo would apply again; empty when none.
    QString wiederholenName() const;
    int anzahlRueckgaengig() const;

    /// Takes back the latest operation in one transaction. False (nothing
    /// changed, the entry kept) when there is none or a write fails; the
    /// database's message() then says why. nachTabelle (for tests) runs after
    /// each table is written, inside the transaction.
    bool rueckgaengig(const std::function<void(int)>& nachTabelle = {});
    /// Applies the latest undone operation again; as rueckgaengig().
    bool wiederholen(const std::function<void(int)>& nachTabelle = {});

    /// Forgets every entry (a change that cannot be undone).
    void leeren();

    /// Called whenever the names above may have changed (for the menu).
    void setBeiAenderung(std::function<void()> f) { m_beiAenderung = std::move(f); }

    // Hooks of Transaction and Database.
    void vorBeginn(bool benannt); ///< before BEGIN of an outer transaction
    void beginnen(const QString& name);
    void nachCommit();
    void nachRollback();
    void getrennt(); ///< the connection was closed

private:
    struct Tabelle {
        QString name;
        QString bilder;     // the temporary table of its images
        QStringList spalten; // the quoted columns besides the key
    };
    struct Eintrag {
        qint64 nummer;
        QString name;
    };

    bool einrichten(sqlite3* c);
    void bilderLoeschen(qint64 nummer);
    void verworfenAnwenden();
    void melden() const {
        if (m_beiAenderung) m_beiAenderung();
    }
    bool zurueckschreiben(bool rueck, const std::function<void(int)>& nachTabelle);
    friend struct RueckgaengigAufruf;

    Database& m_db;
    bool m_eingerichtet = false;
    QList<Tabelle> m_tabellen;
    QList<Eintrag> m_rueck;
    QList<Eintrag> m_vor;
    qint64 m_naechste = 1;
    // The operation being recorded (0 = none), its name and whether it wrote.
    qint64 m_aktuell = 0;
    QString m_aktuellName;
    bool m_aktuellGeschrieben = false;
    // Set by a change outside a named operation; applied once no transaction runs.
    bool m_verworfen = false;
    std::function<void()> m_beiAenderung;
};
