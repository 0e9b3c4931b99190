#pragma once
// The library's root object: the class factory behind the identifiers of its
// metadata (rollix.json).

#include "ControlFactory.h"

#include <QObject>

class RollixPlugin final : public QObject, public ControlFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ControlFactory_iid FILE "rollix.json")
    Q_INTERFACES(ControlFactory)
public:
    QStringList identifiers() const override;
    QWidget* create(const QString& id, QWidget* parent) override;
};
