// The chart control: what it draws from the chart model, and its picture.
#include "platform/Graph.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QTest>
#include <QValueAxis>

namespace {

void linie(Chartmodell& m, const QList<double>& werte, const QStringList& labels = {}) {
    m.setPunktzahl(int(werte.size()));
    m.setAutoWeiter(false);
    m.setTyp(Chartmodell::Linie);
    for (int i = 0; i < werte.size(); ++i) {
        m.setPunkt(i + 1);
        m.setWert(werte[i]);
        if (i < labels.size()) m.setBeschriftung(labels[i]);
    }
}

QAbstractAxis* achse(const Graph& g, Qt::Orientation o) {
    const auto a = g.chart()->axes(o);
    return a.isEmpty() ? nullptr : a.first();
}

} // namespace

class TstGraph final : public QObject {
    Q_OBJECT
private slots:
    void linieMitBeschriftungen() {
        Graph g;
        g.resize(600, 400);
        // Equal quotes give equal labels; each point keeps its own.
        linie(g.modell(), {12.5, 12.5, 13.0},
              {QStringLiteral("12,50"), QStringLiteral("12,50"), QStringLiteral("13,00")});
        g.modell().setLabelModus(Chartmodell::BeideAchsen);
        g.modell().setGitter(Chartmodell::BeideRichtungen);
        g.modell().setTitel(QStringLiteral("30-Tage-Chart"));
        g.zeichnen();

        QCOMPARE(g.chart()->title(), QStringLiteral("30-Tage-Chart"));
        const auto reihen = g.chart()->series();
        QCOMPARE(reihen.size(), 1);
        auto* l = qobject_cast<QLineSeries*>(reihen.first());
        QVERIFY(l);
        QCOMPARE(l->points(), (QList<QPointF>{{0, 12.5}, {1, 12.5}, {2, 13.0}}));
        QCOMPARE(g.sichtbareXBeschriftungen(),
                 (QStringList{QStringLiteral("12,50"), QStringLiteral("12,50"),
                              QStringLiteral("13,00")}));
        // Each label stands on its point.
        auto* x = qobject_cast<QCategoryAxis*>(achse(g, Qt::Horizontal));
        QVERIFY(x);
        QCOMPARE(x->count(), 3);
        QCOMPARE(x->endValue(x->categoriesLabels().last()), 2.0);
        QVERIFY(x->isGridLineVisible());
        QVERIFY(achse(g, Qt::Vertical)->isGridLineVisible());
        const auto [lo, hi] = g.yBereich();
        QVERIFY(lo <= 12.5 && hi >= 13.0 && lo > 0);
    }

    // Labels and titles show as written: blanks kept, markup characters as text.
    void texteWieGeschrieben() {
        Graph g;
        const QStringList labels{QStringLiteral("A&B   12,50"), QStringLiteral("<b>x</b>   -1,00")};
        linie(g.modell(), {12.5, -1}, labels);
        g.modell().setTitel(QStringLiteral("BASF    (100 Tage-Chart)"));
        g.zeichnen();
        QCOMPARE(g.sichtbareXBeschriftungen(), labels);
        QCOMPARE(g.chart()->title(),
                 QStringLiteral("BASF\u00A0\u00A0\u00A0\u00A0(100\u00A0Tage-Chart)"));
    }

    void achsenbeschriftungUndGitter_data() {
        QTest::addColumn<int>("modus");
        QTest::addColumn<int>("gitter"); // -1 = unset
        QTest::addColumn<bool>("xLabels");
        QTest::addColumn<bool>("yLabels");
        QTest::addColumn<bool>("xGitter");
        QTest::addColumn<bool>("yGitter");
        QTest::newRow("both axes, grid both ways") << 1 << 3 << true << true << true << true;
        QTest::newRow("y only, horizontal lines") << 3 << 1 << false << true << false << true;
        QTest::newRow("y only, grid unset") << 3 << -1 << false << true << false << true;
    }
    void achsenbeschriftungUndGitter() {
        QFETCH(int, modus);
        QFETCH(int, gitter);
        Graph g;
        const QStringList abc{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
        linie(g.modell(), {1, 2, 3}, abc);
        g.modell().setLabelModus(modus);
        if (gitter >= 0) g.modell().setGitter(gitter);
        g.zeichnen();
        QFETCH(bool, xLabels);
        QCOMPARE(g.sichtbareXBeschriftungen(), xLabels ? abc : QStringList(3));
        QTEST(achse(g, Qt::Vertical)->labelsVisible(), "yLabels");
        QTEST(achse(g, Qt::Horizontal)->isGridLineVisible(), "xGitter");
        QTEST(achse(g, Qt::Vertical)->isGridLineVisible(), "yGitter");
    }

    void balkenMitVerlust() {
        Graph g;
        Chartmodell& m = g.modell();
        m.setPunktzahl(3);
        m.setAutoWeiter(true);
        m.setTyp(Chartmodell::Balken2D);
        for (double w : {120.4, -35.5, 10.0})
            m.setWert(w);
        m.setUntertitel(QStringLiteral("unten"));
        g.zeichnen();
        auto* reihe = qobject_cast<QBarSeries*>(g.chart()->series().value(0));
        QVERIFY(reihe);
        QCOMPARE(reihe->barSets().size(), 1);
        QBarSet* satz = reihe->barSets().first();
        QCOMPARE(satz->count(), 3);
        QCOMPARE(satz->at(1), -35.5);
        // The loss is drawn below the zero line, in the loss colour.
        const auto [lo, hi] = g.yBereich();
        QVERIFY(lo <= -35.5 && lo < 0 && hi >= 120.4);
        QCOMPARE(satz->selectedBars(), QList<int>{1});
        QVERIFY(satz->selectedColor() != satz->color());
        QCOMPARE(achse(g, Qt::Horizontal)->titleText(), QStringLiteral("unten"));
        // A three-dimensional bar chart is drawn as bars too.
        m.setTyp(Chartmodell::Balken3D);
        g.zeichnen();
        QVERIFY(qobject_cast<QBarSeries*>(g.chart()->series().value(0)));
    }

    void ersteZeichnenZeigtNeuenStand() {
        Graph g;
        g.setLeertext(QStringLiteral("kein Chart ausgewählt"));
        QVERIFY(!g.istGezeichnet());
        QVERIFY(g.chart()->series().isEmpty());
        linie(g.modell(), {1, 2});
        g.zeichnen();
        // Items changed afterwards wait for the next draw.
        linie(g.modell(), {5, 6, 7});
        g.modell().setTitel(QStringLiteral("neu"));
        QCOMPARE(qobject_cast<QLineSeries*>(g.chart()->series().value(0))->count(), 2);
        QCOMPARE(g.gezeichnet().punktzahl(), 2);
        QCOMPARE(g.chart()->title(), QString());
        g.zeichnen();
        QCOMPARE(g.chart()->series().size(), 1);
        QCOMPARE(qobject_cast<QLineSeries*>(g.chart()->series().value(0))->count(), 3);
        QCOMPARE(g.chart()->axes().size(), 2);
    }

    void volleAchseZeigtJedenKtenNeuesteRechts() {
        Graph g;
        Chartmodell& m = g.modell();
        m.setTyp(Chartmodell::Balken2D);
        m.setPunktzahl(1000);
        for (int i = 1; i <= 1000; ++i) {
            m.setPunkt(i);
            m.setWert(i % 7 - 3);
            m.setBeschriftung(QStringLiteral("Paket %1").arg(i));
        }
        g.zeichnen();
        QCOMPARE(g.xBeschriftungen().size(), 1000);
        const QStringList sichtbar = g.sichtbareXBeschriftungen();
        QCOMPARE(sichtbar.size(), 1000);
        QCOMPARE(sichtbar.last(), QStringLiteral("Paket 1000"));
        const auto geschrieben = std::count_if(sichtbar.begin(), sichtbar.end(),
                                               [](const QString& s) { return !s.isEmpty(); });
        QVERIFY2(geschrieben >= 40 && geschrieben <= 60, qPrintable(QString::number(geschrieben)));
    }

    void bild() {
        Graph g;
        g.setHintergrund(QColor(0xe0, 0xe0, 0xe0));
        g.resize(300, 200);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        linie(g.modell(), {1, 3, 2},
              {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        g.modell().setTitel(QStringLiteral("Titel"));
        g.zeichnen();
        const QRectF vorher = g.chart()->geometry();
        const QImage b = g.bild(QSize(1200, 800));
        QCOMPARE(b.size(), QSize(1200, 800));
        QCOMPARE(b.pixelColor(2, 2), QColor(0xe0, 0xe0, 0xe0));
        // The line is there: some pixel in the plot area has the line's blue.
        bool blau = false;
        for (int y = 100; y < 700 && !blau; y += 2)
            for (int x = 100; x < 1100 && !blau; x += 2) {
                const QColor c = b.pixelColor(x, y);
                blau = c.blue() > 120 && c.red() < 80;
            }
        QVERIFY(blau);
        QCOMPARE(g.chart()->geometry(), vorher);
    }
};

QTEST_MAIN(TstGraph)
#include "tst_graph.moc"
