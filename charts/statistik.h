#pragma once
// The chart window: the 100-day chart and the index chart, maximised and
// modal, with three picture buttons (help, print, close). The command that
// opens it fills Graph1 and tells it which chart it shows; that sets the
// caption and what the print button prints.

#include "charts/BefehleCharts.h"
#include <QDialog>
#include <array>
#include <optional>

class Graph;
class HoverButton;
class MainWindowApi;
class QFrame;
class QLabel;

class statistik final : public QDialog {
    Q_OBJECT
public:
    explicit statistik(MainWindowApi& api, QWidget* parent = nullptr);

    // The captions of the charts.
    static QString caption30() { return QStringLiteral(" 30 Tage-Chart       Kapito 3.6 "); }
    static QString caption100() { return QStringLiteral(" 100 Tage-Chart         Kapito 3.6 "); }
    static QString captionBilanz() { return QStringLiteral(" Bilanz-Chart         Kapito 3.6"); }
    static QString captionIndex() {
        return QStringLiteral(" 100 Tage-Chart AktienIndex         Kapito 3.6 ");
    }

    static QString caption(ChartArt art);

    /// The chart shown: its caption, and its printout on the print button.
    /// Until it is set the window keeps its design caption and prints nothing.
    void setArt(ChartArt art);
    std::optional<ChartArt> art() const { return m_art; }

    /// Button 13 " Hilfe aufrufen ", 14 " Chart drucken " or 15 " Fenster
    /// schließen "; nullptr for other indexes.
    HoverButton* schalter(int index) const;

    Graph* Graph1 = nullptr;  ///< the chart
    QFrame* Shape1 = nullptr; ///< the frame around it
    QLabel* Label1 = nullptr; ///< "Morlent 2000"

public slots:
    void schalter_Click(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void anordnen();

    MainWindowApi& m_api;
    std::array<HoverButton*, 3> m_schalter{}; ///< indexes 13, 14, 15
    std::optional<ChartArt> m_art;
};
