#pragma once
// TextScroll: one line of text moving from right to left across the control,
// re-entering at the right edge once it has left on the left.
//
// Positions and Speed are in twips (15 per pixel), as the control was
// designed; the timer fires as fast as the system timer allows (~16 ms), so
// the default Speed of 50 twips per tick moves about 200 pixels per second.
//
// Hosts use it only by member name: the properties below, BeginScroll,
// StopScroll, DispAbout, and ReadProperties/WriteProperties with a PropertyBag.

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QString>

#include "PropertyBag.h"

class QLabel;
class QTimer;

class TextScroll final : public QFrame {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(qint16 Appearance READ Appearance WRITE setAppearance)
    Q_PROPERTY(QColor ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(QColor BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(QFont Font READ Font WRITE setCaptionFont)
    Q_PROPERTY(qint16 Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(QString Speed READ Speed WRITE setSpeed)
public:
    static constexpr int TwipsPerPixel = 15;
    static constexpr int TickMs = 16;

    explicit TextScroll(QWidget* parent = nullptr);

    QString Caption() const;
    void setCaption(const QString& caption);
    qint16 Appearance() const { return m_appearance; }
    void setAppearance(qint16 appearance); ///< 0 flat, 1 3-D; other values are ignored
    QColor ForeColor() const;
    void setForeColor(const QColor& color);
    QColor BackColor() const { return m_backColor; }
    void setBackColor(const QColor& color);
    QFont Font() const;
    void setCaptionFont(const QFont& font);
    qint16 Alignment() const { return m_alignment; }
    void setAlignment(qint16 alignment); ///< 0 left, 1 right, 2 centre; others ignored
    QString Speed() const;
    void setSpeed(const QString& speed);

    Q_INVOKABLE void BeginScroll();
    Q_INVOKABLE void StopScroll();
    Q_INVOKABLE void DispAbout();

    /// Applies the stored values: Speed, Caption, Appearance, ForeColor,
    /// BackColor, Font, Alignment.
    Q_INVOKABLE void ReadProperties(PropertyBag* bag);
    /// Stores the values that differ from their defaults, in the same order.
    Q_INVOKABLE void WriteProperties(PropertyBag* bag) const;

public slots:
    /// One timer step; public so hosts and tests can step the animation.
    void tick();

signals:
    /// A property was assigned (the host's designer marks its form as changed).
    void propertyChanged(const QString& name);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    static QColor defaultForeColor() { return QColor(0x00, 0xFF, 0x00); }
    QColor defaultBackColor() const;
    QFont ambientFont() const;
    void fitCaption();
    void placeCaption();

    QLabel* lblCaption;
    QLabel* lblScrollSpeed;
    QTimer* Timer1;
    float m_left = 0; ///< lblCaption's left in twips
    qint16 m_appearance = 0;
    qint16 m_alignment = 0;
    QColor m_backColor;
};
