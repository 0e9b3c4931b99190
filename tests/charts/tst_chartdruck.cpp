// Printing the charts: the chart window's print button by the chart's kind, the
// printouts themselves, and the main window's saved position afterwards.

#include "charts/BefehleCharts.h"
#include "charts/Druckstatistik.h"
#include "charts/statistik.h"
#include "core/Charts.h"
#include "db/Database.h"
#include "db/Schema.h"
#include "platform/Graph.h"
#include "platform/HoverButton.h"
#include "support/FakeMainWindow.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDate Heute(2024, 3, 15);

void kurseAnhaengen(Database& db, const QString& name, int n) {
    Transaction t(db);
    for (int i = 1; i <= n; ++i)
        db.exec(QStringLiteral("INSERT INTO kurse (aktie, datum, kurs) VALUES (?, ?, ?)"),
                {name, Heute.addDays(i - n), qint64(100 + i) * 10000});
    QVERIFY(t.commit());
}

void indexAnhaengen(Database& db, int n) {
    for (int i = 1; i <= n; ++i)
        db.exec(QStringLiteral("INSERT INTO Indexkurse (indexname, indexzahl, datum) "
                               "VALUES ('DAX', ?, '2024-03-01')"),
                {6000.0 + i});
}

/// "Page size: 841.89 x 595.276 pts (A4)" → true for a page wider than high.
bool querformat(const QString& datei) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {datei});
    p.waitForFinished(30000);
    for (const QString& z : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n')))
        if (z.startsWith(QStringLiteral("Page size:"))) {
            const QStringList teile = z.simplified().split(QLatin1Char(' '));
            return teile.size() > 4 && teile[2].toDouble() > teile[4].toDouble();
        }
    return false;
}

} // namespace

class TestChartDruck final : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_nr = 0;
    Bookmark m_basf = -1;
    Bookmark m_bayer = -1;

    /// Two packages; BASF has 130 quotes, Bayer none; 5 index values. The
    /// main window stands on BASF, lesezeichen on Bayer.
    std::unique_ptr<FakeMainWindow> neuesFenster() {
        const QString pfad = m_dir.filePath(QStringLiteral("aktien%1.mdb").arg(++m_nr));
        QString fehler;
        if (!Schema::createEmptyDatabase(pfad, Heute, &fehler)) qFatal("%s", qPrintable(fehler));
        auto mw = std::make_unique<FakeMainWindow>(pfad, QDateTime(Heute, QTime(10, 0)));
        m_bayer = mw->addPaket(QStringLiteral("Bayer"), 5, QStringLiteral("50"),
                               QStringLiteral("0"), QStringLiteral("40"));
        m_basf = mw->addPaket(QStringLiteral("BASF"), 10, QStringLiteral("10"), QStringLiteral("5"),
                              QStringLiteral("12,5"));
        kurseAnhaengen(mw->database(), QStringLiteral("BASF"), 130);
        indexAnhaengen(mw->database(), 5);
        mw->modul().lesezeichen = m_bayer;
        return mw;
    }

    static int kursZahl(Database& db) {
        return db.scalar(QStringLiteral("SELECT count(*) FROM kurse")).toInt();
    }

private slots:
    void nachArt_data() {
        QTest::addColumn<int>("art"); // -1 = none given
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("druck"); // "" = nothing printed
        const auto art = [](ChartArt a) { return static_cast<int>(a); };
        QTest::newRow("30-day chart")
            << art(ChartArt::Chart30) << statistik::caption30() << "30 Tage-Chart BASF";
        QTest::newRow("100-day chart")
            << art(ChartArt::Chart100) << statistik::caption100() << "100 Tage-Chart BASF";
        QTest::newRow("balance chart")
            << art(ChartArt::Bilanz) << statistik::captionBilanz() << "Bilanz-Chart";
        QTest::newRow("index chart, as shown")
            << art(ChartArt::Index) << statistik::captionIndex() << "Index-Chart";
        QTest::newRow("design caption")
            << -1 << QStringLiteral("Kapito 3.6 -  100 Tage-Chart") << "";
        // A caption alone chooses no printout.
        QTest::newRow("a chart's caption set by hand") << -1 << statistik::caption100() << "";
    }
    void nachArt() {
        QFETCH(int, art);
        QFETCH(QString, caption);
        QFETCH(QString, druck);
        auto mw = neuesFenster();
        statistik s(*mw);
        if (art >= 0)
            s.setArt(static_cast<ChartArt>(art));
        else
            s.setWindowTitle(caption);
        QCOMPARE(s.windowTitle(), caption);
        mw->scripted().answers = {Dialogs::Answer::Yes};
        s.schalter(14)->click();
        QCOMPARE(mw->scripted().shown.size(), 1);
        QCOMPARE(mw->scripted().shown.first().text,
                 QStringLiteral("Möchten Sie die Grafik jetzt drucken?"));
        QCOMPARE(mw->scripted().shown.first().icon, Dialogs::Icon::Question);
        const auto& auftraege = mw->pdf().auftraege;
        if (druck.isEmpty()) {
            QVERIFY(auftraege.isEmpty());
        } else {
            QCOMPARE(auftraege.size(), 1);
            QCOMPARE(auftraege.first().was, druck);
            QVERIFY(auftraege.first().ok);
            QVERIFY(querformat(auftraege.first().datei));
            // A picture, not an empty page.
            QVERIFY(QFileInfo(auftraege.first().datei).size() > 20000);
        }
        // The printout does not trim; the window stays open; the card goes
        // back to the saved package.
        QCOMPARE(kursZahl(mw->database()), 130);
        QCOMPARE(mw->Daten1().bookmark(), m_bayer);
    }

    void neinDrucktNichts() {
        auto mw = neuesFenster();
        statistik s(*mw);
        s.setArt(ChartArt::Chart100);
        mw->scripted().answers = {Dialogs::Answer::No};
        s.schalter(14)->click();
        QVERIFY(mw->pdf().auftraege.isEmpty());
        QCOMPARE(mw->scripted().shown.size(), 1);
    }

    // A printout that cannot be drawn says why instead of printing nothing silently.
    void zuWenigZumDrucken() {
        auto mw = neuesFenster();
        mw->Daten1().setBookmark(m_bayer);
        QVERIFY(!DruckeChart30(*mw));
        QVERIFY(!DruckeChart100(*mw));
        QVERIFY(mw->pdf().auftraege.isEmpty());
        QCOMPARE(mw->scripted().shown.size(), 2);
        QVERIFY(mw->scripted().lastText().contains(QStringLiteral("\"Bayer\"")));
    }

    // The print form feeds its chart as the screen does, on light grey.
    void druckform() {
        Druckstatistik form;
        Charts::chart100Druck(form.Graph1->modell(),
                              {Currency::fromWhole(10), Currency::fromWhole(12)},
                              QStringLiteral(" BASF "), Currency::fromWhole(12));
        form.Graph1->zeichnen();
        const QImage bild = form.bild();
        QVERIFY(bild.width() > bild.height());
        QCOMPARE(bild.pixelColor(1, 1), QColor(0xe0, 0xe0, 0xe0));
        QCOMPARE(form.Graph1->gezeichnet().titel(), QStringLiteral("BASF    (100 Tage-Chart)"));
        QVERIFY(!form.isVisible());
    }
};

QTEST_MAIN(TestChartDruck)
#include "tst_chartdruck.moc"
