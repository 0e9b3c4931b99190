#pragma once
// The caption beside an entry field also names the field: a screen reader
// reads it when the field takes the focus.

#include <QLabel>

/// A label with text for feld; feld takes the text (without its edge
/// blanks) as its accessible name.
inline QLabel* beschriftung(const QString& text, QWidget* feld, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setBuddy(feld);
    feld->setAccessibleName(text.trimmed());
    return l;
}
