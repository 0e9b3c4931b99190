#pragma once
// The start prompt for the user's password. Shown instead of the main window
// while a password is stored; a correct entry lets the start-up go on, every
// other way out ends the program.

#include "platform/HoverButton.h"
#include <QString>
#include <QWidget>
#include <functional>

class Dialogs;
class MainWindowApi;
struct ModulAktien;
class QLabel;
class QLineEdit;

/// The start check: the entry against the stored form, exact and
/// case-sensitive. On success `klartext` receives the plain password.
bool passwortStimmt(const QString& speicherform, const QString& eingabe,
                    QString* klartext = nullptr);

class pwfrage final : public QWidget {
    Q_OBJECT
public:
    explicit pwfrage(MainWindowApi& haupt, QWidget* parent = nullptr);

    /// What the entry did to a file encrypted with the password.
    struct Dateiversuch {
        bool offen = false;     ///< the file opened with the entry
        QString meldung;        ///< when not open and not empty: why (a damaged file)
    };
    using Dateioeffnung = std::function<Dateiversuch(const QString& eingabe)>;
    /// The prompt before the file is opened, for a file encrypted with the
    /// password: the entry opens it, or the program ends with the wrong
    /// password's message or the file's own.
    pwfrage(ModulAktien& modul, Dialogs& dialogs, Dateioeffnung oeffnen,
            QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;         ///< "Kapito 3.6"
    QLabel* Label2 = nullptr;         ///< "Bitte gültiges Passwort eingeben "
    QLineEdit* Textpwfrage = nullptr; ///< the password, shown as dots
    HoverButton* Schalter3 = nullptr; ///< " Passwort übernehmen "
    HoverButton* schalter4 = nullptr; ///< " Fenster schließen "

    static QString falschText() { return QStringLiteral("Dies ist kein gültiges Passwort!"); }

signals:
    /// The password was accepted; the overview is shown, the rest of the
    /// start-up (display settings, showing the main window) is the receiver's.
    void angenommen();
    /// The program must end now (wrong or empty entry, window closed).
    void programmBeenden();

public slots:
    void Schalter3_Click();
    void schalter4_Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    /// Reads the stored form and compares; the module procedure of the start.
    void Startpruefung();
    void beenden();

    void aufbauen();
    void annehmen();

    MainWindowApi* m_haupt = nullptr;
    ModulAktien& m_modul;
    Dialogs& m_dialogs;
    Dateioeffnung m_oeffnen;
    bool m_fertig = false;
};
