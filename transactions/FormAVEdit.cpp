#include "transactions/FormAVEdit.h"

#include "core/Clock.h"
#include "db/Recordset.h"
#include "platform/Beschriftung.h"
#include "platform/Dialogs.h"
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

FormAVEdit::FormAVEdit(MainWindowApi& api, QWidget* parent) : QDialog(parent), m_api(api) {
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
    auto datum = [this](const char* name) {
        auto* d = new QDateEdit(this);
        d->setObjectName(QString::fromLatin1(name));
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        return d;
    };
    DTPicker1 = datum("DTPicker1");
    DTPicker2 = datum("DTPicker2");

    const struct {
        int index;
        const char* text;
        const char* hinweis;
    } knoepfe[] = {{10, " Hilfe aufrufen ", " Windows - Hilfe anzeigen"},
                   {11, " Daten speichern ", " Daten speichern"},
                   {12, " Fenster schließen ", " Daten-Fenster schließen"}};
    auto* leiste = new QHBoxLayout;
    for (const auto& k : knoepfe) {
        auto* b = new HoverButton(this);
        b->setText(QString::fromUtf8(k.text));
        b->setObjectName(QStringLiteral("schalter(%1)").arg(k.index));
        b->setHint(QString::fromUtf8(k.hinweis));
        connect(b, &HoverButton::hinweis, this, [this](const QString& h) { m_api.setHinweis(h); });
        connect(b, &QAbstractButton::clicked, this, [this, i = k.index] { schalter_Click(i); });
        schalter[k.index] = b;
        leiste->addWidget(b);
    }
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

void FormAVEdit::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    Textaktie->setFocus();
}

void FormAVEdit::schalter_Click(int index) {
    switch (index) {
    case 10:
        m_api.hilfeAnzeigen();
        break;
    case 11:
        speichern();
        break;
    case 12:
        m_api.zumLesezeichen();
        reject();
        break;
    default:
        break;
    }
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
