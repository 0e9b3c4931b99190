// Writes that cannot be completed store nothing and say so: a purchase, a
// sale or a quote update whose COMMIT the engine refuses (another program
// holds a read transaction on the file longer than the engine waits), and a
// quote for a package that was deleted meanwhile.

#include "core/Numbers.h"
#include "db/Database.h"
#include "db/Schema.h"
#include "transactions/KontoOperationen.h"
#include "transactions/KursOperationen.h"
#include "transactions/PaketOperationen.h"

#include <QTemporaryDir>
#include <QTest>
#include <functional>

namespace {

const QDate Heute(2024, 3, 15);

Currency eur(const char* text) {
    return *Numbers::parseCurrency(QString::fromUtf8(text));
}

/// A depot of two packages with their quote history and a funded account.
struct Depot {
    QTemporaryDir dir;
    QString pfad = dir.filePath(QStringLiteral("aktien.mdb"));
    Database db;
    Bookmark alpha = -1;
    Bookmark beta = -1;

    Depot() {
        QString fehler;
        if (!Schema::createEmptyDatabase(pfad, Heute.addDays(-1), &fehler))
            qFatal("%s", qPrintable(fehler));
        if (db.open(pfad) != Database::Status::Ok) qFatal("%s", qPrintable(db.message()));
        const auto paket = [this](const char* name, int stueck) {
            db.exec(
                QStringLiteral("INSERT INTO Aktiendaten (aktie, \"stück\", kaufpreis, \"gebühren\","
                               " tageskurs, altkurs, datum, kaufdatum) VALUES (?, ?, 100000,"
                               " 50000, 120000, 110000, '2024-03-14', '2024-01-02')"),
                {QString::fromLatin1(name), stueck});
            return Bookmark(db.lastInsertRowId());
        };
        alpha = paket("Alpha", 100);
        beta = paket("Beta", 20);
        for (const char* n : {"Alpha", "Beta"})
            db.exec(QStringLiteral(
                        "INSERT INTO kurse (aktie, datum, kurs) VALUES (?, '2024-03-14', 120000)"),
                    {QString::fromLatin1(n)});
        db.exec(QStringLiteral("INSERT INTO Gewinne (datum, text, summe) VALUES ('2024-03-01', "
                               "'Einzahlung', 100000000)"));
        db.exec(QStringLiteral("UPDATE kennwort SET altallwert = 14400000"));
        // The engine's wait for a lock, shortened so the test need not wait five seconds.
        db.exec(QStringLiteral("PRAGMA busy_timeout = 50"));
    }

    /// Every row the operations write, read on a connection of its own.
    QString stand() const {
        Database d;
        if (d.open(pfad) != Database::Status::Ok) return d.message();
        QStringList t;
        for (const char* sql :
             {"SELECT _nr, aktie, \"stück\", tageskurs, altkurs, datum FROM Aktiendaten",
              "SELECT _nr, datum, text, summe FROM Gewinne",
              "SELECT _nr, aktie, datum, kurs FROM kurse",
              "SELECT datum, altallwert FROM kennwort"})
            for (const QVariantList& r : d.rows(QString::fromLatin1(sql))) {
                QStringList z;
                for (const QVariant& v : r)
                    z << v.toString();
                t << z.join(QLatin1Char('|'));
            }
        return t.join(QLatin1Char('\n'));
    }
};

using Operation = std::function<std::pair<bool, QString>(Depot&)>;

Operation kauf() {
    return [](Depot& d) {
        Konto::KaufEingabe e;
        e.aktie = QStringLiteral("Gamma");
        e.kennummer = QStringLiteral("123456");
        e.stueck = 10;
        e.stueckText = QStringLiteral("10");
        e.kaufpreis = eur("20");
        e.gebuehren = eur("5");
        e.datum = Heute;
        const auto r = Konto::kaufSchreiben(d.db, e, *Konto::kaufBetraege(e));
        return std::pair(r.ok, r.fehler);
    };
}

Operation verkauf(qint64 anzahl) {
    return [anzahl](Depot& d) {
        Pakete::VerkaufEingabe e;
        e.paket = d.alpha;
        e.aktie = QStringLiteral("Alpha");
        e.bestand = 100;
        e.anzahl = anzahl;
        e.anzahlText = QString::number(anzahl);
        e.kurs = eur("13");
        e.gebuehren = eur("4");
        e.datum = Heute;
        const auto r = Pakete::verkaufSchreiben(d.db, e);
        return std::pair(r.ok, r.fehler);
    };
}

Operation einzelkurs() {
    return [](Depot& d) {
        const auto r = Kurse::einzelkursSpeichern(d.db, d.alpha, QStringLiteral("Alpha"), Heute,
                                                  eur("12,5"), Heute, eur("1440"));
        return std::pair(r.ok, r.fehler);
    };
}

Operation alleKurse() {
    return [](Depot& d) {
        const QList<Kurse::NeuerKurs> k{{d.alpha, QStringLiteral("Alpha"), eur("12,5")},
                                        {d.beta, QStringLiteral("Beta"), eur("11")}};
        const auto r = Kurse::alleKurseSpeichern(d.db, k, Heute, Heute, eur("1440"));
        return std::pair(r.ok, r.fehler);
    };
}

} // namespace

Q_DECLARE_METATYPE(Operation)

class TstFestschreiben final : public QObject {
    Q_OBJECT

    static void operationen() {
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<QString>("meldung"); // how the refusal begins
        QTest::newRow("Kauf")
            << kauf() << "Der Kauf konnte nicht gespeichert werden. Es wurde nichts gebucht.";
        QTest::newRow("Teilverkauf")
            << verkauf(40) << "Der Verkauf konnte nicht gespeichert werden.";
        QTest::newRow("Gesamtverkauf")
            << verkauf(100) << "Der Verkauf konnte nicht gespeichert werden.";
        QTest::newRow("Einzelkurs")
            << einzelkurs() << "Die Kurse konnten nicht gespeichert werden.";
        QTest::newRow("alle Kurse") << alleKurse() << "Die Kurse konnten nicht gespeichert werden.";
    }

private slots:
    void commitAbgelehnt_data() { operationen(); }
    void commitAbgelehnt() {
        QFETCH(Operation, operation);
        QFETCH(QString, meldung);
        Depot d;
        const QString vorher = d.stand();

        // Another program reads the file and keeps its read transaction open.
        Database leser;
        QCOMPARE(leser.open(d.pfad), Database::Status::Ok);
        QVERIFY(leser.exec(QStringLiteral("BEGIN")));
        QCOMPARE(leser.scalar(QStringLiteral("SELECT count(*) FROM Aktiendaten")).toInt(), 2);

        const auto [ok, fehler] = operation(d);
        QVERIFY(!ok);
        QVERIFY2(fehler.startsWith(meldung), qPrintable(fehler));
        QVERIFY2(fehler.contains(QStringLiteral("von einem anderen Programm benutzt")),
                 qPrintable(fehler));
        QVERIFY(leser.exec(QStringLiteral("COMMIT")));
        leser.close();

        QCOMPARE(d.stand(), vorher);
        // Nothing is left pending on the connection: the next try goes through alone.
        QVERIFY(d.db.exec(QStringLiteral("BEGIN")));
        QVERIFY(d.db.exec(QStringLiteral("ROLLBACK")));
        QVERIFY(operation(d).first);
        QVERIFY(d.stand() != vorher);
    }

    // A quote saved for a package that another window deleted meanwhile is
    // refused; no history row is written for it.
    void kursFuerGeloeschtesPaket_data() {
        QTest::addColumn<Operation>("operation");
        QTest::newRow("Einzelkurs") << einzelkurs();
        QTest::newRow("alle Kurse") << alleKurse();
    }
    void kursFuerGeloeschtesPaket() {
        QFETCH(Operation, operation);
        Depot d;
        QVERIFY(d.db.exec(QStringLiteral("DELETE FROM Aktiendaten WHERE _nr = ?"),
                          {qlonglong(d.alpha)}));
        const QString vorher = d.stand();
        const auto [ok, fehler] = operation(d);
        QVERIFY(!ok);
        QVERIFY(fehler.startsWith(QStringLiteral("Die Kurse konnten nicht gespeichert werden.")));
        QCOMPARE(d.stand(), vorher);
        QCOMPARE(d.db.scalar(QStringLiteral("SELECT count(*) FROM kurse")).toInt(), 2);
    }
};

QTEST_MAIN(TstFestschreiben)
#include "tst_festschreiben.moc"
