#include "frmAbout.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QUrl>

namespace {

QPixmap libraryIcon() {
    // A line of text with an arrow: what the library does.
    QPixmap pm(48, 48);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0, 0, 0));
    p.setPen(QPen(QColor(0, 160, 0), 2));
    p.drawRoundedRect(2, 10, 44, 28, 4, 4);
    p.setPen(QPen(QColor(0, 255, 0), 3));
    p.drawLine(12, 24, 38, 24);
    p.drawLine(12, 24, 19, 18);
    p.drawLine(12, 24, 19, 30);
    return pm;
}

} // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmAbout"));
    const QString title = QStringLiteral("Rollix");
    setWindowTitle(QStringLiteral("About ") + title);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(libraryIcon());
    lblTitle = new QLabel(title, this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont big = lblTitle->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    lblTitle->setFont(big);
    lblVersion = new QLabel(QStringLiteral("Version %1.%2.%3")
                                .arg(ROLLIX_VERSION_MAJOR)
                                .arg(ROLLIX_VERSION_MINOR)
                                .arg(ROLLIX_VERSION_PATCH),
                            this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblDescription = new QLabel(QStringLiteral("Rollix enthält das Steuerelement TextScroll: eine "
                                               "Textzeile, die fortlaufend von rechts nach links "
                                               "durch ihre Fläche läuft."),
                                this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setWordWrap(true);
    Label1 = new QLabel(QStringLiteral("Email :"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(contactAddress(), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setCursor(Qt::PointingHandCursor);
    Label2->setMouseTracking(true);
    Label2->installEventFilter(this);
    setLinkColor(Qt::black);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::close);

    auto* grid = new QGridLayout(this);
    grid->addWidget(picIcon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(lblTitle, 0, 1, 1, 2);
    grid->addWidget(lblVersion, 1, 1, 1, 2);
    grid->addWidget(lblDescription, 2, 1, 1, 2);
    grid->addWidget(Label1, 3, 1);
    grid->addWidget(Label2, 3, 2);
    grid->addWidget(cmdOK, 4, 2, Qt::AlignRight);
    grid->setColumnStretch(2, 1);
    setMouseTracking(true);
    setMinimumWidth(360);
}

void frmAbout::setLinkColor(const QColor& color) {
    QPalette pal = Label2->palette();
    pal.setColor(QPalette::WindowText, color);
    Label2->setPalette(pal);
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label2) {
        switch (event->type()) {
        case QEvent::Enter:
        case QEvent::MouseMove:
            setLinkColor(QColor(0, 0, 255));
            break;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) Label2_Click();
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmAbout::mouseMoveEvent(QMouseEvent* event) {
    // Pointer over the dialog's free area: the link is plain again.
    setLinkColor(Qt::black);
    QDialog::mouseMoveEvent(event);
}

void frmAbout::Label2_Click() {
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + contactAddress()));
}
