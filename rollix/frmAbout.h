#pragma once
// The library's information dialog: title, version, a short description and
// a mail link. It stays on top of other windows; a click on the link asks the
// desktop to open a "mailto:" target (QDesktopServices, so a test can install
// its own "mailto" handler and nothing is opened).

#include <QDialog>

class QLabel;
class QPushButton;

class frmAbout final : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    static QString contactAddress() { return QStringLiteral("rollix@kapito.example"); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void setLinkColor(const QColor& color);
    void Label2_Click();

    QLabel* picIcon;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDescription;
    QLabel* Label1;
    QLabel* Label2;
    QPushButton* cmdOK;
};
