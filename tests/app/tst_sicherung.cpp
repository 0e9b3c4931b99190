// Backups of the database: one a day, the newest ten kept, the copy of the
// file that compaction replaces, and failures that never stop the start.

#include "Testbett.h"
#include "app/Programmstart.h"
#include "app/Sicherung.h"
#include "core/Passwort.h"
#include "db/Verschluesselung.h"
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <sys/stat.h>

namespace {

QByteArray inhalt(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString ordner(const Testbett& t) {
    return t.dir.filePath(QStringLiteral("Sicherungen"));
}

QString sicherung(const Testbett& t, const QString& name) {
    return QDir(ordner(t)).filePath(name);
}

QStringList alleDateien(const Testbett& t) {
    return QDir(ordner(t)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                     QDir::Name);
}

const QString taeglichFehlgeschlagen = QStringLiteral(
    " Die tägliche Sicherung der Datenbank konnte nicht im Ordner \"Sicherungen\" angelegt "
    "werden.");

} // namespace

class TestSicherung : public QObject {
    Q_OBJECT
private slots:
    void einProTag();
    void elfterTagEntferntDenAeltesten();
    void sicherungIstVerschluesseltMitDenselbenZeilen();
    void sicherungBehaeltIhrenSchluessel();
    void startLegtSicherungAn();
    void fehlschlagHaeltDenStartNichtAuf_data();
    void fehlschlagHaeltDenStartNichtAuf();
    void komprimierungBehaeltDieAlteDatei_data();
    void komprimierungBehaeltDieAlteDatei();
    void rechteDerDatei_data();
    void rechteDerDatei();
};

void TestSicherung::einProTag() {
    Testbett t;
    t.paket(QStringLiteral("Alpha"), 10, QStringLiteral("20"), QStringLiteral("5"),
            QStringLiteral("21"));
    const QDate tag1(2024, 3, 15);
    QCOMPARE(Sicherung::anlegen(t.db, tag1, Sicherung::Art::Taeglich), QString());
    const QString erste = sicherung(t, QStringLiteral("aktien-2024-03-15.mdb"));
    const QByteArray stand1 = inhalt(t.pfad());
    QCOMPARE(inhalt(erste), stand1);
    QCOMPARE(QFileInfo(erste).permissions(), QFileInfo(t.pfad()).permissions());

    // A second start on the same day keeps the morning's copy.
    t.paket(QStringLiteral("Beta"), 5, QStringLiteral("10"), QStringLiteral("1"),
            QStringLiteral("11"));
    QVERIFY(inhalt(t.pfad()) != stand1);
    QCOMPARE(Sicherung::anlegen(t.db, tag1, Sicherung::Art::Taeglich), QString());
    QCOMPARE(alleDateien(t), QStringList{QStringLiteral("aktien-2024-03-15.mdb")});
    QCOMPARE(inhalt(erste), stand1);

    // A half copy left by an interrupted run is replaced, not kept.
    {
        QFile rest(sicherung(t, QStringLiteral(".aktien-2024-03-16.mdb.tmp")));
        QVERIFY(rest.open(QIODevice::WriteOnly));
        rest.write("abgebrochen");
    }
    QCOMPARE(Sicherung::anlegen(t.db, tag1.addDays(1), Sicherung::Art::Taeglich), QString());
    QCOMPARE(alleDateien(t), (QStringList{QStringLiteral("aktien-2024-03-15.mdb"),
                                          QStringLiteral("aktien-2024-03-16.mdb")}));
    QCOMPARE(inhalt(sicherung(t, QStringLiteral("aktien-2024-03-16.mdb"))), inhalt(t.pfad()));
}

void TestSicherung::elfterTagEntferntDenAeltesten() {
    Testbett t;
    QVERIFY(QDir(t.dir.path()).mkdir(QStringLiteral("Sicherungen")));
    // The user's own files in the folder are none of the backups' business.
    for (const char* fremd : {"notiz.txt", "aktien-alt.mdb", "aktien-2024-02-30.mdb.bak"}) {
        QFile f(sicherung(t, QString::fromLatin1(fremd)));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    const QDate erster(2024, 2, 25); // across the leap day
    for (int i = 0; i < 11; ++i) {
        QCOMPARE(Sicherung::anlegen(t.db, erster.addDays(i), Sicherung::Art::Taeglich), QString());
        QCOMPARE(Sicherung::vorhandene(ordner(t)).size(), std::min(i + 1, Sicherung::Behalten));
    }
    QStringList erwartet;
    for (int i = 10; i >= 1; --i)
        erwartet << Sicherung::dateiName(erster.addDays(i), Sicherung::Art::Taeglich);
    QCOMPARE(Sicherung::vorhandene(ordner(t)), erwartet);
    QCOMPARE(erwartet.first(), QStringLiteral("aktien-2024-03-06.mdb"));
    QVERIFY(!QFile::exists(sicherung(t, QStringLiteral("aktien-2024-02-25.mdb"))));

    // The copy kept before a compaction counts among the ten.
    QCOMPARE(Sicherung::anlegen(t.db, erster.addDays(10), Sicherung::Art::VorKomprimierung),
             QString());
    const QStringList danach = Sicherung::vorhandene(ordner(t));
    QCOMPARE(danach.size(), Sicherung::Behalten);
    QVERIFY(danach.contains(QStringLiteral("aktien-2024-03-06-vor-Komprimierung.mdb")));
    QVERIFY(!danach.contains(QStringLiteral("aktien-2024-02-26.mdb")));
    for (const char* fremd : {"notiz.txt", "aktien-alt.mdb", "aktien-2024-02-30.mdb.bak"})
        QVERIFY(QFile::exists(sicherung(t, QString::fromLatin1(fremd))));
}

void TestSicherung::sicherungIstVerschluesseltMitDenselbenZeilen() {
    Testbett t;
    t.paket(QStringLiteral("Müller & Söhne"), 10, QStringLiteral("20,1234"), QStringLiteral("5"),
            QStringLiteral("21"));
    QVERIFY(t.db.exec(QStringLiteral("INSERT INTO Gewinne (datum, text, summe) VALUES "
                                     "('2024-03-01', 'Einzahlung', 100000000)")));
    QVERIFY(t.db.exec(QStringLiteral("INSERT INTO kurse (aktie, datum, kurs) VALUES "
                                     "('Müller & Söhne', '2024-03-14', 212345)")));
    QCOMPARE(Sicherung::anlegen(t.db, t.uhr.today(), Sicherung::Art::Taeglich), QString());
    const QString pfad = sicherung(t, QStringLiteral("aktien-2024-03-15.mdb"));

    QVERIFY(!Database::hasPlainHeader(pfad));
    Database falsch;
    QCOMPARE(falsch.open(pfad, QStringLiteral(";pwd=falsch")), Database::Status::WrongKey);

    Database kopie;
    QCOMPARE(kopie.open(pfad), Database::Status::Ok);
    QCOMPARE(kopie.scalar(QStringLiteral("PRAGMA user_version")),
             t.db.scalar(QStringLiteral("PRAGMA user_version")));
    for (const char* tabelle : {"Aktiendaten", "kurse", "Indexkurse", "Gewinne", "Beobachten",
                                "KurseVirtuell", "kennwort"}) {
        const QString sql = QStringLiteral("SELECT rowid, * FROM \"%1\" ORDER BY rowid")
                                .arg(QLatin1String(tabelle));
        QCOMPARE(kopie.rows(sql), t.db.rows(sql));
    }
    QCOMPARE(kopie.rows(QStringLiteral("SELECT aktie FROM Aktiendaten")).size(), 1);
}

// A backup opens with the key the file had when it was made; one made with
// the password's key has the marker beside it, which goes with the backup.
void TestSicherung::sicherungBehaeltIhrenSchluessel() {
    Testbett t;
    const QDate tag = t.uhr.today();
    QCOMPARE(Sicherung::anlegen(t.db, tag, Sicherung::Art::Taeglich), QString());
    QVERIFY(Verschluesselung::umschluesseln(t.db, QStringLiteral("geheim"),
                                            Passwort::speicherform(QStringLiteral("geheim")), 1000)
                .ok);
    QCOMPARE(Sicherung::anlegen(t.db, tag.addDays(1), Sicherung::Art::Taeglich), QString());
    const QString alt = sicherung(t, Sicherung::dateiName(tag, Sicherung::Art::Taeglich));
    const QString neu = sicherung(t, Sicherung::dateiName(tag.addDays(1), Sicherung::Art::Taeglich));

    Database kopie;
    QCOMPARE(kopie.open(alt), Database::Status::Ok);
    QVERIFY(!Verschluesselung::hatMarke(alt));
    QCOMPARE(kopie.open(neu), Database::Status::WrongKey);
    QVERIFY(Verschluesselung::passwortNoetig(neu, Database::Status::WrongKey));
    QCOMPARE(Verschluesselung::oeffnen(kopie, neu, QStringLiteral("falsch")).status,
             Database::Status::WrongKey);
    QCOMPARE(Verschluesselung::oeffnen(kopie, neu, QStringLiteral("geheim")).status,
             Database::Status::Ok);
    kopie.close();

    for (int i = 2; i <= Sicherung::Behalten + 1; ++i)
        QCOMPARE(Sicherung::anlegen(t.db, tag.addDays(i), Sicherung::Art::Taeglich), QString());
    QVERIFY(!QFile::exists(neu));
    QVERIFY(!Verschluesselung::hatMarke(neu));
    QCOMPARE(alleDateien(t).size(), 2 * Sicherung::Behalten);
}

void TestSicherung::startLegtSicherungAn() {
    Testbett t;
    t.db.close();
    Programmstart start(t.kontext(), 0);
    QVERIFY(start.starten());
    QTRY_VERIFY(start.hauptfenster() && start.hauptfenster()->isVisible());
    // Taken after the load, which has written the first start's date.
    QCOMPARE(inhalt(sicherung(t, QStringLiteral("aktien-2024-03-15.mdb"))), inhalt(t.pfad()));
    QTest::qWait(20);
    QCOMPARE(start.hauptfenster()->StatusBar1[1]->text(), Aktiendataform::hinweistext());
}

void TestSicherung::fehlschlagHaeltDenStartNichtAuf_data() {
    QTest::addColumn<QString>("fall");
    QTest::newRow("schreibgeschützter Ordner") << QStringLiteral("schreibgeschützt");
    QTest::newRow("Datei statt Ordner") << QStringLiteral("Datei");
    QTest::newRow("Ordner unter dem Namen der Sicherung") << QStringLiteral("Ordner im Weg");
}

void TestSicherung::fehlschlagHaeltDenStartNichtAuf() {
    QFETCH(QString, fall);
    Testbett t;
    t.paket(QStringLiteral("Alpha"), 10, QStringLiteral("20"), QStringLiteral("5"),
            QStringLiteral("21"));
    t.db.close();
    const QString pfad = ordner(t);
    if (fall == QLatin1String("Datei")) {
        QFile f(pfad);
        QVERIFY(f.open(QIODevice::WriteOnly));
    } else {
        QVERIFY(QDir().mkdir(pfad));
        if (fall == QLatin1String("Ordner im Weg"))
            QVERIFY(QDir().mkdir(sicherung(t, QStringLiteral("aktien-2024-03-15.mdb"))));
        else
            QVERIFY(QFile::setPermissions(pfad, QFile::ReadOwner | QFile::ExeOwner |
                                                    QFile::ReadGroup | QFile::ExeGroup));
    }
    const QStringList vorher = QFileInfo(pfad).isDir() ? alleDateien(t) : QStringList();

    Programmstart start(t.kontext(), 0);
    QSignalSpy ende(&start, &Programmstart::beendet);
    QVERIFY(start.starten());
    QTRY_VERIFY(start.hauptfenster() && start.hauptfenster()->isVisible());
    QTRY_COMPARE(start.hauptfenster()->StatusBar1[1]->text(), taeglichFehlgeschlagen);
    QCOMPARE(ende.size(), 0);
    QCOMPARE(start.hauptfenster()->Daten1().recordCount(), 1);
    QVERIFY(t.dialogs.shown.isEmpty());                            // no box in the way of the start
    if (QFileInfo(pfad).isDir()) QCOMPARE(alleDateien(t), vorher); // no half copy left
    QFile::setPermissions(pfad, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestSicherung::komprimierungBehaeltDieAlteDatei_data() {
    QTest::addColumn<bool>("schreibgeschuetzt");
    QTest::newRow("Ordner beschreibbar") << false;
    QTest::newRow("Ordner schreibgeschützt") << true;
}

void TestSicherung::komprimierungBehaeltDieAlteDatei() {
    QFETCH(bool, schreibgeschuetzt);
    Testbett t;
    t.paket(QStringLiteral("Alpha"), 10, QStringLiteral("20"), QStringLiteral("5"),
            QStringLiteral("21"));
    t.kennwort(QStringLiteral("kompridatum"), QDate(2024, 1, 2));
    if (schreibgeschuetzt) {
        QVERIFY(QDir().mkdir(ordner(t)));
        QVERIFY(QFile::setPermissions(ordner(t), QFile::ReadOwner | QFile::ExeOwner));
    }
    const QByteArray vorher = inhalt(t.pfad());
    t.dialogs.answers = {Dialogs::Answer::Yes, Dialogs::Answer::Ok};
    auto& f = t.laden();

    // Compacted either way: its own copy is checked before it replaces anything.
    QCOMPARE(t.kennwortWert(QStringLiteral("kompridatum")).toString(),
             QStringLiteral("2024-03-15"));
    QCOMPARE(f.Daten1().recordCount(), 1);
    const QString alt = sicherung(t, QStringLiteral("aktien-2024-03-15-vor-Komprimierung.mdb"));
    if (schreibgeschuetzt) {
        QVERIFY(!QFile::exists(alt));
        QTRY_COMPARE(f.StatusBar1[1]->text(),
                     QStringLiteral(" Die Sicherung vor dem Komprimieren konnte nicht im Ordner "
                                    "\"Sicherungen\" angelegt werden."));
        QFile::setPermissions(ordner(t), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    } else {
        QCOMPARE(inhalt(alt), vorher);
        QTest::qWait(20);
        QCOMPARE(f.StatusBar1[1]->text(), Aktiendataform::hinweistext());
    }
}

void TestSicherung::rechteDerDatei_data() {
    QTest::addColumn<int>("rechte");
    QTest::newRow("schreibgeschützt") << 0444;
    QTest::newRow("privat") << 0600;
    QTest::newRow("für die Gruppe lesbar") << 0640;
    QTest::newRow("für die Gruppe beschreibbar") << 0664;
}

// A backup is protected exactly as the file it copies: whoever runs the
// program (root may write anything) and whatever the umask cuts.
void TestSicherung::rechteDerDatei() {
    QFETCH(int, rechte);
    Testbett t;
    const QByteArray pfad = QFile::encodeName(t.pfad());
    QCOMPARE(::chmod(pfad.constData(), mode_t(rechte)), 0);
    QCOMPARE(Sicherung::anlegen(t.db, QDate(2024, 3, 15), Sicherung::Art::Taeglich), QString());
    struct stat st {};
    QCOMPARE(::stat(QFile::encodeName(sicherung(t, QStringLiteral("aktien-2024-03-15.mdb")))
                        .constData(),
                    &st),
             0);
    QCOMPARE(int(st.st_mode & 07777), rechte);
    ::chmod(pfad.constData(), 0600);
}

QTEST_MAIN(TestSicherung)
#include "tst_sicherung.moc"
