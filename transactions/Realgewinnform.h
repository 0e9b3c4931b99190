#pragma once
// "Realisierte Gewinne / Verluste / Dividenden": the whole account ledger as
// a fixed-width statement in DM or Euro with its sum. Changes nothing.

#include "core/Realgewinn.h"
#include <QDialog>

class HoverButton;
class MainWindowApi;
class QLabel;
class Festbreitenansicht;
class QPushButton;

class Realgewinnform final : public QDialog {
    Q_OBJECT
public:
    explicit Realgewinnform(MainWindowApi& api, QWidget* parent = nullptr);

    /// Reads the ledger and shows the statement in the current unit.
    void aufstellungAufbauen();
    Einheit einheit() const { return m_einheit; }
    Festbreitenansicht* aufstellung() const { return Text1; }
    QString saldoText() const;
    QString einheitAnzeige() const;

public slots:
    void Command1_Click(); ///< "Euro"
    void Command2_Click(); ///< "DM"
    void Schalter1_Click();

protected:
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void einheitSetzen(Einheit e);

    MainWindowApi& m_api;
    Einheit m_einheit = Einheit::DM;
    bool m_frischAufgebaut = false;

    QLabel* Label2;            ///< "Datum"
    QLabel* Label4;            ///< "Text"
    QLabel* Label5;            ///< "Gewinn / Verlust in"
    QLabel* Label7;            ///< the unit shown
    Festbreitenansicht* Text1; ///< the statement
    QLabel* Label3;            ///< "Saldo"
    QLabel* Label6;            ///< the sum
    QPushButton* Command1;     ///< "Euro"
    QPushButton* Command2;     ///< "DM"
    HoverButton* Schalter1;    ///< " Fenster schließen "
};
