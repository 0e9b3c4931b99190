#pragma once
// The host form's property store, handed to a control so it can keep its
// property values between runs of the host. Header-only, shared by host and
// control library; the host implements it (e.g. over a QVariantMap).
//
// A control calls its Q_INVOKABLE ReadProperties(PropertyBag*) and
// WriteProperties(PropertyBag*) with it; writing skips values equal to their
// default, so a bag holds only what differs.

#include <QMetaType>
#include <QString>
#include <QVariant>

class PropertyBag {
public:
    virtual ~PropertyBag() = default;
    /// The stored value for `key`, or `defaultValue` when none is stored.
    virtual QVariant read(const QString& key, const QVariant& defaultValue) const = 0;
    virtual void write(const QString& key, const QVariant& value) = 0;
};

Q_DECLARE_METATYPE(PropertyBag*)
