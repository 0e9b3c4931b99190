#pragma once
// The chart window: the 100-day chart and the index chart, maximised and
// modal, with three picture buttons (help, print, close). The command that
// opens it fills Graph1 and sets the caption; the print button knows the
// chart it shows by that caption.

#include <QDialog>
#include <array>

class Graph;
class HoverButton;
class MainWindowApi;
class QFrame;
class QLabel;

class statistik final : public QDialog {
    Q_OBJECT
public:
    explicit statistik(MainWindowApi& api, QWidget* parent = nullptr);

    // Captions by which the print button recognises its chart.
    static QString caption30() { return QStringLiteral(" 30 Tage-Chart       Kapito 3.6 "); }
    static QString caption100() { return QStringLiteral(" 100 Tage-Chart         Kapito 3.6 "); }
    static QString captionBilanz() { return QStringLiteral(" Bilanz-Chart         Kapito 3.6"); }
    static QString captionIndex() {
        return QStringLiteral(" 100 Tage-Chart AktienIndex         Kapito 3.6 ");
    }

    /// Button 13, 14 or 15 of the button array; nullptr for other indexes.
    HoverButton* schalter(int index) const;

    Graph* Graph1 = nullptr;
    QFrame* Shape1 = nullptr;
    QLabel* Label1 = nullptr; ///< "Morlent 2000"

public slots:
    void schalter_Click(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void anordnen();

    MainWindowApi& m_api;
    std::array<HoverButton*, 3> m_schalter{}; ///< indexes 13, 14, 15
};
