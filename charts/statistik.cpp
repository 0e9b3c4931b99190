#include "charts/statistik.h"

#include "charts/BefehleCharts.h"
#include "platform/Dialogs.h"
#include "platform/Graph.h"
#include "platform/HoverButton.h"
#include "platform/HoverReset.h"
#include "platform/MainWindowApi.h"

#include <QFrame>
#include <QLabel>
#include <QResizeEvent>

// The pictures of the buttons live in this static library.
static void chartSymboleLaden() {
    static const bool geladen = [] {
        Q_INIT_RESOURCE(charts);
        return true;
    }();
    (void)geladen;
}

statistik::statistik(MainWindowApi& api, QWidget* parent) : QDialog(parent), m_api(api) {
    chartSymboleLaden();
    setObjectName(QStringLiteral("statistik"));
    setWindowTitle(QStringLiteral("Kapito 3.6 -  100 Tage-Chart"));
    setModal(true);
    setMinimumSize(420, 300);

    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setStyleSheet(QStringLiteral("QFrame#Shape1 { border: 1px solid #8a94a6; }"));

    Graph1 = new Graph(this);

    Label1 = new QLabel(QStringLiteral("Morlent 2000"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont klein(QStringLiteral("Arial"));
    klein.setPointSizeF(6.75);
    Label1->setFont(klein);

    const struct {
        const char* text;
        const char* bild;
    } knoepfe[3] = {{" Hilfe aufrufen ", "hilfe"},
                    {" Chart drucken ", "drucken"},
                    {" Fenster schließen ", "schliessen"}};
    for (int i = 0; i < 3; ++i) {
        auto* b = new HoverButton(this);
        const QString text = QString::fromUtf8(knoepfe[i].text);
        b->setObjectName(QStringLiteral("schalter_%1").arg(13 + i));
        // Picture buttons: the caption shows as tool tip.
        b->setToolTip(text);
        b->setAccessibleName(text.trimmed());
        b->setIcon(QIcon(
            QStringLiteral(":/charts/icons/%1.png").arg(QString::fromLatin1(knoepfe[i].bild))));
        b->setIconSize(QSize(21, 21));
        b->setFixedSize(27, 27);
        b->setAutoDefault(false);
        b->setDefault(false);
        connect(b, &QPushButton::clicked, this, [this, i] { schalter_Click(13 + i); });
        m_schalter[size_t(i)] = b;
    }
    // The pointer on the window's background switches the buttons back.
    HoverReset::install(this);

    resize(900, 600);
}

HoverButton* statistik::schalter(int index) const {
    return index >= 13 && index <= 15 ? m_schalter[size_t(index - 13)] : nullptr;
}

void statistik::schalter_Click(int index) {
    switch (index) {
    case 13:
        m_api.hilfeAnzeigen();
        break;
    case 14:
        if (m_api.dialogs().ask(this, QStringLiteral("Möchten Sie die Grafik jetzt drucken?")))
            chartNachCaptionDrucken(m_api, windowTitle());
        break;
    case 15:
        close();
        break;
    default:
        return;
    }
    m_api.zumLesezeichen();
}

void statistik::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (!isMinimized()) anordnen();
}

void statistik::anordnen() {
    // The chart window's layout in pixels of its inner area.
    const int w = width();
    const int h = height();
    Shape1->setGeometry(16, 16, w - 33, h - 66);
    Shape1->lower();
    Graph1->setGeometry(17, 17, w - 34, h - 68);
    for (int i = 0; i < 3; ++i)
        m_schalter[size_t(i)]->setGeometry(w - 140 + 45 * i, h - 37, 27, 27);
    Label1->adjustSize();
    Label1->move(17, h - 30);
}
