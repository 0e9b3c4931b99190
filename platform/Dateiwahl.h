#pragma once
// The standard file and folder dialogs behind a seam: tests name the file or
// folder the user would pick.

#include <QString>
#include <QStringList>

class QWidget;

class Dateiwahl {
public:
    virtual ~Dateiwahl() = default;
    /// One existing file; empty when the user cancels.
    virtual QString dateiOeffnen(QWidget* parent, const QString& titel, const QString& filter) = 0;
    /// One existing folder; empty when the user cancels.
    virtual QString ordnerWaehlen(QWidget* parent, const QString& titel) = 0;
};

/// The toolkit's own dialogs (German with the program's translations).
class WidgetDateiwahl final : public Dateiwahl {
public:
    QString dateiOeffnen(QWidget* parent, const QString& titel, const QString& filter) override;
    QString ordnerWaehlen(QWidget* parent, const QString& titel) override;
};

/// Scripted answers for tests; every title asked for is recorded.
class FesteDateiwahl final : public Dateiwahl {
public:
    QString datei;
    QString ordner;
    QStringList titel;
    QString dateiOeffnen(QWidget*, const QString& t, const QString&) override {
        titel << t;
        return datei;
    }
    QString ordnerWaehlen(QWidget*, const QString& t) override {
        titel << t;
        return ordner;
    }
};
