#pragma once
// What the main window and the start procedure are handed from outside.
// Production fills it with the real services, tests with scripted ones.

#include <QString>

class Clock;
class ControlLoader;
class Database;
class Dialogs;
class EditorLauncher;
class HelpService;
struct ModulAktien;

struct AppContext {
    Database& db;
    ModulAktien& modul;
    Dialogs& dialogs;
    const Clock& clock;
    HelpService& help;
    EditorLauncher& editor;
    ControlLoader& controls;
    QString programmVerzeichnis; ///< where "aktien.mdb" lives
};
