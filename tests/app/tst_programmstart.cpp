// The start procedure: database check, start window, hand-over to the main window.

#include "Testbett.h"
#include "app/FormGruss.h"
#include "app/Programmstart.h"
#include "platform/ScrollLine.h"
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTimer>

class TestProgrammstart : public QObject {
    Q_OBJECT
private slots:
    void ohneDatenbank();
    void fremdeDatei_data();
    void fremdeDatei();
    void grussFensterUndUebergabe();
    void grossgeschriebenerName();
    void verlauf();
};

void TestProgrammstart::ohneDatenbank() {
    Testbett t;
    t.db.close();
    QVERIFY(QFile::remove(t.pfad()));
    Programmstart start(t.kontext(), 0);
    QVERIFY(!start.starten());
    QCOMPARE(start.exitCode(), 1);
    QCOMPARE(t.dialogs.shown.size(), 1);
    QCOMPARE(t.dialogs.shown[0].text,
             QStringLiteral("Die Datenbankdatei \"aktien.mdb\" wurde nicht gefunden!\nBitte "
                            "kopieren Sie die Datei in das Programmverzeichnis oder installieren "
                            "Sie das Programm neu."));
    QCOMPARE(t.dialogs.shown[0].icon, Dialogs::Icon::Exclamation);
    QCOMPARE(t.dialogs.shown[0].buttons, Dialogs::Buttons::Ok);
    QCOMPARE(t.dialogs.shown[0].title, QStringLiteral("Kapito 3.6"));
    QVERIFY(!start.gruss());
    QTest::qWait(20);
    QVERIFY(!start.hauptfenster());
    QVERIFY(!QFile::exists(t.pfad())); // nothing was created
}

void TestProgrammstart::fremdeDatei_data() {
    QTest::addColumn<QByteArray>("inhalt");
    QTest::newRow("Text") << QByteArray("Dies ist keine Datenbank.\n");
    QTest::newRow("leere Datei") << QByteArray();
    QTest::newRow("Rauschen") << QByteArray(4096, '\x5a');
}

void TestProgrammstart::fremdeDatei() {
    QFETCH(QByteArray, inhalt);
    Testbett t;
    t.db.close();
    {
        QFile f(t.pfad());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(inhalt);
    }
    Programmstart start(t.kontext(), 0);
    QVERIFY(!start.starten());
    QCOMPARE(start.exitCode(), 1);
    QCOMPARE(t.dialogs.shown.size(), 1);
    QVERIFY(!t.dialogs.shown[0].text.isEmpty());
    QCOMPARE(t.dialogs.shown[0].text, t.db.message());
    QVERIFY(!start.gruss());
    QFile f(t.pfad());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), inhalt); // left untouched
}

void TestProgrammstart::grussFensterUndUebergabe() {
    Testbett t;
    t.db.close();
    Programmstart start(t.kontext(), 200);
    QSignalSpy ende(&start, &Programmstart::beendet);
    QVERIFY(start.starten());
    QVERIFY(t.db.isOpen());
    FormGruss* gruss = start.gruss();
    QVERIFY(gruss);
    QVERIFY2(gruss->isVisible(), start.hauptfenster() ? "already handed over" : "not shown");
    QCOMPARE(gruss->Label5->text(), QStringLiteral("Kapito 3.6"));
    QVERIFY(gruss->Label5->font().weight() >= QFont::Bold);
    QCOMPARE(gruss->Timer1->interval(), 200);
    QVERIFY(!start.hauptfenster());

    QTRY_VERIFY(start.hauptfenster() && start.hauptfenster()->isVisible());
    QTRY_VERIFY(!start.gruss());
    QCOMPARE(ende.size(), 0);

    t.dialogs.answers = {Dialogs::Answer::Yes};
    start.hauptfenster()->menu_ende_Click();
    QCOMPARE(ende.size(), 1);
    QCOMPARE(start.exitCode(), 0);
}

// "Aktien.mdb" is the same file as "aktien.mdb": start and load use it.
void TestProgrammstart::grossgeschriebenerName() {
    Testbett t;
    t.paket(QStringLiteral("Alpha"), 10, QStringLiteral("20"), QStringLiteral("5"),
            QStringLiteral("21"));
    t.db.close();
    const QString gross = t.dir.filePath(QStringLiteral("Aktien.mdb"));
    QVERIFY(QFile::rename(t.pfad(), gross));
    Programmstart start(t.kontext(), 0);
    QVERIFY(start.starten());
    QVERIFY(t.dialogs.shown.isEmpty());
    QCOMPARE(QFileInfo(t.db.path()).fileName(), QStringLiteral("Aktien.mdb"));
    QTRY_VERIFY(start.hauptfenster() && start.hauptfenster()->isVisible());
    QVERIFY(t.dialogs.shown.isEmpty());
    QCOMPARE(start.hauptfenster()->Daten1().recordCount(), 1);
    QVERIFY(!QFile::exists(t.pfad())); // no second file beside it
}

void TestProgrammstart::verlauf() {
    ControlLoader keine(QDir::temp().filePath(QStringLiteral("kapito-keine-steuerelemente")));
    FormGruss gruss(
        keine, [] {}, 100000);
    QCOMPARE(FormGruss::lauftext(),
             QStringLiteral("Bitte haben Sie etwas Geduld, das Programm wird geladen   +++   "
                            "Bitte haben Sie etwas Geduld, das Programm wird geladen   +++"));
    gruss.setFixedSize(520, 512);
    const QImage bild = gruss.grab().toImage();
    const int x = 2;
    QCOMPARE(bild.pixelColor(x, 0), QColor(0, 0, 255));
    QCOMPARE(bild.pixelColor(x, 255), QColor(0, 0, 255)); // band 255: still 256 → 255
    QCOMPARE(bild.pixelColor(x, 256), QColor(0, 0, 255));
    QCOMPARE(bild.pixelColor(x, 384), QColor(0, 0, 127));
    QCOMPARE(bild.pixelColor(x, 511), QColor(0, 0, 0));
}

QTEST_MAIN(TestProgrammstart)
#include "tst_programmstart.moc"
