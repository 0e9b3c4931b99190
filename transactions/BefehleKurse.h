#pragma once
// The main window's commands for quotes, selling, editing and deleting. Each
// does the opening logic of its command and runs its window modally. The
// main window stores lesezeichen before calling where its menu table says so.

#include "platform/ModalRunner.h"

class MainWindowApi;

void menuKursaktuell(MainWindowApi& api, const ModalRunner& modal = {});
void menuAlleKurseneu(MainWindowApi& api, const ModalRunner& modal = {});
void menuVerkaufen(MainWindowApi& api, const ModalRunner& modal = {});
void menuEdit(MainWindowApi& api, const ModalRunner& modal = {});
/// Deleting has no window: the question and the deletion run here.
void menuLoeschen(MainWindowApi& api);
