#pragma once
// "Kurse importieren": the preview of a quote file before anything is
// written. It shows the dialect found, the columns taken (each can be
// changed), the first 20 rows as they will be stored and the counts;
// "Übernehmen" writes them, "Abbrechen" or Escape writes nothing.

#include "core/Kursdatei.h"
#include "transactions/KursImport.h"

#include <QDialog>

class HoverButton;
class MainWindowApi;
class QComboBox;
class QLabel;
class QTableWidget;

class FormKursImport final : public QDialog {
    Q_OBJECT
public:
    static constexpr int Vorschauzeilen = 20;

    FormKursImport(MainWindowApi& api, Kursdatei::Tabelle tabelle, const QString& dateiname,
                   QWidget* parent = nullptr);

    QLabel* LabelDialekt = nullptr;   ///< separator, decimal sign, date form, encoding
    QComboBox* ComboDatum = nullptr;  ///< the date column
    QComboBox* ComboKurs = nullptr;   ///< the price column
    QComboBox* ComboName = nullptr;   ///< the name column, or none
    QComboBox* ComboNummer = nullptr; ///< the number column, or none
    QComboBox* ComboPaket = nullptr;  ///< the package of a file of one security
    QTableWidget* Vorschau = nullptr; ///< the first rows as they will be stored
    QLabel* LabelAnzahl = nullptr;    ///< the counts, or why nothing can be read
    HoverButton* Uebernehmen = nullptr;
    HoverButton* Abbrechen = nullptr;

    const KursImport::Plan& plan() const { return m_plan; }
    /// The message of the write that was done; empty before.
    QString ergebnis() const { return m_ergebnis; }

public slots:
    void Uebernehmen_Click();
    /// Reads the file anew with the columns chosen.
    void auswerten();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    MainWindowApi& m_api;
    Kursdatei::Tabelle m_tabelle;
    Kursdatei::Auswertung m_auswertung;
    KursImport::Plan m_plan;
    QString m_ergebnis;
};
