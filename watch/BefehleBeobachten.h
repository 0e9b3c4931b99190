#pragma once
// The main window's commands for the stock index and the watch list. The
// main window stores lesezeichen before calling where its menu table says so.

#include "platform/ModalRunner.h"

class MainWindowApi;

/// "&Aktienindex": the index window, modal.
void menuIndex(MainWindowApi& api, const ModalRunner& modal = {});
/// "&Aktien beobachten": the watch list, modal.
void menuBeobachten(MainWindowApi& api, const ModalRunner& modal = {});
