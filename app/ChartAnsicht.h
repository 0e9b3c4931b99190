#pragma once
// The chart view of the main window, where the 30-day chart and the balance
// chart are drawn. The chart commands draw into Graph1 and the main window
// tells the view what it shows and how it is printed. Above the chart a
// heading names the package or the day of the balance.

#include <QWidget>
#include <functional>

class Dialogs;
class Graph;
class QLabel;

class ChartAnsicht final : public QWidget {
    Q_OBJECT
public:
    /// What Graph1 shows: the print command prints a line chart as the
    /// 30-day chart and a bar chart as the balance chart.
    enum class Art { Keine, Linie, Balken };

    explicit ChartAnsicht(QWidget* parent = nullptr);

    Art art() const { return m_art; }
    /// Records what was drawn into Graph1 and the print of that chart.
    void setGrafik(Art art, std::function<void()> drucken);

    /// A chart command drawing into Graph1: when zeichnen drew (true), the
    /// heading and what Graph1 shows and how it prints are recorded and the
    /// result is true; otherwise the view stays as it was.
    bool zeichnen(Art art, const QString& ueberschrift, const std::function<bool(Graph&)>& zeichnen,
                  std::function<void()> drucken);

    /// The print command's chart part: with a chart in view asks "Möchten
    /// Sie die Grafik jetzt drucken?" and prints it on Yes; true then (the
    /// command is done either way). False when no chart is in view.
    bool grafikDrucken(Dialogs& dialogs, QWidget* eltern);

    /// The heading over the chart; hidden while empty.
    void setUeberschrift(const QString& text);

    /// The chart control.
    Graph* Graph1 = nullptr;
    /// The heading ("Gewinn / Verlust am  …" over the balance chart).
    QLabel* Label18 = nullptr;

private:
    Art m_art = Art::Keine;
    std::function<void()> m_drucken;
};
