// The main window's menus, toolbar, status bar, views and the end of the program.

#include "Testbett.h"
#include "platform/HoverButton.h"
#include <QAbstractItemModel>
#include <QAction>
#include <QComboBox>
#include <QEnterEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTextEdit>
#include <QToolButton>

namespace {
void zeigerUeber(QWidget* w) {
    QEnterEvent e(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(w, &e);
}
} // namespace

class TestBefehle : public QObject {
    Q_OBJECT
private slots:
    void hauptmenues();
    void menueintraege_data();
    void menueintraege();
    void trennerVorhanden();
    void endeFragtUndNeinLaeuftWeiter();
    void endeMitJaSchreibtEinstellungen();
    void schliessfeldFragtWieDasMenue();
    void schalter9EndetOhneFrage();
    void schalterHinweise_data();
    void schalterHinweise();
    void statusleisteUmschalten();
    void dmQuickinfo();
    void ansichtenUndBefehlsknoepfe();
    void uebersichtFolgtDaten1();
    void wertDepotUndKonto();
    void tagesergebnis_data();
    void tagesergebnis();
    void hilfeUndEditor();
};

void TestBefehle::hauptmenues() {
    Testbett t;
    auto& f = t.laden();
    QStringList ist;
    for (QAction* a : f.menuBar()->actions())
        ist << a->menu()->objectName() + QLatin1Char('=') + a->text();
    QCOMPARE(ist, (QStringList{"Hmenu_aktie=&Wertpapier", "Hmenu_bearbeiten=&Bearbeiten",
                               "Hmenu_auswerten=A&nzeigen", "Hmenu_optionen=&Optionen",
                               "Hmenu_hilfe=&Hilfe"}));
}

void TestBefehle::menueintraege_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("taste");
    QTest::addColumn<bool>("merkt"); // stores lesezeichen before handing over
    struct Z {
        const char *n, *t, *k;
        bool m;
    };
    const Z tabelle[] = {
        {"menu_depotkonto", "&Depotkonto verwalten", "", true},
        {"menu_neu", "&Wertpapiere kaufen", "F2", true},
        {"menu_verkaufen", "Wertpapiere &verkaufen", "F3", true},
        {"menu_gewinn_verlust", "&Sonstige Gewinne / Verluste", "", true},
        {"menu_loeschen", "Wertpapier-Datensatz &löschen", "F4", false},
        {"menu_ende", "&Programm beenden", "F5", false},
        {"menu_kursaktuell", "&Einzelkurs aktualisieren", "Ctrl+F1", true},
        {"menu_alleKurseneu", "Alle &Kurse aktualisieren", "", true},
        {"menu_index", "&Aktienindex", "Ctrl+J", true},
        {"menu_edit", "Wertpapierdaten editieren ", "F6", true},
        {"menu_k100", "Chartkurse &bearbeiten", "Ctrl+B", false},
        {"menu_kurseloeschen", "Chartk&urse löschen", "Ctrl+L", false},
        {"menu_berichtkurz", "Bericht &Kurzfassung", "F8", true},
        {"menu_berichtlang", "&Bericht Komplettfassung", "F9", true},
        {"menu_differenzvortag", "Bericht &Differenz zum Vortag", "", true},
        {"menu_Chart30", "30 Tage -&Chart", "Ctrl+A", true},
        {"menu_Chart100", "100 &Tage-Chart", "Ctrl+C", true},
        {"menu_bilanz", "&Bilanz-Chart ", "", true},
        {"menu_indexchart", "&Aktien - Indexchart", "Ctrl+K", true},
        {"menu_gewinne", "&Realisierte Gewinne / Verluste", "F11", true},
        {"menu_DManzeigen", "&DM-Werte anzeigen (Quickinfo)", "Ctrl+T", false},
        {"menu_vermögenanzeigen", "&Vermögen / Ergebnis anzeigen", "", false},
        {"menu_beobachten", "&Aktien beobachten", "F7", false},
        {"menu_einstellungen", "&Einstellungen...", "", true},
        {"menu_passwort", "&Passwort", "Ctrl+P", true},
        {"menu_zielkurs", "&Kursziel + Stopkurs", "Ctrl+F2", true},
        {"menu_spekufrist", "&Spekulationsfrist", "Ctrl+F5", true},
        {"menu_zusammen", "Aktienpakete &zusammenfassen", "", true},
        {"menu_split", "A&ktiensplit", "", true},
        {"menu_notepad", "&Notepad starten", "", false},
        {"menu_rechner", "&Rechner", "Ctrl+R", false},
        {"menu_hilfeinhalt", "&Hilfe Inhalt", "F1", false},
        {"menu_bestellschein", "&Bestellschein drucken", "Ctrl+D", false},
        {"menu_info", "&Info", "Ctrl+I", false},
    };
    for (const Z& z : tabelle)
        QTest::newRow(z.n) << QString::fromUtf8(z.n) << QString::fromUtf8(z.t)
                           << QString::fromLatin1(z.k) << z.m;
}

void TestBefehle::menueintraege() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, taste);
    QFETCH(bool, merkt);
    Testbett t;
    t.paket(QStringLiteral("Alpha"), 1, QStringLiteral("1"), QStringLiteral("0"),
            QStringLiteral("1"));
    const Bookmark zweites = t.paket(QStringLiteral("Beta"), 1, QStringLiteral("1"),
                                     QStringLiteral("0"), QStringLiteral("1"));
    auto& f = t.laden();
    QAction* a = f.aktion(name);
    QVERIFY(a);
    QCOMPARE(a->text(), text);
    QCOMPARE(a->shortcut(), QKeySequence(taste));

    f.Daten1().setBookmark(zweites);
    t.modul.lesezeichen = -1;
    t.dialogs.answers = {Dialogs::Answer::No}; // the end question, if asked
    a->trigger();
    QCOMPARE(t.modul.lesezeichen, merkt ? zweites : Bookmark(-1));
}

void TestBefehle::trennerVorhanden() {
    Testbett t;
    auto& f = t.laden();
    for (const char* n : {"trenner1", "trenner9", "trenner2", "trenner21", "trenner14", "trenner8",
                          "trenner4", "trenner15", "trenner7", "trenner20", "trenner22",
                          "trenner16", "trenner17", "trenner3"}) {
        QAction* a = f.aktion(QString::fromLatin1(n));
        QVERIFY2(a && a->isSeparator(), n);
    }
    QVERIFY(f.menu_DManzeigen->isCheckable());
    QVERIFY(f.menu_vermoegenanzeigen->isCheckable());
}

void TestBefehle::endeFragtUndNeinLaeuftWeiter() {
    Testbett t;
    auto& f = t.laden();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    QSignalSpy ende(&f, &Aktiendataform::programmEnde);
    t.dialogs.answers = {Dialogs::Answer::No};
    QTest::keyClick(&f, Qt::Key_F5);
    QCOMPARE(t.dialogs.shown.size(), 1);
    QCOMPARE(t.dialogs.shown[0].text, QStringLiteral("Das Programm jetzt beenden?"));
    QCOMPARE(t.dialogs.shown[0].icon, Dialogs::Icon::Question);
    QCOMPARE(t.dialogs.shown[0].buttons, Dialogs::Buttons::YesNo);
    QCOMPARE(t.dialogs.shown[0].title, QStringLiteral("Kapito 3.6"));
    QCOMPARE(ende.size(), 0);
    QVERIFY(f.isVisible());
    QCOMPARE(t.hilfe.closed, 0);
}

void TestBefehle::endeMitJaSchreibtEinstellungen() {
    Testbett t;
    auto& f = t.laden();
    QSignalSpy ende(&f, &Aktiendataform::programmEnde);
    f.menu_DManzeigen_Click();        // on
    f.menu_vermoegenanzeigen_Click(); // new database shows the panel: now off
    QVERIFY(f.Frame1->isHidden());
    t.dialogs.answers = {Dialogs::Answer::Yes};
    f.menu_ende_Click();
    QCOMPARE(ende.size(), 1);
    QCOMPARE(ende.first().first().toInt(), 0);
    QCOMPARE(t.hilfe.closed, 1);
    QCOMPARE(t.kennwortWert(QStringLiteral("dmanzeige")).toInt(), 1);
    QCOMPARE(t.kennwortWert(QStringLiteral("vermanzeige")).toInt(), 0);
}

void TestBefehle::schliessfeldFragtWieDasMenue() {
    Testbett t;
    auto& f = t.laden();
    QSignalSpy ende(&f, &Aktiendataform::programmEnde);
    t.dialogs.answers = {Dialogs::Answer::No};
    QVERIFY(!f.close());
    QVERIFY(f.isVisible());
    QCOMPARE(t.dialogs.lastText(), QStringLiteral("Das Programm jetzt beenden?"));
    QCOMPARE(ende.size(), 0);
    t.dialogs.answers = {Dialogs::Answer::Yes};
    f.close();
    QCOMPARE(ende.size(), 1);
}

void TestBefehle::schalter9EndetOhneFrage() {
    Testbett t;
    auto& f = t.laden();
    QSignalSpy ende(&f, &Aktiendataform::programmEnde);
    f.menu_DManzeigen_Click();
    f.schalter[9]->click();
    QVERIFY(t.dialogs.shown.isEmpty());
    QCOMPARE(ende.size(), 1);
    QCOMPARE(t.hilfe.closed, 1);
    QCOMPARE(t.kennwortWert(QStringLiteral("dmanzeige")).toInt(), 1);
    QCOMPARE(t.kennwortWert(QStringLiteral("vermanzeige")).toInt(), 1);
}

void TestBefehle::schalterHinweise_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("tipp");
    QTest::addColumn<QString>("hinweis");
    const QString bleibt = Aktiendataform::hinweistext();
    QTest::newRow("0") << 0 << " Aktien kaufen  "
                       << " Neue Aktien kaufen";
    QTest::newRow("2") << 2 << " Aktien löschen "
                       << " Aktuelle Aktie löschen";
    QTest::newRow("5") << 5 << "30 Tage-Chart "
                       << " 30 Tage - Chart anzeigen mit Druckmöglichkeit";
    QTest::newRow("8") << 8 << " Hilfe aufrufen "
                       << " Windows - Hilfe anzeigen";
    QTest::newRow("9") << 9 << " Programm beenden "
                       << " Programm ohne Rückfrage beenden";
    QTest::newRow("10") << 10 << "Beobachten-Depot "
                        << " Aktien - Beobachtungsmodul anzeigen";
    QTest::newRow("11 ohne Hinweis") << 11 << " Depotkonto verwalten " << bleibt;
}

void TestBefehle::schalterHinweise() {
    QFETCH(int, index);
    QFETCH(QString, tipp);
    QFETCH(QString, hinweis);
    Testbett t;
    t.paket(QStringLiteral("Alpha"), 1, QStringLiteral("1"), QStringLiteral("0"),
            QStringLiteral("1")); // buttons 1, 2 and 5 need a package
    auto& f = t.laden();
    QCOMPARE(f.schalter[index]->toolTip(), tipp);
    zeigerUeber(f.schalter[index]);
    QCOMPARE(f.StatusBar1[1]->text(), hinweis);
    QVERIFY(f.schalter[index]->isHover());
    // The pointer on the free area brings the notice back.
    QMouseEvent bewegung(QEvent::MouseMove, QPointF(3, 1), QPointF(3, 1), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(f.Picture2, &bewegung);
    QCOMPARE(f.StatusBar1[1]->text(), Aktiendataform::hinweistext());
    QVERIFY(!f.schalter[index]->isHover());
}

void TestBefehle::statusleisteUmschalten() {
    Testbett t;
    auto& f = t.laden();
    QCOMPARE(f.StatusBar1[2]->text(), QStringLiteral("15.03.2024"));
    QTest::mouseClick(f.StatusBar1[2], Qt::LeftButton);
    QCOMPARE(f.StatusBar1[2]->text(), QStringLiteral("10:00:00"));
    QTest::mouseClick(f.StatusBar1[1], Qt::LeftButton);
    QCOMPARE(f.StatusBar1[2]->text(), QStringLiteral("15.03.2024"));
    QCOMPARE(f.StatusBar1[0]->toolTip(), QStringLiteral(" Anzahl verschiedener Aktien"));
    QCOMPARE(f.StatusBar1[1]->toolTip(), QStringLiteral(" Hinweise zum Programm"));
    QCOMPARE(f.StatusBar1[2]->toolTip(), QStringLiteral(" Datum / Uhrzeit"));
}

void TestBefehle::dmQuickinfo() {
    Testbett t;
    t.paket(QStringLiteral("Alpha"), 10, QStringLiteral("20"), QStringLiteral("5"),
            QStringLiteral("20"));
    auto& f = t.laden();
    f.resize(1200, 760);
    f.Command5_Click();
    QVERIFY(QTest::qWaitForWindowExposed(&f));

    zeigerUeber(f.karte().LabelAktwert);
    QVERIFY(f.karte().Label13->isHidden());
    zeigerUeber(f.karte().Labeltageskurs);
    QVERIFY(f.karte().Label13->isHidden());
    QCOMPARE(f.StatusBar1[1]->text(), QStringLiteral(" Zum aktualisieren bitte Feld anklicken"));
    zeigerUeber(f.karte().Labelkursdiff);
    QCOMPARE(f.StatusBar1[1]->text(),
             QStringLiteral(" Kursdifferenz zur letzten Aktualisierung in %, Euro und DM"));

    f.menu_DManzeigen_Click();
    QCOMPARE(t.modul.DMAnzeige, 1);
    zeigerUeber(f.karte().LabelAktwert);
    QVERIFY(!f.karte().Label13->isHidden());
    QCOMPARE(f.karte().Label13->text(), QStringLiteral("391,17 DM"));
    const QPoint wertRechts =
        f.karte().LabelAktwert->mapTo(&f.karte(), QPoint(f.karte().LabelAktwert->width(), f.karte().LabelAktwert->height()));
    QCOMPARE(f.karte().Label13->geometry().right() + 1, wertRechts.x());
    QCOMPARE(f.karte().Label13->geometry().top(), wertRechts.y());
    zeigerUeber(f.karte().Labelgebuehren);
    QCOMPARE(f.karte().Label12->text(), QStringLiteral("9,78 DM"));
    zeigerUeber(f.karte().Text1->viewport());
    QVERIFY(f.karte().Label12->isHidden());
    QVERIFY(f.karte().Label13->isHidden());
}

void TestBefehle::ansichtenUndBefehlsknoepfe() {
    Testbett t;
    const Bookmark erstes = t.paket(QStringLiteral("Alpha"), 1, QStringLiteral("1"),
                                    QStringLiteral("0"), QStringLiteral("1"));
    t.paket(QStringLiteral("Beta"), 1, QStringLiteral("1"), QStringLiteral("0"),
            QStringLiteral("1"));
    auto& f = t.laden();
    // After the start: the overview.
    QCOMPARE(f.ansicht(), Aktiendataform::Ansicht::Uebersicht);
    QVERIFY(f.Command5->isEnabled());
    QVERIFY(!f.Command7->isEnabled());
    QVERIFY(!f.Command6->isEnabled());
    QVERIFY(f.karte().Labelaktie->isHidden());
    QCOMPARE(t.modul.lesezeichen, erstes);

    f.Daten1().moveLast();
    f.Command5->click();
    QCOMPARE(f.ansicht(), Aktiendataform::Ansicht::Karte);
    QVERIFY(t.modul.KarteAktiv);
    QCOMPARE(f.Daten1().bookmark(), erstes); // back to the saved package
    QVERIFY(!f.Command5->isEnabled());
    QVERIFY(!f.Command6->isEnabled());
    QVERIFY(f.Command7->isEnabled());
    QVERIFY(f.Command2->isEnabled());
    QVERIFY(!f.karte().Labelaktie->isHidden());

    f.Command7->click();
    QCOMPARE(f.ansicht(), Aktiendataform::Ansicht::Uebersicht);
    QVERIFY(!f.Command7->isEnabled());
}

void TestBefehle::uebersichtFolgtDaten1() {
    Testbett t;
    t.paket(QStringLiteral("Alpha"), 10, QStringLiteral("10,5"), QStringLiteral("9,9"),
            QStringLiteral("12"));
    auto& f = t.laden();
    QAbstractItemModel* m = f.uebersicht().MSFlexGrid1->model();
    QVERIFY(m);
    QCOMPARE(m->columnCount(), 7);
    QCOMPARE(m->rowCount(), 1);
    QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Wertpapier"));
    QCOMPARE(m->headerData(6, Qt::Horizontal).toString(), QStringLiteral("WP-KN"));
    QStringList zeile;
    for (int c = 0; c < 7; ++c)
        zeile << m->index(0, c).data().toString();
    QCOMPARE(zeile, (QStringList{"Alpha", "10", "10,5", "9,9", "02.01.2024", "12", "840400"}));

    Recordset& r = f.Daten1();
    r.addNew();
    r.setText(QStringLiteral("aktie"), QStringLiteral("Beta"));
    r.setText(QStringLiteral("stück"), QStringLiteral("3"));
    QVERIFY(r.update());
    QCOMPARE(m->rowCount(), 2);
    QCOMPARE(m->index(1, 0).data().toString(), QStringLiteral("Beta"));
    QCOMPARE(f.DBCombo1->count(), 2);
    r.moveFirst();
    QVERIFY(r.remove());
    QCOMPARE(m->rowCount(), 1);
    QCOMPARE(m->index(0, 0).data().toString(), QStringLiteral("Beta"));
}

void TestBefehle::wertDepotUndKonto() {
    Testbett t;
    t.paket(QStringLiteral("Alpha"), 100, QStringLiteral("10"), QStringLiteral("0"),
            QStringLiteral("10"));
    t.db.exec(QStringLiteral("INSERT INTO Gewinne (datum, text, summe) VALUES (?, ?, ?)"),
              {QDate(2024, 1, 1), QStringLiteral("Einzahlung"), Testbett::cur("1200")});
    t.db.exec(QStringLiteral("INSERT INTO Gewinne (datum, text, summe) VALUES (?, ?, ?)"),
              {QDate(2024, 1, 2), QStringLiteral("Abhebung"), Testbett::cur("-200")});
    auto& f = t.laden();
    QCOMPARE(f.Label10->text(), QStringLiteral("1955,83 DM"));
    f.Command8->click();
    QCOMPARE(t.dialogs.shown.size(), 1);
    const auto& box = t.dialogs.shown.first();
    QCOMPARE(box.text, QStringLiteral("Der Gesamtwert Ihres Depots + Konto beträgt zur Zeit:   "
                                      "\n\n2955,83 DM     (1511,29 Euro)"));
    QCOMPARE(box.icon, Dialogs::Icon::Information);
    QCOMPARE(box.buttons, Dialogs::Buttons::Ok);
    QCOMPARE(box.title, QStringLiteral("Aktueller Wert Depot + Konto"));
    QCOMPARE(t.modul.Kontostand, Currency::fromWhole(1000));
}

void TestBefehle::tagesergebnis_data() {
    QTest::addColumn<QString>("altallwert");
    QTest::addColumn<QString>("text");
    QTest::newRow("gleich: Gewinn von null") << "1000"
                                             << "\nTagesgewinn\n0,00   (0,00 DM)";
    QTest::newRow("höher als heute") << "1100"
                                     << "\nTagesverlust\n-100,00   (-195,58 DM)";
    QTest::newRow("niedriger als heute") << "999,5"
                                         << "\nTagesgewinn\n0,50   (0,98 DM)";
}

void TestBefehle::tagesergebnis() {
    QFETCH(QString, altallwert);
    QFETCH(QString, text);
    Testbett t;
    t.paket(QStringLiteral("Alpha"), 100, QStringLiteral("10"), QStringLiteral("0"),
            QStringLiteral("10"));
    t.kennwort(QStringLiteral("altallwert"), Testbett::cur(altallwert));
    auto& f = t.laden();
    QVERIFY(f.Label33->isHidden());
    QTest::mouseClick(f.LabelGesamtwert, Qt::LeftButton);
    QVERIFY(!f.Label33->isHidden());
    QCOMPARE(f.Label33->text(), text);
    QTest::mouseClick(f.Label10, Qt::LeftButton);
    QVERIFY(f.Label33->isHidden());
    QTest::mouseClick(f.Label10, Qt::LeftButton);
    QVERIFY(!f.Label33->isHidden());
    QTest::mouseClick(f.Label33, Qt::LeftButton);
    QVERIFY(f.Label33->isHidden());
}

void TestBefehle::hilfeUndEditor() {
    Testbett t;
    auto& f = t.laden();
    f.schalter[8]->click();
    f.aktion(QStringLiteral("menu_hilfeinhalt"))->trigger();
    QCOMPARE(t.hilfe.contentsShown, 2);
    f.aktion(QStringLiteral("menu_notepad"))->trigger();
    QCOMPARE(t.editor.starts, 1);
    QVERIFY(t.dialogs.shown.isEmpty());
    t.editor.result = false;
    f.aktion(QStringLiteral("menu_notepad"))->trigger();
    QCOMPARE(t.dialogs.shown.size(), 1); // a German message instead of silence
    f.schalter[7]->click();
    QCOMPARE(t.modalGeoeffnet, QStringList{QStringLiteral("FormInfo")});
}

QTEST_MAIN(TestBefehle)
#include "tst_befehle.moc"
