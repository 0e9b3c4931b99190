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

    QLabel* Label2;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label7;
    Festbreitenansicht* Text1;
    QLabel* Label3;
    QLabel* Label6;
    QPushButton* Command1;
    QPushButton* Command2;
    HoverButton* Schalter1;
};
