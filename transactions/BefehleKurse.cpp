#include "transactions/BefehleKurse.h"

#include "db/Recordset.h"
#include "platform/Dialogs.h"
#include "platform/MainWindowApi.h"
#include "transactions/FormAVEdit.h"
#include "transactions/FormAlleKurseNeu.h"
#include "transactions/FormNeuKurs.h"
#include "transactions/Formverkaufen.h"
#include "transactions/Loeschen.h"

void menuKursaktuell(MainWindowApi& api, const ModalRunner& modal) {
    if (!api.Daten1().hasCurrent()) return;
    FormNeuKurs f(api, api.window());
    zeigeModal(modal, f);
}

void menuAlleKurseneu(MainWindowApi& api, const ModalRunner& modal) {
    if (api.Daten1().recordCount() < 1) {
        api.dialogs().notice(api.window(),
                             QStringLiteral("Sie müssen zuerst eine neue Aktie aufnehmen!"));
        return;
    }
    api.setKartenkopfSichtbar(false);
    FormAlleKurseNeu f(api, api.window());
    zeigeModal(modal, f);
}

void menuVerkaufen(MainWindowApi& api, const ModalRunner& modal) {
    // Without a current package there is nothing to sell.
    if (!api.Daten1().hasCurrent()) return;
    Formverkaufen f(api, api.window());
    zeigeModal(modal, f);
}

void menuEdit(MainWindowApi& api, const ModalRunner& modal) {
    if (api.Daten1().recordCount() < 1 || !api.Daten1().hasCurrent()) return;
    FormAVEdit f(api, api.window());
    f.ausPaketFuellen();
    zeigeModal(modal, f);
}

void menuLoeschen(MainWindowApi& api) {
    Loeschen::paketLoeschen(api);
}
