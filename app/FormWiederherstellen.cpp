#include "app/FormWiederherstellen.h"

#include "core/Numbers.h"
#include "platform/Dialogs.h"
#include "platform/Hintergrundarbeit.h"
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressDialog>
#include <atomic>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

FormWiederherstellen::FormWiederherstellen(Dialogs& dialogs,
                                           const QList<Wiederherstellung::Stand>& staende,
                                           std::function<QString(const QString&, const QString&)> ausfuehren,
                                           QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs), m_staende(staende), m_ausfuehren(std::move(ausfuehren)) {
    setObjectName(QStringLiteral("FormWiederherstellen"));
    setWindowTitle(QStringLiteral("Sicherung wiederherstellen"));

    auto* spalte = new QVBoxLayout(this);
    auto* text = new QLabel(staende.isEmpty()
                                ? QStringLiteral("Im Ordner \"Sicherungen\" gibt es keine "
                                                 "Sicherung.")
                                : QStringLiteral("&Welcher Stand soll wiederhergestellt werden?"),
                            this);
    spalte->addWidget(text);

    Liste = new QTreeWidget(this);
    Liste->setObjectName(QStringLiteral("Liste"));
    Liste->setAccessibleName(QStringLiteral("Sicherungen"));
    Liste->setRootIsDecorated(false);
    Liste->setAllColumnsShowFocus(true);
    Liste->setHeaderLabels({QStringLiteral("Datum"), QStringLiteral("Größe"),
                            QStringLiteral("Pakete"), QStringLiteral("Gesamtwert")});
    text->setBuddy(Liste);
    for (const Wiederherstellung::Stand& s : staende) {
        auto* z = new QTreeWidgetItem(Liste);
        z->setText(0, s.tag.toString(QStringLiteral("dd.MM.yyyy")));
        z->setText(1, Wiederherstellung::groesseText(s.groesse));
        if (s.passwort) {
            z->setText(2, QStringLiteral("mit Passwort verschlüsselt"));
        } else if (s.beschaedigt) {
            z->setText(2, QStringLiteral("beschädigt"));
            // Shown, so its absence is not a riddle, but not to be chosen.
            z->setFlags(Qt::NoItemFlags);
        } else {
            z->setText(2, QString::number(s.pakete));
            z->setText(3, Numbers::euroText(s.wert));
        }
        for (int c : {1, 2, 3})
            z->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    }
    Liste->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    spalte->addWidget(Liste, 1);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch(1);
    Command1 = new QPushButton(QStringLiteral("&Wiederherstellen"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2 = new QPushButton(QStringLiteral("&Abbrechen"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    // Enter is handled once, below: no button fires on its own.
    for (QPushButton* b : {Command1, Command2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
        knoepfe->addWidget(b);
    }
    spalte->addLayout(knoepfe);
    connect(Command1, &QPushButton::clicked, this, &FormWiederherstellen::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);

    auto waehlbar = [this] {
        const QTreeWidgetItem* z = Liste->currentItem();
        Command1->setEnabled(z && (z->flags() & Qt::ItemIsEnabled));
    };
    connect(Liste, &QTreeWidget::currentItemChanged, this, waehlbar);
    for (int i = 0; i < Liste->topLevelItemCount(); ++i)
        if (Liste->topLevelItem(i)->flags() & Qt::ItemIsEnabled) {
            Liste->setCurrentItem(Liste->topLevelItem(i));
            break;
        }
    waehlbar();
    setTabOrder(Liste, Command1);
    setTabOrder(Command1, Command2);
    Liste->setFocus();
    resize(560, 360);
}

void FormWiederherstellen::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier) {
        if (Command2->hasFocus()) reject();
        else if (Command1->isEnabled()) Command1_Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FormWiederherstellen::Command1_Click() {
    const QTreeWidgetItem* z = Liste->currentItem();
    const int i = z ? Liste->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(z)) : -1;
    if (i < 0 || i >= m_staende.size() || m_staende.at(i).beschaedigt) return;
    const Wiederherstellung::Stand& s = m_staende.at(i);
    if (!m_dialogs.ask(this, Wiederherstellung::frage(s.tag))) return;
    QString passwort;
    if (s.passwort &&
        !m_dialogs.passwortEingabe(
            this,
            QStringLiteral("Die Sicherung vom %1 ist mit einem Passwort verschlüsselt.\n"
                           "Bitte geben Sie ihr Passwort ein:")
                .arg(s.tag.toString(QStringLiteral("dd.MM.yyyy"))),
            Dialogs::defaultTitle(), &passwort))
        return;
    const QString fehler = m_ausfuehren(s.pfad, passwort);
    if (!fehler.isEmpty()) {
        m_dialogs.notice(this, QStringLiteral("Die Sicherung konnte nicht wiederhergestellt "
                                              "werden.\n") +
                                   fehler);
        return;
    }
    m_erfolgreich = true;
    accept();
}

QList<Wiederherstellung::Stand> FormWiederherstellen::staendeLesen(QWidget* parent,
                                                                   const QString& ordner,
                                                                   const QString& connect) {
    QProgressDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("SicherungenLesen"));
    dialog.setWindowTitle(Dialogs::defaultTitle());
    dialog.setLabelText(QStringLiteral("Die Sicherungen werden gelesen und geprüft ..."));
    dialog.setAccessibleName(QStringLiteral("Fortschritt beim Lesen der Sicherungen"));
    dialog.setCancelButton(nullptr);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setWindowModality(Qt::ApplicationModal);
    // Shown only when the reading takes a noticeable while.
    dialog.setMinimumDuration(400);
    dialog.setRange(0, 1);
    dialog.setValue(0);

    std::atomic<int> fertig{0};
    std::atomic<int> alle{0};
    QList<Wiederherstellung::Stand> staende;
    imHintergrund(
        [&] {
            staende = Wiederherstellung::liste(ordner, connect, [&](int f, int n) {
                alle = n;
                fertig = f;
            });
        },
        [&] {
            if (alle > 0 && dialog.maximum() != alle) dialog.setMaximum(alle);
            dialog.setValue(std::min<int>(fertig, dialog.maximum()));
        },
        50);
    dialog.hide();
    return staende;
}
