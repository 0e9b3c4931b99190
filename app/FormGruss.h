#pragma once
// The start window: title, picture, a notice and the scrolling line on a blue
// gradient. After the delay it hands over to the main window and closes.

#include <QWidget>
#include <functional>

class ControlLoader;
class QLabel;
class QTimer;
class ScrollLine;

class FormGruss final : public QWidget {
    Q_OBJECT
public:
    static constexpr int Verzoegerung = 2000; ///< ms until the main window is loaded

    /// `weiter` loads the main window; it runs once, when the timer fires.
    FormGruss(ControlLoader& controls, std::function<void()> weiter,
              int verzoegerungMs = Verzoegerung, QWidget* parent = nullptr);

    static QString lauftext();

    QLabel* Label5 = nullptr;          ///< "Kapito 3.6"
    QLabel* Label1 = nullptr;          ///< "Depotverwaltung für Aktien und Fonds"
    QLabel* Image1 = nullptr;          ///< the program's picture
    ScrollLine* TextScroll1 = nullptr; ///< the scrolling line (Rollix' TextScroll)
    QTimer* Timer1 = nullptr;          ///< the delay before the main window

public slots:
    void Timer1_Timer();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<void()> m_weiter;
};
