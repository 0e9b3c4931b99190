#pragma once
// Moving the pointer over a window's free area (the window itself or a plain
// container in it) removes the hover look of all its HoverButtons and calls a
// reset callback, e.g. to restore the status text. This also covers a pointer
// that jumped past a button without a leave event (a modal box was open).

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

class HoverReset final : public QObject {
    Q_OBJECT
public:
    /// Watches window and every plain container in it, also those added later.
    /// The object lives as a child of window.
    static HoverReset* install(QWidget* window, std::function<void()> reset = {});

    /// Removes the hover look everywhere in the window and calls the callback.
    void resetNow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    HoverReset(QWidget* window, std::function<void()> reset);
    void watch(QWidget* w);
    bool isFreeArea(const QWidget* w) const;

    QPointer<QWidget> m_window;
    std::function<void()> m_reset;
};
