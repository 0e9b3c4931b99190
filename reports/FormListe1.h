#pragma once
// The report window: the complete holdings report with its title, column
// header and text, and three picture buttons (help, print, close). Modal.

#include "core/Berichte.h"
#include <QDialog>
#include <array>

class HoverButton;
class MainWindowApi;
class QFrame;
class QLabel;
class QPlainTextEdit;

class FormListe1 final : public QDialog {
    Q_OBJECT
public:
    explicit FormListe1(MainWindowApi& api, QWidget* parent = nullptr);

    /// Title, header and text; the caret goes to the end of the text.
    void berichtZeigen(const BerichtSeite& seite);
    /// Button 13, 14 or 15 of the button array; nullptr for other indexes.
    HoverButton* schalter(int index) const;

    QLabel* Label2 = nullptr;         ///< title
    QLabel* Label3 = nullptr;         ///< column header
    QPlainTextEdit* RText1 = nullptr; ///< the report
    QFrame* Shape1 = nullptr;         ///< the frame around the text
    QLabel* Label1 = nullptr;         ///< "Kapito 3.5"

public slots:
    void schalter_Click(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void anordnen();

    MainWindowApi& m_api;
    std::array<HoverButton*, 3> m_schalter{}; ///< indexes 13, 14, 15
};
