#include "TextScroll.h"

#include "frmAbout.h"

#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QResizeEvent>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace {

// Design size of lblCaption (1815 x 195 twips); a longer text widens it.
constexpr int DesignWidthPx = 1815 / TextScroll::TwipsPerPixel;
constexpr int DesignHeightPx = 195 / TextScroll::TwipsPerPixel;
constexpr int DesignTopPx = 102 / TextScroll::TwipsPerPixel;

// The number in a Speed text under the system's number format; a plain
// C-style number is taken too. "inf" and "nan" are no speed.
bool parseSpeed(const QString& text, double* value) {
    bool ok = false;
    *value = QLocale::system().toDouble(text.trimmed(), &ok);
    if (!ok) *value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok && std::isfinite(*value);
}

// The farthest the text is moved either way, in twips: far beyond any
// screen, and within what a widget position and a float hold exactly enough.
constexpr double MaxLeftTwips = 16'000'000.0 * TextScroll::TwipsPerPixel;

Qt::Alignment labelAlignment(qint16 alignment) {
    switch (alignment) {
    case 1:
        return Qt::AlignRight | Qt::AlignVCenter;
    case 2:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

} // namespace

TextScroll::TextScroll(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("TextScroll"));
    lblCaption = new QLabel(QStringLiteral("Rollix"), this);
    lblCaption->setObjectName(QStringLiteral("lblCaption"));
    lblCaption->setAlignment(labelAlignment(0));
    lblScrollSpeed = new QLabel(QStringLiteral("50"), this);
    lblScrollSpeed->setObjectName(QStringLiteral("lblScrollSpeed"));
    lblScrollSpeed->hide();
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(TickMs);
    connect(Timer1, &QTimer::timeout, this, &TextScroll::tick);

    setAutoFillBackground(true);
    m_backColor = defaultBackColor();
    QPalette pal = palette();
    pal.setColor(QPalette::Window, m_backColor);
    setPalette(pal);
    QPalette lpal = lblCaption->palette();
    lpal.setColor(QPalette::WindowText, defaultForeColor());
    lblCaption->setPalette(lpal);
    setFrameStyle(QFrame::NoFrame);

    fitCaption();
    lblCaption->move(0, DesignTopPx);
    setMinimumSize(16, 8);
    resize(DesignWidthPx * 2, DesignHeightPx + 2 * DesignTopPx);
}

QColor TextScroll::defaultBackColor() const {
    // The system colour for button text, as the control was designed.
    return QApplication::palette().color(QPalette::ButtonText);
}

QFont TextScroll::ambientFont() const {
    return parentWidget() ? parentWidget()->font() : QApplication::font();
}

QString TextScroll::Caption() const {
    return lblCaption->text();
}

void TextScroll::setCaption(const QString& caption) {
    lblCaption->setText(caption);
    fitCaption();
    emit propertyChanged(QStringLiteral("Caption"));
}

void TextScroll::setAppearance(qint16 appearance) {
    if (appearance != 0 && appearance != 1) return;
    m_appearance = appearance;
    setFrameStyle(appearance == 1 ? (QFrame::Panel | QFrame::Sunken) : QFrame::NoFrame);
    setLineWidth(appearance == 1 ? 2 : 0);
    emit propertyChanged(QStringLiteral("Appearance"));
}

QColor TextScroll::ForeColor() const {
    return lblCaption->palette().color(QPalette::WindowText);
}

void TextScroll::setForeColor(const QColor& color) {
    QPalette pal = lblCaption->palette();
    pal.setColor(QPalette::WindowText, color);
    lblCaption->setPalette(pal);
    emit propertyChanged(QStringLiteral("ForeColor"));
}

void TextScroll::setBackColor(const QColor& color) {
    m_backColor = color;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, color);
    setPalette(pal);
    emit propertyChanged(QStringLiteral("BackColor"));
}

QFont TextScroll::Font() const {
    return lblCaption->font();
}

void TextScroll::setCaptionFont(const QFont& font) {
    lblCaption->setFont(font);
    fitCaption();
    emit propertyChanged(QStringLiteral("Font"));
}

void TextScroll::setAlignment(qint16 alignment) {
    if (alignment < 0 || alignment > 2) return;
    m_alignment = alignment;
    lblCaption->setAlignment(labelAlignment(alignment));
    emit propertyChanged(QStringLiteral("Alignment"));
}

QString TextScroll::Speed() const {
    return lblScrollSpeed->text();
}

void TextScroll::setSpeed(const QString& speed) {
    lblScrollSpeed->setText(speed);
    emit propertyChanged(QStringLiteral("Speed"));
}

void TextScroll::BeginScroll() {
    Timer1->start();
}

void TextScroll::StopScroll() {
    Timer1->stop();
    m_left = 0;
    placeCaption();
}

void TextScroll::DispAbout() {
    auto* about = new frmAbout(this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->show();
}

void TextScroll::ReadProperties(PropertyBag* bag) {
    if (!bag) return;
    setSpeed(bag->read(QStringLiteral("Speed"), QStringLiteral("50")).toString());
    setCaption(bag->read(QStringLiteral("Caption"), QStringLiteral("Rollix")).toString());
    setAppearance(static_cast<qint16>(bag->read(QStringLiteral("Appearance"), 0).toInt()));
    setForeColor(bag->read(QStringLiteral("ForeColor"), defaultForeColor()).value<QColor>());
    setBackColor(bag->read(QStringLiteral("BackColor"), defaultBackColor()).value<QColor>());
    setCaptionFont(bag->read(QStringLiteral("Font"), ambientFont()).value<QFont>());
    setAlignment(static_cast<qint16>(bag->read(QStringLiteral("Alignment"), 0).toInt()));
}

void TextScroll::WriteProperties(PropertyBag* bag) const {
    if (!bag) return;
    auto put = [bag](const char* key, const QVariant& value, const QVariant& def) {
        if (value != def) bag->write(QString::fromLatin1(key), value);
    };
    put("Speed", Speed(), QStringLiteral("50"));
    put("Caption", Caption(), QStringLiteral("Rollix"));
    put("Appearance", m_appearance, qint16(0));
    put("ForeColor", ForeColor(), defaultForeColor());
    put("BackColor", m_backColor, defaultBackColor());
    put("Font", Font(), ambientFont());
    put("Alignment", m_alignment, qint16(0));
}

void TextScroll::tick() {
    const float widthTwips = static_cast<float>(lblCaption->width() * TwipsPerPixel);
    if (m_left + widthTwips >= 0.0f) {
        double speed = 0;
        // A Speed that is no number leaves the text standing instead of failing.
        if (!parseSpeed(Speed(), &speed)) return;
        // A stored Speed may be any number: the position stays within reach.
        m_left = static_cast<float>(
            std::clamp(static_cast<double>(m_left) - speed, -MaxLeftTwips, MaxLeftTwips));
    } else {
        m_left = static_cast<float>(width() * TwipsPerPixel);
    }
    placeCaption();
}

void TextScroll::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    lblCaption->move(lblCaption->x(), height() / 2 - lblCaption->height() / 2);
}

void TextScroll::fitCaption() {
    const QSize hint = lblCaption->sizeHint();
    lblCaption->resize(qMax(hint.width(), DesignWidthPx), qMax(hint.height(), DesignHeightPx));
    lblCaption->move(lblCaption->x(), height() / 2 - lblCaption->height() / 2);
}

void TextScroll::placeCaption() {
    lblCaption->move(qRound(m_left / TwipsPerPixel), lblCaption->y());
}
