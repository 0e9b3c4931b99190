// Taking over an old Jet-format "aktien.mdb": every row arrives exactly and
// in order, a damaged or incomplete file is refused without harm, and the
// original is never changed.

#include "DbFixture.h"
#include "db/JetDatei.h"
#include "db/JetKonverter.h"
#include "db/SqlUtil.h"
#include "jet/JetBestand.h"
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <random>

namespace {

QString leser() {
    return QDir(qEnvironmentVariable("KAPITO_PROGRAM_DIR"))
        .filePath(QStringLiteral("kapito_jetlesen"));
}

const QDate Heute(2024, 3, 15);

QList<QVariantList> zeilen(Database& db, const QString& tabelle) {
    QStringList spalten;
    for (const QVariantList& r :
         db.rows(QStringLiteral("PRAGMA table_info(%1)").arg(SqlUtil::quoteIdent(tabelle))))
        if (r.value(1).toString() != QLatin1String("_nr"))
            spalten << SqlUtil::quoteIdent(r.value(1).toString());
    return db.rows(QStringLiteral("SELECT %1 FROM %2 ORDER BY _nr")
                       .arg(spalten.join(QLatin1Char(',')), SqlUtil::quoteIdent(tabelle)));
}

QString zeigen(const QVariantList& z) {
    QStringList s;
    for (const QVariant& v : z)
        s << (v.isValid() ? v.toString().left(40) : QStringLiteral("NULL"));
    return s.join(QStringLiteral(" | "));
}

/// Every row of the new database equals the expected one, in order.
bool gleich(const QString& pfad, const Jet::Bestand& b, QString* abweichung) {
    Database db;
    if (db.open(pfad) != Database::Status::Ok) {
        *abweichung = db.message();
        return false;
    }
    for (int t = 0; t < b.tabellen.size(); ++t) {
        const QList<QVariantList> ist = zeilen(db, b.tabellen[t].name);
        const QList<QVariantList>& soll = b.erwartet[t];
        if (ist.size() != soll.size()) {
            *abweichung = QStringLiteral("%1: %2 statt %3 Zeilen")
                              .arg(b.tabellen[t].name)
                              .arg(ist.size())
                              .arg(soll.size());
            return false;
        }
        for (int i = 0; i < ist.size(); ++i)
            if (ist[i] != soll[i]) {
                *abweichung = QStringLiteral("%1, Zeile %2:\n  ist  %3\n  soll %4")
                                  .arg(b.tabellen[t].name)
                                  .arg(i)
                                  .arg(zeigen(ist[i]), zeigen(soll[i]));
                return false;
            }
    }
    return true;
}

int get16(const QByteArray& b, qsizetype at) {
    return quint8(b[at]) | quint8(b[at + 1]) << 8;
}
quint32 get32(const QByteArray& b, qsizetype at) {
    return quint32(get16(b, at)) | quint32(get16(b, at + 2)) << 16;
}

struct Seiten {
    int groesse;
    int zaehler; // row count offset on data pages
};
Seiten seiten(Jet::Version v) {
    return v == Jet::Version::Jet4 ? Seiten{4096, 0x0c} : Seiten{2048, 0x08};
}

/// Page numbers of the table definitions in catalog order (the catalog first).
QList<int> tdefSeiten(const QByteArray& datei, int groesse) {
    QList<int> out;
    for (int p = 2; p < datei.size() / groesse; ++p)
        if (datei[qsizetype(p) * groesse] == 0x02) out << p;
    return out;
}

/// The first data page of the table whose definition is on page tdef.
int ersteDatenseite(const QByteArray& datei, int groesse, int tdef) {
    for (int p = 1; p < datei.size() / groesse; ++p) {
        const qsizetype at = qsizetype(p) * groesse;
        if (datei[at] == 0x01 && get32(datei, at + 4) == quint32(tdef)) return p;
    }
    return -1;
}

} // namespace

class TestJetKonverter : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void jedeZeile_data();
    void jedeZeile();
    void beschaedigt_data();
    void beschaedigt();
    void gekippteBits_data();
    void gekippteBits();
    void unpassendeDatei_data();
    void unpassendeDatei();
    void abbruchUndHindernisse();
    void erkennenUndErsetzen();

private:
    QTemporaryDir m_dir;
    bool umwandeln(const QByteArray& jetBytes, QString* meldung, QString* ziel = nullptr,
                   int wartezeit = 60000);
};

void TestJetKonverter::initTestCase() {
    QVERIFY2(QFileInfo(leser()).isExecutable(), qPrintable(leser()));
}

// Writes the bytes as aktien.mdb into a fresh directory and converts them;
// the original must come out unchanged, and a failure must leave nothing.
bool TestJetKonverter::umwandeln(const QByteArray& jetBytes, QString* meldung, QString* ziel,
                                 int wartezeit) {
    static int nr = 0;
    const QString dir = m_dir.filePath(QString::number(++nr));
    QDir().mkpath(dir);
    const QString jet = dir + QStringLiteral("/aktien.mdb");
    const QString neu = dir + QStringLiteral("/neu.mdb");
    QFile f(jet);
    if (!f.open(QIODevice::WriteOnly) || f.write(jetBytes) != jetBytes.size()) return false;
    f.close();
    JetKonverter k(leser());
    k.setWartezeit(wartezeit);
    const bool ok = k.konvertieren(jet, neu, Heute);
    *meldung = k.meldung();
    if (ziel) *ziel = neu;
    if (DbFixture::fileHash(jet) != QCryptographicHash::hash(jetBytes, QCryptographicHash::Sha256))
        qFatal("the Jet file was changed");
    if (ok == QFileInfo::exists(neu) && ok == meldung->isEmpty() &&
        QDir(dir).entryList(QDir::Files).size() == (ok ? 2 : 1))
        return ok;
    qFatal("leftovers or a missing file after the conversion: %s", qPrintable(*meldung));
}

void TestJetKonverter::jedeZeile_data() {
    QTest::addColumn<int>("version");
    QTest::addColumn<bool>("komprimiert");
    QTest::addColumn<int>("inlineKarteBis");
    QTest::newRow("Jet 3") << int(Jet::Version::Jet3) << false << 512;
    QTest::newRow("Jet 4") << int(Jet::Version::Jet4) << true << 512;
    QTest::newRow("Jet 4 ohne Kompression") << int(Jet::Version::Jet4) << false << 512;
    // Big tables refer to bitmap pages for their page lists.
    QTest::newRow("Jet 3 mit Verweiskarten") << int(Jet::Version::Jet3) << false << 4;
    QTest::newRow("Jet 4 mit Verweiskarten") << int(Jet::Version::Jet4) << true << 4;
}

void TestJetKonverter::jedeZeile() {
    QFETCH(int, version);
    QFETCH(bool, komprimiert);
    QFETCH(int, inlineKarteBis);
    Jet::Umfang u;
    u.version = Jet::Version(version);
    const Jet::Bestand b = Jet::beispielBestand(u);
    Jet::Optionen o;
    o.version = u.version;
    o.komprimiert = komprimiert;
    o.inlineKarteBis = inlineKarteBis;
    QString fehler;
    const QByteArray jet = Jet::schreiben(b.tabellen, o, &fehler);
    QVERIFY2(!jet.isEmpty(), qPrintable(fehler));

    QString meldung, neu;
    QVERIFY2(umwandeln(jet, &meldung, &neu), qPrintable(meldung));
    QVERIFY(!Database::hasPlainHeader(neu));
    QString abweichung;
    QVERIFY2(gleich(neu, b, &abweichung), qPrintable(abweichung));
    Database db;
    QCOMPARE(db.open(neu), Database::Status::Ok);
    QCOMPARE(db.scalar(QStringLiteral("PRAGMA user_version")).toInt(), 1);
    // The bookmark order starts at one, as in a database made by the program.
    QCOMPARE(db.scalar(QStringLiteral("SELECT _nr FROM kennwort")).toInt(), 1);
}

void TestJetKonverter::beschaedigt_data() {
    QTest::addColumn<int>("version");
    QTest::addColumn<QString>("schaden");
    for (int v : {int(Jet::Version::Jet3), int(Jet::Version::Jet4)}) {
        const QString name =
            v == int(Jet::Version::Jet3) ? QStringLiteral("Jet 3, ") : QStringLiteral("Jet 4, ");
        for (const char* s :
             {"nur Kopf", "eine Seite", "halbe Datei", "ohne letzte Seite", "ein Byte weniger",
              "Katalog leer", "Seitenkarten leer", "Tabellenbeschreibung leer", "Zeilenzahl riesig",
              "Zeile gelöscht", "Zeile außerhalb", "Notiz ins Leere", "Notizseite ohne Kennung",
              "Notizlänge zu kurz"})
            QTest::newRow(qPrintable(name + QString::fromUtf8(s))) << v << QString::fromUtf8(s);
    }
}

// A damaged file is refused with a message or, where the damage hit nothing
// that is read, taken over exactly. Never a crash, a hang or half a table.
void TestJetKonverter::beschaedigt() {
    QFETCH(int, version);
    QFETCH(QString, schaden);
    Jet::Umfang u;
    u.version = Jet::Version(version);
    u.kurse = 3000;
    u.gewinne = 300;
    const Jet::Bestand b = Jet::beispielBestand(u);
    Jet::Optionen o;
    o.version = u.version;
    QByteArray jet = Jet::schreiben(b.tabellen, o);
    const Seiten s = seiten(u.version);
    const QList<int> tdef = tdefSeiten(jet, s.groesse);
    QCOMPARE(tdef.size(), 8);
    const qsizetype aktien = qsizetype(ersteDatenseite(jet, s.groesse, tdef[1])) * s.groesse;
    const qsizetype kurse = qsizetype(ersteDatenseite(jet, s.groesse, tdef[2])) * s.groesse;
    QVERIFY(aktien > 0 && kurse > 0);
    bool mussScheitern = true;
    if (schaden == QLatin1String("nur Kopf"))
        jet.truncate(100);
    else if (schaden == QLatin1String("eine Seite"))
        jet.truncate(s.groesse);
    else if (schaden == QLatin1String("halbe Datei"))
        jet.truncate(jet.size() / 2 / s.groesse * s.groesse + 77);
    else if (schaden == QLatin1String("ohne letzte Seite")) {
        jet.chop(s.groesse);
        mussScheitern = false; // the last page may be one that is never read
    } else if (schaden == QLatin1String("ein Byte weniger")) {
        jet.chop(1);
    } else if (schaden == QLatin1String("Katalog leer"))
        jet.replace(2 * s.groesse, s.groesse, QByteArray(s.groesse, '\0'));
    else if (schaden == QLatin1String("Seitenkarten leer"))
        jet.replace(s.groesse, s.groesse, QByteArray(s.groesse, '\0'));
    else if (schaden == QLatin1String("Tabellenbeschreibung leer"))
        jet.replace(qsizetype(tdef[1]) * s.groesse, s.groesse, QByteArray(s.groesse, '\0'));
    else if (schaden == QLatin1String("Zeilenzahl riesig")) {
        jet[kurse + s.zaehler] = char(0xff);
        jet[kurse + s.zaehler + 1] = char(0x7f);
    } else if (schaden == QStringLiteral("Zeile gelöscht")) {
        // A live row marked deleted: the table definition still counts it.
        jet[kurse + s.zaehler + 3] = char(quint8(jet[kurse + s.zaehler + 3]) | 0x80);
    } else if (schaden == QStringLiteral("Zeile außerhalb")) {
        jet[kurse + s.zaehler + 2] = char(0xff);
        jet[kurse + s.zaehler + 3] = char(0x1f);
    } else if (schaden == QLatin1String("Notiz ins Leere")) {
        // The 40 KiB note of the first package points to a page past the end.
        const int zeile0 = get16(jet, aktien + s.zaehler + 2) & 0x1fff;
        const qsizetype zeichen =
            b.tabellen[Jet::Aktiendaten].zeilen[0].werte[12].toString().size();
        const quint32 laenge = quint32(u.version == Jet::Version::Jet4 ? 2 * zeichen : zeichen);
        bool gefunden = false;
        for (qsizetype at = aktien + zeile0; at + 8 < aktien + s.groesse; ++at) {
            if (get32(jet, at) == laenge) {
                jet[at + 5] = char(0xff);
                jet[at + 6] = char(0xff);
                jet[at + 7] = char(0x7f);
                gefunden = true;
                break;
            }
        }
        QVERIFY(gefunden);
    } else if (schaden == QLatin1String("Notizseite ohne Kennung")) {
        // The notes' pointers lead to pages that are not long-value pages.
        int seitenOhne = 0;
        for (qsizetype at = 0; at + s.groesse <= jet.size(); at += s.groesse)
            if (jet[at] == 0x01 && jet.mid(at + 4, 4) == "LVAL") {
                jet.replace(at + 4, 4, "XXXX");
                ++seitenOhne;
            }
        QVERIFY(seitenOhne > 0);
    } else if (schaden == QStringLiteral("Notizlänge zu kurz")) {
        // The 300-character note of the second package claims two bytes.
        bool gefunden = false;
        for (qsizetype at = aktien + s.zaehler; at + 8 < aktien + s.groesse; ++at) {
            const quint32 v = get32(jet, at);
            if ((v & 0xc0000000u) == 0x40000000u && (v & 0x3fffffffu) >= 300 &&
                (v & 0x3fffffffu) <= 610) {
                jet[at] = 2;
                jet[at + 1] = 0;
                gefunden = true;
                break;
            }
        }
        QVERIFY(gefunden);
    }
    QString meldung, neu;
    const bool ok = umwandeln(jet, &meldung, &neu, 20000);
    if (ok) {
        QVERIFY2(!mussScheitern, "damage not noticed");
        QString abweichung;
        QVERIFY2(gleich(neu, b, &abweichung), qPrintable(abweichung));
    } else {
        QVERIFY2(meldung.contains(QLatin1String("\"aktien.mdb\"")), qPrintable(meldung));
    }
    if (schaden == QStringLiteral("Zeile gelöscht"))
        QCOMPARE(meldung, QStringLiteral("Die Tabelle \"kurse\" der Datei \"aktien.mdb\" ist nicht "
                                         "vollständig lesbar (%1 von %2 Datensätzen).")
                              .arg(b.erwartet[Jet::Kurse].size() - 1)
                              .arg(b.erwartet[Jet::Kurse].size()));
}

void TestJetKonverter::gekippteBits_data() {
    QTest::addColumn<int>("version");
    QTest::newRow("Jet 3") << int(Jet::Version::Jet3);
    QTest::newRow("Jet 4") << int(Jet::Version::Jet4);
}

// Bits flipped anywhere: refused with a message or taken over; the original
// stays as it is and nothing is left behind either way.
void TestJetKonverter::gekippteBits() {
    QFETCH(int, version);
    Jet::Umfang u;
    u.version = Jet::Version(version);
    u.pakete = 12;
    u.kurse = 600;
    u.gewinne = 100;
    Jet::Optionen o;
    o.version = u.version;
    const QByteArray heil = Jet::schreiben(Jet::beispielBestand(u).tabellen, o);
    std::mt19937 rng(version == int(Jet::Version::Jet3) ? 17 : 23);
    int abgelehnt = 0;
    for (int runde = 0; runde < 20; ++runde) {
        QByteArray jet = heil;
        for (int k = 0; k < 1 + runde % 8; ++k) {
            const qsizetype at = qsizetype(rng() % quint32(jet.size()));
            jet[at] = char(quint8(jet[at]) ^ (1u << (rng() % 8)));
        }
        QString meldung;
        if (!umwandeln(jet, &meldung, nullptr, 20000)) {
            ++abgelehnt;
            QVERIFY2(!meldung.isEmpty(), "refused without a message");
        }
    }
    qInfo("%d of 20 damaged files refused", abgelehnt);
}

void TestJetKonverter::unpassendeDatei_data() {
    QTest::addColumn<QString>("fall");
    QTest::addColumn<QString>("meldung");
    QTest::newRow("Tabelle fehlt")
        << "Tabelle fehlt"
        << "In der Datei \"aktien.mdb\" fehlt die Tabelle \"KurseVirtuell\".";
    QTest::newRow("Feld fehlt") << "Feld fehlt"
                                << "In der Tabelle \"Aktiendaten\" fehlt das Feld \"kaufpreis\".";
    QTest::newRow("Feld mit anderem Typ")
        << "anderer Typ"
        << "Das Feld \"gebühren\" der Tabelle \"Aktiendaten\" hat nicht den erwarteten Typ.";
    QTest::newRow("zu wenige Felder")
        << "zu wenige Felder"
        << "In der Tabelle \"Beobachten\" fehlt das Feld \"6. Feld\".";
    QTest::newRow("Datum jenseits des Kalenders")
        << "Datum"
        << "Die Tabelle \"kurse\" enthält im Feld \"datum\" einen ungültigen Wert (Datensatz 2).";
    QTest::newRow("keine Jet-Datei")
        << "keine Jet-Datei"
        << "Die Datei \"aktien.mdb\" ist beschädigt oder keine Jet-Datenbank.";
}

// Files the program cannot take over are named with their defect.
void TestJetKonverter::unpassendeDatei() {
    QFETCH(QString, fall);
    QFETCH(QString, meldung);
    Jet::Umfang u;
    u.kurse = 10;
    u.gewinne = 10;
    Jet::Bestand b = Jet::beispielBestand(u);
    if (fall == QLatin1String("Tabelle fehlt")) b.tabellen.removeAt(Jet::KurseVirtuell);
    if (fall == QLatin1String("Feld fehlt")) b.tabellen[Jet::Aktiendaten].spalten[2].name = "preis";
    if (fall == QLatin1String("anderer Typ")) {
        b.tabellen[Jet::Aktiendaten].spalten[3].typ = Jet::Typ::Text;
        for (Jet::Zeile& z : b.tabellen[Jet::Aktiendaten].zeilen)
            z.werte[3] = QStringLiteral("0,99");
    }
    if (fall == QLatin1String("zu wenige Felder")) {
        b.tabellen[Jet::Beobachten].spalten.removeLast();
        for (Jet::Zeile& z : b.tabellen[Jet::Beobachten].zeilen)
            z.werte.removeLast();
    }
    if (fall == QLatin1String("Datum")) b.tabellen[Jet::Kurse].zeilen[1].werte[1] = 1e9;
    QByteArray jet = Jet::schreiben(b.tabellen, Jet::Optionen{});
    if (fall == QLatin1String("keine Jet-Datei")) jet[0x14] = 0x42; // an unknown version
    QString text;
    QVERIFY(!umwandeln(jet, &text));
    QCOMPARE(text, meldung);
}

void TestJetKonverter::abbruchUndHindernisse() {
    Jet::Umfang u;
    u.kurse = 30000;
    const QByteArray bytes = Jet::schreiben(Jet::beispielBestand(u).tabellen, Jet::Optionen{});
    const QString jet = m_dir.filePath(QStringLiteral("hindernis.mdb"));
    const QString neu = m_dir.filePath(QStringLiteral("hindernis-neu.mdb"));
    {
        QFile f(jet);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    // Cancelled from the progress dialog: nothing remains.
    JetKonverter k(leser());
    qint64 gesamt = 0;
    int aufrufe = 0;
    QVERIFY(!k.konvertieren(jet, neu, Heute, [&](qint64 erledigt, qint64 alle) {
        gesamt = alle;
        return ++aufrufe < 3 || erledigt == 0;
    }));
    QVERIFY(k.abgebrochen());
    QCOMPARE(k.meldung(), QStringLiteral("Die Übernahme wurde abgebrochen."));
    QVERIFY(gesamt > 30000);
    QVERIFY(!QFileInfo::exists(neu));

    // A file in the way is not overwritten.
    {
        QFile f(neu);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("meins");
    }
    QVERIFY(!k.konvertieren(jet, neu, Heute));
    QVERIFY(!k.abgebrochen());
    QFile f(neu);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("meins"));
    f.close();
    QFile::remove(neu);

    JetKonverter ohne(m_dir.filePath(QStringLiteral("kapito_jetlesen")));
    QVERIFY(!ohne.konvertieren(jet, neu, Heute));
    QCOMPARE(ohne.meldung(),
             QStringLiteral("Das Hilfsprogramm \"kapito_jetlesen\" fehlt im Programmverzeichnis."));
    QVERIFY(!QFileInfo::exists(neu));
}

void TestJetKonverter::erkennenUndErsetzen() {
    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("aktien.mdb"));
    auto schreiben = [](const QString& p, const QByteArray& b) {
        QFile f(p);
        return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(b) == b.size();
    };
    Jet::Optionen jet3;
    jet3.version = Jet::Version::Jet3;
    const QByteArray alt = Jet::schreiben(Jet::siebenTabellen(), jet3);
    QByteArray ace = alt;
    ace.replace(4, 16, QByteArray("Standard ACE DB", 16));
    const struct {
        QByteArray inhalt;
        bool jet;
    } faelle[] = {{alt, true},
                  {Jet::schreiben(Jet::siebenTabellen(), Jet::Optionen{}), true},
                  {ace, true},
                  {alt.left(19), false},
                  {QByteArray("Dies ist keine Datenbank, auch wenn sie lang genug ist."), false}};
    for (const auto& f : faelle) {
        QVERIFY(schreiben(pfad, f.inhalt));
        QCOMPARE(JetDatei::istJet(pfad), f.jet);
    }
    QFile::remove(pfad);
    DbFixture::shippedDb(dir);
    QVERIFY(!JetDatei::istJet(pfad));

    // The original is kept beside the new file, never over another one.
    QVERIFY(schreiben(pfad, alt));
    QCOMPARE(QFileInfo(JetDatei::sicherungsName(pfad)).fileName(),
             QStringLiteral("aktien-jet.mdb"));
    QVERIFY(schreiben(dir.filePath(QStringLiteral("aktien-jet.mdb")), "frühere Sicherung"));
    QString sicherung = JetDatei::sicherungsName(pfad);
    QCOMPARE(QFileInfo(sicherung).fileName(), QStringLiteral("aktien-jet-2.mdb"));
    QVERIFY(schreiben(dir.filePath(QStringLiteral("neu.mdb")), "neue Datenbank"));
    QString fehler;
    QVERIFY2(JetDatei::ersetzen(pfad, dir.filePath(QStringLiteral("neu.mdb")), &sicherung, &fehler),
             qPrintable(fehler));
    QCOMPARE(QFileInfo(sicherung).fileName(), QStringLiteral("aktien-jet-2.mdb"));
    QCOMPARE(DbFixture::fileHash(sicherung),
             QCryptographicHash::hash(alt, QCryptographicHash::Sha256));
    QFile neu(pfad);
    QVERIFY(neu.open(QIODevice::ReadOnly));
    QCOMPARE(neu.readAll(), QByteArray("neue Datenbank"));
    QFile frueher(dir.filePath(QStringLiteral("aktien-jet.mdb")));
    QVERIFY(frueher.open(QIODevice::ReadOnly));
    QCOMPARE(frueher.readAll(), QByteArray("frühere Sicherung"));
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("neu.mdb"))));

    // A new file that cannot be moved leaves the original alone.
    QVERIFY(schreiben(pfad, alt));
    sicherung.clear();
    QVERIFY(
        !JetDatei::ersetzen(pfad, dir.filePath(QStringLiteral("fehlt.mdb")), &sicherung, &fehler));
    QCOMPARE(DbFixture::fileHash(pfad), QCryptographicHash::hash(alt, QCryptographicHash::Sha256));
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("aktien-jet-3.mdb"))));
}

QTEST_GUILESS_MAIN(TestJetKonverter)
#include "tst_jetkonverter.moc"
