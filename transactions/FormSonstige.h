#pragma once
// "Sonstige Gewinne / Verluste / Dividenden": books one other gain or a
// dividend (DM) into the account ledger, then closes.

#include <QDialog>

class HoverButton;
class MainWindowApi;
class NumericField;
class QDateEdit;
class QLabel;
class QLineEdit;

class FormSonstige final : public QDialog {
    Q_OBJECT
public:
    explicit FormSonstige(MainWindowApi& api, QWidget* parent = nullptr);

    QDateEdit* DTPicker1;   ///< booking date
    QLineEdit* Text2;       ///< booking text
    NumericField* Text3;    ///< amount in DM, no minus sign
    HoverButton* Schalter3; ///< " Daten speichern  "
    HoverButton* schalter4; ///< " Fenster schließen "

public slots:
    void Schalter3_Click(); ///< " Daten speichern  "
    void schalter4_Click(); ///< " Fenster schließen "

protected:
    void showEvent(QShowEvent* e) override;

private:
    void freigeben();

    MainWindowApi& m_api;
};
