#include "reports/FormListe1.h"

#include "platform/Dialogs.h"
#include "platform/HoverButton.h"
#include "platform/HoverReset.h"
#include "platform/MainWindowApi.h"
#include "reports/BefehleBerichte.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QTextCursor>
#include <QTimer>

// The pictures of the buttons live in this static library.
static void berichtsSymboleLaden() {
    static const bool geladen = [] {
        Q_INIT_RESOURCE(reports);
        return true;
    }();
    (void)geladen;
}

FormListe1::FormListe1(MainWindowApi& api, QWidget* parent) : QDialog(parent), m_api(api) {
    berichtsSymboleLaden();
    setObjectName(QStringLiteral("FormListe1"));
    setWindowTitle(QStringLiteral("Aktienbestand am"));
    setModal(true);
    setMinimumSize(480, 320);

    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setStyleSheet(QStringLiteral("QFrame#Shape1 { border: 1px solid #8a94a6; }"));

    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont titel(QStringLiteral("Arial"));
    titel.setPointSizeF(13.5);
    titel.setBold(true);
    Label2->setFont(titel);

    // The header's narrow blanks put its captions over the typewriter columns.
    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setTextFormat(Qt::PlainText);
    QFont kopf(QStringLiteral("Arial"));
    kopf.setPointSizeF(7.5);
    Label3->setFont(kopf);

    RText1 = new QPlainTextEdit(this);
    RText1->setObjectName(QStringLiteral("RText1"));
    RText1->setAccessibleName(QStringLiteral("Bericht Komplettfassung"));
    RText1->setReadOnly(true);
    RText1->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::TypeWriter);
    courier.setPointSizeF(8.25);
    RText1->setFont(courier);

    Label1 = new QLabel(QStringLiteral("Kapito 3.5"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont klein(QStringLiteral("Arial"));
    klein.setPointSizeF(6.75);
    Label1->setFont(klein);

    const struct {
        const char* text;
        const char* bild;
    } knoepfe[3] = {{" Hilfe aufrufen ", "hilfe"},
                    {" Bericht drucken ", "drucken"},
                    {" Fenster schließen ", "schliessen"}};
    for (int i = 0; i < 3; ++i) {
        auto* b = new HoverButton(this);
        const QString text = QString::fromUtf8(knoepfe[i].text);
        b->setObjectName(QStringLiteral("schalter_%1").arg(13 + i));
        // Picture buttons: the caption shows as tool tip.
        b->setToolTip(text);
        b->setAccessibleName(text.trimmed());
        b->setIcon(QIcon(QStringLiteral(":/reports/icons/%1.png")
                             .arg(QString::fromLatin1(knoepfe[i].bild))));
        b->setIconSize(QSize(21, 21));
        b->setFixedSize(27, 27);
        b->setAutoDefault(false);
        b->setDefault(false);
        connect(b, &QPushButton::clicked, this, [this, i] { schalter_Click(13 + i); });
        m_schalter[size_t(i)] = b;
    }
    // The pointer on the window's background switches the buttons back.
    HoverReset::install(this);

    resize(900, 560);
}

HoverButton* FormListe1::schalter(int index) const {
    return index >= 13 && index <= 15 ? m_schalter[size_t(index - 13)] : nullptr;
}

void FormListe1::berichtZeigen(const BerichtSeite& seite) {
    Label2->setText(QLatin1Char('\n') + seite.titel + QLatin1Char('\n'));
    Label3->setText(seite.kopf);
    // One line per CR LF; the text box would take CR and LF as two breaks.
    RText1->setPlainText(QString(seite.text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    RText1->moveCursor(QTextCursor::End);
    anordnen();
    // The box gets its final height only once it is shown: scroll to the
    // end again then, or the totals stay below the visible area.
    QTimer::singleShot(0, RText1, [box = RText1] { box->ensureCursorVisible(); });
}

void FormListe1::schalter_Click(int index) {
    switch (index) {
    case 13:
        m_api.hilfeAnzeigen();
        break;
    case 14:
        if (m_api.dialogs().ask(this, QStringLiteral("Möchten Sie den Bericht jetzt drucken?"))) {
            // While this window is open the complete report is the one started last.
            switch (m_api.modul().berichtart) {
            case BerichtKurz:
                DruckeKurzbericht(m_api);
                break;
            case BerichtDifferenz:
                DruckeDifferenzbericht(m_api);
                break;
            default:
                komplettberichtDrucken(m_api);
                break;
            }
        }
        break;
    case 15:
        close();
        break;
    default:
        return;
    }
    m_api.zumLesezeichen();
}

void FormListe1::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (!isMinimized()) anordnen();
}

void FormListe1::anordnen() {
    // The report window's layout in pixels of its inner area.
    const int w = width();
    const int h = height();
    const int links = 11;
    const int oben = 4;
    const int titel = Label2->sizeHint().height();
    const int kopf = Label3->sizeHint().height();
    Shape1->setGeometry(links, oben, w - 24, h - 62);
    Shape1->lower();
    Label2->setGeometry(links, oben + 1, w - 23, titel);
    Label3->setGeometry(links, oben + 1 + titel, w - 23, kopf);
    RText1->setGeometry(links, oben + 1 + titel + kopf, w - 23, h - titel - kopf - 63);
    for (int i = 0; i < 3; ++i)
        m_schalter[size_t(i)]->setGeometry(w - 135 + 45 * i, h - 34, 27, 27);
    Label1->adjustSize();
    Label1->move(links, h - 28);
}
