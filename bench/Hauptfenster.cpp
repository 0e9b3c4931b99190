#include "Hauptfenster.h"

#include <QCoreApplication>

std::unique_ptr<Aktiendataform> Hauptfenster::laden(BenchContext& ctx) {
    modul = ModulAktien();
    auto w = std::make_unique<Aktiendataform>(
        AppContext{ctx.db(), modul, dialogs, uhr, hilfe, editor, controls, ctx.programDir()});
    w->setDrucker(&drucker);
    w->Form_Load();
    QCoreApplication::processEvents();
    return w;
}
