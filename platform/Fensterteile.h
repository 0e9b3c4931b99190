#pragma once
// Parts that several windows share: the frame rectangle, the small label in
// the corner, the three picture buttons help / print / close and the
// typewriter report text of the report and chart windows, the text button
// and the date picker of the data windows.

#include <QDate>
#include <QString>
#include <array>
#include <functional>
#include <initializer_list>

class HoverButton;
class MainWindowApi;
class QFrame;
class QLabel;
class QLineEdit;
class QDateEdit;
class QPlainTextEdit;
class QWidget;

namespace Fensterteile {

/// The frame rectangle `Shape1` around a window's content.
QFrame* rahmen(QWidget* fenster);

/// A small label (Arial 6.75 pt), such as "Kapito 3.5" in a window's corner.
QLabel* kleinesLabel(const QString& text, QWidget* fenster);

/// The picture buttons 13, 14 and 15 (" Hilfe aufrufen ", druckText,
/// " Fenster schließen "): 27 × 27 pixels, the caption as tool tip and
/// accessible name, never a default button. symbole is the resource folder
/// holding "hilfe.png", "drucken.png" and "schliessen.png"; klick gets the
/// button's index.
std::array<HoverButton*, 3> schalter13bis15(QWidget* fenster, const QString& druckText,
                                            const QString& symbole,
                                            const std::function<void(int)>& klick);

/// What buttons 13–15 of the report and chart windows do: 13 opens the help,
/// 14 prints after the question druckFrage, 15 closes fenster. After each the
/// main window returns to its saved package.
void schalterKlick(MainWindowApi& api, QWidget* fenster, int index, const QString& druckFrage,
                   const std::function<void()>& drucken);

/// Tab takes the controls in this order, the reading order of their window,
/// where the order they were made in differs from it.
void tabfolge(std::initializer_list<QWidget*> folge);

/// A password field: it shows each character typed as "*".
void passwortfeld(QLineEdit* feld);

/// A button with its caption; the caption without its outer blanks is its
/// accessible name. Like every HoverButton it is never a default button.
HoverButton* textknopf(const QString& name, const QString& text, QWidget* fenster);

/// A date picker showing "dd.MM.yyyy" with a calendar to drop down; on
/// datum when one is given. Tab leaves it; the arrow keys move between its
/// parts.
QDateEdit* datumsfeld(const QString& name, QWidget* fenster, const QDate& datum = QDate());

/// The column-header line above a report: its proportional face's narrow
/// blanks put the captions over the typewriter columns below.
QLabel* berichtskopf(const QString& name, QWidget* parent);

/// The read-only report text in Courier New 8.25 pt, without line wrap.
QPlainTextEdit* berichtsfeld(const QString& name, const QString& beschriftung, QWidget* parent);

/// Puts a report into the box (CR LF as one line break) with the caret at its
/// end, and keeps the end in view once the box has its final size.
void berichtZeigen(QPlainTextEdit* feld, const QString& text);

} // namespace Fensterteile
