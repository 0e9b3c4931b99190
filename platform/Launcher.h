#pragma once
// Starting the desktop's text editor ("&Notepad starten"), behind a seam so
// tests record the start instead of opening an editor.

#include <QString>
#include <QStringList>
#include <functional>

class Dialogs;
class QWidget;

class EditorLauncher {
public:
    virtual ~EditorLauncher() = default;
    /// Starts the editor detached, without waiting; false when none could be started.
    virtual bool startEditor() = 0;
};

/// Tries $VISUAL and $EDITOR when they name a graphical editor, then a list of
/// common desktop editors, the first that is installed and starts.
class DesktopEditorLauncher final : public EditorLauncher {
public:
    using Finder = std::function<QString(const QString& name)>;  ///< full path or empty
    using Starter = std::function<bool(const QString& program)>; ///< detached start
    using Env = std::function<QString(const char* name)>;

    DesktopEditorLauncher(); ///< real lookup, real start, real environment
    DesktopEditorLauncher(Finder find, Starter start, Env env);

    bool startEditor() override;

    /// Desktop editors tried in this order.
    static QStringList knownEditors();
    /// The program last started (empty if none).
    QString started() const { return m_started; }

private:
    Finder m_find;
    Starter m_start;
    Env m_env;
    QString m_started;
};

/// The "&Notepad starten" command: starts the editor and says so in a German
/// message when none could be started.
void NotepadStarten(EditorLauncher& launcher, Dialogs& dialogs, QWidget* parent);
