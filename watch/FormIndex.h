#pragma once
// "Aktienindex": the user's own stock-index series. Shows the index name and
// the last stored value, renames the index (its last row only) and appends a
// new value for a date. Every value is one row of Indexkurse.

#include <QDialog>
#include <optional>

class HoverButton;
class MainWindowApi;
class NumericField;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class Recordset;

class FormIndex final : public QDialog {
    Q_OBJECT
public:
    /// Background of the value field while it is idle and while it takes input.
    static constexpr unsigned GrauRgb = 0xC0C0C0;
    static constexpr unsigned WeissRgb = 0xFFFFFF;

    explicit FormIndex(MainWindowApi& api, QWidget* parent = nullptr);

    Recordset& Daten1() { return *m_daten1; } ///< Indexkurse, natural order

    QLabel* Label2 = nullptr;         ///< heading
    QLineEdit* Text2 = nullptr;       ///< index name; read-only while it shows the stored name
    QPushButton* Command1 = nullptr;  ///< "Neu"
    QPushButton* Command2 = nullptr;  ///< "Save"
    QLabel* Label3 = nullptr;         ///< "Letzter Stand vom " + date
    QLabel* Label1 = nullptr;         ///< last value "0.00"
    NumericField* Text1 = nullptr;    ///< new value
    QDateEdit* DTPicker1 = nullptr;   ///< the new value's date
    HoverButton* Schalter2 = nullptr; ///< " Neuer Indexwert "
    HoverButton* Schalter3 = nullptr; ///< " Daten speichern "
    HoverButton* schalter4 = nullptr; ///< " Fenster schließen "

public slots:
    void Command1_Click();
    void Command2_Click();
    void Schalter2_Click();
    void Schalter3_Click();
    void schalter4_Click();
    /// Closing by any way puts the main window on a valid package first.
    void reject() override;

private:
    void Form_Load();
    void wertFeldBereit(bool bereit);
    void knoepfeFreigeben();

    MainWindowApi& m_api;
    Recordset* m_daten1;
    /// The value field as the last save showed it, with the value read from
    /// what was typed: on its own "12.345" (shown for "12,345") would read as
    /// thousands.
    struct Gezeigt {
        QString text;
        QString gelesen; ///< the text as typed, that the value was read from
        std::optional<double> wert;
    };
    std::optional<Gezeigt> m_gezeigt;
};
