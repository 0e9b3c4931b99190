#pragma once
// The interface every control library exports. Header-only: the host includes
// it to recognise a library's root object, it never links a control library.
//
// A control library is a Qt plugin whose JSON metadata lists the identifiers
// of the controls it makes under the key "controls". Registering a library
// means placing it in the host's control folder; the host reads the metadata
// without loading the library, and loads it only to create a control. The
// plugin's root object is the class factory, the metadata is its registration
// record, and a library is never unloaded while its controls live.
//
// A created control is used only through Qt's meta-object system, by member
// name (properties, Q_INVOKABLE methods), so the host needs no control header.

#include <QString>
#include <QStringList>
#include <QtPlugin>

class QWidget;

class ControlFactory {
public:
    virtual ~ControlFactory() = default;
    /// The identifiers this library can create, as in its metadata.
    virtual QStringList identifiers() const = 0;
    /// A new control for `id` as a child of `parent`, or nullptr for an
    /// identifier this library does not know.
    virtual QWidget* create(const QString& id, QWidget* parent) = 0;
};

#define ControlFactory_iid "de.kapito.ControlFactory/1.0"
Q_DECLARE_INTERFACE(ControlFactory, ControlFactory_iid)
