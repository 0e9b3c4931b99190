#include "reports/FormListe1.h"

#include "platform/Dialogs.h"
#include "platform/Fensterteile.h"
#include "platform/HoverButton.h"
#include "platform/HoverReset.h"
#include "platform/MainWindowApi.h"
#include "reports/BefehleBerichte.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QResizeEvent>

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

    Shape1 = Fensterteile::rahmen(this);

    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont titel(QStringLiteral("Arial"));
    titel.setPointSizeF(13.5);
    titel.setBold(true);
    Label2->setFont(titel);

    Label3 = Fensterteile::berichtskopf(QStringLiteral("Label3"), this);
    RText1 = Fensterteile::berichtsfeld(QStringLiteral("RText1"),
                                        QStringLiteral("Bericht Komplettfassung"), this);
    Label1 = Fensterteile::kleinesLabel(QStringLiteral("Kapito 3.5"), this);
    m_schalter = Fensterteile::schalter13bis15(this, QStringLiteral(" Bericht drucken "),
                                               QStringLiteral(":/reports/icons/"),
                                               [this](int i) { schalter_Click(i); });
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
    Fensterteile::berichtZeigen(RText1, seite.text);
    anordnen();
}

void FormListe1::schalter_Click(int index) {
    Fensterteile::schalterKlick(
        m_api, this, index, QStringLiteral("Möchten Sie den Bericht jetzt drucken?"), [this] {
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
        });
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
