#pragma once
// What the windows of the subsystems may reach of the main window. The main
// window (Aktiendataform) implements it; tests hand windows a light fake.

#include "core/ModulAktien.h"
#include <QString>
#include <functional>

class Clock;
class Database;
class Dialogs;
class Drucker;
class Recordset;
class QProgressBar;
class QWidget;

class MainWindowApi {
public:
    virtual ~MainWindowApi() = default;

    // Shared state and seams
    virtual Database& database() = 0;
    virtual ModulAktien& modul() = 0;
    virtual Dialogs& dialogs() = 0;
    virtual const Clock& clock() const = 0;
    /// Parent for modal windows and message boxes.
    virtual QWidget* window() = 0;
    /// The printer every print goes through.
    virtual Drucker& drucker() = 0;
    /// The main window's progress bar; reports move it while they are built.
    virtual QProgressBar& ProgressBar1() = 0;

    // The main window's record sets
    virtual Recordset& Daten1() = 0; ///< Aktiendaten, natural order
    virtual Recordset& Daten2() = 0; ///< kennwort
    virtual Recordset& Daten3() = 0; ///< kurse
    virtual Recordset& Daten4() = 0; ///< Indexkurse

    // Module procedures
    virtual void SummenAktualisieren() = 0;
    virtual void PaketeZaehlen() = 0;
    virtual void DepotUebersicht() = 0;
    /// Moves Daten1 to lesezeichen (stays where it is when the row is gone).
    virtual void zumLesezeichen() = 0;

    // What the card shows
    virtual QString gesamtwertText() const = 0;  ///< LabelGesamtwert, e.g. "1000.00"
    virtual QString aktieText() const = 0;       ///< Labelaktie
    virtual QString tageskursText() const = 0;   ///< Labeltageskurs

    /// Shows or hides the card's name, number and date labels and its picture
    /// (Labelaktie, Label8, Labeldatum, LabelWPKN, Label23, Image1).
    virtual void setKartenkopfSichtbar(bool visible) = 0;
    /// Enables menu_edit, menu_loeschen, menu_verkaufen and the related
    /// toolbar buttons after packages were added or the last one removed.
    virtual void paketBefehleAktualisieren() = 0;

    // Status bar panel 2
    virtual void setHinweis(const QString& text) = 0;
    virtual void hinweisZuruecksetzen() = 0;

    // Hand-overs between windows
    virtual void hilfeAnzeigen() = 0;        ///< help contents
    virtual void depotkontoOeffnen() = 0;    ///< FormDepotKonto, modal

    /// Runs `arbeit`, which replaces the database file (re-keying), while the
    /// record sets are closed; they are opened again afterwards on the same
    /// package. Returns what `arbeit` returned.
    virtual bool ohneDatensaetze(const std::function<bool()>& arbeit) = 0;
};
