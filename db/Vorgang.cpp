#include "db/Vorgang.h"

Vorgang::Vorgang(Database& db, const QString& name, QString scheitern,
                 std::function<void(int)> nachSchritt)
    : m_db(db), m_scheitern(std::move(scheitern)), m_nachSchritt(std::move(nachSchritt)),
      m_t(db, name) {}

Vorgang::Vorgang(Database& db, QString scheitern, std::function<void(int)> nachSchritt)
    : Vorgang(db, QString(), std::move(scheitern), std::move(nachSchritt)) {}

void Vorgang::schritt() {
    ++m_schritte;
    if (m_nachSchritt) m_nachSchritt(m_schritte);
}

QString Vorgang::fehler(const QString& grund) const {
    const QString g = grund.isEmpty() ? m_db.message() : grund;
    return g.isEmpty() ? m_scheitern : m_scheitern + QStringLiteral("\n\n") + g;
}
