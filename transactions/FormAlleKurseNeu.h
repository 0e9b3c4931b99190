#pragma once
// "Kurse aktualisieren": new quotes for up to 48 packages at once, one date
// for all, on four tabs of twelve rows.

#include "core/ModulAktien.h"
#include <QDialog>
#include <array>

class HoverButton;
class MainWindowApi;
class NumericField;
class QDateEdit;
class QLabel;
class QTabWidget;

class FormAlleKurseNeu final : public QDialog {
    Q_OBJECT
public:
    static constexpr int Zeilen = 48;
    static constexpr int ZeilenJeSeite = 12;

    explicit FormAlleKurseNeu(MainWindowApi& api, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;                 ///< heading
    QLabel* Label2 = nullptr;                 ///< count of packages shown
    QTabWidget* SSTab1 = nullptr;             ///< four tabs of twelve rows
    std::array<QLabel*, Zeilen> Label{};      ///< Label(0)…Label(47): a package's name
    std::array<NumericField*, Zeilen> Text{}; ///< Text(0)…Text(47): its new quote
    QDateEdit* DTPicker1 = nullptr;           ///< one date for all quotes
    HoverButton* Schalter1 = nullptr;         ///< save
    HoverButton* Schalter2 = nullptr;         ///< close

    /// Number of rows filled with a package.
    int belegteZeilen() const { return m_belegt; }

public slots:
    void Schalter1_Click();
    void Schalter2_Click();
    void SSTab1_Click(int tab);

protected:
    void showEvent(QShowEvent* e) override;
    void reject() override;

private:
    void Form_Load();
    void Form_Activate();
    void karteWiederZeigen();

    MainWindowApi& m_api;
    std::array<Bookmark, Zeilen> m_paket{};
    int m_belegt = 0;
    bool m_geschlossen = false;
};
