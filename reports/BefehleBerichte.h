#pragma once
// The main window's report commands: the three reports, their printouts, the
// print command for the report shown and the order form. The main window
// stores lesezeichen before calling where its menu table says so, and shows
// the screen reports in its report view.

#include "core/Berichte.h"
#include "platform/ModalRunner.h"

class FormDruckRtf;
class MainWindowApi;

/// Report kinds kept in berichtart.
enum Berichtsart { BerichtKurz = 1, BerichtDifferenz = 2, BerichtKomplett = 3 };

// Screen reports for the main window: set berichtart, save lesezeichen,
// build berichttext while the progress bar runs. The caller shows the page,
// hides the progress bar and returns to lesezeichen.
BerichtSeite berichtKurzfassung(MainWindowApi& api);
BerichtSeite berichtDifferenz(MainWindowApi& api);

/// menu_berichtlang (F9): the complete report in the report window, modal.
void menuBerichtlang(MainWindowApi& api, const ModalRunner& modal = {});

// The printouts: each builds its printed layout into berichttext first.
// False when nothing was printed (the user has been told why).
bool DruckeKurzbericht(MainWindowApi& api);
bool DruckeDifferenzbericht(MainWindowApi& api);
/// Only fills the print form (landscape, caption set); the caller prints it.
void DruckeKomplettbericht(MainWindowApi& api, FormDruckRtf& form);
/// The printout of the complete report as the report window's button prints it.
bool komplettberichtDrucken(MainWindowApi& api);

/// The print command's report part: asks, then prints by berichtart (the
/// complete report is printed from its own window only).
void berichtDrucken(MainWindowApi& api);

/// menu_bestellschein: asks, prints "bestellschein.txt" of the program
/// directory line by line; a missing file is reported.
void DruckeBestellschein(MainWindowApi& api, const QString& programmVerzeichnis);
