#include "app/Wiederherstellung.h"

#include "app/Sicherung.h"
#include "core/Numbers.h"
#include "db/Database.h"
#include "db/Depot.h"
#include "db/Verschluesselung.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>
#include <cstdio>
#include <unistd.h>

namespace Wiederherstellung {

namespace {

QDate tagAusName(const QString& name) {
    // Not shared: the backups are read on several threads.
    const QRegularExpression muster(QStringLiteral("^aktien-(\\d{4}-\\d{2}-\\d{2})"));
    const QRegularExpressionMatch m = muster.match(name);
    return m.hasMatch() ? QDate::fromString(m.captured(1), Qt::ISODate) : QDate();
}

bool heil(Database& db) {
    return db.scalar(QStringLiteral("PRAGMA quick_check")).toString() == QLatin1String("ok");
}

QString nichts(const QString& grund) {
    return grund + QStringLiteral("\nEs wurde nichts geändert.");
}

} // namespace

bool lesen(Stand& s, const QString& connect) {
    const QFileInfo info(s.pfad);
    s.tag = tagAusName(info.fileName());
    s.groesse = info.size();
    s.beschaedigt = true;
    s.passwort = false;
    Database db;
    if (!info.isFile()) return false;
    Database::Status status = db.open(s.pfad, connect);
    const QString programm = QString::fromLatin1(Database::ConnectText);
    if (status != Database::Status::Ok && connect != programm) status = db.open(s.pfad, programm);
    if (status != Database::Status::Ok) {
        // Kept with a password: what it holds is read once it is given.
        if (!Verschluesselung::passwortNoetig(s.pfad, status)) return false;
        s.passwort = true;
        s.beschaedigt = false;
        return true;
    }
    db.kleinerCache();
    if (!heil(db)) return false;
    const QVariant pakete = db.scalar(QStringLiteral("SELECT count(*) FROM Aktiendaten"));
    const auto summen = Depot::summen(db);
    if (!pakete.isValid() || !summen) return false;
    s.pakete = pakete.toInt();
    s.wert = summen->wert;
    s.beschaedigt = false;
    return true;
}

QList<Stand> liste(const QString& ordner, const QString& connect, const Gelesen& gelesen) {
    QList<Stand> out;
    for (const QString& name : Sicherung::vorhandene(ordner)) {
        Stand s;
        s.pfad = QDir(ordner).filePath(name);
        out << s;
    }
    // Each file is read and checked on a connection of its own; the check
    // reads every page, so the files are shared out over the processors.
    const int n = int(out.size());
    const int threads = std::clamp(QThread::idealThreadCount(), 1, std::max(n, 1));
    std::atomic<int> naechste{0};
    std::atomic<int> fertig{0};
    const auto arbeiten = [&] {
        for (int i = naechste++; i < n; i = naechste++) {
            lesen(out[i], connect);
            const int f = ++fertig;
            if (gelesen) gelesen(f, n);
        }
    };
    std::vector<std::thread> helfer;
    for (int t = 1; t < threads; ++t) helfer.emplace_back(arbeiten);
    arbeiten();
    for (std::thread& h : helfer) h.join();
    return out;
}

QString groesseText(qint64 bytes) {
    if (bytes >= qint64{1024} * 1024)
        return QString::number(double(bytes) / (1024.0 * 1024.0), 'f', 1)
                   .replace(QLatin1Char('.'), QLatin1Char(',')) +
               QStringLiteral(" MB");
    return QString::number((bytes + 1023) / 1024) + QStringLiteral(" KB");
}

QString frage(const QDate& tag) {
    return QStringLiteral("Möchten Sie den Stand vom %1 wiederherstellen?\n"
                          "Der jetzige Stand wird vorher als Sicherung aufbewahrt.")
        .arg(tag.toString(QStringLiteral("dd.MM.yyyy")));
}

QString falschesPasswortText() {
    return nichts(QStringLiteral("Mit diesem Passwort lässt sich die Sicherung nicht öffnen."));
}

QString wiederherstellen(Database& db, const QString& sicherung, const QDate& heute,
                         const QString& passwort) {
    if (!db.isOpen()) return nichts(QStringLiteral("Die Datenbank ist nicht geöffnet."));
    const QString pfad = QFileInfo(db.path()).absoluteFilePath();
    const QString ordner = QFileInfo(pfad).absolutePath();
    const QString connect = db.connectText();
    // A folder made read-only on purpose is refused even where the system
    // would let an administrator write.
    const QFileInfo ordnerInfo(ordner);
    if (db.ordnerSchreibgeschuetzt() ||
        !(ordnerInfo.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther)))
        return nichts(QStringLiteral("Das Programmverzeichnis ist schreibgeschützt."));
    if (db.dateiSchreibgeschuetzt())
        return nichts(QStringLiteral("Die Datenbankdatei \"%1\" ist schreibgeschützt.")
                          .arg(QFileInfo(pfad).fileName()));

    // The copy is made and checked beside the file before anything is replaced.
    const QString neu = QDir(ordner).filePath(QStringLiteral(".aktien.mdb.wiederherstellen.tmp"));
    const auto wegraeumen = [&neu] {
        QFile::remove(neu);
        QFile::remove(neu + QStringLiteral("-journal"));
        Verschluesselung::markeEntfernen(neu);
    };
    wegraeumen();
    // The backup's marker goes with it: it tells a wrong password from damage.
    if (!Sicherung::kopieren(sicherung, neu) ||
        !Verschluesselung::markeKopieren(sicherung, neu)) {
        wegraeumen();
        return nichts(QStringLiteral("Die Sicherung konnte nicht in das Programmverzeichnis "
                                     "kopiert werden."));
    }
    QFile::setPermissions(neu, QFileInfo(pfad).permissions());
    // The backup keeps the key it was made with: the present file's, the
    // program's, or one from its password.
    QString neuConnect;
    {
        Database probe;
        Database::Status status = probe.open(neu, connect);
        const QString programm = QString::fromLatin1(Database::ConnectText);
        if (status != Database::Status::Ok && connect != programm)
            status = probe.open(neu, programm);
        if (status != Database::Status::Ok && !passwort.isEmpty() &&
            Verschluesselung::passwortNoetig(neu, status)) {
            const Verschluesselung::Oeffnung o = Verschluesselung::oeffnen(probe, neu, passwort);
            if (o.status == Database::Status::WrongKey) {
                wegraeumen();
                return falschesPasswortText();
            }
            status = o.status;
        }
        if (status != Database::Status::Ok || !heil(probe)) {
            probe.close();
            wegraeumen();
            return nichts(QStringLiteral("Die Sicherung ist beschädigt."));
        }
        neuConnect = probe.connectText();
        // Before the rename the marker beside the file knows both keys.
        const bool gemerkt = Verschluesselung::markeErgaenzen(pfad, probe);
        probe.close();
        if (!gemerkt) {
            wegraeumen();
            return nichts(QStringLiteral("Die Kennzeichnung der Verschlüsselung konnte nicht "
                                         "geschrieben werden."));
        }
    }
    QFile::remove(neu + QStringLiteral("-journal"));
    Verschluesselung::markeEntfernen(neu);

    const QString gesichert = Sicherung::anlegen(db, heute, Sicherung::Art::VorWiederherstellung);
    if (!gesichert.isEmpty()) {
        wegraeumen();
        return nichts(gesichert.trimmed());
    }

    db.close();
    // A journal beside the file belongs to the old one and must never be
    // played into the restored one.
    for (const char* endung : {"-journal", "-wal", "-shm"})
        QFile::remove(pfad + QLatin1String(endung));
    const bool ersetzt =
        std::rename(QFile::encodeName(neu).constData(), QFile::encodeName(pfad).constData()) == 0;
    if (ersetzt) Sicherung::ordnerSichern(ordner);
    else QFile::remove(neu);
    if (db.open(pfad, ersetzt ? neuConnect : connect) != Database::Status::Ok)
        return QStringLiteral("Die Datenbank konnte nicht wieder geöffnet werden.\n") +
               db.message();
    // The marker now lists only the key the file opened with.
    Verschluesselung::markeAufraeumen(db);
    if (!ersetzt)
        return nichts(QStringLiteral("Die Datenbankdatei konnte nicht ersetzt werden."));
    return {};
}

} // namespace Wiederherstellung
