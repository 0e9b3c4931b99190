#include "transactions/BefehleKonto.h"

#include "db/Depot.h"
#include "db/Recordset.h"
#include "platform/Dialogs.h"
#include "platform/MainWindowApi.h"
#include "transactions/FormAVNeu.h"
#include "transactions/FormDepotKonto.h"
#include "transactions/FormSonstige.h"
#include "transactions/KontoOperationen.h"
#include "transactions/Realgewinnform.h"

namespace {

void lesezeichenSetzen(MainWindowApi& api) {
    api.modul().lesezeichen = api.Daten1().bookmark();
}

} // namespace

void menuDepotkonto(MainWindowApi& api, const ModalRunner& modal) {
    lesezeichenSetzen(api);
    FormDepotKonto w(api, api.window());
    zeigeModal(modal, w);
}

void menuNeu(MainWindowApi& api, const ModalRunner& modal) {
    const std::optional<Currency> stand = Depot::kontostand(api.database());
    if (!stand) {
        // A balance that cannot be formed is neither "no money" nor enough.
        api.dialogs().notice(api.window(), Depot::kontostandFehlerText());
        return;
    }
    api.modul().Kontostand = *stand;
    if (api.modul().Kontostand > Currency()) {
        lesezeichenSetzen(api);
        FormAVNeu w(api, api.window());
        zeigeModal(modal, w);
        return;
    }
    api.dialogs().notice(api.window(),
                         QStringLiteral("Ihr Konto weist kein Guthaben aus!\n\r"
                                        "Sie müssen zuerst einen ausreichenden Betrag auf Ihr "
                                        "Depotkonto buchen."));
    api.depotkontoOeffnen();
}

void menuGewinnVerlust(MainWindowApi& api, const ModalRunner& modal) {
    lesezeichenSetzen(api);
    FormSonstige w(api, api.window());
    zeigeModal(modal, w);
}

void menuGewinne(MainWindowApi& api, const ModalRunner& modal) {
    lesezeichenSetzen(api);
    if (!Konto::hatBuchungen(api.database())) {
        api.dialogs().notice(api.window(), QStringLiteral("Es sind noch keine Werte gespeichert!"));
        return;
    }
    Realgewinnform w(api, api.window());
    zeigeModal(modal, w);
}
