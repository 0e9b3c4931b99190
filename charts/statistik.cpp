#include "charts/statistik.h"

#include "charts/BefehleCharts.h"
#include "platform/Dialogs.h"
#include "platform/Fensterteile.h"
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

    Shape1 = Fensterteile::rahmen(this);
    Graph1 = new Graph(this);
    Label1 = Fensterteile::kleinesLabel(QStringLiteral("Morlent 2000"), this);
    m_schalter = Fensterteile::schalter13bis15(this, QStringLiteral(" Chart drucken "),
                                               QStringLiteral(":/charts/icons/"),
                                               [this](int i) { schalter_Click(i); });
    // The pointer on the window's background switches the buttons back.
    HoverReset::install(this);

    resize(900, 600);
}

QString statistik::caption(ChartArt art) {
    switch (art) {
    case ChartArt::Chart30:
        return caption30();
    case ChartArt::Chart100:
        return caption100();
    case ChartArt::Bilanz:
        return captionBilanz();
    case ChartArt::Index:
        return captionIndex();
    }
    return {};
}

void statistik::setArt(ChartArt art) {
    m_art = art;
    setWindowTitle(caption(art));
}

HoverButton* statistik::schalter(int index) const {
    return index >= 13 && index <= 15 ? m_schalter[size_t(index - 13)] : nullptr;
}

void statistik::schalter_Click(int index) {
    Fensterteile::schalterKlick(m_api, this, index,
                                QStringLiteral("Möchten Sie die Grafik jetzt drucken?"), [this] {
                                    if (m_art) chartDrucken(m_api, *m_art);
                                });
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
