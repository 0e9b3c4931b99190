#include "platform/Dateiwahl.h"

#include <QDir>
#include <QFileDialog>

QString WidgetDateiwahl::dateiOeffnen(QWidget* parent, const QString& titel,
                                      const QString& filter) {
    return QFileDialog::getOpenFileName(parent, titel, QDir::homePath(), filter);
}

QString WidgetDateiwahl::ordnerWaehlen(QWidget* parent, const QString& titel) {
    return QFileDialog::getExistingDirectory(parent, titel, QDir::homePath());
}
