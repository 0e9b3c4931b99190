#pragma once
// Converts an old Jet-format "aktien.mdb" into a new encrypted database: the
// helper kapito_jetlesen reads the file in a child process (a damaged file
// can crash only the helper), its row stream is written into a new file,
// and the new file is checked against what was read.

#include <QDate>
#include <QString>
#include <functional>

class JetKonverter final {
public:
    /// Called while rows come in: rows written so far and all rows of the
    /// file; once more with both equal when all are read and the new file
    /// is about to be completed and checked. Returning false cancels.
    using Fortschritt = std::function<bool(qint64 erledigt, qint64 gesamt)>;

    /// leser: path of the helper kapito_jetlesen.
    explicit JetKonverter(QString leser);

    /// Reads the seven tables from jet and writes them, every row in stored
    /// order, into a new encrypted database at ziel (which must not exist).
    /// True only when the new file has the same row count and the same
    /// currency sum per table as the Jet file and passes the integrity check.
    /// On failure ziel is removed, jet is never touched, and meldung() says
    /// in German what went wrong.
    bool konvertieren(const QString& jet, const QString& ziel, const QDate& heute,
                      const Fortschritt& fortschritt = {});

    QString meldung() const { return m_meldung; }
    /// The last conversion was cancelled through the progress callback.
    bool abgebrochen() const { return m_abgebrochen; }

    /// How long the helper may stay silent before it is taken for hung.
    void setWartezeit(int ms) { m_wartezeit = ms; }

    /// The helper beside the running program.
    static QString standardLeser();

private:
    QString m_leser;
    QString m_meldung;
    bool m_abgebrochen = false;
    int m_wartezeit = 60000;
};
