#pragma once
// "Depotkonto verwalten": all bookings of the account with the balance in DM
// and Euro, booking deposits and withdrawals, deleting single bookings. The
// window stays open after each change, so several can be made in a row.

#include "core/Currency.h"
#include <QDialog>
#include <optional>

class HoverButton;
class MainWindowApi;
class NumericField;
class QDateEdit;
class QLabel;
class QLineEdit;
class QTableView;
class QToolButton;
class Recordset;
class RecordsetModel;

class FormDepotKonto final : public QDialog {
    Q_OBJECT
public:
    /// The ordered query the booking table is bound to.
    static QString abfrage() {
        return QStringLiteral("Select datum,text,summe From gewinne Order By datum");
    }
    /// Header and column widths of the booking table.
    static QString spaltenlayout() {
        return QStringLiteral(
            "^Datum        |<Buchungstext                                                 "
            "|>Betrag             ");
    }

    explicit FormDepotKonto(MainWindowApi& api, QWidget* parent = nullptr);
    ~FormDepotKonto() override;

    Recordset& Daten1() { return *m_daten1; }
    RecordsetModel& model() { return *m_model; }

    QTableView* MSFlexGrid1; ///< the bookings, by date
    QLabel* Label4;          ///< "Aktueller Kontostand:"
    QLabel* Label5;          ///< balance + " DM"
    QLabel* Label11;         ///< balance in Euro + " Euro"
    QDateEdit* DTPicker1;    ///< booking date
    NumericField* Text1;     ///< amount in DM, a leading minus makes a debit
    QLineEdit* Text2;        ///< booking text
    QLabel* Label7;          ///< "Bei Abgängen Minuszeichen (-) voranstellen!"
    HoverButton* Schalter2;  ///< " Buchung speichern "
    /// The navigator over the bookings: first, previous, next, last.
    QToolButton* navErster;
    QToolButton* navZurueck;
    QToolButton* navVor;
    QToolButton* navLetzter;
    QLabel* Label8;         ///< date of the selected booking
    QLabel* Label9;         ///< its amount
    QLabel* Label10;        ///< its text
    HoverButton* Schalter3; ///< " Buchung löschen "
    HoverButton* Schalter1; ///< " Fenster schließen "

public slots:
    void Schalter2_Click();
    void Schalter3_Click();
    void Schalter1_Click();
    /// Re-reads the bookings and the balance and shows the newest ones.
    void aktualisieren();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void kontostandAnzeigen();
    /// Tells the user once when the balance cannot be formed.
    void standFehlerMelden();
    void buchungAnzeigen();
    void zuNeuestenBuchungen();
    void buchenFreigeben();

    MainWindowApi& m_api;
    Recordset* m_daten1;
    RecordsetModel* m_model;
    std::optional<Currency> m_stand; ///< the balance as shown; none when it cannot be formed
    bool m_standFehlerZeigen = false;
};
