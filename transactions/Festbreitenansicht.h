#pragma once
// A read-only view of a long fixed-width text. It paints only the lines in
// view, so a statement of tens of thousands of lines shows at once, where a
// text box would lay out every line first.

#include <QAbstractScrollArea>
#include <QString>
#include <vector>

class Festbreitenansicht final : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit Festbreitenansicht(QWidget* parent = nullptr);

    /// Lines end with CR LF or LF.
    void setText(const QString& text);
    QString text() const { return m_text; }
    int zeilenAnzahl() const { return static_cast<int>(m_anfaenge.size()); }
    QString zeile(int i) const;

    /// Puts the caret after the last character and scrolls it into view.
    void zumEnde();
    /// The line the caret stands in.
    int caretZeile() const { return m_caretZeile; }
    /// The first line in view.
    int ersteSichtbareZeile() const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void bereicheAnpassen();
    int sichtbareZeilen() const;
    qsizetype zeilenLaenge(int i) const;

    QString m_text;
    std::vector<qsizetype> m_anfaenge; ///< start of each line in m_text
    int m_breite = 0;                  ///< longest line in characters
    int m_caretZeile = 0;
    int m_caretSpalte = 0;
};
