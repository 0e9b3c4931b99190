#pragma once
// The overview view of the main window: the heading Label22 "Depot -
// Übersicht" over the table MSFlexGrid1, the packages bound to Daten1.

#include <QWidget>

class Database;
class QLabel;
class QTableView;
class Recordset;
class RecordsetModel;

class UebersichtAnsicht final : public QWidget {
    Q_OBJECT
public:
    explicit UebersichtAnsicht(QWidget* parent = nullptr);

    /// Column layout of the table.
    static QString spaltenLayout();

    /// Binds the table to the package record set; it follows it from then on.
    void binden(Database& db, Recordset& daten1);
    /// Lets go of the record set (before it is closed).
    void loesen();
    /// The heading Label22 shown or hidden.
    void setUeberschriftSichtbar(bool sichtbar);

    QLabel* Label22 = nullptr;         ///< "Depot - Übersicht"
    QTableView* MSFlexGrid1 = nullptr; ///< the packages, first seven columns as stored

private:
    RecordsetModel* m_modell = nullptr;
};
