#include "extras/pwfrage.h"

#include "core/Passwort.h"
#include "db/Recordset.h"
#include "platform/Dialogs.h"
#include "platform/Fensterteile.h"
#include "platform/HoverButton.h"
#include "platform/HoverReset.h"
#include "platform/MainWindowApi.h"
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

bool passwortStimmt(const QString& speicherform, const QString& eingabe, QString* klartext) {
    const QString klar = Passwort::klartext(speicherform);
    if (klar != eingabe) return false;
    if (klartext) *klartext = klar;
    return true;
}

pwfrage::pwfrage(MainWindowApi& haupt, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_haupt(&haupt), m_modul(haupt.modul()), m_dialogs(haupt.dialogs()) {
    aufbauen();
}

pwfrage::pwfrage(ModulAktien& modul, Dialogs& dialogs, Dateioeffnung oeffnen, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_modul(modul), m_dialogs(dialogs), m_oeffnen(std::move(oeffnen)) {
    aufbauen();
}

void pwfrage::aufbauen() {
    setObjectName(QStringLiteral("pwfrage"));
    setWindowTitle(QStringLiteral("Kapito 3.6"));
    setAttribute(Qt::WA_DeleteOnClose);

    Label1 = new QLabel(QStringLiteral("Kapito 3.6"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont titel = Label1->font();
    titel.setPointSize(titel.pointSize() + 6);
    titel.setBold(true);
    Label1->setFont(titel);
    Label1->setAlignment(Qt::AlignCenter);

    Label2 = new QLabel(QStringLiteral("Bitte gültiges Passwort eingeben "), this);
    Label2->setObjectName(QStringLiteral("Label2"));

    Textpwfrage = new QLineEdit(this);
    Textpwfrage->setObjectName(QStringLiteral("Textpwfrage"));
    Fensterteile::passwortfeld(Textpwfrage);
    Textpwfrage->setMaxLength(12);
    Textpwfrage->setAccessibleName(QStringLiteral("Passwort"));

    Schalter3 = Fensterteile::textknopf(QStringLiteral("Schalter3"),
                                        QStringLiteral(" Passwort übernehmen "), this);
    Schalter3->setEnabled(false);
    schalter4 = Fensterteile::textknopf(QStringLiteral("schalter4"),
                                        QStringLiteral(" Fenster schließen "), this);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(20, 16, 20, 16);
    grid->setVerticalSpacing(10);
    grid->addWidget(Label1, 0, 0, 1, 2);
    grid->addWidget(Label2, 1, 0, 1, 2);
    grid->addWidget(Textpwfrage, 2, 0, 1, 2);
    grid->addWidget(Schalter3, 3, 0);
    grid->addWidget(schalter4, 3, 1);
    setMinimumWidth(340);
    HoverReset::install(this);

    connect(Textpwfrage, &QLineEdit::textChanged, this,
            [this](const QString& t) { Schalter3->setEnabled(!t.isEmpty()); });
    connect(Textpwfrage, &QLineEdit::returnPressed, this, &pwfrage::Schalter3_Click);
    connect(Schalter3, &QPushButton::clicked, this, &pwfrage::Schalter3_Click);
    connect(schalter4, &QPushButton::clicked, this, &pwfrage::schalter4_Click);
}

void pwfrage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    activateWindow();
    Textpwfrage->setFocus();
}

void pwfrage::Schalter3_Click() {
    if (m_fertig) return;
    m_modul.PasswortEingabe = Textpwfrage->text();
    if (Textpwfrage->text().isEmpty()) {
        beenden();
        return;
    }
    Startpruefung();
}

void pwfrage::schalter4_Click() {
    if (!m_fertig) beenden();
}

void pwfrage::Startpruefung() {
    if (!m_haupt) {
        // The file itself checks the entry: only the right password opens it.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const Dateiversuch versuch = m_oeffnen(m_modul.PasswortEingabe);
        QApplication::restoreOverrideCursor();
        if (versuch.offen) {
            annehmen();
            return;
        }
        if (versuch.meldung.isEmpty())
            m_dialogs.message(this, falschText(), Dialogs::Icon::Stop);
        else
            m_dialogs.notice(this, versuch.meldung);
        beenden();
        return;
    }
    Recordset& kennwort = m_haupt->Daten2();
    if (!kennwort.hasCurrent()) kennwort.moveFirst();
    const QString gespeichert = kennwort.text(QStringLiteral("passwort"));
    QString klar;
    if (!passwortStimmt(gespeichert, m_modul.PasswortEingabe, &klar)) {
        m_dialogs.message(this, falschText(), Dialogs::Icon::Stop);
        beenden();
        return;
    }
    m_modul.PasswortAktuell = klar;
    m_haupt->DepotUebersicht();
    annehmen();
}

void pwfrage::annehmen() {
    m_fertig = true;
    emit angenommen();
    close();
}

void pwfrage::beenden() {
    m_fertig = true;
    emit programmBeenden();
    close();
}

void pwfrage::closeEvent(QCloseEvent* event) {
    // The close box is one more way out of the prompt: it ends the program,
    // so no hidden main window is left behind.
    if (!m_fertig) {
        m_fertig = true;
        emit programmBeenden();
    }
    event->accept();
}
