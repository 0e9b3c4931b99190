#pragma once
// Generates a large, realistic depot into a new "aktien.mdb" with a fixed
// seed, so every benchmark run measures the same data.

#include <QDate>
#include <QString>
#include <QStringList>

struct BigDepotSize {
    int pakete = 1000;
    int kurse = 250000;
    int gewinne = 50000;
    int indexkurse = 100;
    int beobachten = 200;
    int kurseVirtuell = 20000;

    BigDepotSize scaled(int factor) const;
};

struct BigDepotInfo {
    QStringList namen; ///< package names in row order
    qint64 kurseRows = 0;
};

/// Creates the file at path (which must not exist) through the schema tool and
/// fills it through the database layer. Returns false with *error on failure.
bool createBigDepot(const QString& path, const BigDepotSize& size, const QDate& today,
                    BigDepotInfo* info, QString* error);

/// Reads the facts the benchmark checks against from a depot made earlier.
bool readBigDepotInfo(const QString& path, BigDepotInfo* info, QString* error);
