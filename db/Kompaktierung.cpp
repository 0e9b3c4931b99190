#include "db/Kompaktierung.h"

#include "db/Database.h"
#include "db/RawAccess.h"
#include "db/SqlUtil.h"
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Kompaktierung {

namespace {

// Reports the share done while a long statement runs: the engine calls back
// every thousand steps, and every 64th call asks how far it is.
struct Beobachter {
    const Fortschritt* melden = nullptr;
    std::function<int()> stand; ///< the share done now
    int zuletzt = -1;
    unsigned schritte = 0;
};

int beobachten(void* p) {
    auto* b = static_cast<Beobachter*>(p);
    if (++b->schritte % 64 != 0) return 0;
    const int prozent = b->stand();
    if (prozent > b->zuletzt) {
        b->zuletzt = prozent;
        (*b->melden)(prozent);
    }
    return 0;
}

Ergebnis kopieren(const QString& pfad, const QString& key, const Fortschritt& fortschritt,
                  const VorDerPruefung& vorDerPruefung, const NeuerSchluessel* neu);

} // namespace

void ordnerSichern(const QString& dir) {
    const int fd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

Ergebnis ausfuehren(const QString& pfad, const QString& key, const Fortschritt& fortschritt,
                    const VorDerPruefung& vorDerPruefung) {
    return kopieren(pfad, key, fortschritt, vorDerPruefung, nullptr);
}

Ergebnis umschluesseln(const QString& pfad, const QString& key, const NeuerSchluessel& neu,
                       const Fortschritt& fortschritt) {
    if (neu.key.isEmpty()) {
        Ergebnis e;
        e.meldung = QStringLiteral("Die Datenbank hat kein Kennwort.");
        return e;
    }
    return kopieren(pfad, key, fortschritt, {}, &neu);
}

namespace {

Ergebnis kopieren(const QString& pfad, const QString& key, const Fortschritt& fortschritt,
                  const VorDerPruefung& vorDerPruefung, const NeuerSchluessel* neu) {
    Ergebnis e;
    const auto melden = [&](int p) {
        if (fortschritt) fortschritt(p);
    };
    const QFileInfo info(pfad);
    const QString original = info.absoluteFilePath();
    const QString dir = info.absolutePath();
    const QString target = dir + QLatin1Char('/') + QLatin1String(Database::CompactFileName);
    const QByteArray targetName = QFile::encodeName(target);
    const QString connect = QStringLiteral(";pwd=") + key;
    // The copy's key: the original's, or the new one when re-keying.
    const QString zielKey = neu ? neu->key : key;
    const QString zielConnect = QStringLiteral(";pwd=") + zielKey;
    if (key.isEmpty()) {
        // Without a key the copy would be written in plain text.
        e.meldung = QStringLiteral("Die Datenbank hat kein Kennwort.");
        return e;
    }
    struct stat alt {};
    if (::stat(QFile::encodeName(original).constData(), &alt) != 0) {
        e.meldung = QStringLiteral("Die Datenbankdatei ist nicht mehr da.");
        return e;
    }

    Database quelle;
    bool created = false;
    bool attached = false;
    auto abandon = [&](const QString& detail) {
        if (attached)
            SqlUtil::execRaw(RawAccess::connection(quelle), QStringLiteral("DETACH DATABASE neu"));
        quelle.close();
        if (created && QFileInfo(target).isFile()) QFile::remove(target);
        e.meldung = detail;
        return e;
    };

    // A copy left by an interrupted run is ours; anything else in the way stays.
    const QFileInfo leftover(target);
    if (leftover.exists() || leftover.isSymLink()) {
        if (!leftover.isFile() || leftover.isSymLink() || !QFile::remove(target))
            return abandon(QStringLiteral("Die Datei \"%1\" ist im Weg.")
                               .arg(QLatin1String(Database::CompactFileName)));
    }
    if (quelle.open(original, connect) != Database::Status::Ok) return abandon(quelle.message());
    // The export reads every page once; a big cache would only hold memory.
    quelle.kleinerCache();

    const qint64 userVersion = quelle.scalar(QStringLiteral("PRAGMA user_version")).toLongLong();
    QStringList tables;
    for (const QVariantList& r :
         quelle.rows(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name "
                                    "NOT LIKE 'sqlite\\_%' ESCAPE '\\'")))
        tables << r.value(0).toString();
    // All row counts in one statement; schema is "main." or empty.
    const auto countsOf = [&tables](Database& db, const QString& schema) {
        QStringList parts;
        for (const QString& t : tables)
            parts << QStringLiteral("(SELECT count(*) FROM %1%2)")
                         .arg(schema, SqlUtil::quoteIdent(t));
        const QList<QVariantList> r =
            db.rows(QStringLiteral("SELECT ") + parts.join(QStringLiteral(", ")));
        return r.size() == 1 ? r.first() : QVariantList();
    };

    // The connection may not create files, so ATTACH gets an empty one; it
    // is readable by its owner only until it has the original's mode.
    {
        const int fd =
            ::open(targetName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0)
            return abandon(QStringLiteral("Die Datei \"%1\" kann nicht angelegt werden.")
                               .arg(QLatin1String(Database::CompactFileName)));
        ::close(fd);
        created = true;
    }
    melden(0);
    // Always with KEY: an ATTACH without it writes an unencrypted file.
    if (!quelle.exec(QStringLiteral("ATTACH DATABASE ?1 AS neu KEY ?2"), {target, zielKey}))
        return abandon(quelle.message());
    attached = true;
    QString err;
    // The export's share: the copy's size against the original's (0 to 50).
    QElapsedTimer exportZeit;
    exportZeit.start();
    Beobachter b;
    b.melden = &fortschritt;
    b.stand = [&targetName, &alt] {
        struct stat st {};
        if (::stat(targetName.constData(), &st) != 0) return 0;
        const qint64 original = std::max<qint64>(qint64(alt.st_size), 1);
        return int(std::min<qint64>(qint64(st.st_size), original) * 50 / original);
    };
    if (fortschritt) sqlite3_progress_handler(RawAccess::connection(quelle), 1000, beobachten, &b);
    const bool exportiert =
        SqlUtil::applyAttachedSettings(RawAccess::connection(quelle), QStringLiteral("neu"),
                                       &err) &&
        SqlUtil::execRaw(RawAccess::connection(quelle),
                         QStringLiteral("PRAGMA neu.synchronous = FULL"), &err) &&
        SqlUtil::execRaw(RawAccess::connection(quelle),
                         QStringLiteral("SELECT sqlcipher_export('neu')"), &err) &&
        // The export drops the user version.
        SqlUtil::execRaw(RawAccess::connection(quelle),
                         QStringLiteral("PRAGMA neu.user_version = %1").arg(userVersion), &err);
    sqlite3_progress_handler(RawAccess::connection(quelle), 0, nullptr, nullptr);
    if (!exportiert) return abandon(err);
    const qint64 exportMs = std::max<qint64>(exportZeit.elapsed(), 1);
    melden(50);
    // Counted after the export, which has just read every page of the original.
    const QVariantList counts =
        tables.isEmpty() ? QVariantList() : countsOf(quelle, QStringLiteral("main."));
    if (counts.size() != tables.size()) return abandon(quelle.message());
    if (!SqlUtil::execRaw(RawAccess::connection(quelle), QStringLiteral("DETACH DATABASE neu"),
                          &err))
        return abandon(err);
    attached = false;
    quelle.close();

    if (vorDerPruefung) vorDerPruefung(target);
    // Check the copy before it replaces anything.
    if (Database::hasPlainHeader(target))
        return abandon(QStringLiteral("Die Kopie ist nicht verschlüsselt."));
    {
        Database copy;
        if (copy.open(target, zielConnect) != Database::Status::Ok)
            return abandon(copy.message());
        copy.kleinerCache();
        if (neu && neu->inDerKopie && !neu->inDerKopie(copy)) {
            const QString grund = copy.message();
            copy.close();
            return abandon(grund.isEmpty() ? QStringLiteral("Die Kopie konnte nicht geändert werden.")
                                           : grund);
        }
        melden(55);
        // The check reads and authenticates every page of the copy as the
        // export wrote it and walks every tree; together with the row counts
        // below it finds a copy that lost or spoiled anything. (The full
        // integrity check would also compare each index with its table,
        // which on a copy the engine has just built costs as much again as
        // the export itself.) Its share (55 to 95) is estimated from the
        // time the export took.
        QElapsedTimer pruefZeit;
        pruefZeit.start();
        Beobachter p;
        p.melden = &fortschritt;
        p.zuletzt = 55;
        const qint64 pruefMs = std::max<qint64>(exportMs / 3, 1);
        p.stand = [&pruefZeit, pruefMs] {
            return 55 + int(std::min<qint64>(pruefZeit.elapsed(), pruefMs) * 40 / pruefMs);
        };
        if (fortschritt)
            sqlite3_progress_handler(RawAccess::connection(copy), 1000, beobachten, &p);
        const bool heil =
            copy.scalar(QStringLiteral("PRAGMA quick_check")).toString() == QLatin1String("ok");
        sqlite3_progress_handler(RawAccess::connection(copy), 0, nullptr, nullptr);
        if (!heil) return abandon(QStringLiteral("Die Kopie ist fehlerhaft."));
        melden(95);
        if (copy.scalar(QStringLiteral("PRAGMA user_version")).toLongLong() != userVersion)
            return abandon(QStringLiteral("Die Kopie hat eine andere Version."));
        const QVariantList copied = tables.isEmpty() ? QVariantList() : countsOf(copy, QString());
        for (int i = 0; i < tables.size(); ++i) {
            if (i >= copied.size() || !copied.at(i).isValid() ||
                copied.at(i).toLongLong() != counts.at(i).toLongLong())
                return abandon(QStringLiteral("In der Kopie fehlen Datensätze der Tabelle %1.")
                                   .arg(tables.at(i)));
        }
    }

    // The copy keeps the original's protection: its mode, and its owner where
    // this user may hand the file over.
    if (::chmod(targetName.constData(), alt.st_mode & 07777) != 0)
        return abandon(QStringLiteral("Die Kopie kann die Rechte der Datenbankdatei nicht "
                                      "übernehmen."));
    if (::chown(targetName.constData(), alt.st_uid, alt.st_gid) != 0) {
        // Not permitted: the group alone may still be kept.
        [[maybe_unused]] const int r = ::chown(targetName.constData(), uid_t(-1), alt.st_gid);
    }

    if (neu && neu->vorDemErsetzen && !neu->vorDemErsetzen())
        return abandon(QStringLiteral("Die Kennzeichnung der Verschlüsselung konnte nicht "
                                      "geschrieben werden."));
    // rename(2) replaces the original in one step: either name always holds a
    // complete database.
    if (std::rename(targetName.constData(), QFile::encodeName(original).constData()) != 0)
        return abandon(QStringLiteral("Die Kopie konnte nicht umbenannt werden."));
    ordnerSichern(dir);
    melden(100);
    e.ok = true;
    return e;
}

} // namespace

} // namespace Kompaktierung
