#include "platform/Speicher.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <malloc.h>
#include <memory>

void speicherEinstellen() {
    // NOLINTBEGIN(misc-include-cleaner): the options are the C library's macros
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
    mallopt(M_TRIM_THRESHOLD, 1024 * 1024);
    // NOLINTEND(misc-include-cleaner)
}

void speicherZurueckgeben() {
    malloc_trim(0);
}

void speicherImLeerlaufZurueckgeben() {
    auto* app = QCoreApplication::instance();
    if (!app) return;
    QAbstractEventDispatcher* d = QAbstractEventDispatcher::instance(app->thread());
    if (!d) return;
    auto seit = std::make_shared<QElapsedTimer>();
    seit->start();
    QObject::connect(d, &QAbstractEventDispatcher::aboutToBlock, app, [seit] {
        if (seit->elapsed() < 2000) return;
        speicherZurueckgeben();
        seit->restart();
    });
}
