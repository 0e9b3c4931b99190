#pragma once
// The heading every dialog of the program shows at its top.

#include <QFont>
#include <QLabel>

/// A label in the heading font: bold, two points larger than the parent's.
inline QLabel* ueberschrift(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 2);
    label->setFont(f);
    return label;
}
