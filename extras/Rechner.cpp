#include "extras/Rechner.h"

#include "platform/Dialogs.h"
#include "platform/Fensterteile.h"
#include "platform/HoverButton.h"
#include "platform/HoverReset.h"
#include "platform/Wertanzeige.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const char Zeichen[5] = {'/', '+', 'X', '-', '='};

QLabel* display(QWidget* parent, const QString& name) {
    auto* l = new QLabel(QStringLiteral("0,"), parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, Qt::black);
    l->setPalette(p);
    QFont f = l->font();
    f.setPointSize(f.pointSize() + 4);
    f.setBold(true);
    l->setFont(f);
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QString(18, QLatin1Char('0'))));
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

QLabel* einheit(QWidget* parent, const QString& name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("DM  ")));
    return l;
}

} // namespace

Rechner::Rechner(Dialogs& dialogs, QWidget* parent) : QDialog(parent), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("Rechner"));
    setWindowTitle(QStringLiteral("Rechner"));
    setModal(true);

    auto* ergebnis = new QGroupBox(QStringLiteral(" Ergebnis "), this);
    Readout = display(ergebnis, QStringLiteral("Readout"));
    wertanzeige(Readout, QStringLiteral("Ergebnis"));
    Label3 = einheit(ergebnis, QStringLiteral("Label3"), QStringLiteral("DM"));
    auto* e = new QHBoxLayout(ergebnis);
    e->addWidget(Readout, 1);
    e->addWidget(Label3);

    auto* umgerechnet = new QGroupBox(QStringLiteral(" umgerechnetes Ergebnis "), this);
    Label1 = display(umgerechnet, QStringLiteral("Label1"));
    wertanzeige(Label1, QStringLiteral("umgerechnetes Ergebnis"));
    Label4 = einheit(umgerechnet, QStringLiteral("Label4"), QStringLiteral("EU"));
    auto* u = new QHBoxLayout(umgerechnet);
    u->addWidget(Label1, 1);
    u->addWidget(Label4);

    auto* Label2 = new QLabel(QStringLiteral("Umrechnen in Währung"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Option1 = new QRadioButton(QStringLiteral(" Ergebnis umrechnen in Euro "), this);
    Option1->setObjectName(QStringLiteral("Option1"));
    Option1->setAccessibleName(QStringLiteral("Ergebnis umrechnen in Euro"));
    Option1->setChecked(true);
    Option2 = new QRadioButton(QStringLiteral(" Ergebnis umrechnen in DM "), this);
    Option2->setObjectName(QStringLiteral("Option2"));
    Option2->setAccessibleName(QStringLiteral("Ergebnis umrechnen in DM"));
    // Clicks rather than toggles: choosing the chosen option again resets as well.
    connect(Option1, &QAbstractButton::clicked, this, &Rechner::Option1_Click);
    connect(Option2, &QAbstractButton::clicked, this, &Rechner::Option2_Click);

    for (int i = 0; i < 10; ++i) {
        Number[i] = taste(QStringLiteral("Number%1").arg(i), QString::number(i));
        connect(Number[i], &QAbstractButton::clicked, this, [this, i] { Number_Click(i); });
    }
    Decimal = taste(QStringLiteral("Decimal"), QStringLiteral(","));
    Decimal->setAccessibleName(QStringLiteral("Dezimalkomma"));
    connect(Decimal, &QAbstractButton::clicked, this, &Rechner::Decimal_Click);
    const char* namen[5] = {"geteilt durch", "plus", "mal", "minus", "gleich"};
    for (int i = 0; i < 5; ++i) {
        Operator[i] = taste(QStringLiteral("Operator%1").arg(i), QString(QLatin1Char(Zeichen[i])));
        Operator[i]->setAccessibleName(QString::fromLatin1(namen[i]));
        connect(Operator[i], &QAbstractButton::clicked, this, [this, i] { Operator_Click(i); });
    }
    Percent = taste(QStringLiteral("Percent"), QStringLiteral("%"));
    Percent->setAccessibleName(QStringLiteral("Prozent"));
    connect(Percent, &QAbstractButton::clicked, this, &Rechner::Percent_Click);
    Cancel = taste(QStringLiteral("Cancel"), QStringLiteral("C"));
    Cancel->setAccessibleName(QStringLiteral("Alles löschen"));
    connect(Cancel, &QAbstractButton::clicked, this, &Rechner::Cancel_Click);
    CancelEntry = taste(QStringLiteral("CancelEntry"), QStringLiteral("CE"));
    CancelEntry->setAccessibleName(QStringLiteral("Eingabe löschen"));
    connect(CancelEntry, &QAbstractButton::clicked, this, &Rechner::CancelEntry_Click);
    Befehl1 = taste(QStringLiteral("Befehl1"), QStringLiteral("&Schließen"));
    Befehl1->setAccessibleName(QStringLiteral("Schließen"));
    connect(Befehl1, &QAbstractButton::clicked, this, &QDialog::accept);

    // The usual pocket-calculator block: digits left, operators right.
    auto* tasten = new QGridLayout;
    tasten->setSpacing(6);
    tasten->addWidget(Cancel, 0, 0);
    tasten->addWidget(CancelEntry, 0, 1);
    tasten->addWidget(Percent, 0, 2);
    tasten->addWidget(Operator[0], 0, 3);
    const int reihe[9] = {7, 8, 9, 4, 5, 6, 1, 2, 3};
    for (int k = 0; k < 9; ++k)
        tasten->addWidget(Number[reihe[k]], 1 + k / 3, k % 3);
    tasten->addWidget(Operator[2], 1, 3);
    tasten->addWidget(Operator[3], 2, 3);
    tasten->addWidget(Operator[1], 3, 3);
    tasten->addWidget(Number[0], 4, 0, 1, 2);
    tasten->addWidget(Decimal, 4, 2);
    tasten->addWidget(Operator[4], 4, 3);

    auto* optionen = new QVBoxLayout;
    optionen->addWidget(Label2);
    optionen->addWidget(Option1);
    optionen->addWidget(Option2);
    optionen->addStretch(1);
    optionen->addWidget(Befehl1);

    auto* mitte = new QHBoxLayout;
    mitte->addLayout(tasten);
    mitte->addSpacing(12);
    mitte->addLayout(optionen);

    auto* haupt = new QVBoxLayout(this);
    haupt->addWidget(ergebnis);
    haupt->addWidget(umgerechnet);
    haupt->addLayout(mitte);

    for (HoverButton* b : findChildren<HoverButton*>())
        if (b != Befehl1) b->installEventFilter(this);
    // Tab reads the block row by row, then the options.
    Fensterteile::tabfolge({Cancel,      CancelEntry, Percent,     Operator[0], Number[7],
                            Number[8],   Number[9],   Operator[2], Number[4],   Number[5],
                            Number[6],   Operator[3], Number[1],   Number[2],   Number[3],
                            Operator[1], Number[0],   Decimal,     Operator[4], Option1,
                            Option2,     Befehl1});

    HoverReset::install(this);
    zeigen();
}

HoverButton* Rechner::taste(const QString& name, const QString& text) {
    auto* b = new HoverButton(this);
    b->setObjectName(name);
    b->setText(text);
    b->setAccessibleName(text);
    b->setAutoDefault(false);
    b->setDefault(false);
    // Tab reaches every key, but a click leaves the focus where it was, so
    // the keyboard keeps working the window.
    b->setFocusPolicy(Qt::TabFocus);
    b->setMinimumSize(44, 34);
    return b;
}

void Rechner::zeigen() {
    Readout->setText(m_werk.anzeige());
    Label1->setText(m_werk.umgerechnet());
    Label3->setText(m_werk.einheitAnzeige());
    Label4->setText(m_werk.einheitUmgerechnet());
    Option1->setEnabled(m_werk.optionenFrei());
    Option2->setEnabled(m_werk.optionenFrei());
}

void Rechner::Number_Click(int index) {
    m_werk.ziffer(index);
    zeigen();
}

void Rechner::Decimal_Click() {
    m_werk.komma();
    zeigen();
}

void Rechner::Operator_Click(int index) {
    if (index < 0 || index > 4) return;
    const QString meldung = m_werk.rechenzeichen(QLatin1Char(Zeichen[index]));
    zeigen();
    if (!meldung.isEmpty())
        m_dialogs.message(this, meldung, Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok,
                          Rechenwerk::titel());
}

void Rechner::Percent_Click() {
    m_werk.prozent();
    zeigen();
}

void Rechner::Cancel_Click() {
    m_werk.allesLoeschen();
    zeigen();
}

void Rechner::CancelEntry_Click() {
    m_werk.eingabeLoeschen();
    zeigen();
}

void Rechner::Option1_Click() {
    m_werk.setRichtung(Rechenwerk::Richtung::InEuro);
    zeigen();
}

void Rechner::Option2_Click() {
    m_werk.setRichtung(Rechenwerk::Richtung::InDm);
    zeigen();
}

bool Rechner::eventFilter(QObject* watched, QEvent* event) {
    // Enter is "=" on a key that has the focus too; Space presses that key.
    if (event->type() == QEvent::KeyPress) {
        const auto* taste = static_cast<QKeyEvent*>(event);
        if (taste->key() == Qt::Key_Return || taste->key() == Qt::Key_Enter) {
            Operator[4]->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Rechner::keyPressEvent(QKeyEvent* event) {
    const QString t = event->text();
    const QChar c = t.size() == 1 ? t.at(0) : QChar();
    HoverButton* b = nullptr;
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        b = Number[c.unicode() - '0'];
    else if (c == QLatin1Char(',') || c == QLatin1Char('.'))
        b = Decimal;
    else if (c == QLatin1Char('/'))
        b = Operator[0];
    else if (c == QLatin1Char('+'))
        b = Operator[1];
    else if (c == QLatin1Char('*') || c == QLatin1Char('x') || c == QLatin1Char('X'))
        b = Operator[2];
    else if (c == QLatin1Char('-'))
        b = Operator[3];
    else if (c == QLatin1Char('=') || event->key() == Qt::Key_Return ||
             event->key() == Qt::Key_Enter)
        b = Operator[4];
    else if (c == QLatin1Char('%'))
        b = Percent;
    else if (event->key() == Qt::Key_Delete)
        b = CancelEntry;
    if (b) {
        b->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
