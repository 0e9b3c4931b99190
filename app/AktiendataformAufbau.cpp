// The main window's construction: menus, toolbar, the panel on the right and
// the status bar. What they do is wired in Aktiendataform.cpp.

#include "app/Aktiendataform.h"
#include "app/Rueckgaengigbefehle.h"

#include "app/BerichtAnsicht.h"
#include "app/ChartAnsicht.h"
#include "app/KartenAnsicht.h"
#include "app/Steuerelemente.h"
#include "app/UebersichtAnsicht.h"
#include "db/Recordset.h"
#include "platform/HoverButton.h"
#include "platform/Wertanzeige.h"
#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
namespace {

using Slot = void (Aktiendataform::*)();

struct MenuEintrag {
    const char* name;   ///< control name; "trenner…" is a separator
    const char* text;   ///< caption with access key
    QKeySequence taste; ///< shortcut, empty = none
    Slot slot;
};

struct Hauptmenue {
    const char* name;
    const char* text;
    QList<MenuEintrag> eintraege;
};

QList<Hauptmenue> menueTabelle() {
    using A = Aktiendataform;
    const QKeySequence ohne;
    return {
        {"Hmenu_aktie",
         "&Wertpapier",
         {{"menu_depotkonto", "&Depotkonto verwalten", ohne, &A::menu_depotkonto_Click},
          {"menu_neu", "&Wertpapiere kaufen", QKeySequence(Qt::Key_F2), &A::menu_neu_Click},
          {"trenner1", "", ohne, nullptr},
          {"menu_verkaufen", "Wertpapiere &verkaufen", QKeySequence(Qt::Key_F3),
           &A::menu_verkaufen_Click},
          {"menu_gewinn_verlust", "&Sonstige Gewinne / Verluste", ohne,
           &A::menu_gewinn_verlust_Click},
          {"trenner9", "", ohne, nullptr},
          {"menu_loeschen", "Wertpapier-Datensatz &löschen", QKeySequence(Qt::Key_F4),
           &A::menu_loeschen_Click},
          {"trenner2", "", ohne, nullptr},
          {"menu_export", "Daten e&xportieren...", ohne, &A::menu_export_Click},
          {"menu_ende", "&Programm beenden", QKeySequence(Qt::Key_F5), &A::menu_ende_Click}}},
        {"Hmenu_bearbeiten",
         "&Bearbeiten",
         {{"menu_rueckgaengig", "Rückgängig", QKeySequence(Qt::CTRL | Qt::Key_Z),
           &A::menu_rueckgaengig_Click},
          {"menu_wiederholen", "Wiederholen", QKeySequence(Qt::CTRL | Qt::Key_Y),
           &A::menu_wiederholen_Click},
          {"trenner30", "", ohne, nullptr},
          {"menu_kursaktuell", "&Einzelkurs aktualisieren", QKeySequence(Qt::CTRL | Qt::Key_F1),
           &A::menu_kursaktuell_Click},
          {"menu_alleKurseneu", "Alle &Kurse aktualisieren", ohne, &A::menu_alleKurseneu_Click},
          {"menu_kurseimport", "Kurse &importieren...", ohne, &A::menu_kurseimport_Click},
          {"trenner21", "", ohne, nullptr},
          {"menu_index", "&Aktienindex", QKeySequence(Qt::CTRL | Qt::Key_J), &A::menu_index_Click},
          {"trenner14", "", ohne, nullptr},
          {"menu_edit", "Wertpapierdaten editieren ", QKeySequence(Qt::Key_F6),
           &A::menu_edit_Click},
          {"trenner8", "", ohne, nullptr},
          {"menu_k100", "Chartkurse &bearbeiten", QKeySequence(Qt::CTRL | Qt::Key_B),
           &A::menu_k100_Click},
          {"menu_kurseloeschen", "Chartk&urse löschen", QKeySequence(Qt::CTRL | Qt::Key_L),
           &A::menu_kurseloeschen_Click}}},
        {"Hmenu_auswerten",
         "A&nzeigen",
         {{"menu_berichtkurz", "Bericht &Kurzfassung", QKeySequence(Qt::Key_F8),
           &A::menu_berichtkurz_Click},
          {"menu_berichtlang", "&Bericht Komplettfassung", QKeySequence(Qt::Key_F9),
           &A::menu_berichtlang_Click},
          {"menu_differenzvortag", "Bericht &Differenz zum Vortag", ohne,
           &A::menu_differenzvortag_Click},
          {"trenner4", "", ohne, nullptr},
          {"menu_Chart30", "30 Tage -&Chart", QKeySequence(Qt::CTRL | Qt::Key_A),
           &A::menu_Chart30_Click},
          {"menu_Chart100", "100 &Tage-Chart", QKeySequence(Qt::CTRL | Qt::Key_C),
           &A::menu_Chart100_Click},
          {"trenner15", "", ohne, nullptr},
          {"menu_bilanz", "&Bilanz-Chart ", ohne, &A::menu_bilanz_Click},
          {"menu_indexchart", "&Aktien - Indexchart", QKeySequence(Qt::CTRL | Qt::Key_K),
           &A::menu_indexchart_Click},
          {"trenner7", "", ohne, nullptr},
          {"menu_gewinne", "&Realisierte Gewinne / Verluste", QKeySequence(Qt::Key_F11),
           &A::menu_gewinne_Click}}},
        {"Hmenu_optionen",
         "&Optionen",
         {{"menu_DManzeigen", "&DM-Werte anzeigen (Quickinfo)", QKeySequence(Qt::CTRL | Qt::Key_T),
           &A::menu_DManzeigen_Click},
          {"menu_vermögenanzeigen", "&Vermögen / Ergebnis anzeigen", ohne,
           &A::menu_vermoegenanzeigen_Click},
          {"trenner20", "", ohne, nullptr},
          {"menu_beobachten", "&Aktien beobachten", QKeySequence(Qt::Key_F7),
           &A::menu_beobachten_Click},
          {"trenner22", "", ohne, nullptr},
          {"menu_einstellungen", "&Einstellungen...", ohne, &A::menu_einstellungen_Click},
          {"menu_wiederherstellen", "Sicherung &wiederherstellen...", ohne,
           &A::menu_wiederherstellen_Click},
          {"menu_passwort", "&Passwort", QKeySequence(Qt::CTRL | Qt::Key_P),
           &A::menu_passwort_Click},
          {"menu_zielkurs", "&Kursziel + Stopkurs", QKeySequence(Qt::CTRL | Qt::Key_F2),
           &A::menu_zielkurs_Click},
          {"menu_spekufrist", "&Spekulationsfrist", QKeySequence(Qt::CTRL | Qt::Key_F5),
           &A::menu_spekufrist_Click},
          {"menu_zusammen", "Aktienpakete &zusammenfassen", ohne, &A::menu_zusammen_Click},
          {"menu_split", "A&ktiensplit", ohne, &A::menu_split_Click},
          {"trenner16", "", ohne, nullptr},
          {"menu_notepad", "&Notepad starten", ohne, &A::menu_notepad_Click},
          {"menu_rechner", "&Rechner", QKeySequence(Qt::CTRL | Qt::Key_R),
           &A::menu_rechner_Click}}},
        {"Hmenu_hilfe",
         "&Hilfe",
         {{"menu_hilfeinhalt", "&Hilfe Inhalt", QKeySequence(Qt::Key_F1),
           &A::menu_hilfeinhalt_Click},
          {"trenner17", "", ohne, nullptr},
          {"menu_bestellschein", "&Bestellschein drucken", QKeySequence(Qt::CTRL | Qt::Key_D),
           &A::menu_bestellschein_Click},
          {"trenner3", "", ohne, nullptr},
          {"menu_info", "&Info", QKeySequence(Qt::CTRL | Qt::Key_I), &A::menu_info_Click}}},
    };
}

struct Schalter {
    const char* tipp;
    const char* hinweis; ///< empty: no hint
    const char* themenSymbol;
    const char* ersatz;
};

// Tool tips and status hints of the toolbar, by index.
const Schalter schalterTabelle[12] = {
    {" Aktien kaufen  ", " Neue Aktien kaufen", "list-add", "kaufen"},
    {" Aktiendaten bearbeiten ", " Aktuelle Aktie bearbeiten", "document-properties", "bearbeiten"},
    {" Aktien löschen ", " Aktuelle Aktie löschen", "edit-delete", "loeschen"},
    {" Bericht anzeigen ", " Bericht anzeigen mit Druckmöglichkeit", "x-office-document",
     "bericht"},
    {" Passwort ", " Passwort bearbeiten", "dialog-password", "passwort"},
    {"30 Tage-Chart ", " 30 Tage - Chart anzeigen mit Druckmöglichkeit", "office-chart-line",
     "chart30"},
    {" Bilanzchart ", " Bilanzchart anzeigen", "office-chart-bar", "bilanz"},
    {" Informationen ", " Informationen über Programm und Autor", "help-about", "info"},
    {" Hilfe aufrufen ", " Windows - Hilfe anzeigen", "help-contents", "hilfe"},
    {" Programm beenden ", " Programm ohne Rückfrage beenden", "application-exit", "ende"},
    {"Beobachten-Depot ", " Aktien - Beobachtungsmodul anzeigen", "view-visible", "beobachten"},
    {" Depotkonto verwalten ", "", "wallet-open", "konto"},
};

} // namespace

// ---------------------------------------------------------------- building

void Aktiendataform::menueAufbauen() {
    for (const Hauptmenue& h : menueTabelle()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(h.text));
        menu->setObjectName(QString::fromUtf8(h.name));
        for (const MenuEintrag& e : h.eintraege) {
            const QString name = QString::fromUtf8(e.name);
            QAction* a = nullptr;
            if (!e.slot) {
                a = menu->addSeparator();
            } else {
                a = menu->addAction(QString::fromUtf8(e.text));
                a->setShortcut(e.taste);
                connect(a, &QAction::triggered, this, e.slot);
            }
            a->setObjectName(name);
            m_aktionen.insert(name, a);
        }
    }
    Hmenu_aktie = menuBar()->findChild<QMenu*>(QStringLiteral("Hmenu_aktie"));
    Hmenu_bearbeiten = menuBar()->findChild<QMenu*>(QStringLiteral("Hmenu_bearbeiten"));
    Hmenu_auswerten = menuBar()->findChild<QMenu*>(QStringLiteral("Hmenu_auswerten"));
    Hmenu_optionen = menuBar()->findChild<QMenu*>(QStringLiteral("Hmenu_optionen"));
    Hmenu_hilfe = menuBar()->findChild<QMenu*>(QStringLiteral("Hmenu_hilfe"));
    menu_edit = aktion(QStringLiteral("menu_edit"));
    menu_loeschen = aktion(QStringLiteral("menu_loeschen"));
    menu_verkaufen = aktion(QStringLiteral("menu_verkaufen"));
    menu_Chart30 = aktion(QStringLiteral("menu_Chart30"));
    menu_Chart100 = aktion(QStringLiteral("menu_Chart100"));
    menu_kursaktuell = aktion(QStringLiteral("menu_kursaktuell"));
    menu_zielkurs = aktion(QStringLiteral("menu_zielkurs"));
    menu_DManzeigen = aktion(QStringLiteral("menu_DManzeigen"));
    menu_vermoegenanzeigen = aktion(QStringLiteral("menu_vermögenanzeigen"));
    menu_rueckgaengig = aktion(QStringLiteral("menu_rueckgaengig"));
    menu_wiederholen = aktion(QStringLiteral("menu_wiederholen"));
    connect(Hmenu_bearbeiten, &QMenu::aboutToShow, this,
            [this] { Rueckgaengigbefehle::menueAktualisieren(*this); });
    // The two display toggles carry a check mark; their slots do the toggling.
    for (QAction* a : {menu_DManzeigen, menu_vermoegenanzeigen}) {
        disconnect(a, &QAction::triggered, this, nullptr);
        a->setCheckable(true);
    }
    connect(menu_DManzeigen, &QAction::triggered, this, [this] {
        menu_DManzeigen->setChecked(!menu_DManzeigen->isChecked()); // undo Qt's own toggle
        menu_DManzeigen_Click();
    });
    connect(menu_vermoegenanzeigen, &QAction::triggered, this, [this] {
        menu_vermoegenanzeigen->setChecked(!menu_vermoegenanzeigen->isChecked());
        menu_vermoegenanzeigen_Click();
    });
}

QWidget* Aktiendataform::werkzeugleisteAufbauen() {
    auto* oben = new QWidget(this);
    auto* box = new QVBoxLayout(oben);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);

    Picture1 = new QFrame(oben);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    auto* leiste = new QHBoxLayout(Picture1);
    leiste->setContentsMargins(8, 4, 8, 4);
    leiste->setSpacing(2);
    for (int i = 0; i < 12; ++i) {
        const Schalter& s = schalterTabelle[i];
        auto* b = new HoverButton(Picture1);
        b->setObjectName(QStringLiteral("schalter_%1").arg(i));
        b->setToolTip(QString::fromUtf8(s.tipp));
        b->setAccessibleName(QString::fromUtf8(s.tipp).trimmed());
        b->setHint(QString::fromUtf8(s.hinweis));
        b->setIconSize(QSize(28, 28));
        b->setFixedSize(40, 40);
        b->setFlat(true);
        // Reached by Tab, but a click leaves the focus where it was.
        b->setFocusPolicy(Qt::TabFocus);
        b->setIcon(QIcon::fromTheme(
            QString::fromLatin1(s.themenSymbol),
            QIcon(QStringLiteral(":/app/icons/%1.png").arg(QString::fromLatin1(s.ersatz)))));
        connect(b, &HoverButton::hinweis, this, [this, i] { schalter_MouseMove(i); });
        connect(b, &QPushButton::clicked, this, [this, i] { schalter_Click(i); });
        schalter[i] = b;
        leiste->addWidget(b);
        // Groups as in the menus: transactions | views | extras | end
        if (i == 2 || i == 6 || i == 8) {
            auto* linie = new QFrame(Picture1);
            linie->setFrameShape(QFrame::VLine);
            linie->setStyleSheet(QStringLiteral("color: #c8cfdb;"));
            leiste->addSpacing(4);
            leiste->addWidget(linie);
            leiste->addSpacing(4);
        }
    }
    leiste->addStretch();

    Picture2 = new QFrame(oben);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setFixedHeight(4);

    box->addWidget(Picture1);
    box->addWidget(Picture2);
    return oben;
}

QWidget* Aktiendataform::rechteSeiteAufbauen() {
    Picture3 = new QFrame(this);
    Picture3->setObjectName(QStringLiteral("Picture3"));
    Picture3->setFixedWidth(250);
    auto* box = new QVBoxLayout(Picture3);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(8);

    Daten1Navigator = new QFrame(Picture3);
    Daten1Navigator->setObjectName(QStringLiteral("Daten1"));
    Daten1Navigator->setToolTip(QStringLiteral(" Datensatz vor- oder zurückbewegen "));
    auto* nav = new QHBoxLayout(Daten1Navigator);
    nav->setContentsMargins(0, 0, 0, 0);
    nav->setSpacing(4);
    const QStyle::StandardPixmap bilder[4] = {
        QStyle::SP_MediaSkipBackward, QStyle::SP_MediaSeekBackward, QStyle::SP_MediaSeekForward,
        QStyle::SP_MediaSkipForward};
    const char* namen[4] = {"Daten1_erster", "Daten1_zurueck", "Daten1_vor", "Daten1_letzter"};
    const char* zugriff[4] = {"Erster Datensatz", "Vorheriger Datensatz", "Nächster Datensatz",
                              "Letzter Datensatz"};
    for (int i = 0; i < 4; ++i) {
        auto* b = new QToolButton(Daten1Navigator);
        b->setObjectName(QString::fromLatin1(namen[i]));
        b->setIcon(style()->standardIcon(bilder[i]));
        b->setToolTip(Daten1Navigator->toolTip());
        b->setAccessibleName(QString::fromUtf8(zugriff[i]));
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        b->setMinimumHeight(28);
        navigator[i] = b;
        nav->addWidget(b);
        connect(b, &QToolButton::clicked, this, [this, i] {
            if (!m_daten1) return;
            switch (i) {
            case 0:
                m_daten1->moveFirst();
                break;
            case 1:
                m_daten1->movePrevious();
                if (m_daten1->bof()) m_daten1->moveFirst();
                break;
            case 2:
                m_daten1->moveNext();
                if (m_daten1->eof()) m_daten1->moveLast();
                break;
            default:
                m_daten1->moveLast();
                break;
            }
            Daten1_MouseUp();
        });
    }
    box->addWidget(Daten1Navigator);

    DBCombo1 = new QComboBox(Picture3);
    DBCombo1->setObjectName(QStringLiteral("DBCombo1"));
    DBCombo1->setToolTip(QStringLiteral(" Aktie auswählen "));
    DBCombo1->setAccessibleName(QStringLiteral("Aktie auswählen"));
    DBCombo1->setMinimumHeight(28);
    // The panel's fixed width decides the width; measuring a thousand names
    // for the size hint would cost most of the window's load.
    DBCombo1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    DBCombo1->setMinimumContentsLength(12);
    DBCombo1->installEventFilter(this);
    m_hinweise.insert(DBCombo1, QStringLiteral(" Aktie / Fond direkt auswählen"));
    connect(DBCombo1, &QComboBox::activated, this, &Aktiendataform::DBCombo1_Click);
    box->addWidget(DBCombo1);

    Frame3 = new QGroupBox(Picture3);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    auto* befehle = new QVBoxLayout(Frame3);
    befehle->setContentsMargins(10, 14, 10, 10);
    befehle->setSpacing(6);
    // Made in the order they stand, which is the order Tab takes.
    Command5 = befehl(QStringLiteral("Command5"), QStringLiteral("A&ktie als Karteikarte"),
                      QStringLiteral(" Aktiendaten anzeigen "), Frame3);
    Command7 = befehl(QStringLiteral("Command7"), QStringLiteral("Depot - &Übersicht "),
                      QStringLiteral(" Tabelle anzeigen "), Frame3);
    Command1 = befehl(QStringLiteral("Command1"), QStringLiteral("&Index-Chart"),
                      QStringLiteral(" Indexchart anzeigen "), Frame3);
    Command2 = befehl(QStringLiteral("Command2"), QStringLiteral("&100 Tage-Chart"),
                      QStringLiteral(" 100 Tage-Chart anzeigen "), Frame3);
    Command6 = befehl(QStringLiteral("Command6"), QStringLiteral("&Drucken"),
                      QStringLiteral(" Bericht / Grafik drucken "), Frame3);
    // Its letter is one no menu title and no other button here uses: Alt+W
    // opens the menu "Wertpapier".
    Command8 = befehl(QStringLiteral("Command8"), QStringLiteral("W&ert Depot + Konto"),
                      QStringLiteral(" Wert Depot + Konto  "), Frame3);
    for (QPushButton* b : {Command5, Command7, Command1, Command2, Command6, Command8})
        befehle->addWidget(b);
    connect(Command1, &QPushButton::clicked, this, &Aktiendataform::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Aktiendataform::Command2_Click);
    connect(Command5, &QPushButton::clicked, this, &Aktiendataform::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Aktiendataform::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &Aktiendataform::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &Aktiendataform::Command8_Click);
    box->addWidget(Frame3);

    Frame1 = new QGroupBox(QStringLiteral("Depotwert"), Picture3);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* wert = new QGridLayout(Frame1);
    wert->setContentsMargins(10, 16, 10, 10);
    wert->setVerticalSpacing(2);
    auto klein = [this](const QString& text) {
        auto* l = new QLabel(text, Frame1);
        l->setProperty("beschriftung", true);
        return l;
    };
    LabelGesamtwert = wertLabel(QStringLiteral("LabelGesamtwert"), Frame1);
    LabelGesamtwert->setToolTip(QStringLiteral(" Anklicken = Differenz zum Vortag "));
    LabelGesamtwert->setCursor(Qt::PointingHandCursor);
    Label10 = neuesLabel(QStringLiteral("Label10"), QString(), Frame1);
    Label10->setAlignment(Qt::AlignRight);
    Label10->setToolTip(QStringLiteral(" Anklicken = Differenz zum Vortag "));
    Label10->setCursor(Qt::PointingHandCursor);
    LabelAllgewinn = wertLabel(QStringLiteral("LabelAllgewinn"), Frame1);
    Label14 = neuesLabel(QStringLiteral("Label14"), QString(), Frame1);
    Label14->setAlignment(Qt::AlignRight);
    Label17 = neuesLabel(QStringLiteral("Label17"), QString(), Frame1);
    Label17->setAlignment(Qt::AlignCenter);
    Label33 = neuesLabel(QStringLiteral("Label33"), QString(), Frame1);
    Label33->setToolTip(QStringLiteral(" Zum Schliessen bitte anklicken! "));
    Label33->setAlignment(Qt::AlignCenter);
    Label33->setCursor(Qt::PointingHandCursor);
    Label33->hide();
    // Each amount is read with its caption.
    QLabel* wertKopf = klein(QStringLiteral("Wert alle Aktien"));
    QLabel* gewinnKopf = klein(QStringLiteral("Gewinn / Verlust"));
    for (QLabel* l : {LabelGesamtwert, Label10})
        wertanzeige(l, wertKopf->text());
    for (QLabel* l : {LabelAllgewinn, Label14})
        wertanzeige(l, gewinnKopf->text());
    wert->addWidget(wertKopf, 0, 0);
    wert->addWidget(LabelGesamtwert, 1, 0);
    wert->addWidget(Label10, 2, 0);
    wert->addWidget(gewinnKopf, 3, 0);
    wert->addWidget(LabelAllgewinn, 4, 0);
    wert->addWidget(Label14, 5, 0);
    wert->addWidget(Label17, 6, 0);
    wert->addWidget(Label33, 7, 0);
    wert->setRowMinimumHeight(3, 24);
    wert->setAlignment(Label17, Qt::AlignHCenter);
    box->addWidget(Frame1);
    box->addStretch();

    m_hinweise.insert(LabelGesamtwert, QStringLiteral(" Ihr Aktien- / Fondvermögen"));
    m_hinweise.insert(LabelAllgewinn, QStringLiteral(" Gewinn / Verlust aller Aktien"));
    m_klicks.insert(LabelGesamtwert, [this] { LabelGesamtwert_Click(); });
    m_klicks.insert(Label10, [this] { Label10_Click(); });
    m_klicks.insert(Label33, [this] { Label33_Click(); });
    for (QWidget* w : {LabelGesamtwert, Label10, LabelAllgewinn, Label33})
        w->installEventFilter(this);
    return Picture3;
}

void Aktiendataform::statusleisteAufbauen() {
    QStatusBar* leiste = statusBar();
    leiste->setObjectName(QStringLiteral("StatusBar1"));
    leiste->setSizeGripEnabled(false);
    const char* tipps[3] = {" Anzahl verschiedener Aktien", " Hinweise zum Programm",
                            " Datum / Uhrzeit"};
    // Panels 1 and 3 take a 9.5th of the width each, panel 2 about three quarters.
    const int anteile[3] = {21, 152, 21};
    for (int i = 0; i < 3; ++i) {
        auto* l = new QLabel(leiste);
        l->setObjectName(QStringLiteral("StatusBar1_Panel%1").arg(i + 1));
        l->setToolTip(QString::fromUtf8(tipps[i]));
        l->setFrameShape(QFrame::StyledPanel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMinimumWidth(40);
        l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        if (i != 1) l->setAlignment(Qt::AlignCenter);
        l->installEventFilter(this);
        leiste->addWidget(l, anteile[i]);
        StatusBar1[i] = l;
    }
    m_fortschritt = new QProgressBar(leiste);
    m_fortschritt->setObjectName(QStringLiteral("ProgressBar1"));
    m_fortschritt->setTextVisible(false);
    m_fortschritt->setMaximumWidth(160);
    m_fortschritt->hide();
    leiste->addPermanentWidget(m_fortschritt);
    leiste->installEventFilter(this);
}
