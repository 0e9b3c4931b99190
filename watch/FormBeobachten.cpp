#include "watch/FormBeobachten.h"

#include "core/Berichte.h"
#include "core/Charts.h"
#include "core/Clock.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/Dialogs.h"
#include "platform/Drucker.h"
#include "platform/Fensterteile.h"
#include "platform/Graph.h"
#include "platform/HoverButton.h"
#include "platform/HoverReset.h"
#include "platform/MainWindowApi.h"
#include "platform/NumericField.h"
#include "platform/RecordsetModel.h"
#include "platform/Ueberschrift.h"
#include "watch/Beobachtungsliste.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

namespace Bl = Beobachtungsliste;

/// The bound table with the three computed columns filled in.
class BeobachtenModell final : public QIdentityProxyModel {
public:
    BeobachtenModell(RecordsetModel* quelle, QObject* parent)
        : QIdentityProxyModel(parent), m_quelle(quelle) {
        setSourceModel(quelle);
    }

    /// The computed texts by bookmark: value, percent, Euro.
    void setWerte(QHash<qint64, QStringList> werte) {
        m_werte = std::move(werte);
        if (rowCount() > 0)
            emit dataChanged(index(0, Beobachtung::ErsteBerechneteSpalte),
                             index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
    }

    QVariant data(const QModelIndex& i, int role) const override {
        if (role == Qt::DisplayRole && i.isValid() &&
            i.column() >= Beobachtung::ErsteBerechneteSpalte)
            return m_werte.value(m_quelle->bookmarkAt(i.row()))
                .value(i.column() - Beobachtung::ErsteBerechneteSpalte);
        return QIdentityProxyModel::data(i, role);
    }

private:
    RecordsetModel* m_quelle;
    QHash<qint64, QStringList> m_werte;
};

namespace {

template <class Feld> Feld* benannt(Feld* f, const QString& name, const QString& beschreibung) {
    f->setObjectName(name);
    f->setAccessibleName(beschreibung);
    return f;
}

} // namespace

FormBeobachten::FormBeobachten(MainWindowApi& api, QWidget* parent) : QDialog(parent), m_api(api) {
    setObjectName(QStringLiteral("FormBeobachten"));
    setWindowTitle(QStringLiteral("Kapito 3.6"));
    setModal(true);
    Database& db = m_api.database();
    Dialogs& dlg = m_api.dialogs();

    m_daten1 = Recordset::openTable(db, QStringLiteral("Beobachten"), this);
    m_leser = Recordset::openTable(db, QStringLiteral("Beobachten"), this);
    m_quelle = new RecordsetModel(db, *m_daten1, Beobachtung::spaltenlayout(), QString(), this);
    m_modell = new BeobachtenModell(m_quelle, this);

    auto* kopf = ueberschrift(QStringLiteral("Aktien beobachten"), this);

    // The list
    MSFlexGrid1 = benannt(new QTableView(this), QStringLiteral("MSFlexGrid1"),
                          QStringLiteral("Beobachtete Aktien"));
    MSFlexGrid1->setModel(m_modell);
    MSFlexGrid1->setSelectionBehavior(QAbstractItemView::SelectItems);
    MSFlexGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGrid1->setWordWrap(false);
    MSFlexGrid1->verticalHeader()->setDefaultSectionSize(MSFlexGrid1->fontMetrics().height() + 4);
    applyLayout(MSFlexGrid1, *m_quelle);
    // Wide enough for every column where the screen allows (see below); on a
    // small screen the table scrolls sideways instead of pushing the window off it.
    const int tabellenBreite = MSFlexGrid1->horizontalHeader()->length() +
                               MSFlexGrid1->verticalScrollBar()->sizeHint().width() +
                               2 * MSFlexGrid1->frameWidth();
    MSFlexGrid1->setMinimumWidth(std::min(tabellenBreite, 600));
    MSFlexGrid1->setMinimumHeight(MSFlexGrid1->verticalHeader()->defaultSectionSize() * 9);
    MSFlexGrid1->installEventFilter(this);
    // The totals line and the hint are read as they show.
    Label8 = new QLabel(this);
    Label8->setObjectName(QStringLiteral("Label8"));
    QFont fett = Label8->font();
    fett.setBold(true);
    Label8->setFont(fett);
    Label10 = new QLabel(QStringLiteral("Hinweis"), this);
    Label10->setObjectName(QStringLiteral("Label10"));

    // " Neue Aktie zur Beobachtung aufnehmen "
    Frame1 = new QGroupBox(QStringLiteral(" Neue Aktie zur Beobachtung aufnehmen "), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    DTPicker1 = Fensterteile::datumsfeld(QStringLiteral("DTPicker1"), Frame1);
    DTPicker1->setAccessibleName(QStringLiteral("Datum"));
    Text1 = benannt(new QLineEdit(Frame1), QStringLiteral("Text1"), QStringLiteral("Aktie"));
    Text1->setMaxLength(255);
    Text3 = benannt(new NumericField(dlg, NumericConfig::digits(), Frame1), QStringLiteral("Text3"),
                    QStringLiteral("WP-KN"));
    Text3->setMaxLength(255);
    Text4 = benannt(new NumericField(dlg, NumericConfig::digits(), Frame1), QStringLiteral("Text4"),
                    QStringLiteral("Stück"));
    Text2 = benannt(new NumericField(dlg, NumericConfig::decimal(NumericConfig::koennen()), Frame1),
                    QStringLiteral("Text2"), QStringLiteral("Kaufkurs"));
    Schalter1 = Fensterteile::textknopf(QStringLiteral("Schalter1"),
                                        QStringLiteral(" Aktie speichern "), Frame1);
    auto* f1 = new QGridLayout(Frame1);
    const auto zeile = [&](int r, int c, const QString& text, QWidget* feld) {
        auto* l = new QLabel(text, Frame1);
        l->setBuddy(feld);
        f1->addWidget(l, r, c);
        f1->addWidget(feld, r, c + 1);
    };
    // Row by row in the order Enter walks, the button after the fields.
    zeile(0, 0, QStringLiteral("Datum"), DTPicker1);
    zeile(1, 0, QStringLiteral("Aktie"), Text1);
    zeile(1, 2, QStringLiteral("WP-KN"), Text3);
    zeile(2, 0, QStringLiteral("Stück"), Text4);
    zeile(2, 2, QStringLiteral("Kaufkurs"), Text2);
    f1->addWidget(Schalter1, 3, 0, 1, 2);
    f1->setColumnStretch(1, 2);
    f1->setColumnStretch(3, 1);

    // " Aktie aus Liste entfernen "
    Frame2 = new QGroupBox(QStringLiteral(" Aktie aus Liste entfernen "), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Combo1 = benannt(new QComboBox(Frame2), QStringLiteral("Combo1"),
                     QStringLiteral("Aktie zum Entfernen"));
    Combo1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Combo1->setMinimumContentsLength(20);
    schalter5 = Fensterteile::textknopf(QStringLiteral("schalter5"),
                                        QStringLiteral(" Aktie löschen"), Frame2);
    auto* f2 = new QHBoxLayout(Frame2);
    f2->addWidget(Combo1, 1);
    f2->addWidget(schalter5);

    Schalter2 = Fensterteile::textknopf(QStringLiteral("Schalter2"),
                                        QStringLiteral(" Hilfe aufrufen "), this);
    Schalter3 = Fensterteile::textknopf(QStringLiteral("Schalter3"),
                                        QStringLiteral(" Bericht drucken "), this);
    schalter4 = Fensterteile::textknopf(QStringLiteral("schalter4"),
                                        QStringLiteral(" Fenster schließen "), this);

    auto* rechts = new QVBoxLayout;
    rechts->addWidget(Frame1);
    rechts->addWidget(Frame2);
    rechts->addStretch(1);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch(1);
    knoepfe->addWidget(Schalter2);
    knoepfe->addWidget(Schalter3);
    knoepfe->addWidget(schalter4);
    rechts->addLayout(knoepfe);
    // The chart of one entry
    Graph1 = benannt(new Graph(this), QStringLiteral("Graph1"), QStringLiteral("Chart"));
    Graph1->modell().setTitel(QStringLiteral("30 Tage-Chart"));
    Graph1->setLeertext(QStringLiteral("kein Chart ausgewählt"));
    Graph1->setMinimumSize(420, 320);

    auto* links = new QVBoxLayout;
    links->addWidget(Label10);
    links->addWidget(Graph1, 1);
    auto* unten = new QHBoxLayout;
    unten->addLayout(links, 1);
    unten->addLayout(rechts);
    auto* haupt = new QVBoxLayout(this);
    haupt->addWidget(kopf);
    haupt->addWidget(MSFlexGrid1, 1);
    haupt->addWidget(Label8);
    haupt->addLayout(unten);
    const QMargins rand = haupt->contentsMargins();
    resize(std::max(sizeHint().width(), tabellenBreite + rand.left() + rand.right()),
           sizeHint().height());

    HoverReset::install(this);

    // Enter walks name → WP-KN → pieces → price, and there stores the entry.
    connect(Text1, &QLineEdit::returnPressed, this, [this] { Text3->setFocus(); });
    Text3->setEnterAction([this] { Text4->setFocus(); });
    Text4->setEnterAction([this] { Text2->setFocus(); });
    Text2->setEnterAction([this] { Schalter1_Click(); });
    connect(Schalter1, &QPushButton::clicked, this, &FormBeobachten::Schalter1_Click);
    connect(schalter5, &QPushButton::clicked, this, &FormBeobachten::schalter5_Click);
    connect(Schalter2, &QPushButton::clicked, this, &FormBeobachten::Schalter2_Click);
    connect(Schalter3, &QPushButton::clicked, this, &FormBeobachten::Schalter3_Click);
    connect(schalter4, &QPushButton::clicked, this, &FormBeobachten::schalter4_Click);
    connect(Combo1, &QComboBox::activated, this, &FormBeobachten::Combo1_Click);
    connect(MSFlexGrid1, &QTableView::clicked, this, &FormBeobachten::MSFlexGrid1_Click);

    Form_Load();
}

FormBeobachten::~FormBeobachten() = default;

void FormBeobachten::Form_Load() {
    m_daten1->requery();
    comboFuellen();
    DTPicker1->setDate(m_api.clock().today());
    Label10->setText(QStringLiteral(
        "Chart auswählen = Anklicken des Aktiennamens der gewünschten Zeile der Tabelle\n"
        "Daten ändern       = Anklicken der gewünschten Zelle in der Tabelle"));
    tabelleAktualisieren();
    m_daten1->moveFirst();
    if (m_daten1->hasCurrent() && Bl::mindestensZweiKurse(m_api.database())) chartZeichnen();
}

QString FormBeobachten::zelle(int zeile, int spalte) const {
    return m_modell->index(zeile, spalte).data().toString();
}

void FormBeobachten::tabelleAktualisieren() {
    m_positionen = Bl::lesen(*m_leser);
    QList<Beobachtung::Bewertung> bewertungen;
    QHash<qint64, QStringList> werte;
    bewertungen.reserve(m_positionen.size());
    for (const BeobachtetePosition& p : m_positionen) {
        const Beobachtung::Bewertung b = Beobachtung::bewerten(p);
        werte.insert(p.nr, {b.gesamtwert, b.prozent, b.euro});
        bewertungen << b;
    }
    m_modell->setWerte(std::move(werte));
    Label8->setText(Beobachtung::summenzeile(Beobachtung::summieren(bewertungen)));
}

void FormBeobachten::comboFuellen() {
    Combo1->clear();
    for (const BeobachtetePosition& p : Bl::lesen(*m_leser))
        Combo1->addItem(p.texte.value(Bl::Aktie));
    Combo1->setCurrentIndex(-1);
}

void FormBeobachten::chartZeichnen() {
    if (!m_daten1->hasCurrent()) return;
    const QString name = m_daten1->text(Bl::Aktie);
    const QStringList kurse = Bl::chartKurse(m_api.database(), name);
    // Too few keeps what the chart showed.
    if (kurse.size() < Charts::MindestKurse) {
        m_api.dialogs().notice(this, Charts::zuWenigKurse(name));
        return;
    }
    Beobachtung::chart(Graph1->modell(), kurse, name);
    Graph1->zeichnen();
    Graph1->setVisible(true);
}

void FormBeobachten::Schalter1_Click() {
    Dialogs& dlg = m_api.dialogs();
    if (Text1->text().isEmpty() || Text2->text().isEmpty() || Text3->text().isEmpty() ||
        Text4->text().isEmpty()) {
        dlg.notice(this, QStringLiteral("Sie müssen zuerst alle Textfelder ausfüllen!"));
        return;
    }
    for (const auto& [feld, text] :
         {std::pair{Bl::Stueck, Text4->text()}, std::pair{Bl::Kaufkurs, Text2->text()}})
        if (const QString warum = Bl::bereichPruefen(feld, text); !warum.isEmpty()) {
            dlg.notice(this, warum);
            return;
        }
    if (!dlg.ask(this, QStringLiteral("Die Aktie jetzt speichern?"))) return;
    const auto e =
        Bl::eintragAnlegen(m_api.database(), *m_daten1, DTPicker1->date(), Text1->text(),
                           Text3->text(), Text4->text(), Text2->text(), m_api.clock().today());
    if (!e.ok) {
        dlg.notice(this, e.fehler);
        return;
    }
    tabelleAktualisieren();
    comboFuellen();
    for (QLineEdit* feld : {Text1, static_cast<QLineEdit*>(Text2), static_cast<QLineEdit*>(Text3),
                            static_cast<QLineEdit*>(Text4)})
        feld->clear();
    Text1->setFocus();
}

void FormBeobachten::Combo1_Click(int index) {
    if (index < 0) return;
    const qint64 nr = Bl::letzterMitNamen(*m_daten1, Combo1->itemText(index));
    if (nr >= 0) m_daten1->setBookmark(nr);
}

void FormBeobachten::schalter5_Click() {
    Dialogs& dlg = m_api.dialogs();
    if (m_daten1->recordCount() == 0) {
        dlg.notice(this, QStringLiteral("Es sind keine Aktieneinträge vorhanden!"));
        return;
    }
    const QString name = Combo1->currentText();
    if (name.isEmpty()) {
        dlg.notice(this, QStringLiteral("Sie müssen zuerst eine Aktie auswählen!"));
        return;
    }
    if (!dlg.askStop(this, QStringLiteral("Möchten Sie die Aktie ") + name +
                               QStringLiteral(" jetzt löschen?")))
        return;
    // The entry named in the question, even if a click on the table moved
    // the record set since it was chosen.
    const auto e = Bl::eintragLoeschen(m_api.database(), *m_daten1, name);
    if (!e.ok) dlg.notice(this, e.fehler);
    tabelleAktualisieren();
    comboFuellen();
}

void FormBeobachten::Schalter2_Click() {
    m_api.hilfeAnzeigen();
}

void FormBeobachten::Schalter3_Click() {
    Dialogs& dlg = m_api.dialogs();
    if (m_daten1->recordCount() == 0) {
        dlg.notice(this, QStringLiteral("Keine Daten zum Drucken vorhanden!"));
        return;
    }
    if (!dlg.ask(this, QStringLiteral("Möchten Sie den Bericht jetzt drucken?"))) return;
    QString text = Beobachtung::bericht(Bl::lesen(*m_leser), m_api.clock().today(), Label8->text());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QTextDocument dokument;
    QFont schrift(QStringLiteral("Courier New"));
    schrift.setStyleHint(QFont::TypeWriter);
    schrift.setPointSize(10);
    schrift.setBold(true);
    dokument.setDefaultFont(schrift);
    dokument.setPlainText(text);
    m_api.drucker().dokument(QStringLiteral("Bericht Beobachten-Depot"), dokument,
                             Drucker::Ausrichtung::Hochformat);
}

void FormBeobachten::schalter4_Click() {
    accept();
}

void FormBeobachten::MSFlexGrid1_Click(const QModelIndex& index) {
    if (!index.isValid() || m_daten1->recordCount() == 0) return;
    const int spalte = index.column();
    if (spalte >= Beobachtung::ErsteBerechneteSpalte) return;
    if (!m_daten1->setBookmark(m_quelle->bookmarkAt(index.row()))) return;
    if (spalte == Bl::Aktie)
        chartZeichnen();
    else
        zelleAendern(index.row(), spalte);
}

void FormBeobachten::zelleAendern(int zeile, int spalte) {
    Dialogs& dlg = m_api.dialogs();
    QString antwort;
    if (!dlg.input(this, QStringLiteral("Sie können hier die Daten ändern"),
                   Dialogs::defaultTitle(), zelle(zeile, spalte), &antwort) ||
        antwort.isEmpty())
        return;
    // A point typed as decimal sign becomes the comma; a date keeps its points.
    if (spalte != Bl::Datum) {
        const qsizetype punkt = antwort.indexOf(QLatin1Char('.'));
        if (punkt >= 0) antwort[punkt] = QLatin1Char(',');
    }
    // What cannot be stored is said before the question.
    if (const QString warum = Bl::bereichPruefen(spalte, antwort); !warum.isEmpty()) {
        dlg.notice(this, warum);
        return;
    }
    if (!dlg.ask(this, QStringLiteral("Möchten Sie diese Daten jetzt speichern?"))) return;
    const auto e =
        Bl::feldAendern(m_api.database(), *m_daten1, spalte, antwort, m_api.clock().today());
    if (!e.ok) dlg.notice(this, e.fehler);
    tabelleAktualisieren();
}

bool FormBeobachten::eventFilter(QObject* watched, QEvent* event) {
    // Enter on a cell does what a click on it does.
    if (watched == MSFlexGrid1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            MSFlexGrid1_Click(MSFlexGrid1->currentIndex());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
