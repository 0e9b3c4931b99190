#include "db/JetDatei.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace JetDatei {

namespace {

void verzeichnisSichern(const QString& dir) {
    const int fd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

QString nummeriert(const QFileInfo& original, int n) {
    const QString name =
        original.completeBaseName() + QStringLiteral("-jet") +
        (n > 1 ? QStringLiteral("-%1").arg(n) : QString()) +
        (original.suffix().isEmpty() ? QString() : QLatin1Char('.') + original.suffix());
    return original.dir().filePath(name);
}

bool belegt(const QString& pfad) {
    const QFileInfo f(pfad);
    return f.exists() || f.isSymLink();
}

// Where the file system has no hard links: a copy that must not replace
// anything, flushed before the original goes.
bool kopieren(const QString& von, const QString& nach) {
    QFile quelle(von);
    QFile ziel(nach);
    if (!quelle.open(QIODevice::ReadOnly)) return false;
    if (!ziel.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return false;
    bool ok = true;
    while (ok && !quelle.atEnd()) {
        const QByteArray block = quelle.read(1 << 20);
        ok = !block.isEmpty() && ziel.write(block) == block.size();
    }
    ok = ok && ziel.flush() && ::fsync(ziel.handle()) == 0 && ziel.size() == quelle.size();
    ziel.close();
    if (!ok) QFile::remove(nach);
    return ok;
}

} // namespace

bool istJet(const QString& pfad) {
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray kopf = f.read(20);
    if (kopf.size() < 20) return false;
    const QByteArray kennung = kopf.mid(4, 16);
    return kennung == QByteArray("Standard Jet DB", 16) ||
           kennung == QByteArray("Standard ACE DB", 16);
}

QString sicherungsName(const QString& pfad) {
    const QFileInfo original(pfad);
    for (int n = 1;; ++n) {
        QString name = nummeriert(original, n);
        if (!belegt(name)) return name;
    }
}

bool ersetzen(const QString& original, const QString& neu, QString* sicherung, QString* fehler) {
    auto scheitern = [&](const QString& text) {
        if (fehler) *fehler = text;
        return false;
    };
    const QFileInfo info(original);
    const QByteArray alt = QFile::encodeName(info.absoluteFilePath());

    // A hard link keeps the original's bytes under the second name without
    // a moment in which "aktien.mdb" is missing; link(2) never overwrites.
    QString ziel = sicherung && !sicherung->isEmpty() ? *sicherung : sicherungsName(original);
    bool verlinkt = false;
    for (int versuch = 0; versuch < 1000; ++versuch) {
        if (::link(alt.constData(), QFile::encodeName(ziel).constData()) == 0) {
            verlinkt = true;
            break;
        }
        if (errno != EEXIST) break;
        ziel = sicherungsName(original);
    }
    if (!verlinkt) {
        ziel = sicherungsName(original);
        if (!kopieren(info.absoluteFilePath(), ziel))
            return scheitern(QStringLiteral("Die alte Datei konnte nicht als \"%1\" gesichert "
                                            "werden.")
                                 .arg(QFileInfo(ziel).fileName()));
    }
    verzeichnisSichern(info.absolutePath());

    if (std::rename(QFile::encodeName(neu).constData(), alt.constData()) != 0) {
        // Back to where we started: the original under its name only.
        QFile::remove(ziel);
        return scheitern(QStringLiteral("Die neue Datenbank konnte nicht an die Stelle von "
                                        "\"%1\" gesetzt werden.")
                             .arg(info.fileName()));
    }
    verzeichnisSichern(info.absolutePath());
    if (sicherung) *sicherung = ziel;
    return true;
}

} // namespace JetDatei
