#include "app/ChartAnsicht.h"

#include "platform/Dialogs.h"

#include <QVBoxLayout>

ChartAnsicht::ChartAnsicht(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ChartAnsicht"));
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    Graph1 = new QWidget(this);
    Graph1->setObjectName(QStringLiteral("Graph1"));
    box->addWidget(Graph1, 1);
}

void ChartAnsicht::setGrafik(Art art, std::function<void()> drucken) {
    m_art = art;
    m_drucken = std::move(drucken);
}

bool ChartAnsicht::grafikDrucken(Dialogs& dialogs, QWidget* eltern) {
    if (m_art == Art::Keine || !isVisible() || Graph1->isHidden()) return false;
    if (dialogs.ask(eltern, QStringLiteral("Möchten Sie die Grafik jetzt drucken?")) && m_drucken)
        m_drucken();
    return true;
}
