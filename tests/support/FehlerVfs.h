#pragma once
// A file layer under the database engine for tests. It makes writes fail the
// way a write-protected file, a write-protected folder or a full disk make
// them fail (as root a test cannot take the rights away for real), and it lets
// the engine's waits for a lock held by another connection pass at once.
// While an instance lives it is the engine's default file layer, so every
// database opened meanwhile goes through it.

class FehlerVfs final {
public:
    enum class Fehler {
        Keiner,
        DateiSchreibgeschuetzt,  ///< the file opens for reading only, as a 0444 file does
        OrdnerSchreibgeschuetzt, ///< no new file (the journal) can be made beside it
        OrdnerOhneGrund,         ///< the same, with the system's reason lost on the way
        Voll                     ///< every write fails for want of space
    };

    FehlerVfs();
    ~FehlerVfs();
    FehlerVfs(const FehlerVfs&) = delete;
    FehlerVfs& operator=(const FehlerVfs&) = delete;

    /// Takes effect for files opened (DateiSchreibgeschuetzt) or written from now on.
    void setFehler(Fehler f);
};
