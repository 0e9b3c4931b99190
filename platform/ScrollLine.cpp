#include "ScrollLine.h"

#include "ControlLoader.h"

#include <QColor>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>

ScrollLine::ScrollLine(ControlLoader& loader, const QString& caption, QWidget* parent)
    : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_control = loader.create(ControlLoader::textScrollId(), this, &m_reason);
    if (m_control) {
        m_control->setObjectName(QStringLiteral("TextScroll"));
        layout->addWidget(m_control);
    } else {
        // Without the library the window still shows its line, standing still.
        m_fallback = new QLabel(this);
        m_fallback->setObjectName(QStringLiteral("TextScrollErsatz"));
        m_fallback->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        m_fallback->setAutoFillBackground(true);
        // The control's own colours until they are set.
        QPalette farben = m_fallback->palette();
        farben.setColor(QPalette::WindowText, QColor(0x00, 0xff, 0x00));
        farben.setColor(QPalette::Window, farben.color(QPalette::ButtonText));
        m_fallback->setPalette(farben);
        m_fallback->setToolTip(m_reason);
        layout->addWidget(m_fallback);
    }
    setCaption(caption);
}

void ScrollLine::setCaption(const QString& caption) {
    setControlValue("Caption", caption);
}

bool ScrollLine::setControlValue(const char* name, const QVariant& value) {
    if (m_control) return setControlProperty(m_control, name, value);
    const QByteArray key(name);
    if (key == "Caption") {
        m_fallback->setText(value.toString());
    } else if (key == "ForeColor" || key == "BackColor") {
        QPalette pal = m_fallback->palette();
        pal.setColor(key == "ForeColor" ? QPalette::WindowText : QPalette::Window,
                     value.value<QColor>());
        m_fallback->setPalette(pal);
    } else if (key == "Font") {
        m_fallback->setFont(value.value<QFont>());
    } else {
        return false;
    }
    return true;
}

void ScrollLine::BeginScroll() {
    if (m_control) invokeControl(m_control, "BeginScroll");
}

void ScrollLine::StopScroll() {
    if (m_control) invokeControl(m_control, "StopScroll");
}
