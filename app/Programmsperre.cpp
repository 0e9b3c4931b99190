#include "app/Programmsperre.h"

#include "db/Database.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

Programmsperre::Programmsperre(const QString& programmVerzeichnis)
    : m_verzeichnis(programmVerzeichnis),
      m_datei(QDir(programmVerzeichnis).filePath(QString::fromLatin1(DateiName))) {}

Programmsperre::~Programmsperre() {
    if (m_ordner >= 0) ::close(m_ordner);
}

Programmsperre::Ergebnis Programmsperre::sperren() {
    // The lock file names the process that holds it; QLockFile takes it over
    // when that process is gone.
    Ergebnis ergebnis = Ergebnis::Gesperrt;
    if (!m_datei.tryLock(0)) {
        if (m_datei.error() == QLockFile::LockFailedError) return Ergebnis::LaeuftSchon;
        ergebnis = Ergebnis::NichtMoeglich;
    }
    if (m_ordner >= 0) return ergebnis;
    // The database file by its identity: the folder that really holds it.
    // The folder and not the file, because compaction puts a new file in
    // its place; a lock on a folder needs no file in it (the folder may be
    // write-protected), and the system lifts it when the process ends.
    const QString echt =
        QFileInfo(Database::resolveCase(
                      QDir(m_verzeichnis).filePath(QString::fromLatin1(Database::FileName))))
            .canonicalFilePath();
    if (echt.isEmpty()) return ergebnis; // no file: the start says so
    const int fd = ::open(QFile::encodeName(QFileInfo(echt).absolutePath()).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return ergebnis;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        m_ordner = fd;
        return ergebnis;
    }
    const bool belegt = errno == EWOULDBLOCK;
    ::close(fd);
    return belegt ? Ergebnis::LaeuftSchon : ergebnis;
}

QString Programmsperre::laeuftSchonText() {
    return QStringLiteral("Kapito läuft bereits mit diesem Programmverzeichnis!\n"
                          "Bitte arbeiten Sie in dem bereits geöffneten Programmfenster weiter.");
}
