#include "extras/FormInfo.h"

#include "platform/ScrollLine.h"

#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace {

// The program's picture; drawn when the application's resources are not there.
QPixmap programmBild() {
    QPixmap pm = QIcon(QStringLiteral(":/app/icons/kapito.png")).pixmap(64, 64);
    if (!pm.isNull()) return pm;
    pm = QPixmap(64, 64);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(QColor(0, 0, 200));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 8, 8);
    p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF{{12, 48}, {26, 32}, {34, 40}, {50, 18}});
    p.drawLine(QPointF(50, 18), QPointF(40, 18));
    p.drawLine(QPointF(50, 18), QPointF(50, 28));
    return pm;
}

} // namespace

QString FormInfo::releaseZeile() {
    return QString(22, QLatin1Char(' ')) + QStringLiteral("Release %1.%2.%3")
                                               .arg(KAPITO_VERSION_MAJOR)
                                               .arg(KAPITO_VERSION_MINOR)
                                               .arg(KAPITO_VERSION_PATCH);
}

QString FormInfo::lauftext() {
    return QStringLiteral("Kapito - Ihre private Depotverwaltung für Aktien und Fonds   +++   "
                          "Kurse, Berichte, Charts und Beobachtungsliste   +++");
}

FormInfo::FormInfo(ControlLoader& controls, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormInfo"));
    setWindowTitle(QStringLiteral("Info"));
    setFixedSize(440, 300);

    Label8 = new QLabel(QStringLiteral("Kapito 3.6"), this);
    Label8->setObjectName(QStringLiteral("Label8"));
    QFont titel(QStringLiteral("Liberation Sans"), 28, QFont::Bold);
    titel.setStyleHint(QFont::SansSerif);
    Label8->setFont(titel);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(programmBild());

    // Two line breaks, then the release line (the window's information text).
    Label1 = new QLabel(QStringLiteral("\n\n") + releaseZeile(), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont info(QStringLiteral("Liberation Sans"), 12);
    info.setStyleHint(QFont::SansSerif);
    Label1->setFont(info);

    for (QLabel* l : {Label8, Label1}) {
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, Qt::white);
        l->setPalette(pal);
    }

    TextScroll1 = new ScrollLine(controls, lauftext(), this);
    TextScroll1->setObjectName(QStringLiteral("TextScroll1"));
    TextScroll1->setFixedHeight(26);
    TextScroll1->setControlValue("BackColor", QColor(Qt::black));
    TextScroll1->setControlValue("Font", QFont(QStringLiteral("Liberation Sans"), 10));

    auto* kopf = new QGridLayout;
    kopf->addWidget(Image1, 0, 0, Qt::AlignTop);
    kopf->addWidget(Label8, 0, 1, Qt::AlignLeft | Qt::AlignVCenter);
    kopf->setColumnStretch(1, 1);
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(20, 20, 20, 20);
    box->addLayout(kopf);
    box->addWidget(Label1);
    box->addStretch();
    box->addWidget(TextScroll1);

    for (QLabel* l : {Image1, Label1, Label8})
        l->installEventFilter(this);

    TextScroll1->BeginScroll();
}

void FormInfo::done(int result) {
    TextScroll1->StopScroll();
    QDialog::done(result);
}

void FormInfo::paintEvent(QPaintEvent*) {
    // 512 bands from top to bottom, blue 511 - i capped at 255: the upper
    // half pure blue, the lower half fading to black.
    QPainter p(this);
    const double band = height() / 512.0;
    for (int i = 0; i < 512; ++i) {
        const QColor farbe(0, 0, std::min(255, 511 - i));
        p.fillRect(QRectF(0, i * band, width(), band + 0.5), farbe);
    }
}

void FormInfo::mousePressEvent(QMouseEvent* event) {
    // Clicks on the scrolling line bubble up here too; only the free area closes.
    QWidget* unter = childAt(event->position().toPoint());
    const bool aufLauftext = unter && (unter == TextScroll1 || TextScroll1->isAncestorOf(unter));
    if (event->button() == Qt::LeftButton && !aufLauftext) Form_Click();
    QDialog::mousePressEvent(event);
}

bool FormInfo::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        (watched == Image1 || watched == Label1 || watched == Label8)) {
        Form_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FormInfo::Form_Click() {
    close();
}
