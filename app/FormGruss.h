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

    QLabel* Label5 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Image1 = nullptr;
    ScrollLine* TextScroll1 = nullptr;
    QTimer* Timer1 = nullptr;

public slots:
    void Timer1_Timer();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<void()> m_weiter;
};
