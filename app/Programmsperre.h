#pragma once
// One program on one database file: a lock file in the program directory,
// and a lock on the folder that really holds "aktien.mdb" (whatever link
// leads there), both held while the program runs. A second start on the same
// file, by the same directory or another one whose "aktien.mdb" is a link to
// it, would write the same file and lose the other's changes.

#include <QLockFile>
#include <QString>

class Programmsperre final {
public:
    enum class Ergebnis {
        Gesperrt,    ///< this program holds the directory
        LaeuftSchon, ///< another running program holds it
        NichtMoeglich ///< no lock file can be made (a write-protected directory)
    };

    static constexpr const char* DateiName = "kapito.lock";

    explicit Programmsperre(const QString& programmVerzeichnis);
    ~Programmsperre();
    Programmsperre(const Programmsperre&) = delete;
    Programmsperre& operator=(const Programmsperre&) = delete;

    /// Takes the lock; a lock left by a process that no longer runs is taken over.
    Ergebnis sperren();

    static QString laeuftSchonText();

private:
    QString m_verzeichnis;
    QLockFile m_datei;
    int m_ordner = -1; ///< the locked folder of the database file
};
