#include "RollixPlugin.h"

#include "TextScroll.h"

QStringList RollixPlugin::identifiers() const {
    return {QStringLiteral("RollixTextScroll.TextScroll")};
}

QWidget* RollixPlugin::create(const QString& id, QWidget* parent) {
    if (id == QLatin1String("RollixTextScroll.TextScroll")) return new TextScroll(parent);
    return nullptr;
}
