#include "transactions/Formverkaufen.h"

#include "core/Clock.h"
#include "db/Recordset.h"
#include "platform/Beschriftung.h"
#include "platform/Dialogs.h"
#include "platform/Fensterteile.h"
#include "platform/HoverButton.h"
#include "platform/HoverReset.h"
#include "platform/MainWindowApi.h"
#include "platform/NumericField.h"
#include "platform/Ueberschrift.h"
#include "transactions/PaketOperationen.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

Formverkaufen::Formverkaufen(MainWindowApi& api, QWidget* parent) : QDialog(parent), m_api(api) {
    setObjectName(QStringLiteral("Formverkaufen"));
    setWindowTitle(QStringLiteral("Wertpapier verkaufen"));
    setModal(true);

    auto* kopf = ueberschrift(QStringLiteral("Wertpapier verkaufen"), this);
    const QFont f = kopf->font();
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(f);

    auto feld = [this](const char* name) {
        auto cfg = NumericConfig::decimal();
        cfg.onEnter = [this] { Schalter3_Click(); };
        auto* t = new NumericField(m_api.dialogs(), cfg, this);
        t->setObjectName(QString::fromLatin1(name));
        return t;
    };
    Text2 = feld("Text2");
    Text3 = feld("Text3");
    Text4 = feld("Text4");
    DTPicker1 = Fensterteile::datumsfeld(QStringLiteral("DTPicker1"), this);

    Schalter3 = Fensterteile::textknopf(QStringLiteral("Schalter3"),
                                        QStringLiteral(" Daten speichern  "), this);
    schalter4 = Fensterteile::textknopf(QStringLiteral("schalter4"),
                                        QStringLiteral(" Fenster schließen "), this);

    auto* g = new QGridLayout;
    g->addWidget(beschriftung(QStringLiteral("Anzahl"), Text2, this), 0, 0);
    g->addWidget(Text2, 0, 1);
    g->addWidget(beschriftung(QStringLiteral("Verkaufskurs"), Text3, this), 1, 0);
    g->addWidget(Text3, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("in Euro"), this), 1, 2);
    g->addWidget(beschriftung(QStringLiteral("Gebühren"), Text4, this), 2, 0);
    g->addWidget(Text4, 2, 1);
    g->addWidget(new QLabel(QStringLiteral("in Euro"), this), 2, 2);
    g->addWidget(beschriftung(QStringLiteral("Datum"), DTPicker1, this), 3, 0);
    g->addWidget(DTPicker1, 3, 1);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(Schalter3);
    knoepfe->addWidget(schalter4);
    auto* haupt = new QVBoxLayout(this);
    haupt->addWidget(kopf);
    haupt->addWidget(Label1);
    haupt->addLayout(g);
    haupt->addLayout(knoepfe);

    // The background also puts the status bar back to its default text.
    HoverReset::install(this, [this] { m_api.hinweisZuruecksetzen(); });

    connect(Schalter3, &QAbstractButton::clicked, this, &Formverkaufen::Schalter3_Click);
    connect(schalter4, &QAbstractButton::clicked, this, &Formverkaufen::schalter4_Click);
}

QString Formverkaufen::gesamtverkaufFrage() {
    return QStringLiteral("Nach dem Verkauf enthält dieser Datensatz keine Werte mehr, er wird "
                          "dann gelöscht!\r\nSoll dieser Vorgang jetzt durchgeführt werden?");
}

void Formverkaufen::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    Form_Activate();
}

void Formverkaufen::Form_Activate() {
    const Recordset& p = m_api.Daten1();
    Label1->setText(p.text(QStringLiteral("aktie")));
    Text2->setText(p.text(QStringLiteral("stück")));
    Text3->setText(p.currency(QStringLiteral("tageskurs")).format00());
    Text4->clear();
    DTPicker1->setDate(m_api.clock().today());
}

void Formverkaufen::Schalter3_Click() {
    Dialogs& dlg = m_api.dialogs();
    Recordset& daten1 = m_api.Daten1();
    // Each field is read once, here; the checks and the writes take the typed values.
    const Pakete::VerkaufFelder felder = Pakete::VerkaufFelder::lesen(
        daten1.bookmark(), Label1->text(), daten1.integer(QStringLiteral("stück")), Text2->text(),
        Text3->text(), Text4->text(), DTPicker1->date());
    const Pakete::VerkaufPruefErgebnis p = Pakete::verkaufPruefen(felder);
    const bool ganz = p.art == Pakete::VerkaufPruefung::Gesamtverkauf;
    if (!ganz && p.art != Pakete::VerkaufPruefung::Teilverkauf) {
        dlg.notice(this, p.meldung);
        return;
    }
    const bool ja =
        ganz ? dlg.askStop(this, gesamtverkaufFrage())
             : dlg.ask(this, QStringLiteral("Sollen diese Wertpapiere jetzt verkauft werden?"));
    if (!ja) return;
    const Pakete::Ergebnis r = Pakete::verkaufSchreiben(m_api.database(), p.eingabe);
    if (!r.ok) {
        dlg.notice(this, r.fehler);
        return;
    }
    daten1.requery();
    m_api.Daten2().requery();
    if (ganz) {
        // The package is gone: the commands follow the count, the card the first package.
        m_api.modul().AnzahlPakete = 0;
        m_api.paketBefehleAktualisieren();
    }
    m_api.PaketeZaehlen();
    m_api.SummenAktualisieren();
    if (ganz)
        daten1.moveFirst();
    else
        m_api.zumLesezeichen();
    accept();
}

void Formverkaufen::schalter4_Click() {
    m_api.zumLesezeichen();
    reject();
}
