// The quote charts over 30 and 100 days, the index chart, the chart window
// and the trimming of the quote and index tables.

#include "charts/BefehleCharts.h"
#include "charts/statistik.h"
#include "core/Charts.h"
#include "db/Database.h"
#include "db/Schema.h"
#include "platform/Graph.h"
#include "platform/HoverButton.h"
#include "support/FakeMainWindow.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDate Heute(2024, 3, 15);

/// Appends n quotes of a name: 1,00, 2,00, … (oldest first).
void kurseAnhaengen(Database& db, const QString& name, int n, int ab = 1) {
    Transaction t(db);
    for (int i = ab; i < ab + n; ++i)
        db.exec(QStringLiteral("INSERT INTO kurse (aktie, datum, kurs) VALUES (?, ?, ?)"),
                {name, Heute.addDays(i - n), qint64(i) * 10000});
    QVERIFY(t.commit());
}

/// The stored quotes of a name (trimmed), in insertion order, as whole numbers.
QList<qint64> gespeichert(Database& db, const QString& name) {
    QList<qint64> out;
    for (const QVariantList& z : db.rows(
             QStringLiteral("SELECT kurs FROM kurse WHERE trim(aktie) = ? ORDER BY _nr"), {name}))
        out << z.value(0).toLongLong() / 10000;
    return out;
}

QList<double> folge(int von, int bis) {
    QList<double> out;
    for (int i = von; i <= bis; ++i)
        out << i;
    return out;
}

QList<qint64> ganz(int von, int bis) {
    QList<qint64> out;
    for (int i = von; i <= bis; ++i)
        out << i;
    return out;
}

/// What the chart window showed while it was open.
struct Fenster {
    int geoeffnet = 0;
    QString caption;
    Chartmodell modell;
    bool maximiert = false;
};

} // namespace

class TestQuoteCharts final : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_nr = 0;

    std::unique_ptr<FakeMainWindow> neuesFenster() {
        const QString pfad = m_dir.filePath(QStringLiteral("aktien%1.mdb").arg(++m_nr));
        QString fehler;
        if (!Schema::createEmptyDatabase(pfad, Heute, &fehler)) qFatal("%s", qPrintable(fehler));
        return std::make_unique<FakeMainWindow>(pfad, QDateTime(Heute, QTime(10, 0)));
    }

    static ModalRunner aufzeichnen(Fenster& f) {
        return [&f](QDialog& d) {
            auto* s = qobject_cast<statistik*>(&d);
            if (!s) return 0;
            ++f.geoeffnet;
            f.caption = s->windowTitle();
            f.modell = s->Graph1->gezeichnet();
            f.maximiert = s->windowState() & Qt::WindowMaximized;
            return 0;
        };
    }

private slots:
    // Both charts on the same stored quotes.
    void beideCharts_data() {
        QTest::addColumn<int>("anzahl");
        QTest::addColumn<QList<double>>("punkte30");
        QTest::addColumn<QList<double>>("punkte100");
        QTest::newRow("2 quotes: a two-point line") << 2 << folge(1, 2) << folge(1, 2);
        QTest::newRow("45 quotes: the newest 30, all 45") << 45 << folge(16, 45) << folge(1, 45);
        QTest::newRow("100 quotes") << 100 << folge(71, 100) << folge(1, 100);
    }
    void beideCharts() {
        QFETCH(int, anzahl);
        QFETCH(QList<double>, punkte30);
        QFETCH(QList<double>, punkte100);
        auto mw = neuesFenster();
        mw->addPaket(QStringLiteral("BASF"), 10, QStringLiteral("1"), QStringLiteral("0"),
                     QStringLiteral("12,5"));
        kurseAnhaengen(mw->database(), QStringLiteral("BASF"), anzahl);

        Graph graph;
        QVERIFY(Chart30(*mw, graph));
        const Chartmodell& m = graph.gezeichnet();
        QCOMPARE(m.werte(), punkte30);
        QCOMPARE(m.titel(), QStringLiteral("30-Tage-Chart"));
        // The quotes themselves under the points, the newest at the right.
        QCOMPARE(graph.xBeschriftungen().last(), QStringLiteral("%1,00").arg(anzahl));
        QCOMPARE(graph.xBeschriftungen().first(),
                 QStringLiteral("%1,00").arg(int(punkte30.first())));

        Fenster f;
        Chart100(*mw, aufzeichnen(f));
        QCOMPARE(f.geoeffnet, 1);
        QCOMPARE(f.modell.werte(), punkte100);
        QCOMPARE(f.caption, QStringLiteral(" 100 Tage-Chart         Kapito 3.6 "));
        QCOMPARE(f.modell.titel(), QStringLiteral("BASF"));
        QCOMPARE(f.modell.untertitel(), QStringLiteral("Letzter Kurs = 12,50 Euro   (24,45 DM)"));
        QVERIFY(f.maximiert);
        QCOMPARE(gespeichert(mw->database(), QStringLiteral("BASF")).size(), anzahl);
        QVERIFY(mw->scripted().shown.isEmpty());
    }

    void zuWenigeKurse_data() {
        QTest::addColumn<int>("anzahl");
        QTest::newRow("one quote") << 1;
        QTest::newRow("none") << 0;
    }
    void zuWenigeKurse() {
        QFETCH(int, anzahl);
        auto mw = neuesFenster();
        mw->addPaket(QStringLiteral("  Deutsche Bank "), 10, QStringLiteral("1"),
                     QStringLiteral("0"), QStringLiteral("1"));
        if (anzahl) kurseAnhaengen(mw->database(), QStringLiteral("Deutsche Bank"), anzahl);
        // Another package's quotes do not count.
        kurseAnhaengen(mw->database(), QStringLiteral("Deutsche Bank AG"), 5);
        const QString meldung = QStringLiteral(
            "Keine Anzeige des Chart möglich!\n\nEs müssen mindestens 2 Kurse gespeichert "
            "sein!\nVon  \"Deutsche Bank\"  sind weniger als 2 Kurse gespeichert!");

        Graph graph;
        Charts::chart30(graph.modell(), {Currency::fromWhole(7), Currency::fromWhole(8)});
        graph.zeichnen();
        QVERIFY(!Chart30(*mw, graph));
        // The chart keeps what it showed.
        QCOMPARE(graph.gezeichnet().werte(), (QList<double>{7, 8}));

        Fenster f;
        Chart100(*mw, aufzeichnen(f));
        QCOMPARE(f.geoeffnet, 0);
        QCOMPARE(mw->scripted().shown.size(), 2);
        for (const auto& box : mw->scripted().shown) {
            QCOMPARE(box.text, meldung);
            QCOMPARE(box.icon, Dialogs::Icon::Exclamation);
            QCOMPARE(box.title, QStringLiteral("Kapito 3.6"));
        }
    }

    // Opening the 100-day chart keeps the package's newest 100 quotes for good;
    // every other name's rows stay as they were, those older than the cut too.
    void hundertTageKuerzt() {
        auto mw = neuesFenster();
        Database& db = mw->database();
        mw->addPaket(QStringLiteral("BASF"), 10, QStringLiteral("1"), QStringLiteral("0"),
                     QStringLiteral("1"));
        // Interleaved with another package, and written with and without blanks.
        kurseAnhaengen(db, QStringLiteral("Bayer"), 20, 1);
        kurseAnhaengen(db, QStringLiteral("BASF"), 60, 1);
        kurseAnhaengen(db, QStringLiteral("Bayer"), 20, 21);
        kurseAnhaengen(db, QStringLiteral(" BASF  "), 70, 61);
        kurseAnhaengen(db, QStringLiteral("BASF AG"), 120, 1);
        const auto andere = [&db] {
            return db.rows(QStringLiteral("SELECT _nr, aktie, datum, kurs FROM kurse "
                                          "WHERE trim(aktie) <> 'BASF' ORDER BY _nr"));
        };
        const QList<QVariantList> vorher = andere();

        Fenster f;
        Chart100(*mw, aufzeichnen(f));
        QCOMPARE(andere(), vorher);
        QCOMPARE(gespeichert(db, QStringLiteral("BASF")), ganz(31, 130));
        QCOMPARE(gespeichert(db, QStringLiteral("Bayer")).size(), 40);
        QCOMPARE(gespeichert(db, QStringLiteral("BASF AG")).size(), 120);
        QCOMPARE(f.modell.werte(), folge(31, 130));
        // The 30-day chart reads the same, newest 30.
        Graph graph;
        QVERIFY(Chart30(*mw, graph));
        QCOMPARE(graph.gezeichnet().werte(), folge(101, 130));
    }

    void indexchart_data() {
        QTest::addColumn<int>("anzahl");
        QTest::addColumn<int>("punkte"); // 0 = the message
        QTest::addColumn<int>("bleiben");
        QTest::newRow("101 values: the oldest goes") << 101 << 100 << 100;
        QTest::newRow("2 values") << 2 << 2 << 2;
        QTest::newRow("1 value: the message") << 1 << 0 << 1;
        QTest::newRow("none: the message") << 0 << 0 << 0;
    }
    void indexchart() {
        QFETCH(int, anzahl);
        QFETCH(int, punkte);
        QFETCH(int, bleiben);
        auto mw = neuesFenster();
        Database& db = mw->database();
        for (int i = 1; i <= anzahl; ++i)
            db.exec(QStringLiteral("INSERT INTO Indexkurse (indexname, indexzahl, datum) "
                                   "VALUES ('DAX', ?, '2024-03-01')"),
                    {6000.0 + i});
        mw->Daten4().requery();
        mw->Daten4().moveFirst();

        Fenster f;
        Indexchart(*mw, aufzeichnen(f));
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM Indexkurse")).toInt(), bleiben);
        QCOMPARE(mw->Daten4().recordCount(), bleiben);
        if (punkte == 0) {
            QCOMPARE(f.geoeffnet, 0);
            QCOMPARE(mw->scripted().lastText(),
                     QStringLiteral("Keine Anzeige des Index-Chart möglich!\n\nEs muss mindestens "
                                    "1 Indexwert gespeichert sein!\nEs wurden keine Indexwerte "
                                    "gefunden!"));
            return;
        }
        QCOMPARE(f.geoeffnet, 1);
        QCOMPARE(f.caption, QStringLiteral(" 100 Tage-Chart AktienIndex         Kapito 3.6 "));
        QCOMPARE(f.modell.titel(), QStringLiteral("100 Tage-Chart AktienIndex am 15.03.2024"));
        QCOMPARE(f.modell.punktzahl(), punkte);
        QCOMPARE(f.modell.werte().last(), 6000.0 + anzahl);
        QCOMPARE(f.modell.werte().first(), 6000.0 + anzahl - punkte + 1);
        QCOMPARE(f.modell.labelModus(), int(Chartmodell::NurYAchse));
    }

    // The window's own parts and its layout on resizing.
    void fenster() {
        auto mw = neuesFenster();
        statistik s(*mw);
        QCOMPARE(s.windowTitle(), QStringLiteral("Kapito 3.6 -  100 Tage-Chart"));
        QCOMPARE(s.Label1->text(), QStringLiteral("Morlent 2000"));
        const QStringList tipps{QStringLiteral(" Hilfe aufrufen "),
                                QStringLiteral(" Chart drucken "),
                                QStringLiteral(" Fenster schließen ")};
        for (int i = 13; i <= 15; ++i) {
            QCOMPARE(s.schalter(i)->toolTip(), tipps[i - 13]);
            QVERIFY(!s.schalter(i)->autoDefault());
            QVERIFY(!s.schalter(i)->accessibleName().isEmpty());
        }
        s.resize(1000, 700);
        s.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s));
        const int w = s.width(), h = s.height();
        QCOMPARE(s.Graph1->size(), QSize(w - 34, h - 68));
        QCOMPARE(s.Shape1->size(), QSize(w - 33, h - 66));
        QCOMPARE(s.schalter(13)->pos(), QPoint(w - 140, h - 37));
        QCOMPARE(s.schalter(14)->pos(), QPoint(w - 95, h - 37));
        QCOMPARE(s.schalter(15)->pos(), QPoint(w - 50, h - 37));
        QCOMPARE(s.Label1->y(), h - 30);

        s.schalter(13)->click();
        QCOMPARE(mw->hilfeCalls, 1);
        s.schalter(15)->click();
        QVERIFY(!s.isVisible());
    }
};

QTEST_MAIN(TestQuoteCharts)
#include "tst_quotecharts.moc"
