#include "transactions/Loeschen.h"

#include "db/Recordset.h"
#include "platform/Dialogs.h"
#include "platform/MainWindowApi.h"
#include "transactions/PaketOperationen.h"

namespace Loeschen {

bool paketLoeschen(MainWindowApi& api) {
    Recordset& daten1 = api.Daten1();
    if (!daten1.hasCurrent()) return false;
    const QString aktie = daten1.text(QStringLiteral("aktie"));
    if (!api.dialogs().askStop(api.window(), Pakete::loeschFrage(aktie))) return false;
    const Pakete::Ergebnis r = Pakete::paketLoeschen(api.database(), daten1.bookmark());
    if (!r.ok) {
        api.dialogs().notice(api.window(), r.fehler);
        return false;
    }
    daten1.requery();
    api.paketBefehleAktualisieren();
    api.modul().AnzahlPakete = 0;
    api.PaketeZaehlen();
    api.SummenAktualisieren();
    daten1.moveFirst();
    return true;
}

} // namespace Loeschen
