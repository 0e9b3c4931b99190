#include "platform/Graph.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLineSeries>
#include <QLocale>
#include <QPainter>
#include <QSet>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

const QColor LinienFarbe(0x1f, 0x4e, 0x9c);
const QColor GewinnFarbe(0x3a, 0x7d, 0x44);
const QColor VerlustFarbe(0xc0, 0x39, 0x2b);

/// More x labels than this and only every k-th is written.
constexpr int MaxXBeschriftungen = 50;
/// Markers on the line up to this many points.
constexpr int MaxMarkierungen = 40;

// The category axis needs distinct texts, but two quotes may well be
// equal and unlabelled points all read "". Such texts get an invisible
// tail: a word joiner and the point's number in zero-width characters.
const QChar Verbinder(0x2060);
const QChar Null(0x200B);
const QChar Eins(0x200C);

QString unsichtbareNummer(int i) {
    QString s(Verbinder);
    for (unsigned v = unsigned(i) + 1; v; v >>= 1)
        s += (v & 1) ? Eins : Null;
    return s;
}

QString ohneNummer(QString s) {
    const qsizetype p = s.indexOf(Verbinder);
    if (p >= 0) s.truncate(p);
    return s;
}

/// Titles and axis labels are laid out as rich text, which would fold a
/// run of blanks into one and take "<" as the start of a tag.
QString blankTreu(const QString& text) {
    QString s = text.toHtmlEscaped();
    s.replace(QLatin1Char(' '), QChar(0x00A0));
    return s;
}

QString ausRichText(QString s) {
    s.replace(QChar(0x00A0), QLatin1Char(' '));
    s.replace(QLatin1String("&lt;"), QLatin1String("<"));
    s.replace(QLatin1String("&gt;"), QLatin1String(">"));
    s.replace(QLatin1String("&quot;"), QLatin1String("\""));
    s.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return s;
}

/// Every k-th label is written on a crowded axis, counted from the right so
/// that the newest point keeps its label.
int schrittweite(int n) {
    return n <= MaxXBeschriftungen ? 1 : (n + MaxXBeschriftungen - 1) / MaxXBeschriftungen;
}

/// The points of the x axis that carry a label, as (point index from 0,
/// text), with the texts made distinct. Points without a label get an
/// invisible one: an axis without any would not place its title.
QList<QPair<int, QString>> kategorien(const Chartmodell& m) {
    const bool mitText = m.xBeschriftet();
    const int n = m.punktzahl();
    const int k = schrittweite(n);
    QList<QPair<int, QString>> out;
    QSet<QString> belegt;
    for (int i = (n - 1) % k; i < n; i += k) {
        QString s = mitText ? blankTreu(m.beschriftung(i + 1)) : QString();
        // An empty text would not count as a category at all.
        if (s.isEmpty() || belegt.contains(s)) s += unsichtbareNummer(i);
        belegt.insert(s);
        out.append({i, s});
    }
    return out;
}

QFont schrift(qreal punkt, bool fett = false) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(punkt);
    f.setBold(fett);
    return f;
}

} // namespace

/// The empty control: the title at the top and the placeholder text in the middle.
class Graph::Leerflaeche final : public QWidget {
public:
    explicit Leerflaeche(Graph* graph) : QWidget(graph), m_graph(graph) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        const QRect innen = rect().adjusted(8, 8, -8, -8);
        p.setPen(Qt::black);
        p.setFont(schrift(11, true));
        p.drawText(innen, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                   m_graph->modell().titel());
        p.setPen(Qt::darkGray);
        p.setFont(schrift(10));
        p.drawText(innen, Qt::AlignCenter | Qt::TextWordWrap, m_graph->leertext());
    }

private:
    Graph* m_graph;
};

Graph::Graph(QWidget* parent) : QWidget(parent), m_hintergrund(Qt::white) {
    setObjectName(QStringLiteral("Graph1"));
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    m_stapel = new QStackedWidget(this);
    box->addWidget(m_stapel);

    m_leer = new Leerflaeche(this);
    m_stapel->addWidget(m_leer);

    m_chart = new QChart;
    m_chart->legend()->hide();
    m_chart->setBackgroundRoundness(0);
    m_chart->setBackgroundPen(Qt::NoPen);
    m_chart->setDropShadowEnabled(false);
    m_chart->setMargins(QMargins(6, 6, 6, 6));
    m_chart->setTitleFont(schrift(11, true));
    m_chart->setAnimationOptions(QChart::NoAnimation);
    // Tick labels with the decimal comma and without thousands points.
    QLocale deutsch(QLocale::German, QLocale::Germany);
    deutsch.setNumberOptions(QLocale::OmitGroupSeparator);
    m_chart->setLocale(deutsch);
    m_chart->setLocalizeNumbers(true);

    m_ansicht = new QChartView(m_chart, this);
    m_ansicht->setRenderHint(QPainter::Antialiasing);
    m_ansicht->setFrameShape(QFrame::NoFrame);
    m_ansicht->setAccessibleName(QStringLiteral("Chart"));
    m_stapel->addWidget(m_ansicht);
    m_stapel->setCurrentWidget(m_leer);
    setAccessibleName(QStringLiteral("Chart"));
}

Graph::~Graph() = default;

void Graph::setLeertext(const QString& text) {
    m_leertext = text;
    m_leer->update();
}

void Graph::setHintergrund(const QColor& farbe) {
    m_hintergrund = farbe;
    m_chart->setBackgroundBrush(farbe);
    m_ansicht->setBackgroundBrush(farbe);
    m_chart->setPlotAreaBackgroundBrush(Qt::white);
    m_chart->setPlotAreaBackgroundVisible(farbe != QColor(Qt::white));
}

void Graph::zeichnen() {
    const Chartmodell& m = m_modell;
    m_gezeichnet = m;
    m_istGezeichnet = true;

    m_chart->removeAllSeries();
    for (QAbstractAxis* a : m_chart->axes()) {
        m_chart->removeAxis(a);
        delete a;
    }
    m_chart->setTitle(blankTreu(m.titel()));

    const int n = m.punktzahl();
    // Points stand at x = 0 … N−1, each label on its point.
    auto* x = new QCategoryAxis;
    x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    x->setStartValue(-0.5);
    x->setRange(-0.5, std::max(0, n - 1) + 0.5);
    const auto labels = kategorien(m);
    for (const auto& [i, text] : labels)
        x->append(text, i);
    // Hidden labels would also take the bottom title's room: an axis
    // without labels carries invisible ones.
    x->setGridLineVisible(m.senkrechteLinien());
    x->setTitleText(blankTreu(m.untertitel()));
    x->setTitleFont(schrift(10, true));
    qsizetype laengste = 0, zahl = 0;
    for (const auto& l : labels) {
        const qsizetype lang = ohneNummer(l.second).size();
        laengste = std::max(laengste, lang);
        zahl += lang > 0;
    }
    // Many or long labels stand upright under their points.
    x->setLabelsAngle(zahl > 12 || laengste * zahl > 120 ? -90 : 0);
    x->setLabelsFont(schrift(zahl > 30 ? 7 : 8));
    // Upright labels would otherwise be cut to the width between two points.
    x->setTruncateLabels(false);

    auto* y = new QValueAxis;
    const YAchse bereich = yAchseFuer(m.werte(), m.istBalken());
    y->setRange(bereich.min, bereich.max);
    y->setTickCount(bereich.ticks);
    y->setLabelFormat(QStringLiteral("%.%1f").arg(bereich.nachkommastellen));
    y->setLabelsVisible(m.yBeschriftet());
    y->setGridLineVisible(m.waagerechteLinien());
    y->setLabelsFont(schrift(8));

    m_chart->addAxis(x, Qt::AlignBottom);
    m_chart->addAxis(y, Qt::AlignLeft);

    if (m.istBalken()) {
        auto* satz = new QBarSet(QString());
        satz->append(m.werte());
        satz->setColor(GewinnFarbe);
        // Thin bars would show only their border.
        if (n > MaxMarkierungen)
            satz->setPen(Qt::NoPen);
        else
            satz->setBorderColor(GewinnFarbe.darker(130));
        satz->setSelectedColor(VerlustFarbe);
        QList<int> verluste;
        for (int i = 0; i < n; ++i)
            if (m.werte()[i] < 0) verluste << i;
        satz->selectBars(verluste);
        auto* reihe = new QBarSeries;
        reihe->append(satz);
        reihe->setBarWidth(0.7);
        m_chart->addSeries(reihe);
        reihe->attachAxis(x);
        reihe->attachAxis(y);
    } else {
        auto* reihe = new QLineSeries;
        QList<QPointF> punkte;
        punkte.reserve(n);
        for (int i = 0; i < n; ++i)
            punkte << QPointF(i, m.werte()[i]);
        reihe->replace(punkte);
        QPen stift(LinienFarbe);
        stift.setWidthF(2);
        reihe->setPen(stift);
        reihe->setPointsVisible(n <= MaxMarkierungen);
        m_chart->addSeries(reihe);
        reihe->attachAxis(x);
        reihe->attachAxis(y);
    }
    m_stapel->setCurrentWidget(m_ansicht);
}

QImage Graph::bild(const QSize& groesse, qreal schaerfe) {
    schaerfe = std::clamp(schaerfe, 1.0, 8.0);
    QImage bild(groesse * schaerfe, QImage::Format_ARGB32_Premultiplied);
    bild.setDevicePixelRatio(schaerfe);
    bild.fill(m_hintergrund);
    QPainter maler(&bild);
    maler.setRenderHint(QPainter::Antialiasing);
    maler.setRenderHint(QPainter::TextAntialiasing);
    if (!m_istGezeichnet) {
        const QSize vorher = m_leer->size();
        m_leer->resize(groesse);
        m_leer->render(&maler, QPoint(), QRegion(), RenderFlag::DrawChildren);
        m_leer->resize(vorher);
        return bild;
    }
    // The chart is laid out for the picture's size and then put back.
    const QRectF vorher = m_chart->geometry();
    m_chart->setGeometry(QRectF(QPointF(0, 0), groesse));
    if (m_chart->layout()) m_chart->layout()->activate();
    // Axis titles and labels find their places in posted layout events.
    QCoreApplication::sendPostedEvents();
    m_chart->scene()->render(&maler, QRectF(QPointF(0, 0), groesse),
                             QRectF(QPointF(0, 0), groesse));
    maler.end();
    m_chart->setGeometry(vorher);
    if (m_chart->layout()) m_chart->layout()->activate();
    QCoreApplication::sendPostedEvents();
    return bild;
}

QStringList Graph::xBeschriftungen() const {
    if (!m_istGezeichnet || !m_gezeichnet.xBeschriftet()) return {};
    return m_gezeichnet.beschriftungen();
}

QStringList Graph::sichtbareXBeschriftungen() const {
    const auto achsen = m_chart->axes(Qt::Horizontal);
    auto* x = achsen.isEmpty() ? nullptr : qobject_cast<QCategoryAxis*>(achsen.first());
    if (!x) return {};
    QStringList out(m_gezeichnet.punktzahl());
    for (const QString& s : x->categoriesLabels()) {
        const int i = int(std::lround(x->endValue(s)));
        if (i >= 0 && i < out.size()) out[i] = ausRichText(ohneNummer(s));
    }
    return out;
}

QPair<double, double> Graph::yBereich() const {
    const auto achsen = m_chart->axes(Qt::Vertical);
    if (auto* y = achsen.isEmpty() ? nullptr : qobject_cast<QValueAxis*>(achsen.first()))
        return {y->min(), y->max()};
    return {0, 0};
}
