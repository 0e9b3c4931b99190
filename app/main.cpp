// Kapito: the program directory is the working directory.

#include "app/Aktiendataform.h"
#include "app/Programmstart.h"
#include "app/Systemsignale.h"
#include "core/Clock.h"
#include "core/ModulAktien.h"
#include "db/Database.h"
#include "platform/ControlLoader.h"
#include "platform/Dialogs.h"
#include "platform/Fensterplatz.h"
#include "platform/HelpViewer.h"
#include "platform/Launcher.h"
#include "platform/Speicher.h"
#include "platform/Translations.h"
#include <QApplication>
#include <QDir>
#include <QIcon>

int main(int argc, char** argv) {
    dateigroessenGrenzeAbfangen();
    speicherEinstellen();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kapito"));
    // Ties the windows to the installed desktop entry; every window carries the icon.
    QApplication::setDesktopFileName(QStringLiteral("de.kapito.kapito"));
    appRessourcenLaden();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/app/icons/kapito.png")));
    // Ending is the main window's decision (question, toolbar, password prompt).
    QApplication::setQuitOnLastWindowClosed(false);
    installGermanTranslations(app);
    speicherImLeerlaufZurueckgeben();
    // Every window opens within the screen, however small.
    Fensterplatz::installieren();

    Database db;
    ModulAktien modul;
    WidgetDialogs dialogs;
    Clock uhr;
    HelpViewer hilfe;
    DesktopEditorLauncher editor;
    ControlLoader controls;
    Programmstart start(
        AppContext{db, modul, dialogs, uhr, hilfe, editor, controls, QDir::currentPath()});
    QObject::connect(&start, &Programmstart::beendet, &app,
                     [](int code) { QCoreApplication::exit(code); });
    if (!start.starten()) return start.exitCode();
    return app.exec();
}
