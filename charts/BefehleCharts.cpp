#include "charts/BefehleCharts.h"

#include "charts/ChartDaten.h"
#include "charts/Druckstatistik.h"
#include "charts/Formchartkurse100.h"
#include "charts/statistik.h"
#include "core/Charts.h"
#include "core/Clock.h"
#include "core/Numbers.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/Dialogs.h"
#include "platform/Graph.h"
#include "platform/MainWindowApi.h"

#include <QScreen>

namespace {

/// The quote the card shows; 0 when it holds no number.
Currency letzterKurs(MainWindowApi& api) {
    return Numbers::parseCurrency(api.tageskursText()).value_or(Currency());
}

void hinweis(MainWindowApi& api, const QString& text) {
    api.dialogs().notice(api.window(), text);
}

/// Opens the chart window on its chart, drawn.
void fensterZeigen(MainWindowApi& api, const ModalRunner& modal, ChartArt art,
                   const std::function<void(Chartmodell&)>& fuettern) {
    statistik fenster(api, api.window());
    fuettern(fenster.Graph1->modell());
    fenster.setArt(art);
    fenster.Graph1->zeichnen();
    // The whole screen also where no window manager maximises.
    if (QScreen* schirm = api.window()->screen()) fenster.setGeometry(schirm->availableGeometry());
    fenster.setWindowState(fenster.windowState() | Qt::WindowMaximized);
    zeigeModal(modal, fenster);
}

/// Fills the print form, prints it and returns to lesezeichen.
bool ausdruck(MainWindowApi& api, const QString& was,
              const std::function<void(Chartmodell&)>& fuettern) {
    Druckstatistik form;
    fuettern(form.Graph1->modell());
    form.Graph1->zeichnen();
    const bool ok = form.drucken(api.drucker(), was);
    api.zumLesezeichen();
    return ok;
}

} // namespace

// ---------------------------------------------------------------- screen charts

bool Chart30(MainWindowApi& api, Graph& Graph1) {
    const QString name = api.aktieText();
    const QList<Currency> kurse = ChartDaten::kurse(api.database(), name, Charts::Tage30);
    if (kurse.size() < Charts::MindestKurse) {
        hinweis(api, Charts::zuWenigKurse(name));
        return false;
    }
    Charts::chart30(Graph1.modell(), kurse);
    Graph1.zeichnen();
    return true;
}

void Chart100(MainWindowApi& api, const ModalRunner& modal) {
    Database& db = api.database();
    const QString name = api.aktieText();
    if (ChartDaten::kursAnzahl(db, name) > Charts::Tage100 &&
        ChartDaten::kurseKuerzen(db, name, Charts::Tage100) < 0)
        hinweis(api, QStringLiteral("Die älteren Kurse von \"%1\" konnten nicht gelöscht "
                                    "werden.\nDer Chart zeigt die letzten 100 Kurse.")
                         .arg(Charts::namensKern(name)));
    const QList<Currency> kurse = ChartDaten::kurse(db, name, Charts::Tage100);
    if (kurse.size() < Charts::MindestKurse) {
        hinweis(api, Charts::zuWenigKurse(name));
        return;
    }
    const Currency kurs = letzterKurs(api);
    fensterZeigen(api, modal, ChartArt::Chart100,
                  [&](Chartmodell& m) { Charts::chart100(m, kurse, name, kurs); });
}

bool Bilanzchart(MainWindowApi& api, Graph& Graph1) {
    const QList<Charts::BilanzPosten> posten = ChartDaten::bilanz(api.database());
    if (posten.isEmpty()) {
        hinweis(api, Charts::keinPaket());
        return false;
    }
    Charts::bilanzchart(Graph1.modell(), posten);
    Graph1.zeichnen();
    return true;
}

void Indexchart(MainWindowApi& api, const ModalRunner& modal) {
    Database& db = api.database();
    if (ChartDaten::indexAnzahl(db) > Charts::Tage100) {
        if (ChartDaten::indexKuerzen(db, Charts::Tage100) < 0)
            hinweis(api, QStringLiteral("Die älteren Indexwerte konnten nicht gelöscht werden.\n"
                                        "Der Chart zeigt die letzten 100 Werte."));
        // The main window's record set must not stand on a deleted row.
        api.Daten4().requery();
    }
    const QList<double> werte = ChartDaten::indexwerte(db, Charts::Tage100);
    if (werte.size() < Charts::MindestKurse) {
        hinweis(api, Charts::zuWenigIndexwerte());
        return;
    }
    const QDate heute = api.clock().today();
    fensterZeigen(api, modal, ChartArt::Index,
                  [&](Chartmodell& m) { Charts::indexchart(m, werte, heute); });
}

// ---------------------------------------------------------------- printouts

bool DruckeChart30(MainWindowApi& api) {
    const QString name = api.aktieText();
    const QList<Currency> kurse = ChartDaten::kurse(api.database(), name, Charts::Tage30);
    if (kurse.size() < Charts::MindestKurse) {
        hinweis(api, Charts::zuWenigKurse(name));
        api.zumLesezeichen();
        return false;
    }
    return ausdruck(api, QStringLiteral("30 Tage-Chart ") + Charts::namensKern(name),
                    [&](Chartmodell& m) { Charts::chart30(m, kurse); });
}

bool DruckeChart100(MainWindowApi& api) {
    const QString name = api.aktieText();
    const QList<Currency> kurse = ChartDaten::kurse(api.database(), name, Charts::Tage100);
    if (kurse.size() < Charts::MindestKurse) {
        hinweis(api, Charts::zuWenigKurse(name));
        api.zumLesezeichen();
        return false;
    }
    const Currency kurs = letzterKurs(api);
    return ausdruck(api, QStringLiteral("100 Tage-Chart ") + Charts::namensKern(name),
                    [&](Chartmodell& m) { Charts::chart100Druck(m, kurse, name, kurs); });
}

bool DruckeBilanzchart(MainWindowApi& api) {
    const QList<Charts::BilanzPosten> posten = ChartDaten::bilanz(api.database());
    if (posten.isEmpty()) {
        hinweis(api, Charts::keinPaket());
        api.zumLesezeichen();
        return false;
    }
    return ausdruck(api, QStringLiteral("Bilanz-Chart"),
                    [&](Chartmodell& m) { Charts::bilanzchart(m, posten); });
}

bool DruckeIndexchart(MainWindowApi& api) {
    const QList<double> werte = ChartDaten::indexwerte(api.database(), Charts::Tage100);
    if (werte.size() < Charts::MindestKurse) {
        hinweis(api, Charts::zuWenigIndexwerte());
        api.zumLesezeichen();
        return false;
    }
    const QDate heute = api.clock().today();
    return ausdruck(api, QStringLiteral("Index-Chart"),
                    [&](Chartmodell& m) { Charts::indexchart(m, werte, heute); });
}

bool chartDrucken(MainWindowApi& api, ChartArt art) {
    switch (art) {
    case ChartArt::Chart30:
        return DruckeChart30(api);
    case ChartArt::Chart100:
        return DruckeChart100(api);
    case ChartArt::Bilanz:
        return DruckeBilanzchart(api);
    case ChartArt::Index:
        // The index chart prints as it is shown.
        return DruckeIndexchart(api);
    }
    return false;
}

// ---------------------------------------------------------------- chart quotes

void menuK100(MainWindowApi& api, const ModalRunner& modal) {
    if (!ChartDaten::kurseVorhanden(api.database())) {
        hinweis(api, Charts::keineKurseZumBearbeiten());
        return;
    }
    Formchartkurse100 fenster(api, api.window());
    zeigeModal(modal, fenster);
}

void KurseLoeschen(MainWindowApi& api) {
    Database& db = api.database();
    const QString name = api.aktieText();
    if (ChartDaten::kursAnzahl(db, name) == 0) {
        hinweis(api, Charts::keineKurseGefunden(name));
        return;
    }
    if (!api.dialogs().askStop(api.window(), Charts::kurseLoeschenFrage(name))) return;
    if (ChartDaten::kurseLoeschen(db, name) < 0)
        hinweis(api, QStringLiteral("Die Chart-Kurse von \"%1\" konnten nicht gelöscht werden.\n%2")
                         .arg(Charts::namensKern(name), db.message()));
}
