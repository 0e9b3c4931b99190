#include "Launcher.h"

#include "Dialogs.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

// Editors that open a window of their own; terminal editors named in
// $VISUAL/$EDITOR would start invisibly without a terminal.
bool isGraphical(const QString& program) {
    static const QStringList extra{QStringLiteral("gvim"),  QStringLiteral("code"),
                                   QStringLiteral("geany"), QStringLiteral("emacs"),
                                   QStringLiteral("xedit"), QStringLiteral("kwrite")};
    const QString base = QFileInfo(program).fileName();
    return DesktopEditorLauncher::knownEditors().contains(base) || extra.contains(base);
}

} // namespace

DesktopEditorLauncher::DesktopEditorLauncher()
    : DesktopEditorLauncher(
          [](const QString& name) { return QStandardPaths::findExecutable(name); },
          [](const QString& program) { return QProcess::startDetached(program, {}); },
          [](const char* name) { return qEnvironmentVariable(name); }) {}

DesktopEditorLauncher::DesktopEditorLauncher(Finder find, Starter start, Env env)
    : m_find(std::move(find)), m_start(std::move(start)), m_env(std::move(env)) {}

QStringList DesktopEditorLauncher::knownEditors() {
    return {
        QStringLiteral("gnome-text-editor"), QStringLiteral("gedit"),     QStringLiteral("kate"),
        QStringLiteral("mousepad"),          QStringLiteral("xed"),       QStringLiteral("pluma"),
        QStringLiteral("leafpad"),           QStringLiteral("featherpad")};
}

bool DesktopEditorLauncher::startEditor() {
    m_started.clear();
    QStringList candidates;
    for (const char* var : {"VISUAL", "EDITOR"}) {
        // Only the program itself; arguments in the variable are not ours to guess.
        const QString value = m_env(var).trimmed().section(QLatin1Char(' '), 0, 0);
        if (!value.isEmpty() && isGraphical(value)) candidates.append(value);
    }
    candidates += knownEditors();
    for (const QString& name : candidates) {
        const QString path = m_find(name); // also checks an absolute path
        if (path.isEmpty()) continue;
        if (m_start(path)) {
            m_started = path;
            return true;
        }
    }
    return false;
}

void NotepadStarten(EditorLauncher& launcher, Dialogs& dialogs, QWidget* parent) {
    if (!launcher.startEditor())
        dialogs.notice(parent, QStringLiteral("Es konnte kein Texteditor gestartet werden."));
}
