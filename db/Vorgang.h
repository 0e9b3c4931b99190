#pragma once
// The writes of one user operation (a sale, a split, a merge): one
// Transaction under the operation's name (the entry of the undo list), its
// steps reported to a progress callback as they are done, and the German text
// of a failure.

#include "db/Database.h"

#include <QString>
#include <functional>

class Vorgang final {
public:
    /// Begins the transaction. scheitern: the text a failure starts with
    /// ("Der Verkauf konnte nicht gespeichert werden. Es wurde nichts geändert.").
    /// name: the operation as the undo list shows it ("Kauf Alpha AG").
    Vorgang(Database& db, const QString& name, QString scheitern,
            std::function<void(int)> nachSchritt = {});
    /// Without a name the writes cannot be undone and empty the undo list.
    Vorgang(Database& db, QString scheitern, std::function<void(int)> nachSchritt = {});
    Vorgang(const Vorgang&) = delete;
    Vorgang& operator=(const Vorgang&) = delete;

    /// False when the transaction could not begin.
    bool begonnen() const { return m_t.isActive(); }
    /// Reports the next step done: nachSchritt(1), nachSchritt(2), …
    void schritt();
    /// Commits; false (and nothing written) when that fails.
    bool commit() { return m_t.commit(); }
    /// The failure text with its reason on a line of its own: grund, or else
    /// the database's last message.
    QString fehler(const QString& grund = {}) const;

private:
    Database& m_db;
    QString m_scheitern;
    std::function<void(int)> m_nachSchritt;
    int m_schritte = 0;
    Transaction m_t;
};
