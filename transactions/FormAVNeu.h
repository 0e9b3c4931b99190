#pragma once
// "Wertpapier kaufen": records a new package and pays for it out of the
// depot account.

#include <QDialog>
#include <QMap>

class HoverButton;
class MainWindowApi;
class NumericField;
class QDateEdit;
class QLineEdit;

class FormAVNeu final : public QDialog {
    Q_OBJECT
public:
    explicit FormAVNeu(MainWindowApi& api, QWidget* parent = nullptr);

    // The entry fields in tab order.
    QLineEdit* Textaktie;
    NumericField* Kennummer;
    NumericField* Textstueck;
    NumericField* Textgebuehren;
    NumericField* Textkaufpreis;
    QDateEdit* DTPicker1;
    /// 10 " Hilfe aufrufen ", 11 " Daten speichern ", 12 " Fenster schließen ".
    QMap<int, HoverButton*> schalter;

public slots:
    void schalter_Click(int index);

protected:
    void showEvent(QShowEvent* e) override;

private:
    void speichern();

    MainWindowApi& m_api;
};
