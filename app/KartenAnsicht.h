#pragma once
// The card view of the main window: one package with its values, the
// alerts and the notes. It follows the current row of Daten1 when the main
// window asks it to; the commands stay with the main window.

#include <QFrame>
#include <QHash>

struct ModulAktien;
class QDate;
class QLabel;
class QPushButton;
class QTextEdit;
class Recordset;

class KartenAnsicht final : public QFrame {
    Q_OBJECT
public:
    /// The module tells whether the DM quick info is on.
    explicit KartenAnsicht(const ModulAktien& modul, QWidget* parent = nullptr);

    /// Fills the card from the current row: alerts, amounts and the bound
    /// fields. Without a current row the bound labels are emptied and the
    /// computed ones keep their texts. spekufristMonate from kennwort.
    void fuellen(const Recordset& r, qint64 spekufristMonate, const QDate& heute);

    /// Name, number, date, their captions and the picture.
    void setKopfSichtbar(bool sichtbar);
    /// The notes editor on the card: Text1 writable, Command4 on and
    /// Command3 off while editing; the reverse afterwards.
    void setNotizenBearbeiten(bool an);
    /// Hides the two DM tips.
    void dmTippsVerbergen();

    // Heading
    QLabel* Labelaktie = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* LabelWPKN = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label23 = nullptr;
    QLabel* Labeldatum = nullptr;
    // Values
    QLabel* Label19 = nullptr;
    QLabel* Label20 = nullptr;
    QLabel* Labelstueck = nullptr;
    QLabel* Labelkaufpreis = nullptr;
    QLabel* Labelgebuehren = nullptr;
    QLabel* LabelGekauf = nullptr;
    QLabel* Labeltageskurs = nullptr;
    QLabel* LabelAktwert = nullptr;
    QLabel* Labelgewinn = nullptr;
    QLabel* Labelkursdiff = nullptr;
    QLabel* Label21 = nullptr;
    QLabel* Label2 = nullptr; ///< "Kurs editieren = Feld anklicken"
    // Alerts and DM tips
    QLabel* Label16 = nullptr;
    QLabel* Labelkursziel = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    // Notes
    QLabel* Label15 = nullptr;
    QTextEdit* Text1 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;

signals:
    /// A status hint for panel 2 while the pointer is over a control.
    void hinweis(const QString& text);
    /// The quote or its hint was clicked: the single-quote window opens.
    void kursAngeklickt();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void zeigeDmTipp(QLabel* wert, QLabel* tipp);

    const ModulAktien& m_modul;
    bool m_notizenOffen = false;
    QHash<QObject*, QString> m_hinweise;
};
