#include "transactions/FormDepotKonto.h"

#include "core/Bewertung.h"
#include "core/Clock.h"
#include "core/Eingabe.h"
#include "core/Numbers.h"
#include "db/Database.h"
#include "db/Depot.h"
#include "db/Recordset.h"
#include "platform/Beschriftung.h"
#include "platform/Dialogs.h"
#include "platform/Fensterteile.h"
#include "platform/HoverButton.h"
#include "platform/HoverReset.h"
#include "platform/MainWindowApi.h"
#include "platform/NumericField.h"
#include "platform/RecordsetModel.h"
#include "platform/Textfeld.h"
#include "platform/Wertanzeige.h"
#include "transactions/KontoOperationen.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

FormDepotKonto::FormDepotKonto(MainWindowApi& api, QWidget* parent) : QDialog(parent), m_api(api) {
    setObjectName(QStringLiteral("FormDepotKonto"));
    setWindowTitle(QStringLiteral("Depotkonto verwalten"));

    m_daten1 = Recordset::openQuery(m_api.database(), abfrage(), this);
    m_model = new RecordsetModel(m_api.database(), *m_daten1, spaltenlayout(), abfrage(), this);

    // All bookings and the balance
    MSFlexGrid1 = new QTableView(this);
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->setAccessibleName(QStringLiteral("Alle Buchungen"));
    MSFlexGrid1->setModel(m_model);
    MSFlexGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    MSFlexGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGrid1->verticalHeader()->setDefaultSectionSize(MSFlexGrid1->fontMetrics().height() + 4);
    applyLayout(MSFlexGrid1, *m_model);
    // All three columns in view without scrolling sideways where the screen
    // is wide enough: the window opens that wide (see the end). On a small
    // screen the table scrolls sideways.
    const int ganzeBreite = MSFlexGrid1->horizontalHeader()->length() +
                            MSFlexGrid1->verticalScrollBar()->sizeHint().width() +
                            2 * MSFlexGrid1->frameWidth();
    MSFlexGrid1->setMinimumWidth(ganzeBreite / 2);
    MSFlexGrid1->setMinimumHeight(MSFlexGrid1->verticalHeader()->defaultSectionSize() * 16);
    Label4 = new QLabel(QStringLiteral("Aktueller Kontostand:"), this);
    Label5 = new QLabel(this);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label11 = new QLabel(this);
    Label11->setObjectName(QStringLiteral("Label11"));
    for (QLabel* l : {Label5, Label11})
        wertanzeige(l, QStringLiteral("Aktueller Kontostand"));

    // " Buchen "
    DTPicker1 = Fensterteile::datumsfeld(QStringLiteral("DTPicker1"), this, m_api.clock().today());
    DTPicker1->setAccessibleName(QStringLiteral("Buchungsdatum"));
    Text1 = new NumericField(m_api.dialogs(), NumericConfig::signedDecimal(), this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text2 = new QLineEdit(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    einzeiligesFeld(Text2);
    Label7 = new QLabel(QStringLiteral("Bei Abgängen Minuszeichen (-) voranstellen!"), this);
    Schalter2 = Fensterteile::textknopf(QStringLiteral("Schalter2"),
                                        QStringLiteral(" Buchung speichern "), this);
    Schalter2->setEnabled(false);

    auto* buchen = new QGroupBox(QStringLiteral(" Buchen "), this);
    auto* bl = new QGridLayout(buchen);
    bl->addWidget(DTPicker1, 0, 0, 1, 2);
    bl->addWidget(Text1, 1, 0);
    bl->addWidget(beschriftung(QStringLiteral("DM"), Text1, buchen), 1, 1);
    bl->addWidget(Text2, 2, 0);
    bl->addWidget(beschriftung(QStringLiteral("Text"), Text2, buchen), 2, 1);
    bl->addWidget(Label7, 3, 0, 1, 2);
    bl->addWidget(Schalter2, 4, 0, 1, 2);

    // " Buchung löschen ": a navigator over the bookings and the selected one
    const auto navKnopf = [this](const QString& text, const QString& name) {
        auto* b = new QToolButton(this);
        b->setText(text);
        b->setObjectName(name);
        b->setAutoRaise(true);
        return b;
    };
    navErster = navKnopf(QStringLiteral("|<"), QStringLiteral("navErster"));
    navZurueck = navKnopf(QStringLiteral("<"), QStringLiteral("navZurueck"));
    navVor = navKnopf(QStringLiteral(">"), QStringLiteral("navVor"));
    navLetzter = navKnopf(QStringLiteral(">|"), QStringLiteral("navLetzter"));
    // Read out as what they do, not as their arrows.
    navErster->setAccessibleName(QStringLiteral("Erste Buchung"));
    navZurueck->setAccessibleName(QStringLiteral("Vorherige Buchung"));
    navVor->setAccessibleName(QStringLiteral("Nächste Buchung"));
    navLetzter->setAccessibleName(QStringLiteral("Letzte Buchung"));
    auto* navigator = new QHBoxLayout;
    navigator->setSpacing(0);
    navigator->addWidget(navErster);
    navigator->addWidget(navZurueck);
    auto* navText = new QLabel(QStringLiteral(" Datensatz auswählen "), this);
    navText->setAlignment(Qt::AlignCenter);
    navText->setFrameShape(QFrame::StyledPanel);
    navigator->addWidget(navText, 1);
    navigator->addWidget(navVor);
    navigator->addWidget(navLetzter);
    Label8 = new QLabel(this);
    Label8->setObjectName(QStringLiteral("Label8"));
    Label9 = new QLabel(this);
    Label9->setObjectName(QStringLiteral("Label9"));
    Label10 = new QLabel(this);
    Label10->setObjectName(QStringLiteral("Label10"));
    Schalter3 = Fensterteile::textknopf(QStringLiteral("Schalter3"),
                                        QStringLiteral(" Buchung löschen "), this);
    Schalter3->setEnabled(false);

    auto* loeschen = new QGroupBox(QStringLiteral(" Buchung löschen "), this);
    auto* ll = new QVBoxLayout(loeschen);
    ll->addLayout(navigator);
    auto* gewaehlt = new QHBoxLayout;
    gewaehlt->addWidget(Label8);
    gewaehlt->addWidget(Label9);
    ll->addLayout(gewaehlt);
    ll->addWidget(Label10);
    ll->addWidget(Schalter3);

    Schalter1 = Fensterteile::textknopf(QStringLiteral("Schalter1"),
                                        QStringLiteral(" Fenster schließen "), this);

    auto* links = new QVBoxLayout;
    links->addWidget(new QLabel(QStringLiteral("Alle Buchungen"), this));
    links->addWidget(MSFlexGrid1, 1);
    auto* stand = new QHBoxLayout;
    stand->addWidget(Label4);
    stand->addWidget(Label5);
    stand->addSpacing(12);
    stand->addWidget(Label11);
    stand->addStretch(1);
    links->addLayout(stand);
    auto* rechts = new QVBoxLayout;
    rechts->addWidget(buchen);
    rechts->addWidget(loeschen);
    rechts->addStretch(1);
    rechts->addWidget(Schalter1);
    auto* haupt = new QHBoxLayout(this);
    haupt->addLayout(links, 1);
    haupt->addLayout(rechts);

    connect(m_daten1, &Recordset::currentChanged, this, &FormDepotKonto::buchungAnzeigen);
    connect(Text1, &QLineEdit::textChanged, this, &FormDepotKonto::buchenFreigeben);
    connect(Text2, &QLineEdit::textChanged, this, &FormDepotKonto::buchenFreigeben);
    Text1->setEnterAction([this] {
        if (Schalter2->isEnabled()) Schalter2_Click();
    });
    connect(Schalter2, &QPushButton::clicked, this, &FormDepotKonto::Schalter2_Click);
    connect(Schalter3, &QPushButton::clicked, this, &FormDepotKonto::Schalter3_Click);
    connect(Schalter1, &QPushButton::clicked, this, &FormDepotKonto::Schalter1_Click);
    connect(navErster, &QToolButton::clicked, this, [this] { m_daten1->moveFirst(); });
    connect(navLetzter, &QToolButton::clicked, this, [this] { m_daten1->moveLast(); });
    connect(navZurueck, &QToolButton::clicked, this, [this] {
        m_daten1->movePrevious();
        if (m_daten1->bof()) m_daten1->moveFirst();
    });
    connect(navVor, &QToolButton::clicked, this, [this] {
        m_daten1->moveNext();
        if (m_daten1->eof()) m_daten1->moveLast();
    });
    connect(MSFlexGrid1, &QTableView::clicked, this,
            [this](const QModelIndex& i) { m_daten1->setBookmark(m_model->bookmarkAt(i.row())); });
    HoverReset::install(this);

    // The table would stop scrolling with its last row at the bottom; the
    // newest booking is to stand at the top. Scrolled by pixels, the scroll
    // value is the top edge, so the range is stretched to the last row's
    // position each time the view sets it. While every booking fits nothing
    // scrolls.
    MSFlexGrid1->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    QScrollBar* leiste = MSFlexGrid1->verticalScrollBar();
    connect(leiste, &QScrollBar::rangeChanged, this, [this, leiste](int, int hoechster) {
        const QHeaderView* zeilen = MSFlexGrid1->verticalHeader();
        const int ende = zeilen->count() > 0 ? zeilen->sectionPosition(zeilen->count() - 1) : 0;
        if (hoechster > 0 && hoechster < ende) leiste->setMaximum(ende);
    });

    kontostandAnzeigen();
    m_daten1->moveFirst();
    buchungAnzeigen();
    resize(sizeHint().width() + ganzeBreite - MSFlexGrid1->minimumWidth(), sizeHint().height());
}

FormDepotKonto::~FormDepotKonto() {
    // QDialog's destructor hides the table, which sets the scroll range once
    // more: this window's part is gone by then.
    MSFlexGrid1->verticalScrollBar()->disconnect(this);
}

void FormDepotKonto::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    zuNeuestenBuchungen();
    // Said once the window is up, so the user sees what it is about.
    QMetaObject::invokeMethod(this, &FormDepotKonto::standFehlerMelden, Qt::QueuedConnection);
    // The window is opened to book: start in the amount, not in the table,
    // whose Tab would lead into the date picker's day.
    Text1->setFocus();
}

void FormDepotKonto::buchenFreigeben() {
    // Once both are filled the button stays enabled.
    if (!Text1->text().isEmpty() && !Text2->text().isEmpty()) Schalter2->setEnabled(true);
}

void FormDepotKonto::buchungAnzeigen() {
    const bool da = m_daten1->hasCurrent();
    Label8->setText(da ? m_daten1->text(QStringLiteral("datum")) : QString());
    Label9->setText(da ? m_daten1->text(QStringLiteral("summe")) : QString());
    Label10->setText(da ? m_daten1->text(QStringLiteral("text")) : QString());
    // A selected booking enables deleting; it is not disabled again.
    if (!Label8->text().isEmpty()) Schalter3->setEnabled(true);
    if (auto* sel = MSFlexGrid1->selectionModel()) {
        const int zeile = da ? m_model->rowOf(m_daten1->bookmark()) : -1;
        if (zeile >= 0)
            sel->select(m_model->index(zeile, 0),
                        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        else
            sel->clearSelection();
    }
}

void FormDepotKonto::kontostandAnzeigen() {
    m_stand = Depot::kontostand(m_api.database());
    if (!m_stand) {
        // Never a wrong balance: the labels say that it cannot be formed.
        Label5->setText(zuGrossAnzeige());
        Label11->setText(QString());
        m_standFehlerZeigen = true;
        return;
    }
    m_api.modul().Kontostand = *m_stand;
    Label5->setText(Numbers::dmText(*m_stand));
    Label11->setText(Numbers::euroText(Numbers::dmToEuro(*m_stand)));
}

void FormDepotKonto::standFehlerMelden() {
    if (!m_standFehlerZeigen) return;
    m_standFehlerZeigen = false;
    m_api.dialogs().notice(this, Depot::kontostandFehlerText());
}

void FormDepotKonto::zuNeuestenBuchungen() {
    // The last row becomes the top visible row. The scroll range must
    // already count rows added by a requery; the view would update it only
    // later. The range itself reaches the last row (see the constructor).
    QMetaObject::invokeMethod(MSFlexGrid1, "updateGeometries");
    QScrollBar* leiste = MSFlexGrid1->verticalScrollBar();
    leiste->setValue(leiste->maximum());
}

void FormDepotKonto::aktualisieren() {
    m_daten1->requery();
    zuNeuestenBuchungen();
    kontostandAnzeigen();
    buchungAnzeigen();
    if (isVisible()) standFehlerMelden();
}

void FormDepotKonto::Schalter2_Click() {
    // Read once, in whole cents as "0.00" shows it (a point counts as the
    // decimal comma); "-" or "," alone would store a booking without an amount.
    QString betragText = Text1->text();
    const qsizetype punkt = betragText.indexOf(QLatin1Char('.'));
    if (punkt >= 0) betragText[punkt] = QLatin1Char(',');
    const Eingabe::Feld<Currency> betrag = Eingabe::betragInCent(betragText, true);
    if (betrag.fehler == Eingabe::Fehler::ZuGross) {
        m_api.dialogs().notice(this, Eingabe::zuGrossText(QStringLiteral("DM"), true, 2));
        return;
    }
    if (!betrag.ok()) {
        m_api.dialogs().notice(this, QStringLiteral("Bitte geben Sie einen gültigen Betrag ein!"));
        return;
    }
    const Currency summe = *betrag.wert;
    // A booking after which the balance could no longer be formed is refused;
    // when it cannot be formed already, any booking may help to mend it.
    if (m_stand && !m_stand->plus(summe)) {
        m_api.dialogs().notice(this, QStringLiteral("Diese Buchung kann nicht gespeichert werden!\n"
                                                    "Der Kontostand würde zu groß."));
        return;
    }
    if (!m_api.dialogs().ask(this, QStringLiteral("Möchten Sie diese Daten jetzt speichern?\n\r")))
        return;
    if (!Konto::buchen(m_api.database(), DTPicker1->date(), Text2->text(), summe)) {
        m_api.dialogs().notice(this,
                               QStringLiteral("Die Buchung konnte nicht gespeichert werden.\n\n") +
                                   m_api.database().message());
        return;
    }
    aktualisieren();
    Text1->clear();
    Text2->clear();
    m_daten1->moveFirst();
}

void FormDepotKonto::Schalter3_Click() {
    // After the last booking is gone the button stays enabled but has nothing to delete.
    if (!m_daten1->hasCurrent()) return;
    if (!m_api.dialogs().ask(this, QStringLiteral("Möchten Sie diese Buchung jetzt löschen?")))
        return;
    if (!Konto::buchungLoeschen(m_api.database(), m_daten1->bookmark())) {
        m_api.dialogs().notice(this,
                               QStringLiteral("Die Buchung konnte nicht gelöscht werden.\n\n") +
                                   m_api.database().message());
        return;
    }
    aktualisieren();
}

void FormDepotKonto::Schalter1_Click() {
    accept();
}
