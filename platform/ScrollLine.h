#pragma once
// A scrolling line for a window: the control "RollixTextScroll.TextScroll",
// created through the ControlLoader. When the control library is missing or
// broken the line shows its caption in a plain QLabel instead, so the window
// (and the program) still works, only without scrolling.
//
// Usage in a window:  TextScroll1 = new ScrollLine(loader, tr("..."), this);
//                     TextScroll1->BeginScroll();  ...  TextScroll1->StopScroll();

#include <QString>
#include <QVariant>
#include <QWidget>

class ControlLoader;
class QLabel;

class ScrollLine final : public QWidget {
    Q_OBJECT
public:
    ScrollLine(ControlLoader& loader, const QString& caption, QWidget* parent = nullptr);

    /// The real control, or nullptr when the fallback label is shown.
    QWidget* control() const { return m_control; }
    /// The fallback label, or nullptr when the control is there.
    QLabel* fallback() const { return m_fallback; }
    /// Why the control could not be created (empty when it was).
    QString reason() const { return m_reason; }

    void setCaption(const QString& caption);
    /// Sets a control property by name (ForeColor, BackColor, Font, Speed, ...).
    /// The fallback label takes Caption, ForeColor, BackColor and Font.
    bool setControlValue(const char* name, const QVariant& value);

    void BeginScroll();
    void StopScroll();

private:
    QWidget* m_control = nullptr;
    QLabel* m_fallback = nullptr;
    QString m_reason;
};
