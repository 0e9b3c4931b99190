#pragma once
// The start procedure: checks and opens the database, shows the start
// window, and after its delay loads the main window.

#include "app/AppContext.h"
#include "extras/pwfrage.h"
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <memory>

class Aktiendataform;
class FormGruss;
class Programmsperre;
class Startpruefung;

class Programmstart final : public QObject {
    Q_OBJECT
public:
    /// `ctx.db` is opened here; `grussMs` is the start window's delay.
    explicit Programmstart(AppContext ctx, int grussMs = 2000, QObject* parent = nullptr);
    ~Programmstart() override;

    /// Another program on the same directory, a missing or unreadable
    /// database: the message is shown and false is returned; the program then
    /// ends with exitCode(). Otherwise the start window is up, the file is
    /// checked meanwhile, and the event loop takes over; a damaged file ends
    /// the program (beendet) when the start window's time is over.
    bool starten();
    int exitCode() const { return m_exitCode; }

    FormGruss* gruss() const;
    Aktiendataform* hauptfenster() const { return m_haupt.get(); }
    /// The password prompt shown before a file encrypted with the password is opened.
    pwfrage* passwortFrage() const { return m_frage.data(); }

signals:
    /// The program ends; the receiver leaves the event loop with this code.
    void beendet(int code);

private:
    /// The file is open: its check and the start window.
    void nachDemOeffnen(const QString& pfad);
    void nachDemGruss();
    void hauptfensterLaden();

    AppContext m_ctx;
    int m_grussMs;
    /// From the password prompt's OK: the key is derived within the start window.
    QElapsedTimer m_seitPasswort;
    int m_exitCode = 0;
    QPointer<FormGruss> m_gruss;
    QPointer<pwfrage> m_frage;
    std::unique_ptr<Aktiendataform> m_haupt;
    std::unique_ptr<Programmsperre> m_sperre;
    std::unique_ptr<Startpruefung> m_pruefung;
};
