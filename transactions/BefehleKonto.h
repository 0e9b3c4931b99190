#pragma once
// The main window's commands for the depot account, other gains, the
// realised gains and buying. Each does the opening logic of its command and
// runs its window modally.

#include "platform/ModalRunner.h"

class MainWindowApi;

/// menu_depotkonto and toolbar button 11: the account window.
void menuDepotkonto(MainWindowApi& api, const ModalRunner& modal = {});
/// menu_neu (F2) and toolbar button 0: the purchase window if the account
/// holds money, otherwise the message and then the account window
/// (through api.depotkontoOeffnen()).
void menuNeu(MainWindowApi& api, const ModalRunner& modal = {});
/// menu_gewinn_verlust: other gains, losses and dividends.
void menuGewinnVerlust(MainWindowApi& api, const ModalRunner& modal = {});
/// menu_gewinne (F11): the realised gains, unless the ledger is empty.
void menuGewinne(MainWindowApi& api, const ModalRunner& modal = {});
