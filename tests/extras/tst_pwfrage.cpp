// The start prompt for the password and its check.

#include "core/Passwort.h"
#include "db/Schema.h"
#include "extras/pwfrage.h"
#include "support/FakeMainWindow.h"
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

class TestPwfrage : public QObject {
    Q_OBJECT
private slots:
    void pruefung_data();
    void pruefung();
    void eingabe_data();
    void eingabe();
    void knopfNurMitEingabe();
    void enterWieUebernehmen();
};

void TestPwfrage::pruefung_data() {
    QTest::addColumn<QString>("passwort");
    QTest::addColumn<QString>("eingabe");
    QTest::addColumn<bool>("stimmt");
    QTest::newRow("gleich") << "Geheim"
                            << "Geheim" << true;
    QTest::newRow("Gross/klein zählt") << "Geheim"
                                       << "geheim" << false;
    QTest::newRow("acht Zeichen") << "abcdefgh"
                                  << "abcdefgh" << true;
    QTest::newRow("ein Zeichen") << "x"
                                 << "x" << true;
    QTest::newRow("5. und 6. verschieden") << "abcdXYgh"
                                           << "abcdXYgh" << true;
    QTest::newRow("vertauscht") << "abcdXYgh"
                                << "abcdYXgh" << false;
    QTest::newRow("Stern wird entfernt") << "ab*cd"
                                         << "abcd" << true;
    QTest::newRow("Stern mitgetippt") << "ab*cd"
                                      << "ab*cd" << false;
    QTest::newRow("zu lang getippt") << "abcdefgh"
                                     << "abcdefghij" << false;
}

void TestPwfrage::pruefung() {
    QFETCH(QString, passwort);
    QFETCH(QString, eingabe);
    QFETCH(bool, stimmt);
    QString klar;
    QCOMPARE(passwortStimmt(Passwort::speicherform(passwort), eingabe, &klar), stimmt);
    if (stimmt) QCOMPARE(klar, eingabe);
}

namespace {
struct Umgebung {
    QTemporaryDir dir;
    std::unique_ptr<FakeMainWindow> haupt;
    Umgebung(const QString& passwort) {
        const QString pfad = dir.filePath(QStringLiteral("aktien.mdb"));
        QVERIFY(Schema::createEmptyDatabase(pfad, QDate(2024, 3, 15)));
        haupt = std::make_unique<FakeMainWindow>(pfad);
        haupt->database().exec(QStringLiteral("UPDATE kennwort SET passwort = ?"),
                               {Passwort::speicherform(passwort)});
        haupt->Daten2().requery();
        haupt->Daten2().moveFirst();
    }
    QString gespeichert() {
        return haupt->database().scalar(QStringLiteral("SELECT passwort FROM kennwort")).toString();
    }
};
} // namespace

void TestPwfrage::eingabe_data() {
    QTest::addColumn<QString>("eingabe");
    QTest::addColumn<bool>("schliessen"); // "Fenster schließen" instead of "übernehmen"
    QTest::addColumn<bool>("angenommen");
    QTest::addColumn<QString>("meldung");
    QTest::newRow("richtig") << "Kap1to" << false << true << "";
    QTest::newRow("falsch") << "kap1to" << false << false << "Dies ist kein gültiges Passwort!";
    QTest::newRow("Fenster schließen") << "Kap1to" << true << false << "";
}

void TestPwfrage::eingabe() {
    QFETCH(QString, eingabe);
    QFETCH(bool, schliessen);
    QFETCH(bool, angenommen);
    QFETCH(QString, meldung);
    Umgebung u(QStringLiteral("Kap1to"));
    const QString vorher = u.gespeichert();
    auto* f = new pwfrage(*u.haupt);
    QSignalSpy ja(f, &pwfrage::angenommen);
    QSignalSpy ende(f, &pwfrage::programmBeenden);
    f->show();
    QCOMPARE(f->Label1->text(), QStringLiteral("Kapito 3.6"));
    QCOMPARE(f->Label2->text(), QStringLiteral("Bitte gültiges Passwort eingeben "));
    QCOMPARE(f->Textpwfrage->echoMode(), QLineEdit::Password);
    QCOMPARE(f->Textpwfrage->maxLength(), 12);
    f->Textpwfrage->setText(eingabe);
    QCOMPARE(f->Textpwfrage->displayText(), QString(eingabe.size(), QLatin1Char('*')));
    (schliessen ? f->schalter4 : f->Schalter3)->click();

    QCOMPARE(ja.size(), angenommen ? 1 : 0);
    QCOMPARE(ende.size(), angenommen ? 0 : 1);
    QCOMPARE(u.haupt->uebersichtCalls, angenommen ? 1 : 0);
    QCOMPARE(u.haupt->modul().PasswortAktuell, angenommen ? eingabe : QString());
    if (meldung.isEmpty()) {
        QVERIFY(u.haupt->scripted().shown.isEmpty());
    } else {
        QCOMPARE(u.haupt->scripted().lastText(), meldung);
        QCOMPARE(u.haupt->scripted().shown.last().icon, Dialogs::Icon::Stop);
        QCOMPARE(u.haupt->scripted().shown.last().title, QStringLiteral("Kapito 3.6"));
    }
    QCOMPARE(u.gespeichert(), vorher); // the database is not changed
    QTRY_VERIFY(!f->isVisible());
}

void TestPwfrage::knopfNurMitEingabe() {
    Umgebung u(QStringLiteral("abc"));
    pwfrage f(*u.haupt);
    QVERIFY(!f.Schalter3->isEnabled());
    f.Textpwfrage->setText(QStringLiteral("a"));
    QVERIFY(f.Schalter3->isEnabled());
    f.Textpwfrage->clear();
    QVERIFY(!f.Schalter3->isEnabled());
}

void TestPwfrage::enterWieUebernehmen() {
    Umgebung u(QStringLiteral("abc"));
    auto* f = new pwfrage(*u.haupt);
    QSignalSpy ja(f, &pwfrage::angenommen);
    QSignalSpy ende(f, &pwfrage::programmBeenden);
    f->show();
    QTest::keyClicks(f->Textpwfrage, QStringLiteral("abc"));
    QTest::keyClick(f->Textpwfrage, Qt::Key_Return);
    QCOMPARE(ja.size(), 1);
    QCOMPARE(ende.size(), 0);
    // Closing the prompt after acceptance does not end the program.
    QTRY_VERIFY(!f->isVisible());
    QCOMPARE(ende.size(), 0);
}

QTEST_MAIN(TestPwfrage)
#include "tst_pwfrage.moc"
