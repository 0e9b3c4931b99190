#pragma once
// The settings window: five small tools on the tabs of SSTab1 — target and
// stop price, speculation period, password, stock split and merging of
// packages. The opener chooses which tabs are available and which one shows;
// the window works on the main window's record sets so its card follows.

#include "core/ModulAktien.h"
#include <QDialog>
#include <QList>
#include <memory>

class HoverButton;
class MainWindowApi;
class NumericField;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QStringListModel;
class QTabWidget;
class Recordset;

class FormExtras final : public QDialog {
    Q_OBJECT
public:
    enum Reiter { StopZiel = 0, Spekufrist = 1, Passwort = 2, Split = 3, Pakete = 4 };

    /// Builds the window and runs its load.
    explicit FormExtras(MainWindowApi& api, QWidget* parent = nullptr);
    ~FormExtras() override;

    /// The opener's preparation: only `reiter` usable (or all five), that tab
    /// selected, Label13 set unless `label13` is empty.
    void vorbereiten(Reiter reiter, bool nurDieser, const QString& label13 = QString());

    /// Heading of a tab as Label1 shows it.
    static QString reiterTitel(int reiter);

    QLabel* Label1 = nullptr;  ///< heading: the tab's title
    QLabel* Label13 = nullptr; ///< second heading, set by the opener
    QTabWidget* SSTab1 = nullptr;
    HoverButton* Command1 = nullptr; ///< " Fenster schließen "

    // Tab 0: target and stop price
    QComboBox* Combo1 = nullptr;     ///< the package names
    QLabel* Label5 = nullptr;        ///< the chosen package
    NumericField* Text3 = nullptr;   ///< target price
    NumericField* Text4 = nullptr;   ///< stop price
    HoverButton* Command3 = nullptr; ///< " Stop + Zielkurs speichern "

    // Tab 1: speculation period
    NumericField* Text5 = nullptr;   ///< months
    HoverButton* Command4 = nullptr; ///< " Spekulationsfrist speichern "

    // Tab 2: password
    QGroupBox* Frame1 = nullptr;     ///< " Bitte das Passwort 2 x eingeben "
    QLineEdit* Text1 = nullptr;      ///< the password
    QLineEdit* Text2 = nullptr;      ///< the password again
    QCheckBox* Check1 = nullptr;     ///< the password in plain text
    /// The file encrypted with the password (ticked while it is).
    QCheckBox* DateiVerschluesseln = nullptr;
    HoverButton* Command5 = nullptr; ///< save
    HoverButton* Command6 = nullptr; ///< delete
    HoverButton* Command7 = nullptr; ///< empty the fields

    // Tab 3: stock split
    QComboBox* Combo2 = nullptr;      ///< the package names
    QLabel* Label9 = nullptr;         ///< the chosen package
    NumericField* Text6 = nullptr;    ///< the factor
    HoverButton* Command2 = nullptr;  ///< " Aktiensplit durchführen "
    HoverButton* Command10 = nullptr; ///< help

    // Tab 4: merging
    QComboBox* DBCombo1 = nullptr;   ///< names from the window's own Daten1
    QLabel* Label11 = nullptr;       ///< WP-KNummer of the chosen package
    HoverButton* Command8 = nullptr; ///< " Aktienpakete bündeln starten  "
    HoverButton* Command9 = nullptr; ///< help

    /// The window's own record set on Aktiendaten (the merge list).
    Recordset& Daten1() { return *m_daten1; }

public slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Combo1_Click(int index);
    void Combo2_Click(int index);
    void DBCombo1_Click(int index);
    void SSTab1_Click(int index);
    void Check1_Click();
    void reject() override; ///< Escape and the close box leave like Command1

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Eintrag {
        Bookmark nr;
        QString name;
    };

    QWidget* reiterStopZiel();
    QWidget* reiterSpekufrist();
    QWidget* reiterPasswort();
    QWidget* reiterSplit();
    QWidget* reiterPakete();

    void Form_Load();
    void Form_Activate();
    void listenFuellen();
    /// The last package whose name equals name, in table order; -1 = none.
    Bookmark letztesPaket(const QString& name) const;
    /// Daten1 of the main window on the saved position.
    void zumLesezeichen();
    void passwortKnoepfe();
    /// Re-encrypts the file with a key from `passwort` (the program's key when
    /// empty) and writes `speicherform`; a failure is said here.
    bool dateiUmschluesseln(const QString& passwort, const QString& speicherform);
    void verlassen();

    MainWindowApi& m_api;
    std::unique_ptr<Recordset> m_daten1;
    QList<Eintrag> m_pakete;             ///< the main window's packages, table order
    QStringListModel* m_namen = nullptr; ///< their names, shown by all three lists
    bool m_verlassen = false;
};
