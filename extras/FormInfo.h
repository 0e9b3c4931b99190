#pragma once
// The information window: program name, release number and a scrolling line
// on a blue-to-black background. A click on the window, the picture or one of
// the two texts closes it; closing stops the scrolling line.
//
// Opened by menu_info:   FormInfo info(controls, this); info.exec();

#include <QDialog>

class ControlLoader;
class QLabel;
class ScrollLine;

class FormInfo final : public QDialog {
    Q_OBJECT
public:
    explicit FormInfo(ControlLoader& controls, QWidget* parent = nullptr);

    /// "Release 3.6.0" after 22 blanks, from the program's version record.
    static QString releaseZeile();
    static QString lauftext();

    QLabel* Label8 = nullptr; ///< heading "Kapito 3.6"
    QLabel* Label1 = nullptr; ///< information text with the release line
    QLabel* Image1 = nullptr; ///< the program's picture
    ScrollLine* TextScroll1 = nullptr;

    void done(int result) override; ///< unloading: stops the scrolling line

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Click();
};
