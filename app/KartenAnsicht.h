#pragma once
// The card view of the main window: one package with its values, the
// alerts and the notes. It follows the current row of Daten1 when the main
// window asks it to; the commands stay with the main window, which the card
// tells by its signals what was clicked. The captions beside the values are
// Label5 "Stück", Label6 "Kaufkurs", Label1 "Gebühren", Label7 "Gesamt -
// Kaufpreis", Label9 "Tageskurs", Label11 "Aktueller Wert" and Label30
// "Gewinn / Verlust"; the card does not keep them.

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
    QLabel* Labelaktie = nullptr; ///< aktie
    QLabel* Image1 = nullptr;     ///< the picture after the name
    QLabel* LabelWPKN = nullptr;  ///< "WPKN"
    QLabel* Label8 = nullptr;     ///< WP-KNummer
    QLabel* Label23 = nullptr;    ///< "Aktualisiert"
    QLabel* Labeldatum = nullptr; ///< datum, the day of the last quote
    // Values
    QLabel* Label19 = nullptr;        ///< "Wertpapierdaten"
    QLabel* Label20 = nullptr;        ///< "Werte in Euro"
    QLabel* Labelstueck = nullptr;    ///< stück
    QLabel* Labelkaufpreis = nullptr; ///< kaufpreis
    QLabel* Labelgebuehren = nullptr; ///< gebühren
    QLabel* LabelGekauf = nullptr;    ///< purchase value: stück × kaufpreis + gebühren
    QLabel* Labeltageskurs = nullptr; ///< tageskurs; a click opens the single-quote window
    QLabel* LabelAktwert = nullptr;   ///< current value: stück × tageskurs
    QLabel* Labelgewinn = nullptr;    ///< gain or loss; red when negative
    QLabel* Labelkursdiff = nullptr;  ///< tageskurs − altkurs; red when negative
    QLabel* Label21 = nullptr;        ///< the same in percent + " %"
    QLabel* Label2 = nullptr;         ///< "Kurs editieren = Feld anklicken"
    // Alerts and DM tips
    QLabel* Label16 = nullptr;       ///< "Spekulationsfrist ist abgelaufen!"
    QLabel* Labelkursziel = nullptr; ///< "Kursziel ist erreicht" or "Stopkurs ist erreicht"
    QLabel* Label12 = nullptr;       ///< DM tip under the purchase values
    QLabel* Label13 = nullptr;       ///< DM tip under the current values
    // Notes
    QLabel* Label15 = nullptr;       ///< "Notizen"
    QTextEdit* Text1 = nullptr;      ///< notizen (RTF); writable only while edited
    QPushButton* Command3 = nullptr; ///< "Bearbeiten": edit the notes
    QPushButton* Command4 = nullptr; ///< "Speichern": store them

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
