#include "app/Sicherung.h"

#include "core/Clock.h"
#include "db/Database.h"
#include "db/Verschluesselung.h"
#include "platform/MainWindowApi.h"
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Sicherung {

namespace {

const QRegularExpression& namensMuster() {
    static const QRegularExpression muster(
        QStringLiteral("^aktien-(\\d{4}-\\d{2}-\\d{2})"
                       "(-vor-Komprimierung|-vor-Wiederherstellung(-\\d+)?)?\\.mdb$"));
    return muster;
}

QString fehlerZeile(Art art) {
    switch (art) {
    case Art::Taeglich:
        return QStringLiteral(" Die tägliche Sicherung der Datenbank konnte nicht im Ordner "
                              "\"Sicherungen\" angelegt werden.");
    case Art::VorKomprimierung:
        return QStringLiteral(" Die Sicherung vor dem Komprimieren konnte nicht im Ordner "
                              "\"Sicherungen\" angelegt werden.");
    case Art::VorWiederherstellung:
        break;
    }
    return QStringLiteral("Der jetzige Stand konnte nicht im Ordner \"Sicherungen\" gesichert "
                          "werden.");
}


// A read transaction holds the file's shared lock: nobody can write to it
// while it is copied, so the copy is one consistent state. It fails while a
// change of our own is open, whose pages may already be in the file.
class Lesesperre final {
public:
    explicit Lesesperre(Database& db) : m_db(db) {
        m_aktiv = m_db.exec(QStringLiteral("BEGIN"));
        if (m_aktiv && !m_db.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master")).isValid())
            aufheben();
        else
            m_gesperrt = m_aktiv;
    }
    ~Lesesperre() { aufheben(); }
    Lesesperre(const Lesesperre&) = delete;
    Lesesperre& operator=(const Lesesperre&) = delete;
    bool gesperrt() const { return m_gesperrt; }
    void aufheben() {
        if (m_aktiv) m_db.exec(QStringLiteral("COMMIT"));
        m_aktiv = m_gesperrt = false;
    }

private:
    Database& m_db;
    bool m_aktiv = false;
    bool m_gesperrt = false;
};


// A folder that nobody may write to was made read-only on purpose; even a
// run with administrator rights, which the system would let through, leaves
// it alone.
bool schreibgeschuetzt(const QFileInfo& ordner) {
    return !(ordner.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
}

void wegraeumen(const QString& ordner, const QString& neu) {
    const QStringList alle = vorhandene(ordner);
    const QDir dir(ordner);
    for (int i = Behalten; i < alle.size(); ++i)
        if (alle.at(i) != neu) {
            QFile::remove(dir.filePath(alle.at(i)));
            QFile::remove(Verschluesselung::markePfad(dir.filePath(alle.at(i))));
        }
}

void melden(MainWindowApi& haupt, const QString& zeile) {
    if (zeile.isEmpty()) return;
    // The load writes its own notice into the panel; this line comes after it.
    QTimer::singleShot(0, haupt.window(), [&haupt, zeile] { haupt.setHinweis(zeile); });
}

} // namespace

// Makes a finished rename survive a power loss.
void ordnerSichern(const QString& ordner) {
    const int fd = ::open(QFile::encodeName(ordner).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool kopieren(const QString& quellPfad, const QString& zielPfad) {
    QFile quelle(quellPfad);
    if (!quelle.open(QIODevice::ReadOnly)) return false;
    // The mode as stored, not as it applies to this user: Qt's permissions
    // add the rights of the user running the program (all of them for root).
    struct stat art {};
    if (::fstat(quelle.handle(), &art) != 0) return false;
    QFile ziel(zielPfad);
    // Private while it is written; then exactly the original's mode, which
    // the umask would otherwise cut: a private depot stays private, a
    // write-protected one stays write-protected.
    if (!ziel.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                   QFile::ReadOwner | QFile::WriteOwner))
        return false;
    if (::fchmod(ziel.handle(), art.st_mode & 07777) != 0) return false;
    QByteArray puffer;
    qint64 geschrieben = 0;
    for (;;) {
        puffer = quelle.read(1 << 20);
        if (puffer.isEmpty()) break;
        if (ziel.write(puffer) != puffer.size()) return false;
        geschrieben += puffer.size();
    }
    if (quelle.error() != QFileDevice::NoError || geschrieben != quelle.size()) return false;
    if (!ziel.flush() || ::fsync(ziel.handle()) != 0) return false;
    ziel.close();
    return ziel.error() == QFileDevice::NoError;
}

QString dateiName(const QDate& tag, Art art) {
    const QString endung = art == Art::VorKomprimierung       ? QStringLiteral("-vor-Komprimierung.mdb")
                           : art == Art::VorWiederherstellung ? QStringLiteral("-vor-Wiederherstellung.mdb")
                                                              : QStringLiteral(".mdb");
    return QStringLiteral("aktien-") + tag.toString(QStringLiteral("yyyy-MM-dd")) + endung;
}

QStringList vorhandene(const QString& ordner) {
    struct Eintrag {
        QString name;
        QString tag;
        QDateTime geschrieben;
    };
    QList<Eintrag> liste;
    const QFileInfoList infos = QDir(ordner).entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo& info : infos) {
        const QRegularExpressionMatch m = namensMuster().match(info.fileName());
        if (m.hasMatch()) liste.append({info.fileName(), m.captured(1), info.lastModified()});
    }
    std::sort(liste.begin(), liste.end(), [](const Eintrag& a, const Eintrag& b) {
        if (a.tag != b.tag) return a.tag > b.tag;
        if (a.geschrieben != b.geschrieben) return a.geschrieben > b.geschrieben;
        return a.name > b.name;
    });
    QStringList namen;
    for (const Eintrag& e : liste)
        namen << e.name;
    return namen;
}

QString anlegen(Database& db, const QDate& heute, Art art) {
    QString fehler = fehlerZeile(art);
    if (!db.isOpen() || !heute.isValid()) return fehler;
    const QFileInfo original(db.path());
    if (!original.isFile()) return fehler;

    const QString ordner = original.absoluteDir().filePath(QString::fromLatin1(Ordner));
    const QFileInfo ordnerInfo(ordner);
    if (!ordnerInfo.exists() && !ordnerInfo.isSymLink()) {
        if (!QDir().mkdir(ordner)) return fehler;
    } else if (!ordnerInfo.isDir() || schreibgeschuetzt(ordnerInfo)) {
        return fehler;
    }

    QString name = dateiName(heute, art);
    // The state before an earlier restore of the day is kept as well.
    for (int n = 2; art == Art::VorWiederherstellung && n < 1000 &&
                    (QFileInfo::exists(QDir(ordner).filePath(name)) ||
                     QFileInfo(QDir(ordner).filePath(name)).isSymLink());
         ++n)
        name = dateiName(heute, art).replace(QStringLiteral(".mdb"),
                                             QStringLiteral("-%1.mdb").arg(n));
    const QString ziel = QDir(ordner).filePath(name);
    const QFileInfo zielInfo(ziel);
    if (art == Art::Taeglich && (zielInfo.exists() || zielInfo.isSymLink()))
        return zielInfo.isFile() && !zielInfo.isSymLink() ? QString() : fehler;

    // A copy left by an interrupted run is ours to replace.
    const QString neu = QDir(ordner).filePath(QLatin1Char('.') + name + QStringLiteral(".tmp"));
    const QFileInfo neuInfo(neu);
    if ((neuInfo.exists() || neuInfo.isSymLink()) && !QFile::remove(neu)) return fehler;

    // Byte for byte, so the copy opens with the same key. Not opened to check
    // it: deriving the key costs more than the copy.
    bool ok;
    {
        Lesesperre sperre(db);
        ok = sperre.gesperrt() && kopieren(original.absoluteFilePath(), neu);
    }
    // A copy encrypted with the password gets the marker that tells a wrong
    // password from a damaged copy when it is restored.
    ok = ok && Verschluesselung::markeFuerKopie(db, ziel);
    if (!ok ||
        std::rename(QFile::encodeName(neu).constData(), QFile::encodeName(ziel).constData()) != 0) {
        QFile::remove(neu);
        return fehler;
    }
    ordnerSichern(ordner);
    wegraeumen(ordner, name);
    return {};
}

void taeglich(MainWindowApi& haupt) {
    melden(haupt, anlegen(haupt.database(), haupt.clock().today(), Art::Taeglich));
}

} // namespace Sicherung
