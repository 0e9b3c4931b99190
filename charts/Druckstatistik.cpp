#include "charts/Druckstatistik.h"

#include "platform/Graph.h"

#include <QImage>
#include <QVBoxLayout>

namespace {

const QColor Hellgrau(0xe0, 0xe0, 0xe0);
// A landscape page's proportions; the picture is sharp enough for paper.
const QSize Seite(1123, 794);
constexpr qreal Schaerfe = 3.0;

} // namespace

Druckstatistik::Druckstatistik(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Druckstatistik"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Hellgrau);
    setPalette(p);
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    Graph1 = new Graph(this);
    Graph1->setHintergrund(Hellgrau);
    box->addWidget(Graph1);
    resize(Seite);
}

QImage Druckstatistik::bild() const {
    return Graph1->bild(Seite, Schaerfe);
}

bool Druckstatistik::drucken(Drucker& drucker, const QString& was) const {
    return drucker.bild(was, bild(), Drucker::Ausrichtung::Querformat);
}
