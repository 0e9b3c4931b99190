// The main window's charts: the 30-day chart and the balance chart in its
// chart view with the commands they allow, their printing, and the chart
// window and chart-quote commands reached from the main window.

#include "Testbett.h"
#include "platform/Graph.h"

#include <QAction>
#include <QChart>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

void kurse(Database& db, const QString& name, QList<int> werte) {
    for (int w : werte)
        db.exec(
            QStringLiteral("INSERT INTO kurse (aktie, datum, kurs) VALUES (?, '2024-03-01', ?)"),
            {name, qint64(w) * 10000});
}

QStringList paketBefehle(Aktiendataform& f) {
    QStringList an;
    for (const char* n : {"menu_edit", "menu_kursaktuell", "menu_loeschen", "menu_verkaufen",
                          "menu_zielkurs", "menu_Chart30", "menu_Chart100"})
        if (f.aktion(QString::fromLatin1(n))->isEnabled()) an << QString::fromLatin1(n);
    if (f.Command2->isEnabled()) an << QStringLiteral("Command2");
    for (int i : {1, 2, 5})
        if (f.schalter[i]->isEnabled()) an << QStringLiteral("schalter%1").arg(i);
    return an;
}

} // namespace

class TestChartansicht : public QObject {
    Q_OBJECT
private slots:
    void dreissigTage() {
        Testbett t;
        const Bookmark alpha = t.paket(QStringLiteral("Alpha"), 10, QStringLiteral("20"),
                                       QStringLiteral("5"), QStringLiteral("21"));
        t.paket(QStringLiteral("Beta"), 1, QStringLiteral("1"), QStringLiteral("0"),
                QStringLiteral("1"));
        kurse(t.db, QStringLiteral("Alpha "), {20, 21});
        auto& f = t.laden();
        f.Daten1().setBookmark(alpha);
        f.Command7->click();

        f.aktion(QStringLiteral("menu_Chart30"))->trigger();
        QCOMPARE(f.ansicht(), Aktiendataform::Ansicht::Chart);
        QCOMPARE(f.chart().Graph1->gezeichnet().werte(), (QList<double>{20, 21}));
        QCOMPARE(f.chart().Label18->text(), QStringLiteral("Alpha"));
        for (QPushButton* b : {f.Command2, f.Command5, f.Command6, f.Command7})
            QVERIFY(b->isEnabled());
        QCOMPARE(f.Daten1().bookmark(), alpha);

        // The print command prints the 30-day chart of the card's package.
        t.dialogs.answers = {Dialogs::Answer::Yes};
        f.Command6->click();
        QCOMPARE(t.dialogs.lastText(), QStringLiteral("Möchten Sie die Grafik jetzt drucken?"));
        QCOMPARE(t.drucker.auftraege.size(), 1);
        QCOMPARE(t.drucker.auftraege.first().was, QStringLiteral("30 Tage-Chart Alpha"));
    }

    // Too few quotes: the message, and the view stays as it was.
    void dreissigTageZuWenig() {
        Testbett t;
        t.paket(QStringLiteral("Alpha"), 10, QStringLiteral("20"), QStringLiteral("5"),
                QStringLiteral("21"));
        kurse(t.db, QStringLiteral("Alpha"), {20});
        auto& f = t.laden();
        f.Command7->click();
        f.aktion(QStringLiteral("menu_Chart30"))->trigger();
        QVERIFY(t.dialogs.lastText().endsWith(
            QStringLiteral("\"Alpha\"  sind weniger als 2 Kurse gespeichert!")));
        QCOMPARE(f.ansicht(), Aktiendataform::Ansicht::Uebersicht);
        QVERIFY(!f.chart().Graph1->istGezeichnet());
    }

    void bilanz() {
        Testbett t;
        const QList<Bookmark> pakete{t.paket(QStringLiteral("Gewinn"), 10, QStringLiteral("20"),
                                             QStringLiteral("5"), QStringLiteral("21,335")),
                                     t.paket(QStringLiteral("Verlust"), 3, QStringLiteral("9,999"),
                                             QStringLiteral("1,25"), QStringLiteral("8,505")),
                                     t.paket(QStringLiteral("Null"), 0, QStringLiteral("1"),
                                             QStringLiteral("0"), QStringLiteral("2"))};
        auto& f = t.laden();
        f.Daten1().setBookmark(pakete[1]);
        f.aktion(QStringLiteral("menu_bilanz"))->trigger();

        QCOMPARE(f.ansicht(), Aktiendataform::Ansicht::Chart);
        QCOMPARE(f.chart().Label18->text(), QStringLiteral("Gewinn / Verlust am  15.03.2024"));
        QVERIFY(f.chart().Label18->isVisible());
        QCOMPARE(paketBefehle(f), QStringList());
        QVERIFY(f.Command5->isEnabled() && f.Command6->isEnabled() && f.Command7->isEnabled());
        QCOMPARE(f.Daten1().bookmark(), pakete[1]);

        // One bar per package, each the gain or loss the card shows for it.
        const Chartmodell m = f.chart().Graph1->gezeichnet();
        QCOMPARE(m.punktzahl(), 3);
        QCOMPARE(m.typ(), int(Chartmodell::Balken2D));
        for (int i = 0; i < 3; ++i) {
            f.Daten1().setBookmark(pakete[i]);
            const QString gewinn = f.karte().Labelgewinn->text();
            QCOMPARE(m.beschriftung(i + 1),
                     f.karte().Labelaktie->text() + QStringLiteral("   ") + gewinn);
            QCOMPARE(m.wert(i + 1), *Numbers::readDouble(gewinn, Numbers::Mode::Field));
        }
        QVERIFY(m.wert(2) < 0);
        QVERIFY(m.beschriftung(2).endsWith(QStringLiteral("   -5,73")));

        // Printing it leaves the chart in view as it is.
        f.zeigeAnsicht(Aktiendataform::Ansicht::Chart);
        const int reihen = f.chart().Graph1->chart()->series().size();
        t.dialogs.answers = {Dialogs::Answer::Yes};
        f.Command6->click();
        QCOMPARE(t.drucker.auftraege.size(), 1);
        QCOMPARE(t.drucker.auftraege.first().was, QStringLiteral("Bilanz-Chart"));
        QCOMPARE(f.chart().Graph1->gezeichnet(), m);
        QCOMPARE(f.chart().Graph1->chart()->series().size(), reihen);
        QCOMPARE(f.ansicht(), Aktiendataform::Ansicht::Chart);

        // The card brings the package commands back.
        f.Command5->click();
        QCOMPARE(f.ansicht(), Aktiendataform::Ansicht::Karte);
        QVERIFY(paketBefehle(f).contains(QStringLiteral("menu_Chart30")));
    }

    void bilanzOhnePakete() {
        Testbett t;
        auto& f = t.laden();
        f.aktion(QStringLiteral("menu_bilanz"))->trigger();
        QCOMPARE(t.dialogs.lastText(), QStringLiteral("Keine Anzeige des Chart möglich!\n\nEs muss "
                                                      "mindestens 1 Aktie gespeichert sein!"));
        QVERIFY(f.ansicht() != Aktiendataform::Ansicht::Chart);
    }

    // The chart window opens from the buttons only when a package exists.
    void chartfenster() {
        Testbett t;
        kurse(t.db, QStringLiteral("Alpha"), {1, 2, 3});
        t.db.exec(QStringLiteral("INSERT INTO Indexkurse (indexname, indexzahl) VALUES ('DAX', 1), "
                                 "('DAX', 2)"));
        auto& f = t.laden();
        f.Command1->click();
        f.Command2->click();
        QVERIFY(t.modalGeoeffnet.isEmpty());
        QVERIFY(t.dialogs.shown.isEmpty());

        t.paket(QStringLiteral("Alpha"), 10, QStringLiteral("20"), QStringLiteral("5"),
                QStringLiteral("21"));
        f.Daten1().requery();
        f.Daten1().moveFirst();
        f.Command1->click();
        f.Command2->click();
        f.aktion(QStringLiteral("menu_indexchart"))->trigger();
        f.aktion(QStringLiteral("menu_Chart100"))->trigger();
        QCOMPARE(t.modalGeoeffnet, QStringList(4, QStringLiteral("statistik")));
        f.aktion(QStringLiteral("menu_k100"))->trigger();
        QCOMPARE(t.modalGeoeffnet.last(), QStringLiteral("Formchartkurse100"));

        t.dialogs.answers = {Dialogs::Answer::Yes};
        f.aktion(QStringLiteral("menu_kurseloeschen"))->trigger();
        QCOMPARE(t.db.scalar(QStringLiteral("SELECT count(*) FROM kurse")).toInt(), 0);
    }
};

QTEST_MAIN(TestChartansicht)
#include "tst_chartansicht.moc"
