#include "transactions/FormAVEdit.h"

#include "core/Clock.h"
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
#include "transactions/KursOperationen.h"
#include "transactions/PaketOperationen.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

FormAVEdit::FormAVEdit(MainWindowApi& api, QWidget* parent) : Datenfenster(api, parent) {
    setObjectName(QStringLiteral("FormAVEdit"));
    setWindowTitle(QStringLiteral("Aktien- / Fonddaten bearbeiten"));
    setModal(true);

    auto* kopf = ueberschrift(QStringLiteral("Aktien- / Fonddaten bearbeiten"), this);

    Textaktie = new QLineEdit(this);
    Textaktie->setObjectName(QStringLiteral("Textaktie"));
    einzeiligesFeld(Textaktie);
    connect(Textaktie, &QLineEdit::returnPressed, this, &FormAVEdit::speichern);
    auto feld = [this](NumericConfig cfg, const char* name) {
        cfg.onEnter = [this] { speichern(); };
        auto* t = new NumericField(m_api.dialogs(), cfg, this);
        t->setObjectName(QString::fromUtf8(name));
        return t;
    };
    NumericConfig ziffern = NumericConfig::digits();
    ziffern.maxLength = 6;
    Kennummer = feld(ziffern, "Kennummer");
    Textstueck = feld(NumericConfig::decimal(), "Textstück");
    Textkaufpreis = feld(NumericConfig::decimal(), "Textkaufpreis");
    Textgebuehren = feld(NumericConfig::decimal(), "Textgebühren");
    Texttageskurs = feld(NumericConfig::decimal(), "Texttageskurs");
    DTPicker1 = Fensterteile::datumsfeld(QStringLiteral("DTPicker1"), this);
    DTPicker2 = Fensterteile::datumsfeld(QStringLiteral("DTPicker2"), this);

    schalterAnlegen();
    setErstesFeld(Textaktie);
    auto* leiste = new QHBoxLayout;
    for (int i = 10; i <= 12; ++i)
        leiste->addWidget(schalter[static_cast<size_t>(i)]);
    HoverReset::install(this);

    auto* g = new QGridLayout;
    const std::pair<const char*, QWidget*> zeilen[] = {
        {"   Aktie / Fond", Textaktie}, {"WP-KN", Kennummer},        {"Stück", Textstueck},
        {"Kaufkurs", Textkaufpreis},    {"Gebühren", Textgebuehren}, {"Tageskurs", Texttageskurs},
        {"Datum", DTPicker1},           {"Kaufdatum", DTPicker2}};
    int z = 0;
    for (const auto& [text, w] : zeilen) {
        g->addWidget(beschriftung(QString::fromUtf8(text), w, this), z, 0);
        g->addWidget(w, z++, 1);
    }
    auto* haupt = new QVBoxLayout(this);
    haupt->addWidget(kopf);
    haupt->addLayout(g);
    haupt->addLayout(leiste);
}

void FormAVEdit::ausPaketFuellen() {
    const Recordset& p = m_api.Daten1();
    Textaktie->setText(p.text(QStringLiteral("aktie")));
    Kennummer->setText(p.text(QStringLiteral("WP-KNummer")));
    Textstueck->setText(p.text(QStringLiteral("stück")));
    Textkaufpreis->setText(p.currency(QStringLiteral("kaufpreis")).format00());
    Textgebuehren->setText(p.currency(QStringLiteral("gebühren")).format00());
    Texttageskurs->setText(p.currency(QStringLiteral("tageskurs")).format00());
    DTPicker1->setDate(p.date(QStringLiteral("datum")));
    DTPicker2->setDate(p.date(QStringLiteral("kaufdatum")));
}

void FormAVEdit::speichern() {
    Dialogs& dlg = m_api.dialogs();
    // Each field is read once, here. Emptiness and the numbers are checked
    // before the question, so a "Yes" is never followed by a refusal.
    const Pakete::EditFelder felder = Pakete::EditFelder::lesen(
        Textaktie->text(), Kennummer->text(), Textstueck->text(), Textkaufpreis->text(),
        Textgebuehren->text(), Texttageskurs->text(), DTPicker1->date(), DTPicker2->date());
    const Pakete::EditPruefErgebnis p = Pakete::editPruefen(felder);
    if (p.art != Pakete::EditPruefung::Ok) {
        dlg.notice(this, p.meldung);
        return;
    }
    if (!dlg.ask(this, QStringLiteral("Möchten Sie diesen Datensatz jetzt speichern?"))) return;
    Recordset& daten1 = m_api.Daten1();
    const Pakete::Ergebnis r =
        Pakete::editSchreiben(m_api.database(), daten1.bookmark(), p.eingabe, m_api.clock().today(),
                              Kurse::angezeigterGesamtwert(m_api.gesamtwertText()));
    if (!r.ok) {
        dlg.notice(this, r.fehler);
        return;
    }
    m_api.paketBefehleAktualisieren();
    m_api.modul().AnzahlPakete = 0;
    daten1.requery();
    m_api.Daten2().requery();
    m_api.PaketeZaehlen();
    m_api.SummenAktualisieren();
    m_api.zumLesezeichen();
    accept();
}
