// Every window as the keyboard and a screen reader meet it, on a small
// screen of 1024 × 768: each control has a name, Enter presses no button by
// itself, and the window opens whole and centred on the screen.
//
// A new window is checked by one row naming the main window's command that
// opens it.

#include "Testbett.h"
#include "app/FormGruss.h"
#include "core/Passwort.h"
#include "extras/pwfrage.h"
#include "platform/Fensterplatz.h"
#include "support/Bedienelemente.h"
#include <QAction>
#include <QApplication>
#include <QTemporaryFile>

namespace {

void bedienbarPruefen(QWidget* fenster) {
    const QStringList unbenannt = unbenannteBedienelemente(fenster);
    QVERIFY2(unbenannt.isEmpty(),
             qPrintable(QStringLiteral("ohne Namen: ") + unbenannt.join(QStringLiteral(", "))));
    const QStringList standard = standardknoepfe(fenster);
    QVERIFY2(standard.isEmpty(),
             qPrintable(QStringLiteral("Enter drückt: ") + standard.join(QStringLiteral(", "))));
    const QString platz = fensterplatzFehler(fenster);
    QVERIFY2(platz.isEmpty(), qPrintable(platz));
}

} // namespace

class TestBedienelemente : public QObject {
    Q_OBJECT
private slots:
    void hauptfensterMitAllenAnsichten();
    void startfenster();
    void passwortfrage();
    void fenster_data();
    void fenster();
};

void TestBedienelemente::hauptfensterMitAllenAnsichten() {
    Testbett t;
    t.paket(QStringLiteral("Alpha"), 10, QStringLiteral("20"), QStringLiteral("5"),
            QStringLiteral("21"));
    auto& f = t.laden();
    QVERIFY(f.isVisible());
    for (auto a : {Aktiendataform::Ansicht::Karte, Aktiendataform::Ansicht::Uebersicht,
                   Aktiendataform::Ansicht::Chart, Aktiendataform::Ansicht::Bericht}) {
        f.zeigeAnsicht(a);
        bedienbarPruefen(&f);
        if (QTest::currentTestFailed()) return;
    }
}

void TestBedienelemente::startfenster() {
    Testbett t;
    FormGruss gruss(
        t.controls, [] {}, 60000);
    gruss.show();
    bedienbarPruefen(&gruss);
}

void TestBedienelemente::passwortfrage() {
    Testbett t;
    t.kennwort(QStringLiteral("passwort"), Passwort::speicherform(QStringLiteral("Geheim1")));
    auto& f = t.laden();
    QVERIFY(f.passwortFenster());
    bedienbarPruefen(f.passwortFenster());
}

void TestBedienelemente::fenster_data() {
    QTest::addColumn<QString>("befehl");
    QTest::addColumn<QString>("klasse");
    const char* zeilen[][2] = {
        {"menu_depotkonto", "FormDepotKonto"},
        {"menu_neu", "FormAVNeu"},
        {"menu_verkaufen", "Formverkaufen"},
        {"menu_gewinn_verlust", "FormSonstige"},
        {"menu_kursaktuell", "FormNeuKurs"},
        {"menu_alleKurseneu", "FormAlleKurseNeu"},
        {"menu_edit", "FormAVEdit"},
        {"menu_berichtlang", "FormListe1"},
        {"menu_gewinne", "Realgewinnform"},
        {"menu_einstellungen", "FormExtras"},
        {"menu_passwort", "FormExtras"},
        {"menu_rechner", "Rechner"},
        {"menu_info", "FormInfo"},
        {"menu_Chart100", "statistik"},
        {"menu_k100", "Formchartkurse100"},
        {"menu_index", "FormIndex"},
        {"menu_beobachten", "FormBeobachten"},
    };
    for (const auto& z : zeilen)
        QTest::newRow(z[1]) << QString::fromUtf8(z[0]) << QString::fromLatin1(z[1]);
}

void TestBedienelemente::fenster() {
    QFETCH(QString, befehl);
    QFETCH(QString, klasse);
    Testbett t;
    t.paket(QStringLiteral("Alpha"), 10, QStringLiteral("20"), QStringLiteral("5"),
            QStringLiteral("21"));
    t.db.exec(QStringLiteral("INSERT INTO Gewinne (datum, text, summe) VALUES (?, ?, ?)"),
              {QDate(2024, 3, 1), QStringLiteral("Einzahlung"), Testbett::cur("5000")});
    // Enough quotes for the 100-day chart and the chart-quote window.
    for (int tag = 1; tag <= 3; ++tag)
        t.db.exec(QStringLiteral("INSERT INTO kurse (aktie, datum, kurs) VALUES (?, ?, ?)"),
                  {QStringLiteral("Alpha"), QDate(2024, 3, tag), Testbett::cur("21")});
    auto& f = t.laden();
    f.Command5_Click();
    QString geoeffnet, platz;
    QStringList unbenannt, standard;
    f.setModalRunner([&](QDialog& d) {
        geoeffnet = QString::fromLatin1(d.metaObject()->className());
        // Shown, as Qt picks a dialog's default button then.
        d.show();
        unbenannt = unbenannteBedienelemente(&d);
        standard = standardknoepfe(&d);
        platz = fensterplatzFehler(&d);
        d.hide();
        return 0;
    });
    QAction* a = f.aktion(befehl);
    QVERIFY(a);
    a->trigger();
    QCOMPARE(geoeffnet, klasse);
    QVERIFY2(unbenannt.isEmpty(),
             qPrintable(QStringLiteral("ohne Namen: ") + unbenannt.join(QStringLiteral(", "))));
    QVERIFY2(standard.isEmpty(),
             qPrintable(QStringLiteral("Enter drückt: ") + standard.join(QStringLiteral(", "))));
    QVERIFY2(platz.isEmpty(), qPrintable(platz));
}

int main(int argc, char** argv) {
    // The windows open on a screen of 1024 × 768 (the offscreen platform's
    // screen is set by a file).
    QTemporaryFile bildschirm(
        QDir::temp().filePath(QStringLiteral("kapito-bildschirm-XXXXXX.json")));
    if (!bildschirm.open()) return 1;
    bildschirm.write(R"({"screens": [{"name": "klein", "x": 0, "y": 0, "width": 1024,
        "height": 768, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    bildschirm.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(bildschirm.fileName()));
    QApplication app(argc, argv);
    Fensterplatz::installieren();
    TestBedienelemente test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_bedienelemente.moc"
