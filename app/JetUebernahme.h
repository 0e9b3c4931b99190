#pragma once
// At start, before the database is opened: an "aktien.mdb" in the old Jet
// format is recognised and, when the user agrees, taken over into the
// program's encrypted format with all its data. The original stays beside
// it as "aktien-jet.mdb"; whatever goes wrong, it is never changed.

#include <QString>

class Clock;
class Dialogs;

class JetUebernahme final {
public:
    /// vorDemOeffnen(): the start goes on.
    static constexpr int Weiter = -1;

    /// leser: the helper that reads Jet files (default: beside the program).
    JetUebernahme(Dialogs& dialogs, const Clock& clock, QString leser = {});

    /// pfad: "aktien.mdb" in the program directory. No Jet file: Weiter, and
    /// nothing happens. A Jet file: asks whether to take it over. After a
    /// checked conversion the new file is in place and Weiter is returned;
    /// on No, cancellation or failure (reported in German) the file is as it
    /// was and the program ends with the returned exit code.
    int vorDemOeffnen(const QString& pfad);

    /// Removes what a killed take-over left in the program directory: the
    /// half-written new file and its journal. They are never the user's data,
    /// the Jet original is untouched until the new file replaces it.
    static void resteEntfernen(const QString& programmVerzeichnis);

    /// How long a conversion runs before its progress dialog appears.
    void setFortschrittNach(int ms) { m_fortschrittNach = ms; }

private:
    Dialogs& m_dialogs;
    const Clock& m_clock;
    QString m_leser;
    int m_fortschrittNach = 500;
};
