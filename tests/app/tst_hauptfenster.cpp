// The main window's load, totals and card.

#include "Testbett.h"
#include "db/Fehlertexte.h"
#include "core/Passwort.h"
#include "core/Rtf.h"
#include "extras/pwfrage.h"
#include "support/FehlerVfs.h"
#include "support/TestUtil.h"
#include <QComboBox>
#include <QProgressDialog>
#include <QTimer>
#include <QDir>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolButton>

class TestHauptfenster : public QObject {
    Q_OBJECT
private slots:
    void erststartOhneKompaktierung();
    void kompaktierung_data();
    void kompaktierung();
    void misslungeneKompaktierungWirdGemeldet();
    void kompaktierungMitFortschritt();
    void schreibgeschuetztWirdNichtKomprimiert();
    void fehlendeDatenbankBeimLaden();
    void ohnePaketeGesperrt();
    void gespeichertesPasswortFragtZuerst_data();
    void gespeichertesPasswortFragtZuerst();
    void summen_data();
    void summen();
    void alarme_data();
    void alarme();
    void kursdifferenzUndFarbe();
    void zweiPaketeEinesNamens();
    void notizen_data();
    void notizen();
    void notizenBleibenBeimPaket();
    void hinweisNachFensterschluss();
};

void TestHauptfenster::erststartOhneKompaktierung() {
    Testbett t;
    auto& f = t.laden();
    QVERIFY(t.dialogs.shown.isEmpty());
    QCOMPARE(t.kennwortWert(QStringLiteral("kompridatum")).toString(),
             QStringLiteral("2024-03-15"));
    QVERIFY(f.isVisible());
    QCOMPARE(f.ansicht(), Aktiendataform::Ansicht::Uebersicht);
}

void TestHauptfenster::kompaktierung_data() {
    QTest::addColumn<int>("alter");
    QTest::addColumn<QList<Dialogs::Answer>>("antworten");
    QTest::addColumn<QStringList>("meldungen");
    QTest::addColumn<QString>("kompridatum");
    const QString frage = QStringLiteral("Von Zeit zu Zeit sollte die Datenbank komprimiert "
                                         "werden.\nSoll die Datenbank jetzt komprimiert werden?");
    QTest::newRow("30 Tage: keine Frage")
        << 30 << QList<Dialogs::Answer>{} << QStringList{} << QStringLiteral("2024-02-14");
    QTest::newRow("31 Tage, Nein") << 31 << QList<Dialogs::Answer>{Dialogs::Answer::No}
                                   << QStringList{frage} << QStringLiteral("2024-02-13");
    QTest::newRow("31 Tage, Ja") << 31
                                 << QList<Dialogs::Answer>{Dialogs::Answer::Yes,
                                                           Dialogs::Answer::Ok}
                                 << QStringList{frage,
                                                QStringLiteral("Datenbank wurde komprimiert!")}
                                 << QStringLiteral("2024-03-15");
}

void TestHauptfenster::kompaktierung() {
    QFETCH(int, alter);
    QFETCH(QList<Dialogs::Answer>, antworten);
    QFETCH(QStringList, meldungen);
    QFETCH(QString, kompridatum);
    Testbett t;
    t.paket(QStringLiteral("Alpha"), 10, QStringLiteral("20"), QStringLiteral("5"),
            QStringLiteral("21"));
    t.kennwort(QStringLiteral("kompridatum"), t.uhr.today().addDays(-alter));
    t.dialogs.answers = antworten;
    auto& f = t.laden();
    QStringList gezeigt;
    for (const auto& s : t.dialogs.shown)
        gezeigt << s.text;
    QCOMPARE(gezeigt, meldungen);
    if (!meldungen.isEmpty()) {
        QCOMPARE(t.dialogs.shown.first().icon, Dialogs::Icon::Question);
        QCOMPARE(t.dialogs.shown.first().buttons, Dialogs::Buttons::YesNo);
    }
    QCOMPARE(t.kennwortWert(QStringLiteral("kompridatum")).toString(), kompridatum);
    // The record sets work on the (possibly new) file afterwards.
    QCOMPARE(f.Daten1().recordCount(), 1);
    QCOMPARE(f.karte().Labelaktie->text(), QStringLiteral("Alpha"));
    QCOMPARE(f.LabelGesamtwert->text(), QStringLiteral("210.00"));
}

void TestHauptfenster::misslungeneKompaktierungWirdGemeldet() {
    Testbett t;
    t.paket(QStringLiteral("Alpha"), 10, QStringLiteral("20"), QStringLiteral("5"),
            QStringLiteral("21"));
    t.kennwort(QStringLiteral("kompridatum"), QDate(2023, 1, 1));
    // A folder in the way of the copy makes the compaction fail.
    QVERIFY(QDir(t.dir.path()).mkdir(QStringLiteral("dbAkt.mdb")));
    t.dialogs.answers = {Dialogs::Answer::Yes, Dialogs::Answer::Ok};
    auto& f = t.laden();
    QCOMPARE(t.dialogs.shown.size(), 2);
    // Said once, then the reason on a line of its own.
    const QString text = t.dialogs.shown.at(1).text;
    const QString erste = QStringLiteral("Die Datenbank konnte nicht komprimiert werden.");
    QVERIFY2(text.startsWith(erste + QLatin1Char('\n')), qPrintable(text));
    QCOMPARE(text.count(erste), 1);
    QVERIFY2(text.contains(QStringLiteral("dbAkt.mdb")), qPrintable(text));
    QVERIFY(!text.contains(QLatin1Char('\r')));
    QCOMPARE(t.kennwortWert(QStringLiteral("kompridatum")).toString(),
             QStringLiteral("2023-01-01"));
    QCOMPARE(f.Daten1().recordCount(), 1);
    QVERIFY(f.isVisible());
}

// The copy is made on its own thread: a progress dialog is up and the
// windows' events run meanwhile.
void TestHauptfenster::kompaktierungMitFortschritt() {
    Testbett t;
    t.paket(QStringLiteral("Alpha"), 10, QStringLiteral("20"), QStringLiteral("5"),
            QStringLiteral("21"));
    QVERIFY(t.db.exec(QStringLiteral("BEGIN")));
    for (int i = 0; i < 20000; ++i)
        t.db.exec(QStringLiteral("INSERT INTO kurse (aktie, datum, kurs) VALUES ('Alpha', ?, ?)"),
                  {QDate(2000, 1, 1).addDays(i % 9000), QVariant::fromValue<qint64>(i)});
    QVERIFY(t.db.exec(QStringLiteral("COMMIT")));
    t.kennwort(QStringLiteral("kompridatum"), QDate(2023, 1, 1));
    t.dialogs.answers = {Dialogs::Answer::Yes, Dialogs::Answer::Ok};

    int waehrendDessen = 0;
    QTimer uhr;
    uhr.setInterval(2);
    connect(&uhr, &QTimer::timeout, this, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<QProgressDialog*>(w) && w->isVisible()) ++waehrendDessen;
    });
    uhr.start();
    auto& f = t.laden();
    uhr.stop();
    QVERIFY(waehrendDessen > 0);
    QCOMPARE(t.dialogs.lastText(), QStringLiteral("Datenbank wurde komprimiert!"));
    QCOMPARE(t.kennwortWert(QStringLiteral("kompridatum")).toString(),
             QStringLiteral("2024-03-15"));
    QCOMPARE(f.Daten1().recordCount(), 1);
    QCOMPARE(t.db.scalar(QStringLiteral("SELECT count(*) FROM kurse")).toInt(), 20000);
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY(!(qobject_cast<QProgressDialog*>(w) && w->isVisible()));
}

// A file the user cannot write is not compacted, and not offered it at every
// start: the status bar says once that it is write-protected.
void TestHauptfenster::schreibgeschuetztWirdNichtKomprimiert() {
    Testbett t;
    t.kennwort(QStringLiteral("kompridatum"), QDate(2023, 1, 1));
    FehlerVfs vfs;
    vfs.setFehler(FehlerVfs::Fehler::DateiSchreibgeschuetzt);
    t.db.close();
    QCOMPARE(t.db.open(t.pfad()), Database::Status::Ok);
    Aktiendataform& f = t.laden();
    QVERIFY(t.dialogs.shown.isEmpty());
    QCOMPARE(f.StatusBar1[1]->text(), Fehlertexte::schreibschutzHinweis(true, false));
    QVERIFY(!QFileInfo::exists(t.dir.filePath(QStringLiteral("dbAkt.mdb"))));
}

void TestHauptfenster::fehlendeDatenbankBeimLaden() {
    Testbett t;
    t.db.close();
    QVERIFY(QFile::remove(t.pfad()));
    t.fenster = std::make_unique<Aktiendataform>(t.kontext());
    QSignalSpy ende(t.fenster.get(), &Aktiendataform::programmEnde);
    t.fenster->Form_Load();
    QCOMPARE(t.dialogs.lastText(),
             QStringLiteral("Die Datenbankdatei \"aktien.mdb\" wurde nicht gefunden!\nBitte "
                            "kopieren Sie die Datei in das Programmverzeichnis oder installieren "
                            "Sie das Programm neu."));
    QCOMPARE(t.dialogs.shown.last().icon, Dialogs::Icon::Exclamation);
    QCOMPARE(ende.size(), 1);
    QVERIFY(!t.fenster->isVisible());
}

void TestHauptfenster::ohnePaketeGesperrt() {
    Testbett t;
    auto& f = t.laden();
    QVERIFY(!f.menu_edit->isEnabled());
    QVERIFY(!f.menu_loeschen->isEnabled());
    QVERIFY(!f.menu_verkaufen->isEnabled());
    QVERIFY(!f.karte().Command3->isEnabled());
    for (int i : {1, 2, 5})
        QVERIFY(!f.schalter[i]->isEnabled());
    for (int i : {0, 3, 4, 6, 9, 11})
        QVERIFY(f.schalter[i]->isEnabled());
    QCOMPARE(f.LabelGesamtwert->text(), QStringLiteral("0.00"));
    QCOMPARE(f.Label17->text(), QStringLiteral("Kein Gewinn / kein Verlust"));
    QCOMPARE(f.StatusBar1[0]->text(), QStringLiteral("0"));
    QCOMPARE(t.modul.lesezeichen, Bookmark(-1));
}

void TestHauptfenster::gespeichertesPasswortFragtZuerst_data() {
    QTest::addColumn<QString>("eingabe");
    QTest::addColumn<bool>("angenommen");
    QTest::newRow("richtig") << QStringLiteral("Geheim1") << true;
    QTest::newRow("falsch") << QStringLiteral("geheim1") << false;
}

void TestHauptfenster::gespeichertesPasswortFragtZuerst() {
    QFETCH(QString, eingabe);
    QFETCH(bool, angenommen);
    Testbett t;
    t.paket(QStringLiteral("Alpha"), 10, QStringLiteral("20"), QStringLiteral("5"),
            QStringLiteral("21"));
    t.kennwort(QStringLiteral("passwort"), Passwort::speicherform(QStringLiteral("Geheim1")));
    t.kennwort(QStringLiteral("dmanzeige"), 1);
    t.fenster = std::make_unique<Aktiendataform>(t.kontext());
    QSignalSpy ende(t.fenster.get(), &Aktiendataform::programmEnde);
    t.fenster->Form_Load();
    auto& f = *t.fenster;

    pwfrage* frage = f.passwortFenster();
    QVERIFY(frage);
    QVERIFY(frage->isVisible());
    QVERIFY(!f.isVisible());
    QCOMPARE(t.modul.DMAnzeige, 0); // settings wait for the password

    frage->Textpwfrage->setText(eingabe);
    frage->Schalter3->click();
    QCOMPARE(f.isVisible(), angenommen);
    QCOMPARE(ende.size(), angenommen ? 0 : 1);
    if (angenommen) {
        QVERIFY(t.dialogs.shown.isEmpty());
        QCOMPARE(f.ansicht(), Aktiendataform::Ansicht::Uebersicht);
        QCOMPARE(t.modul.DMAnzeige, 1);
        QVERIFY(f.menu_DManzeigen->isChecked());
        QCOMPARE(t.modul.PasswortAktuell, QStringLiteral("Geheim1"));
    } else {
        QCOMPARE(t.dialogs.lastText(), QStringLiteral("Dies ist kein gültiges Passwort!"));
        QCOMPARE(t.dialogs.shown.last().icon, Dialogs::Icon::Stop);
    }
}

void TestHauptfenster::summen_data() {
    // stück, kaufpreis, gebühren, tageskurs per package
    QTest::addColumn<QList<QStringList>>("pakete");
    QTest::addColumn<QStringList>(
        "texte"); // LabelGesamtwert, Label10, LabelAllgewinn, Label14, Label17
    const QString verlust = QStringLiteral("-- Gesamtverlust --------------------");
    const QString gewinn = QStringLiteral("-- Gesamtgewinn --------------------");
    const QString null = QStringLiteral("Kein Gewinn / kein Verlust");
    QTest::newRow("leer") << QList<QStringList>{}
                          << QStringList{"0.00", "0,00 DM", "0.00", "0,00 DM", null};
    QTest::newRow("Gebühren machen Verlust")
        << QList<QStringList>{{"10", "20", "5", "20"}}
        << QStringList{"200.00", "391,17 DM", "-5.00", "-9,78 DM", verlust};
    QTest::newRow("genau null") << QList<QStringList>{{"10", "20", "0", "20"}}
                                << QStringList{"200.00", "391,17 DM", "0.00", "0,00 DM", null};
    QTest::newRow("ein Cent") << QList<QStringList>{{"1", "10", "0", "10,01"}}
                              << QStringList{"10.01", "19,58 DM", "0.01", "0,02 DM", gewinn};
    QTest::newRow("tausend Euro") << QList<QStringList>{{"100", "10", "0", "10"}}
                                  << QStringList{"1000.00", "1955,83 DM", "0.00", "0,00 DM", null};
    QTest::newRow("zwei Pakete eines Namens")
        << QList<QStringList>{{"10", "20", "5", "20"}, {"5", "10", "0", "12,5"}}
        << QStringList{"262.50", "513,41 DM", "7.50", "14,67 DM", gewinn};
    QTest::newRow("mehr als 32767 Stück")
        << QList<QStringList>{{"40000", "1", "0", "2"}}
        << QStringList{"80000.00", "156466,40 DM", "40000.00", "78233,20 DM", gewinn};
}

void TestHauptfenster::summen() {
    QFETCH(QList<QStringList>, pakete);
    QFETCH(QStringList, texte);
    Testbett t;
    for (const QStringList& p : pakete)
        t.paket(QStringLiteral("Alpha"), p[0].toInt(), p[1], p[2], p[3]);
    auto& f = t.laden();
    const QStringList ist{f.LabelGesamtwert->text(), f.Label10->text(), f.LabelAllgewinn->text(),
                          f.Label14->text(), f.Label17->text()};
    QCOMPARE(ist, texte);
    QCOMPARE(f.StatusBar1[0]->text(), QString::number(pakete.size()));
    QCOMPARE(t.modul.AnzahlPakete, pakete.size());
    QCOMPARE(f.gesamtwertText(), texte.first());
}

void TestHauptfenster::alarme_data() {
    QTest::addColumn<double>("kursziel");
    QTest::addColumn<double>("stopkurs");
    QTest::addColumn<QString>("tageskurs");
    QTest::addColumn<int>("tage");
    QTest::addColumn<QString>("kursalarm"); // empty: hidden
    QTest::addColumn<bool>("frist");
    QTest::newRow("Ziel erreicht")
        << 100.0 << 0.0 << "100" << 10 << "Kursziel ist erreicht" << false;
    QTest::newRow("nichts gesetzt") << 0.0 << 0.0 << "100" << 10 << "" << false;
    QTest::newRow("Stop nicht erreicht") << 0.0 << 80.0 << "100" << 10 << "" << false;
    QTest::newRow("Stop unterschritten")
        << 0.0 << 80.0 << "75" << 10 << "Stopkurs ist erreicht" << false;
    QTest::newRow("Stop genau") << 120.0 << 80.0 << "80" << 10 << "Stopkurs ist erreicht" << false;
    QTest::newRow("Ziel vor Stop")
        << 100.0 << 120.0 << "110" << 10 << "Kursziel ist erreicht" << false;
    QTest::newRow("364 Tage") << 0.0 << 0.0 << "100" << 364 << "" << false;
    QTest::newRow("365 Tage") << 0.0 << 0.0 << "100" << 365 << "" << true;
}

void TestHauptfenster::alarme() {
    QFETCH(double, kursziel);
    QFETCH(double, stopkurs);
    QFETCH(QString, tageskurs);
    QFETCH(int, tage);
    QFETCH(QString, kursalarm);
    QFETCH(bool, frist);
    Testbett t;
    t.paket(QStringLiteral("Alpha"), 1, QStringLiteral("90"), QStringLiteral("0"), tageskurs,
            QStringLiteral("90"), t.uhr.today().addDays(-tage), kursziel, stopkurs);
    auto& f = t.laden();
    f.Command5_Click();
    QCOMPARE(!f.karte().Labelkursziel->isHidden(), !kursalarm.isEmpty());
    if (!kursalarm.isEmpty()) QCOMPARE(f.karte().Labelkursziel->text(), kursalarm);
    QCOMPARE(!f.karte().Label16->isHidden(), frist);
}

void TestHauptfenster::kursdifferenzUndFarbe() {
    Testbett t;
    t.paket(QStringLiteral("Verlierer"), 10, QStringLiteral("60"), QStringLiteral("5"),
            QStringLiteral("55"), QStringLiteral("50"));
    t.paket(QStringLiteral("Gewinner"), 10, QStringLiteral("10"), QStringLiteral("0"),
            QStringLiteral("12"), QStringLiteral("0"));
    auto& f = t.laden();
    f.Command5_Click();
    const QColor rot(255, 0, 0);
    QCOMPARE(f.karte().Labelaktie->text(), QStringLiteral("Verlierer"));
    QCOMPARE(f.karte().Labelkursdiff->text(), QStringLiteral("5,00"));
    QCOMPARE(f.karte().Label21->text(), QStringLiteral("10,00 %"));
    QCOMPARE(f.karte().LabelGekauf->text(), QStringLiteral("605,00"));
    QCOMPARE(f.karte().LabelAktwert->text(), QStringLiteral("550,00"));
    QCOMPARE(f.karte().Labelgewinn->text(), QStringLiteral("-55,00"));
    QCOMPARE(f.karte().Labelgewinn->palette().color(QPalette::WindowText), rot);
    QCOMPARE(f.karte().Labelkursdiff->palette().color(QPalette::WindowText), QColor(Qt::black));
    // Only the card's gain and change turn red, not the total's loss.
    QCOMPARE(f.LabelAllgewinn->text(), QStringLiteral("-35.00"));
    QVERIFY(f.LabelAllgewinn->palette().color(QPalette::WindowText) != rot);
    // The card has no caption of its own for the change.
    for (const QLabel* l : f.karte().findChildren<QLabel*>())
        QVERIFY2(!l->text().contains(QStringLiteral("Vortag")), qPrintable(l->objectName()));
    QCOMPARE(f.karte().Labelstueck->text(), QStringLiteral("10"));
    QCOMPARE(f.karte().Label8->text(), QStringLiteral("840400"));
    QCOMPARE(f.karte().Labeldatum->text(), QStringLiteral("02.01.2024"));

    f.navigator[2]->click(); // next
    QCOMPARE(f.karte().Labelaktie->text(), QStringLiteral("Gewinner"));
    QCOMPARE(f.karte().Labelgewinn->text(), QStringLiteral("20,00"));
    QCOMPARE(f.karte().Labelgewinn->palette().color(QPalette::WindowText), QColor(Qt::black));
    QCOMPARE(f.karte().Label21->text(), QString()); // no previous quote, no percentage
    QCOMPARE(f.karte().Labelkursdiff->palette().color(QPalette::WindowText), QColor(Qt::black));
    f.navigator[2]->click(); // stays on the last package
    QCOMPARE(f.karte().Labelaktie->text(), QStringLiteral("Gewinner"));
    f.navigator[0]->click();
    QCOMPARE(f.karte().Labelaktie->text(), QStringLiteral("Verlierer"));
    QCOMPARE(f.ansicht(), Aktiendataform::Ansicht::Karte);
}

void TestHauptfenster::zweiPaketeEinesNamens() {
    Testbett t;
    t.paket(QStringLiteral("Beta"), 3, QStringLiteral("1"), QStringLiteral("0"),
            QStringLiteral("1"));
    const Bookmark erstes = t.paket(QStringLiteral("Alpha"), 5, QStringLiteral("1"),
                                    QStringLiteral("0"), QStringLiteral("1"));
    const Bookmark zweites = t.paket(QStringLiteral("Alpha"), 7, QStringLiteral("1"),
                                     QStringLiteral("0"), QStringLiteral("1"));
    auto& f = t.laden();
    QCOMPARE(f.DBCombo1->count(), 3);
    emit f.DBCombo1->activated(2);
    QCOMPARE(f.Daten1().bookmark(), zweites);
    QCOMPARE(f.karte().Labelstueck->text(), QStringLiteral("7"));
    QCOMPARE(f.ansicht(), Aktiendataform::Ansicht::Karte);
    emit f.DBCombo1->activated(1);
    QCOMPARE(f.Daten1().bookmark(), erstes);
    QCOMPARE(f.karte().Labelstueck->text(), QStringLiteral("5"));
    QCOMPARE(f.DBCombo1->currentIndex(), 1);
    // The list follows moves of the record set.
    f.Daten1().moveLast();
    QCOMPARE(f.DBCombo1->currentIndex(), 2);
}

void TestHauptfenster::notizen_data() {
    QTest::addColumn<QString>("eingabe");
    QTest::addColumn<QString>("angezeigt");
    QTest::newRow("leer wird Punkt") << QString() << QStringLiteral(".");
    QTest::newRow("Text mit Umlauten") << QStringLiteral("Dividende erhöht\nÜberprüfen: 5 €")
                                       << QStringLiteral("Dividende erhöht\nÜberprüfen: 5 €");
}

void TestHauptfenster::notizen() {
    QFETCH(QString, eingabe);
    QFETCH(QString, angezeigt);
    Testbett t;
    t.paket(QStringLiteral("Alpha"), 1, QStringLiteral("1"), QStringLiteral("0"),
            QStringLiteral("1"));
    auto& f = t.laden();
    f.Command5_Click();
    QVERIFY(f.karte().Text1->isReadOnly());
    f.karte().Command3->click();
    QVERIFY(!f.karte().Text1->isReadOnly());
    QVERIFY(f.karte().Command4->isEnabled());
    QVERIFY(!f.karte().Command3->isEnabled());
    QVERIFY(!f.DBCombo1->isEnabled());
    QVERIFY(!f.Daten1Navigator->isEnabled());
    QVERIFY(!f.Hmenu_aktie->menuAction()->isEnabled());
    QVERIFY(!f.aktion(QStringLiteral("menu_ende"))->isEnabled());
    QVERIFY(!f.schalter[9]->isEnabled());
    QVERIFY(f.schalter[11]->isEnabled());

    f.karte().Text1->setPlainText(eingabe);
    f.karte().Command4->click();
    QVERIFY(f.karte().Text1->isReadOnly());
    QVERIFY(f.aktion(QStringLiteral("menu_ende"))->isEnabled());
    QVERIFY(f.Hmenu_hilfe->menuAction()->isEnabled());
    QVERIFY(f.DBCombo1->isEnabled());
    QCOMPARE(f.karte().Text1->toPlainText(), angezeigt);
    const QString gespeichert =
        t.db.scalar(QStringLiteral("SELECT notizen FROM Aktiendaten")).toString();
    if (eingabe.isEmpty())
        QCOMPARE(gespeichert, QStringLiteral("."));
    else {
        QVERIFY(Rtf::isRtf(gespeichert));
        QCOMPARE(Rtf::toPlainText(gespeichert), eingabe);
    }
}

// While the notes are edited nothing moves the card or changes the view, and
// the text is saved into the package the edit began on.
void TestHauptfenster::notizenBleibenBeimPaket() {
    Testbett t;
    t.paket(QStringLiteral("Alpha"), 1, QStringLiteral("1"), QStringLiteral("0"),
            QStringLiteral("1"));
    const Bookmark beta = t.paket(QStringLiteral("Beta"), 1, QStringLiteral("1"),
                                  QStringLiteral("0"), QStringLiteral("1"));
    auto& f = t.laden(); // the saved position is Alpha
    f.navigator[2]->click();
    QCOMPARE(f.karte().Labelaktie->text(), QStringLiteral("Beta"));
    f.karte().Command3->click();
    f.karte().Text1->selectAll(); // replaces the "." of no notes
    typeText(f.karte().Text1, QStringLiteral("Hauptversammlung im Mai"));

    // Every way to another package or view is closed: the buttons, the
    // toolbar's first ten, the list and the navigator, all menus.
    for (QPushButton* b : {f.Command1, f.Command2, f.Command5, f.Command6, f.Command7, f.Command8})
        QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
    for (int i = 0; i <= 9; ++i)
        QVERIFY2(!f.schalter[i]->isEnabled(), qPrintable(QString::number(i)));
    for (QMenu* m :
         {f.Hmenu_aktie, f.Hmenu_bearbeiten, f.Hmenu_auswerten, f.Hmenu_optionen, f.Hmenu_hilfe})
        QVERIFY(!m->menuAction()->isEnabled());
    f.Command7->click();
    f.Command5->click();
    f.Labeltageskurs_Click();
    QCOMPARE(f.ansicht(), Aktiendataform::Ansicht::Karte);
    QCOMPARE(f.Daten1().bookmark(), beta);
    QVERIFY(t.modalGeoeffnet.isEmpty());

    // Even if the record set moved meanwhile, the notes go to Beta.
    f.Daten1().moveFirst();
    QCOMPARE(f.karte().Text1->toPlainText(), QStringLiteral("Hauptversammlung im Mai"));
    f.karte().Command4->click();
    const auto notizen = [&](const QString& aktie) {
        return t.db
            .scalar(QStringLiteral("SELECT notizen FROM Aktiendaten WHERE aktie = ?"), {aktie})
            .toString();
    };
    QCOMPARE(Rtf::toPlainText(notizen(QStringLiteral("Beta"))),
             QStringLiteral("Hauptversammlung im Mai"));
    QCOMPARE(notizen(QStringLiteral("Alpha")), QStringLiteral("."));
    QCOMPARE(f.karte().Labelaktie->text(), QStringLiteral("Beta"));

    // Afterwards each command is as it was before: the card's own state.
    QVERIFY(!f.Command5->isEnabled());
    QVERIFY(!f.Command6->isEnabled());
    QVERIFY(f.Command7->isEnabled());
    for (int i : {1, 2, 5})
        QVERIFY(f.schalter[i]->isEnabled());
    QVERIFY(f.DBCombo1->isEnabled());
    QVERIFY(f.Daten1Navigator->isEnabled());
}

// A window's button hint does not outlive the window, and coming back to
// the main window shows its notice text again.
void TestHauptfenster::hinweisNachFensterschluss() {
    Testbett t;
    t.paket(QStringLiteral("Alpha"), 1, QStringLiteral("1"), QStringLiteral("0"),
            QStringLiteral("1"));
    auto& f = t.laden();
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    QString waehrend;
    f.setModalRunner([&](QDialog& d) {
        d.show();
        if (auto* schliessen = d.findChild<HoverButton*>(QStringLiteral("schalter(12)"))) {
            QEnterEvent e(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
            QCoreApplication::sendEvent(schliessen, &e);
        }
        waehrend = f.StatusBar1[1]->text();
        d.hide();
        return 0;
    });
    f.menu_edit_Click();
    QCOMPARE(waehrend, QStringLiteral(" Daten-Fenster schließen"));
    QCOMPARE(f.StatusBar1[1]->text(), QStringLiteral(" Kapito 3.6 - Ihr Depot auf einen Blick"));

    // Back from another program's window.
    QWidget anderes;
    anderes.show();
    anderes.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&anderes));
    f.schalter_MouseMove(0);
    QCOMPARE(f.StatusBar1[1]->text(), QStringLiteral(" Neue Aktien kaufen"));
    f.activateWindow();
    QTRY_COMPARE(f.StatusBar1[1]->text(), Aktiendataform::hinweistext());
}

QTEST_MAIN(TestHauptfenster)
#include "tst_hauptfenster.moc"
