// Writes the shipped empty database. Never overwrites an existing file, so
// a user's data cannot be lost by running it twice.

#include "db/Schema.h"
#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "Aufruf: kapito_mkdb <Datei>\n");
        return 2;
    }
    const QString& path = args.at(1);
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        std::fprintf(stderr, "kapito_mkdb: %s gibt es schon, sie wird nicht überschrieben.\n",
                     qPrintable(path));
        return 1;
    }
    QString error;
    if (!Schema::createEmptyDatabase(path, QDate::currentDate(), &error)) {
        std::fprintf(stderr, "kapito_mkdb: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
