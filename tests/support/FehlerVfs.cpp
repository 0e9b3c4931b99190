#include "support/FehlerVfs.h"

#include <cerrno>
#include <sqlcipher/sqlite3.h>

namespace {

FehlerVfs::Fehler g_fehler = FehlerVfs::Fehler::Keiner;
sqlite3_vfs* g_echt = nullptr;
sqlite3_vfs g_vfs;
int g_letzterFehler = 0;

struct Datei {
    sqlite3_file basis;
    sqlite3_file* echt;
    int flags;
    alignas(8) char rest[8];
};

sqlite3_file* echt(sqlite3_file* f) {
    return reinterpret_cast<Datei*>(f)->echt;
}

int xClose(sqlite3_file* f) {
    sqlite3_file* e = echt(f);
    const int rc = e->pMethods ? e->pMethods->xClose(e) : SQLITE_OK;
    f->pMethods = nullptr;
    return rc;
}
int xRead(sqlite3_file* f, void* p, int n, sqlite3_int64 o) {
    return echt(f)->pMethods->xRead(echt(f), p, n, o);
}
int xWrite(sqlite3_file* f, const void* p, int n, sqlite3_int64 o) {
    if (g_fehler == FehlerVfs::Fehler::Voll) return SQLITE_FULL;
    return echt(f)->pMethods->xWrite(echt(f), p, n, o);
}
int xTruncate(sqlite3_file* f, sqlite3_int64 n) {
    return echt(f)->pMethods->xTruncate(echt(f), n);
}
int xSync(sqlite3_file* f, int flags) {
    return echt(f)->pMethods->xSync(echt(f), flags);
}
int xFileSize(sqlite3_file* f, sqlite3_int64* n) {
    return echt(f)->pMethods->xFileSize(echt(f), n);
}
int xLock(sqlite3_file* f, int l) {
    return echt(f)->pMethods->xLock(echt(f), l);
}
int xUnlock(sqlite3_file* f, int l) {
    return echt(f)->pMethods->xUnlock(echt(f), l);
}
int xCheckReservedLock(sqlite3_file* f, int* r) {
    return echt(f)->pMethods->xCheckReservedLock(echt(f), r);
}
int xFileControl(sqlite3_file* f, int op, void* a) {
    return echt(f)->pMethods->xFileControl(echt(f), op, a);
}
int xSectorSize(sqlite3_file* f) {
    return echt(f)->pMethods->xSectorSize(echt(f));
}
int xDeviceCharacteristics(sqlite3_file* f) {
    return echt(f)->pMethods->xDeviceCharacteristics(echt(f));
}
int xShmMap(sqlite3_file* f, int i, int n, int b, void volatile** p) {
    return echt(f)->pMethods->xShmMap(echt(f), i, n, b, p);
}
int xShmLock(sqlite3_file* f, int o, int n, int fl) {
    return echt(f)->pMethods->xShmLock(echt(f), o, n, fl);
}
void xShmBarrier(sqlite3_file* f) {
    echt(f)->pMethods->xShmBarrier(echt(f));
}
int xShmUnmap(sqlite3_file* f, int d) {
    return echt(f)->pMethods->xShmUnmap(echt(f), d);
}
int xFetch(sqlite3_file* f, sqlite3_int64 o, int n, void** p) {
    if (echt(f)->pMethods->iVersion < 3) {
        *p = nullptr;
        return SQLITE_OK;
    }
    return echt(f)->pMethods->xFetch(echt(f), o, n, p);
}
int xUnfetch(sqlite3_file* f, sqlite3_int64 o, void* p) {
    if (echt(f)->pMethods->iVersion < 3) return SQLITE_OK;
    return echt(f)->pMethods->xUnfetch(echt(f), o, p);
}

const sqlite3_io_methods g_methoden = {
    3,        xClose,  xRead,           xWrite,      xTruncate,  xSync,
    xFileSize, xLock,  xUnlock,         xCheckReservedLock, xFileControl, xSectorSize,
    xDeviceCharacteristics, xShmMap, xShmLock, xShmBarrier, xShmUnmap, xFetch,
    xUnfetch};

int xOpen(sqlite3_vfs*, const char* name, sqlite3_file* f, int flags, int* outFlags) {
    auto* d = reinterpret_cast<Datei*>(f);
    d->echt = reinterpret_cast<sqlite3_file*>(d->rest);
    d->flags = flags;
    f->pMethods = nullptr;
    const bool hauptdatei = (flags & SQLITE_OPEN_MAIN_DB) != 0;
    if (!hauptdatei &&
        (g_fehler == FehlerVfs::Fehler::OrdnerSchreibgeschuetzt ||
         g_fehler == FehlerVfs::Fehler::OrdnerOhneGrund) &&
        (flags & SQLITE_OPEN_CREATE)) {
        g_letzterFehler = g_fehler == FehlerVfs::Fehler::OrdnerSchreibgeschuetzt ? EACCES : 0;
        return SQLITE_CANTOPEN;
    }
    if (hauptdatei && g_fehler == FehlerVfs::Fehler::DateiSchreibgeschuetzt &&
        (flags & SQLITE_OPEN_READWRITE))
        // What the engine does when it may not open the file for writing.
        flags = (flags & ~(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)) | SQLITE_OPEN_READONLY;
    const int rc = g_echt->xOpen(g_echt, name, d->echt, flags, outFlags);
    if (rc == SQLITE_OK) f->pMethods = &g_methoden;
    return rc;
}

int xSleep(sqlite3_vfs*, int mikro) {
    return mikro; // a lock held by another connection is given up at once
}

int xGetLastError(sqlite3_vfs*, int n, char* text) {
    if (g_fehler == FehlerVfs::Fehler::OrdnerOhneGrund) return 0;
    if (g_letzterFehler != 0) {
        const int e = g_letzterFehler;
        g_letzterFehler = 0;
        return e;
    }
    return g_echt->xGetLastError(g_echt, n, text);
}

} // namespace

FehlerVfs::FehlerVfs() {
    g_echt = sqlite3_vfs_find(nullptr);
    g_vfs = *g_echt;
    g_vfs.pNext = nullptr;
    g_vfs.zName = "kapito-fehler";
    g_vfs.szOsFile = int(sizeof(Datei)) - 8 + g_echt->szOsFile;
    g_vfs.xOpen = xOpen;
    g_vfs.xSleep = xSleep;
    g_vfs.xGetLastError = xGetLastError;
    g_fehler = Fehler::Keiner;
    sqlite3_vfs_register(&g_vfs, 1);
}

FehlerVfs::~FehlerVfs() {
    sqlite3_vfs_unregister(&g_vfs);
    g_fehler = Fehler::Keiner;
}

void FehlerVfs::setFehler(Fehler f) {
    g_fehler = f;
}
