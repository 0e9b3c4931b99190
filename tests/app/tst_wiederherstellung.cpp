// Restoring a backup: the chosen state comes back and the present one is
// kept; a damaged backup cannot be chosen; a read-only program directory is
// refused with nothing changed.

#include "Testbett.h"
#include "app/FormWiederherstellen.h"
#include "app/Sicherung.h"
#include "app/Wiederherstellung.h"
#include "core/Passwort.h"
#include "db/Rueckgaengig.h"
#include "db/Verschluesselung.h"
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTreeWidget>

namespace {

QByteArray hash(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly)
               ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
               : QByteArray();
}

} // namespace

class TestWiederherstellung final : public QObject {
    Q_OBJECT
private slots:
    void wiederherstellen_data();
    void wiederherstellen();
};

void TestWiederherstellung::wiederherstellen_data() {
    QTest::addColumn<QString>("fall");
    QTest::newRow("gewählter Stand") << "ok";
    QTest::newRow("zweimal am Tag") << "zweimal";
    QTest::newRow("beschädigte Sicherung") << "beschaedigt";
    QTest::newRow("schreibgeschütztes Verzeichnis") << "schreibgeschuetzt";
    // The backup keeps the key it was made with.
    QTest::newRow("Sicherung mit Passwort") << "passwort";
    QTest::newRow("Sicherung mit dem Programmschlüssel") << "programmschluessel";
}

void TestWiederherstellung::wiederherstellen() {
    QFETCH(QString, fall);
    Testbett t;
    t.paket(QStringLiteral("Alt AG"), 3, QStringLiteral("10"), QStringLiteral("0"),
            QStringLiteral("12"));
    const QString ordner = t.dir.filePath(QString::fromLatin1(Sicherung::Ordner));
    const QString geheim = QStringLiteral("geheim");
    const auto umschluesseln = [&t](const QString& pw) {
        const auto e = Verschluesselung::umschluesseln(
            t.db, pw, pw.isEmpty() ? Passwort::keines() : Passwort::speicherform(pw), 1000);
        return e.ok;
    };
    if (fall == QLatin1String("passwort")) QVERIFY(umschluesseln(geheim));
    QVERIFY(Sicherung::anlegen(t.db, QDate(2024, 3, 1), Sicherung::Art::Taeglich).isEmpty());
    if (fall == QLatin1String("passwort")) QVERIFY(umschluesseln(QString()));
    if (fall == QLatin1String("programmschluessel")) QVERIFY(umschluesseln(geheim));
    const QString sicherung = QDir(ordner).filePath(QStringLiteral("aktien-2024-03-01.mdb"));
    if (fall == QLatin1String("beschaedigt")) {
        QFile f(sicherung);
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.seek(3000);
        f.write(QByteArray(2048, 'x'));
    }
    auto& f = t.laden();
    // The present state: another package, and an entry on the undo list.
    {
        Transaction tr(t.db, QStringLiteral("Kauf Neu AG"));
        QVERIFY(t.db.exec(QStringLiteral("INSERT INTO Aktiendaten (aktie, \"stück\") VALUES "
                                         "('Neu AG', 1)")));
        QVERIFY(tr.commit());
    }
    QCOMPARE(t.db.rueckgaengig().anzahlRueckgaengig(), 1);
    const QString pfad = t.pfad();
    const QByteArray vorher = hash(pfad);

    const QList<Wiederherstellung::Stand> staende =
        Wiederherstellung::liste(ordner, t.db.connectText());
    QCOMPARE(staende.size(), 1);
    QCOMPARE(staende[0].tag, QDate(2024, 3, 1));
    int aufgerufen = 0;
    FormWiederherstellen form(t.dialogs, staende, [&](const QString& p, const QString& pw) {
        ++aufgerufen;
        f.datenSchliessen();
        const QString fehler = Wiederherstellung::wiederherstellen(t.db, p, t.uhr.today(), pw);
        f.datenNeuLesen();
        return fehler;
    });
    if (fall == QLatin1String("beschaedigt")) {
        QVERIFY(staende[0].beschaedigt);
        QCOMPARE(form.Liste->topLevelItem(0)->text(2), QStringLiteral("beschädigt"));
        QVERIFY(!form.Command1->isEnabled());
        form.Command1_Click();
        QCOMPARE(aufgerufen, 0);
        QCOMPARE(hash(pfad), vorher);
        return;
    }
    QVERIFY(!staende[0].beschaedigt);
    if (fall != QLatin1String("passwort")) {
        QCOMPARE(staende[0].pakete, 1);
        QCOMPARE(form.Liste->topLevelItem(0)->text(3), QStringLiteral("36,00 Euro"));
    }
    QVERIFY(form.Command1->isEnabled());

    if (fall == QLatin1String("schreibgeschuetzt")) {
        QVERIFY(QFile::setPermissions(t.dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        t.dialogs.answers = {Dialogs::Answer::Yes};
        form.Command1_Click();
        QVERIFY(QFile::setPermissions(t.dir.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                        QFile::ExeOwner));
        QVERIFY(!form.erfolgreich());
        QVERIFY(t.dialogs.lastText().contains(QStringLiteral("schreibgeschützt")));
        QVERIFY(t.dialogs.lastText().contains(QStringLiteral("Es wurde nichts geändert.")));
        QCOMPARE(hash(pfad), vorher);
        QCOMPARE(Sicherung::vorhandene(ordner).size(), 1);
        QCOMPARE(f.StatusBar1[0]->text(), QStringLiteral("2"));
        return;
    }

    if (fall == QLatin1String("passwort")) {
        QVERIFY(staende[0].passwort);
        QCOMPARE(form.Liste->topLevelItem(0)->text(2), QStringLiteral("mit Passwort verschlüsselt"));
        // A wrong password changes nothing and says so; then the right one.
        t.dialogs.answers = {Dialogs::Answer::Yes};
        t.dialogs.inputs = {QStringLiteral("falsch")};
        form.Command1_Click();
        QVERIFY(!form.erfolgreich());
        QVERIFY2(t.dialogs.lastText().contains(Wiederherstellung::falschesPasswortText()),
                 qPrintable(t.dialogs.lastText()));
        QCOMPARE(hash(pfad), vorher);
        QCOMPARE(f.StatusBar1[0]->text(), QStringLiteral("2"));
        t.dialogs.inputs = {geheim};
    }
    const int runden = fall == QLatin1String("zweimal") ? 2 : 1;
    for (int i = 0; i < runden; ++i) {
        t.dialogs.answers = {Dialogs::Answer::Yes};
        form.Command1_Click();
        QVERIFY2(form.erfolgreich(), qPrintable(t.dialogs.lastText()));
    }
    QVERIFY(t.dialogs.shown.first().text.startsWith(
        QStringLiteral("Möchten Sie den Stand vom 01.03.2024 wiederherstellen?\n")));
    // The restored state is shown at once; the present one was kept.
    QCOMPARE(f.StatusBar1[0]->text(), QStringLiteral("1"));
    QCOMPARE(f.karte().Labelaktie->text(), QStringLiteral("Alt AG"));
    QCOMPARE(t.db.rueckgaengig().anzahlRueckgaengig(), 0);
    QCOMPARE(hash(pfad), hash(sicherung));
    const QString kept = QDir(ordner).filePath(QStringLiteral("aktien-2024-03-15-vor-Wiederherstellung.mdb"));
    QCOMPARE(hash(kept), vorher);
    if (runden == 2)
        QVERIFY(QFile::exists(
            QDir(ordner).filePath(QStringLiteral("aktien-2024-03-15-vor-Wiederherstellung-2.mdb"))));
    QVERIFY(!QFile::exists(pfad + QStringLiteral("-journal")));
    // The file opens with the backup's key, and the marker beside it says so.
    QCOMPARE(Verschluesselung::mitPasswort(t.db), fall == QLatin1String("passwort"));
    QCOMPARE(Verschluesselung::markeLesen(pfad).size(), fall == QLatin1String("passwort") ? 1 : 0);
    QCOMPARE(Verschluesselung::hatMarke(kept), fall == QLatin1String("programmschluessel"));
    QVERIFY(QDir(t.dir.path()).entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden).isEmpty());
}

QTEST_MAIN(TestWiederherstellung)
#include "tst_wiederherstellung.moc"
