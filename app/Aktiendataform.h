#pragma once
// The main window: the menus, toolbar and command buttons, the value panel
// and the status bar around a display area that shows one of four views
// (card, overview, chart, report). Every other window is opened from here
// and reaches it through MainWindowApi.

#include "app/AppContext.h"
#include "platform/MainWindowApi.h"
#include <QHash>
#include <QList>
#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTimer;
class QToolButton;
class BerichtAnsicht;
class ChartAnsicht;
class Drucker;
class HoverButton;
class HoverReset;
class KartenAnsicht;
class UebersichtAnsicht;
class pwfrage;
struct BerichtSeite;

/// Registers the icons of this library (safe to call more than once).
void appRessourcenLaden();

class Aktiendataform final : public QMainWindow, public MainWindowApi {
    Q_OBJECT
public:
    enum class Ansicht { Karte, Uebersicht, Chart, Bericht };

    explicit Aktiendataform(AppContext ctx, QWidget* parent = nullptr);
    ~Aktiendataform() override;

    /// The load: database check, record sets, compaction, totals, then either
    /// the password prompt or the settings and the visible window.
    void Form_Load();
    /// The module procedure: asks, compacts, re-opens the record sets.
    void DatenbankKomprimieren();

    /// Runs a modal window (exec by default); tests put a recorder here.
    /// When it has closed, status panel 2 shows the notice text again.
    void setModalRunner(std::function<int(QDialog&)> runner) { m_ausfuehren = std::move(runner); }
    int zeigeModal(QDialog& dialog) { return m_modal(dialog); }
    /// The printer (the system's by default); tests hand in a PDF printer.
    void setDrucker(Drucker* drucker);

    Ansicht ansicht() const { return m_ansicht; }
    void zeigeAnsicht(Ansicht a);
    bool beendet() const { return m_beendet; }
    /// The notes of the card are being edited.
    bool notizenOffen() const { return m_notizenOffen; }
    /// The password prompt while it is shown.
    pwfrage* passwortFenster() const { return m_pwfrage; }
    /// The menu entry or separator of that name ("menu_neu", "trenner1").
    QAction* aktion(const QString& name) const { return m_aktionen.value(name); }
    /// The notice text of status panel 2.
    static QString hinweistext();
    static QString fehltText();
    QString kompaktierFrage() const;
    /// Reads everything shown anew after the rows changed under the record
    /// sets (an undo, a restored backup): card on its package or else the
    /// first, totals, list, overview; a chart or report gives way to the card.
    void datenNeuLesen();
    /// Closes the record sets (before the file is replaced).
    void datenSchliessen();

    // The views of the display area
    KartenAnsicht& karte() const { return *m_karte; }
    UebersichtAnsicht& uebersicht() const { return *m_uebersicht; }
    ChartAnsicht& chart() const { return *m_chart; }
    BerichtAnsicht& bericht() const { return *m_bericht; }

    // MainWindowApi
    Database& database() override { return m_ctx.db; }
    ModulAktien& modul() override { return m_ctx.modul; }
    Dialogs& dialogs() override { return m_ctx.dialogs; }
    const Clock& clock() const override { return m_ctx.clock; }
    QWidget* window() override { return this; }
    Drucker& drucker() override { return *m_drucker; }
    QProgressBar& ProgressBar1() override { return *m_fortschritt; }
    Recordset& Daten1() override { return *m_daten1; }
    Recordset& Daten2() override { return *m_daten2; }
    /// Opened on first use: it holds the whole quote history.
    Recordset& Daten3() override;
    Recordset& Daten4() override { return *m_daten4; }
    void SummenAktualisieren() override;
    void PaketeZaehlen() override;
    void DepotUebersicht() override;
    void zumLesezeichen() override;
    QString gesamtwertText() const override;
    QString aktieText() const override;
    QString tageskursText() const override;
    void setKartenkopfSichtbar(bool visible) override;
    void paketBefehleAktualisieren() override;
    void setHinweis(const QString& text) override;
    void hinweisZuruecksetzen() override;
    void hilfeAnzeigen() override;
    void depotkontoOeffnen() override;
    bool ohneDatensaetze(const std::function<bool()>& arbeit) override;

    // Menus
    QMenu* Hmenu_aktie = nullptr;
    QMenu* Hmenu_bearbeiten = nullptr;
    QMenu* Hmenu_auswerten = nullptr;
    QMenu* Hmenu_optionen = nullptr;
    QMenu* Hmenu_hilfe = nullptr;
    QAction* menu_edit = nullptr;
    QAction* menu_loeschen = nullptr;
    QAction* menu_verkaufen = nullptr;
    QAction* menu_Chart30 = nullptr;
    QAction* menu_Chart100 = nullptr;
    QAction* menu_kursaktuell = nullptr;
    QAction* menu_zielkurs = nullptr;
    QAction* menu_DManzeigen = nullptr;
    QAction* menu_vermoegenanzeigen = nullptr;
    QAction* menu_rueckgaengig = nullptr;
    QAction* menu_wiederholen = nullptr;

    // Toolbar and strips
    QFrame* Picture1 = nullptr; ///< the toolbar
    QFrame* Picture2 = nullptr; ///< the blue strip under it
    QFrame* Picture3 = nullptr; ///< the panel on the right
    /// The toolbar: 0 buy, 1 edit, 2 delete, 3 short report, 4 password,
    /// 5 30-day chart, 6 balance chart, 7 info, 8 help, 9 end without the
    /// question, 10 watch list, 11 depot account.
    std::array<HoverButton*, 12> schalter{};

    // Right panel
    QFrame* Daten1Navigator = nullptr;       ///< the navigator of Daten1
    std::array<QToolButton*, 4> navigator{}; ///< first, previous, next, last
    QComboBox* DBCombo1 = nullptr;           ///< every package by name, in table order
    QGroupBox* Frame3 = nullptr;             ///< the command buttons
    QPushButton* Command1 = nullptr;         ///< "&Index-Chart" (chart window)
    QPushButton* Command2 = nullptr;         ///< "&100 Tage-Chart" (chart window)
    QPushButton* Command5 = nullptr;         ///< "A&ktie als Karteikarte": the card
    QPushButton* Command6 = nullptr;         ///< "&Drucken": the chart or report shown
    QPushButton* Command7 = nullptr;         ///< "Depot - &Übersicht ": the overview
    QPushButton* Command8 = nullptr;         ///< "W&ert Depot + Konto": the total in a message
    // Command3 and Command4 are the card's note buttons (KartenAnsicht).
    QGroupBox* Frame1 = nullptr;       ///< "Depotwert", shown by menu_vermögenanzeigen
    QLabel* LabelGesamtwert = nullptr; ///< total value of all packages, Euro ("1040.00")
    QLabel* Label10 = nullptr;         ///< the same in DM + " DM"
    QLabel* LabelAllgewinn = nullptr;  ///< total gain or loss, Euro
    QLabel* Label14 = nullptr;         ///< the same in DM + " DM"
    QLabel* Label17 = nullptr;         ///< the verdict: overall gain, loss or neither
    QLabel* Label33 = nullptr;         ///< the day's gain or loss, shown by a click on the total

    // Display area: one view at a time
    QStackedWidget* Anzeige = nullptr;

    /// Status bar panels: number of packages, hints, date or time.
    std::array<QLabel*, 3> StatusBar1{};
    bool zeigtUhrzeit() const { return m_uhrzeit; }

signals:
    /// The program ends now; the receiver leaves the event loop. Tests watch it.
    void programmEnde(int code);

public slots:
    // Wertpapier
    void menu_depotkonto_Click();
    void menu_neu_Click();
    void menu_verkaufen_Click();
    void menu_gewinn_verlust_Click();
    void menu_loeschen_Click();
    void menu_export_Click();
    void menu_ende_Click();
    // Bearbeiten
    void menu_rueckgaengig_Click();
    void menu_wiederholen_Click();
    void menu_kursaktuell_Click();
    void menu_alleKurseneu_Click();
    void menu_kurseimport_Click();
    void menu_index_Click();
    void menu_edit_Click();
    void menu_k100_Click();
    void menu_kurseloeschen_Click();
    // Anzeigen
    void menu_berichtkurz_Click();
    void menu_berichtlang_Click();
    void menu_differenzvortag_Click();
    void menu_Chart30_Click();
    void menu_Chart100_Click();
    void menu_bilanz_Click();
    void menu_indexchart_Click();
    void menu_gewinne_Click();
    // Optionen
    void menu_DManzeigen_Click();
    void menu_vermoegenanzeigen_Click();
    void menu_beobachten_Click();
    void menu_einstellungen_Click();
    void menu_wiederherstellen_Click();
    void menu_passwort_Click();
    void menu_zielkurs_Click();
    void menu_spekufrist_Click();
    void menu_zusammen_Click();
    void menu_split_Click();
    void menu_notepad_Click();
    void menu_rechner_Click();
    // Hilfe
    void menu_hilfeinhalt_Click();
    void menu_bestellschein_Click();
    void menu_info_Click();

    void schalter_Click(int index);
    void schalter_MouseMove(int index);
    void Command1_Click();
    void Command2_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Daten1_Reposition();
    void Daten1_MouseUp();
    void DBCombo1_Click(int index);
    void LabelGesamtwert_Click();
    void Label10_Click();
    void Label33_Click();
    void Label18_Click();
    void Labeltageskurs_Click();
    void Label2_Click();
    void StatusBar1_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    /// The card's notes editor: begun on the current package, stored on the
    /// package it was begun on.
    void notizenBeginnen();
    void notizenSpeichern(const QString& wert);

private:
    void menueAufbauen();
    QWidget* werkzeugleisteAufbauen();
    QWidget* rechteSeiteAufbauen();
    void statusleisteAufbauen();

    void datenOeffnen();
    void comboFuellen();
    void startAbschliessen();
    /// Yes branch of the end question: help closed, settings written, end.
    void programmBeenden();
    void lesezeichenMerken();
    void kartenAnsicht();
    /// Shows a report in the report view with the commands it allows.
    void berichtZeigen(const BerichtSeite& seite);
    void notizenBearbeiten(bool an);
    void tagesergebnis();
    void datumAnzeigen();
    bool paketVorhanden() const;

    AppContext m_ctx;
    std::function<int(QDialog&)> m_ausfuehren;
    std::function<int(QDialog&)> m_modal; ///< m_ausfuehren, then the notice text
    std::unique_ptr<Recordset> m_daten1, m_daten2, m_daten3, m_daten4;
    std::unique_ptr<Drucker> m_systemDrucker;
    Drucker* m_drucker = nullptr;
    KartenAnsicht* m_karte = nullptr;
    UebersichtAnsicht* m_uebersicht = nullptr;
    ChartAnsicht* m_chart = nullptr;
    BerichtAnsicht* m_bericht = nullptr;
    QProgressBar* m_fortschritt = nullptr;
    HoverReset* m_hoverReset = nullptr;
    pwfrage* m_pwfrage = nullptr;
    QHash<QString, QAction*> m_aktionen;
    QHash<QAction*, bool> m_vorSperre; ///< enabled states while the notes are edited
    QHash<QWidget*, bool> m_vorSperreKnoepfe;
    bool m_notizenOffen = false;
    Bookmark m_notizenZeile = -1;        ///< the package whose notes are being edited
    QHash<QObject*, QString> m_hinweise; ///< status hint shown while the pointer is over it
    QHash<QObject*, std::function<void()>> m_klicks; ///< labels that act on a click
    QTimer* m_uhr = nullptr;
    Ansicht m_ansicht = Ansicht::Karte;
    QString m_sicherungsHinweis; ///< a backup before compaction that failed, said after the load
    QString m_grundhinweis = hinweistext(); ///< panel 2 at rest: the notice or the write protection
    bool m_uhrzeit = false;
    bool m_beendet = false;
    bool m_schonAktiv = false; ///< the window was active before
};
