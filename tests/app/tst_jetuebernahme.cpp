// Start with an old Jet-format "aktien.mdb": the question, the conversion
// with its progress dialog, the kept original, and the refusals that leave
// the file as it was.

#include "Testbett.h"
#include "app/JetUebernahme.h"
#include "app/Programmstart.h"
#include "db/JetKonverter.h"
#include "jet/JetBestand.h"
#include "support/Bedienelemente.h"
#include <QApplication>
#include <QCryptographicHash>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

namespace {

QString leser() {
    return QDir(qEnvironmentVariable("KAPITO_PROGRAM_DIR"))
        .filePath(QStringLiteral("kapito_jetlesen"));
}

QByteArray hash(const QString& pfad) {
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

bool ablegen(const QString& pfad, const QByteArray& inhalt) {
    QFile f(pfad);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(inhalt) == inhalt.size();
}

QByteArray jetDatei(int kurse = 200) {
    Jet::Umfang u;
    u.kurse = kurse;
    u.gewinne = 50;
    return Jet::schreiben(Jet::beispielBestand(u).tabellen, Jet::Optionen{});
}

const QString Frage = QStringLiteral(
    "Die Datei \"aktien.mdb\" ist eine Datenbank im älteren Jet-Format.\nSollen ihre Daten jetzt "
    "in das Format dieses Programms übernommen werden?\nDie alte Datei bleibt als "
    "\"%1\" erhalten.");

} // namespace

class TestJetUebernahme : public QObject {
    Q_OBJECT
private slots:
    void keineJetDatei();
    void neinLaesstAllesStehen();
    void uebernehmen_data();
    void uebernehmen();
    void fortschrittUndAbbruch();
    void beschaedigteDatei();
    void imStartablauf_data();
    void imStartablauf();
    void resteEinerAbgebrochenenUebernahme();
};

// Only a Jet file brings the question; any other file goes on to the open,
// which keeps refusing foreign files.
void TestJetUebernahme::keineJetDatei() {
    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("aktien.mdb"));
    ScriptedDialogs dialogs;
    FixedClock uhr(QDateTime(QDate(2024, 3, 15), QTime(10, 0)));
    JetUebernahme u(dialogs, uhr, leser());
    QCOMPARE(u.vorDemOeffnen(pfad), JetUebernahme::Weiter); // missing
    QVERIFY(Schema::createEmptyDatabase(pfad, uhr.today()));
    QCOMPARE(u.vorDemOeffnen(pfad), JetUebernahme::Weiter);
    QVERIFY(ablegen(pfad, "Standard Jet DB, aber nicht an der richtigen Stelle"));
    QCOMPARE(u.vorDemOeffnen(pfad), JetUebernahme::Weiter);
    QVERIFY(dialogs.shown.isEmpty());
}

void TestJetUebernahme::neinLaesstAllesStehen() {
    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("aktien.mdb"));
    QVERIFY(ablegen(pfad, jetDatei()));
    const QByteArray vorher = hash(pfad);
    ScriptedDialogs dialogs;
    dialogs.answers = {Dialogs::Answer::No};
    FixedClock uhr(QDateTime(QDate(2024, 3, 15), QTime(10, 0)));
    JetUebernahme u(dialogs, uhr, leser());
    QCOMPARE(u.vorDemOeffnen(pfad), 0);
    QCOMPARE(dialogs.shown.size(), 1);
    QCOMPARE(dialogs.shown[0].text, Frage.arg(QStringLiteral("aktien-jet.mdb")));
    QCOMPARE(dialogs.shown[0].icon, Dialogs::Icon::Question);
    QCOMPARE(dialogs.shown[0].buttons, Dialogs::Buttons::YesNo);
    QCOMPARE(dialogs.shown[0].title, QStringLiteral("Kapito 3.6"));
    QCOMPARE(hash(pfad), vorher);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"aktien.mdb"});
}

void TestJetUebernahme::uebernehmen_data() {
    QTest::addColumn<bool>("alteSicherung");
    QTest::newRow("erste Übernahme") << false;
    QTest::newRow("aktien-jet.mdb gibt es schon") << true;
}

// Yes: the converted file takes the place of the original, which stays
// beside it byte for byte, and the start goes on with the new one.
void TestJetUebernahme::uebernehmen() {
    QFETCH(bool, alteSicherung);
    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("aktien.mdb"));
    const QByteArray jet = jetDatei();
    QVERIFY(ablegen(pfad, jet));
    const QString frueher = dir.filePath(QStringLiteral("aktien-jet.mdb"));
    if (alteSicherung) QVERIFY(ablegen(frueher, "eine frühere Sicherung"));
    const QString sicherung =
        alteSicherung ? QStringLiteral("aktien-jet-2.mdb") : QStringLiteral("aktien-jet.mdb");

    ScriptedDialogs dialogs;
    FixedClock uhr(QDateTime(QDate(2024, 3, 15), QTime(10, 0)));
    JetUebernahme u(dialogs, uhr, leser());
    QCOMPARE(u.vorDemOeffnen(pfad), JetUebernahme::Weiter);
    QCOMPARE(dialogs.shown.size(), 2);
    QCOMPARE(dialogs.shown[0].text, Frage.arg(sicherung));
    QCOMPARE(dialogs.shown[1].text,
             QStringLiteral("Die Daten wurden übernommen.\nDie alte Datei bleibt als \"%1\" im "
                            "Programmverzeichnis erhalten.")
                 .arg(sicherung));
    QCOMPARE(dialogs.shown[1].icon, Dialogs::Icon::Exclamation);

    QCOMPARE(hash(dir.filePath(sicherung)),
             QCryptographicHash::hash(jet, QCryptographicHash::Sha256));
    if (alteSicherung) {
        QFile f(frueher);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("eine frühere Sicherung"));
    }
    QStringList dateien{QStringLiteral("aktien.mdb"), sicherung};
    if (alteSicherung) dateien << QStringLiteral("aktien-jet.mdb");
    dateien.sort();
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name), dateien);

    Database db;
    QCOMPARE(db.open(pfad), Database::Status::Ok);
    QCOMPARE(db.scalar(QStringLiteral("SELECT aktie FROM Aktiendaten ORDER BY _nr LIMIT 1")),
             QVariant(QStringLiteral("Müller Weißbräu AG")));
    QVERIFY(db.scalar(QStringLiteral("SELECT length(notizen) FROM Aktiendaten ORDER BY _nr "
                                     "LIMIT 1"))
                .toInt() > 40 * 1024);
    QCOMPARE(db.scalar(QStringLiteral("SELECT passwort FROM kennwort")),
             QVariant(QStringLiteral("********")));
}

// A big file shows the progress dialog; cancelling it leaves everything
// as it was.
void TestJetUebernahme::fortschrittUndAbbruch() {
    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("aktien.mdb"));
    QVERIFY(ablegen(pfad, jetDatei(60000)));
    const QByteArray vorher = hash(pfad);

    ScriptedDialogs dialogs;
    FixedClock uhr(QDateTime(QDate(2024, 3, 15), QTime(10, 0)));
    JetUebernahme u(dialogs, uhr, leser());
    u.setFortschrittNach(0);
    QString titel, text;
    bool knopfRichtig = false;
    QTimer wache;
    wache.setInterval(5);
    connect(&wache, &QTimer::timeout, this, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* fenster = qobject_cast<QProgressDialog*>(w);
            if (!fenster || !fenster->isVisible() || !titel.isEmpty()) continue;
            titel = fenster->windowTitle();
            text = fenster->labelText();
            const auto knoepfe = fenster->findChildren<QPushButton*>();
            knopfRichtig = knoepfe.size() == 1 && unbenannteBedienelemente(fenster).isEmpty() &&
                           standardknoepfe(fenster).isEmpty();
            if (knoepfe.size() == 1) knoepfe[0]->click();
        }
    });
    wache.start();
    QCOMPARE(u.vorDemOeffnen(pfad), 0);
    wache.stop();
    QCOMPARE(titel, QStringLiteral("Kapito 3.6"));
    QCOMPARE(text, QStringLiteral("Die Daten der Datei \"aktien.mdb\" werden übernommen …"));
    QVERIFY(knopfRichtig);
    QCOMPARE(dialogs.shown.size(), 2);
    QCOMPARE(dialogs.shown[1].text, QStringLiteral("Die Übernahme wurde abgebrochen.\nDie Datei "
                                                   "\"aktien.mdb\" wurde nicht verändert."));
    QCOMPARE(hash(pfad), vorher);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"aktien.mdb"});
}

void TestJetUebernahme::beschaedigteDatei() {
    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("aktien.mdb"));
    QByteArray jet = jetDatei();
    jet.chop(100);
    QVERIFY(ablegen(pfad, jet));
    ScriptedDialogs dialogs;
    FixedClock uhr(QDateTime(QDate(2024, 3, 15), QTime(10, 0)));
    JetUebernahme u(dialogs, uhr, leser());
    QCOMPARE(u.vorDemOeffnen(pfad), 1);
    QCOMPARE(dialogs.shown.size(), 2);
    QCOMPARE(dialogs.shown[1].text,
             QStringLiteral("Die Daten können nicht übernommen werden.\nDie Datei \"aktien.mdb\" "
                            "ist unvollständig; ihr Ende fehlt.\nDie Datei \"aktien.mdb\" wurde "
                            "nicht verändert."));
    QCOMPARE(dialogs.shown[1].icon, Dialogs::Icon::Exclamation);
    QCOMPARE(hash(pfad), QCryptographicHash::hash(jet, QCryptographicHash::Sha256));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"aktien.mdb"});
}

void TestJetUebernahme::imStartablauf_data() {
    QTest::addColumn<int>("antwort");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("meldung");
    QTest::newRow("Nein") << int(Dialogs::Answer::No) << 0 << QString();
    // The test program has no reader beside it: refused like a damaged file.
    QTest::newRow("Ja, ohne Hilfsprogramm")
        << int(Dialogs::Answer::Yes) << 1
        << QStringLiteral("Die Daten können nicht übernommen werden.\nDas Hilfsprogramm "
                          "\"kapito_jetlesen\" fehlt im Programmverzeichnis.\nDie Datei "
                          "\"aktien.mdb\" wurde nicht verändert.");
}

// The start procedure asks before it opens anything and ends on No or failure.
void TestJetUebernahme::imStartablauf() {
    QFETCH(int, antwort);
    QFETCH(int, exitCode);
    QFETCH(QString, meldung);
    QVERIFY(!QFileInfo::exists(JetKonverter::standardLeser()));
    Testbett t;
    t.db.close();
    const QByteArray jet = jetDatei();
    QVERIFY(ablegen(t.pfad(), jet));
    t.dialogs.answers = {Dialogs::Answer(antwort)};
    Programmstart start(t.kontext(), 0);
    QVERIFY(!start.starten());
    QCOMPARE(start.exitCode(), exitCode);
    QVERIFY(!t.db.isOpen());
    QVERIFY(!start.gruss());
    QCOMPARE(t.dialogs.shown[0].text, Frage.arg(QStringLiteral("aktien-jet.mdb")));
    QCOMPARE(t.dialogs.lastText(), meldung.isEmpty() ? t.dialogs.shown[0].text : meldung);
    QCOMPARE(hash(t.pfad()), QCryptographicHash::hash(jet, QCryptographicHash::Sha256));
}

// A take-over killed midway leaves its new file and journal; the next start
// removes them, and only them.
void TestJetUebernahme::resteEinerAbgebrochenenUebernahme() {
    Testbett t;
    t.db.close();
    const QStringList reste{QStringLiteral("aktien-uebernahme-Xq3Zr9.mdb"),
                            QStringLiteral("aktien-uebernahme-Xq3Zr9.mdb-journal")};
    const QStringList bleiben{QStringLiteral("aktien-jet.mdb"),
                              QStringLiteral("aktien-uebernahme-notizen.txt"),
                              QStringLiteral("aktien-uebernahme-Xq3Zr9.mdb.alt")};
    for (const QString& name : reste + bleiben)
        QVERIFY(ablegen(t.dir.filePath(name), QByteArray("Inhalt")));
    Programmstart start(t.kontext(), 0);
    QVERIFY(start.starten());
    for (const QString& name : reste)
        QVERIFY2(!QFileInfo::exists(t.dir.filePath(name)), qPrintable(name));
    for (const QString& name : bleiben)
        QVERIFY2(QFileInfo::exists(t.dir.filePath(name)), qPrintable(name));
    QTRY_VERIFY(start.hauptfenster());
}

QTEST_MAIN(TestJetUebernahme)
#include "tst_jetuebernahme.moc"
