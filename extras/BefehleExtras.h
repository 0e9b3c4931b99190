#pragma once
// The main window's commands for the settings window, the password and the
// calculator. The main window stores lesezeichen before calling where its
// menu table says so.

#include "platform/ModalRunner.h"

class MainWindowApi;

void menuEinstellungen(MainWindowApi& api, const ModalRunner& modal = {});
void menuPasswort(MainWindowApi& api, const ModalRunner& modal = {});
void menuZielkurs(MainWindowApi& api, const ModalRunner& modal = {});
void menuSpekufrist(MainWindowApi& api, const ModalRunner& modal = {});
void menuZusammen(MainWindowApi& api, const ModalRunner& modal = {});
void menuSplit(MainWindowApi& api, const ModalRunner& modal = {});
void menuRechner(MainWindowApi& api, const ModalRunner& modal = {});
