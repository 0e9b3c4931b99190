#pragma once
// Where a window opens: never larger than the free area of its screen (the
// screen less its panels), centred on it, or over its parent window when
// that is shown, and wholly inside it. Content that cannot shrink that far
// (a small or scaled screen) scrolls inside the window. Installed once on the
// application, so every window, present or future, opens that way.

#include <QObject>

class QWidget;

class Fensterplatz final : public QObject {
    Q_OBJECT
public:
    /// Watches the first showing of each window of the application.
    static void installieren();
    /// Fits the window now, as on its first showing.
    static void einpassen(QWidget* fenster);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};
