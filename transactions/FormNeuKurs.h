#pragma once
// "Kurs aktualisieren": a new quote for the main window's current package.

#include <QDialog>

class HoverButton;
class MainWindowApi;
class NumericField;
class QDateEdit;
class QLabel;

class FormNeuKurs final : public QDialog {
    Q_OBJECT
public:
    explicit FormNeuKurs(MainWindowApi& api, QWidget* parent = nullptr);

    QLabel* Label4 = nullptr;         ///< package name
    QLabel* Label6 = nullptr;         ///< "Letzter Kurs:  " + current quote
    NumericField* Text2 = nullptr;    ///< new quote
    QDateEdit* DTPicker1 = nullptr;   ///< the quote's date
    HoverButton* Schalter3 = nullptr; ///< save
    HoverButton* schalter4 = nullptr; ///< close

public slots:
    void Schalter3_Click();
    void schalter4_Click();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void Form_Activate();
    void eingabeGeaendert();

    MainWindowApi& m_api;
};
