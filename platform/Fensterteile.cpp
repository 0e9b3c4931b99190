#include "platform/Fensterteile.h"

#include "platform/Dialogs.h"
#include "platform/HoverButton.h"
#include "platform/MainWindowApi.h"

#include <QDateEdit>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTimer>

namespace {

// Tab goes on to the next control; the arrow keys move between day, month
// and year.
class Datumsfeld final : public QDateEdit {
public:
    using QDateEdit::QDateEdit;

protected:
    bool focusNextPrevChild(bool next) override {
        // QDateTimeEdit's own steps through the sections: it is passed over.
        // NOLINTNEXTLINE(bugprone-parent-virtual-call): on purpose, see above
        return QAbstractSpinBox::focusNextPrevChild(next);
    }
};

} // namespace

namespace Fensterteile {

QFrame* rahmen(QWidget* fenster) {
    auto* shape = new QFrame(fenster);
    shape->setObjectName(QStringLiteral("Shape1"));
    shape->setFrameShape(QFrame::Box);
    shape->setStyleSheet(QStringLiteral("QFrame#Shape1 { border: 1px solid #8a94a6; }"));
    return shape;
}

QLabel* kleinesLabel(const QString& text, QWidget* fenster) {
    auto* label = new QLabel(text, fenster);
    label->setObjectName(QStringLiteral("Label1"));
    QFont klein(QStringLiteral("Arial"));
    klein.setPointSizeF(6.75);
    label->setFont(klein);
    return label;
}

std::array<HoverButton*, 3> schalter13bis15(QWidget* fenster, const QString& druckText,
                                            const QString& symbole,
                                            const std::function<void(int)>& klick) {
    const QString texte[3] = {QStringLiteral(" Hilfe aufrufen "), druckText,
                              QStringLiteral(" Fenster schließen ")};
    const QString bilder[3] = {QStringLiteral("hilfe"), QStringLiteral("drucken"),
                               QStringLiteral("schliessen")};
    std::array<HoverButton*, 3> schalter{};
    for (int i = 0; i < 3; ++i) {
        auto* b = new HoverButton(fenster);
        b->setObjectName(QStringLiteral("schalter_%1").arg(13 + i));
        // Picture buttons: the caption shows as tool tip.
        b->setToolTip(texte[i]);
        b->setAccessibleName(texte[i].trimmed());
        b->setIcon(QIcon(symbole + bilder[i] + QStringLiteral(".png")));
        b->setIconSize(QSize(21, 21));
        b->setFixedSize(27, 27);
        b->setAutoDefault(false);
        b->setDefault(false);
        QObject::connect(b, &QPushButton::clicked, fenster, [klick, i] { klick(13 + i); });
        schalter[size_t(i)] = b;
    }
    return schalter;
}

void tabfolge(std::initializer_list<QWidget*> folge) {
    QWidget* vorher = nullptr;
    for (QWidget* w : folge) {
        if (vorher) QWidget::setTabOrder(vorher, w);
        vorher = w;
    }
}

void passwortfeld(QLineEdit* feld) {
    feld->setEchoMode(QLineEdit::Password);
    feld->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
}

HoverButton* textknopf(const QString& name, const QString& text, QWidget* fenster) {
    auto* b = new HoverButton(fenster);
    b->setObjectName(name);
    b->setText(text);
    b->setAccessibleName(text.trimmed());
    return b;
}

QDateEdit* datumsfeld(const QString& name, QWidget* fenster, const QDate& datum) {
    auto* feld = new Datumsfeld(fenster);
    feld->setObjectName(name);
    if (datum.isValid()) feld->setDate(datum);
    feld->setCalendarPopup(true);
    feld->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    return feld;
}

QLabel* berichtskopf(const QString& name, QWidget* parent) {
    auto* kopf = new QLabel(parent);
    kopf->setObjectName(name);
    kopf->setTextFormat(Qt::PlainText);
    QFont schrift(QStringLiteral("Arial"));
    schrift.setPointSizeF(7.5);
    kopf->setFont(schrift);
    return kopf;
}

QPlainTextEdit* berichtsfeld(const QString& name, const QString& beschriftung, QWidget* parent) {
    auto* feld = new QPlainTextEdit(parent);
    feld->setObjectName(name);
    feld->setAccessibleName(beschriftung);
    feld->setReadOnly(true);
    feld->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::TypeWriter);
    courier.setPointSizeF(8.25);
    feld->setFont(courier);
    return feld;
}

void berichtZeigen(QPlainTextEdit* feld, const QString& text) {
    // One line per CR LF; the text box would take CR and LF as two breaks.
    feld->setPlainText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    feld->moveCursor(QTextCursor::End);
    // The box gets its final height only once it is shown: scroll to the
    // end again then, or the totals stay below the visible area.
    QTimer::singleShot(0, feld, [feld] { feld->ensureCursorVisible(); });
}

void schalterKlick(MainWindowApi& api, QWidget* fenster, int index, const QString& druckFrage,
                   const std::function<void()>& drucken) {
    switch (index) {
    case 13:
        api.hilfeAnzeigen();
        break;
    case 14:
        if (api.dialogs().ask(fenster, druckFrage)) drucken();
        break;
    case 15:
        fenster->close();
        break;
    default:
        return;
    }
    api.zumLesezeichen();
}

} // namespace Fensterteile
