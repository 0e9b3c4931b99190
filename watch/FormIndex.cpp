#include "watch/FormIndex.h"

#include "core/Berichte.h"
#include "core/Clock.h"
#include "core/Eingabe.h"
#include "core/Numbers.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/Dialogs.h"
#include "platform/Fensterteile.h"
#include "platform/HoverButton.h"
#include "platform/HoverReset.h"
#include "platform/MainWindowApi.h"
#include "platform/NumericField.h"
#include "platform/Ueberschrift.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString KeinWert = QStringLiteral("Kein Indexwert vorhanden");

/// The field's background in every state, disabled included, with a text
/// that stays dark on it.
void hintergrund(QLineEdit* feld, unsigned rgb) {
    QPalette p = feld->palette();
    for (auto gruppe : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(gruppe, QPalette::Base, QColor::fromRgb(rgb));
        p.setColor(gruppe, QPalette::Text, Qt::black);
    }
    feld->setPalette(p);
}

} // namespace

FormIndex::FormIndex(MainWindowApi& api, QWidget* parent) : QDialog(parent), m_api(api) {
    setObjectName(QStringLiteral("FormIndex"));
    setWindowTitle(QStringLiteral("Kapito 3.6"));
    setModal(true);

    m_daten1 = Recordset::openTable(m_api.database(), QStringLiteral("Indexkurse"), this);

    Label2 = ueberschrift(QStringLiteral("Aktienindex "), this);
    Label2->setObjectName(QStringLiteral("Label2"));

    // The name
    auto* label7 = new QLabel(QStringLiteral("Indexbezeichnung"), this);
    Text2 = new QLineEdit(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setAccessibleName(QStringLiteral("Indexbezeichnung"));
    Text2->setMaxLength(255);
    label7->setBuddy(Text2);
    Command1 = new QPushButton(QStringLiteral("Neu"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAccessibleName(QStringLiteral("Neuer Indexname"));
    Command2 = new QPushButton(QStringLiteral("Save"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setAccessibleName(QStringLiteral("Indexnamen speichern"));
    for (QPushButton* b : {Command1, Command2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    // The last state
    Label3 = new QLabel(KeinWert, this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label1 = new QLabel(QStringLiteral("0.00"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont fett = Label1->font();
    fett.setBold(true);
    Label1->setFont(fett);

    // A new value: only digits and the two separators; Enter saves a typed value.
    auto cfg = NumericConfig::decimal();
    cfg.oneComma = false;
    cfg.onEnter = [this] {
        if (!Text1->text().isEmpty()) Schalter3_Click();
    };
    auto* label4 = new QLabel(QStringLiteral("Neuer Stand"), this);
    Text1 = new NumericField(m_api.dialogs(), cfg, this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("Neuer Stand"));
    label4->setBuddy(Text1);
    auto* label5 = new QLabel(QStringLiteral("Datum"), this);
    DTPicker1 = Fensterteile::datumsfeld(QStringLiteral("DTPicker1"), this);
    DTPicker1->setAccessibleName(QStringLiteral("Datum"));
    label5->setBuddy(DTPicker1);

    Schalter2 = Fensterteile::textknopf(QStringLiteral("Schalter2"),
                                        QStringLiteral(" Neuer Indexwert "), this);
    Schalter3 = Fensterteile::textknopf(QStringLiteral("Schalter3"),
                                        QStringLiteral(" Daten speichern "), this);
    schalter4 = Fensterteile::textknopf(QStringLiteral("schalter4"),
                                        QStringLiteral(" Fenster schließen "), this);

    auto* felder = new QGridLayout;
    felder->addWidget(label7, 0, 0);
    felder->addWidget(Text2, 0, 1);
    felder->addWidget(Command1, 0, 2);
    felder->addWidget(Command2, 0, 3);
    felder->addWidget(Label3, 1, 0, 1, 2);
    felder->addWidget(Label1, 1, 2, 1, 2, Qt::AlignRight);
    felder->addWidget(label4, 2, 0);
    felder->addWidget(Text1, 2, 1);
    felder->addWidget(label5, 3, 0);
    felder->addWidget(DTPicker1, 3, 1);
    felder->setColumnStretch(1, 1);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(Schalter2);
    knoepfe->addWidget(Schalter3);
    knoepfe->addWidget(schalter4);
    auto* haupt = new QVBoxLayout(this);
    haupt->addWidget(Label2);
    haupt->addLayout(felder);
    haupt->addSpacing(8);
    haupt->addLayout(knoepfe);

    HoverReset::install(this, [this] { m_api.setHinweis(QString()); });

    connect(Command1, &QPushButton::clicked, this, &FormIndex::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FormIndex::Command2_Click);
    connect(Schalter2, &QPushButton::clicked, this, &FormIndex::Schalter2_Click);
    connect(Schalter3, &QPushButton::clicked, this, &FormIndex::Schalter3_Click);
    connect(schalter4, &QPushButton::clicked, this, &FormIndex::schalter4_Click);
    connect(Text1, &QLineEdit::textChanged, this, &FormIndex::knoepfeFreigeben);
    connect(Text2, &QLineEdit::textChanged, this, &FormIndex::knoepfeFreigeben);
    connect(Text2, &QLineEdit::returnPressed, this, &FormIndex::Schalter3_Click);

    Form_Load();
}

void FormIndex::Form_Load() {
    m_daten1->requery();
    m_daten1->moveLast();
    DTPicker1->setDate(m_api.clock().today());
    if (m_daten1->hasCurrent()) {
        Label3->setText(QStringLiteral("Letzter Stand vom ") +
                        Berichte::datumText(m_daten1->date(QStringLiteral("datum"))));
        Label1->setText(Numbers::format00(m_daten1->real(QStringLiteral("indexzahl"))));
        Text2->setText(m_daten1->text(QStringLiteral("indexname")));
        Text2->setReadOnly(true);
        wertFeldBereit(false);
        Schalter2->setFocus();
    } else {
        // Nothing stored yet: ready for the first name and value.
        Text2->setReadOnly(false);
        wertFeldBereit(true);
        Text1->setFocus();
    }
    knoepfeFreigeben();
}

void FormIndex::wertFeldBereit(bool bereit) {
    Text1->setEnabled(bereit);
    DTPicker1->setEnabled(bereit);
    hintergrund(Text1, bereit ? WeissRgb : GrauRgb);
}

void FormIndex::knoepfeFreigeben() {
    Schalter3->setEnabled(!Text1->text().isEmpty());
    Command2->setEnabled(!Text2->text().isEmpty());
}

void FormIndex::Command1_Click() {
    m_daten1->moveLast();
    Text2->setReadOnly(false);
    Text2->clear();
    Text2->setFocus();
}

void FormIndex::Command2_Click() {
    Dialogs& dlg = m_api.dialogs();
    m_daten1->moveLast();
    if (!m_daten1->hasCurrent()) {
        // The name lives in the value rows; without one it waits for the
        // first value. Said before the question: a Yes could not be done.
        dlg.notice(this, QStringLiteral("Es ist noch kein Indexwert gespeichert.\n"
                                        "Der Indexname wird mit dem ersten Indexwert "
                                        "gespeichert."));
        return;
    }
    if (!dlg.ask(this, QStringLiteral("Möchten Sie den Indexnamen jetzt speichern?"))) return;
    Transaction t(m_api.database(), QStringLiteral("Indexname"));
    m_daten1->edit();
    if (!m_daten1->setText(QStringLiteral("indexname"), Text2->text()) || !m_daten1->update() ||
        !t.commit()) {
        const QString grund = m_daten1->lastError();
        m_daten1->cancel();
        dlg.notice(this,
                   QStringLiteral("Der Indexname konnte nicht gespeichert werden.\n") + grund);
        return;
    }
    m_api.Daten4().requery();
    Text2->setReadOnly(true);
}

void FormIndex::Schalter2_Click() {
    wertFeldBereit(true);
    DTPicker1->setDate(m_api.clock().today());
    Text1->setFocus();
}

void FormIndex::Schalter3_Click() {
    Dialogs& dlg = m_api.dialogs();
    // Shown as it is read, with a decimal point and without thousands
    // points; what follows a second separator is not part of the number.
    // Saved again after a No, the text shown keeps the value first read.
    const QString eingabe = Text1->text();
    const bool wieGezeigt = m_gezeigt && m_gezeigt->text == eingabe;
    const std::optional<double> wert =
        wieGezeigt ? m_gezeigt->wert : Numbers::readDouble(eingabe, Numbers::Mode::Index);
    if (!wieGezeigt) {
        QString text = Numbers::indexPointForm(eingabe);
        if (const qsizetype rest = text.indexOf(QLatin1Char(',')); rest >= 0) text.truncate(rest);
        if (text != eingabe) Text1->setText(text);
        m_gezeigt = Gezeigt{text, eingabe, wert};
    }
    // The range is checked on what was read, in the form it was read in.
    const Eingabe::Feld<Currency> bereich =
        Eingabe::indexwert(wieGezeigt ? m_gezeigt->gelesen : eingabe);
    if (bereich.fehler == Eingabe::Fehler::ZuGross) {
        dlg.notice(this, Eingabe::zuGrossText(QStringLiteral("Neuer Stand")));
        return;
    }
    if (!wert || !bereich.ok()) {
        dlg.notice(this, QStringLiteral("Bitte geben Sie zuerst den neuen Indexwert ein!"));
        return;
    }
    if (!dlg.ask(this, QStringLiteral("Möchten Sie den Indexwert jetzt speichern?"))) return;
    Transaction t(m_api.database(), QStringLiteral("Indexwert"));
    m_daten1->addNew();
    const bool ok = m_daten1->setText(QStringLiteral("indexname"), Text2->text()) &&
                    m_daten1->setValue(QStringLiteral("indexzahl"), *wert) &&
                    m_daten1->setValue(QStringLiteral("datum"), DTPicker1->date()) &&
                    m_daten1->update() && t.commit();
    if (!ok) {
        const QString grund = m_daten1->lastError();
        m_daten1->cancel();
        dlg.notice(this,
                   QStringLiteral("Der Indexwert konnte nicht gespeichert werden.\n") + grund);
        return;
    }
    m_api.Daten4().requery();
    m_api.zumLesezeichen();
    wertFeldBereit(false);
    accept();
}

void FormIndex::schalter4_Click() {
    reject();
}

void FormIndex::reject() {
    Recordset& daten1 = m_api.Daten1();
    if (!daten1.setBookmark(daten1.lastModified())) m_api.zumLesezeichen();
    wertFeldBereit(false);
    Schalter3->setEnabled(false);
    QDialog::reject();
}
