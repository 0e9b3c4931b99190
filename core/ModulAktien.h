#pragma once
// The program-wide values of the shared module. One instance is owned by the
// application and handed to the windows that use them, so every test starts
// from a fresh state.

#include "core/Currency.h"
#include <QString>
#include <cstdint>

/// A record-set bookmark: the hidden insertion-order key of a row; -1 = none.
using Bookmark = std::int64_t;

struct ModulAktien {
    Bookmark lesezeichen = -1;      ///< the package to return to
    bool KarteAktiv = false;        ///< card was shown with Command5
    int DMAnzeige = 0;              ///< 1 = DM quick info on
    QString PasswortGespeichert;    ///< kennwort.passwort as read at start (stored form)
    QString PasswortEingabe;        ///< password entered at the prompt / on the tab
    QString PasswortAktuell;        ///< current plain password
    Currency Gesamtwert;            ///< total value of all packages (Euro)
    int AnzahlPakete = 0;           ///< number of packages
    Currency Kontostand;            ///< account balance (DM)
    QString berichttext;            ///< the current report text
    int berichtart = 0;             ///< 1 short, 2 day difference, 3 complete report
    QString berichtindexname;       ///< index name the day-difference report read last
};
