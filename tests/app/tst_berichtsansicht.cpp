// The main window's report view: showing the short and the day-difference
// report, returning to the card, closing by the title, the print command and
// the order form.

#include "Testbett.h"
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

namespace {

/// Counts how often a widget is shown.
class Zeigezaehler final : public QObject {
public:
    int anzahl = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Show) ++anzahl;
        return false;
    }
};

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

class TestBerichtsansicht : public QObject {
    Q_OBJECT
private slots:
    void kurzfassung_data() {
        QTest::addColumn<int>("pakete");
        QTest::newRow("zwei Pakete") << 2;
        QTest::newRow("leeres Depot") << 0;
    }
    void kurzfassung() {
        QFETCH(int, pakete);
        Testbett t;
        Bookmark zweites = -1;
        for (int i = 0; i < pakete; ++i)
            zweites = t.paket(QStringLiteral("Paket %1").arg(i), 10, QStringLiteral("20"),
                              QStringLiteral("5"), QStringLiteral("21"));
        auto& f = t.laden();
        if (pakete) f.Daten1().setBookmark(zweites);
        Zeigezaehler zaehler;
        f.ProgressBar1().installEventFilter(&zaehler);

        f.aktion(QStringLiteral("menu_berichtkurz"))->trigger();
        QCOMPARE(f.ansicht(), Aktiendataform::Ansicht::Bericht);
        QCOMPARE(t.modul.berichtart, 1);
        BerichtAnsicht& b = f.bericht();
        QCOMPARE(b.Label18->text(), QStringLiteral(" Bericht Bestand am 15.03.2024"));
        QVERIFY(b.Label24->text().startsWith(QStringLiteral("   Datum                  WP-KN")));
        QString text = t.modul.berichttext;
        QCOMPARE(text.count(QStringLiteral("Paket ")), pakete);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QCOMPARE(b.RText1->toPlainText(), text);
        QVERIFY(b.RText1->textCursor().atEnd());
        QCOMPARE(b.RText1->font().family(), QStringLiteral("Courier New"));
        QCOMPARE(b.RText1->font().pointSizeF(), 8.25);
        QVERIFY(!b.RText1->font().bold());
        for (QWidget* w : {static_cast<QWidget*>(b.Label18), static_cast<QWidget*>(b.Label24),
                           static_cast<QWidget*>(b.RText1)})
            QVERIFY(w->isVisible());
        // The progress bar ran only with packages to walk and is gone again.
        QCOMPARE(zaehler.anzahl, pakete ? 1 : 0);
        QVERIFY(f.ProgressBar1().isHidden());
        QVERIFY(f.karte().Labelaktie->isHidden());
        QVERIFY(paketBefehle(f).isEmpty());
        QVERIFY(f.Command5->isEnabled());
        QVERIFY(f.Command6->isEnabled());
        QVERIFY(f.Command7->isEnabled());
        if (pakete) QCOMPARE(f.Daten1().bookmark(), zweites);

        // Back to the card: the package commands come back.
        f.Command5->click();
        QCOMPARE(f.ansicht(), Aktiendataform::Ansicht::Karte);
        QCOMPARE(paketBefehle(f).size(), 11);
        QVERIFY(!f.Command6->isEnabled());
        if (pakete) QCOMPARE(f.Daten1().bookmark(), zweites);
    }

    void werkzeugleisteZeigtKurzfassung() {
        Testbett t;
        t.paket(QStringLiteral("Alpha"), 1, QStringLiteral("1"), QStringLiteral("0"),
                QStringLiteral("1"));
        auto& f = t.laden();
        f.schalter[3]->click();
        QCOMPARE(f.ansicht(), Aktiendataform::Ansicht::Bericht);
        QCOMPARE(t.modul.berichtart, 1);
    }

    // The report's day result and total gain are the value panel's amounts.
    void differenzWieDieAnzeige() {
        Testbett t;
        t.paket(QStringLiteral("Alpha"), 100, QStringLiteral("10"), QStringLiteral("3,33"),
                QStringLiteral("10,456"), QStringLiteral("10,5"));
        t.paket(QStringLiteral("Beta"), 7, QStringLiteral("20"), QStringLiteral("0"),
                QStringLiteral("18,5"), QStringLiteral("18,5"));
        t.kennwort(QStringLiteral("altallwert"), Testbett::cur("1200"));
        t.db.exec(QStringLiteral("INSERT INTO Indexkurse (indexname, indexzahl, datum) VALUES "
                                 "('DAX', 16000, '2024-03-14')"));
        auto& f = t.laden();
        f.Command5_Click();
        QTest::mouseClick(f.LabelGesamtwert, Qt::LeftButton);
        const QStringList tag = f.Label33->text().split(QLatin1Char('\n'));
        QCOMPARE(tag.at(1), QStringLiteral("Tagesverlust"));

        f.aktion(QStringLiteral("menu_differenzvortag"))->trigger();
        QCOMPARE(t.modul.berichtart, 2);
        QCOMPARE(t.modul.berichtindexname, QStringLiteral("DAX"));
        QCOMPARE(f.bericht().Label18->text(),
                 QStringLiteral(" Bericht Differenz zum Vortag vom  02.01.2024"));
        const QStringList zeilen = t.modul.berichttext.split(QStringLiteral("\r\n"));
        // Label33: "-154,90   (-302,96 DM)"
        const QString tagesbetrag = tag.at(2).section(QLatin1Char(' '), 0, 0);
        QVERIFY2(zeilen.at(4).startsWith(QStringLiteral(" Tagesverlust  = ")), qPrintable(zeilen.at(4)));
        QVERIFY(zeilen.at(4).contains(tagesbetrag + QStringLiteral(" Euro")));
        QVERIFY(zeilen.at(4).contains(tag.at(2).section(QLatin1Char('('), 1).chopped(1)));
        QString gewinn = f.LabelAllgewinn->text();
        gewinn.replace(QLatin1Char('.'), QLatin1Char(','));
        QVERIFY(zeilen.at(5).contains(gewinn + QStringLiteral(" Euro")));
        QVERIFY(zeilen.at(5).contains(f.Label14->text() + QLatin1Char(')')));
        QCOMPARE(zeilen.last(), QStringLiteral(" Index (DAX) = 16000,00"));
        // Per package: the card's change and percentage.
        f.Command5_Click();
        f.Daten1().moveFirst();
        const QString prozent = f.karte().Label21->text().chopped(2);
        QVERIFY(zeilen.at(0).contains(QStringLiteral("  ") + prozent + QStringLiteral("  ")));
        QVERIFY(zeilen.at(1).endsWith(QStringLiteral("   0,00     0,00")));
    }

    void titelKlickSchliesstDenBericht() {
        Testbett t;
        t.paket(QStringLiteral("Alpha"), 1, QStringLiteral("1"), QStringLiteral("0"),
                QStringLiteral("1"));
        auto& f = t.laden();
        f.aktion(QStringLiteral("menu_berichtkurz"))->trigger();
        QTest::mouseClick(f.bericht().Label18, Qt::LeftButton);
        QCOMPARE(f.ansicht(), Aktiendataform::Ansicht::Karte);
        QVERIFY(f.bericht().RText1->isHidden());
        QVERIFY(f.bericht().Label18->isHidden());
        QVERIFY(f.karte().Label2->isHidden());
        QVERIFY(!f.karte().Label8->isHidden());
        QVERIFY(!f.karte().Labeldatum->isHidden());
        // Nothing shown any more that could be printed.
        f.Command6->click();
        QVERIFY(t.dialogs.shown.isEmpty());
        // A new report shows its text again.
        f.aktion(QStringLiteral("menu_berichtkurz"))->trigger();
        QVERIFY(!f.bericht().RText1->isHidden());
    }

    void druckbefehl_data() {
        QTest::addColumn<QString>("bericht");
        QTest::addColumn<Dialogs::Answer>("antwort");
        QTest::addColumn<QString>("gedruckt");
        QTest::newRow("Kurzfassung, Ja")
            << "menu_berichtkurz" << Dialogs::Answer::Yes << "Bericht Kurzfassung";
        QTest::newRow("Kurzfassung, Nein") << "menu_berichtkurz" << Dialogs::Answer::No << "";
        QTest::newRow("Differenz, Ja")
            << "menu_differenzvortag" << Dialogs::Answer::Yes << "Bericht Differenz zum Vortag";
    }
    void druckbefehl() {
        QFETCH(QString, bericht);
        QFETCH(Dialogs::Answer, antwort);
        QFETCH(QString, gedruckt);
        Testbett t;
        t.paket(QStringLiteral("Alpha"), 1, QStringLiteral("1"), QStringLiteral("0"),
                QStringLiteral("1"));
        auto& f = t.laden();
        f.aktion(bericht)->trigger();
        t.dialogs.answers = {antwort};
        f.Command6->click();
        QCOMPARE(t.dialogs.lastText(), QStringLiteral("Möchten Sie den Bericht jetzt drucken?"));
        QCOMPARE(t.drucker.auftraege.size(), gedruckt.isEmpty() ? 0 : 1);
        if (!gedruckt.isEmpty()) {
            QCOMPARE(t.drucker.auftraege.first().was, gedruckt);
            QCOMPARE(t.drucker.auftraege.first().ausrichtung, Drucker::Ausrichtung::Hochformat);
            QVERIFY(t.drucker.auftraege.first().ok);
        }
        QCOMPARE(f.ansicht(), Aktiendataform::Ansicht::Bericht);
    }

    // After the complete report the main window's report view prints nothing.
    void nachKomplettfassungKeinDruck() {
        Testbett t;
        t.paket(QStringLiteral("Alpha"), 1, QStringLiteral("1"), QStringLiteral("0"),
                QStringLiteral("1"));
        auto& f = t.laden();
        f.aktion(QStringLiteral("menu_berichtkurz"))->trigger();
        f.aktion(QStringLiteral("menu_berichtlang"))->trigger();
        QCOMPARE(t.modalGeoeffnet.last(), QStringLiteral("FormListe1"));
        QCOMPARE(t.modul.berichtart, 3);
        QVERIFY(f.ProgressBar1().isHidden());
        QCOMPARE(f.ansicht(), Aktiendataform::Ansicht::Bericht); // unchanged
        t.dialogs.answers = {Dialogs::Answer::Yes};
        f.Command6->click();
        QCOMPARE(t.dialogs.shown.size(), 2);
        QCOMPARE(t.dialogs.shown.first().text,
                 QStringLiteral("Möchten Sie den Bericht jetzt drucken?"));
        QCOMPARE(t.dialogs.shown.last().icon, Dialogs::Icon::Exclamation);
        QVERIFY(t.drucker.auftraege.isEmpty());
    }

    // A chart in view is printed before any report.
    void grafikVorBericht() {
        Testbett t;
        t.paket(QStringLiteral("Alpha"), 1, QStringLiteral("1"), QStringLiteral("0"),
                QStringLiteral("1"));
        auto& f = t.laden();
        int gedruckt = 0;
        f.chart().setGrafik(ChartAnsicht::Art::Balken, [&] { ++gedruckt; });
        f.zeigeAnsicht(Aktiendataform::Ansicht::Chart);
        f.Command6->setEnabled(true);
        t.dialogs.answers = {Dialogs::Answer::No, Dialogs::Answer::Yes};
        f.Command6->click();
        f.Command6->click();
        QCOMPARE(t.dialogs.shown.size(), 2);
        QCOMPARE(t.dialogs.shown.first().text, QStringLiteral("Möchten Sie die Grafik jetzt drucken?"));
        QCOMPARE(gedruckt, 1);
    }

    void bestellscheinImMenue() {
        Testbett t;
        auto& f = t.laden();
        t.dialogs.answers = {Dialogs::Answer::Yes};
        f.aktion(QStringLiteral("menu_bestellschein"))->trigger();
        QCOMPARE(t.dialogs.lastText(), QStringLiteral("Die Datei \"bestellschein.txt\" wurde nicht "
                                                      "gefunden!\nBitte kopieren Sie die Datei in "
                                                      "das Programmverzeichnis."));
        QFile f2(t.dir.filePath(QStringLiteral("bestellschein.txt")));
        QVERIFY(f2.open(QIODevice::WriteOnly));
        f2.write("Bestellschein\nDepot-Nr.: ____\n");
        f2.close();
        t.dialogs.shown.clear();
        t.dialogs.answers = {Dialogs::Answer::Yes};
        f.aktion(QStringLiteral("menu_bestellschein"))->trigger();
        QCOMPARE(t.dialogs.shown.size(), 1);
        QCOMPARE(t.drucker.auftraege.size(), 1);
    }
};

QTEST_MAIN(TestBerichtsansicht)
#include "tst_berichtsansicht.moc"
