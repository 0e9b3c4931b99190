#pragma once
// Finds the control libraries in the folder "steuerelemente" beside the
// executable and creates controls by identifier (e.g.
// "RollixTextScroll.TextScroll"). Libraries are recognised by their plugin
// metadata, read without loading them; a library is loaded only to create a
// control and is never unloaded. The host talks to a control only by member
// name, through setControlProperty / controlProperty / invokeControl.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

class QObject;
class QPluginLoader;
class QWidget;

class ControlLoader {
public:
    /// The identifier of the scrolling-text control.
    static QString textScrollId() { return QStringLiteral("RollixTextScroll.TextScroll"); }
    /// applicationDirPath() + "/steuerelemente".
    static QString defaultControlsDir();

    /// `controlsDir` empty = defaultControlsDir(); tests pass their own folder.
    explicit ControlLoader(QString controlsDir = QString());
    ~ControlLoader();
    ControlLoader(const ControlLoader&) = delete;
    ControlLoader& operator=(const ControlLoader&) = delete;

    QString controlsDir() const { return m_dir; }

    /// Identifiers found in the metadata of the folder's libraries (nothing is loaded).
    QStringList identifiers() const;

    /// A new control as a child of `parent`, or nullptr; then `error` (and
    /// lastError()) holds a German reason: identifier unknown, library broken
    /// or not loadable.
    QWidget* create(const QString& id, QWidget* parent, QString* error = nullptr);
    QString lastError() const { return m_lastError; }

private:
    struct Found {
        QString path;
        QStringList ids;
    };
    std::vector<Found> scan(QStringList* broken) const;

    QString m_dir;
    QString m_lastError;
    std::vector<std::unique_ptr<QPluginLoader>> m_loaders; // keep loaded libraries
};

/// Sets a declared property of a control. A name that is not a declared
/// Q_PROPERTY is refused (false, German reason in `error`) instead of
/// silently becoming a dynamic property; so is a value the property rejects.
bool setControlProperty(QObject* control, const char* name, const QVariant& value,
                        QString* error = nullptr);
/// Reads a declared property; an invalid QVariant and a reason for an unknown name.
QVariant controlProperty(const QObject* control, const char* name, QString* error = nullptr);
/// Calls a parameterless method (Q_INVOKABLE or slot) by name, e.g. "BeginScroll".
bool invokeControl(QObject* control, const char* method, QString* error = nullptr);
