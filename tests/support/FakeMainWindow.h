#pragma once
// A light stand-in for the main window: a real database and record sets,
// scripted message boxes, a fixed clock, and counters for the calls the
// windows make. Tests of the subsystem windows build one of these.

#include "core/Clock.h"
#include "core/ModulAktien.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/Dialogs.h"
#include "platform/Drucker.h"
#include "platform/MainWindowApi.h"
#include <QProgressBar>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>

class FakeMainWindow final : public MainWindowApi {
public:
    /// Opens the database at path (must exist) and the four record sets.
    explicit FakeMainWindow(const QString& dbPath,
                            QDateTime now = QDateTime(QDate(2024, 3, 15), QTime(10, 0)));
    ~FakeMainWindow() override;

    Database& database() override { return m_db; }
    ModulAktien& modul() override { return m_modul; }
    Dialogs& dialogs() override { return m_dialogs; }
    const Clock& clock() const override { return m_clock; }
    QWidget* window() override { return &m_window; }
    Drucker& drucker() override { return m_drucker; }
    QProgressBar& ProgressBar1() override { return *m_fortschritt; }
    Recordset& Daten1() override { return *m_daten1; }
    Recordset& Daten2() override { return *m_daten2; }
    Recordset& Daten3() override { return *m_daten3; }
    Recordset& Daten4() override { return *m_daten4; }

    /// Computes the totals from Aktiendaten and keeps the panel texts.
    void SummenAktualisieren() override;
    void PaketeZaehlen() override;
    void DepotUebersicht() override { ++uebersichtCalls; }
    void zumLesezeichen() override;

    QString gesamtwertText() const override { return m_gesamtwertText; }
    QString aktieText() const override;
    QString tageskursText() const override;
    void setKartenkopfSichtbar(bool visible) override { kartenkopfSichtbar = visible; }
    void paketBefehleAktualisieren() override {
        ++paketBefehleCalls;
        paketeBeiBefehlen = m_daten1->recordCount();
    }
    void setHinweis(const QString& text) override { hinweis = text; }
    void hinweisZuruecksetzen() override { hinweis.clear(); }
    void hilfeAnzeigen() override { ++hilfeCalls; }
    void depotkontoOeffnen() override { ++depotkontoCalls; }
    bool ohneDatensaetze(const std::function<bool()>& arbeit) override;

    /// Appends a package with SQL and re-reads Daten1; returns its bookmark.
    Bookmark addPaket(const QString& aktie, int stueck, const QString& kaufpreis,
                      const QString& gebuehren, const QString& tageskurs,
                      const QDate& kaufdatum = QDate(2024, 1, 2));
    /// Books an amount (DM, German text) into Gewinne.
    void addBuchung(const QDate& datum, const QString& text, const QString& summe);

    ScriptedDialogs& scripted() { return m_dialogs; }
    /// Every print lands as a PDF file in a temporary folder.
    PdfDrucker& pdf() { return m_drucker; }
    FixedClock& fixedClock() { return m_clock; }

    int summenCalls = 0;
    int zaehlenCalls = 0;
    int uebersichtCalls = 0;
    int paketBefehleCalls = 0;
    int paketeBeiBefehlen = -1; ///< packages Daten1 held at the last command update
    int hilfeCalls = 0;
    int depotkontoCalls = 0;
    bool kartenkopfSichtbar = true;
    QString hinweis;

private:
    Database m_db;
    ModulAktien m_modul;
    ScriptedDialogs m_dialogs;
    FixedClock m_clock;
    QWidget m_window;
    QTemporaryDir m_druckOrdner;
    PdfDrucker m_drucker{m_druckOrdner.path()};
    QProgressBar* m_fortschritt = nullptr;
    std::unique_ptr<Recordset> m_daten1, m_daten2, m_daten3, m_daten4;
    QString m_gesamtwertText = QStringLiteral("0.00");
};
