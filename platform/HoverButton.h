#pragma once
// A push button that lights up while the pointer is over it; on enter it
// can announce a status hint. It is never a dialog's default button: Enter
// presses it only while it has the focus.

#include <QPalette>
#include <QPushButton>

class HoverButton final : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(bool hover READ isHover WRITE setHover NOTIFY hoverChanged)
public:
    explicit HoverButton(QWidget* parent = nullptr);
    HoverButton(const QIcon& icon, const QString& text, QWidget* parent = nullptr);

    /// Text sent with hinweis() when the pointer enters; empty = no hint.
    void setHint(const QString& hint) { m_hint = hint; }
    QString hint() const { return m_hint; }

    bool isHover() const { return m_hover; }
    /// Shows or removes the hover look.
    void setHover(bool on);

signals:
    void hinweis(const QString& text);
    void hoverChanged(bool on);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void init();
    bool m_hover = false;
    QString m_hint;
    QPalette m_ruhe;            ///< the look at rest, restored when the hover ends
    bool m_flachInRuhe = false; ///< flat at rest
};
