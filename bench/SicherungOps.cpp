// The daily backup of the big depot, against a plain copy of the same bytes.

#include "Ops.h"

#include "app/Sicherung.h"

#include <QDir>
#include <QFile>
#include <stdexcept>
#include <unistd.h>

void runSicherung(BenchContext& ctx, QList<BenchResult>& out) {
    // Once a day, at the start, like a compaction.
    BenchResult r{QStringLiteral("Daily backup"), 0, {}, 1000, {}};
    if (!ctx.want(r.name)) return;
    const QString ordner = QDir(ctx.programDir()).filePath(QString::fromLatin1(Sicherung::Ordner));
    const QString kopie = QDir(ctx.programDir()).filePath(QStringLiteral("floor-kopie.mdb"));
    const auto leeren = [&] {
        QDir(ordner).removeRecursively();
        QFile::remove(kopie);
    };
    r.medianMs = medianMs(ctx.runs(), leeren, [&] {
        const QString fehler = Sicherung::anlegen(ctx.db(), ctx.today(), Sicherung::Art::Taeglich);
        if (!fehler.isEmpty()) throw std::runtime_error(fehler.toStdString());
    });
    // Floor: the file's bytes into a new file, flushed to disk.
    r.floorMs = medianMs(ctx.runs(), leeren, [&] {
        if (!QFile::copy(ctx.dbPath(), kopie)) throw std::runtime_error("copy failed");
        QFile f(kopie);
        if (!f.open(QIODevice::ReadWrite) || ::fsync(f.handle()) != 0)
            throw std::runtime_error("fsync failed");
    });
    leeren();
    out << finishedResult(r);
}
