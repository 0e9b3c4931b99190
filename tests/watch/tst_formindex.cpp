// The stock-index window: first value into an empty table, reading the typed
// value, renaming the last row, the questions, and closing.

#include "db/Database.h"
#include "platform/HoverButton.h"
#include "platform/HoverReset.h"
#include "platform/NumericField.h"
#include "support/FakeMainWindow.h"
#include "support/TestUtil.h"
#include "watch/BefehleBeobachten.h"
#include "watch/FormIndex.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
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
    void index(const QString& name, double zahl, const QDate& datum) {
        db().exec(QStringLiteral("INSERT INTO Indexkurse (indexname, indexzahl, datum) "
                                 "VALUES (?, ?, ?)"),
                  {name, zahl, datum});
    }
    QList<QVariantList> zeilen() {
        return db().rows(
            QStringLiteral("SELECT indexname, indexzahl, datum FROM Indexkurse ORDER BY _nr"));
    }
};

QColor grund(QWidget* w) {
    return w->palette().color(QPalette::Base);
}

} // namespace

class TstFormIndex final : public QObject {
    Q_OBJECT
private slots:
    void leereTabelleBereitFuerErstenWert() {
        Umgebung u;
        FormIndex f(*u.mw);
        f.show();
        QCOMPARE(f.Label2->text(), QStringLiteral("Aktienindex "));
        QCOMPARE(f.Label3->text(), QStringLiteral("Kein Indexwert vorhanden"));
        QCOMPARE(f.Label1->text(), QStringLiteral("0.00"));
        QVERIFY(f.Text2->text().isEmpty());
        QVERIFY(!f.Text2->isReadOnly());
        QVERIFY(f.Text1->isEnabled());
        QVERIFY(f.DTPicker1->isEnabled());
        QCOMPARE(grund(f.Text1), QColor(Qt::white));
        QVERIFY(!f.Schalter3->isEnabled());
        QVERIFY(!f.Command2->isEnabled());

        // The first name and value in one go; Enter in the value field saves.
        typeText(f.Text2, QStringLiteral("Leitindex"));
        QVERIFY(f.Command2->isEnabled());
        typeText(f.Text1, QStringLiteral("4711,25"));
        QVERIFY(f.Schalter3->isEnabled());
        pressEnter(f.Text1);
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QCOMPARE(u.dialoge().lastText(),
                 QStringLiteral("Möchten Sie den Indexwert jetzt speichern?"));
        QCOMPARE(u.dialoge().shown.last().icon, Dialogs::Icon::Question);
        const auto z = u.zeilen();
        QCOMPARE(z.size(), 1);
        QCOMPARE(z[0][0].toString(), QStringLiteral("Leitindex"));
        QCOMPARE(z[0][1].toDouble(), 4711.25);
        QCOMPARE(z[0][2].toString(), QStringLiteral("2024-03-15"));
        QCOMPARE(u.mw->Daten4().recordCount(), 1);
    }

    void letzterStandUndNeuerWert() {
        Umgebung u;
        u.index(QStringLiteral("Alt"), 3999.5, QDate(2024, 3, 1));
        u.index(QStringLiteral("DAX"), 4321.456, QDate(2024, 3, 14));
        FormIndex f(*u.mw);
        f.show();
        QCOMPARE(f.Label3->text(), QStringLiteral("Letzter Stand vom 14.03.2024"));
        QCOMPARE(f.Label1->text(), QStringLiteral("4321,46"));
        QCOMPARE(f.Text2->text(), QStringLiteral("DAX"));
        QVERIFY(f.Text2->isReadOnly());
        QVERIFY(!f.Text1->isEnabled());
        QVERIFY(!f.DTPicker1->isEnabled());
        QCOMPARE(grund(f.Text1), QColor(0xC0, 0xC0, 0xC0));

        f.DTPicker1->setDate(QDate(2020, 1, 1));
        f.Schalter2->click();
        QVERIFY(f.Text1->isEnabled());
        QVERIFY(f.DTPicker1->isEnabled());
        QCOMPARE(f.DTPicker1->date(), Heute);
        QCOMPARE(grund(f.Text1), QColor(Qt::white));
        // Only digits and the two separators get in.
        typeText(f.Text1, QStringLiteral("a-4x4+0"));
        QCOMPARE(f.Text1->text(), QStringLiteral("440"));
        f.DTPicker1->setDate(QDate(2024, 3, 15));
        f.Schalter3->click();
        QCOMPARE(u.zeilen().size(), 3);
        QCOMPARE(u.zeilen()[2][0].toString(), QStringLiteral("DAX"));
        QCOMPARE(u.zeilen()[2][1].toDouble(), 440.0);
    }

    // Points before a comma are thousands separators, and so are points that
    // each stand before three digits; a text with one kind of separator is
    // otherwise read up to where the number ends.
    void wertLesen_data() {
        QTest::addColumn<QString>("eingabe");
        QTest::addColumn<QString>("angezeigt");
        QTest::addColumn<double>("gespeichert");
        QTest::newRow("Tausenderpunkt und Komma") << "1.234,5"
                                                  << "1234.5" << 1234.5;
        QTest::newRow("zwei Tausenderpunkte") << "1.234.567,89"
                                              << "1234567.89" << 1234567.89;
        QTest::newRow("Komma") << "1234,5"
                               << "1234.5" << 1234.5;
        QTest::newRow("Punkt") << "12.5"
                               << "12.5" << 12.5;
        QTest::newRow("zwei Kommas") << "1,5,3"
                                     << "1.5" << 1.5;
        QTest::newRow("zwei Punkte") << "1.234.5"
                                     << "1.234.5" << 1.234;
        QTest::newRow("nur Nachkommastellen") << ",5"
                                              << ".5" << 0.5;
        QTest::newRow("Tausenderpunkt") << "12.345"
                                        << "12345" << 12345.0;
        QTest::newRow("Tausenderpunkte ohne Komma") << "1.234.567"
                                                    << "1234567" << 1234567.0;
        QTest::newRow("Punkt vor zwei Ziffern") << "12.34"
                                                << "12.34" << 12.34;
        QTest::newRow("Punkt vor vier Ziffern") << "12.3456"
                                                << "12.3456" << 12.3456;
        // Shown with a point, the text would read as thousands: saved after
        // the No, it keeps the value first read.
        QTest::newRow("Komma vor drei Ziffern") << "12,345"
                                                << "12.345" << 12.345;
    }
    void wertLesen() {
        QFETCH(QString, eingabe);
        QFETCH(QString, angezeigt);
        QFETCH(double, gespeichert);
        Umgebung u;
        u.dialoge().answers = {Dialogs::Answer::No, Dialogs::Answer::Yes};
        FormIndex f(*u.mw);
        f.show();
        typeText(f.Text1, eingabe);
        // No keeps the window open with the value as it was read.
        f.Schalter3->click();
        QCOMPARE(f.result(), 0);
        QVERIFY(f.isVisible());
        QCOMPARE(f.Text1->text(), angezeigt);
        QVERIFY(u.zeilen().isEmpty());
        f.Schalter3->click();
        QVERIFY(!f.isVisible());
        QCOMPARE(u.zeilen().size(), 1);
        QCOMPARE(u.zeilen()[0][1].toDouble(), gespeichert);
    }

    void ohneZifferNichtsGespeichert() {
        Umgebung u;
        FormIndex f(*u.mw);
        f.show();
        typeText(f.Text1, QStringLiteral(",."));
        f.Schalter3->click();
        QCOMPARE(u.dialoge().lastText(),
                 QStringLiteral("Bitte geben Sie zuerst den neuen Indexwert ein!"));
        QCOMPARE(u.dialoge().shown.last().icon, Dialogs::Icon::Exclamation);
        QVERIFY(f.isVisible());
        // Enter in the name field with no value at all: the same.
        f.Text1->clear();
        typeText(f.Text2, QStringLiteral("Neu"));
        pressEnter(f.Text2);
        QCOMPARE(u.dialoge().shown.size(), 2);
        QVERIFY(u.zeilen().isEmpty());
        QVERIFY(f.isVisible());
    }

    // Enter in the name field saves a value under the new name; renaming
    // needs "Save", which touches the last row only.
    void neuerNameUndUmbenennen() {
        Umgebung u;
        u.index(QStringLiteral("Erster"), 100, QDate(2024, 1, 1));
        u.index(QStringLiteral("Zweiter"), 110, QDate(2024, 2, 1));
        {
            FormIndex f(*u.mw);
            f.show();
            f.Schalter2->click();
            typeText(f.Text1, QStringLiteral("120"));
            f.Command1->click();
            QVERIFY(!f.Text2->isReadOnly());
            QVERIFY(f.Text2->text().isEmpty());
            QVERIFY(!f.Command2->isEnabled());
            typeText(f.Text2, QStringLiteral("Dritter"));
            pressEnter(f.Text2);
            QVERIFY(!f.isVisible());
        }
        auto z = u.zeilen();
        QCOMPARE(z.size(), 3);
        QCOMPARE(z[1][0].toString(), QStringLiteral("Zweiter"));
        QCOMPARE(z[2][0].toString(), QStringLiteral("Dritter"));
        QCOMPARE(z[2][1].toDouble(), 120.0);

        u.dialoge().answers = {Dialogs::Answer::No, Dialogs::Answer::Yes};
        FormIndex f(*u.mw);
        f.show();
        QCOMPARE(f.Text2->text(), QStringLiteral("Dritter"));
        f.Command1->click();
        typeText(f.Text2, QStringLiteral("Vierter"));
        f.Command2->click();
        QCOMPARE(u.dialoge().lastText(),
                 QStringLiteral("Möchten Sie den Indexnamen jetzt speichern?"));
        QVERIFY(!f.Text2->isReadOnly());
        QCOMPARE(u.zeilen()[2][0].toString(), QStringLiteral("Dritter"));
        f.Command2->click();
        QVERIFY(f.Text2->isReadOnly());
        QVERIFY(f.isVisible());
        z = u.zeilen();
        QCOMPARE(z.size(), 3);
        QCOMPARE(z[0][0].toString(), QStringLiteral("Erster"));
        QCOMPARE(z[1][0].toString(), QStringLiteral("Zweiter"));
        QCOMPARE(z[2][0].toString(), QStringLiteral("Vierter"));
    }

    void umbenennenOhneZeileSagtEsAn() {
        Umgebung u;
        FormIndex f(*u.mw);
        f.show();
        typeText(f.Text2, QStringLiteral("Leitindex"));
        f.Command2->click();
        // Refused at once: no question whose Yes could not be done.
        QCOMPARE(u.dialoge().shown.size(), 1);
        QVERIFY(u.dialoge().lastText().startsWith(
            QStringLiteral("Es ist noch kein Indexwert gespeichert.")));
        QVERIFY(!f.Text2->isReadOnly());
        QVERIFY(u.zeilen().isEmpty());
    }

    // Closing puts the main window on its last changed package; a save on
    // the saved position. The status hint is emptied over the free area.
    void schliessenUndLesezeichen() {
        Umgebung u;
        const Bookmark a = u.mw->addPaket(QStringLiteral("Alpha"), 1, "1", "0", "1");
        const Bookmark b = u.mw->addPaket(QStringLiteral("Beta"), 1, "1", "0", "1");
        u.mw->Daten1().setBookmark(a);
        u.mw->Daten1().edit();
        u.mw->Daten1().setText(QStringLiteral("aktie"), QStringLiteral("Alpha2"));
        QVERIFY(u.mw->Daten1().update());
        u.mw->Daten1().setBookmark(b);
        {
            FormIndex f(*u.mw);
            f.show();
            u.mw->setHinweis(QStringLiteral("Hinweis"));
            f.findChild<HoverReset*>()->resetNow();
            QVERIFY(u.mw->hinweis.isEmpty());
            f.schalter4->click();
            QVERIFY(!f.isVisible());
            QCOMPARE(f.result(), int(QDialog::Rejected));
        }
        QCOMPARE(u.mw->Daten1().bookmark(), a);

        u.mw->modul().lesezeichen = b;
        FormIndex f(*u.mw);
        f.show();
        typeText(f.Text1, QStringLiteral("1"));
        f.Schalter3->click();
        QCOMPARE(u.mw->Daten1().bookmark(), b);
    }

    void menuOeffnetModal() {
        Umgebung u;
        int gezeigt = 0;
        menuIndex(*u.mw, [&](QDialog& d) {
            ++gezeigt;
            auto* f = qobject_cast<FormIndex*>(&d);
            return f && f->parentWidget() == u.mw->window() ? 1 : 0;
        });
        QCOMPARE(gezeigt, 1);
    }

    void keineAutomatischenStandardknoepfe() {
        Umgebung u;
        FormIndex f(*u.mw);
        for (QPushButton* b : f.findChildren<QPushButton*>()) {
            QVERIFY2(!b->autoDefault() && !b->isDefault(), qPrintable(b->objectName()));
            QVERIFY2(!b->accessibleName().isEmpty(), qPrintable(b->objectName()));
        }
        for (QWidget* w : QList<QWidget*>{f.Text1, f.Text2, f.DTPicker1})
            QVERIFY(!w->accessibleName().isEmpty());
    }
};

QTEST_MAIN(TstFormIndex)
#include "tst_formindex.moc"
