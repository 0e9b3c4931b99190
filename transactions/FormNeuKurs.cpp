#include "transactions/FormNeuKurs.h"

#include "core/Clock.h"
#include "db/Recordset.h"
#include "platform/Dialogs.h"
#include "platform/Fensterteile.h"
#include "platform/HoverButton.h"
#include "platform/HoverReset.h"
#include "platform/MainWindowApi.h"
#include "platform/NumericField.h"
#include "platform/Ueberschrift.h"
#include "transactions/KursOperationen.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

FormNeuKurs::FormNeuKurs(MainWindowApi& api, QWidget* parent) : QDialog(parent), m_api(api) {
    setObjectName(QStringLiteral("FormNeuKurs"));
    setWindowTitle(QStringLiteral("Kurs aktualisieren"));
    setModal(true);

    auto* kopf = ueberschrift(QStringLiteral("Kurs aktualisieren"), this);
    const QFont f = kopf->font();

    Label4 = new QLabel(this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setFont(f);
    Label6 = new QLabel(this);
    Label6->setObjectName(QStringLiteral("Label6"));

    auto cfg = NumericConfig::decimal();
    // Enter saves only when a quote was typed.
    cfg.onEnter = [this] {
        if (!Text2->text().isEmpty()) Schalter3_Click();
    };
    Text2 = new NumericField(m_api.dialogs(), cfg, this);
    Text2->setObjectName(QStringLiteral("Text2"));
    DTPicker1 = Fensterteile::datumsfeld(QStringLiteral("DTPicker1"), this);

    Schalter3 = Fensterteile::textknopf(QStringLiteral("Schalter3"),
                                        QStringLiteral(" Daten speichern  "), this);
    schalter4 = Fensterteile::textknopf(QStringLiteral("schalter4"),
                                        QStringLiteral(" Fenster schließen "), this);

    auto* felder = new QFormLayout;
    felder->addRow(QStringLiteral("Neuer Kurs"), Text2);
    felder->addRow(QStringLiteral(" Datum"), DTPicker1);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(Schalter3);
    knoepfe->addWidget(schalter4);
    auto* haupt = new QVBoxLayout(this);
    haupt->addWidget(kopf);
    haupt->addWidget(Label4);
    haupt->addWidget(Label6);
    haupt->addLayout(felder);
    haupt->addLayout(knoepfe);

    HoverReset::install(this);

    connect(Text2, &QLineEdit::textChanged, this, &FormNeuKurs::eingabeGeaendert);
    connect(Schalter3, &QAbstractButton::clicked, this, &FormNeuKurs::Schalter3_Click);
    connect(schalter4, &QAbstractButton::clicked, this, &FormNeuKurs::schalter4_Click);
}

void FormNeuKurs::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    Form_Activate();
}

void FormNeuKurs::Form_Activate() {
    Label4->setText(m_api.aktieText());
    Label6->setText(QStringLiteral("Letzter Kurs:  ") + m_api.tageskursText());
    Text2->setFocus();
    Schalter3->setEnabled(false);
    DTPicker1->setDate(m_api.clock().today());
}

void FormNeuKurs::eingabeGeaendert() {
    // Enabled once both are filled; emptying the field does not disable it again.
    if (!Text2->text().isEmpty() && !Label4->text().isEmpty()) Schalter3->setEnabled(true);
}

void FormNeuKurs::Schalter3_Click() {
    Dialogs& dlg = m_api.dialogs();
    Recordset& daten1 = m_api.Daten1();
    // Read once and checked before the question: the question must not be
    // followed by a refusal.
    const Eingabe::Feld<Currency> kurs = Kurse::einzelkurs(Text2->text());
    if (kurs.fehler == Eingabe::Fehler::ZuGross) {
        dlg.notice(this, Eingabe::zuGrossText(QStringLiteral("Neuer Kurs")));
        return;
    }
    if (!kurs.ok()) {
        dlg.notice(this, QStringLiteral("Bitte geben Sie den neuen Kurs als Zahl ein!"));
        return;
    }
    if (!Kurse::paketwertImBereich(m_api.database(), daten1.bookmark(), *kurs.wert)) {
        dlg.notice(this, Kurse::paketwertZuGrossText(Label4->text()));
        return;
    }
    if (!dlg.ask(this, QStringLiteral("Möchten Sie diesen neuen Kurs von ") + Text2->text() +
                           QStringLiteral("  Euro jetzt speichern?")))
        return;
    const Kurse::Ergebnis r = Kurse::einzelkursSpeichern(
        m_api.database(), daten1.bookmark(), Label4->text(), DTPicker1->date(), *kurs.wert,
        m_api.clock().today(), Kurse::angezeigterGesamtwert(m_api.gesamtwertText()));
    if (!r.ok) {
        dlg.notice(this, r.fehler);
        return;
    }
    daten1.requery();
    m_api.Daten2().requery();
    m_api.SummenAktualisieren();
    m_api.zumLesezeichen();
    accept();
}

void FormNeuKurs::schalter4_Click() {
    m_api.zumLesezeichen();
    reject();
}
