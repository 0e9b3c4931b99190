#include "db/Journalpruefung.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Journalpruefung {

namespace {

// The copies made before the engine sees the journal. A start killed while
// they exist finds them at the next start and puts them back (see aufraeumen).
QString unberuehrt(const QString& pfad) {
    return pfad + QStringLiteral(".unberuehrt");
}

QString q(const QString& pfad) {
    return QLatin1Char('"') + QFileInfo(pfad).fileName() + QLatin1Char('"');
}

bool belegt(const QString& pfad) {
    const QFileInfo f(pfad);
    return f.exists() || f.isSymLink();
}

void ordnerSichern(const QString& pfad) {
    const int fd =
        ::open(QFile::encodeName(QFileInfo(pfad).absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool umbenennen(const QString& von, const QString& nach) {
    return std::rename(QFile::encodeName(von).constData(), QFile::encodeName(nach).constData()) ==
           0;
}

// A byte-for-byte copy with the original's mode, complete under its name or
// not there at all.
bool kopieren(const QString& von, const QString& nach) {
    const QString neu = nach + QStringLiteral(".tmp");
    QFile::remove(neu);
    const int quelle = ::open(QFile::encodeName(von).constData(), O_RDONLY | O_CLOEXEC);
    if (quelle < 0) return false;
    struct stat st {};
    const int ziel = ::fstat(quelle, &st) == 0
                         ? ::open(QFile::encodeName(neu).constData(),
                                  O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600)
                         : -1;
    bool ok = ziel >= 0;
    static constexpr size_t Block = 1 << 20;
    QByteArray puffer(Block, Qt::Uninitialized);
    off_t gesamt = 0;
    while (ok) {
        const ssize_t n = ::read(quelle, puffer.data(), Block);
        if (n < 0) ok = false;
        if (n <= 0) break;
        for (ssize_t at = 0; ok && at < n;) {
            const ssize_t w = ::write(ziel, puffer.constData() + at, size_t(n - at));
            ok = w > 0;
            at += w;
        }
        gesamt += n;
    }
    ok = ok && gesamt == st.st_size && ::fchmod(ziel, st.st_mode & 07777) == 0 &&
         ::fsync(ziel) == 0;
    if (ziel >= 0 && ::close(ziel) != 0) ok = false;
    ::close(quelle);
    ok = ok && umbenennen(neu, nach);
    if (!ok) QFile::remove(neu);
    return ok;
}

// The engine takes a journal as hot when it is not empty and its header has
// not been zeroed.
bool heiss(const QString& journal) {
    QFile f(journal);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray kopf = f.read(1);
    return kopf.size() == 1 && kopf[0] != '\0';
}

bool heil(Database& db) {
    const QList<QVariantList> zeilen = db.rows(QStringLiteral("PRAGMA quick_check"));
    return zeilen.size() == 1 && zeilen.first().value(0).toString() == QLatin1String("ok");
}

QString beiseiteName(const QString& journal, const QDate& heute) {
    const QString grund = journal + QLatin1Char('-') + heute.toString(QStringLiteral("yyyy-MM-dd"));
    QString name = grund;
    for (int n = 2; belegt(name); ++n)
        name = grund + QStringLiteral("-%1").arg(n);
    return name;
}

// The state before the engine saw the journal: both copies back in place.
// The journal's copy goes last, so that a start killed meanwhile finds the
// pair again and repeats this.
bool zurueckstellen(const QString& pfad, const QString& journal) {
    QFile::remove(journal);
    if (!kopieren(unberuehrt(journal), journal) || !umbenennen(unberuehrt(pfad), pfad)) return false;
    QFile::remove(unberuehrt(journal));
    ordnerSichern(pfad);
    return true;
}

QString nichtZurueckText(const QString& pfad) {
    return QStringLiteral("Die unveränderte Kopie %1 der Datenbankdatei konnte nicht an ihren "
                          "Platz zurückgelegt werden.\nBitte benennen Sie sie im "
                          "Programmverzeichnis in %2 um.")
        .arg(q(unberuehrt(pfad)), q(pfad));
}

// What a start killed during the check left behind. The file's copy is the
// untouched file: while it exists, the file itself may be the engine's result.
bool aufraeumen(const QString& pfad, const QString& journal) {
    QFile::remove(unberuehrt(pfad) + QStringLiteral(".tmp"));
    QFile::remove(unberuehrt(journal) + QStringLiteral(".tmp"));
    if (!belegt(unberuehrt(pfad))) {
        // Only the journal's copy: made before the file's or kept after it.
        QFile::remove(unberuehrt(journal));
        return true;
    }
    if (belegt(unberuehrt(journal))) return zurueckstellen(pfad, journal);
    // Killed while putting the file back: the journal is aside already.
    QFile::remove(journal);
    return umbenennen(unberuehrt(pfad), pfad);
}

} // namespace

QString journalName(const QString& pfad) {
    return pfad + QStringLiteral("-journal");
}

Ergebnis vorDemOeffnen(const QString& pfad, const QDate& heute, const QString& connect) {
    Ergebnis e;
    const QString journal = journalName(pfad);
    if (!aufraeumen(pfad, journal)) {
        e.weiter = false;
        e.meldung = nichtZurueckText(pfad);
        return e;
    }
    if (!heiss(journal)) return e;

    // The journal first: the file's copy exists only beside it.
    if (!kopieren(journal, unberuehrt(journal)) || !kopieren(pfad, unberuehrt(pfad))) {
        QFile::remove(unberuehrt(pfad));
        QFile::remove(unberuehrt(journal));
        e.weiter = false;
        e.meldung =
            QStringLiteral("Neben der Datenbankdatei %1 liegt das Protokoll eines abgebrochenen "
                           "Schreibvorgangs (%2). Bevor es angewandt wird, werden beide Dateien "
                           "gesichert; das ist im Programmverzeichnis nicht möglich (kein Platz, "
                           "oder das Verzeichnis ist schreibgeschützt).\nBeide Dateien sind "
                           "unverändert. Bitte schaffen Sie Platz und starten Sie das Programm "
                           "noch einmal.")
                .arg(q(pfad), q(journal));
        return e;
    }
    ordnerSichern(pfad);

    bool pruefbar = true;
    bool gut = false;
    {
        // The first read rolls the journal back.
        Database db;
        const Database::Status s = db.open(pfad, connect);
        if (s == Database::Status::Ok) {
            db.kleinerCache();
            gut = heil(db);
        } else {
            pruefbar = s == Database::Status::Damaged;
        }
    }
    if (gut) {
        // A write of this file killed midway, now rolled back.
        QFile::remove(unberuehrt(pfad));
        QFile::remove(unberuehrt(journal));
        return e;
    }
    if (!pruefbar) {
        // Opened only with another key, or not at all: the start handles it as
        // before, with the file and its journal as they were.
        if (!zurueckstellen(pfad, journal)) {
            e.weiter = false;
            e.meldung = nichtZurueckText(pfad);
        }
        return e;
    }

    // The journal does not belong to this file: aside with it, and the
    // untouched file back in its place.
    const QString beiseite = beiseiteName(journal, heute);
    if (!umbenennen(unberuehrt(journal), beiseite)) {
        if (!zurueckstellen(pfad, journal)) {
            e.weiter = false;
            e.meldung = nichtZurueckText(pfad);
        }
        return e;
    }
    QFile::remove(journal);
    if (!umbenennen(unberuehrt(pfad), pfad)) {
        e.weiter = false;
        e.meldung = nichtZurueckText(pfad);
        return e;
    }
    ordnerSichern(pfad);
    e.meldung = QStringLiteral("Neben der Datenbankdatei %1 lag das Protokoll eines abgebrochenen "
                               "Schreibvorgangs (%2), das nicht zu dieser Datei gehört. Es hätte "
                               "die Datei beschädigt und wurde nicht angewandt: Die Datenbankdatei "
                               "ist unverändert.\nDas Protokoll wurde als %3 im "
                               "Programmverzeichnis aufbewahrt.")
                    .arg(q(pfad), q(journal), q(beiseite));
    return e;
}

} // namespace Journalpruefung
