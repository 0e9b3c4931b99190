#pragma once
// The card view of the main window: one package with its values, the
// alerts and the notes. It follows the current row of Daten1 when the main
// window asks it to; the commands stay with the main window, which the card
// tells by its signals what was clicked.
//
// Controls: Labelaktie (name) with its picture Image1, Label8 (WP-KNummer)
// under the caption LabelWPKN, Labeldatum (date of the last quote) under
// Label23 "Aktualisiert"; the section captions Label19 "Wertpapierdaten" and
// Label20 "Werte in Euro"; the captions Label5 "Stück", Label6 "Kaufkurs",
// Label1 "Gebühren", Label7 "Gesamt - Kaufpreis", Label9 "Tageskurs",
// Label11 "Aktueller Wert", Label30 "Gewinn / Verlust" beside their values;
// Label21 the change in percent, Label2 the hint "Kurs editieren = Feld
// anklicken"; the alerts Label16 (speculation period over) and Labelkursziel
// (target or stop price reached); the DM tips Label12 and Label13; Label15
// "Notizen" over the notes box Text1 with Command3 (edit) and Command4 (save).

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
    /// The notes editor on the card: Text1 writable and focused, Command4 on
    /// and Command3 off while editing; the reverse afterwards.
    void setNotizenBearbeiten(bool an);
    /// Command3 usable when a package is there and the notes are not being edited.
    void setNotizenMoeglich(bool paketDa);
    /// Hides the two DM tips.
    void dmTippsVerbergen();
    /// The card coming back from under a report: number and date shown, the
    /// quote hint Label2 hidden.
    void nachBerichtZeigen();

    /// The package name and the quote as the card shows them.
    QString aktie() const;
    QString tageskurs() const;

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

public slots:
    /// "Bearbeiten": asks for the notes editor (notizenBeginnen).
    void Command3_Click();
    /// "Speichern": hands over the notes as they are to be stored.
    void Command4_Click();

signals:
    /// A status hint for panel 2 while the pointer is over a control.
    void hinweis(const QString& text);
    /// The quote or its hint was clicked: the single-quote window opens.
    void kursAngeklickt();
    /// The notes are to be edited.
    void notizenBeginnen();
    /// The notes are to be stored: their RTF, or "." for empty notes.
    void notizenSpeichern(const QString& wert);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void zeigeDmTipp(QLabel* wert, QLabel* tipp);

    const ModulAktien& m_modul;
    bool m_notizenOffen = false;
    QHash<QObject*, QString> m_hinweise;
};
