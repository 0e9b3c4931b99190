// Maintenance of the stored chart quotes: the window Formchartkurse100 and
// deleting all quotes of a package.

#include "charts/BefehleCharts.h"
#include "charts/Formchartkurse100.h"
#include "db/Database.h"
#include "db/Schema.h"
#include "platform/HoverButton.h"
#include "support/FakeMainWindow.h"
#include "support/TestUtil.h"

#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <functional>

namespace {

const QDate Heute(2024, 3, 15);

void kurs(Database& db, const QString& name, const QString& datum, qint64 euro) {
    db.exec(QStringLiteral("INSERT INTO kurse (aktie, datum, kurs) VALUES (?, ?, ?)"),
            {name, datum, euro * 10000});
}

/// The rows of kurse as "name|date|raw quote", in insertion order.
QStringList zeilen(Database& db) {
    QStringList out;
    for (const QVariantList& z :
         db.rows(QStringLiteral("SELECT aktie, datum, kurs FROM kurse ORDER BY _nr")))
        out << z.value(0).toString() + QLatin1Char('|') + z.value(1).toString() + QLatin1Char('|') +
                   QString::number(z.value(2).toLongLong());
    return out;
}

/// The three fields as the window shows them.
QStringList felder(const Formchartkurse100& f) {
    return {f.Text1->text(), f.Text2->text(), f.Text3->text()};
}

void neuerText(QLineEdit* feld, const QString& text) {
    feld->setFocus();
    feld->selectAll();
    QTest::keyClick(feld, Qt::Key_Delete);
    typeText(feld, text);
}

} // namespace

class TestChartKurse final : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_nr = 0;

    /// The quotes of two packages, interleaved: BASF 10, Bayer 40, BASF 11.
    std::unique_ptr<FakeMainWindow> neuesFenster(bool mitKursen = true) {
        const QString pfad = m_dir.filePath(QStringLiteral("aktien%1.mdb").arg(++m_nr));
        QString fehler;
        if (!Schema::createEmptyDatabase(pfad, Heute, &fehler)) qFatal("%s", qPrintable(fehler));
        auto mw = std::make_unique<FakeMainWindow>(pfad, QDateTime(Heute, QTime(10, 0)));
        mw->addPaket(QStringLiteral("BASF"), 10, QStringLiteral("10"), QStringLiteral("0"),
                     QStringLiteral("11"));
        if (mitKursen) {
            kurs(mw->database(), QStringLiteral("BASF"), QStringLiteral("2024-03-13"), 10);
            kurs(mw->database(), QStringLiteral("Bayer"), QStringLiteral("2024-03-13"), 40);
            kurs(mw->database(), QStringLiteral(" BASF "), QStringLiteral("2024-03-14"), 11);
        }
        return mw;
    }

private slots:
    void leereTabelle() {
        auto mw = neuesFenster(false);
        int geoeffnet = 0;
        menuK100(*mw, [&](QDialog&) { return ++geoeffnet; });
        QCOMPARE(geoeffnet, 0);
        QCOMPARE(mw->scripted().lastText(), QStringLiteral("Keine Bearbeitung der Kurse möglich!"
                                                           "\n\nEs sind keine Kurse gespeichert!"));
        QCOMPARE(mw->scripted().shown.last().icon, Dialogs::Icon::Exclamation);

        kurs(mw->database(), QStringLiteral("BASF"), QStringLiteral("2024-03-13"), 10);
        QString fenster;
        menuK100(*mw, [&](QDialog& d) {
            fenster = QString::fromLatin1(d.metaObject()->className());
            return 0;
        });
        QCOMPARE(fenster, QStringLiteral("Formchartkurse100"));
    }

    // All rows of all packages in insertion order; the ends stay put.
    void navigator() {
        auto mw = neuesFenster();
        Formchartkurse100 f(*mw);
        QCOMPARE(f.Label1->text(), QStringLiteral("Kurse bearbeiten"));
        QCOMPARE(f.Label6->text(), QStringLiteral("(für Chartdarstellung)"));
        const QStringList basf{QStringLiteral("BASF"), QStringLiteral("13.03.2024"),
                               QStringLiteral("10")};
        const QStringList bayer{QStringLiteral("Bayer"), QStringLiteral("13.03.2024"),
                                QStringLiteral("40")};
        const QStringList basf2{QStringLiteral(" BASF "), QStringLiteral("14.03.2024"),
                                QStringLiteral("11")};
        QCOMPARE(felder(f), basf);
        f.navigator[1]->click();
        QCOMPARE(felder(f), basf);
        f.navigator[2]->click();
        QCOMPARE(felder(f), bayer);
        f.navigator[2]->click();
        f.navigator[2]->click();
        QCOMPARE(felder(f), basf2);
        f.navigator[0]->click();
        QCOMPARE(felder(f), basf);
        f.navigator[3]->click();
        QCOMPARE(felder(f), basf2);
        for (QToolButton* b : f.navigator)
            QVERIFY(!b->accessibleName().isEmpty());
        for (HoverButton* b : {f.schalter1, f.schalter2, f.schalter3})
            QVERIFY(!b->autoDefault() && !b->isDefault() && !b->accessibleName().isEmpty());
    }

    // A change is written by Enter, by the save button, by leaving the row
    // and by closing the window.
    void aendern() {
        auto mw = neuesFenster();
        Database& db = mw->database();
        Formchartkurse100 f(*mw);
        f.show();
        neuerText(f.Text3, QStringLiteral("12.5"));
        QCOMPARE(f.Text3->text(), QStringLiteral("12,5"));
        pressEnter(f.Text3);
        QCOMPARE(zeilen(db).first(), QStringLiteral("BASF|2024-03-13|125000"));

        neuerText(f.Text1, QStringLiteral("BASF SE"));
        pressEnter(f.Text1);
        neuerText(f.Text2, QStringLiteral("1.3.2024"));
        f.schalter2->click();
        QCOMPARE(zeilen(db).first(), QStringLiteral("BASF SE|2024-03-01|125000"));
        QCOMPARE(f.Text2->text(), QStringLiteral("01.03.2024"));

        f.navigator[2]->click();
        neuerText(f.Text3, QStringLiteral("41"));
        f.navigator[2]->click();
        QCOMPARE(zeilen(db)[1], QStringLiteral("Bayer|2024-03-13|410000"));

        neuerText(f.Text3, QStringLiteral("9,99"));
        f.schalter3->click();
        QVERIFY(!f.isVisible());
        QCOMPARE(zeilen(db)[2], QStringLiteral(" BASF |2024-03-14|99900"));
        QVERIFY(mw->scripted().shown.isEmpty());
    }

    // What cannot be read is refused and the row keeps its value; the window
    // stays on the row, closing included, until the field is corrected, and
    // then writes the row's other change with it.
    void unlesbar_data() {
        QTest::addColumn<int>("feld"); // 2 date, 3 quote
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("meldung");
        QTest::addColumn<QString>("richtig");     // the corrected entry
        QTest::addColumn<QString>("gespeichert"); // the row with the other field's change
        const QString kurs = QStringLiteral("BASF|2024-03-14|33300");
        const QString datum = QStringLiteral("BASF|2024-03-01|35000");
        QTest::newRow("impossible day") << 2 << "31.02.2024"
                                        << "Das Datum \"31.02.2024\""
                                        << "14.03.2024" << kurs;
        QTest::newRow("no date") << 2 << "gestern"
                                 << "Das Datum \"gestern\""
                                 << "14.03.2024" << kurs;
        QTest::newRow("empty date") << 2 << ""
                                    << "Das Datum \"\""
                                    << "14.03.2024" << kurs;
        QTest::newRow("comma alone") << 3 << ","
                                     << "Der Kurs \",\""
                                     << "3,5" << datum;
        QTest::newRow("empty quote") << 3 << ""
                                     << "Der Kurs \"\""
                                     << "3,5" << datum;
    }
    void unlesbar() {
        QFETCH(int, feld);
        QFETCH(QString, text);
        QFETCH(QString, meldung);
        QFETCH(QString, richtig);
        QFETCH(QString, gespeichert);
        auto mw = neuesFenster();
        const QStringList vorher = zeilen(mw->database());
        Formchartkurse100 f(*mw);
        f.show();
        QLineEdit* e = feld == 2 ? f.Text2 : f.Text3;
        neuerText(e, text);
        pressEnter(e);
        QCOMPARE(mw->scripted().shown.size(), 1);
        QVERIFY2(mw->scripted().lastText().startsWith(meldung),
                 qPrintable(mw->scripted().lastText()));
        QVERIFY(mw->scripted().lastText().endsWith(
            QStringLiteral("Der Datensatz wurde nicht geändert.")));
        // Moving on is refused as well; the entry stays for correcting.
        f.navigator[2]->click();
        QCOMPARE(mw->scripted().shown.size(), 2);
        QCOMPARE(f.Text1->text(), QStringLiteral("BASF"));
        QCOMPARE(e->text(), text);
        QCOMPARE(zeilen(mw->database()), vorher);

        QLineEdit* anderes = feld == 2 ? f.Text3 : f.Text2;
        neuerText(anderes, feld == 2 ? QStringLiteral("3,33") : QStringLiteral("1.3.2024"));
        const QList<std::function<void()>> schliessen{
            [&] { f.schalter3->click(); }, [&] { QTest::keyClick(anderes, Qt::Key_Escape); },
            [&] { f.close(); }, // the window's close box
        };
        qsizetype meldungen = mw->scripted().shown.size();
        for (const auto& zu : schliessen) {
            anderes->setFocus();
            zu();
            QVERIFY(f.isVisible());
            QCOMPARE(mw->scripted().shown.size(), ++meldungen);
            QVERIFY(mw->scripted().lastText().startsWith(meldung));
            QCOMPARE(f.focusWidget(), e);
        }
        QCOMPARE(zeilen(mw->database()), vorher);

        neuerText(e, richtig);
        QTest::keyClick(e, Qt::Key_Escape);
        QVERIFY(!f.isVisible());
        QCOMPARE(mw->scripted().shown.size(), meldungen);
        QCOMPARE(zeilen(mw->database()).first(), gespeichert);
    }

    void einKomma() {
        auto mw = neuesFenster();
        Formchartkurse100 f(*mw);
        f.show();
        neuerText(f.Text3, QStringLiteral("1,2,"));
        QCOMPARE(f.Text3->text(), QStringLiteral("1,2"));
        QCOMPARE(mw->scripted().lastText(),
                 QStringLiteral("Sie dürfen das Dezimalzeichen nur einmal setzen!"));
        // Letters are not taken.
        typeText(f.Text3, QStringLiteral("a"));
        QCOMPARE(f.Text3->text(), QStringLiteral("1,2"));
    }

    void loeschen() {
        auto mw = neuesFenster();
        Database& db = mw->database();
        Formchartkurse100 f(*mw);
        f.navigator[2]->click();
        mw->scripted().answers = {Dialogs::Answer::No};
        f.schalter1->click();
        QCOMPARE(zeilen(db).size(), 3);
        QCOMPARE(mw->scripted().lastText(), QStringLiteral("Diese Daten jetzt löschen?"));
        QCOMPARE(mw->scripted().shown.last().icon, Dialogs::Icon::Question);

        // Yes: the row goes, the one before it is shown.
        mw->scripted().answers = {Dialogs::Answer::Yes};
        f.schalter1->click();
        QCOMPARE(zeilen(db), (QStringList{QStringLiteral("BASF|2024-03-13|100000"),
                                          QStringLiteral(" BASF |2024-03-14|110000")}));
        QCOMPARE(f.Text1->text(), QStringLiteral("BASF"));
        // The first row: the next one moves up.
        mw->scripted().answers = {Dialogs::Answer::Yes};
        f.schalter1->click();
        QCOMPARE(f.Text1->text(), QStringLiteral(" BASF "));
        mw->scripted().answers = {Dialogs::Answer::Yes};
        f.schalter1->click();
        QVERIFY(zeilen(db).isEmpty());
        QCOMPARE(felder(f), (QStringList{QString(), QString(), QString()}));
        QVERIFY(!f.schalter1->isEnabled());
        QVERIFY(!f.Text3->isEnabled());
    }

    void kurseLoeschen_data() {
        QTest::addColumn<QString>("paket");
        QTest::addColumn<Dialogs::Answer>("antwort");
        QTest::addColumn<QStringList>("bleiben");
        QTest::newRow("yes: both spellings of BASF go")
            << "BASF" << Dialogs::Answer::Yes
            << QStringList{QStringLiteral("Bayer|2024-03-13|400000")};
        QTest::newRow("no: nothing goes")
            << "BASF" << Dialogs::Answer::No
            << QStringList{QStringLiteral("BASF|2024-03-13|100000"),
                           QStringLiteral("Bayer|2024-03-13|400000"),
                           QStringLiteral(" BASF |2024-03-14|110000")};
    }
    void kurseLoeschen() {
        QFETCH(QString, paket);
        QFETCH(Dialogs::Answer, antwort);
        QFETCH(QStringList, bleiben);
        auto mw = neuesFenster();
        mw->scripted().answers = {antwort};
        KurseLoeschen(*mw);
        QCOMPARE(mw->scripted().shown.size(), 1);
        const auto& frage = mw->scripted().shown.first();
        QCOMPARE(frage.text,
                 QStringLiteral("Sie wollen wirklich alle gespeicherten Chart-Kurse der "
                                "Aktie   BASF  löschen?"));
        QCOMPARE(frage.icon, Dialogs::Icon::Stop);
        QCOMPARE(frage.buttons, Dialogs::Buttons::YesNo);
        QCOMPARE(zeilen(mw->database()), bleiben);
    }

    void keineKurseDerAktie() {
        auto mw = neuesFenster();
        mw->addPaket(QStringLiteral("  Siemens "), 1, QStringLiteral("1"), QStringLiteral("0"),
                     QStringLiteral("1"));
        KurseLoeschen(*mw);
        QCOMPARE(mw->scripted().shown.size(), 1);
        QCOMPARE(mw->scripted().lastText(),
                 QStringLiteral("Keine Chart-Kurse der Aktie   Siemens  gefunden!"));
        QCOMPARE(mw->scripted().shown.first().icon, Dialogs::Icon::Exclamation);
        QCOMPARE(zeilen(mw->database()).size(), 3);
    }
};

QTEST_MAIN(TestChartKurse)
#include "tst_chartkurse.moc"
