#pragma once
// The report view of the main window: the title Label18 (a click closes the
// report), the column header Label24 and the report text RText1.

#include "core/Berichte.h"
#include <QWidget>

class QLabel;
class QPlainTextEdit;

class BerichtAnsicht final : public QWidget {
    Q_OBJECT
public:
    explicit BerichtAnsicht(QWidget* parent = nullptr);

    /// Title and header into the labels, the text into RText1 with the caret
    /// at its end; all three shown.
    void zeigen(const BerichtSeite& seite);
    /// Title, header and text hidden: the report is closed.
    void verbergen();
    /// A report text is shown (not closed since).
    bool zeigtBericht() const;

    QLabel* Label18 = nullptr;        ///< title; a click closes the report
    QLabel* Label24 = nullptr;        ///< column header
    QPlainTextEdit* RText1 = nullptr; ///< the report text

signals:
    void titelAngeklickt();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
