#pragma once
// German user interface: Qt's own German texts (standard buttons "Ja",
// "Nein", "Abbrechen") and the German locale with its decimal comma.

class QCoreApplication;

/// Loads qtbase_de from Qt's translation folder and makes German the default
/// locale. Returns false when the translation file could not be loaded.
bool installGermanTranslations(QCoreApplication& app);
