#pragma once
// The print form of the charts: never shown. Its chart Graph1 is filled
// and drawn like a chart on screen, then printed as a picture on a light
// grey page, landscape.

#include "platform/Drucker.h"
#include <QString>
#include <QWidget>

class Graph;

class Druckstatistik final : public QWidget {
    Q_OBJECT
public:
    explicit Druckstatistik(QWidget* parent = nullptr);

    /// The form's picture: the drawn chart on the light grey background.
    QImage bild() const;
    /// Prints the picture; was names the print (job and file name).
    bool drucken(Drucker& drucker, const QString& was) const;

    Graph* Graph1 = nullptr;
};
