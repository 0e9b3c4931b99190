#include "transactions/BefehleDatenaustausch.h"

#include "core/Clock.h"
#include "core/Kursdatei.h"
#include "db/Recordset.h"
#include "platform/Dateiwahl.h"
#include "platform/Dialogs.h"
#include "platform/MainWindowApi.h"
#include "transactions/Datenexport.h"
#include "transactions/FormKursImport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressBar>

void menuKurseImportieren(MainWindowApi& api, Dateiwahl& wahl, const ModalRunner& modal) {
    Dialogs& dlg = api.dialogs();
    if (api.Daten1().recordCount() < 1) {
        dlg.notice(api.window(), QStringLiteral("Sie müssen zuerst eine neue Aktie aufnehmen!"));
        return;
    }
    const QString pfad =
        wahl.dateiOeffnen(api.window(), QStringLiteral("Kurse importieren"),
                          QStringLiteral("CSV-Dateien (*.csv *.txt);;Alle Dateien (*)"));
    if (pfad.isEmpty()) return;
    const QString name = QDir::toNativeSeparators(pfad);
    // The size first: a file beyond the limit is not read at all.
    if (QFileInfo(pfad).size() > Kursdatei::HoechsteGroesse) {
        dlg.notice(api.window(), Kursdatei::fehlerText(Kursdatei::Fehler::ZuGross));
        return;
    }
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly)) {
        dlg.notice(api.window(),
                   QStringLiteral("Die Datei \"%1\" kann nicht gelesen werden.").arg(name));
        return;
    }
    const QByteArray daten = f.read(Kursdatei::HoechsteGroesse + 1);
    f.close();
    Kursdatei::Tabelle t = Kursdatei::zerlegen(daten);
    const Kursdatei::Auswertung a = Kursdatei::auswerten(t, t.vorschlag);
    if (a.fehler != Kursdatei::Fehler::Keiner) {
        dlg.notice(api.window(), Kursdatei::fehlerText(a.fehler) +
                                     QStringLiteral("\n\nEs wurde nichts übernommen."));
        return;
    }
    FormKursImport fenster(api, std::move(t), name, api.window());
    zeigeModal(modal, fenster);
    if (fenster.ergebnis().isEmpty()) return; // cancelled: nothing written
    api.Daten1().requery();
    api.Daten2().requery();
    api.Daten3().requery();
    api.SummenAktualisieren();
    api.DepotUebersicht();
    api.zumLesezeichen();
    dlg.message(api.window(), fenster.ergebnis(), Dialogs::Icon::Information);
}

void menuDatenExportieren(MainWindowApi& api, Dateiwahl& wahl) {
    const QString basis = wahl.ordnerWaehlen(api.window(), QStringLiteral("Daten exportieren"));
    if (basis.isEmpty()) return;
    QProgressBar& balken = api.ProgressBar1();
    balken.setRange(0, int(Datenexport::dateinamen().size()));
    balken.setValue(0);
    balken.show();
    const Datenexport::Ergebnis e = Datenexport::exportieren(
        api.database(), basis, api.clock().today(), [&balken](int n) { balken.setValue(n); });
    balken.hide();
    if (!e.ok) {
        api.dialogs().notice(api.window(), e.fehler);
        return;
    }
    api.dialogs().message(api.window(),
                          QStringLiteral("Die Daten wurden in den Ordner\n\"%1\"\nexportiert.")
                              .arg(QDir::toNativeSeparators(e.ordner)),
                          Dialogs::Icon::Information);
}
