#include "app/Rueckgaengigbefehle.h"

#include "app/Aktiendataform.h"
#include "db/Database.h"
#include "db/Rueckgaengig.h"
#include "platform/Dialogs.h"
#include <QAction>

namespace Rueckgaengigbefehle {

void menueAktualisieren(Aktiendataform& f) {
    const Rueckgaengig& liste = f.database().rueckgaengig();
    const QString rueck = liste.rueckgaengigName();
    const QString vor = liste.wiederholenName();
    // While the notes are edited every command waits; that state is restored later.
    const bool frei = !f.notizenOffen();
    if (QAction* a = f.menu_rueckgaengig) {
        a->setText(rueck.isEmpty() ? QStringLiteral("Rückgängig")
                                   : QStringLiteral("&Rückgängig: ") + rueck);
        if (frei) a->setEnabled(!rueck.isEmpty());
    }
    if (QAction* a = f.menu_wiederholen) {
        a->setText(vor.isEmpty() ? QStringLiteral("Wiederholen")
                                 : QStringLiteral("&Wiederholen: ") + vor);
        if (frei) a->setEnabled(!vor.isEmpty());
    }
}

void ausfuehren(Aktiendataform& f, bool rueck) {
    if (f.notizenOffen()) return;
    Rueckgaengig& liste = f.database().rueckgaengig();
    const QString name = rueck ? liste.rueckgaengigName() : liste.wiederholenName();
    if (name.isEmpty()) {
        menueAktualisieren(f);
        return;
    }
    const bool ok = rueck ? liste.rueckgaengig() : liste.wiederholen();
    if (!ok) {
        const QString grund = f.database().message();
        f.dialogs().notice(&f, (rueck ? QStringLiteral("\"%1\" konnte nicht rückgängig gemacht "
                                                       "werden. Es wurde nichts geändert.")
                                      : QStringLiteral("\"%1\" konnte nicht wiederholt werden. "
                                                       "Es wurde nichts geändert."))
                                       .arg(name) +
                                   (grund.isEmpty() ? QString() : QStringLiteral("\n\n") + grund));
        menueAktualisieren(f);
        return;
    }
    f.datenNeuLesen();
    f.setHinweis((rueck ? QStringLiteral("Rückgängig gemacht: ") : QStringLiteral("Wiederholt: ")) +
                 name);
}

} // namespace Rueckgaengigbefehle
