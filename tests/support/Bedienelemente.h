#pragma once
// Checks over a whole window: what a screen reader and the keyboard meet.

#include <QStringList>

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
