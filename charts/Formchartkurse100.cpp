#include "charts/Formchartkurse100.h"

#include "core/Eingabe.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/Dialogs.h"
#include "platform/Fensterteile.h"
#include "platform/HoverButton.h"
#include "platform/HoverReset.h"
#include "platform/MainWindowApi.h"
#include "platform/NumericField.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QLabel* beschriftung(const QString& text, const QString& name, QWidget* eltern) {
    auto* l = new QLabel(text, eltern);
    l->setObjectName(name);
    return l;
}

QLineEdit* feld(const QString& name, const QString& zugriff, QWidget* eltern) {
    auto* f = new QLineEdit(eltern);
    f->setObjectName(name);
    f->setAccessibleName(zugriff);
    f->setFont(QFont(QStringLiteral("Arial"), 10));
    return f;
}

} // namespace

Formchartkurse100::Formchartkurse100(MainWindowApi& api, QWidget* parent)
    : QDialog(parent), m_api(api) {
    setObjectName(QStringLiteral("Formchartkurse100"));
    setWindowTitle(QStringLiteral("Kapito 3.6"));
    setModal(true);
    // Light grey, with dark texts on it under a dark palette too.
    setAutoFillBackground(true);
    QPalette hell = palette();
    hell.setColor(QPalette::Window, QColor(0xe0, 0xe0, 0xe0));
    setPalette(hell);
    setStyleSheet(QStringLiteral("QLabel { color: black; }"));

    if (m_api.Daten1().hasCurrent()) m_paket = m_api.Daten1().bookmark();

    Label1 = beschriftung(QStringLiteral("Kurse bearbeiten"), QStringLiteral("Label1"), this);
    QFont titel(QStringLiteral("Arial"), 14);
    titel.setBold(true);
    Label1->setFont(titel);
    Label6 = beschriftung(QStringLiteral("(für Chartdarstellung)"), QStringLiteral("Label6"), this);
    Label2 = beschriftung(QStringLiteral("Aktie"), QStringLiteral("Label2"), this);
    Label3 = beschriftung(QStringLiteral("Datum"), QStringLiteral("Label3"), this);
    Label4 = beschriftung(QStringLiteral("Kurs"), QStringLiteral("Label4"), this);

    Text1 = feld(QStringLiteral("Text1"), QStringLiteral("Aktie"), this);
    Text1->setMaxLength(255); // what the name field holds
    Text2 = feld(QStringLiteral("Text2"), QStringLiteral("Datum"), this);
    Text3 = new NumericField(m_api.dialogs(), NumericConfig::decimal(), this);
    Text3->setObjectName(QStringLiteral("Text3"));
    Text3->setAccessibleName(QStringLiteral("Kurs"));
    Text3->setFont(Text1->font());
    Label2->setBuddy(Text1);
    Label3->setBuddy(Text2);
    Label4->setBuddy(Text3);
    // Enter in any of the fields saves.
    static_cast<NumericField*>(Text3)->setEnterAction([this] { schalter2_Click(); });
    connect(Text1, &QLineEdit::returnPressed, this, &Formchartkurse100::schalter2_Click);
    connect(Text2, &QLineEdit::returnPressed, this, &Formchartkurse100::schalter2_Click);

    // The navigator over all rows
    Daten2Navigator = new QFrame(this);
    Daten2Navigator->setObjectName(QStringLiteral("Daten2"));
    Daten2Navigator->setFrameShape(QFrame::StyledPanel);
    auto* nav = new QHBoxLayout(Daten2Navigator);
    nav->setContentsMargins(2, 2, 2, 2);
    nav->setSpacing(2);
    const QStyle::StandardPixmap bilder[4] = {
        QStyle::SP_MediaSkipBackward, QStyle::SP_MediaSeekBackward, QStyle::SP_MediaSeekForward,
        QStyle::SP_MediaSkipForward};
    const char* namen[4] = {"Daten2_erster", "Daten2_zurueck", "Daten2_vor", "Daten2_letzter"};
    const char* zugriff[4] = {"Erster Datensatz", "Vorheriger Datensatz", "Nächster Datensatz",
                              "Letzter Datensatz"};
    auto* navText = new QLabel(QStringLiteral(" Datensatz auswählen "), Daten2Navigator);
    navText->setObjectName(QStringLiteral("Daten2_Caption"));
    navText->setAlignment(Qt::AlignCenter);
    for (int i = 0; i < 4; ++i) {
        auto* b = new QToolButton(Daten2Navigator);
        b->setObjectName(QString::fromLatin1(namen[i]));
        b->setIcon(style()->standardIcon(bilder[i]));
        b->setToolTip(QString::fromUtf8(zugriff[i]));
        b->setAccessibleName(QString::fromUtf8(zugriff[i]));
        b->setAutoRaise(true);
        connect(b, &QToolButton::clicked, this, [this, i] { Daten2_Bewegen(i); });
        navigator[size_t(i)] = b;
    }
    nav->addWidget(navigator[0]);
    nav->addWidget(navigator[1]);
    nav->addWidget(navText, 1);
    nav->addWidget(navigator[2]);
    nav->addWidget(navigator[3]);

    schalter1 = Fensterteile::textknopf(QStringLiteral("schalter1"),
                                        QStringLiteral(" Daten löschen "), this);
    schalter2 = Fensterteile::textknopf(QStringLiteral("schalter2"),
                                        QStringLiteral(" Daten speichern "), this);
    schalter3 = Fensterteile::textknopf(QStringLiteral("schalter3"),
                                        QStringLiteral(" Fenster schließen "), this);
    connect(schalter1, &QPushButton::clicked, this, &Formchartkurse100::schalter1_Click);
    connect(schalter2, &QPushButton::clicked, this, &Formchartkurse100::schalter2_Click);
    connect(schalter3, &QPushButton::clicked, this, &Formchartkurse100::schalter3_Click);

    auto* felder = new QGridLayout;
    felder->setHorizontalSpacing(10);
    felder->addWidget(Label2, 0, 0);
    felder->addWidget(Text1, 0, 1);
    felder->addWidget(Label3, 1, 0);
    felder->addWidget(Text2, 1, 1);
    felder->addWidget(Label4, 2, 0);
    felder->addWidget(Text3, 2, 1);
    felder->setColumnStretch(1, 1);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(schalter1);
    knoepfe->addWidget(schalter2);
    knoepfe->addWidget(schalter3);

    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(18, 14, 18, 14);
    box->setSpacing(8);
    box->addWidget(Label1, 0, Qt::AlignHCenter);
    box->addWidget(Label6, 0, Qt::AlignHCenter);
    box->addSpacing(8);
    box->addLayout(felder);
    box->addSpacing(4);
    box->addWidget(Daten2Navigator);
    box->addSpacing(4);
    box->addLayout(knoepfe);
    HoverReset::install(this);
    setMinimumWidth(420);

    geheZu(nachbar(QStringLiteral("SELECT min(_nr) FROM kurse")));
}

Formchartkurse100::~Formchartkurse100() = default;

Bookmark Formchartkurse100::nachbar(const QString& sql) const {
    const QVariant v = m_api.database().scalar(sql, {QVariant::fromValue<qint64>(m_nr)});
    return v.isValid() && !v.isNull() ? v.toLongLong() : -1;
}

void Formchartkurse100::geheZu(Bookmark nr) {
    m_nr = nr;
    m_daten2.reset();
    if (nr >= 0) {
        m_daten2.reset(Recordset::openQuery(
            m_api.database(),
            QStringLiteral("Select aktie, datum, kurs From kurse Where _nr = %1").arg(nr)));
        m_daten2->moveFirst();
    }
    zeigen();
}

void Formchartkurse100::zeigen() {
    const bool da = m_daten2 && m_daten2->hasCurrent();
    const std::array<QString, 3> texte =
        da ? std::array<QString, 3>{m_daten2->text(QStringLiteral("aktie")),
                                    m_daten2->text(QStringLiteral("datum")),
                                    m_daten2->text(QStringLiteral("kurs"))}
           : std::array<QString, 3>{};
    Text1->setText(texte[0]);
    Text2->setText(texte[1]);
    Text3->setText(texte[2]);
    // The quote field's rule may have written its text anew.
    m_geladen = {Text1->text(), Text2->text(), Text3->text()};
    for (QWidget* w :
         {static_cast<QWidget*>(Text1), static_cast<QWidget*>(Text2), static_cast<QWidget*>(Text3),
          static_cast<QWidget*>(schalter1), static_cast<QWidget*>(schalter2)})
        w->setEnabled(da);
}

Formchartkurse100::Geschrieben Formchartkurse100::schreiben() {
    if (!m_daten2 || !m_daten2->hasCurrent()) return Geschrieben::Ja;
    QLineEdit* const eingaben[3] = {Text1, Text2, Text3};
    const std::array<QString, 3> texte{Text1->text(), Text2->text(), Text3->text()};
    if (texte == m_geladen) return Geschrieben::Ja;
    const QString felder[3] = {QStringLiteral("aktie"), QStringLiteral("datum"),
                               QStringLiteral("kurs")};
    const QString fehler[3] = {
        QStringLiteral("Der Name \"%1\" kann nicht gespeichert werden."),
        QStringLiteral("Das Datum \"%1\" kann nicht gelesen werden.\nBitte geben Sie das Datum "
                       "in der Form TT.MM.JJJJ ein."),
        QStringLiteral("Der Kurs \"%1\" kann nicht gelesen werden.\nBitte geben Sie den Kurs als "
                       "Zahl ein, zum Beispiel 12,50.")};
    // A quote beyond the range, or below 0, is refused like one that cannot be read.
    if (texte[2] != m_geladen[2]) {
        const Eingabe::Feld<Currency> kurs = Eingabe::betrag(texte[2]);
        if (!kurs.ok() && kurs.fehler != Eingabe::Fehler::Leer) {
            m_api.dialogs().notice(this, kurs.fehler == Eingabe::Fehler::ZuGross
                                             ? Eingabe::zuGrossText(QStringLiteral("Kurs"))
                                             : fehler[2].arg(texte[2]) +
                                                   QStringLiteral("\nDer Datensatz wurde "
                                                                  "nicht geändert."));
            Text3->setFocus();
            return Geschrieben::Unlesbar;
        }
    }
    Transaction t(m_api.database(),
                  QStringLiteral("Chartkurse ") + m_daten2->text(QStringLiteral("aktie")).trimmed());
    m_daten2->edit();
    for (int i = 0; i < 3; ++i) {
        if (texte[size_t(i)] == m_geladen[size_t(i)]) continue;
        if (!m_daten2->setText(felder[i], texte[size_t(i)])) {
            m_daten2->cancel();
            m_api.dialogs().notice(this, fehler[i].arg(texte[size_t(i)]) +
                                             QStringLiteral("\nDer Datensatz wurde nicht "
                                                            "geändert."));
            eingaben[i]->setFocus();
            return Geschrieben::Unlesbar;
        }
    }
    if (!m_daten2->update() || !t.commit()) {
        const QString grund =
            m_daten2->lastError().isEmpty() ? m_api.database().message() : m_daten2->lastError();
        m_daten2->cancel();
        m_api.dialogs().notice(this, QStringLiteral("Die Änderung konnte nicht gespeichert "
                                                    "werden.\n") +
                                         grund);
        return Geschrieben::Fehler;
    }
    zeigen();
    return Geschrieben::Ja;
}

void Formchartkurse100::Daten2_Bewegen(int richtung) {
    if (schreiben() != Geschrieben::Ja) return;
    const QString erste = QStringLiteral("SELECT min(_nr) FROM kurse");
    const QString letzte = QStringLiteral("SELECT max(_nr) FROM kurse");
    Bookmark ziel = -1;
    switch (richtung) {
    case 0:
        ziel = nachbar(erste);
        break;
    case 1:
        ziel = nachbar(QStringLiteral("SELECT max(_nr) FROM kurse WHERE _nr < ?1"));
        break;
    case 2:
        ziel = nachbar(QStringLiteral("SELECT min(_nr) FROM kurse WHERE _nr > ?1"));
        break;
    case 3:
        ziel = nachbar(letzte);
        break;
    default:
        return;
    }
    // At either end the navigator stays on the first or last row.
    if (ziel < 0) ziel = nachbar(richtung == 1 ? erste : letzte);
    geheZu(ziel);
}

void Formchartkurse100::schalter1_Click() {
    if (!m_daten2 || !m_daten2->hasCurrent()) return;
    if (!m_api.dialogs().ask(this, QStringLiteral("Diese Daten jetzt löschen?"))) return;
    Transaction t(m_api.database(),
                  QStringLiteral("Chartkurse ") + m_daten2->text(QStringLiteral("aktie")).trimmed());
    if (!m_daten2->remove() || !t.commit()) {
        m_api.dialogs().notice(this, QStringLiteral("Die Daten konnten nicht gelöscht werden.\n") +
                                         m_daten2->lastError());
        return;
    }
    // The row before it comes into view; the first row's successor moves up.
    Bookmark ziel = nachbar(QStringLiteral("SELECT max(_nr) FROM kurse WHERE _nr < ?1"));
    if (ziel < 0) ziel = nachbar(QStringLiteral("SELECT min(_nr) FROM kurse"));
    geheZu(ziel);
}

void Formchartkurse100::schalter2_Click() {
    schreiben();
}

void Formchartkurse100::schalter3_Click() {
    reject();
}

void Formchartkurse100::reject() {
    // Closing now would drop the row's readable changes with the unreadable
    // one; a write that failed has been reported and lets the window go.
    if (schreiben() == Geschrieben::Unlesbar) return;
    // The main window stays on the package it showed.
    if (m_paket >= 0) m_api.Daten1().setBookmark(m_paket);
    QDialog::reject();
}
