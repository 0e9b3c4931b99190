#pragma once
// The chart-quote window: pages through every row of kurse in insertion
// order (all packages together) with a navigator; name, date and quote of
// the current row can be changed or the row deleted. A change is written
// when the user moves to another row, saves (also Enter) or closes the
// window; a date or quote that cannot be read is refused with a message and
// the row keeps what it holds. The window neither leaves such a row nor
// closes until the field is corrected, so that the row's other changes are
// not lost with it. Modal.
//
// The table holds hundreds of thousands of rows: the navigator finds the
// neighbouring row by its key, and only the current row is held, in a
// record set of its own.

#include "core/ModulAktien.h"
#include <QDialog>
#include <array>
#include <memory>

class HoverButton;
class MainWindowApi;
class QFrame;
class QLabel;
class QLineEdit;
class QToolButton;
class Recordset;

class Formchartkurse100 final : public QDialog {
    Q_OBJECT
public:
    explicit Formchartkurse100(MainWindowApi& api, QWidget* parent = nullptr);
    ~Formchartkurse100() override;

    /// Bookmark of the row shown; -1 when the table is empty.
    Bookmark aktuelleZeile() const { return m_nr; }

    QLabel* Label1 = nullptr;                ///< "Kurse bearbeiten"
    QLabel* Label6 = nullptr;                ///< "(für Chartdarstellung)"
    QLabel* Label2 = nullptr;                ///< "Aktie"
    QLabel* Label3 = nullptr;                ///< "Datum"
    QLabel* Label4 = nullptr;                ///< "Kurs"
    QLineEdit* Text1 = nullptr;              ///< aktie
    QLineEdit* Text2 = nullptr;              ///< datum
    QLineEdit* Text3 = nullptr;              ///< kurs
    QFrame* Daten2Navigator = nullptr;       ///< the navigator of Daten2 (kurse)
    std::array<QToolButton*, 4> navigator{}; ///< first, previous, next, last
    HoverButton* schalter1 = nullptr;        ///< " Daten löschen "
    HoverButton* schalter2 = nullptr;        ///< " Daten speichern "
    HoverButton* schalter3 = nullptr;        ///< " Fenster schließen "

public slots:
    void schalter1_Click();
    void schalter2_Click();
    void schalter3_Click();
    /// 0 first, 1 previous, 2 next, 3 last row; a pending change is written first.
    void Daten2_Bewegen(int richtung);
    /// Closing in any way writes a pending change and leaves the main
    /// window on its package; a field that cannot be read keeps the window
    /// open on it.
    void reject() override;

private:
    /// Makes the row with bookmark nr (-1: none) current and shows it.
    void geheZu(Bookmark nr);
    /// The current row into the fields.
    void zeigen();
    /// The bookmark found by sql (one value, ?1 = the current bookmark), or -1.
    Bookmark nachbar(const QString& sql) const;
    enum class Geschrieben { Ja, Unlesbar, Fehler };
    /// Writes what was typed into the current row. After a message, when a
    /// value cannot be read (the focus goes to its field) or the write
    /// failed; the row is then unchanged.
    Geschrieben schreiben();

    MainWindowApi& m_api;
    std::unique_ptr<Recordset> m_daten2; ///< the current row of kurse
    Bookmark m_nr = -1;
    std::array<QString, 3> m_geladen; ///< the fields' texts as read from the row
    Bookmark m_paket = -1;            ///< the main window's package at opening
};
