#include "app/BerichtAnsicht.h"

#include "app/Steuerelemente.h"
#include "platform/Fensterteile.h"

#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>

BerichtAnsicht::BerichtAnsicht(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Bericht"));
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(2);
    Label18 = neuesLabel(QStringLiteral("Label18"), QString(), this);
    Label18->setProperty("ueberschrift", true);
    Label18->setCursor(Qt::PointingHandCursor);
    Label18->installEventFilter(this);
    Label24 = Fensterteile::berichtskopf(QStringLiteral("Label24"), this);
    RText1 = Fensterteile::berichtsfeld(QStringLiteral("RText1"), QStringLiteral("Bericht"), this);
    box->addWidget(Label18);
    box->addWidget(Label24);
    box->addWidget(RText1, 1);
    // The header starts where the text does: after the box's frame and margin.
    Label24->setContentsMargins(RText1->frameWidth() + 4, 0, 0, 0);
}

void BerichtAnsicht::zeigen(const BerichtSeite& seite) {
    Label18->setText(seite.titel);
    Label24->setText(seite.kopf);
    Fensterteile::berichtZeigen(RText1, seite.text);
    Label18->show();
    Label24->show();
    RText1->show();
}

void BerichtAnsicht::verbergen() {
    Label18->hide();
    Label24->hide();
    RText1->hide();
}

bool BerichtAnsicht::zeigtBericht() const {
    return !RText1->isHidden();
}

bool BerichtAnsicht::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label18 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        emit titelAngeklickt();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
