#pragma once
// Checks over a whole window: what a screen reader and the keyboard meet.

#include <QStringList>

class QPalette;
class QWidget;

/// The interactive controls of fenster (buttons, entry fields, lists,
/// tables, date pickers, itself included) whose accessible name, as a screen
/// reader reads it, is empty. Parts of a composite control (a combo box's
/// line edit, a table's scroll bars, the tabs of a tab bar) are not separate
/// controls. Hidden controls count: they show at other times.
/// Each entry reads "class objectName".
QStringList unbenannteBedienelemente(QWidget* fenster);

/// The push buttons of fenster that Enter would press without being
/// focused: auto-default or default ones. erlaubt lists the object names
/// of buttons a window names as its default.
QStringList standardknoepfe(QWidget* fenster, const QStringList& erlaubt = {});

/// Where a shown window stands wrongly on its screen: larger than the free
/// area, partly outside it, or off its centre. Empty when it stands right.
QString fensterplatzFehler(QWidget* fenster);

/// Where Tab does not walk fenster's visible, enabled controls in reading
/// order (the order of its layouts: top to bottom, left to right, a grid row
/// by row; a tab strip before its page), starting at the first control and
/// going once round. Every tab page of the window is walked; a control
/// switched off counts where it stands once on. Empty when Tab reaches each
/// control once, in that order, and comes back to the first.
QString tabfolgeFehler(QWidget* fenster);

/// The visible labels whose shown text a screen reader would not read: the
/// text is neither their accessible name, nor part of it or of their
/// accessible description. Each entry reads "objectName: text / name".
QStringList stummeLabels(QWidget* fenster);

/// The visible labels of the shown fenster whose text, as drawn, has less
/// than mindestens : 1 contrast to the background behind it (relative
/// luminance of the glyphs' farthest pixel against the label's most
/// frequent colour).
QStringList kontrastFehler(QWidget* fenster, double mindestens = 4.5);

/// A dark system palette: light texts on dark backgrounds.
QPalette dunklePalette();
