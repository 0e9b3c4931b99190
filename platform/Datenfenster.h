#pragma once
// What the windows that enter a package's data share: the buttons
// schalter(10) " Hilfe aufrufen ", schalter(11) " Daten speichern " and
// schalter(12) " Fenster schließen " with their hints in the main window's
// status bar, what they do, and the first field taking the focus when the
// window shows.

#include <QDialog>
#include <array>

class HoverButton;
class MainWindowApi;

class Datenfenster : public QDialog {
    Q_OBJECT
public:
    /// 10 help, 11 save, 12 close; the lower indexes stay empty.
    std::array<HoverButton*, 13> schalter{};

public slots:
    /// 10 opens the help, 11 saves, 12 returns the main window to its saved
    /// package and closes.
    void schalter_Click(int index);

protected:
    Datenfenster(MainWindowApi& api, QWidget* parent);

    /// Makes the three buttons (the window lays them out); called where they
    /// belong in the tab order.
    void schalterAnlegen();
    /// The field that has the focus when the window shows.
    void setErstesFeld(QWidget* feld) { m_erstesFeld = feld; }
    /// The save button's work (also Enter in a field).
    virtual void speichern() = 0;

    void showEvent(QShowEvent* e) override;

    MainWindowApi& m_api;

private:
    QWidget* m_erstesFeld = nullptr;
};
