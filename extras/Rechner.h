#pragma once
// The calculator window: buttons and displays over the engine Rechenwerk,
// with the result converted between DM and Euro. Touches no data.

#include "core/Rechenwerk.h"
#include <QDialog>
#include <array>

class Dialogs;
class HoverButton;
class QLabel;
class QRadioButton;

class Rechner final : public QDialog {
    Q_OBJECT
public:
    explicit Rechner(Dialogs& dialogs, QWidget* parent = nullptr);

    QLabel* Readout = nullptr;              ///< the result
    QLabel* Label3 = nullptr;               ///< its currency
    QLabel* Label1 = nullptr;               ///< the converted result
    QLabel* Label4 = nullptr;               ///< its currency
    QRadioButton* Option1 = nullptr;        ///< into Euro
    QRadioButton* Option2 = nullptr;        ///< into DM
    std::array<HoverButton*, 10> Number{};  ///< the digits 0 to 9
    HoverButton* Decimal = nullptr;         ///< ","
    std::array<HoverButton*, 5> Operator{}; ///< "/", "+", "X", "-", "="
    HoverButton* Percent = nullptr;         ///< "%"
    HoverButton* Cancel = nullptr;          ///< "C": everything
    HoverButton* CancelEntry = nullptr;     ///< "CE": the number being typed
    HoverButton* Befehl1 = nullptr;         ///< "&Schließen"

    const Rechenwerk& rechenwerk() const { return m_werk; }

public slots:
    void Number_Click(int index);
    void Decimal_Click();
    void Operator_Click(int index);
    void Percent_Click();
    void Cancel_Click();
    void CancelEntry_Click();
    void Option1_Click();
    void Option2_Click();

protected:
    /// The keyboard works the keys: digits, comma or point, + - * / %, Enter
    /// for "=" and Delete for "CE".
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    HoverButton* taste(const QString& name, const QString& text);
    void zeigen();

    Dialogs& m_dialogs;
    Rechenwerk m_werk;
};
