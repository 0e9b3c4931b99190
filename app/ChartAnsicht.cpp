#include "app/ChartAnsicht.h"

#include "app/Steuerelemente.h"
#include "platform/Dialogs.h"
#include "platform/Graph.h"

#include <QLabel>
#include <QVBoxLayout>

ChartAnsicht::ChartAnsicht(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ChartAnsicht"));
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(2);
    // Its own name: the report view has a Label18 as well.
    Label18 = neuesLabel(QStringLiteral("Label18_Chart"), QString(), this);
    Label18->setProperty("ueberschrift", true);
    Label18->hide();
    Graph1 = new Graph(this);
    box->addWidget(Label18);
    box->addWidget(Graph1, 1);
}

void ChartAnsicht::setGrafik(Art art, std::function<void()> drucken) {
    m_art = art;
    m_drucken = std::move(drucken);
}

bool ChartAnsicht::zeichnen(Art art, const QString& ueberschrift,
                            const std::function<bool(Graph&)>& zeichnen,
                            std::function<void()> drucken) {
    if (!zeichnen(*Graph1)) return false;
    setUeberschrift(ueberschrift);
    setGrafik(art, std::move(drucken));
    return true;
}

void ChartAnsicht::setUeberschrift(const QString& text) {
    Label18->setText(text);
    Label18->setVisible(!text.isEmpty());
}

bool ChartAnsicht::grafikDrucken(Dialogs& dialogs, QWidget* eltern) {
    if (m_art == Art::Keine || !isVisible() || Graph1->isHidden()) return false;
    if (dialogs.ask(eltern, QStringLiteral("Möchten Sie die Grafik jetzt drucken?")) && m_drucken)
        m_drucken();
    return true;
}
