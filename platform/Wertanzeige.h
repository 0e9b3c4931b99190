#pragma once
// A label that shows a value is read by a screen reader as that value: its
// accessible name is the text it shows now, after its caption ("Ergebnis:
// 12"). A caption alone as its name would hide the value.

class QLabel;
class QString;

/// Marks label as showing a value under beschriftung (its edge blanks
/// dropped). The name follows every later change of the text; while the
/// label is empty it is the caption alone.
void wertanzeige(QLabel* label, const QString& beschriftung);
