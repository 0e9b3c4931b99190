#pragma once
// One program on one program directory: a lock file beside "aktien.mdb",
// held while the program runs. A second start on the same directory would
// write the same file and lose the other's changes.

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
    /// Takes the lock; a lock left by a process that no longer runs is taken over.
    Ergebnis sperren();

    static QString laeuftSchonText();

private:
    QLockFile m_datei;
};
