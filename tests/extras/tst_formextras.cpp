// The settings window: its openers, target and stop price, speculation
// period, password tab, stock split and merging of packages.

#include "core/Numbers.h"
#include "core/Passwort.h"
#include "core/Rtf.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "db/Verschluesselung.h"
#include "extras/BefehleExtras.h"
#include "extras/FormExtras.h"
#include "extras/Korrekturen.h"
#include "platform/HoverButton.h"
#include "platform/NumericField.h"
#include "support/FakeMainWindow.h"
#include "support/TestUtil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>
#include <QtTest>
#include <memory>
#include <stdexcept>

namespace {

const QString Gesamt = QStringLiteral("0,1,2,3,4");

qint64 eur(const QString& text) {
    return Numbers::parseCurrency(text)->raw();
}

struct Umgebung {
    TempProgramDir dir{false, QDate(2024, 3, 15)};
    std::unique_ptr<FakeMainWindow> api;

    Umgebung() { api = std::make_unique<FakeMainWindow>(dir.dbPath()); }
    Database& db() { return api->database(); }
    ScriptedDialogs& boxen() { return api->scripted(); }
    QVariantList zeile(const QString& sql, const QVariantList& p = {}) {
        const auto r = db().rows(sql, p);
        return r.isEmpty() ? QVariantList() : r.first();
    }
    qint64 zahl(const QString& sql, const QVariantList& p = {}) {
        return db().scalar(sql, p).toLongLong();
    }
    void kurs(const QString& aktie, const QString& kurs) {
        db().exec(
            QStringLiteral("INSERT INTO kurse (aktie, datum, kurs) VALUES (?, '2024-03-01', ?)"),
            {aktie, eur(kurs)});
    }
    /// Everything a correction may touch, to compare before and after.
    QList<QVariantList> stand() {
        return db().rows(QStringLiteral("SELECT * FROM Aktiendaten ORDER BY _nr")) +
               db().rows(QStringLiteral("SELECT * FROM kurse ORDER BY _nr"));
    }
};

/// The tabs that can be chosen, as "0,2".
QString verfuegbar(const FormExtras& f) {
    QStringList r;
    for (int i = 0; i < f.SSTab1->count(); ++i)
        if (f.SSTab1->isTabEnabled(i)) r << QString::number(i);
    return r.join(QLatin1Char(','));
}

} // namespace

class TestFormExtras final : public QObject {
    Q_OBJECT
private slots:
    // Each opener: tabs available, tab shown, the two headings; the card's
    // header is hidden while the window is open and comes back only when the
    // card was active.
    void oeffner_data() {
        QTest::addColumn<QString>("befehl");
        QTest::addColumn<QString>("tabs");
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("label1");
        QTest::addColumn<QString>("label13");
        QTest::addColumn<bool>("karteAktiv");
        QTest::newRow("Einstellungen")
            << "einstellungen" << Gesamt << 0 << "Kursziel + Stopkurs|Spekulationfrist"
            << "Einstellungen" << true;
        QTest::newRow("Kursziel + Stopkurs") << "zielkurs"
                                             << "0" << 0 << "Kursziel + Stopkurs"
                                             << "Kursziel + Stopkurs" << false;
        QTest::newRow("Spekulationsfrist") << "spekufrist"
                                           << "1" << 1 << "Spekulationfrist"
                                           << "Spekulationsfrist" << true;
        QTest::newRow("Passwort") << "passwort"
                                  << "2" << 2 << "Passwort"
                                  << "Passwort" << false;
        QTest::newRow("Aktiensplit") << "split"
                                     << "3" << 3 << "Aktiensplit"
                                     << "Aktiensplit" << false;
        QTest::newRow("Aktienpakete") << "zusammen"
                                      << "4" << 4 << "Aktienpakete bündeln"
                                      << "Aktienpakete bündeln" << true;
    }
    void oeffner() {
        QFETCH(QString, befehl);
        QFETCH(QString, tabs);
        QFETCH(int, tab);
        QFETCH(QString, label1);
        QFETCH(QString, label13);
        QFETCH(bool, karteAktiv);
        Umgebung u;
        const Bookmark a = u.api->addPaket("Alpha", 10, "100", "5", "110");
        u.api->addPaket("Beta", 10, "100", "5", "110");
        u.api->Daten1().setBookmark(a);
        u.api->modul().lesezeichen = a;
        u.api->modul().KarteAktiv = karteAktiv;

        bool kopfWaehrend = true;
        QStringList gesehen;
        ModalRunner modal = [&](QDialog& d) {
            auto& f = dynamic_cast<FormExtras&>(d);
            f.show();
            kopfWaehrend = u.api->kartenkopfSichtbar;
            gesehen << verfuegbar(f) << QString::number(f.SSTab1->currentIndex())
                    << f.Label1->text() << f.Label13->text();
            if (tabs == Gesamt) { // switching tabs retitles the window
                f.SSTab1->setCurrentIndex(FormExtras::Spekufrist);
                gesehen[2] += QLatin1Char('|') + f.Label1->text();
            }
            // The user moves on the main window's packages meanwhile.
            u.api->Daten1().moveLast();
            f.Command1->click();
            return f.result();
        };
        const QMap<QString, void (*)(MainWindowApi&, const ModalRunner&)> befehle{
            {"einstellungen", menuEinstellungen},
            {"zielkurs", menuZielkurs},
            {"spekufrist", menuSpekufrist},
            {"passwort", menuPasswort},
            {"split", menuSplit},
            {"zusammen", menuZusammen}};
        befehle.value(befehl)(*u.api, modal);
        QCOMPARE(gesehen, (QStringList{tabs, QString::number(tab), label1, label13}));
        QVERIFY(!kopfWaehrend);
        QCOMPARE(u.api->kartenkopfSichtbar, karteAktiv);
        QVERIFY(!u.api->modul().KarteAktiv);
        QCOMPARE(u.api->Daten1().bookmark(), a); // back on the saved package
    }

    // Choosing a name takes the last package of that name and shows its values.
    void zielUndStopSpeichern() {
        Umgebung u;
        const Bookmark a1 = u.api->addPaket("Alpha", 10, "100", "5", "110");
        const Bookmark b = u.api->addPaket("Beta", 10, "100", "5", "110");
        const Bookmark a2 = u.api->addPaket("Alpha", 5, "90", "5", "110");
        u.db().exec("UPDATE Aktiendaten SET kursziel = 150.5, stopkurs = 80 WHERE _nr = ?",
                    {qlonglong(a2)});
        u.api->Daten1().requery();
        u.api->Daten1().setBookmark(b);
        u.api->modul().lesezeichen = b;

        FormExtras f(*u.api);
        f.vorbereiten(FormExtras::StopZiel, true, "Kursziel + Stopkurs");
        f.show();
        QCOMPARE(f.Combo1->count(), 3);
        QCOMPARE(f.Label5->text(), QStringLiteral("Beta"));
        QCOMPARE(f.Text3->text(), QStringLiteral("0"));
        QCOMPARE(f.focusWidget(), f.Text3);

        f.Combo1->setCurrentIndex(0); // the first "Alpha"
        emit f.Combo1->activated(0);
        QCOMPARE(f.Label5->text(), QStringLiteral("Alpha"));
        QCOMPARE(u.api->Daten1().bookmark(), a2);
        QCOMPARE(f.Text3->text(), QStringLiteral("150,5"));
        QCOMPARE(f.Text4->text(), QStringLiteral("80"));

        f.Text4->clear();
        QVERIFY(!f.Command3->isEnabled());
        typeText(f.Text4, "75.5");
        QCOMPARE(f.Text4->text(), QStringLiteral("75,5"));
        typeText(f.Text4, ".");
        QCOMPARE(f.Text4->text(), QStringLiteral("75,5"));
        QCOMPARE(u.boxen().lastText(),
                 QStringLiteral("Sie können das Dezimalzeichen nur einmal setzen!"));
        f.Text3->clear();
        typeText(f.Text3, "12.5");
        QVERIFY(f.Command3->isEnabled());

        u.boxen().shown.clear();
        u.api->Daten1().moveFirst(); // the card moved meanwhile; the save goes to the chosen one
        u.api->Daten1().setBookmark(a2);
        f.Command3->click();
        QCOMPARE(u.boxen().lastText(),
                 QStringLiteral("Möchten Sie Stop + Zielkurs jetzt speichern?"));
        QCOMPARE(u.boxen().shown.last().icon, Dialogs::Icon::Question);
        const auto z =
            u.zeile("SELECT kursziel, stopkurs FROM Aktiendaten WHERE _nr = ?", {qlonglong(a2)});
        QCOMPARE(z.value(0).toDouble(), 12.5);
        QCOMPARE(z.value(1).toDouble(), 75.5);
        QCOMPARE(u.zahl("SELECT count(*) FROM Aktiendaten WHERE kursziel <> 0 AND _nr <> ?",
                        {qlonglong(a2)}),
                 qint64(0));
        QCOMPARE(u.api->Daten1().bookmark(), a2);
        QCOMPARE(u.api->modul().lesezeichen, a2);
        Q_UNUSED(a1);
    }

    void zielUndStopAbgelehnt_data() {
        QTest::addColumn<QString>("ziel");
        QTest::addColumn<QString>("antwort"); // "" = no question expected
        QTest::addColumn<QString>("meldung");
        QTest::newRow("Nein") << "20"
                              << "Nein"
                              << "";
        QTest::newRow("nur ein Komma") << ","
                                       << ""
                                       << "Bitte geben Sie Kursziel und Stopkurs als Zahlen ein!";
    }
    void zielUndStopAbgelehnt() {
        QFETCH(QString, ziel);
        QFETCH(QString, antwort);
        QFETCH(QString, meldung);
        Umgebung u;
        u.api->addPaket("Alpha", 10, "100", "5", "110");
        const auto vorher = u.stand();
        FormExtras f(*u.api);
        f.show();
        f.Text3->clear();
        typeText(f.Text3, ziel);
        if (!antwort.isEmpty()) u.boxen().answers << Dialogs::Answer::No;
        pressEnter(f.Combo1); // Enter in the list saves
        if (meldung.isEmpty())
            QCOMPARE(u.boxen().shown.size(), 1);
        else
            QCOMPARE(u.boxen().lastText(), meldung);
        QVERIFY(f.isVisible());
        QCOMPARE(u.stand(), vorher);
    }

    void spekulationsfrist() {
        Umgebung u;
        u.api->addPaket("Alpha", 10, "100", "5", "110");
        FormExtras f(*u.api);
        f.vorbereiten(FormExtras::Spekufrist, true, "Spekulationsfrist");
        f.show();
        QCOMPARE(f.Text5->text(), QStringLiteral("12")); // the new database's period
        QCOMPARE(f.focusWidget(), f.Text5);
        f.Text5->clear();
        QVERIFY(!f.Command4->isEnabled());
        typeText(f.Text5, "a0,7");
        QCOMPARE(f.Text5->text(), QStringLiteral("07"));
        typeText(f.Text5, "1");
        QCOMPARE(f.Text5->text(), QStringLiteral("07")); // two digits at most
        f.Text5->clear();
        typeText(f.Text5, "0");
        f.Command4->click();
        QCOMPARE(u.boxen().lastText(),
                 QStringLiteral("Möchten Sie die Spekulationsfrist jetzt speichern?"));
        QCOMPARE(u.zeile("SELECT spekufrist FROM kennwort").value(0).toLongLong(), qint64(0));
    }

    void passwortFelder() {
        Umgebung u;
        u.api->modul().PasswortAktuell = QStringLiteral("alt");
        FormExtras f(*u.api);
        f.vorbereiten(FormExtras::Passwort, true, "Passwort");
        f.show();
        QCOMPARE(f.Text1->text(), QStringLiteral("alt"));
        QCOMPARE(f.Text2->text(), QStringLiteral("alt"));
        QCOMPARE(f.focusWidget(), f.Text1);
        QCOMPARE(f.Text1->echoMode(), QLineEdit::Password);
        QCOMPARE(f.Text2->displayText(), QStringLiteral("***"));
        QCOMPARE(f.Text1->maxLength(), 8);
        f.Check1->click();
        QCOMPARE(f.Text2->echoMode(), QLineEdit::Normal);
        f.Check1->click();
        QCOMPARE(f.Text2->echoMode(), QLineEdit::Password);

        f.Command7->click();
        QVERIFY(f.Text1->text().isEmpty() && f.Text2->text().isEmpty());
        QVERIFY(!f.Command5->isEnabled());
        QVERIFY(!f.Command6->isEnabled());
        typeText(f.Text1, "neu");
        QVERIFY(!f.Command5->isEnabled());
        pressEnter(f.Text1);
        QCOMPARE(f.focusWidget(), f.Text2);
        typeText(f.Text2, "neX");
        QVERIFY(f.Command5->isEnabled() && f.Command6->isEnabled());
        pressEnter(f.Text2);
        QCOMPARE(u.boxen().lastText(),
                 QStringLiteral("Ihre beiden Eingaben sind nicht identisch!"));
        QVERIFY(f.Text1->text().isEmpty() && f.Text2->text().isEmpty());
        QCOMPARE(f.focusWidget(), f.Text1);
        pressEnter(f.Text2);
        QCOMPARE(u.boxen().lastText(),
                 QStringLiteral("Sie müssen zuerst das Passwort zweimal eingeben!"));
        QCOMPARE(u.zeile("SELECT passwort FROM kennwort").value(0).toString(), Passwort::keines());
    }

    void passwortSpeichernUndLoeschen_data() {
        QTest::addColumn<bool>("loeschen");
        QTest::addColumn<QString>("frage");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("gespeichert");
        QTest::newRow("speichern") << false << "Möchten Sie das Passwort jetzt speichern?"
                                   << int(Dialogs::Icon::Question) << "*e4*nGe2";
        QTest::newRow("löschen") << true << "Möchten Sie das Passwort jetzt löschen?"
                                 << int(Dialogs::Icon::Stop) << "********";
    }
    void passwortSpeichernUndLoeschen() {
        QFETCH(bool, loeschen);
        QFETCH(QString, frage);
        QFETCH(int, icon);
        QFETCH(QString, gespeichert);
        for (const auto antwort : {Dialogs::Answer::No, Dialogs::Answer::Yes}) {
            Umgebung u;
            u.db().exec("UPDATE kennwort SET passwort = ?", {Passwort::speicherform("alt")});
            u.api->modul().PasswortAktuell = QStringLiteral("alt");
            FormExtras f(*u.api);
            f.vorbereiten(FormExtras::Passwort, true, "Passwort");
            f.show();
            f.Command7->click();
            typeText(f.Text1, "Gen4e2");
            typeText(f.Text2, "Gen4e2");
            u.boxen().answers << antwort;
            (loeschen ? f.Command6 : f.Command5)->click();
            QCOMPARE(u.boxen().lastText(), frage);
            QCOMPARE(int(u.boxen().shown.last().icon), icon);
            const bool ja = antwort == Dialogs::Answer::Yes;
            QCOMPARE(u.zeile("SELECT passwort FROM kennwort").value(0).toString(),
                     ja ? gespeichert : Passwort::speicherform("alt"));
            QCOMPARE(u.api->modul().PasswortAktuell,
                     ja ? (loeschen ? QString() : QStringLiteral("Gen4e2"))
                        : QStringLiteral("alt"));
            QCOMPARE(f.isVisible(), !ja);
        }
    }

    // The check box: there and back between the program's key and one from
    // the password; the second question warns before the file is encrypted.
    void dateiVerschluesseln_data() {
        QTest::addColumn<QString>("vorher"); ///< the password the file has, "" = program's key
        QTest::addColumn<QString>("aktion"); ///< speichern, löschen
        QTest::addColumn<bool>("haken");
        QTest::addColumn<QString>("neu");
        QTest::addColumn<QList<Dialogs::Answer>>("antworten");
        QTest::addColumn<QString>("nachher"); ///< the file's password afterwards
        using A = Dialogs::Answer;
        QTest::newRow("ankreuzen, Warnung verneint")
            << "" << "speichern" << true << "Gen4e2" << QList<A>{A::Yes, A::No} << "";
        QTest::newRow("ankreuzen und verschlüsseln")
            << "" << "speichern" << true << "Gen4e2" << QList<A>{A::Yes, A::Yes} << "Gen4e2";
        QTest::newRow("anderes Passwort")
            << "alt" << "speichern" << true << "Gen4e2" << QList<A>{A::Yes, A::Yes} << "Gen4e2";
        QTest::newRow("Haken entfernt") << "alt" << "speichern" << false << "Gen4e2"
                                        << QList<A>{A::Yes} << "";
        QTest::newRow("gelöscht") << "alt" << "löschen" << true << "alt" << QList<A>{A::Yes}
                                  << "";
    }
    void dateiVerschluesseln() {
        QFETCH(QString, vorher);
        QFETCH(QString, aktion);
        QFETCH(bool, haken);
        QFETCH(QString, neu);
        QFETCH(QList<Dialogs::Answer>, antworten);
        QFETCH(QString, nachher);
        Umgebung u;
        const QString pfad = u.dir.dbPath();
        u.api->addPaket(QStringLiteral("Alpha"), 10, "20", "5", "21");
        if (!vorher.isEmpty()) {
            QVERIFY(u.api->ohneDatensaetze([&] {
                return Verschluesselung::umschluesseln(u.db(), vorher,
                                                       Passwort::speicherform(vorher), 1000)
                    .ok;
            }));
            u.api->modul().PasswortAktuell = vorher;
        }
        FormExtras f(*u.api);
        f.vorbereiten(FormExtras::Passwort, true, "Passwort");
        f.show();
        QCOMPARE(f.DateiVerschluesseln->isChecked(), !vorher.isEmpty());
        QCOMPARE(f.DateiVerschluesseln->accessibleName(), f.DateiVerschluesseln->text());
        // Tab goes from the plain-text box to this one, then to the buttons.
        f.Command7->click();
        typeText(f.Text1, neu);
        typeText(f.Text2, neu);
        f.Check1->setFocus();
        QTest::keyClick(f.Check1, Qt::Key_Tab);
        QCOMPARE(f.focusWidget(), f.DateiVerschluesseln);
        QTest::keyClick(f.DateiVerschluesseln, Qt::Key_Tab);
        QCOMPARE(f.focusWidget(), f.Command5);

        f.DateiVerschluesseln->setChecked(haken);
        u.boxen().answers = antworten;
        (aktion == QStringLiteral("löschen") ? f.Command6 : f.Command5)->click();
        QStringList texte;
        for (const auto& b : u.boxen().shown)
            texte << b.text;
        QVERIFY2(u.boxen().shown.size() == antworten.size(), qPrintable(texte.join(" | ")));
        if (haken && aktion == QLatin1String("speichern")) {
            QVERIFY(u.boxen().lastText().contains(
                QStringLiteral("Ohne das Passwort kann sie danach von niemandem mehr geöffnet "
                               "werden.")));
            QCOMPARE(u.boxen().shown.last().icon, Dialogs::Icon::Exclamation);
        }
        const bool fertig = antworten.last() == Dialogs::Answer::Yes;
        QCOMPARE(f.isVisible(), !fertig);
        QCOMPARE(Verschluesselung::mitPasswort(u.db()), !nachher.isEmpty());
        QCOMPARE(Verschluesselung::hatMarke(pfad), !nachher.isEmpty());
        // The main window's record sets read the new file.
        QCOMPARE(u.api->Daten1().recordCount(), 1);
        const QString gespeichert = u.zeile("SELECT passwort FROM kennwort").value(0).toString();
        if (fertig)
            QCOMPARE(gespeichert, aktion == QStringLiteral("löschen") ? Passwort::keines()
                                                                     : Passwort::speicherform(neu));
        u.db().close();
        Database probe;
        if (nachher.isEmpty()) {
            QCOMPARE(probe.open(pfad), Database::Status::Ok);
        } else {
            QCOMPARE(probe.open(pfad), Database::Status::WrongKey);
            QCOMPARE(Verschluesselung::oeffnen(probe, pfad, nachher).status,
                     Database::Status::Ok);
        }
    }

    void loeschenOhnePasswort() {
        Umgebung u;
        FormExtras f(*u.api);
        f.show();
        QVERIFY(!f.Command5->isEnabled());
        QVERIFY(!f.Command6->isEnabled());
        typeText(f.Text1, "x");
        typeText(f.Text2, "x");
        f.Command6->click();
        QCOMPARE(u.boxen().shown.size(), 1);
        QCOMPARE(u.boxen().lastText(), QStringLiteral("Es ist kein Passwort gespeichert!"));
        QVERIFY(f.isVisible());
    }

    // Factor 10 on 15 pieces at 120, quote 130: every package of the name and
    // its history once; packages of other names untouched.
    void split() {
        Umgebung u;
        const Bookmark a1 = u.api->addPaket("Alpha", 15, "120", "5", "130");
        const Bookmark b = u.api->addPaket("Beta", 7, "10", "1", "11");
        const Bookmark a2 = u.api->addPaket("Alpha ", 3, "90", "2", "130");
        u.db().exec("UPDATE Aktiendaten SET altkurs = ?, kursziel = 140, stopkurs = 100.04"
                    " WHERE _nr = ?",
                    {eur("125"), qlonglong(a1)});
        u.kurs("Alpha", "100,04");
        u.kurs(" Alpha", "130");
        u.kurs("Beta", "10");
        u.api->Daten1().requery();
        u.api->Daten1().setBookmark(b);
        u.api->modul().lesezeichen = b;
        const int summen = u.api->summenCalls;

        FormExtras f(*u.api);
        f.vorbereiten(FormExtras::Split, true, "Aktiensplit");
        f.show();
        QCOMPARE(f.Label9->text(), QStringLiteral("Beta"));
        f.Combo2->setCurrentIndex(0);
        emit f.Combo2->activated(0);
        QCOMPARE(f.Label9->text(), QStringLiteral("Alpha"));
        QVERIFY(!f.Command2->isEnabled());
        typeText(f.Text6, "10");
        f.Command2->click();

        QCOMPARE(u.boxen().shown.size(), 2);
        QCOMPARE(u.boxen().shown[0].text,
                 QStringLiteral("Möchten Sie diesen Aktiensplit jetzt durchführen?\n\n"
                                "(Der Aktiensplit kann nicht rückgängig gemacht werden!)"));
        QCOMPARE(u.boxen().shown[1].text,
                 QStringLiteral("Der Aktiensplit wurde erfolgreich durchgeführt!"));
        QCOMPARE(u.boxen().shown[1].icon, Dialogs::Icon::Exclamation);
        const auto p = [&](Bookmark nr) {
            return u.zeile(
                "SELECT \"stück\", kaufpreis, tageskurs, altkurs, \"gebühren\", kursziel,"
                " stopkurs FROM Aktiendaten WHERE _nr = ?",
                {qlonglong(nr)});
        };
        // Target and stop price are divided as the prices are: 10,004 → 10,00.
        QCOMPARE(p(a1),
                 (QVariantList{150, eur("12"), eur("13"), eur("12,5"), eur("5"), 14.0, 10.0}));
        QCOMPARE(p(a2), (QVariantList{30, eur("9"), eur("13"), 0, eur("2"), 0.0, 0.0}));
        QCOMPARE(p(b), (QVariantList{7, eur("10"), eur("11"), 0, eur("1"), 0.0, 0.0}));
        QCOMPARE(u.db().rows("SELECT kurs FROM kurse ORDER BY _nr"),
                 (QList<QVariantList>{{eur("10")}, {eur("13")}, {eur("10")}}));
        QVERIFY(u.api->summenCalls > summen);
        QCOMPARE(u.api->uebersichtCalls, 1);
        QCOMPARE(u.api->Daten1().bookmark(), a1);
        QCOMPARE(u.api->Daten1().integer("stück"), qint64(150)); // re-read
    }

    void splitAbgelehnt_data() {
        QTest::addColumn<int>("stueck");
        QTest::addColumn<QString>("faktor");
        QTest::addColumn<QString>("meldung");
        const QString grenze =
            QStringLiteral("Der Aktiensplit ist nicht möglich: Die neue Stückzahl wäre zu groß!\n"
                           "Erlaubt sind höchstens 999.999.999 Stück.");
        const QString null = QStringLiteral(
            "Der Aktiensplit ist nicht möglich: Die neue Stückzahl wäre kleiner als 1!");
        const QString faktor =
            QStringLiteral("Bitte geben Sie als Splitfaktor eine Zahl größer als 0 ein!");
        QTest::newRow("Faktor 0") << 10 << "0" << faktor;
        QTest::newRow("Faktor nur Komma") << 10 << "," << faktor;
        // More than the edit window could save again.
        QTest::newRow("über der Grenze") << 500000000 << "3" << grenze;
        QTest::newRow("fällt auf 0") << 1 << "0,1" << null;
    }
    void splitAbgelehnt() {
        QFETCH(int, stueck);
        QFETCH(QString, faktor);
        QFETCH(QString, meldung);
        Umgebung u;
        u.api->addPaket("Alpha", 5, "120", "5", "130");
        u.api->addPaket("Alpha", stueck, "120", "5", "130");
        u.kurs("Alpha", "100");
        const auto vorher = u.stand();
        FormExtras f(*u.api);
        f.show();
        typeText(f.Text6, faktor);
        f.Command2->click();
        QCOMPARE(u.boxen().shown.size(), 1); // no question
        QCOMPARE(u.boxen().lastText(), meldung);
        QCOMPARE(u.stand(), vorher);
    }

    // 10 @ 100 (fees 5) + 30 @ 120 (fees 7,5) → 40 @ 115, fees 12,5; notes
    // joined, dividends summed, target and stop price the last set ones, the
    // rest from the last package.
    void buendeln() {
        Umgebung u;
        const Bookmark a = u.api->addPaket("Alpha", 10, "100", "5", "118");
        const Bookmark x = u.api->addPaket("Anders", 4, "10", "1", "10");
        const Bookmark c = u.api->addPaket("Alpha neu", 30, "120", "7,5", "121", QDate(2024, 2, 1));
        u.db().exec("UPDATE Aktiendaten SET \"WP-KNummer\" = '999' WHERE _nr = ?", {qlonglong(x)});
        u.db().exec("UPDATE Aktiendaten SET notizen = ?, dividende = ?, kursziel = 130,"
                    " stopkurs = 90 WHERE _nr = ?",
                    {Rtf::plainToRtf("Erstkauf"), eur("3"), qlonglong(a)});
        u.db().exec("UPDATE Aktiendaten SET notizen = ?, dividende = ?, kursziel = 150,"
                    " stopkurs = 0, altkurs = ? WHERE _nr = ?",
                    {Rtf::plainToRtf("Nachkauf"), eur("1,25"), eur("119"), qlonglong(c)});
        u.api->Daten1().requery();
        u.api->Daten1().setBookmark(a);
        u.api->modul().lesezeichen = a;

        FormExtras f(*u.api);
        f.vorbereiten(FormExtras::Pakete, true, "Aktienpakete bündeln");
        f.show();
        QVERIFY(!f.Command8->isEnabled());
        f.DBCombo1->setCurrentIndex(0);
        emit f.DBCombo1->activated(0);
        QCOMPARE(f.Label11->text(), QStringLiteral("123456"));
        QVERIFY(f.Command8->isEnabled());
        f.Command8->click();

        QCOMPARE(u.boxen().shown.size(), 2);
        QCOMPARE(u.boxen().shown[0].text,
                 QStringLiteral("Von dieser Aktie sind  2  Pakete vorhanden.\nMöchten Sie diese "
                                "Aktienpakete jetzt zu einem Paket zusammenfassen?\n\nACHTUNG: "
                                "Dieser Vorgang kann nicht rückgängig gemacht werden !       "));
        QCOMPARE(
            u.boxen().shown[1].text,
            QStringLiteral("Die Zusammenfassung der Aktienpakete wurde erfolgreich durchgeführt!"));
        QCOMPARE(u.zahl("SELECT count(*) FROM Aktiendaten"), qint64(2));
        const auto n = u.zeile("SELECT _nr, aktie, \"WP-KNummer\", \"stück\", kaufpreis,"
                               " \"gebühren\", tageskurs, altkurs, kaufdatum, datum, kursziel,"
                               " stopkurs, dividende, notizen FROM Aktiendaten WHERE _nr > ?",
                               {qlonglong(c)});
        QCOMPARE(n.mid(1, 12),
                 (QVariantList{"Alpha neu", "123456", 40, eur("115"), eur("12,5"), eur("121"),
                               eur("119"), "2024-02-01", "2024-02-01", 150.0, 90.0, eur("4,25")}));
        QCOMPARE(Rtf::toPlainText(n.value(13).toString()), QStringLiteral("Erstkauf\n\nNachkauf"));
        // The saved package is gone: the main window goes to the merged one.
        QCOMPARE(u.api->modul().lesezeichen, n.value(0).toLongLong());
        QCOMPARE(u.api->Daten1().bookmark(), n.value(0).toLongLong());
        QCOMPARE(u.api->zaehlenCalls, 2);
        QCOMPARE(u.api->uebersichtCalls, 1);
        QCOMPARE(u.api->paketeBeiBefehlen, 2);
        QVERIFY(!f.Command8->isEnabled());
        QCOMPARE(f.DBCombo1->count(), 2);
        QCOMPARE(f.Combo1->count(), 2);
    }

    void buendelnAbgelehnt_data() {
        QTest::addColumn<int>("stueck");
        QTest::addColumn<QString>("nummer"); // of the second package
        QTest::addColumn<QString>("meldung");
        QTest::newRow("nur ein Paket") << 5 << "777"
                                       << "Von dieser Aktie ist nur 1 Paket vorhanden!";
        QTest::newRow("über der Grenze")
            << 999999996 << "123456"
            << "Die Aktienpakete können nicht zusammengefasst werden: Die neue Stückzahl wäre zu "
               "groß!\nErlaubt sind höchstens 999.999.999 Stück.";
    }
    void buendelnAbgelehnt() {
        QFETCH(int, stueck);
        QFETCH(QString, nummer);
        QFETCH(QString, meldung);
        Umgebung u;
        u.api->addPaket("Alpha", 5, "100", "5", "118");
        const Bookmark b = u.api->addPaket("Alpha", stueck, "100", "5", "118");
        u.db().exec("UPDATE Aktiendaten SET \"WP-KNummer\" = ? WHERE _nr = ?",
                    {nummer, qlonglong(b)});
        u.api->Daten1().requery();
        const auto vorher = u.stand();
        FormExtras f(*u.api);
        f.show();
        f.DBCombo1->setCurrentIndex(0);
        emit f.DBCombo1->activated(0);
        f.Command8->click();
        QCOMPARE(u.boxen().shown.size(), 1);
        QCOMPARE(u.boxen().lastText(), meldung);
        QCOMPARE(u.stand(), vorher);
    }

    // A failure between the writes leaves the tables as they were.
    void allesOderNichts_data() {
        QTest::addColumn<bool>("split");
        QTest::addColumn<int>("schritt");
        QTest::newRow("Split nach dem ersten Paket") << true << 1;
        QTest::newRow("Split nach dem zweiten Paket") << true << 2;
        QTest::newRow("Split nach der Historie") << true << 3;
        QTest::newRow("Bündeln nach dem Löschen") << false << 1;
        QTest::newRow("Bündeln nach dem neuen Paket") << false << 2;
    }
    void allesOderNichts() {
        QFETCH(bool, split);
        QFETCH(int, schritt);
        Umgebung u;
        u.api->addPaket("Alpha", 5, "100", "5", "118");
        u.api->addPaket("Alpha", 7, "100", "5", "118");
        u.kurs("Alpha", "100");
        const auto vorher = u.stand();
        const auto abbruch = [schritt](int s) {
            if (s == schritt) throw std::runtime_error("Abbruch");
        };
        QVERIFY_THROWS_EXCEPTION(
            std::runtime_error,
            split ? Korrekturen::splitDurchfuehren(u.db(), "Alpha", Currency::fromWhole(2), abbruch)
                  : Korrekturen::buendeln(u.db(), "123456", abbruch));
        QCOMPARE(u.stand(), vorher);
        // And the database is usable afterwards.
        QVERIFY(Korrekturen::splitDurchfuehren(u.db(), "Alpha", Currency::fromWhole(2)).ok);
    }
};

QTEST_MAIN(TestFormExtras)
#include "tst_formextras.moc"
