#include "transactions/FormKursImport.h"

#include "core/Clock.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/Beschriftung.h"
#include "platform/Dialogs.h"
#include "platform/Fensterteile.h"
#include "platform/HoverButton.h"
#include "platform/MainWindowApi.h"
#include "platform/Wertanzeige.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QComboBox* spaltenwahl(const QString& name, const QStringList& spalten, bool keine, int wahl,
                       QWidget* parent) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    if (keine) c->addItem(QStringLiteral("(keine)"), -1);
    for (int i = 0; i < spalten.size(); ++i)
        c->addItem(spalten[i], i);
    c->setCurrentIndex(std::max(0, c->findData(wahl)));
    return c;
}

} // namespace

FormKursImport::FormKursImport(MainWindowApi& api, Kursdatei::Tabelle tabelle,
                               const QString& dateiname, QWidget* parent)
    : QDialog(parent), m_api(api), m_tabelle(std::move(tabelle)) {
    setObjectName(QStringLiteral("FormKursImport"));
    setWindowTitle(QStringLiteral("Kurse importieren"));
    setModal(true);

    auto* kopf = new QLabel(QStringLiteral("Kurse importieren"), this);
    QFont f = kopf->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 2);
    kopf->setFont(f);
    auto* datei = new QLabel(dateiname, this);
    wertanzeige(datei, QStringLiteral("Datei:"));
    LabelDialekt = new QLabel(this);
    LabelDialekt->setObjectName(QStringLiteral("LabelDialekt"));
    LabelDialekt->setWordWrap(true);
    wertanzeige(LabelDialekt, QStringLiteral("Erkannt:"));

    const Kursdatei::Spalten& v = m_tabelle.vorschlag;
    const QStringList& sp = m_tabelle.spaltennamen;
    ComboDatum = spaltenwahl(QStringLiteral("ComboDatum"), sp, false, v.datum, this);
    ComboKurs = spaltenwahl(QStringLiteral("ComboKurs"), sp, false, v.kurs, this);
    ComboName = spaltenwahl(QStringLiteral("ComboName"), sp, true, v.name, this);
    ComboNummer = spaltenwahl(QStringLiteral("ComboNummer"), sp, true, v.nummer, this);
    ComboPaket = new QComboBox(this);
    ComboPaket->setObjectName(QStringLiteral("ComboPaket"));
    const Bookmark aktuell = api.Daten1().hasCurrent() ? api.Daten1().bookmark() : -1;
    for (const QVariantList& r : api.database().rows(
             QStringLiteral("SELECT _nr, aktie FROM Aktiendaten ORDER BY _nr")))
        ComboPaket->addItem(r.value(1).toString(), r.value(0).toLongLong());
    ComboPaket->setCurrentIndex(std::max(0, ComboPaket->findData(qlonglong(aktuell))));

    auto* spalten = new QGroupBox(QStringLiteral("Spalten"), this);
    auto* gitter = new QGridLayout(spalten);
    const auto zeile = [&](int z, int s, const QString& text, QComboBox* c) {
        gitter->addWidget(beschriftung(text, c, spalten), z, s);
        gitter->addWidget(c, z, s + 1);
    };
    zeile(0, 0, QStringLiteral("&Datum"), ComboDatum);
    zeile(0, 2, QStringLiteral("&Kurs"), ComboKurs);
    zeile(1, 0, QStringLiteral("&Name"), ComboName);
    zeile(1, 2, QStringLiteral("&WKN"), ComboNummer);
    zeile(2, 0, QStringLiteral("Aktien&paket"), ComboPaket);
    gitter->setColumnStretch(1, 1);
    gitter->setColumnStretch(3, 1);

    Vorschau = new QTableWidget(0, 3, this);
    Vorschau->setObjectName(QStringLiteral("Vorschau"));
    Vorschau->setAccessibleName(QStringLiteral("Vorschau der ersten 20 Kurse"));
    Vorschau->setHorizontalHeaderLabels(
        {QStringLiteral("Wertpapier"), QStringLiteral("Datum"), QStringLiteral("Kurs")});
    Vorschau->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Vorschau->setTabKeyNavigation(false);
    Vorschau->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    Vorschau->verticalHeader()->setVisible(false);
    Vorschau->setMinimumHeight(200);

    LabelAnzahl = new QLabel(this);
    LabelAnzahl->setObjectName(QStringLiteral("LabelAnzahl"));
    LabelAnzahl->setWordWrap(true);
    wertanzeige(LabelAnzahl, QStringLiteral("Ergebnis:"));

    Uebernehmen = Fensterteile::textknopf(QStringLiteral("Uebernehmen"),
                                          QStringLiteral(" Übernehmen "), this);
    Abbrechen =
        Fensterteile::textknopf(QStringLiteral("Abbrechen"), QStringLiteral(" Abbrechen "), this);
    auto* unten = new QHBoxLayout;
    unten->addStretch();
    unten->addWidget(Uebernehmen);
    unten->addWidget(Abbrechen);

    auto* haupt = new QVBoxLayout(this);
    haupt->addWidget(kopf);
    haupt->addWidget(datei);
    haupt->addWidget(LabelDialekt);
    haupt->addWidget(spalten);
    haupt->addWidget(Vorschau, 1);
    haupt->addWidget(LabelAnzahl);
    haupt->addLayout(unten);
    resize(720, 600);

    Fensterteile::tabfolge({ComboDatum, ComboKurs, ComboName, ComboNummer, ComboPaket, Vorschau,
                            Uebernehmen, Abbrechen});
    for (QComboBox* c : {ComboDatum, ComboKurs, ComboName, ComboNummer, ComboPaket})
        connect(c, &QComboBox::currentIndexChanged, this, &FormKursImport::auswerten);
    connect(Uebernehmen, &QAbstractButton::clicked, this, &FormKursImport::Uebernehmen_Click);
    connect(Abbrechen, &QAbstractButton::clicked, this, &QDialog::reject);
    auswerten();
    ComboDatum->setFocus();
}

void FormKursImport::auswerten() {
    Kursdatei::Spalten s;
    s.datum = ComboDatum->currentData().toInt();
    s.kurs = ComboKurs->currentData().toInt();
    s.name = ComboName->currentData().toInt();
    s.nummer = ComboNummer->currentData().toInt();
    const bool eineAktie = s.name < 0 && s.nummer < 0;
    ComboPaket->setEnabled(eineAktie);
    // The last choice's rows go before the new ones are read.
    m_plan = {};
    m_auswertung = {};
    m_auswertung = Kursdatei::auswerten(m_tabelle, s);
    const Bookmark paket = eineAktie ? ComboPaket->currentData().toLongLong() : -1;
    m_plan = m_auswertung.fehler == Kursdatei::Fehler::Keiner
                 ? KursImport::planen(m_api.database(), m_auswertung, paket)
                 : KursImport::Plan{};
    if (m_auswertung.fehler != Kursdatei::Fehler::Keiner)
        m_plan.unlesbar = m_auswertung.unlesbar;

    LabelDialekt->setText(
        QStringLiteral("Trennzeichen: %1;  Dezimalzeichen: %2;  Datum: %3;  Zeichensatz: %4")
            .arg(Kursdatei::trennerText(m_tabelle.trenner),
                 Kursdatei::dezimalText(m_auswertung.dezimal),
                 Kursdatei::datumsformText(m_auswertung.datumsform, m_auswertung.jahrZweistellig),
                 Kursdatei::kodierungText(m_tabelle.kodierung)));

    const int n = int(std::min<qsizetype>(m_plan.neu.size(), Vorschauzeilen));
    Vorschau->setRowCount(n);
    for (int i = 0; i < n; ++i) {
        const KursImport::Neu& k = m_plan.neu[i];
        const QStringList werte = {k.aktie, k.datum.toString(QStringLiteral("dd.MM.yyyy")),
                                   k.kurs.plainText()};
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(werte[c]);
            if (c > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            Vorschau->setItem(i, c, item);
        }
    }
    Vorschau->resizeColumnsToContents();
    Vorschau->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);

    if (m_auswertung.fehler != Kursdatei::Fehler::Keiner) {
        LabelAnzahl->setText(Kursdatei::fehlerText(m_auswertung.fehler));
        Uebernehmen->setEnabled(false);
        return;
    }
    QString t = QStringLiteral("Zu übernehmen: %1    Schon vorhanden: %2    Nicht lesbar: %3")
                    .arg(m_plan.neu.size())
                    .arg(m_plan.vorhanden)
                    .arg(m_plan.unlesbar.size());
    if (!m_plan.unlesbar.isEmpty()) t += QStringLiteral(" (%1)").arg(KursImport::zeilenText(m_plan.unlesbar));
    if (m_plan.ohnePaketZeilen > 0)
        t += QStringLiteral("\nOhne passendes Aktienpaket: %1 (%2)")
                 .arg(m_plan.ohnePaketZeilen)
                 .arg(m_plan.ohnePaket.mid(0, 10).join(QStringLiteral(", ")));
    LabelAnzahl->setText(t);
    Uebernehmen->setEnabled(!m_plan.neu.isEmpty());
}

void FormKursImport::Uebernehmen_Click() {
    if (!Uebernehmen->isEnabled()) return;
    QProgressBar& balken = m_api.ProgressBar1();
    balken.setRange(0, int(m_plan.neu.size()));
    balken.setValue(0);
    balken.show();
    const Kurse::Ergebnis r = KursImport::schreiben(
        m_api.database(), m_plan, m_api.clock().today(),
        Kurse::angezeigterGesamtwert(m_api.gesamtwertText()), [&balken](int n) { balken.setValue(n); });
    balken.hide();
    if (!r.ok) {
        m_api.dialogs().notice(this, r.fehler);
        return;
    }
    m_ergebnis = KursImport::ergebnisText(m_plan);
    accept();
}

void FormKursImport::keyPressEvent(QKeyEvent* e) {
    // Enter takes the quotes over, except on the cancel button, which it presses.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        if (focusWidget() == Abbrechen) reject();
        else
            Uebernehmen_Click();
        return;
    }
    QDialog::keyPressEvent(e);
}
