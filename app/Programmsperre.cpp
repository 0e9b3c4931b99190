#include "app/Programmsperre.h"

#include <QDir>

Programmsperre::Programmsperre(const QString& programmVerzeichnis)
    : m_datei(QDir(programmVerzeichnis).filePath(QString::fromLatin1(DateiName))) {}

Programmsperre::Ergebnis Programmsperre::sperren() {
    // The lock file names the process that holds it; QLockFile takes it over
    // when that process is gone.
    if (m_datei.tryLock(0)) return Ergebnis::Gesperrt;
    return m_datei.error() == QLockFile::LockFailedError ? Ergebnis::LaeuftSchon
                                                         : Ergebnis::NichtMoeglich;
}

QString Programmsperre::laeuftSchonText() {
    return QStringLiteral("Kapito läuft bereits mit diesem Programmverzeichnis!\n"
                          "Bitte arbeiten Sie in dem bereits geöffneten Programmfenster weiter.");
}
