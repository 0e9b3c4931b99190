#pragma once
// "Aktien beobachten": the watch list. Securities observed as if bought,
// each with a notional purchase and a current price kept by hand; the table
// with value, gain and loss per entry and in total, a chart of one entry's
// newest quotes, adding, changing and deleting entries, and a printed report.

#include "core/Beobachtung.h"
#include <QDialog>

class Graph;
class HoverButton;
class MainWindowApi;
class NumericField;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QModelIndex;
class QTableView;
class Recordset;
class RecordsetModel;
class BeobachtenModell;

class FormBeobachten final : public QDialog {
    Q_OBJECT
public:
    explicit FormBeobachten(MainWindowApi& api, QWidget* parent = nullptr);
    ~FormBeobachten() override;

    Recordset& Daten1() { return *m_daten1; } ///< Beobachten, natural order

    QTableView* MSFlexGrid1 = nullptr;
    QLabel* Label8 = nullptr;         ///< totals line
    QLabel* Label10 = nullptr;        ///< usage hint
    Graph* Graph1 = nullptr;          ///< the chart of one entry
    QGroupBox* Frame1 = nullptr;      ///< " Neue Aktie zur Beobachtung aufnehmen "
    QDateEdit* DTPicker1 = nullptr;   ///< purchase date of a new entry
    QLineEdit* Text1 = nullptr;       ///< name
    NumericField* Text3 = nullptr;    ///< WP-KN
    NumericField* Text4 = nullptr;    ///< pieces
    NumericField* Text2 = nullptr;    ///< purchase price
    HoverButton* Schalter1 = nullptr; ///< " Aktie speichern "
    QGroupBox* Frame2 = nullptr;      ///< " Aktie aus Liste entfernen "
    QComboBox* Combo1 = nullptr;      ///< names, in table order
    HoverButton* schalter5 = nullptr; ///< " Aktie löschen"
    HoverButton* Schalter2 = nullptr; ///< " Hilfe aufrufen "
    HoverButton* Schalter3 = nullptr; ///< " Bericht drucken "
    HoverButton* schalter4 = nullptr; ///< " Fenster schließen "

    /// The text of a grid cell as shown.
    QString zelle(int zeile, int spalte) const;

public slots:
    void Schalter1_Click();
    void Combo1_Click(int index);
    void schalter5_Click();
    void Schalter2_Click();
    void Schalter3_Click();
    void schalter4_Click();
    /// A click on a cell: column 1 shows the entry's chart, columns 0 and 2
    /// to 5 change the cell, the computed columns do nothing.
    void MSFlexGrid1_Click(const QModelIndex& index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    /// Re-reads the list, fills the computed columns and the totals line.
    void tabelleAktualisieren();
    /// The chart of Daten1's current entry, or the message that it has too few quotes.
    void chartZeichnen();
    void comboFuellen();
    void zelleAendern(int zeile, int spalte);

    MainWindowApi& m_api;
    Recordset* m_daten1;
    Recordset* m_leser; ///< reads the whole list without moving Daten1
    RecordsetModel* m_quelle;
    BeobachtenModell* m_modell;
    QList<BeobachtetePosition> m_positionen;
};
