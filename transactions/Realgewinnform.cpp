#include "transactions/Realgewinnform.h"

#include "core/Bewertung.h"
#include "platform/Fensterteile.h"
#include "platform/HoverButton.h"
#include "platform/HoverReset.h"
#include "platform/MainWindowApi.h"
#include "transactions/Festbreitenansicht.h"
#include "transactions/KontoOperationen.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

Realgewinnform::Realgewinnform(MainWindowApi& api, QWidget* parent) : QDialog(parent), m_api(api) {
    setObjectName(QStringLiteral("Realgewinnform"));
    setWindowTitle(QStringLiteral("Realisierte Gewinne / Verluste / Dividenden"));

    Label2 = new QLabel(QStringLiteral("Datum"), this);
    Label4 = new QLabel(QStringLiteral("Text"), this);
    Label5 = new QLabel(QStringLiteral("Gewinn / Verlust in"), this);
    Label7 = new QLabel(this);
    Label7->setObjectName(QStringLiteral("Label7"));

    Text1 = new Festbreitenansicht(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("Aufstellung aller Buchungen"));
    QFont courier(QStringLiteral("Courier New"), 10);
    courier.setStyleHint(QFont::TypeWriter);
    courier.setFixedPitch(true);
    Text1->setFont(courier);
    // Room for the 48 characters of a line, its margins and a scroll bar.
    Text1->setMinimumWidth(QFontMetrics(courier).horizontalAdvance(QString(52, QLatin1Char('0'))) +
                           Text1->verticalScrollBar()->sizeHint().width() +
                           2 * Text1->frameWidth());
    Text1->setMinimumHeight(QFontMetrics(courier).lineSpacing() * 18);

    Label3 = new QLabel(QStringLiteral("Saldo"), this);
    Label6 = new QLabel(this);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setFont(courier);

    Command1 = new QPushButton(QStringLiteral("Euro"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2 = new QPushButton(QStringLiteral("DM"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    // Enter in the statement must not switch the unit.
    for (QPushButton* b : {Command1, Command2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    Schalter1 = Fensterteile::textknopf(QStringLiteral("Schalter1"),
                                        QStringLiteral(" Fenster schließen "), this);

    // Captions above the columns: date at 1, text at 13, amount at the right.
    auto* kopf = new QHBoxLayout;
    const int zeichen = QFontMetrics(courier).horizontalAdvance(QLatin1Char('0'));
    Label2->setMinimumWidth(zeichen * 14);
    kopf->addWidget(Label2);
    kopf->addWidget(Label4, 1);
    kopf->addWidget(Label5);
    kopf->addWidget(Label7);

    auto* saldo = new QHBoxLayout;
    saldo->addStretch(1);
    saldo->addWidget(Label3);
    saldo->addWidget(Label6);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(Command1);
    knoepfe->addWidget(Command2);
    knoepfe->addStretch(1);
    knoepfe->addWidget(Schalter1);

    auto* haupt = new QVBoxLayout(this);
    haupt->addLayout(kopf);
    haupt->addWidget(Text1, 1);
    haupt->addLayout(saldo);
    haupt->addLayout(knoepfe);

    connect(Command1, &QPushButton::clicked, this, &Realgewinnform::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Realgewinnform::Command2_Click);
    connect(Schalter1, &QPushButton::clicked, this, &Realgewinnform::Schalter1_Click);
    HoverReset::install(this, [this] { m_api.hinweisZuruecksetzen(); });

    einheitSetzen(Einheit::DM);
}

QString Realgewinnform::saldoText() const {
    return Label6->text();
}
QString Realgewinnform::einheitAnzeige() const {
    return Label7->text();
}

void Realgewinnform::einheitSetzen(Einheit e) {
    m_einheit = e;
    Label7->setText(einheitText(e));
}

void Realgewinnform::aufstellungAufbauen() {
    const Realgewinn r = Konto::realgewinnAusDemKonto(m_api.database(), m_einheit);
    Text1->setText(r.text);
    Text1->zumEnde();
    Label6->setText(r.saldoZuGross ? zuGrossAnzeige() : r.saldo.format00());
}

void Realgewinnform::Command1_Click() {
    einheitSetzen(Einheit::Euro);
    aufstellungAufbauen();
}

void Realgewinnform::Command2_Click() {
    einheitSetzen(Einheit::DM);
    aufstellungAufbauen();
}

void Realgewinnform::Schalter1_Click() {
    m_api.zumLesezeichen();
    close();
}

void Realgewinnform::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    aufstellungAufbauen();
    m_frischAufgebaut = true;
}

void Realgewinnform::changeEvent(QEvent* e) {
    QDialog::changeEvent(e);
    // Rebuilt on every activation; the first one follows the show at once.
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) {
        if (m_frischAufgebaut)
            m_frischAufgebaut = false;
        else
            aufstellungAufbauen();
    }
}
