#include "app/Aktiendataform.h"

// HelpViewer.h keeps a QPointer to a QTextBrowser: it must be complete.
#include <QTextBrowser>
#include <utility>

#include "app/BerichtAnsicht.h"
#include "app/ChartAnsicht.h"
#include "app/FormWiederherstellen.h"
#include "app/KartenAnsicht.h"
#include "app/Rueckgaengigbefehle.h"
#include "app/Sicherung.h"
#include "app/Steuerelemente.h"
#include "app/UebersichtAnsicht.h"
#include "app/Wiederherstellung.h"
#include "charts/BefehleCharts.h"
#include "core/Bewertung.h"
#include "core/Charts.h"
#include "core/Clock.h"
#include "core/Numbers.h"
#include "core/Passwort.h"
#include "db/Database.h"
#include "db/Depot.h"
#include "db/Fehlertexte.h"
#include "db/Rueckgaengig.h"
#include "db/Recordset.h"
#include "db/Verschluesselung.h"
#include "extras/BefehleExtras.h"
#include "extras/FormInfo.h"
#include "extras/pwfrage.h"
#include "platform/Dialogs.h"
#include "platform/Drucker.h"
#include "platform/Graph.h"
#include "platform/HelpViewer.h"
#include "platform/Dateiwahl.h"
#include "platform/HoverButton.h"
#include "platform/HoverReset.h"
#include "platform/KompaktierFortschritt.h"
#include "platform/Launcher.h"
#include "reports/BefehleBerichte.h"
#include "transactions/BefehleKonto.h"
#include "transactions/BefehleDatenaustausch.h"
#include "transactions/BefehleKurse.h"
#include "transactions/KursOperationen.h"
#include "watch/BefehleBeobachten.h"
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

// The icons live in this static library; its resource must be registered by hand.
void appRessourcenLaden() {
    static const bool geladen = [] {
        Q_INIT_RESOURCE(app);
        return true;
    }();
    (void)geladen;
}

namespace {

const QDate nieKomprimiert(1990, 1, 1);

} // namespace

QString Aktiendataform::hinweistext() {
    return QStringLiteral(" Kapito 3.6 - Ihr Depot auf einen Blick");
}

QString Aktiendataform::fehltText() {
    return QStringLiteral("Die Datenbankdatei \"aktien.mdb\" wurde nicht gefunden!\n"
                          "Bitte kopieren Sie die Datei in das Programmverzeichnis oder "
                          "installieren Sie das Programm neu.");
}

QString Aktiendataform::kompaktierFrage() const {
    return QStringLiteral("Von Zeit zu Zeit sollte die Datenbank komprimiert werden.\n"
                          "Soll die Datenbank jetzt komprimiert werden?");
}

Aktiendataform::Aktiendataform(AppContext ctx, QWidget* parent)
    : QMainWindow(parent), m_ctx(std::move(ctx)), m_ausfuehren([](QDialog& d) { return d.exec(); }),
      m_modal([this](QDialog& d) {
          const int ergebnis = m_ausfuehren(d);
          // The closed window's button hints are over.
          setHinweis(hinweistext());
          return ergebnis;
      }) {
    appRessourcenLaden();
    setObjectName(QStringLiteral("Aktiendataform"));
    setWindowTitle(QStringLiteral("Kapito 3.6"));
    setWindowIcon(QIcon(QStringLiteral(":/app/icons/kapito.png")));
    setMinimumSize(900, 600);
    resize(1180, 740);

    menueAufbauen();

    auto* zentrum = new QWidget(this);
    zentrum->setObjectName(QStringLiteral("Hintergrund"));
    auto* spalte = new QVBoxLayout(zentrum);
    spalte->setContentsMargins(0, 0, 0, 0);
    spalte->setSpacing(0);
    spalte->addWidget(werkzeugleisteAufbauen());

    auto* koerper = new QHBoxLayout;
    koerper->setContentsMargins(10, 10, 10, 6);
    koerper->setSpacing(10);

    Anzeige = new QStackedWidget(zentrum);
    Anzeige->setObjectName(QStringLiteral("Anzeige"));
    m_karte = new KartenAnsicht(m_ctx.modul, Anzeige);
    m_uebersicht = new UebersichtAnsicht(Anzeige);
    // The charts draw into this view.
    m_chart = new ChartAnsicht(Anzeige);
    m_bericht = new BerichtAnsicht(Anzeige);
    for (QWidget* ansicht : {static_cast<QWidget*>(m_karte), static_cast<QWidget*>(m_uebersicht),
                             static_cast<QWidget*>(m_chart), static_cast<QWidget*>(m_bericht)})
        Anzeige->addWidget(ansicht);
    connect(m_karte, &KartenAnsicht::hinweis, this, &Aktiendataform::setHinweis);
    connect(m_karte, &KartenAnsicht::kursAngeklickt, this, &Aktiendataform::Labeltageskurs_Click);
    connect(m_karte, &KartenAnsicht::notizenBeginnen, this, &Aktiendataform::notizenBeginnen);
    connect(m_karte, &KartenAnsicht::notizenSpeichern, this, &Aktiendataform::notizenSpeichern);
    connect(m_bericht, &BerichtAnsicht::titelAngeklickt, this, &Aktiendataform::Label18_Click);

    koerper->addWidget(Anzeige, 1);
    koerper->addWidget(rechteSeiteAufbauen());
    spalte->addLayout(koerper, 1);
    setCentralWidget(zentrum);

    statusleisteAufbauen();

    // Pointer over the free area: toolbar hover, hint and DM tips are reset.
    m_hoverReset = HoverReset::install(this, [this] {
        setHinweis(m_grundhinweis);
        m_karte->dmTippsVerbergen();
    });

    // Each area that draws its own light background gives its texts their
    // colour too, so they stay dark on it under a dark system palette.
    setStyleSheet(
        QStringLiteral(
            "QWidget#Hintergrund { background: #eef1f6; }"
            "QFrame#Picture1 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fbfcfe,"
            " stop:1 #e3e8f0); border-bottom: 1px solid #c8cfdb; }"
            "QFrame#Picture2 { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #0000ff,"
            " stop:1 #000040); border: none; }"
            "QFrame#Karte { background: white; border: 1px solid #c8cfdb; border-radius: 6px; }"
            "QFrame#Karte QLabel { background: transparent; color: black; }"
            "QFrame#Karte QLabel[negativ=\"true\"] { color: #ff0000; }"
            "#Hintergrund QLabel[ueberschrift=\"true\"] { font-size: 15pt; font-weight: bold;"
            " color: #1d2b4f; padding: 2px 0 6px 0; }"
            "#Hintergrund QLabel[abschnitt=\"true\"] { font-weight: bold; color: #3a4a70;"
            " border-bottom: 1px solid #dde2ea; padding-bottom: 3px; }"
            "#Hintergrund QLabel[beschriftung=\"true\"] { color: #4a5568; }"
            "QFrame#Karte QLabel#Label16, QFrame#Karte QLabel#Labelkursziel { color: white;"
            " background: #c0392b; border-radius: 4px; padding: 3px 8px; font-weight: bold; }"
            "QFrame#Karte QLabel#Label12, QFrame#Karte QLabel#Label13 { background: #fff8d0;"
            " border: 1px solid #c9b458; padding: 1px 4px; }"
            "QFrame#Karte QLabel#Label2 { color: #6b7280; font-size: 8pt; }"
            // The windows opened from here show their frames alike: white
            // under a light palette; under a dark one in its window colour, so
            // the dark fields in them stand out.
            "QGroupBox { font-weight: bold; border: 1px solid #c8cfdb; border-radius: 6px;"
            " margin-top: 10px; background: %1; }"
            "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 4px; }"
            "#Hintergrund QGroupBox { background: white; color: black; }"
            "#Hintergrund QGroupBox QLabel { color: black; }"
            "QLabel#Label33 { background: #eaf2ff; color: black; border: 1px solid #9fb7e0;"
            " border-radius: 4px; padding: 2px 6px; }")
            .arg(palette().color(QPalette::Base).lightness() < 128
                     ? QStringLiteral("palette(window)")
                     : QStringLiteral("palette(base)")));

    zeigeAnsicht(Ansicht::Karte);
    setHinweis(hinweistext());
    setDrucker(nullptr);

    m_uhr = new QTimer(this);
    m_uhr->setInterval(1000);
    connect(m_uhr, &QTimer::timeout, this, &Aktiendataform::datumAnzeigen);
    m_uhr->start();
    datumAnzeigen();

    m_ctx.db.rueckgaengig().setBeiAenderung(
        [this] { Rueckgaengigbefehle::menueAktualisieren(*this); });
    Rueckgaengigbefehle::menueAktualisieren(*this);
}

Aktiendataform::~Aktiendataform() {
    m_ctx.db.rueckgaengig().setBeiAenderung({});
    datenSchliessen();
}

void Aktiendataform::datenNeuLesen() {
    const Bookmark stand = m_daten1 && m_daten1->hasCurrent() ? m_daten1->bookmark() : -1;
    datenSchliessen();
    datenOeffnen();
    if (m_daten1 && (stand < 0 || !m_daten1->setBookmark(stand))) m_daten1->moveFirst();
    lesezeichenMerken();
    if (m_daten2) m_ctx.modul.PasswortGespeichert = m_daten2->text(QStringLiteral("passwort"));
    paketBefehleAktualisieren();
    m_ctx.modul.AnzahlPakete = 0;
    PaketeZaehlen();
    SummenAktualisieren();
    // A chart or report was drawn from the rows as they were.
    if (m_ansicht == Ansicht::Chart || m_ansicht == Ansicht::Bericht) Command5_Click();
    Rueckgaengigbefehle::menueAktualisieren(*this);
}

// ---------------------------------------------------------------- data

void Aktiendataform::datenOeffnen() {
    Database& db = m_ctx.db;
    m_daten1.reset(Recordset::openTable(db, QStringLiteral("Aktiendaten")));
    m_daten2.reset(Recordset::openTable(db, QStringLiteral("kennwort")));
    m_daten4.reset(Recordset::openTable(db, QStringLiteral("Indexkurse")));
    if (m_daten2) m_daten2->moveFirst();
    if (!m_daten1) return;
    connect(m_daten1.get(), &Recordset::currentChanged, this, &Aktiendataform::Daten1_Reposition);
    connect(m_daten1.get(), &Recordset::rowsChanged, this, &Aktiendataform::comboFuellen);
    m_uebersicht->binden(db, *m_daten1);
    comboFuellen();
    Daten1_Reposition();
}

Recordset& Aktiendataform::Daten3() {
    // Reading the keys of a long quote history costs tens of milliseconds;
    // the load does not need it.
    if (!m_daten3) m_daten3.reset(Recordset::openTable(m_ctx.db, QStringLiteral("kurse")));
    return *m_daten3;
}

void Aktiendataform::datenSchliessen() {
    if (m_uebersicht) m_uebersicht->loesen();
    if (m_daten1) disconnect(m_daten1.get(), nullptr, this, nullptr);
    m_daten1.reset();
    m_daten2.reset();
    m_daten3.reset();
    m_daten4.reset();
}

void Aktiendataform::comboFuellen() {
    // Each entry carries its package's bookmark: two packages of one name
    // stay two distinct entries.
    const QSignalBlocker sperre(DBCombo1);
    DBCombo1->clear();
    const auto zeilen =
        m_ctx.db.rows(QStringLiteral("SELECT rowid, aktie FROM Aktiendaten ORDER BY rowid"));
    for (const QVariantList& z : zeilen)
        DBCombo1->addItem(z.value(1).toString(),
                          QVariant::fromValue<qint64>(z.value(0).toLongLong()));
    if (m_daten1 && m_daten1->hasCurrent())
        DBCombo1->setCurrentIndex(
            DBCombo1->findData(QVariant::fromValue<qint64>(m_daten1->bookmark())));
    else
        DBCombo1->setCurrentIndex(-1);
}

bool Aktiendataform::paketVorhanden() const {
    return m_daten1 && m_daten1->recordCount() > 0;
}

// ---------------------------------------------------------------- load and end

void Aktiendataform::Form_Load() {
    ModulAktien& modul = m_ctx.modul;
    if (!QFile::exists(Database::resolveCase(
            QDir(m_ctx.programmVerzeichnis).filePath(QString::fromLatin1(Database::FileName))))) {
        m_ctx.dialogs.notice(this, fehltText());
        m_beendet = true;
        emit programmEnde(1);
        return;
    }
    datenOeffnen();

    Recordset& kennwort = *m_daten2;
    const QDate kompri = kennwort.date(QStringLiteral("kompridatum"));
    const QDate heute = m_ctx.clock.today();
    if (kompri == nieKomprimiert) {
        kennwort.edit();
        kennwort.setValue(QStringLiteral("kompridatum"), heute);
        kennwort.update();
    } else if (kompri.isValid() && kompri.daysTo(m_ctx.clock.now().date()) > 30 &&
               !m_ctx.db.dateiSchreibgeschuetzt() && !m_ctx.db.ordnerSchreibgeschuetzt()) {
        // A file that cannot be replaced is not offered compaction only to
        // be refused: the status bar says below that it cannot be written.
        DatenbankKomprimieren();
    }

    modul.PasswortGespeichert = m_daten2->text(QStringLiteral("passwort"));
    PaketeZaehlen();
    SummenAktualisieren();
    // A database that cannot be written says so where the notice stands.
    const QString schutz = Fehlertexte::schreibschutzHinweis(m_ctx.db.dateiSchreibgeschuetzt(),
                                                             m_ctx.db.ordnerSchreibgeschuetzt());
    m_grundhinweis = schutz.isEmpty() ? hinweistext() : schutz;
    setHinweis(m_grundhinweis);
    if (!m_sicherungsHinweis.isEmpty()) setHinweis(std::exchange(m_sicherungsHinweis, QString()));
    if (modul.AnzahlPakete > 0) {
        m_daten1->moveFirst();
        modul.lesezeichen = m_daten1->bookmark();
    }

    if (modul.PasswortGespeichert != Passwort::keines()) {
        // A file encrypted with the password was opened with the entry of the
        // prompt before it; the same entry passes the start check.
        QString klar;
        if (Verschluesselung::mitPasswort(m_ctx.db) &&
            passwortStimmt(modul.PasswortGespeichert, modul.PasswortEingabe, &klar)) {
            modul.PasswortAktuell = klar;
            DepotUebersicht();
            startAbschliessen();
            return;
        }
        // Nothing of the depot is shown before the password is accepted.
        m_pwfrage = new pwfrage(*this);
        connect(m_pwfrage, &pwfrage::angenommen, this, [this] {
            m_pwfrage = nullptr;
            startAbschliessen();
        });
        connect(m_pwfrage, &pwfrage::programmBeenden, this, [this] {
            m_pwfrage = nullptr;
            m_beendet = true;
            emit programmEnde(0);
        });
        m_pwfrage->show();
        return;
    }
    startAbschliessen();
}

void Aktiendataform::startAbschliessen() {
    Recordset& kennwort = *m_daten2;
    if (!kennwort.hasCurrent()) kennwort.moveFirst();
    const qint64 verm = kennwort.integer(QStringLiteral("vermanzeige"));
    m_ctx.modul.DMAnzeige = static_cast<int>(kennwort.integer(QStringLiteral("dmanzeige")));
    menu_DManzeigen->setChecked(m_ctx.modul.DMAnzeige == 1);
    menu_vermoegenanzeigen->setChecked(verm == 1);
    Frame1->setVisible(verm == 1);

    Command7_Click();
    show();

    const bool da = paketVorhanden();
    for (QAction* a : {menu_edit, menu_loeschen, menu_verkaufen})
        a->setEnabled(da);
    m_karte->setNotizenMoeglich(da);
    if (!da)
        for (int i : {1, 2, 5})
            schalter[i]->setEnabled(false);
}

void Aktiendataform::DatenbankKomprimieren() {
    const QString nichtKomprimiert =
        QStringLiteral("Die Datenbank konnte nicht komprimiert werden.");
    // A file that cannot be written is not replaced; no question for it.
    const QString hindernis = m_ctx.db.compactObstacle();
    if (!hindernis.isEmpty()) {
        m_ctx.dialogs.notice(this, nichtKomprimiert + QLatin1Char('\n') + hindernis);
        return;
    }
    if (!m_ctx.dialogs.ask(this, kompaktierFrage())) return;

    // The copy needs the file to itself: record sets are closed meanwhile;
    // it is made on its own thread while a progress dialog is shown.
    const Bookmark stand = m_daten1 ? m_daten1->bookmark() : -1;
    datenSchliessen();
    // The old file is kept; a failed copy is said once the load has set its notice.
    m_sicherungsHinweis =
        Sicherung::anlegen(m_ctx.db, m_ctx.clock.today(), Sicherung::Art::VorKomprimierung);
    const bool ok = kompaktierenMitFortschritt(this, m_ctx.db);
    datenOeffnen();
    if (stand >= 0 && m_daten1) m_daten1->setBookmark(stand);

    if (!ok) {
        // The old file is intact; the question comes again at the next start.
        // The database's text may begin with the same sentence: said once.
        QString grund = m_ctx.db.message();
        grund.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (grund.startsWith(nichtKomprimiert)) grund = grund.mid(nichtKomprimiert.size());
        while (grund.startsWith(QLatin1Char('\n')))
            grund.remove(0, 1);
        m_ctx.dialogs.notice(this, grund.isEmpty() ? nichtKomprimiert
                                                   : nichtKomprimiert + QLatin1Char('\n') + grund);
        return;
    }
    m_ctx.dialogs.notice(this, QStringLiteral("Datenbank wurde komprimiert!"));
    m_daten2->requery();
    m_daten2->moveFirst();
    m_daten2->edit();
    m_daten2->setValue(QStringLiteral("kompridatum"), m_ctx.clock.today());
    m_daten2->update();
}

void Aktiendataform::menu_ende_Click() {
    if (m_beendet) return;
    if (m_ctx.dialogs.ask(this, QStringLiteral("Das Programm jetzt beenden?"))) programmBeenden();
}

void Aktiendataform::programmBeenden() {
    if (m_beendet) return;
    m_ctx.help.closeIfOpen();
    if (m_daten2) {
        if (!m_daten2->hasCurrent()) m_daten2->moveFirst();
        if (m_daten1 && m_daten1->isEditing()) m_daten1->cancel();
        m_daten2->edit();
        m_daten2->setValue(QStringLiteral("dmanzeige"), m_ctx.modul.DMAnzeige == 1 ? 1 : 0);
        m_daten2->setValue(QStringLiteral("vermanzeige"),
                           menu_vermoegenanzeigen->isChecked() ? 1 : 0);
        m_daten2->update();
    }
    m_beendet = true;
    m_uhr->stop();
    hide();
    emit programmEnde(0);
}

void Aktiendataform::changeEvent(QEvent* event) {
    // Back in the main window (the user switched back): the hint of whatever
    // was last under the pointer is over. The first activation after the
    // start leaves the load's lines (a failed backup) standing.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        if (m_schonAktiv) setHinweis(hinweistext());
        m_schonAktiv = true;
    }
    QMainWindow::changeEvent(event);
}

void Aktiendataform::closeEvent(QCloseEvent* event) {
    if (m_beendet) {
        event->accept();
        return;
    }
    // The close box asks the same question as the menu.
    event->ignore();
    menu_ende_Click();
}

// ---------------------------------------------------------------- totals

void Aktiendataform::SummenAktualisieren() {
    // Exact, in checked integers: a total that cannot be formed is said, never shown wrong.
    const std::optional<Depot::Summen> summen = Depot::summen(m_ctx.db);
    if (!summen) {
        for (QLabel* l : {LabelGesamtwert, Label10, LabelAllgewinn, Label14})
            l->setText(zuGrossAnzeige());
        Label17->clear();
        m_ctx.dialogs.notice(this, Depot::summenFehlerText());
        return;
    }
    const Currency wert = summen->wert;
    const Currency kauf = summen->kauf;
    const Summen s = summenTexte(wert, kauf);
    m_ctx.modul.Gesamtwert = wert;
    LabelGesamtwert->setText(s.labelGesamtwert);
    Label10->setText(s.label10);
    LabelAllgewinn->setText(s.labelAllgewinn);
    Label14->setText(s.label14);
    Label17->setText(s.label17);
}

void Aktiendataform::PaketeZaehlen() {
    m_ctx.modul.AnzahlPakete =
        m_ctx.db.scalar(QStringLiteral("SELECT COUNT(*) FROM Aktiendaten")).toInt();
    StatusBar1[0]->setText(QString::number(m_ctx.modul.AnzahlPakete));
}

QString Aktiendataform::gesamtwertText() const {
    return LabelGesamtwert->text();
}
QString Aktiendataform::aktieText() const {
    return m_karte->aktie();
}
QString Aktiendataform::tageskursText() const {
    return m_karte->tageskurs();
}

// ---------------------------------------------------------------- card

void Aktiendataform::Daten1_Reposition() {
    if (!m_daten1) return;
    if (m_daten2 && !m_daten2->hasCurrent()) m_daten2->moveFirst();
    const qint64 frist = m_daten2 ? m_daten2->integer(QStringLiteral("spekufrist")) : 0;
    m_karte->fuellen(*m_daten1, frist, m_ctx.clock.today());
    if (!m_daten1->hasCurrent()) return;
    const int i = DBCombo1->findData(QVariant::fromValue<qint64>(m_daten1->bookmark()));
    if (i != DBCombo1->currentIndex()) {
        const QSignalBlocker sperre(DBCombo1);
        DBCombo1->setCurrentIndex(i);
    }
}

void Aktiendataform::kartenAnsicht() {
    zeigeAnsicht(Ansicht::Karte);
    setKartenkopfSichtbar(true);
    Command5->setEnabled(false);
    Command6->setEnabled(false);
    Command2->setEnabled(true);
    Command7->setEnabled(true);
    for (int i : {1, 2, 5})
        schalter[i]->setEnabled(true);
    for (QAction* a : {menu_Chart30, menu_Chart100, menu_edit, menu_kursaktuell, menu_loeschen,
                       menu_verkaufen, menu_zielkurs})
        a->setEnabled(true);
}

void Aktiendataform::Daten1_MouseUp() {
    kartenAnsicht();
}

void Aktiendataform::DBCombo1_Click(int index) {
    if (!m_daten1 || index < 0) return;
    m_daten1->setBookmark(DBCombo1->itemData(index).toLongLong());
    kartenAnsicht();
}

void Aktiendataform::Command5_Click() {
    kartenAnsicht();
    m_ctx.modul.KarteAktiv = true;
    zumLesezeichen();
}

void Aktiendataform::zumLesezeichen() {
    if (m_daten1 && m_ctx.modul.lesezeichen >= 0) m_daten1->setBookmark(m_ctx.modul.lesezeichen);
}

void Aktiendataform::lesezeichenMerken() {
    if (m_daten1 && m_daten1->hasCurrent()) m_ctx.modul.lesezeichen = m_daten1->bookmark();
}

void Aktiendataform::setKartenkopfSichtbar(bool visible) {
    m_karte->setKopfSichtbar(visible);
}

void Aktiendataform::paketBefehleAktualisieren() {
    const bool da = paketVorhanden();
    for (QAction* a : {menu_edit, menu_loeschen, menu_verkaufen})
        a->setEnabled(da);
    m_karte->setNotizenMoeglich(da);
    for (int i : {1, 2, 5})
        schalter[i]->setEnabled(da);
}

void Aktiendataform::notizenBearbeiten(bool an) {
    // While the notes are edited nothing else may move the card, change the
    // view or change the row. The menu entries are locked one by one as
    // well, so their shortcuts stay quiet. Everything gets back the state it
    // had before.
    m_notizenOffen = an;
    for (QMenu* m : {Hmenu_aktie, Hmenu_bearbeiten, Hmenu_auswerten, Hmenu_optionen, Hmenu_hilfe}) {
        m->menuAction()->setEnabled(!an);
        for (QAction* a : m->actions()) {
            if (a->isSeparator()) continue;
            if (an) {
                m_vorSperre.insert(a, a->isEnabled());
                a->setEnabled(false);
            } else {
                a->setEnabled(m_vorSperre.value(a, true));
            }
        }
    }
    if (!an) m_vorSperre.clear();
    // Toolbar buttons 10 and 11 open windows that leave the packages alone.
    QList<QWidget*> gesperrt{DBCombo1, Daten1Navigator};
    for (QPushButton* b : {Command1, Command2, Command5, Command6, Command7, Command8})
        gesperrt << b;
    for (int i = 0; i <= 9; ++i)
        gesperrt << schalter[i];
    for (QWidget* w : gesperrt) {
        if (an) {
            m_vorSperreKnoepfe.insert(w, w->isEnabled());
            w->setEnabled(false);
        } else {
            w->setEnabled(m_vorSperreKnoepfe.value(w, true));
        }
    }
    if (!an) m_vorSperreKnoepfe.clear();
    m_karte->setNotizenBearbeiten(an);
}

void Aktiendataform::notizenBeginnen() {
    if (!m_daten1 || !m_daten1->hasCurrent() || m_notizenOffen) return;
    m_notizenZeile = m_daten1->bookmark();
    notizenBearbeiten(true);
    m_daten1->edit();
}

void Aktiendataform::notizenSpeichern(const QString& wert) {
    if (!m_daten1 || !m_notizenOffen) return;
    notizenBearbeiten(false);
    // The notes belong to the package the edit began on.
    if (m_daten1->bookmark() != m_notizenZeile && !m_daten1->setBookmark(m_notizenZeile)) {
        m_ctx.dialogs.notice(this, QStringLiteral("Die Notizen konnten nicht gespeichert werden."));
        return;
    }
    Transaction t(m_ctx.db,
                  QStringLiteral("Notizen ") + m_daten1->text(QStringLiteral("aktie")).trimmed());
    if (!m_daten1->isEditing()) m_daten1->edit();
    m_daten1->setValue(QStringLiteral("notizen"), wert);
    if (!m_daten1->update() || !t.commit())
        m_ctx.dialogs.notice(this, QStringLiteral("Die Notizen konnten nicht gespeichert werden."));
    Daten1_Reposition();
}

void Aktiendataform::Labeltageskurs_Click() {
    if (m_notizenOffen) return;
    lesezeichenMerken();
    menuKursaktuell(*this, m_modal);
}

void Aktiendataform::Label2_Click() {
    Labeltageskurs_Click();
}

// ---------------------------------------------------------------- views

void Aktiendataform::zeigeAnsicht(Ansicht a) {
    m_ansicht = a;
    switch (a) {
    case Ansicht::Karte:
        Anzeige->setCurrentWidget(m_karte);
        break;
    case Ansicht::Uebersicht:
        Anzeige->setCurrentWidget(m_uebersicht);
        break;
    case Ansicht::Chart:
        Anzeige->setCurrentWidget(m_chart);
        break;
    case Ansicht::Bericht:
        Anzeige->setCurrentWidget(m_bericht);
        break;
    }
}

void Aktiendataform::DepotUebersicht() {
    zeigeAnsicht(Ansicht::Uebersicht);
    Command5->setEnabled(true);
    Command7->setEnabled(false);
    Command6->setEnabled(false);
    m_uebersicht->setUeberschriftSichtbar(true);
}

void Aktiendataform::Command7_Click() {
    DepotUebersicht();
    setKartenkopfSichtbar(false);
    m_bericht->verbergen();
}

void Aktiendataform::Label18_Click() {
    // Closes the report: what lay under it, the card, shows again.
    m_bericht->verbergen();
    m_karte->nachBerichtZeigen();
    zeigeAnsicht(Ansicht::Karte);
}

void Aktiendataform::Command8_Click() {
    const std::optional<Currency> stand = Depot::kontostand(m_ctx.db);
    QString dm = Label10->text();
    if (dm.endsWith(QStringLiteral(" DM"))) dm.chop(3);
    const std::optional<Currency> depot =
        dm.isEmpty() ? std::optional<Currency>(Currency()) : Numbers::parseCurrency(dm);
    const std::optional<Currency> summe = stand && depot ? stand->plus(*depot) : std::nullopt;
    if (!summe) {
        m_ctx.dialogs.notice(this,
                             stand ? Depot::summenFehlerText() : Depot::kontostandFehlerText());
        return;
    }
    m_ctx.modul.Kontostand = *stand;
    const Currency gesamt = *summe;
    m_ctx.dialogs.message(this,
                          QStringLiteral("Der Gesamtwert Ihres Depots + Konto beträgt zur Zeit:   "
                                         "\n\n") +
                              gesamt.format00() + QStringLiteral(" DM     (") +
                              Numbers::dmToEuro(gesamt).format00() + QStringLiteral(" Euro)"),
                          Dialogs::Icon::Information, Dialogs::Buttons::Ok,
                          QStringLiteral("Aktueller Wert Depot + Konto"));
}

void Aktiendataform::tagesergebnis() {
    const std::optional<Currency> jetzt = Kurse::angezeigterGesamtwert(LabelGesamtwert->text());
    std::optional<Currency> vorher = Currency();
    if (m_daten2) {
        if (!m_daten2->hasCurrent()) m_daten2->moveFirst();
        vorher = Numbers::leadingCurrency(m_daten2->text(QStringLiteral("altallwert")));
    }
    const std::optional<Currency> differenz =
        jetzt && vorher ? jetzt->minus(*vorher) : std::nullopt;
    if (!differenz) {
        Label33->setText(QStringLiteral("\n") + zuGrossAnzeige());
        Label33->setVisible(Label33->isHidden());
        return;
    }
    const Currency diff = *differenz;
    const Currency dm = Numbers::euroToDm(diff);
    const QString wort =
        diff.isNegative() ? QStringLiteral("Tagesverlust") : QStringLiteral("Tagesgewinn");
    Label33->setText(QStringLiteral("\n") + wort + QStringLiteral("\n") + diff.format00() +
                     QStringLiteral("   (") + dm.format00() + QStringLiteral(" DM)"));
    Label33->setVisible(Label33->isHidden());
}

void Aktiendataform::LabelGesamtwert_Click() {
    tagesergebnis();
}
void Aktiendataform::Label10_Click() {
    tagesergebnis();
}
void Aktiendataform::Label33_Click() {
    Label33->hide();
}

void Aktiendataform::Command1_Click() {
    if (!paketVorhanden()) return;
    lesezeichenMerken();
    Indexchart(*this, m_modal);
}

void Aktiendataform::Command2_Click() {
    if (!paketVorhanden()) return;
    lesezeichenMerken();
    Chart100(*this, m_modal);
}

void Aktiendataform::Command6_Click() {
    // A chart in view comes first; otherwise the report, if one is shown.
    if (m_chart->grafikDrucken(m_ctx.dialogs, this)) return;
    if (m_ansicht == Ansicht::Bericht && m_bericht->zeigtBericht()) berichtDrucken(*this);
}

void Aktiendataform::berichtZeigen(const BerichtSeite& seite) {
    zeigeAnsicht(Ansicht::Bericht);
    setKartenkopfSichtbar(false);
    m_bericht->zeigen(seite);
    m_fortschritt->hide();
    zumLesezeichen();
    // The report stands for all packages: commands on one package wait for the card.
    for (QAction* a : {menu_edit, menu_kursaktuell, menu_loeschen, menu_verkaufen, menu_zielkurs,
                       menu_Chart30, menu_Chart100})
        a->setEnabled(false);
    Command2->setEnabled(false);
    for (int i : {1, 2, 5})
        schalter[i]->setEnabled(false);
    Command5->setEnabled(true);
    Command6->setEnabled(true);
}

// ---------------------------------------------------------------- hints, tips, status bar

void Aktiendataform::setHinweis(const QString& text) {
    StatusBar1[1]->setText(text);
}

void Aktiendataform::hinweisZuruecksetzen() {
    m_hoverReset->resetNow();
}

void Aktiendataform::schalter_MouseMove(int index) {
    const QString hinweis = schalter[index]->hint();
    if (!hinweis.isEmpty()) setHinweis(hinweis);
}

void Aktiendataform::datumAnzeigen() {
    const QDateTime jetzt = m_ctx.clock.now();
    StatusBar1[2]->setText(m_uhrzeit ? jetzt.time().toString(QStringLiteral("HH:mm:ss"))
                                     : m_ctx.clock.today().toString(QStringLiteral("dd.MM.yyyy")));
}

void Aktiendataform::StatusBar1_Click() {
    m_uhrzeit = !m_uhrzeit;
    datumAnzeigen();
}

bool Aktiendataform::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type t = event->type();
    if (t == QEvent::Enter) {
        if (const auto it = m_hinweise.constFind(watched); it != m_hinweise.constEnd())
            setHinweis(*it);
    } else if (t == QEvent::MouseButtonRelease) {
        const auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() == Qt::LeftButton) {
            if (watched == statusBar() ||
                std::find(StatusBar1.begin(), StatusBar1.end(), watched) != StatusBar1.end()) {
                StatusBar1_Click();
                return true;
            }
            if (const auto it = m_klicks.constFind(watched); it != m_klicks.constEnd()) {
                (*it)();
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------- commands

void Aktiendataform::schalter_Click(int index) {
    switch (index) {
    case 0:
        menu_neu_Click();
        break;
    case 1:
        menu_edit_Click();
        break;
    case 2:
        menu_loeschen_Click();
        break;
    case 3:
        menu_berichtkurz_Click();
        break;
    case 4:
        menu_passwort_Click();
        break;
    case 5:
        menu_Chart30_Click();
        break;
    case 6:
        menu_bilanz_Click();
        break;
    case 7:
        menu_info_Click();
        break;
    case 8:
        menu_hilfeinhalt_Click();
        break;
    case 9:
        programmBeenden();
        break; // without the question
    case 10:
        menu_beobachten_Click();
        break;
    case 11:
        menu_depotkonto_Click();
        break;
    default:
        break;
    }
}

// The commands below hand over to the windows of the other parts of the
// program; they keep the saved position where the menu asks for it.
void Aktiendataform::menu_depotkonto_Click() {
    lesezeichenMerken();
    menuDepotkonto(*this, m_modal);
}
void Aktiendataform::menu_neu_Click() {
    // The purchase checks the balance first and stores the position itself.
    lesezeichenMerken();
    menuNeu(*this, m_modal);
}
void Aktiendataform::menu_verkaufen_Click() {
    lesezeichenMerken();
    menuVerkaufen(*this, m_modal);
}
void Aktiendataform::menu_gewinn_verlust_Click() {
    lesezeichenMerken();
    menuGewinnVerlust(*this, m_modal);
}
void Aktiendataform::menu_loeschen_Click() {
    menuLoeschen(*this);
}
void Aktiendataform::menu_rueckgaengig_Click() {
    Rueckgaengigbefehle::ausfuehren(*this, true);
}
void Aktiendataform::menu_wiederholen_Click() {
    Rueckgaengigbefehle::ausfuehren(*this, false);
}
void Aktiendataform::menu_wiederherstellen_Click() {
    if (m_notizenOffen) return;
    const QString ordner = QFileInfo(m_ctx.db.path())
                               .absoluteDir()
                               .filePath(QString::fromLatin1(Sicherung::Ordner));
    QList<Wiederherstellung::Stand> staende =
        FormWiederherstellen::staendeLesen(this, ordner, m_ctx.db.connectText());
    QDate tag;
    FormWiederherstellen form(
        m_ctx.dialogs, staende,
        [this, &tag, &staende](const QString& pfad, const QString& passwort) {
            for (const auto& s : std::as_const(staende))
                if (s.pfad == pfad) tag = s.tag;
            datenSchliessen();
            QString fehler =
                Wiederherstellung::wiederherstellen(m_ctx.db, pfad, m_ctx.clock.today(), passwort);
            datenNeuLesen();
            return fehler;
        },
        this);
    m_modal(form);
    if (form.erfolgreich())
        setHinweis(QStringLiteral("Der Stand vom %1 wurde wiederhergestellt.")
                       .arg(tag.toString(QStringLiteral("dd.MM.yyyy"))));
}
void Aktiendataform::menu_kursaktuell_Click() {
    lesezeichenMerken();
    menuKursaktuell(*this, m_modal);
}
void Aktiendataform::menu_alleKurseneu_Click() {
    lesezeichenMerken();
    menuAlleKurseneu(*this, m_modal);
}
void Aktiendataform::menu_kurseimport_Click() {
    lesezeichenMerken();
    static WidgetDateiwahl wahl;
    menuKurseImportieren(*this, wahl, m_modal);
}
void Aktiendataform::menu_export_Click() {
    lesezeichenMerken();
    static WidgetDateiwahl wahl;
    menuDatenExportieren(*this, wahl);
    zumLesezeichen();
}
void Aktiendataform::menu_index_Click() {
    lesezeichenMerken();
    menuIndex(*this, m_modal);
}
void Aktiendataform::menu_edit_Click() {
    lesezeichenMerken();
    menuEdit(*this, m_modal);
}
void Aktiendataform::menu_k100_Click() {
    menuK100(*this, m_modal);
}
void Aktiendataform::menu_kurseloeschen_Click() {
    KurseLoeschen(*this);
}
void Aktiendataform::menu_berichtkurz_Click() {
    lesezeichenMerken();
    Command7->setEnabled(true);
    berichtZeigen(berichtKurzfassung(*this));
}
void Aktiendataform::menu_berichtlang_Click() {
    lesezeichenMerken();
    menuBerichtlang(*this, m_modal);
}
void Aktiendataform::menu_differenzvortag_Click() {
    lesezeichenMerken();
    berichtZeigen(berichtDifferenz(*this));
}
void Aktiendataform::menu_Chart30_Click() {
    // The card's heading is wanted again, the overview's and the report's not.
    setKartenkopfSichtbar(true);
    m_uebersicht->setUeberschriftSichtbar(false);
    lesezeichenMerken();
    for (QPushButton* b : {Command2, Command5, Command6, Command7})
        b->setEnabled(true);
    m_bericht->verbergen();
    if (m_chart->zeichnen(
            ChartAnsicht::Art::Linie, Charts::namensKern(aktieText()),
            [this](Graph& g) { return Chart30(*this, g); }, [this] { DruckeChart30(*this); })) {
        zeigeAnsicht(Ansicht::Chart);
    } else if (m_ansicht == Ansicht::Bericht) {
        // The hidden report leaves the card in view.
        zeigeAnsicht(Ansicht::Karte);
    }
    zumLesezeichen();
}
void Aktiendataform::menu_Chart100_Click() {
    lesezeichenMerken();
    Chart100(*this, m_modal);
}
void Aktiendataform::menu_bilanz_Click() {
    lesezeichenMerken();
    // The balance stands for all packages: commands on one package wait for the card.
    Command2->setEnabled(false);
    for (QPushButton* b : {Command5, Command6, Command7})
        b->setEnabled(true);
    for (int i : {1, 2, 5})
        schalter[i]->setEnabled(false);
    for (QAction* a : {menu_Chart30, menu_Chart100, menu_zielkurs, menu_verkaufen, menu_loeschen,
                       menu_kursaktuell, menu_edit})
        a->setEnabled(false);
    m_uebersicht->setUeberschriftSichtbar(false);
    setKartenkopfSichtbar(false);
    m_bericht->verbergen();
    if (m_chart->zeichnen(
            ChartAnsicht::Art::Balken, Charts::bilanzTitel(m_ctx.clock.today()),
            [this](Graph& g) { return Bilanzchart(*this, g); },
            [this] { DruckeBilanzchart(*this); })) {
        zeigeAnsicht(Ansicht::Chart);
    } else if (m_ansicht == Ansicht::Bericht) {
        zeigeAnsicht(Ansicht::Karte);
    }
    zumLesezeichen();
}
void Aktiendataform::menu_indexchart_Click() {
    lesezeichenMerken();
    Indexchart(*this, m_modal);
}
void Aktiendataform::menu_gewinne_Click() {
    lesezeichenMerken();
    menuGewinne(*this, m_modal);
}
void Aktiendataform::menu_beobachten_Click() {
    menuBeobachten(*this, m_modal);
}
void Aktiendataform::menu_einstellungen_Click() {
    lesezeichenMerken();
    menuEinstellungen(*this, m_modal);
}
void Aktiendataform::menu_passwort_Click() {
    lesezeichenMerken();
    menuPasswort(*this, m_modal);
}
void Aktiendataform::menu_zielkurs_Click() {
    lesezeichenMerken();
    menuZielkurs(*this, m_modal);
}
void Aktiendataform::menu_spekufrist_Click() {
    lesezeichenMerken();
    menuSpekufrist(*this, m_modal);
}
void Aktiendataform::menu_zusammen_Click() {
    lesezeichenMerken();
    menuZusammen(*this, m_modal);
}
void Aktiendataform::menu_split_Click() {
    lesezeichenMerken();
    menuSplit(*this, m_modal);
}
void Aktiendataform::menu_rechner_Click() {
    menuRechner(*this, m_modal);
}
void Aktiendataform::menu_bestellschein_Click() {
    DruckeBestellschein(*this, m_ctx.programmVerzeichnis);
}
void Aktiendataform::menu_info_Click() {
    FormInfo info(m_ctx.controls, this);
    zeigeModal(info);
}

void Aktiendataform::menu_DManzeigen_Click() {
    const bool an = !menu_DManzeigen->isChecked();
    menu_DManzeigen->setChecked(an);
    m_ctx.modul.DMAnzeige = an ? 1 : 0;
}

void Aktiendataform::menu_vermoegenanzeigen_Click() {
    const bool an = !menu_vermoegenanzeigen->isChecked();
    menu_vermoegenanzeigen->setChecked(an);
    Frame1->setVisible(an);
}

void Aktiendataform::menu_notepad_Click() {
    NotepadStarten(m_ctx.editor, m_ctx.dialogs, this);
}

void Aktiendataform::menu_hilfeinhalt_Click() {
    hilfeAnzeigen();
}
void Aktiendataform::hilfeAnzeigen() {
    m_ctx.help.showContents();
}
bool Aktiendataform::ohneDatensaetze(const std::function<bool()>& arbeit) {
    const Bookmark stand = m_daten1 ? m_daten1->bookmark() : -1;
    datenSchliessen();
    const bool ok = arbeit();
    datenOeffnen();
    if (stand >= 0 && m_daten1) m_daten1->setBookmark(stand);
    return ok;
}

void Aktiendataform::depotkontoOeffnen() {
    menu_depotkonto_Click();
}

void Aktiendataform::setDrucker(Drucker* drucker) {
    if (!drucker && !m_systemDrucker)
        m_systemDrucker = std::make_unique<SystemDrucker>(m_ctx.dialogs, m_ctx.clock,
                                                          m_ctx.programmVerzeichnis, this);
    m_drucker = drucker ? drucker : m_systemDrucker.get();
}
