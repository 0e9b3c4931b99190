#include "db/Dateipruefung.h"

#include "db/Schema.h"
#include "db/SqlUtil.h"
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <atomic>
#include <sys/stat.h>

namespace Dateipruefung {

namespace {

std::atomic<bool> schaden{false};

constexpr const char* MerkEndung = ".geprueft";
constexpr const char* MerkKopf = "kapito-geprueft 1";

/// What changes with every write to the file and with every file put in its
/// place; the change time cannot be set back by hand.
QByteArray zustand(const QString& pfad) {
    struct stat st {};
    if (::stat(QFile::encodeName(pfad).constData(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
    return QByteArray(MerkKopf) + ' ' + QByteArray::number(quint64(st.st_dev)) + ' ' +
           QByteArray::number(quint64(st.st_ino)) + ' ' + QByteArray::number(qint64(st.st_size)) +
           ' ' + QByteArray::number(qint64(st.st_mtim.tv_sec)) + '.' +
           QByteArray::number(qint64(st.st_mtim.tv_nsec)) + ' ' +
           QByteArray::number(qint64(st.st_ctim.tv_sec)) + '.' +
           QByteArray::number(qint64(st.st_ctim.tv_nsec));
}

bool mitJournal(const QString& pfad) {
    for (const char* endung : {"-journal", "-wal"})
        if (QFileInfo::exists(pfad + QLatin1String(endung))) return true;
    return false;
}

} // namespace

QString merkPfad(const QString& pfad) {
    return pfad + QLatin1String(MerkEndung);
}

void schadenMelden() {
    schaden = true;
}

bool unberuehrt(const QString& pfad) {
    if (schaden || mitJournal(pfad)) return false;
    QFile f(merkPfad(pfad));
    if (!f.open(QIODevice::ReadOnly) || f.size() > 512) return false;
    const QByteArray jetzt = zustand(pfad);
    return !jetzt.isEmpty() && f.readAll().trimmed() == jetzt;
}

void alsHeilMerken(const QString& pfad) {
    const QByteArray jetzt = zustand(pfad);
    if (schaden || jetzt.isEmpty() || mitJournal(pfad)) return;
    // Only a hint for the next start: a folder that cannot take it means the
    // next start reads every page, as without it.
    QSaveFile f(merkPfad(pfad));
    if (f.open(QIODevice::WriteOnly) && f.write(jetzt + '\n') == jetzt.size() + 1) f.commit();
}

Ergebnis pruefen(const QString& pfad, const QString& connect) {
    Ergebnis e;
    const QByteArray vorher = zustand(pfad);
    e.jedeSeite = !unberuehrt(pfad);
    const QString beschaedigt = Database::damagedMessage(QFileInfo(pfad).fileName());
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(pfad).constData(), &db, SQLITE_OPEN_READONLY,
                        nullptr) != SQLITE_OK ||
        !SqlUtil::applyKey(db, Database::keyFromConnect(connect))) {
        sqlite3_close_v2(db);
        e.meldung = beschaedigt;
        return e;
    }
    // quick_check reads every page of every table and index; a page that
    // does not decrypt ends it with an error instead of a row.
    // A file as the program left it whole is not read again page by page:
    // its key and its settings row are still checked below.
    bool heil = !e.jedeSeite;
    sqlite3_stmt* stmt = nullptr;
    if (e.jedeSeite &&
        sqlite3_prepare_v2(db, "PRAGMA quick_check", -1, &stmt, nullptr) == SQLITE_OK) {
        int zeilen = 0;
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
            heil = ++zeilen == 1 && t && qstrcmp(t, "ok") == 0;
        }
        heil = heil && rc == SQLITE_DONE;
    }
    sqlite3_finalize(stmt);
    stmt = nullptr;
    // Without its settings row no password is ever accepted and nothing is
    // stored right: the file is not whole.
    bool einstellungen = false;
    if (heil && sqlite3_prepare_v2(db, "SELECT count(*) FROM kennwort", -1, &stmt, nullptr) ==
                    SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW)
        einstellungen = sqlite3_column_int64(stmt, 0) >= 1;
    sqlite3_finalize(stmt);
    sqlite3_close_v2(db);
    e.ok = heil && einstellungen;
    if (!e.ok) {
        e.meldung = beschaedigt;
        QFile::remove(merkPfad(pfad));
    } else if (e.jedeSeite && zustand(pfad) == vorher) {
        alsHeilMerken(pfad);
    }
    return e;
}

void nachruesten(const QString& pfad, const QString& connect) {
    Database db;
    if (db.open(pfad, connect) != Database::Status::Ok || db.dateiSchreibgeschuetzt() ||
        db.ordnerSchreibgeschuetzt())
        return;
    // Speed only: a failure changes nothing that works without it.
    for (const QString& sql : Schema::nachruestStatements())
        db.exec(sql);
}

} // namespace Dateipruefung
