#pragma once
// The check of the database file while the start window is shown: it runs on
// a thread of its own, so the window keeps scrolling and the user waits for
// it only as long as it outlasts the start window's delay. A whole file then
// gets the indexes an earlier version did not make.

#include "db/Dateipruefung.h"
#include <QObject>
#include <QString>
#include <atomic>
#include <memory>

class QThread;

class Startpruefung final : public QObject {
    Q_OBJECT
public:
    /// `connect` opens the file (the program's key unless it has a password's).
    explicit Startpruefung(QString pfad,
                           QString connect = QString::fromLatin1(Database::ConnectText),
                           QObject* parent = nullptr);
    /// Waits for the check if it still runs.
    ~Startpruefung() override;

    void starten();
    bool fertig() const { return m_fertig; }
    /// Waits, with the events running, until the check is done.
    void abwarten();
    /// Valid once fertig().
    const Dateipruefung::Ergebnis& ergebnis() const { return m_ergebnis; }

signals:
    void beendet();

private:
    QString m_pfad;
    QString m_connect;
    QThread* m_thread = nullptr;
    Dateipruefung::Ergebnis m_ergebnis;
    std::atomic<bool> m_fertig{false};
};
