#pragma once
// The chart model: what a chart consists of as the program hands it to the
// chart control (platform/Graph). One series of N points, each with a value
// and an optional x label, plus the chart type, the axis labels, the grid
// lines and two titles.
//
// A chart command sets every item it uses and then tells the control to
// draw. Items it does not set keep what the previous chart left there, so a
// control that shows several charts in turn keeps e.g. its bottom title.

#include <QList>
#include <QString>
#include <optional>

class Chartmodell final {
public:
    /// Chart types as the commands number them.
    enum Typ { Balken2D = 3, Balken3D = 4, Linie = 6 };
    /// Which axes carry labels.
    enum LabelModus { KeineAchse = 0, BeideAchsen = 1, NurXAchse = 2, NurYAchse = 3 };
    /// Grid lines; unset means the control's default (horizontal lines).
    enum Gitter { KeinGitter = 0, Waagerecht = 1, Senkrecht = 2, BeideRichtungen = 3 };

    int typ() const { return m_typ; }
    void setTyp(int typ) { m_typ = typ; }
    /// Two- or three-dimensional bar chart.
    bool istBalken() const { return m_typ == Balken2D || m_typ == Balken3D; }
    bool istLinie() const { return m_typ == Linie; }

    /// Number of points N. Setting it starts a new series: every point's
    /// value becomes 0 and its label empty, and the current point is 1.
    int punktzahl() const { return int(m_werte.size()); }
    void setPunktzahl(int n);

    /// The series the values go to; the program only ever feeds series 1.
    int serie() const { return m_serie; }
    void setSerie(int serie) { m_serie = serie; }

    /// Automatic advance: after a value or label is written the current
    /// point moves on by one, so points are filled in writing order.
    bool autoWeiter() const { return m_autoWeiter; }
    void setAutoWeiter(bool an) { m_autoWeiter = an; }

    /// The current point, 1 … N.
    int punkt() const { return m_punkt; }
    void setPunkt(int punkt) { m_punkt = punkt; }

    /// Writes the value / the x label of the current point. A write to a
    /// point outside 1 … N is dropped (the current point still advances).
    void setWert(double wert);
    void setBeschriftung(const QString& text);

    /// Value and label of point i (1 … N); 0 and empty outside.
    double wert(int i) const;
    QString beschriftung(int i) const;
    const QList<double>& werte() const { return m_werte; }
    const QList<QString>& beschriftungen() const { return m_beschriftungen; }
    /// Whether any point has a label.
    bool hatBeschriftungen() const;

    int labelModus() const { return m_labelModus; }
    void setLabelModus(int modus) { m_labelModus = modus; }
    bool xBeschriftet() const { return m_labelModus == BeideAchsen || m_labelModus == NurXAchse; }
    bool yBeschriftet() const { return m_labelModus == BeideAchsen || m_labelModus == NurYAchse; }

    std::optional<int> gitter() const { return m_gitter; }
    void setGitter(int stil) { m_gitter = stil; }
    void gitterZuruecksetzen() { m_gitter.reset(); }
    bool waagerechteLinien() const;
    bool senkrechteLinien() const;

    QString titel() const { return m_titel; }
    void setTitel(const QString& titel) { m_titel = titel; }
    QString untertitel() const { return m_untertitel; }
    void setUntertitel(const QString& titel) { m_untertitel = titel; }

    bool operator==(const Chartmodell&) const = default;

private:
    int m_typ = Linie;
    int m_serie = 1;
    bool m_autoWeiter = false;
    int m_punkt = 1;
    QList<double> m_werte;
    QList<QString> m_beschriftungen;
    int m_labelModus = BeideAchsen;
    std::optional<int> m_gitter;
    QString m_titel;
    QString m_untertitel;
};

/// The y range a chart shows for values: from the smallest to the largest
/// value, with a margin, widened to round tick steps. Bar charts always
/// include the zero line. ticks is the number of tick marks (≥ 2).
struct YAchse {
    double min = 0;
    double max = 1;
    int ticks = 2;
    int nachkommastellen = 0; ///< decimals the tick labels need
};
YAchse yAchseFuer(const QList<double>& werte, bool mitNull);
