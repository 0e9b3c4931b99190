// Every window as the keyboard and a screen reader meet it, on a small
// screen of 1024 × 768 (or, with KAPITO_SKALIERT set, 1366 × 768 scaled by
// 1.5): each control has a name, Enter presses no button by itself, Tab
// walks the controls in reading order, each label is read as it shows, its
// text stays readable under a light and a dark palette, and the window opens
// whole and centred on the screen.
//
// A new window is checked by one row naming the main window's command that
// opens it.

#include "Testbett.h"
#include "app/FormGruss.h"
#include "core/Passwort.h"
#include "extras/pwfrage.h"
#include "platform/Fensterplatz.h"
#include "support/Bedienelemente.h"
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QTemporaryFile>

namespace {

// Every fault of the shown fenster, one line each.
QStringList fehlerVon(QWidget* fenster) {
    QStringList fehler;
    const auto dazu = [&](const QString& was, const QStringList& liste) {
        if (!liste.isEmpty()) fehler << was + liste.join(QStringLiteral(", "));
    };
    dazu(QStringLiteral("ohne Namen: "), unbenannteBedienelemente(fenster));
    dazu(QStringLiteral("Enter drückt: "), standardknoepfe(fenster));
    if (const QString platz = fensterplatzFehler(fenster); !platz.isEmpty()) fehler << platz;
    if (const QString tab = tabfolgeFehler(fenster); !tab.isEmpty()) fehler << tab;
    dazu(QStringLiteral("Labels lesen sich anders: "), stummeLabels(fenster));
    dazu(QStringLiteral("schwer lesbar: "), kontrastFehler(fenster));
    return fehler;
}

void bedienbarPruefen(QWidget* fenster) {
    const QStringList fehler = fehlerVon(fenster);
    QVERIFY2(fehler.isEmpty(), qPrintable(fehler.join(QStringLiteral("\n"))));
}

// Each window is built under a light and under a dark system palette.
void paletteSetzen(bool dunkel) {
    static const QPalette hell = QApplication::palette();
    QApplication::setPalette(dunkel ? dunklePalette() : hell);
}

} // namespace

class TestBedienelemente : public QObject {
    Q_OBJECT
    static void palettenAuswahl() {
        QTest::addColumn<bool>("dunkel");
        QTest::newRow("hell") << false;
        QTest::newRow("dunkel") << true;
    }
private slots:
    void hauptfensterMitAllenAnsichten_data() { palettenAuswahl(); }
    void hauptfensterMitAllenAnsichten();
    void startfenster_data() { palettenAuswahl(); }
    void startfenster();
    void passwortfrage_data() { palettenAuswahl(); }
    void passwortfrage();
    void zugriffstastenEindeutig();
    void fenster_data();
    void fenster();
};

void TestBedienelemente::hauptfensterMitAllenAnsichten() {
    QFETCH(bool, dunkel);
    paletteSetzen(dunkel);
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
    QFETCH(bool, dunkel);
    paletteSetzen(dunkel);
    Testbett t;
    FormGruss gruss(
        t.controls, [] {}, 60000);
    gruss.show();
    bedienbarPruefen(&gruss);
}

void TestBedienelemente::passwortfrage() {
    QFETCH(bool, dunkel);
    paletteSetzen(dunkel);
    Testbett t;
    t.kennwort(QStringLiteral("passwort"), Passwort::speicherform(QStringLiteral("Geheim1")));
    auto& f = t.laden();
    QVERIFY(f.passwortFenster());
    bedienbarPruefen(f.passwortFenster());
}

// Alt with a letter opens its menu or presses its button, never two at once.
void TestBedienelemente::zugriffstastenEindeutig() {
    Testbett t;
    auto& f = t.laden();
    QMap<QString, QStringList> wer;
    for (const QAction* a : f.menuBar()->actions())
        wer[QKeySequence::mnemonic(a->text()).toString()] << a->text();
    for (const QAbstractButton* b : f.findChildren<QAbstractButton*>())
        if (const QKeySequence taste = QKeySequence::mnemonic(b->text()); !taste.isEmpty())
            wer[taste.toString()] << b->text();
    wer.remove(QString());
    QCOMPARE(wer.value(QStringLiteral("Alt+W")), QStringList{QStringLiteral("&Wertpapier")});
    for (auto it = wer.cbegin(); it != wer.cend(); ++it)
        QVERIFY2(it.value().size() == 1, qPrintable(it.key() + QStringLiteral(": ") +
                                                    it.value().join(QStringLiteral(", "))));
}

void TestBedienelemente::fenster_data() {
    QTest::addColumn<QString>("befehl");
    QTest::addColumn<QString>("klasse");
    QTest::addColumn<bool>("dunkel");
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
        {"menu_zielkurs", "FormExtras"},
        {"menu_spekufrist", "FormExtras"},
        {"menu_split", "FormExtras"},
        {"menu_zusammen", "FormExtras"},
        {"menu_rechner", "Rechner"},
        {"menu_info", "FormInfo"},
        {"menu_Chart100", "statistik"},
        {"menu_k100", "Formchartkurse100"},
        {"menu_index", "FormIndex"},
        {"menu_beobachten", "FormBeobachten"},
    };
    for (const auto& z : zeilen)
        for (const bool dunkel : {false, true})
            QTest::addRow("%s %s", z[0], dunkel ? "dunkel" : "hell")
                << QString::fromUtf8(z[0]) << QString::fromLatin1(z[1]) << dunkel;
}

void TestBedienelemente::fenster() {
    QFETCH(QString, befehl);
    QFETCH(QString, klasse);
    QFETCH(bool, dunkel);
    paletteSetzen(dunkel);
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
    QString geoeffnet;
    QStringList fehler;
    f.setModalRunner([&](QDialog& d) {
        geoeffnet = QString::fromLatin1(d.metaObject()->className());
        // Shown, as Qt picks a dialog's default button then.
        d.show();
        fehler = fehlerVon(&d);
        d.hide();
        return 0;
    });
    QAction* a = f.aktion(befehl);
    QVERIFY(a);
    a->trigger();
    QCOMPARE(geoeffnet, klasse);
    QVERIFY2(fehler.isEmpty(), qPrintable(fehler.join(QStringLiteral("\n"))));
}

int main(int argc, char** argv) {
    // The windows open on a screen of 1024 × 768 (the offscreen platform's
    // screen is set by a file).
    QTemporaryFile bildschirm(
        QDir::temp().filePath(QStringLiteral("kapito-bildschirm-XXXXXX.json")));
    if (!bildschirm.open()) return 1;
    const bool skaliert = qEnvironmentVariableIsSet("KAPITO_SKALIERT");
    bildschirm.write(QStringLiteral(R"({"screens": [{"name": "klein", "x": 0, "y": 0, "width": %1,
        "height": 768, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                         .arg(skaliert ? 1366 : 1024)
                         .toUtf8());
    bildschirm.flush();
    // 910 × 512 logical pixels
    if (skaliert) qputenv("QT_SCALE_FACTOR", "1.5");
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(bildschirm.fileName()));
    QApplication app(argc, argv);
    Fensterplatz::installieren();
    TestBedienelemente test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_bedienelemente.moc"
