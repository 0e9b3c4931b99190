#pragma once
// A push button that lies flat until the pointer is over it, then shows
// raised; on enter it can announce a status hint.

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
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void init();
    bool m_hover = false;
    QString m_hint;
};
