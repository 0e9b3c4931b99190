#include "transactions/FormSonstige.h"

#include "core/Clock.h"
#include "core/Eingabe.h"
#include "db/Database.h"
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

FormSonstige::FormSonstige(MainWindowApi& api, QWidget* parent) : QDialog(parent), m_api(api) {
    setObjectName(QStringLiteral("FormSonstige"));
    setWindowTitle(QStringLiteral("Sonstige Gewinne / Verluste / Dividenden"));

    DTPicker1 = Fensterteile::datumsfeld(QStringLiteral("DTPicker1"), this, m_api.clock().today());
    Text2 = new QLineEdit(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    einzeiligesFeld(Text2);
    Text3 = new NumericField(m_api.dialogs(), NumericConfig::decimal(), this);
    Text3->setObjectName(QStringLiteral("Text3"));

    Schalter3 = Fensterteile::textknopf(QStringLiteral("Schalter3"),
                                        QStringLiteral(" Daten speichern  "), this);
    schalter4 = Fensterteile::textknopf(QStringLiteral("schalter4"),
                                        QStringLiteral(" Fenster schließen "), this);
    Schalter3->setEnabled(false);

    auto* felder = new QGridLayout;
    felder->addWidget(beschriftung(QStringLiteral("Datum"), DTPicker1, this), 0, 0);
    felder->addWidget(DTPicker1, 0, 1);
    felder->addWidget(beschriftung(QStringLiteral("Text"), Text2, this), 1, 0);
    felder->addWidget(Text2, 1, 1, 1, 2);
    felder->addWidget(beschriftung(QStringLiteral("Summe"), Text3, this), 2, 0);
    felder->addWidget(Text3, 2, 1);
    felder->addWidget(new QLabel(QStringLiteral("in DM"), this), 2, 2);
    felder->setColumnStretch(1, 1);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(Schalter3);
    knoepfe->addStretch(1);
    knoepfe->addWidget(schalter4);

    auto* haupt = new QVBoxLayout(this);
    haupt->addWidget(
        ueberschrift(QStringLiteral("Sonstige Gewinne / Verluste / Dividenden"), this));
    haupt->addLayout(felder);
    haupt->addLayout(knoepfe);
    setTabOrder(Text2, Text3);

    connect(Text2, &QLineEdit::textChanged, this, &FormSonstige::freigeben);
    connect(Text3, &QLineEdit::textChanged, this, &FormSonstige::freigeben);
    // Enter saves from either field, once saving is possible.
    const auto enter = [this] {
        if (Schalter3->isEnabled()) Schalter3_Click();
    };
    connect(Text2, &QLineEdit::returnPressed, this, enter);
    Text3->setEnterAction(enter);
    connect(Schalter3, &QPushButton::clicked, this, &FormSonstige::Schalter3_Click);
    connect(schalter4, &QPushButton::clicked, this, &FormSonstige::schalter4_Click);
    HoverReset::install(this, [this] { m_api.hinweisZuruecksetzen(); });
}

void FormSonstige::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    Text2->setFocus();
}

void FormSonstige::freigeben() {
    // Once both are filled the button stays enabled.
    if (!Text2->text().isEmpty() && !Text3->text().isEmpty()) Schalter3->setEnabled(true);
}

void FormSonstige::Schalter3_Click() {
    // Read once, as entered (four decimals); a lone comma or an emptied
    // field would book a row without an amount.
    QString betragText = Text3->text();
    const qsizetype punkt = betragText.indexOf(QLatin1Char('.'));
    if (punkt >= 0) betragText[punkt] = QLatin1Char(',');
    const Eingabe::Feld<Currency> summe = Eingabe::betrag(betragText);
    if (summe.fehler == Eingabe::Fehler::ZuGross) {
        m_api.dialogs().notice(this, Eingabe::zuGrossText(QStringLiteral("Summe")));
        return;
    }
    if (!summe.ok()) {
        m_api.dialogs().notice(this, QStringLiteral("Bitte geben Sie einen gültigen Betrag ein!"));
        return;
    }
    if (!m_api.dialogs().ask(this, QStringLiteral("Möchten Sie diese Werte jetzt speichern?\n\r")))
        return;
    if (!Konto::buchen(m_api.database(), DTPicker1->date(), Text2->text(), *summe.wert)) {
        m_api.dialogs().notice(this,
                               QStringLiteral("Die Buchung konnte nicht gespeichert werden.\n\n") +
                                   m_api.database().message());
        return;
    }
    m_api.zumLesezeichen();
    accept();
}

void FormSonstige::schalter4_Click() {
    m_api.zumLesezeichen();
    reject();
}
