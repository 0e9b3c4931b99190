#pragma once
// "Wertpapier verkaufen": sells units of the main window's current package.

#include <QDialog>

class HoverButton;
class MainWindowApi;
class NumericField;
class QDateEdit;
class QLabel;

class Formverkaufen final : public QDialog {
    Q_OBJECT
public:
    explicit Formverkaufen(MainWindowApi& api, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;         ///< package name
    NumericField* Text2 = nullptr;    ///< units
    NumericField* Text3 = nullptr;    ///< sale price per unit, Euro
    NumericField* Text4 = nullptr;    ///< fees, Euro
    QDateEdit* DTPicker1 = nullptr;   ///< the sale's date
    HoverButton* Schalter3 = nullptr; ///< save
    HoverButton* schalter4 = nullptr; ///< close

    /// The stop-icon question before a whole sale.
    static QString gesamtverkaufFrage();

public slots:
    void Schalter3_Click();
    void schalter4_Click();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void Form_Activate();

    MainWindowApi& m_api;
};
