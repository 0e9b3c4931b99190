#pragma once
// The commands that bring quotes in from a file and the depot out into files.

#include "platform/ModalRunner.h"

class Dateiwahl;
class MainWindowApi;

/// Bearbeiten → "Kurse importieren...": picks a file, reads it, shows the
/// preview and, after "Übernehmen", refreshes the main window and says what
/// was taken over.
void menuKurseImportieren(MainWindowApi& api, Dateiwahl& wahl, const ModalRunner& modal = {});
/// Wertpapier → "Daten exportieren...": picks a folder and writes every table
/// into a new subfolder of it.
void menuDatenExportieren(MainWindowApi& api, Dateiwahl& wahl);
