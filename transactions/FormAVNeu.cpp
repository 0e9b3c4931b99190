#include "transactions/FormAVNeu.h"

#include "core/Clock.h"
#include "db/Database.h"
#include "db/Depot.h"
#include "db/Recordset.h"
#include "platform/Beschriftung.h"
#include "platform/Dialogs.h"
#include "platform/Fensterteile.h"
#include "platform/HoverButton.h"
#include "platform/HoverReset.h"
#include "platform/MainWindowApi.h"
#include "platform/NumericField.h"
#include "platform/Textfeld.h"
#include "platform/Ueberschrift.h"
#include "transactions/KontoOperationen.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

FormAVNeu::FormAVNeu(MainWindowApi& api, QWidget* parent) : Datenfenster(api, parent) {
    setObjectName(QStringLiteral("FormAVNeu"));
    setWindowTitle(QStringLiteral("Wertpapier kaufen"));

    Dialogs& d = m_api.dialogs();
    Textaktie = new QLineEdit(this);
    Textaktie->setObjectName(QStringLiteral("Textaktie"));
    einzeiligesFeld(Textaktie);
    NumericConfig ziffern = NumericConfig::digits();
    ziffern.maxLength = 6;
    Kennummer = new NumericField(d, ziffern, this);
    Kennummer->setObjectName(QStringLiteral("Kennummer"));
    Textstueck = new NumericField(d, NumericConfig::decimal(), this);
    Textstueck->setObjectName(QStringLiteral("Textstück"));
    Textgebuehren = new NumericField(d, NumericConfig::decimal(), this);
    Textgebuehren->setObjectName(QStringLiteral("Textgebühren"));
    Textkaufpreis = new NumericField(d, NumericConfig::decimal(), this);
    Textkaufpreis->setObjectName(QStringLiteral("Textkaufpreis"));
    DTPicker1 = Fensterteile::datumsfeld(QStringLiteral("DTPicker1"), this, m_api.clock().today());
    schalterAnlegen();
    setErstesFeld(Textaktie);

    auto* kopf = ueberschrift(QStringLiteral("Wertpapier kaufen"), this);

    auto* felder = new QGridLayout;
    int zeile = 0;
    const auto feld = [&](const QString& beschriftung, QWidget* w, const QString& einheit) {
        felder->addWidget(::beschriftung(beschriftung, w, this), zeile, 0);
        felder->addWidget(w, zeile, 1);
        if (!einheit.isEmpty()) {
            felder->addWidget(new QLabel(einheit, this), zeile, 2);
            w->setAccessibleName(w->accessibleName() + QLatin1Char(' ') + einheit);
        }
        ++zeile;
    };
    feld(QStringLiteral("   Aktie / Fond"), Textaktie, QString());
    feld(QStringLiteral("WP-KN"), Kennummer, QString());
    feld(QStringLiteral("Stück"), Textstueck, QString());
    feld(QStringLiteral("Gebühren"), Textgebuehren, QStringLiteral("in Euro"));
    feld(QStringLiteral("Kaufkurs"), Textkaufpreis, QStringLiteral("in Euro"));
    feld(QStringLiteral("Datum"), DTPicker1, QString());
    felder->setColumnStretch(1, 1);
    Textaktie->setMinimumWidth(Textaktie->fontMetrics().horizontalAdvance(QString(30, 'X')));

    auto* leiste = new QHBoxLayout;
    leiste->addWidget(schalter[10]);
    leiste->addStretch(1);
    leiste->addWidget(schalter[11]);
    leiste->addWidget(schalter[12]);

    auto* haupt = new QVBoxLayout(this);
    haupt->addWidget(kopf);
    haupt->addLayout(felder);
    haupt->addLayout(leiste);

    QWidget::setTabOrder(Textaktie, Kennummer);
    QWidget::setTabOrder(Kennummer, Textstueck);
    QWidget::setTabOrder(Textstueck, Textgebuehren);
    QWidget::setTabOrder(Textgebuehren, Textkaufpreis);
    QWidget::setTabOrder(Textkaufpreis, DTPicker1);

    // Enter in any of the five text fields saves.
    const auto enter = [this] { schalter_Click(11); };
    connect(Textaktie, &QLineEdit::returnPressed, this, enter);
    for (NumericField* n : {Kennummer, Textstueck, Textgebuehren, Textkaufpreis})
        n->setEnterAction(enter);

    HoverReset::install(this);
}

void FormAVNeu::speichern() {
    Database& db = m_api.database();
    Dialogs& d = m_api.dialogs();
    // Each field is read once, here; the checks and the writes take the typed values.
    const Konto::KaufFelder felder =
        Konto::KaufFelder::lesen(Textaktie->text(), Kennummer->text(), Textstueck->text(),
                                 Textgebuehren->text(), Textkaufpreis->text(), DTPicker1->date());

    const std::optional<Currency> stand = Depot::kontostand(db);
    if (stand) m_api.modul().Kontostand = *stand;
    const Konto::KaufPruefErgebnis p = Konto::kaufPruefen(felder, stand);
    if (p.art != Konto::KaufPruefung::Ok) {
        d.notice(this, p.meldung);
        return;
    }
    if (!d.ask(this, QStringLiteral("Möchten Sie diesen Datensatz jetzt speichern?"))) return;

    const Konto::KaufErgebnis r = Konto::kaufSchreiben(db, p.eingabe, p.betraege);
    if (!r.ok) {
        d.notice(this, r.fehler);
        return;
    }

    // The main window shows the new state; the package commands look at the
    // re-read packages, so they follow the requery.
    m_api.modul().AnzahlPakete = 0;
    m_api.Daten1().requery();
    m_api.Daten2().requery();
    m_api.paketBefehleAktualisieren();
    m_api.PaketeZaehlen();
    m_api.SummenAktualisieren();
    m_api.DepotUebersicht();
    if (const auto neu = Depot::kontostand(db)) m_api.modul().Kontostand = *neu;

    m_api.zumLesezeichen();
    accept();
}
