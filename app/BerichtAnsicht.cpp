#include "app/BerichtAnsicht.h"

#include "app/Steuerelemente.h"

#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTimer>
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
    // The header stands in a proportional face, whose narrow blanks put
    // the captions over the columns of the typewriter text below.
    Label24 = neuesLabel(QStringLiteral("Label24"), QString(), this);
    Label24->setTextFormat(Qt::PlainText);
    QFont kopf(QStringLiteral("Arial"));
    kopf.setPointSizeF(7.5);
    Label24->setFont(kopf);
    RText1 = new QPlainTextEdit(this);
    RText1->setObjectName(QStringLiteral("RText1"));
    RText1->setAccessibleName(QStringLiteral("Bericht"));
    RText1->setReadOnly(true);
    RText1->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::TypeWriter);
    courier.setPointSizeF(8.25);
    RText1->setFont(courier);
    box->addWidget(Label18);
    box->addWidget(Label24);
    box->addWidget(RText1, 1);
    // The header starts where the text does: after the box's frame and margin.
    Label24->setContentsMargins(RText1->frameWidth() + 4, 0, 0, 0);
}

void BerichtAnsicht::zeigen(const BerichtSeite& seite) {
    Label18->setText(seite.titel);
    Label24->setText(seite.kopf);
    // One line per CR LF; the text box would take CR and LF as two breaks.
    RText1->setPlainText(QString(seite.text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    RText1->moveCursor(QTextCursor::End);
    Label18->show();
    Label24->show();
    RText1->show();
    // The box gets its final height only once it is shown: scroll to the
    // end again then, or the totals stay below the visible area.
    QTimer::singleShot(0, RText1, [box = RText1] { box->ensureCursorVisible(); });
}

bool BerichtAnsicht::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label18 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        emit titelAngeklickt();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
