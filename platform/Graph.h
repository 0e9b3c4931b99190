#pragma once
// The chart control. A command fills modell() item by item (type, point
// count, values, labels, titles, axis labels, grid) and then calls
// zeichnen(); only then does the control show the new chart. Line charts
// draw the points left to right with the x labels under them; bar charts
// draw one bar per point from the zero line, losses below it. The y axis is
// scaled from the values with round tick steps.
//
// Until the first chart is drawn the control shows its title and an
// optional placeholder text. bild() renders the chart into a picture for
// the printer.

#include "core/Chartmodell.h"
#include <QColor>
#include <QImage>
#include <QPair>
#include <QStringList>
#include <QWidget>

class QChart;
class QChartView;
class QStackedWidget;

class Graph final : public QWidget {
    Q_OBJECT
public:
    explicit Graph(QWidget* parent = nullptr);
    ~Graph() override;

    /// The items of the next chart. Changing them changes nothing on
    /// screen until zeichnen().
    Chartmodell& modell() { return m_modell; }
    const Chartmodell& modell() const { return m_modell; }

    /// Draws the chart from the current items.
    void zeichnen();
    /// Whether a chart has been drawn since the control was made.
    bool istGezeichnet() const { return m_istGezeichnet; }
    /// The items of the chart on screen, as they were at the last zeichnen().
    const Chartmodell& gezeichnet() const { return m_gezeichnet; }

    /// Text shown under the title while no chart has been drawn yet.
    void setLeertext(const QString& text);
    QString leertext() const { return m_leertext; }

    /// The colour around the chart (the print form's light grey).
    void setHintergrund(const QColor& farbe);
    QColor hintergrund() const { return m_hintergrund; }

    /// The drawn chart laid out for groesse (pixels) on a picture of that
    /// size filled with the background colour. Leaves the control as it is.
    /// With schaerfe > 1 the picture holds that many pixels per pixel of
    /// groesse (fonts and lines keep their size relative to the chart).
    QImage bild(const QSize& groesse, qreal schaerfe = 1.0);

    // What the drawn chart shows.
    /// The x labels as written under the points (every label of a crowded
    /// axis is kept here, even when only some are shown); empty when the x
    /// axis carries no labels.
    QStringList xBeschriftungen() const;
    /// The x labels written on the axis, one entry per point: a crowded
    /// axis labels every k-th point (the newest always), the rest stay empty.
    QStringList sichtbareXBeschriftungen() const;
    /// Lowest and highest value of the y axis.
    QPair<double, double> yBereich() const;
    /// The chart itself.
    QChart* chart() const { return m_chart; }

private:
    class Leerflaeche;

    Chartmodell m_modell;
    Chartmodell m_gezeichnet;
    bool m_istGezeichnet = false;
    QString m_leertext;
    QColor m_hintergrund;
    QStackedWidget* m_stapel = nullptr;
    Leerflaeche* m_leer = nullptr;
    QChartView* m_ansicht = nullptr;
    QChart* m_chart = nullptr;
};
