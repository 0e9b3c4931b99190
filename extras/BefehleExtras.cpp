#include "extras/BefehleExtras.h"

#include "extras/FormExtras.h"
#include "extras/Rechner.h"
#include "platform/MainWindowApi.h"

namespace {

// Every opener of the settings window hides the card's header while it is
// open; leaving the window shows it again when the card was active.
void einstellungenOeffnen(MainWindowApi& api, const ModalRunner& modal, FormExtras::Reiter reiter,
                          bool nurDieser, const QString& label13) {
    api.setKartenkopfSichtbar(false);
    FormExtras f(api, api.window());
    f.vorbereiten(reiter, nurDieser, label13);
    zeigeModal(modal, f);
}

} // namespace

void menuEinstellungen(MainWindowApi& api, const ModalRunner& modal) {
    einstellungenOeffnen(api, modal, FormExtras::StopZiel, false, QString());
}

void menuZielkurs(MainWindowApi& api, const ModalRunner& modal) {
    einstellungenOeffnen(api, modal, FormExtras::StopZiel, true,
                         QStringLiteral("Kursziel + Stopkurs"));
}

void menuSpekufrist(MainWindowApi& api, const ModalRunner& modal) {
    einstellungenOeffnen(api, modal, FormExtras::Spekufrist, true,
                         QStringLiteral("Spekulationsfrist"));
}

void menuPasswort(MainWindowApi& api, const ModalRunner& modal) {
    einstellungenOeffnen(api, modal, FormExtras::Passwort, true, QStringLiteral("Passwort"));
}

void menuSplit(MainWindowApi& api, const ModalRunner& modal) {
    einstellungenOeffnen(api, modal, FormExtras::Split, true, QStringLiteral("Aktiensplit"));
}

void menuZusammen(MainWindowApi& api, const ModalRunner& modal) {
    einstellungenOeffnen(api, modal, FormExtras::Pakete, true,
                         QStringLiteral("Aktienpakete bündeln"));
}

void menuRechner(MainWindowApi& api, const ModalRunner& modal) {
    Rechner r(api.dialogs(), api.window());
    zeigeModal(modal, r);
}
