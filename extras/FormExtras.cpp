#include "extras/FormExtras.h"

#include "core/Eingabe.h"
#include "core/Numbers.h"
#include "core/Passwort.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "db/Verschluesselung.h"
#include "extras/Korrekturen.h"
#include "platform/Dialogs.h"
#include "platform/Fensterteile.h"
#include "platform/HoverButton.h"
#include "platform/HoverReset.h"
#include "platform/MainWindowApi.h"
#include "platform/NumericField.h"
#include "platform/Ueberschrift.h"
#include "platform/Wertanzeige.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStringListModel>
#include <QTabWidget>
#include <QVBoxLayout>
#include <limits>

namespace {

QString waehlenText() {
    return QStringLiteral("Bitte wählen Sie zuerst eine Aktie aus!");
}

// Package lists are long in a kept depot: their width comes from a fixed
// number of characters, not from measuring every name.
QComboBox* namensliste(QWidget* parent, const QString& name, const QString& beschreibung) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->setAccessibleName(beschreibung);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(30);
    c->setMaxVisibleItems(20);
    return c;
}

QLabel* beschriftung(QWidget* parent, const QString& name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

// Shows what was chosen; read with its caption.
QLabel* anzeige(QWidget* parent, const QString& name, const QString& was) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    wertanzeige(l, was);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

} // namespace

FormExtras::FormExtras(MainWindowApi& api, QWidget* parent) : QDialog(parent), m_api(api) {
    setObjectName(QStringLiteral("FormExtras"));
    setWindowTitle(QStringLiteral("Einstellungen"));
    setModal(true);

    Label1 = ueberschrift(QStringLiteral("Einstellungen"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label13 = beschriftung(this, QStringLiteral("Label13"), QStringLiteral("Einstellungen"));

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    // All five tabs stay in sight: the window is as wide as the strip.
    SSTab1->setUsesScrollButtons(false);
    SSTab1->addTab(reiterStopZiel(), QStringLiteral("Stop + Zielkurs"));
    SSTab1->addTab(reiterSpekufrist(), QStringLiteral("Spekufrist"));
    SSTab1->addTab(reiterPasswort(), QStringLiteral("Passwort"));
    SSTab1->addTab(reiterSplit(), QStringLiteral("Aktiensplit"));
    SSTab1->addTab(reiterPakete(), QStringLiteral("Aktienpakete"));
    m_namen = new QStringListModel(this);
    for (QComboBox* c : {Combo1, Combo2, DBCombo1})
        c->setModel(m_namen);

    Command1 = Fensterteile::textknopf(QStringLiteral("Command1"),
                                       QStringLiteral(" Fenster schließen "), this);
    connect(Command1, &QAbstractButton::clicked, this, &FormExtras::Command1_Click);

    auto* unten = new QHBoxLayout;
    unten->addStretch(1);
    unten->addWidget(Command1);
    auto* haupt = new QVBoxLayout(this);
    haupt->addWidget(Label1);
    haupt->addWidget(Label13);
    haupt->addWidget(SSTab1, 1);
    haupt->addLayout(unten);

    connect(SSTab1, &QTabWidget::currentChanged, this, &FormExtras::SSTab1_Click);
    HoverReset::install(this);
    Form_Load();
}

FormExtras::~FormExtras() = default;

QString FormExtras::reiterTitel(int reiter) {
    switch (reiter) {
    case StopZiel:
        return QStringLiteral("Kursziel + Stopkurs");
    case Spekufrist:
        return QStringLiteral("Spekulationfrist");
    case Passwort:
        return QStringLiteral("Passwort");
    case Split:
        return QStringLiteral("Aktiensplit");
    case Pakete:
        return QStringLiteral("Aktienpakete bündeln");
    default:
        return QString();
    }
}

// ---------------------------------------------------------------- tabs

QWidget* FormExtras::reiterStopZiel() {
    auto* seite = new QWidget;
    Combo1 = namensliste(seite, QStringLiteral("Combo1"), QStringLiteral("Aktie auswählen"));
    Combo1->installEventFilter(this);
    Label5 = anzeige(seite, QStringLiteral("Label5"), QStringLiteral("Aktie"));
    Dialogs& d = m_api.dialogs();
    Text3 = new NumericField(d, NumericConfig::decimal(NumericConfig::koennen()), seite);
    Text3->setObjectName(QStringLiteral("Text3"));
    Text3->setAccessibleName(QStringLiteral("Zielkurs"));
    Text4 = new NumericField(d, NumericConfig::decimal(NumericConfig::koennen()), seite);
    Text4->setObjectName(QStringLiteral("Text4"));
    Text4->setAccessibleName(QStringLiteral("Stopkurs"));
    Command3 = Fensterteile::textknopf(QStringLiteral("Command3"),
                                       QStringLiteral(" Stop + Zielkurs speichern "), this);
    Command3->setEnabled(false);

    auto* g = new QGridLayout(seite);
    g->addWidget(beschriftung(seite, QStringLiteral("Label6"), QStringLiteral("Aktie auswählen")),
                 0, 0);
    g->addWidget(Combo1, 0, 1, 1, 2);
    g->addWidget(Label5, 1, 1, 1, 2);
    g->addWidget(beschriftung(seite, QStringLiteral("Label3"), QStringLiteral("Zielkurs")), 2, 0);
    g->addWidget(Text3, 2, 1);
    g->addWidget(beschriftung(seite, QStringLiteral("Label4"), QStringLiteral("Stopkurs")), 3, 0);
    g->addWidget(Text4, 3, 1);
    g->addWidget(Command3, 4, 1, 1, 2, Qt::AlignLeft);
    g->setColumnStretch(2, 1);
    g->setRowStretch(5, 1);

    const auto pruefen = [this] {
        Command3->setEnabled(!Text3->text().isEmpty() && !Text4->text().isEmpty());
    };
    connect(Text3, &QLineEdit::textChanged, this, pruefen);
    connect(Text4, &QLineEdit::textChanged, this, pruefen);
    connect(Combo1, &QComboBox::activated, this, &FormExtras::Combo1_Click);
    connect(Command3, &QAbstractButton::clicked, this, &FormExtras::Command3_Click);
    return seite;
}

QWidget* FormExtras::reiterSpekufrist() {
    auto* seite = new QWidget;
    NumericConfig monate = NumericConfig::digits();
    monate.maxLength = 2;
    Text5 = new NumericField(m_api.dialogs(), monate, seite);
    Text5->setObjectName(QStringLiteral("Text5"));
    Text5->setAccessibleName(QStringLiteral("Spekulationsfrist (in Monaten)"));
    Text5->setMaximumWidth(Text5->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
    Command4 = Fensterteile::textknopf(QStringLiteral("Command4"),
                                       QStringLiteral(" Spekulationsfrist speichern "), this);
    Command4->setEnabled(false);

    auto* g = new QGridLayout(seite);
    g->addWidget(beschriftung(seite, QStringLiteral("Label7"),
                              QStringLiteral("Spekulationsfrist (in Monaten)")),
                 0, 0);
    g->addWidget(Text5, 0, 1);
    g->addWidget(Command4, 1, 0, 1, 2, Qt::AlignLeft);
    g->setColumnStretch(2, 1);
    g->setRowStretch(2, 1);

    connect(Text5, &QLineEdit::textChanged, this,
            [this](const QString& t) { Command4->setEnabled(!t.isEmpty()); });
    connect(Command4, &QAbstractButton::clicked, this, &FormExtras::Command4_Click);
    return seite;
}

QWidget* FormExtras::reiterPasswort() {
    auto* seite = new QWidget;
    Frame1 = new QGroupBox(QStringLiteral(" Bitte das Passwort 2 x eingeben "), seite);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    const auto feld = [&](const QString& name, const QString& beschreibung) {
        auto* e = new QLineEdit(Frame1);
        e->setObjectName(name);
        e->setAccessibleName(beschreibung);
        Fensterteile::passwortfeld(e);
        e->setMaxLength(8);
        return e;
    };
    Text1 = feld(QStringLiteral("Text1"), QStringLiteral("Passwort"));
    Text2 = feld(QStringLiteral("Text2"), QStringLiteral("Passwort wiederholen"));
    Check1 = new QCheckBox(QStringLiteral("  Passwort         in Klartext"), Frame1);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setAccessibleName(QStringLiteral("Passwort in Klartext"));
    DateiVerschluesseln =
        new QCheckBox(QStringLiteral("Datei mit diesem Passwort verschlüsseln"), Frame1);
    DateiVerschluesseln->setObjectName(QStringLiteral("DateiVerschluesseln"));
    DateiVerschluesseln->setAccessibleName(
        QStringLiteral("Datei mit diesem Passwort verschlüsseln"));
    auto* rahmen = new QVBoxLayout(Frame1);
    rahmen->addWidget(Text1);
    rahmen->addWidget(Text2);
    rahmen->addWidget(Check1);
    rahmen->addWidget(DateiVerschluesseln);

    Command5 = Fensterteile::textknopf(QStringLiteral("Command5"),
                                       QStringLiteral(" Passwort speichern "), this);
    Command6 = Fensterteile::textknopf(QStringLiteral("Command6"),
                                       QStringLiteral(" Bestehendes Passwort löschen "), this);
    Command7 = Fensterteile::textknopf(QStringLiteral("Command7"),
                                       QStringLiteral(" Textfelder leeren "), this);
    auto* knoepfe = new QVBoxLayout;
    knoepfe->addWidget(Command5);
    knoepfe->addWidget(Command6);
    knoepfe->addWidget(Command7);
    knoepfe->addStretch(1);

    auto* h = new QHBoxLayout(seite);
    h->addWidget(Frame1, 1, Qt::AlignTop);
    h->addLayout(knoepfe);

    connect(Text1, &QLineEdit::textChanged, this, &FormExtras::passwortKnoepfe);
    connect(Text2, &QLineEdit::textChanged, this, &FormExtras::passwortKnoepfe);
    connect(Text1, &QLineEdit::returnPressed, this, [this] { Text2->setFocus(); });
    connect(Text2, &QLineEdit::returnPressed, this, &FormExtras::Command5_Click);
    connect(Check1, &QAbstractButton::clicked, this, &FormExtras::Check1_Click);
    connect(Command5, &QAbstractButton::clicked, this, &FormExtras::Command5_Click);
    connect(Command6, &QAbstractButton::clicked, this, &FormExtras::Command6_Click);
    connect(Command7, &QAbstractButton::clicked, this, &FormExtras::Command7_Click);
    return seite;
}

QWidget* FormExtras::reiterSplit() {
    auto* seite = new QWidget;
    Combo2 = namensliste(seite, QStringLiteral("Combo2"), QStringLiteral("Aktie auswählen"));
    Label9 = anzeige(seite, QStringLiteral("Label9"), QStringLiteral("Aktie"));
    NumericConfig faktor = NumericConfig::decimal(NumericConfig::koennen());
    faktor.maxLength = 5;
    Text6 = new NumericField(m_api.dialogs(), faktor, seite);
    Text6->setObjectName(QStringLiteral("Text6"));
    Text6->setAccessibleName(QStringLiteral("Splitfaktor"));
    Text6->setMaximumWidth(Text6->fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + 16);
    Command2 = Fensterteile::textknopf(QStringLiteral("Command2"),
                                       QStringLiteral(" Aktiensplit durchführen "), this);
    Command2->setEnabled(false);
    Command10 = Fensterteile::textknopf(QStringLiteral("Command10"),
                                        QStringLiteral(" Hilfe aufrufen "), this);

    auto* g = new QGridLayout(seite);
    g->addWidget(beschriftung(seite, QStringLiteral("Label8"), QStringLiteral("Aktie auswählen")),
                 0, 0);
    g->addWidget(Combo2, 0, 1, 1, 2);
    g->addWidget(Label9, 1, 1, 1, 2);
    g->addWidget(
        beschriftung(seite, QStringLiteral("Label10"), QStringLiteral("Splitfaktor 1 zu ...")), 2,
        0);
    g->addWidget(Text6, 2, 1);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(Command2);
    knoepfe->addWidget(Command10);
    knoepfe->addStretch(1);
    g->addLayout(knoepfe, 3, 0, 1, 3);
    g->setColumnStretch(2, 1);
    g->setRowStretch(4, 1);

    connect(Text6, &QLineEdit::textChanged, this,
            [this](const QString& t) { Command2->setEnabled(!t.isEmpty()); });
    connect(Combo2, &QComboBox::activated, this, &FormExtras::Combo2_Click);
    connect(Command2, &QAbstractButton::clicked, this, &FormExtras::Command2_Click);
    connect(Command10, &QAbstractButton::clicked, this, [this] { m_api.hilfeAnzeigen(); });
    return seite;
}

QWidget* FormExtras::reiterPakete() {
    auto* seite = new QWidget;
    DBCombo1 = namensliste(seite, QStringLiteral("DBCombo1"),
                           QStringLiteral("Diese Aktien zusammenführen"));
    Label11 = anzeige(seite, QStringLiteral("Label11"), QStringLiteral("WPKN"));
    Command8 = Fensterteile::textknopf(QStringLiteral("Command8"),
                                       QStringLiteral(" Aktienpakete bündeln starten  "), this);
    Command8->setEnabled(false);
    Command9 = Fensterteile::textknopf(QStringLiteral("Command9"),
                                       QStringLiteral(" Hilfe aufrufen "), this);

    auto* g = new QGridLayout(seite);
    g->addWidget(beschriftung(seite, QStringLiteral("Label12"),
                              QStringLiteral("Diese Aktien zusammenführen")),
                 0, 0, 1, 3);
    g->addWidget(DBCombo1, 1, 0, 1, 3);
    g->addWidget(beschriftung(seite, QStringLiteral("Label2"), QStringLiteral("WPKN:")), 2, 0);
    g->addWidget(Label11, 2, 1, 1, 2);
    g->addWidget(beschriftung(seite, QStringLiteral("Label20"), QStringLiteral("zusammen fassen")),
                 3, 0, 1, 3);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(Command8);
    knoepfe->addWidget(Command9);
    knoepfe->addStretch(1);
    g->addLayout(knoepfe, 4, 0, 1, 3);
    g->setColumnStretch(2, 1);
    g->setRowStretch(5, 1);

    connect(DBCombo1, &QComboBox::activated, this, &FormExtras::DBCombo1_Click);
    connect(DBCombo1, &QComboBox::currentTextChanged, this,
            [this](const QString& t) { Command8->setEnabled(!t.isEmpty()); });
    connect(Command8, &QAbstractButton::clicked, this, &FormExtras::Command8_Click);
    connect(Command9, &QAbstractButton::clicked, this, [this] { m_api.hilfeAnzeigen(); });
    return seite;
}

// ---------------------------------------------------------------- load, open, leave

void FormExtras::Form_Load() {
    m_daten1.reset(Recordset::openTable(m_api.database(), QStringLiteral("Aktiendaten")));
    listenFuellen();

    Recordset& kennwort = m_api.Daten2();
    if (!kennwort.hasCurrent()) kennwort.moveFirst();
    Text5->setText(kennwort.text(QStringLiteral("spekufrist")));
    Text1->setText(m_api.modul().PasswortAktuell);
    Text2->setText(m_api.modul().PasswortAktuell);
    passwortKnoepfe();
    DateiVerschluesseln->setChecked(Verschluesselung::mitPasswort(m_api.database()));

    // The window opens on the package the main window shows: its name above
    // the fields, its stored target and stop price in them.
    Recordset& pakete = m_api.Daten1();
    if (pakete.hasCurrent()) {
        const QString name = pakete.text(QStringLiteral("aktie"));
        Label5->setText(name);
        Label9->setText(name);
        Text3->setText(pakete.text(QStringLiteral("kursziel")));
        Text4->setText(pakete.text(QStringLiteral("stopkurs")));
    }
    Label1->setText(reiterTitel(SSTab1->currentIndex()));
}

void FormExtras::listenFuellen() {
    m_pakete.clear();
    const auto rows = m_api.database().rows(
        QStringLiteral("SELECT rowid, aktie FROM Aktiendaten ORDER BY rowid"));
    m_pakete.reserve(rows.size());
    QStringList namen;
    namen.reserve(rows.size());
    for (const auto& r : rows) {
        m_pakete << Eintrag{r.value(0).toLongLong(), r.value(1).toString()};
        namen << m_pakete.last().name;
    }
    const Bookmark aktuell = m_api.Daten1().hasCurrent() ? m_api.Daten1().bookmark() : -1;
    int aktuellIndex = -1;
    for (qsizetype i = 0; i < m_pakete.size(); ++i)
        if (m_pakete[i].nr == aktuell) aktuellIndex = static_cast<int>(i);

    // The three lists show the same names: one model for all of them.
    for (QComboBox* c : {Combo1, Combo2, DBCombo1})
        c->blockSignals(true);
    m_namen->setStringList(namen);
    for (QComboBox* c : {Combo1, Combo2, DBCombo1}) {
        c->setCurrentIndex(c == DBCombo1 ? -1 : aktuellIndex);
        c->blockSignals(false);
    }
    Label11->clear();
    Command8->setEnabled(false);
}

void FormExtras::vorbereiten(Reiter reiter, bool nurDieser, const QString& label13) {
    // Select first: a tab switched off while current would hand over to another.
    SSTab1->setTabEnabled(reiter, true);
    SSTab1->setCurrentIndex(reiter);
    for (int i = 0; i < SSTab1->count(); ++i)
        SSTab1->setTabEnabled(i, !nurDieser || i == reiter);
    if (!label13.isEmpty()) Label13->setText(label13);
    Label1->setText(reiterTitel(reiter));
}

void FormExtras::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Form_Activate();
}

void FormExtras::Form_Activate() {
    switch (SSTab1->currentIndex()) {
    case StopZiel:
        Text3->setFocus();
        break;
    case Spekufrist:
        Text5->setFocus();
        break;
    case Passwort:
        Text1->setText(m_api.modul().PasswortAktuell);
        Text2->setText(m_api.modul().PasswortAktuell);
        Text1->setFocus();
        break;
    case Split:
        Text6->setFocus();
        break;
    case Pakete:
        DBCombo1->setFocus();
        break;
    default:
        break;
    }
}

void FormExtras::SSTab1_Click(int index) {
    Label1->setText(reiterTitel(index));
}

void FormExtras::zumLesezeichen() {
    const Bookmark b = m_api.modul().lesezeichen;
    if (b >= 0) m_api.Daten1().setBookmark(b);
}

Bookmark FormExtras::letztesPaket(const QString& name) const {
    for (qsizetype i = m_pakete.size() - 1; i >= 0; --i)
        if (m_pakete[i].name == name) return m_pakete[i].nr;
    return -1;
}

void FormExtras::Command1_Click() {
    verlassen();
}

void FormExtras::reject() {
    verlassen();
}

void FormExtras::verlassen() {
    if (m_verlassen) return;
    m_verlassen = true;
    zumLesezeichen();
    ModulAktien& modul = m_api.modul();
    if (modul.KarteAktiv) {
        m_api.setKartenkopfSichtbar(true);
        modul.KarteAktiv = false;
    }
    QDialog::done(QDialog::Accepted);
}

bool FormExtras::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the package list saves the prices, when both are filled in.
    if (watched == Combo1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (Command3->isEnabled()) Command3_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// ---------------------------------------------------------------- target and stop price

void FormExtras::Combo1_Click(int index) {
    if (index < 0) return;
    Text3->clear();
    Text4->clear();
    const QString name = Combo1->itemText(index);
    const Bookmark b = letztesPaket(name);
    if (b >= 0) m_api.modul().lesezeichen = b;
    Label5->setText(name);
    zumLesezeichen();
    Recordset& pakete = m_api.Daten1();
    if (!pakete.hasCurrent()) return;
    Text4->setText(pakete.text(QStringLiteral("stopkurs")));
    Text3->setText(pakete.text(QStringLiteral("kursziel")));
}

void FormExtras::Command3_Click() {
    Dialogs& dlg = m_api.dialogs();
    Recordset& pakete = m_api.Daten1();
    if (!pakete.hasCurrent()) {
        dlg.notice(this, waehlenText());
        return;
    }
    // Euro prices per piece, within the range every amount field keeps.
    const Eingabe::Feld<Currency> ziel = Eingabe::betrag(Text3->text());
    const Eingabe::Feld<Currency> stop = Eingabe::betrag(Text4->text());
    if (ziel.fehler == Eingabe::Fehler::ZuGross) {
        dlg.notice(this, Eingabe::zuGrossText(QStringLiteral("Zielkurs")));
        return;
    }
    if (stop.fehler == Eingabe::Fehler::ZuGross) {
        dlg.notice(this, Eingabe::zuGrossText(QStringLiteral("Stopkurs")));
        return;
    }
    if (!ziel.ok() || !stop.ok()) {
        dlg.notice(this, QStringLiteral("Bitte geben Sie Kursziel und Stopkurs als Zahlen ein!"));
        return;
    }
    if (!dlg.ask(this, QStringLiteral("Möchten Sie Stop + Zielkurs jetzt speichern?"))) return;
    Transaction t(m_api.database(), QStringLiteral("Kursziel + Stopkurs"));
    pakete.edit();
    pakete.setValue(QStringLiteral("kursziel"), ziel.wert->toDouble());
    pakete.setValue(QStringLiteral("stopkurs"), stop.wert->toDouble());
    if (!pakete.update() || !t.commit()) {
        pakete.cancel();
        dlg.notice(this,
                   QStringLiteral("Kursziel und Stopkurs konnten nicht gespeichert werden.\n\n") +
                       pakete.lastError());
        return;
    }
    zumLesezeichen();
}

// ---------------------------------------------------------------- speculation period

void FormExtras::Command4_Click() {
    Dialogs& dlg = m_api.dialogs();
    const Numbers::WholeReading monate = Numbers::readWhole(Text5->text());
    if (monate.reading != Numbers::Reading::Number || !monate.whole ||
        monate.value > std::numeric_limits<int>::max()) {
        dlg.notice(this, QStringLiteral("Bitte geben Sie die Spekulationsfrist in Monaten ein!"));
        return;
    }
    if (!dlg.ask(this, QStringLiteral("Möchten Sie die Spekulationsfrist jetzt speichern?")))
        return;
    Recordset& kennwort = m_api.Daten2();
    if (!kennwort.hasCurrent()) kennwort.moveFirst();
    Transaction t(m_api.database(), QStringLiteral("Spekulationsfrist"));
    kennwort.edit();
    kennwort.setValue(QStringLiteral("spekufrist"), monate.value);
    if (!kennwort.update() || !t.commit()) {
        kennwort.cancel();
        dlg.notice(this,
                   QStringLiteral("Die Spekulationsfrist konnte nicht gespeichert werden.\n\n") +
                       kennwort.lastError());
        return;
    }
    // Moving the card to its package again shows the alert under the new period.
    zumLesezeichen();
}

// ---------------------------------------------------------------- password

void FormExtras::passwortKnoepfe() {
    const bool beide = !Text1->text().isEmpty() && !Text2->text().isEmpty();
    Command5->setEnabled(beide);
    Command6->setEnabled(beide);
}

void FormExtras::Check1_Click() {
    const auto modus = Check1->isChecked() ? QLineEdit::Normal : QLineEdit::Password;
    Text1->setEchoMode(modus);
    Text2->setEchoMode(modus);
}

void FormExtras::Command5_Click() {
    Dialogs& dlg = m_api.dialogs();
    if (Text1->text() != Text2->text()) {
        QApplication::beep();
        dlg.notice(this, QStringLiteral("Ihre beiden Eingaben sind nicht identisch!"));
        Text1->clear();
        Text2->clear();
        Text1->setFocus();
        return;
    }
    if (Text1->text().isEmpty()) {
        dlg.notice(this, QStringLiteral("Sie müssen zuerst das Passwort zweimal eingeben!"));
        Text1->setFocus();
        return;
    }
    if (!dlg.ask(this, QStringLiteral("Möchten Sie das Passwort jetzt speichern?"))) return;
    const QString neu = Text2->text();
    const bool verschluesseln = DateiVerschluesseln->isChecked();
    if (verschluesseln &&
        dlg.message(this,
                    QStringLiteral("Die Datei wird jetzt mit diesem Passwort verschlüsselt.\n"
                                   "Ohne das Passwort kann sie danach von niemandem mehr "
                                   "geöffnet werden.\n\nMöchten Sie die Datei jetzt "
                                   "verschlüsseln?"),
                    Dialogs::Icon::Exclamation, Dialogs::Buttons::YesNo) != Dialogs::Answer::Yes)
        return;
    m_api.modul().PasswortEingabe = neu;
    Recordset& kennwort = m_api.Daten2();
    if (!kennwort.hasCurrent()) kennwort.moveFirst();
    // The key comes from the password as the start check reads it back.
    const QString klar = ::Passwort::klartext(::Passwort::speicherform(neu));
    const bool bisher = Verschluesselung::mitPasswort(m_api.database());
    const bool gleich =
        bisher && klar == ::Passwort::klartext(kennwort.text(QStringLiteral("passwort")));
    if (verschluesseln != bisher || (verschluesseln && !gleich)) {
        if (!dateiUmschluesseln(verschluesseln ? klar : QString(), ::Passwort::speicherform(neu)))
            return;
        m_api.modul().PasswortAktuell = neu;
        verlassen();
        return;
    }
    kennwort.edit();
    kennwort.setValue(QStringLiteral("passwort"), ::Passwort::speicherform(neu));
    if (!kennwort.update()) {
        kennwort.cancel();
        dlg.notice(this, QStringLiteral("Das Passwort konnte nicht gespeichert werden.\n\n") +
                             kennwort.lastError());
        return;
    }
    m_api.modul().PasswortAktuell = neu;
    verlassen();
}

void FormExtras::Command6_Click() {
    Dialogs& dlg = m_api.dialogs();
    if (m_api.modul().PasswortAktuell.isEmpty()) {
        dlg.notice(this, QStringLiteral("Es ist kein Passwort gespeichert!"));
        return;
    }
    if (!dlg.askStop(this, QStringLiteral("Möchten Sie das Passwort jetzt löschen?"))) return;
    if (Verschluesselung::mitPasswort(m_api.database())) {
        // Without a password the file gets the program's own key again.
        if (!dateiUmschluesseln(QString(), ::Passwort::keines())) return;
        m_api.modul().PasswortAktuell.clear();
        verlassen();
        return;
    }
    Recordset& kennwort = m_api.Daten2();
    if (!kennwort.hasCurrent()) kennwort.moveFirst();
    kennwort.edit();
    kennwort.setValue(QStringLiteral("passwort"), ::Passwort::keines());
    if (!kennwort.update()) {
        kennwort.cancel();
        dlg.notice(this, QStringLiteral("Das Passwort konnte nicht gelöscht werden.\n\n") +
                             kennwort.lastError());
        return;
    }
    m_api.modul().PasswortAktuell.clear();
    verlassen();
}

bool FormExtras::dateiUmschluesseln(const QString& passwort, const QString& speicherform) {
    // Re-keying replaces the file: no record set may hold it meanwhile.
    m_daten1.reset();
    Kompaktierung::Ergebnis e;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = m_api.ohneDatensaetze([&] {
        e = Verschluesselung::umschluesseln(m_api.database(), passwort, speicherform);
        return e.ok;
    });
    QApplication::restoreOverrideCursor();
    m_daten1.reset(Recordset::openTable(m_api.database(), QStringLiteral("Aktiendaten")));
    if (ok) return true;
    QString text = passwort.isEmpty()
                       ? QStringLiteral("Die Verschlüsselung mit dem Passwort konnte nicht "
                                        "aufgehoben werden.")
                       : QStringLiteral("Die Datei konnte nicht mit dem Passwort verschlüsselt "
                                        "werden.");
    text += QStringLiteral("\nDas Passwort bleibt, wie es war.");
    if (!e.meldung.isEmpty()) text += QStringLiteral("\n\n") + e.meldung;
    m_api.dialogs().notice(this, text);
    return false;
}

void FormExtras::Command7_Click() {
    Text1->clear();
    Text2->clear();
    Text1->setFocus();
}

// ---------------------------------------------------------------- stock split

void FormExtras::Combo2_Click(int index) {
    if (index < 0) return;
    const QString name = Combo2->itemText(index);
    const Bookmark b = letztesPaket(name);
    if (b >= 0) m_api.modul().lesezeichen = b;
    zumLesezeichen();
    Label9->setText(name);
}

void FormExtras::Command2_Click() {
    Dialogs& dlg = m_api.dialogs();
    Recordset& pakete = m_api.Daten1();
    if (!pakete.hasCurrent()) {
        dlg.notice(this, waehlenText());
        return;
    }
    const auto faktor = Korrekturen::splitFaktor(Text6->text());
    if (!faktor) {
        dlg.notice(this, Korrekturen::faktorUngueltigText());
        return;
    }
    Database& db = m_api.database();
    const QString name = pakete.text(QStringLiteral("aktie"));
    const QString grund = Korrekturen::splitPruefen(db, name, *faktor);
    if (!grund.isEmpty()) {
        dlg.notice(this, grund);
        return;
    }
    if (!dlg.ask(this, Korrekturen::splitFrage())) return;
    const Korrekturen::Ergebnis r = Korrekturen::splitDurchfuehren(db, name, *faktor);
    if (!r.ok) {
        dlg.notice(this, r.fehler);
        return;
    }
    m_api.SummenAktualisieren();
    pakete.requery();
    m_api.DepotUebersicht();
    zumLesezeichen();
    dlg.notice(this, Korrekturen::splitErfolgText());
}

// ---------------------------------------------------------------- merging

void FormExtras::DBCombo1_Click(int index) {
    if (index < 0) return;
    if (index >= m_pakete.size() || !m_daten1->setBookmark(m_pakete[index].nr)) return;
    Label11->setText(m_daten1->text(QStringLiteral("WP-KNummer")));
}

void FormExtras::Command8_Click() {
    Dialogs& dlg = m_api.dialogs();
    if (!m_daten1->hasCurrent()) {
        dlg.notice(this, waehlenText());
        return;
    }
    const QString kennummer = m_daten1->text(QStringLiteral("WP-KNummer"));
    // Without a number every package lacking one would count as the same security.
    if (kennummer.trimmed().isEmpty()) {
        dlg.notice(this, QStringLiteral("Dieses Paket hat keine Wertpapier-Kennummer!"));
        return;
    }
    Database& db = m_api.database();
    const int anzahl = Korrekturen::paketeMitKennummer(db, kennummer);
    if (anzahl <= 1) {
        dlg.notice(this, Korrekturen::nurEinPaketText());
        return;
    }
    const QString grund = Korrekturen::buendelnPruefen(db, kennummer);
    if (!grund.isEmpty()) {
        dlg.notice(this, grund);
        return;
    }
    if (!dlg.ask(this, Korrekturen::buendelFrage(anzahl))) return;
    const Korrekturen::Ergebnis r = Korrekturen::buendeln(db, kennummer);
    if (!r.ok) {
        dlg.notice(this, r.fehler);
        return;
    }

    Recordset& pakete = m_api.Daten1();
    pakete.requery();
    // The saved package may have been one of the merged ones.
    ModulAktien& modul = m_api.modul();
    if (modul.lesezeichen < 0 || !pakete.setBookmark(modul.lesezeichen)) modul.lesezeichen = r.neu;
    m_api.PaketeZaehlen();
    m_api.SummenAktualisieren();
    m_api.DepotUebersicht();
    m_api.paketBefehleAktualisieren();
    zumLesezeichen();
    m_daten1->requery();
    listenFuellen();
    if (pakete.hasCurrent()) {
        // The other tabs now stand on the package the main window shows.
        Label5->setText(pakete.text(QStringLiteral("aktie")));
        Label9->setText(Label5->text());
        Text3->setText(pakete.text(QStringLiteral("kursziel")));
        Text4->setText(pakete.text(QStringLiteral("stopkurs")));
    }
    Command8->setEnabled(false);
    dlg.notice(this, Korrekturen::buendelErfolgText());
}
