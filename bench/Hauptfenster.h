#pragma once
// The services a main window is handed in the benchmark: scripted boxes,
// the system clock, a PDF printer in a folder of its own.

#include "Ops.h"

#include "app/Aktiendataform.h"
#include "core/Clock.h"
#include "core/ModulAktien.h"
#include "platform/ControlLoader.h"
#include "platform/Dialogs.h"
#include "platform/Drucker.h"
#include "platform/HelpViewer.h"
#include "platform/Launcher.h"

#include <QTemporaryDir>
#include <memory>

struct Hauptfenster {
    ModulAktien modul;
    ScriptedDialogs dialogs;
    Clock uhr;
    HelpViewer hilfe;
    DesktopEditorLauncher editor;
    ControlLoader controls;
    QTemporaryDir ablage;
    PdfDrucker drucker{ablage.path()};

    /// A new main window on the context's database with fresh module values,
    /// loaded as after the splash. Keep this object while the window lives.
    std::unique_ptr<Aktiendataform> laden(BenchContext& ctx);
};
