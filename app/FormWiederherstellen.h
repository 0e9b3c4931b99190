#pragma once
// "Sicherung wiederherstellen": the backups, newest first, with what each
// holds; a damaged one is shown but cannot be chosen.

#include "app/Wiederherstellung.h"
#include <QDialog>
#include <functional>

class Dialogs;
class QPushButton;
class QTreeWidget;

class FormWiederherstellen final : public QDialog {
    Q_OBJECT
public:
    /// ausfuehren restores the chosen file and returns the German reason of
    /// a failure (empty on success).
    FormWiederherstellen(Dialogs& dialogs, const QList<Wiederherstellung::Stand>& staende,
                         std::function<QString(const QString& pfad, const QString& passwort)> ausfuehren,
                         QWidget* parent = nullptr);

    QTreeWidget* Liste = nullptr;
    QPushButton* Command1 = nullptr; ///< "&Wiederherstellen"
    QPushButton* Command2 = nullptr; ///< "&Abbrechen"

    /// The backups in ordner, read on threads of their own while a progress
    /// dialog over parent says how many are done.
    static QList<Wiederherstellung::Stand> staendeLesen(QWidget* parent, const QString& ordner,
                                                        const QString& connect);

    /// The restore was done.
    bool erfolgreich() const { return m_erfolgreich; }

public slots:
    void Command1_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    Dialogs& m_dialogs;
    QList<Wiederherstellung::Stand> m_staende;
    std::function<QString(const QString&, const QString&)> m_ausfuehren;
    bool m_erfolgreich = false;
};
