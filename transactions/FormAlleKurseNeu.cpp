#include "transactions/FormAlleKurseNeu.h"

#include "core/Clock.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/Beschriftung.h"
#include "platform/Dialogs.h"
#include "platform/Fensterteile.h"
#include "platform/HoverButton.h"
#include "platform/HoverReset.h"
#include "platform/MainWindowApi.h"
#include "platform/NumericField.h"
#include "transactions/KursOperationen.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

FormAlleKurseNeu::FormAlleKurseNeu(MainWindowApi& api, QWidget* parent)
    : QDialog(parent), m_api(api) {
    setObjectName(QStringLiteral("FormAlleKurseNeu"));
    setWindowTitle(QStringLiteral("Kurse aktualisieren"));
    setModal(true);
    m_paket.fill(-1);

    Label1 = new QLabel(QStringLiteral("Kurse aktualisieren"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont f = Label1->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 2);
    Label1->setFont(f);
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    // All four tabs in sight, and no scroll arrows for Tab to stop at.
    SSTab1->setUsesScrollButtons(false);
    for (int seite = 0; seite < Zeilen / ZeilenJeSeite; ++seite) {
        auto* blatt = new QWidget(SSTab1);
        auto* gitter = new QGridLayout(blatt);
        for (int z = 0; z < ZeilenJeSeite; ++z) {
            const int k = seite * ZeilenJeSeite + z;
            Label[k] = new QLabel(blatt);
            Label[k]->setObjectName(QStringLiteral("Label(%1)").arg(k));
            Label[k]->setMinimumWidth(220);
            auto cfg = NumericConfig::decimal();
            // Enter saves from any field, even while the button is disabled.
            cfg.onEnter = [this] { Schalter1_Click(); };
            Text[k] = new NumericField(m_api.dialogs(), cfg, blatt);
            Text[k]->setObjectName(QStringLiteral("Text(%1)").arg(k));
            Text[k]->setAccessibleName(QStringLiteral("Neuer Kurs %1").arg(k + 1));
            Label[k]->setVisible(false);
            Text[k]->setVisible(false);
            gitter->addWidget(Label[k], z, 0);
            gitter->addWidget(Text[k], z, 1);
            connect(Text[k], &QLineEdit::textChanged, this, [this](const QString& t) {
                // Once enabled it stays enabled.
                if (!t.isEmpty()) Schalter1->setEnabled(true);
            });
        }
        gitter->setRowStretch(ZeilenJeSeite, 1);
        const int von = seite * ZeilenJeSeite + 1;
        SSTab1->addTab(blatt, QStringLiteral("Aktien %1 - %2").arg(von).arg(von + 11));
    }

    DTPicker1 = Fensterteile::datumsfeld(QStringLiteral("DTPicker1"), this);
    Schalter1 = Fensterteile::textknopf(QStringLiteral("Schalter1"),
                                        QStringLiteral(" Daten speichern "), this);
    Schalter1->setEnabled(false);
    Schalter2 = Fensterteile::textknopf(QStringLiteral("Schalter2"),
                                        QStringLiteral(" Fenster schließen "), this);

    auto* unten = new QHBoxLayout;
    unten->addWidget(beschriftung(QStringLiteral("Datum"), DTPicker1, this));
    unten->addWidget(DTPicker1);
    unten->addStretch();
    unten->addWidget(Schalter1);
    unten->addWidget(Schalter2);
    auto* haupt = new QVBoxLayout(this);
    haupt->addWidget(Label1);
    haupt->addWidget(Label2);
    haupt->addWidget(SSTab1, 1);
    haupt->addLayout(unten);

    HoverReset::install(this);

    connect(SSTab1, &QTabWidget::currentChanged, this, &FormAlleKurseNeu::SSTab1_Click);
    connect(Schalter1, &QAbstractButton::clicked, this, &FormAlleKurseNeu::Schalter1_Click);
    connect(Schalter2, &QAbstractButton::clicked, this, &FormAlleKurseNeu::Schalter2_Click);

    Form_Load();
}

void FormAlleKurseNeu::Form_Load() {
    Label2->setText(QStringLiteral("Keine Aktien im Depot"));
    SSTab1->setCurrentIndex(0);
    for (int t = 1; t < SSTab1->count(); ++t)
        SSTab1->setTabEnabled(t, false);

    // Natural order of Aktiendaten is the order of the hidden key.
    Database& db = m_api.database();
    const int n = db.scalar(QStringLiteral("SELECT COUNT(*) FROM Aktiendaten")).toInt();
    SSTab1->setTabEnabled(1, n > 12);
    SSTab1->setTabEnabled(2, n > 24);
    SSTab1->setTabEnabled(3, n > 36);
    const auto rows = db.rows(
        QStringLiteral("SELECT _nr, aktie FROM Aktiendaten ORDER BY _nr LIMIT %1").arg(Zeilen));
    m_belegt = 0;
    for (const QVariantList& r : rows) {
        const int k = m_belegt++;
        m_paket[k] = r.value(0).toLongLong();
        Label[k]->setText(r.value(1).toString());
        // The field is read out with its package's name.
        Text[k]->setAccessibleName(QStringLiteral("Neuer Kurs ") + r.value(1).toString().trimmed());
        Label[k]->setVisible(true);
        Text[k]->setVisible(true);
    }
    if (n > Zeilen)
        // Say plainly that only the first 48 can be updated here.
        Label2->setText(QStringLiteral("%1 von %2 Aktien im Depot").arg(Zeilen).arg(n));
    else if (n > 0)
        Label2->setText(QString::number(m_belegt) + QStringLiteral("  Aktien im Depot"));
}

void FormAlleKurseNeu::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    Form_Activate();
}

void FormAlleKurseNeu::Form_Activate() {
    Text[0]->setFocus();
    DTPicker1->setDate(m_api.clock().today());
}

void FormAlleKurseNeu::SSTab1_Click(int tab) {
    if (tab > 0) Text[size_t(tab) * ZeilenJeSeite]->setFocus();
}

void FormAlleKurseNeu::karteWiederZeigen() {
    ModulAktien& m = m_api.modul();
    if (m.KarteAktiv) {
        m_api.setKartenkopfSichtbar(true);
        m.KarteAktiv = false;
    }
}

void FormAlleKurseNeu::Schalter1_Click() {
    Dialogs& dlg = m_api.dialogs();
    // Every field is read once and checked before the question.
    QList<Kurse::NeuerKurs> neu;
    for (int k = 0; k < m_belegt; ++k) {
        const QString t = Text[k]->text();
        if (t.isEmpty()) continue;
        const Eingabe::Feld<Currency> kurs = Kurse::kursZweiStellen(t);
        QString fehler;
        if (kurs.fehler == Eingabe::Fehler::ZuGross)
            fehler = QStringLiteral("Der Kurs für %1 ist zu groß!\nErlaubt sind Beträge bis %2.")
                         .arg(Label[k]->text(), Eingabe::groessterBetragText(2));
        else if (!kurs.ok())
            fehler =
                QStringLiteral("Der Kurs für %1 ist keine gültige Zahl!").arg(Label[k]->text());
        else if (!Kurse::paketwertImBereich(m_api.database(), m_paket[k], *kurs.wert))
            fehler = Kurse::paketwertZuGrossText(Label[k]->text());
        if (!fehler.isEmpty()) {
            SSTab1->setCurrentIndex(k / ZeilenJeSeite);
            Text[k]->setFocus();
            dlg.notice(this, fehler);
            return;
        }
        neu.append({m_paket[k], Label[k]->text(), *kurs.wert});
    }
    if (!dlg.ask(this, QStringLiteral("Möchten Sie die Aktienkurse jetzt speichern?"))) return;
    const Kurse::Ergebnis r =
        Kurse::alleKurseSpeichern(m_api.database(), neu, DTPicker1->date(), m_api.clock().today(),
                                  Kurse::angezeigterGesamtwert(m_api.gesamtwertText()));
    if (!r.ok) {
        dlg.notice(this, r.fehler);
        return;
    }
    m_api.Daten1().requery();
    m_api.Daten2().requery();
    m_api.SummenAktualisieren();
    karteWiederZeigen();
    m_geschlossen = true;
    accept();
    m_api.zumLesezeichen();
}

void FormAlleKurseNeu::Schalter2_Click() {
    karteWiederZeigen();
    m_api.zumLesezeichen();
    m_geschlossen = true;
    QDialog::reject();
}

void FormAlleKurseNeu::reject() {
    // Escape or the title bar close the window like its close button.
    if (!m_geschlossen) Schalter2_Click();
}
