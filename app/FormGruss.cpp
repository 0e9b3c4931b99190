#include "app/FormGruss.h"

#include "app/Aktiendataform.h"
#include "platform/ScrollLine.h"
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

QString FormGruss::lauftext() {
    return QStringLiteral("Bitte haben Sie etwas Geduld, das Programm wird geladen   +++   "
                          "Bitte haben Sie etwas Geduld, das Programm wird geladen   +++");
}

FormGruss::FormGruss(ControlLoader& controls, std::function<void()> weiter, int verzoegerungMs,
                     QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), m_weiter(std::move(weiter)) {
    appRessourcenLaden();
    setObjectName(QStringLiteral("FormGruss"));
    setWindowTitle(QStringLiteral("Kapito 3.6"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(520, 300);

    Label5 = new QLabel(QStringLiteral("Kapito 3.6"), this);
    Label5->setObjectName(QStringLiteral("Label5"));
    // The heaviest sans the machine has; Qt falls back to a bold sans.
    QFont titel(QStringLiteral("Liberation Sans"), 34, QFont::Black);
    titel.setStyleHint(QFont::SansSerif);
    Label5->setFont(titel);
    Label5->setStyleSheet(QStringLiteral("color: white;"));
    Label5->setAlignment(Qt::AlignCenter);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QIcon(QStringLiteral(":/app/icons/kapito.png")).pixmap(64, 64));
    Image1->setAlignment(Qt::AlignCenter);

    Label1 = new QLabel(QStringLiteral("Depotverwaltung für Aktien und Fonds"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont klein = font();
    klein.setPointSize(9);
    Label1->setFont(klein);
    Label1->setStyleSheet(QStringLiteral("color: #d8e4ff;"));
    Label1->setAlignment(Qt::AlignCenter);

    TextScroll1 = new ScrollLine(controls, lauftext(), this);
    TextScroll1->setObjectName(QStringLiteral("TextScroll1"));
    TextScroll1->setFixedHeight(28);
    TextScroll1->setControlValue("Font", QFont(QStringLiteral("Liberation Sans"), 11));
    TextScroll1->setControlValue("ForeColor", QColor(Qt::white));
    TextScroll1->setControlValue("BackColor", QColor(0, 0, 140));

    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(24, 24, 24, 24);
    box->addWidget(Label5);
    box->addWidget(Image1);
    box->addWidget(Label1);
    box->addStretch();
    box->addWidget(TextScroll1);

    TextScroll1->BeginScroll();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    // A coarse timer may end the window up to a twentieth of it late.
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(verzoegerungMs);
    connect(Timer1, &QTimer::timeout, this, &FormGruss::Timer1_Timer);
    Timer1->start();
}

void FormGruss::Timer1_Timer() {
    Timer1->stop();
    auto weiter = std::move(m_weiter);
    m_weiter = nullptr;
    if (weiter) weiter();
    close();
}

void FormGruss::paintEvent(QPaintEvent*) {
    // 512 bands from top to bottom, blue = min(255, 511 - i): the upper half
    // pure blue, the lower half fading to black.
    QPainter p(this);
    const int h = height();
    for (int i = 0; i < 512; ++i) {
        const int y0 = i * h / 512;
        const int y1 = (i + 1) * h / 512;
        if (y1 <= y0) continue;
        p.fillRect(0, y0, width(), y1 - y0, QColor(0, 0, std::min(255, 511 - i)));
    }
}
