#pragma once
// The timed operations and their plain-SQL floors.

#include "BigDepot.h"
#include "Floors.h"
#include "Harness.h"

#include "db/Database.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

/// A program directory with a fresh copy of the generated depot on demand.
class BenchContext final {
public:
    BenchContext(QString baseFile, QString programDir, QDate today, BigDepotInfo info, int runs);
    ~BenchContext();

    /// Closes the database, copies the generated file over "aktien.mdb" and
    /// opens it again. Not timed by the callers.
    void fresh();
    Database& db() { return *m_db; }
    QString dbPath() const;
    const QString& programDir() const { return m_programDir; }
    const QDate& today() const { return m_today; }
    const BigDepotInfo& info() const { return m_info; }
    int runs() const { return m_runs; }

    QStringList skipped; ///< operations that have no entry point yet
    QString only;        ///< runs only operations whose name contains this

    bool want(const QString& name) const {
        return only.isEmpty() || name.contains(only, Qt::CaseInsensitive);
    }

private:
    QString m_base;
    QString m_programDir;
    QDate m_today;
    BigDepotInfo m_info;
    int m_runs;
    std::unique_ptr<Database> m_db;
};

QList<BenchResult> runAll(BenchContext& ctx);

/// Carries a failure of the measurement into the result's note.
BenchResult finishedResult(BenchResult r);

/// The plain-SQL floors of the package changes, by kind: 0 purchase,
/// 1 partial sale, 2 whole sale, 3 deletion. prepare runs untimed.
struct WriteFloors {
    std::function<void(int)> prepare;
    std::function<void(int)> run;
};

/// Times the main window's load, card, totals and the changes with its refresh.
void runMainWindow(BenchContext& ctx, QList<BenchResult>& out, const WriteFloors& floors);

/// Times the daily backup of the depot.
void runSicherung(BenchContext& ctx, QList<BenchResult>& out);
/// Times recording the undo images, an undo, listing and restoring backups.
void runRueckgaengig(BenchContext& ctx, QList<BenchResult>& out);
/// Times the stock split, merging of packages and opening the settings window.
void runExtras(BenchContext& ctx, QList<BenchResult>& out);
/// Times the report texts, the short report in the main window and the
/// complete report printed to PDF.
void runReports(BenchContext& ctx, QList<BenchResult>& out);
/// Times taking over a Jet-format depot of the benchmark's size.
void runJetUebernahme(BenchContext& ctx, QList<BenchResult>& out);
/// Times opening the index window and the watch list and a watch-list cell edit.
void runBeobachten(BenchContext& ctx, QList<BenchResult>& out);
/// Times the start check of the file, compaction with its progress dialog and
/// the account window opened on the whole ledger.
void runStart(BenchContext& ctx, QList<BenchResult>& out);
/// Times feeding the quote charts, the balance chart and opening the
/// chart-quote window.
void runCharts(BenchContext& ctx, QList<BenchResult>& out);
/// Times the preview and the write of a 100,000-row quote file and the export.
void runDatenaustausch(BenchContext& ctx, QList<BenchResult>& out);
