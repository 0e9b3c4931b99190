// The watch list: an empty list, adding an entry with its first quote,
// the entry fields' rules, changing cells, deleting by name, the printed
// report and the chart of an entry's newest quotes.

#include "core/Numbers.h"
#include "db/Database.h"
#include "platform/Graph.h"
#include "platform/HoverButton.h"
#include "platform/HoverReset.h"
#include "platform/NumericField.h"
#include "support/FakeMainWindow.h"
#include "support/TestUtil.h"
#include "watch/BefehleBeobachten.h"
#include "watch/FormBeobachten.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>

namespace {

const QDate Heute(2024, 3, 15);

struct Umgebung {
    TempProgramDir dir{false, Heute};
    std::unique_ptr<FakeMainWindow> mw;

    Umgebung() {
        mw = std::make_unique<FakeMainWindow>(dir.dbPath(), QDateTime(Heute, QTime(9, 0)));
    }
    Database& db() { return mw->database(); }
    ScriptedDialogs& dialoge() { return mw->scripted(); }
    QStringList texte() {
        QStringList t;
        for (const auto& s : dialoge().shown)
            t << s.text;
        return t;
    }

    /// An entry as the window would store it.
    void eintrag(const QString& name, int stueck, const QString& kauf, const QString& kurs,
                 const QDate& datum = QDate(2024, 1, 10)) {
        db().exec(QStringLiteral("INSERT INTO Beobachten (datum, aktie, wpkn, stueck, kaufpreis, "
                                 "kurs) VALUES (?, ?, '840400', ?, ?, ?)"),
                  {datum, name, stueck, qlonglong(Numbers::parseCurrency(kauf)->raw()),
                   qlonglong(Numbers::parseCurrency(kurs)->raw())});
    }
    void kurs(const QString& name, const QString& kurs, const QDate& datum = QDate(2024, 2, 1)) {
        db().exec(QStringLiteral("INSERT INTO KurseVirtuell (datum, aktie, kurs) VALUES (?, ?, ?)"),
                  {datum, name, kurs});
    }
    QList<QVariantList> eintraege() {
        return db().rows(QStringLiteral("SELECT datum, aktie, wpkn, stueck, kaufpreis, kurs "
                                        "FROM Beobachten ORDER BY _nr"));
    }
    QList<QVariantList> kurse() {
        return db().rows(
            QStringLiteral("SELECT datum, aktie, kurs FROM KurseVirtuell ORDER BY _nr"));
    }
};

qlonglong eur(const char* text) {
    return Numbers::parseCurrency(QString::fromUtf8(text))->raw();
}

void klicken(QTableView* grid, int zeile, int spalte) {
    const QModelIndex i = grid->model()->index(zeile, spalte);
    grid->scrollTo(i);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(i).center());
}

QString pdfText(const QString& datei) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), datei, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return QStringLiteral("<pdftotext>");
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TstFormBeobachten final : public QObject {
    Q_OBJECT
private slots:
    void leereListe() {
        Umgebung u;
        FormBeobachten f(*u.mw);
        f.show();
        QCOMPARE(f.windowTitle(), QStringLiteral("Kapito 3.6"));
        QCOMPARE(f.MSFlexGrid1->model()->rowCount(), 0);
        QCOMPARE(f.MSFlexGrid1->model()->columnCount(), 9);
        QVERIFY(f.MSFlexGrid1->horizontalHeader()->isVisible());
        QCOMPARE(f.MSFlexGrid1->model()->headerData(7, Qt::Horizontal).toString(),
                 QStringLiteral("+/-  Proz."));
        QCOMPARE(f.Label8->text(), QStringLiteral(" Depotwert =  0,00 Euro    (0,00 DM)         "
                                                  "Depotgewinn =  0,00 Euro    (0,00  DM)"));
        QCOMPARE(f.Label10->text(),
                 QStringLiteral("Chart auswählen = Anklicken des Aktiennamens der gewünschten "
                                "Zeile der Tabelle\nDaten ändern       = Anklicken der "
                                "gewünschten Zelle in der Tabelle"));
        QCOMPARE(f.DTPicker1->date(), Heute);
        QCOMPARE(f.Combo1->count(), 0);
        QVERIFY(u.dialoge().shown.isEmpty());
        QVERIFY(!f.Graph1->istGezeichnet());
        QCOMPARE(f.Graph1->leertext(), QStringLiteral("kein Chart ausgewählt"));

        f.schalter5->click();
        f.Schalter3->click();
        QCOMPARE(u.texte(), (QStringList{QStringLiteral("Es sind keine Aktieneinträge vorhanden!"),
                                         QStringLiteral("Keine Daten zum Drucken vorhanden!")}));
        for (const auto& s : u.dialoge().shown)
            QCOMPARE(s.icon, Dialogs::Icon::Exclamation);
        QVERIFY(u.mw->pdf().auftraege.isEmpty());
    }

    // Typed one key at a time with the Enter chain; the entry gets one quote
    // at once, its chart needs a second (a new current price).
    void neuerEintragMitErstemKurs() {
        Umgebung u;
        FormBeobachten f(*u.mw);
        f.show();
        QApplication::setActiveWindow(&f);
        QVERIFY(QTest::qWaitForWindowActive(&f));
        f.DTPicker1->setDate(QDate(2024, 3, 1));
        f.Text1->setFocus();
        typeText(f.Text1, QStringLiteral("Müller AG"));
        pressEnter(f.Text1);
        QCOMPARE(QApplication::focusWidget(), f.Text3);
        typeText(f.Text3, QStringLiteral("84x0400"));
        QCOMPARE(f.Text3->text(), QStringLiteral("840400"));
        pressEnter(f.Text3);
        QCOMPARE(QApplication::focusWidget(), f.Text4);
        typeText(f.Text4, QStringLiteral("1,0."));
        QCOMPARE(f.Text4->text(), QStringLiteral("10"));
        pressEnter(f.Text4);
        QCOMPARE(QApplication::focusWidget(), f.Text2);
        typeText(f.Text2, QStringLiteral("12.5"));
        QCOMPARE(f.Text2->text(), QStringLiteral("12,5"));
        typeText(f.Text2, QStringLiteral(","));
        QCOMPARE(f.Text2->text(), QStringLiteral("12,5"));
        QCOMPARE(u.texte(),
                 QStringList{QStringLiteral("Sie können das Dezimalzeichen nur einmal setzen!")});
        pressEnter(f.Text2);
        QCOMPARE(u.dialoge().lastText(), QStringLiteral("Die Aktie jetzt speichern?"));
        QCOMPARE(u.dialoge().shown.last().icon, Dialogs::Icon::Question);

        const auto e = u.eintraege();
        QCOMPARE(e.size(), 1);
        QCOMPARE(e[0],
                 (QVariantList{"2024-03-01", "Müller AG", "840400", 10, eur("12,5"), eur("12,5")}));
        QCOMPARE(u.kurse(), (QList<QVariantList>{{"2024-03-15", "Müller AG", "12,50"}}));
        for (QLineEdit* feld : QList<QLineEdit*>{f.Text1, f.Text2, f.Text3, f.Text4})
            QVERIFY(feld->text().isEmpty());
        QCOMPARE(f.Combo1->count(), 1);
        QCOMPARE(f.Combo1->itemText(0), QStringLiteral("Müller AG"));
        QCOMPARE(f.Combo1->currentIndex(), -1);
        QCOMPARE(f.zelle(0, 0), QStringLiteral("01.03.2024"));
        QCOMPARE(f.zelle(0, 4), QStringLiteral("12,5"));
        QCOMPARE(f.zelle(0, 6), QStringLiteral("125,00"));
        QCOMPARE(f.zelle(0, 7), QStringLiteral("0,00"));
        QCOMPARE(f.zelle(0, 8), QStringLiteral("0,00"));

        // One quote is too few for a chart.
        klicken(f.MSFlexGrid1, 0, 1);
        QCOMPARE(u.dialoge().lastText(),
                 QStringLiteral("Keine Anzeige des Chart möglich!\n\nEs müssen mindestens 2 "
                                "Kurse gespeichert sein!\nVon  \"Müller AG\"  sind weniger als 2 "
                                "Kurse gespeichert!"));

        // A new current price through its cell: stored with two decimals, a second quote.
        u.dialoge().inputs = {QStringLiteral("13.456")};
        klicken(f.MSFlexGrid1, 0, 5);
        QCOMPARE(u.dialoge().prompts.size(), 1);
        QCOMPARE(u.dialoge().prompts[0].prompt, QStringLiteral("Sie können hier die Daten ändern"));
        QCOMPARE(u.dialoge().prompts[0].title, QStringLiteral("Kapito 3.6"));
        QCOMPARE(u.dialoge().prompts[0].preset, QStringLiteral("12,5"));
        QCOMPARE(u.dialoge().lastText(),
                 QStringLiteral("Möchten Sie diese Daten jetzt speichern?"));
        QCOMPARE(u.eintraege()[0][5].toLongLong(), eur("13,46"));
        QCOMPARE(u.kurse().size(), 2);
        QCOMPARE(u.kurse()[1], (QVariantList{"2024-03-15", "Müller AG", "13,46"}));
        QCOMPARE(f.zelle(0, 6), QStringLiteral("134,60"));
        QCOMPARE(f.zelle(0, 7), QStringLiteral("7,68"));
        QCOMPARE(f.zelle(0, 8), QStringLiteral("9,60"));
        QCOMPARE(f.Label8->text(),
                 QStringLiteral(" Depotwert =  134,60 Euro    (263,25 DM)         "
                                "Depotgewinn =  9,60 Euro    (18,78  DM)"));
        QVERIFY(!f.Graph1->istGezeichnet());
        const int boxen = u.dialoge().shown.size();
        klicken(f.MSFlexGrid1, 0, 1);
        QCOMPARE(u.dialoge().shown.size(), boxen);
        QVERIFY(f.Graph1->istGezeichnet());
        QCOMPARE(f.Graph1->gezeichnet().titel(), QStringLiteral("Müller AG"));
        QCOMPARE(f.Graph1->gezeichnet().beschriftungen(),
                 (QList<QString>{QStringLiteral("12,50"), QStringLiteral("13,46")}));
    }

    // At load the first entry's chart: its newest 30 quotes, the newest at
    // the right. Too few quotes of another entry keep that chart.
    void chartDerNeuesten30() {
        Umgebung u;
        u.eintrag(QStringLiteral(" Alpha"), 10, "8", "9");
        u.eintrag(QStringLiteral("Beta"), 5, "20", "21");
        for (int i = 1; i <= 40; ++i) {
            u.kurs(QStringLiteral("Alpha "), QStringLiteral("%1,00").arg(i));
            if (i == 20) u.kurs(QStringLiteral("Beta"), QStringLiteral("21,00"));
        }
        FormBeobachten f(*u.mw);
        f.show();
        QVERIFY(u.dialoge().shown.isEmpty());
        QVERIFY(f.Graph1->isVisible());
        QVERIFY(f.Graph1->istGezeichnet());
        const Chartmodell& m = f.Graph1->gezeichnet();
        QCOMPARE(m.titel(), QStringLiteral("Alpha"));
        QCOMPARE(m.typ(), int(Chartmodell::Linie));
        QCOMPARE(m.punktzahl(), 30);
        QCOMPARE(m.beschriftung(1), QStringLiteral("11,00"));
        QCOMPARE(m.wert(30), 40.0);
        QCOMPARE(f.Graph1->xBeschriftungen().last(), QStringLiteral("40,00"));

        klicken(f.MSFlexGrid1, 1, 1);
        QVERIFY(u.dialoge().lastText().contains(QStringLiteral("Von  \"Beta\"  sind weniger")));
        QCOMPARE(f.Graph1->gezeichnet().titel(), QStringLiteral("Alpha"));
        QCOMPARE(f.Daten1().absolutePosition(), 1);
    }

    // With two quotes in the table but one of the first entry the load says so.
    void zuWenigKurseBeimLaden() {
        Umgebung u;
        u.eintrag(QStringLiteral("Alpha"), 10, "8", "9");
        u.kurs(QStringLiteral("Alpha"), QStringLiteral("8,00"));
        u.kurs(QStringLiteral("Beta"), QStringLiteral("8,00"));
        FormBeobachten f(*u.mw);
        QCOMPARE(u.texte().size(), 1);
        QVERIFY(u.texte()[0].startsWith(QStringLiteral("Keine Anzeige des Chart möglich!")));
        QVERIFY(!f.Graph1->istGezeichnet());
    }

    void eintragUnvollstaendigOderNein() {
        Umgebung u;
        FormBeobachten f(*u.mw);
        f.show();
        typeText(f.Text1, QStringLiteral("Alpha"));
        typeText(f.Text3, QStringLiteral("1"));
        typeText(f.Text2, QStringLiteral("5"));
        f.Schalter1->click();
        QCOMPARE(u.dialoge().lastText(),
                 QStringLiteral("Sie müssen zuerst alle Textfelder ausfüllen!"));
        typeText(f.Text4, QStringLiteral("3"));
        u.dialoge().answers = {Dialogs::Answer::No};
        f.Schalter1->click();
        QCOMPARE(u.dialoge().lastText(), QStringLiteral("Die Aktie jetzt speichern?"));
        QVERIFY(u.eintraege().isEmpty());
        QVERIFY(u.kurse().isEmpty());
        QCOMPARE(f.Text1->text(), QStringLiteral("Alpha"));
        QCOMPARE(f.Text2->text(), QStringLiteral("5"));
        // A price without a digit cannot be stored: nothing is written.
        f.Text2->clear();
        typeText(f.Text2, QStringLiteral(","));
        f.Schalter1->click();
        QVERIFY(u.dialoge().lastText().startsWith(QStringLiteral("Die Eingabe \",\" passt nicht")));
        QVERIFY(u.eintraege().isEmpty());
        QVERIFY(u.kurse().isEmpty());
        QCOMPARE(f.Text1->text(), QStringLiteral("Alpha"));
    }

    // A cell change is stored in its field or refused with the field unchanged.
    void zelleAendern_data() {
        QTest::addColumn<int>("spalte");
        QTest::addColumn<QString>("antwort");
        QTest::addColumn<QVariant>("gespeichert"); // invalid: unchanged, refused
        QTest::newRow("Datum") << 0 << "01.02.2023" << QVariant("2023-02-01");
        QTest::newRow("WP-KN") << 2 << "4711" << QVariant("4711");
        QTest::newRow("Stück") << 3 << "25" << QVariant(25);
        QTest::newRow("Kaufkurs mit Punkt") << 4 << "9.999" << QVariant(eur("10"));
        QTest::newRow("Akt. Kurs") << 5 << "11,1" << QVariant(eur("11,1"));
        QTest::newRow("Stück in Buchstaben") << 3 << "zehn" << QVariant();
        QTest::newRow("unmögliches Datum") << 0 << "31.02.2024" << QVariant();
        QTest::newRow("Kurs in Buchstaben") << 5 << "elf" << QVariant();
        QTest::newRow("zwei Kommas") << 4 << "1.234,5" << QVariant();
    }
    void zelleAendern() {
        QFETCH(int, spalte);
        QFETCH(QString, antwort);
        QFETCH(QVariant, gespeichert);
        Umgebung u;
        u.eintrag(QStringLiteral("Alpha"), 10, "8", "9");
        u.eintrag(QStringLiteral("Beta"), 5, "20", "21");
        u.kurs(QStringLiteral("Beta"), QStringLiteral("21,00"));
        const auto vorher = u.eintraege();
        FormBeobachten f(*u.mw);
        f.show();
        u.dialoge().inputs = {antwort};
        klicken(f.MSFlexGrid1, 1, spalte);
        const auto nachher = u.eintraege();
        QCOMPARE(nachher[0], vorher[0]);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(nachher[1][i],
                     i == spalte && gespeichert.isValid() ? gespeichert : vorher[1][i]);
        // Only a new current price adds a quote.
        QCOMPARE(u.kurse().size(), spalte == 5 && gespeichert.isValid() ? 2 : 1);
        if (!gespeichert.isValid()) {
            QVERIFY2(u.dialoge().lastText().startsWith(QStringLiteral("Die Eingabe \"")),
                     qPrintable(u.dialoge().lastText()));
            QCOMPARE(u.dialoge().shown.last().icon, Dialogs::Icon::Exclamation);
        }
        QCOMPARE(
            f.zelle(1, 6),
            Currency::fromRaw(nachher[1][3].toLongLong() * nachher[1][5].toLongLong()).format00());
    }

    void zelleNichtAendern() {
        Umgebung u;
        u.eintrag(QStringLiteral("Alpha"), 10, "8", "9");
        const auto vorher = u.eintraege();
        FormBeobachten f(*u.mw);
        f.show();
        // The computed columns open nothing.
        for (int spalte : {6, 7, 8})
            klicken(f.MSFlexGrid1, 0, spalte);
        QVERIFY(u.dialoge().prompts.isEmpty());
        // Cancel, an empty answer and No change nothing.
        u.dialoge().inputs = {};
        klicken(f.MSFlexGrid1, 0, 3);
        u.dialoge().inputs = {QString()};
        klicken(f.MSFlexGrid1, 0, 3);
        u.dialoge().inputs = {QStringLiteral("99")};
        u.dialoge().answers = {Dialogs::Answer::No};
        klicken(f.MSFlexGrid1, 0, 3);
        QCOMPARE(u.dialoge().prompts.size(), 3);
        QCOMPARE(u.dialoge().shown.size(), 1);
        QCOMPARE(u.eintraege(), vorher);
    }

    // The entry chosen in the list goes, even when a click on the table
    // selected another since; with it go all quotes of the trimmed name.
    void loeschenNachNamen() {
        Umgebung u;
        u.eintrag(QStringLiteral("Alpha"), 1, "1", "1");
        u.eintrag(QStringLiteral("Beta"), 2, "2", "2");
        u.eintrag(QStringLiteral("Alpha"), 3, "3", "3");
        u.kurs(QStringLiteral("Alpha"), QStringLiteral("1,00"));
        u.kurs(QStringLiteral(" Alpha "), QStringLiteral("1,10"));
        u.kurs(QStringLiteral("Beta"), QStringLiteral("2,00"));
        u.kurs(QStringLiteral("Alphabet"), QStringLiteral("3,00"));
        FormBeobachten f(*u.mw);
        f.show();
        QCOMPARE(f.Combo1->count(), 3);
        f.schalter5->click();
        QCOMPARE(u.dialoge().lastText(), QStringLiteral("Sie müssen zuerst eine Aktie auswählen!"));

        f.Combo1->setCurrentIndex(0);
        emit f.Combo1->activated(0);
        QCOMPARE(f.Daten1().absolutePosition(), 2);
        u.dialoge().answers = {Dialogs::Answer::No, Dialogs::Answer::Yes};
        f.schalter5->click();
        QCOMPARE(u.dialoge().lastText(),
                 QStringLiteral("Möchten Sie die Aktie Alpha jetzt löschen?"));
        QCOMPARE(u.dialoge().shown.last().icon, Dialogs::Icon::Stop);
        QCOMPARE(u.eintraege().size(), 3);
        u.dialoge().inputs = {}; // a click on Beta's price asks and is cancelled
        klicken(f.MSFlexGrid1, 1, 4);
        f.schalter5->click();

        const auto e = u.eintraege();
        QCOMPARE(e.size(), 2);
        QCOMPARE(e[0][1].toString(), QStringLiteral("Alpha"));
        QCOMPARE(e[0][3].toInt(), 1);
        QCOMPARE(e[1][1].toString(), QStringLiteral("Beta"));
        const auto k = u.kurse();
        QCOMPARE(k.size(), 2);
        QCOMPARE(k[0][1].toString(), QStringLiteral("Beta"));
        QCOMPARE(k[1][1].toString(), QStringLiteral("Alphabet"));
        QCOMPARE(f.Combo1->count(), 2);
        QCOMPARE(f.Combo1->currentIndex(), -1);
        QCOMPARE(f.MSFlexGrid1->model()->rowCount(), 2);
        QCOMPARE(f.Label8->text().left(26), QStringLiteral(" Depotwert =  5,00 Euro   "));
    }

    void berichtGedruckt() {
        Umgebung u;
        u.eintrag(QStringLiteral("Alpha"), 10, "12,5", "15", QDate(2024, 3, 1));
        u.eintrag(QStringLiteral("Eine sehr lange Aktienbezeichnung"), 3, "100", "80,25");
        FormBeobachten f(*u.mw);
        f.show();
        u.dialoge().answers = {Dialogs::Answer::No, Dialogs::Answer::Yes};
        f.Schalter3->click();
        QCOMPARE(u.dialoge().lastText(), QStringLiteral("Möchten Sie den Bericht jetzt drucken?"));
        QVERIFY(u.mw->pdf().auftraege.isEmpty());
        f.Schalter3->click();
        QCOMPARE(u.mw->pdf().auftraege.size(), 1);
        const auto& a = u.mw->pdf().auftraege.first();
        QVERIFY(a.ok);
        // pdftotext keeps the lines, not every blank between the columns.
        QStringList zeilen;
        for (const QString& z : pdfText(a.datei).split(QLatin1Char('\n')))
            if (!z.trimmed().isEmpty()) zeilen << z.simplified();
        const QString linie(73, u'-');
        QCOMPARE(zeilen, (QStringList{
                             "BERICHT Beobachten-Depot am 15.03.2024",
                             "Datum Aktie WP-KN Stück Kaufkurs Tageskurs",
                             linie,
                             "01.03.2024 Alpha 840400 10 12,5 15",
                             "10.01.2024 Eine sehr lange Aktienb 840400 3 100 80,25",
                             linie,
                             "Depotwert = 390,75 Euro (764,24 DM)",
                             "Depotverlust = -34,25 Euro (-66,99 DM)",
                         }));
    }

    void menuOeffnetModal() {
        Umgebung u;
        int gezeigt = 0;
        menuBeobachten(*u.mw, [&](QDialog& d) {
            gezeigt += qobject_cast<FormBeobachten*>(&d) && d.parentWidget() == u.mw->window();
            return 0;
        });
        QCOMPARE(gezeigt, 1);
    }

    void knoepfeUndNamen() {
        Umgebung u;
        FormBeobachten f(*u.mw);
        for (QPushButton* b : f.findChildren<QPushButton*>()) {
            QVERIFY2(!b->autoDefault() && !b->isDefault(), qPrintable(b->objectName()));
            QVERIFY2(!b->accessibleName().isEmpty(), qPrintable(b->objectName()));
        }
        for (QWidget* w : QList<QWidget*>{f.MSFlexGrid1, f.DTPicker1, f.Text1, f.Text2, f.Text3,
                                          f.Text4, f.Combo1})
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
        f.Schalter2->click();
        QCOMPARE(u.mw->hilfeCalls, 1);
        // The free area takes the highlight off all five buttons.
        const QList<HoverButton*> knoepfe{f.Schalter1, f.schalter5, f.Schalter2, f.Schalter3,
                                          f.schalter4};
        for (HoverButton* b : knoepfe)
            b->setHover(true);
        f.findChild<HoverReset*>()->resetNow();
        for (HoverButton* b : knoepfe)
            QVERIFY(!b->isHover());
    }
};

QTEST_MAIN(TstFormBeobachten)
#include "tst_formbeobachten.moc"
