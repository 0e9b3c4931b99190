// The account window: booking, balance in DM and Euro, deleting, enabling
// and the view of the newest bookings.

#include "core/Numbers.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/HoverButton.h"
#include "platform/NumericField.h"
#include "platform/RecordsetModel.h"
#include "support/FakeMainWindow.h"
#include "support/TestUtil.h"
#include "transactions/FormDepotKonto.h"

#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QToolButton>
#include <QtTest>
#include <memory>

namespace {

struct Umgebung {
    TempProgramDir dir{false, QDate(2024, 3, 15)};
    std::unique_ptr<FakeMainWindow> api;
    Umgebung() { api = std::make_unique<FakeMainWindow>(dir.dbPath()); }
    Database& db() { return api->database(); }
    int buchungen() { return db().scalar(QStringLiteral("SELECT COUNT(*) FROM Gewinne")).toInt(); }
    QStringList gezeigt() const {
        QStringList t;
        for (const auto& s : api->scripted().shown)
            t << s.text;
        return t;
    }
};

const QString Speichern = QStringLiteral("Möchten Sie diese Daten jetzt speichern?\n\r");

} // namespace

class TstKonto final : public QObject {
    Q_OBJECT
private slots:
    void buchen_data();
    void buchen();
    void leeresKontoUndFreigabe();
    void loeschen_data();
    void loeschen();
    void neuesteBuchungenSichtbar();
    void wenigeBuchungenAlleSichtbar();
};

void TstKonto::buchen_data() {
    QTest::addColumn<QString>("getippt");
    QTest::addColumn<QString>("feld");    // what the field shows
    QTest::addColumn<QString>("gebucht"); // empty = nothing booked
    QTest::addColumn<QString>("dm");
    QTest::addColumn<QString>("euro");
    // Start: 1000,00 DM = 511,29 Euro
    QTest::newRow("Abgang mit Minus") << "-250,5"
                                      << "-250,5"
                                      << "-250,5000"
                                      << "749,50 DM"
                                      << "383,21 Euro";
    QTest::newRow("Punkt wird Komma, auf Pfennige gerundet") << "12.345"
                                                             << "12,345"
                                                             << "12,3500"
                                                             << "1012,35 DM"
                                                             << "517,61 Euro";
    QTest::newRow("Null wird gebucht") << "0"
                                       << "0"
                                       << "0,0000"
                                       << "1000,00 DM"
                                       << "511,29 Euro";
    QTest::newRow("nur ein Minus bucht nichts") << "-"
                                                << "-"
                                                << ""
                                                << "1000,00 DM"
                                                << "511,29 Euro";
}

void TstKonto::buchen() {
    QFETCH(QString, getippt);
    QFETCH(QString, feld);
    QFETCH(QString, gebucht);
    QFETCH(QString, dm);
    QFETCH(QString, euro);
    Umgebung u;
    u.api->addBuchung(QDate(2024, 1, 2), QStringLiteral("Einzahlung"), QStringLiteral("1000"));
    FormDepotKonto w(*u.api);
    w.show();
    QCOMPARE(w.Label5->text(), QStringLiteral("1000,00 DM"));
    QCOMPARE(w.Label11->text(), QStringLiteral("511,29 Euro"));

    w.DTPicker1->setDate(QDate(2024, 3, 10));
    typeText(w.Text2, QStringLiteral("Abhebung"));
    typeText(w.Text1, getippt);
    QCOMPARE(w.Text1->text(), feld);
    pressEnter(w.Text1);

    QVERIFY(w.isVisible());
    QCOMPARE(w.Label5->text(), dm);
    QCOMPARE(w.Label11->text(), euro);
    if (gebucht.isEmpty()) {
        QCOMPARE(u.gezeigt(),
                 QStringList{QStringLiteral("Bitte geben Sie einen gültigen Betrag ein!")});
        QCOMPARE(u.buchungen(), 1);
        QCOMPARE(w.Text1->text(), feld);
        return;
    }
    QCOMPARE(u.gezeigt(), QStringList{Speichern});
    const auto r = u.db().rows(
        QStringLiteral("SELECT datum, text, summe FROM Gewinne ORDER BY _nr DESC LIMIT 1"));
    QCOMPARE(r.first().at(0).toString(), QStringLiteral("2024-03-10"));
    QCOMPARE(r.first().at(1).toString(), QStringLiteral("Abhebung"));
    QCOMPARE(r.first().at(2).toLongLong(), Numbers::parseCurrency(gebucht)->raw());
    // Ready for the next booking, the table shows the new one.
    QVERIFY(w.Text1->text().isEmpty());
    QVERIFY(w.Text2->text().isEmpty());
    QCOMPARE(w.model().rowCount(), 2);
    QCOMPARE(w.Daten1().absolutePosition(), 0);
    QCOMPARE(u.api->modul().Kontostand.format00() + QStringLiteral(" DM"), dm);
}

void TstKonto::leeresKontoUndFreigabe() {
    Umgebung u;
    FormDepotKonto w(*u.api);
    w.show();
    // Opened to book: typing goes into the amount, not into the table.
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.Text1));
    QCOMPARE(w.Label5->text(), QStringLiteral("0,00 DM"));
    QCOMPARE(w.Label11->text(), QStringLiteral("0,00 Euro"));
    QVERIFY(!w.Schalter3->isEnabled());
    QVERIFY(w.Label8->text().isEmpty());

    // Saving needs both fields; Enter does nothing before.
    typeText(w.Text1, QStringLiteral("100"));
    QVERIFY(!w.Schalter2->isEnabled());
    pressEnter(w.Text1);
    QVERIFY(u.api->scripted().shown.isEmpty());
    typeText(w.Text2, QStringLiteral("E"));
    QVERIFY(w.Schalter2->isEnabled());
    w.Schalter2->click();
    QCOMPARE(u.buchungen(), 1);
    QVERIFY(w.Schalter2->isEnabled()); // stays enabled with emptied fields
    QVERIFY(w.Schalter3->isEnabled()); // a booking is selected now
    QCOMPARE(w.Label8->text(), QStringLiteral("15.03.2024"));
    QCOMPARE(w.Label10->text(), QStringLiteral("E"));

    // Deleting the only booking leaves the button enabled with nothing to delete.
    w.Schalter3->click();
    QCOMPARE(u.buchungen(), 0);
    QVERIFY(w.Label8->text().isEmpty());
    const int boxen = u.api->scripted().shown.size();
    w.Schalter3->click();
    QCOMPARE(u.api->scripted().shown.size(), boxen);
    QCOMPARE(w.Label5->text(), QStringLiteral("0,00 DM"));
}

void TstKonto::loeschen_data() {
    QTest::addColumn<bool>("ja");
    QTest::newRow("Ja") << true;
    QTest::newRow("Nein") << false;
}

void TstKonto::loeschen() {
    QFETCH(bool, ja);
    Umgebung u;
    // Entered out of date order: the table and the navigator follow the date,
    // bookings of one date keep the order of entry.
    u.api->addBuchung(QDate(2024, 2, 1), QStringLiteral("B"), QStringLiteral("200"));
    u.api->addBuchung(QDate(2024, 1, 1), QStringLiteral("A"), QStringLiteral("100"));
    u.api->addBuchung(QDate(2024, 2, 1), QStringLiteral("C"), QStringLiteral("-50,25"));
    u.api->scripted().answers = {ja ? Dialogs::Answer::Yes : Dialogs::Answer::No};
    FormDepotKonto w(*u.api);
    w.show();
    QCOMPARE(w.model().data(w.model().index(0, 1)).toString(), QStringLiteral("A"));
    QCOMPARE(w.model().data(w.model().index(2, 1)).toString(), QStringLiteral("C"));
    QCOMPARE(w.Label10->text(), QStringLiteral("A"));
    QVERIFY(w.Schalter3->isEnabled());

    w.navLetzter->click();
    w.navZurueck->click();
    QCOMPARE(w.Label8->text(), QStringLiteral("01.02.2024"));
    QCOMPARE(w.Label9->text(), QStringLiteral("200"));
    QCOMPARE(w.Label10->text(), QStringLiteral("B"));
    w.Schalter3->click();

    QCOMPARE(u.gezeigt(), QStringList{QStringLiteral("Möchten Sie diese Buchung jetzt löschen?")});
    QCOMPARE(u.api->scripted().shown.first().icon, Dialogs::Icon::Question);
    QVERIFY(w.isVisible());
    QCOMPARE(u.buchungen(), ja ? 2 : 3);
    QCOMPARE(w.model().rowCount(), ja ? 2 : 3);
    QCOMPARE(w.Label5->text(), ja ? QStringLiteral("49,75 DM") : QStringLiteral("249,75 DM"));
    QCOMPARE(u.db().scalar(QStringLiteral("SELECT COUNT(*) FROM Gewinne WHERE text = 'B'")).toInt(),
             ja ? 0 : 1);
}

void TstKonto::neuesteBuchungenSichtbar() {
    Umgebung u;
    {
        Transaction t(u.db());
        for (int i = 0; i < 300; ++i)
            u.api->addBuchung(QDate(2020, 1, 1).addDays(i), QStringLiteral("B%1").arg(i),
                              QStringLiteral("1"));
        QVERIFY(t.commit());
    }
    FormDepotKonto w(*u.api);
    w.resize(900, 500);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // The newest booking is the top visible row, and stays it when the window grows.
    QCOMPARE(w.MSFlexGrid1->rowAt(1), 299);
    w.resize(900, 600);
    QCoreApplication::processEvents();
    QCOMPARE(w.MSFlexGrid1->rowAt(1), 299);

    // Also after a booking, which lands last by its date.
    w.MSFlexGrid1->verticalScrollBar()->setValue(0);
    w.DTPicker1->setDate(QDate(2030, 1, 1));
    typeText(w.Text2, QStringLiteral("Neu"));
    typeText(w.Text1, QStringLiteral("5"));
    pressEnter(w.Text1);
    QCOMPARE(w.model().rowCount(), 301);
    QCOMPARE(w.MSFlexGrid1->rowAt(1), 300);
}

void TstKonto::wenigeBuchungenAlleSichtbar() {
    // Nothing to scroll while every booking fits.
    Umgebung u;
    for (int i = 0; i < 3; ++i)
        u.api->addBuchung(QDate(2024, 1, 1).addDays(i), QStringLiteral("B%1").arg(i),
                          QStringLiteral("1"));
    FormDepotKonto w(*u.api);
    w.resize(900, 500);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.MSFlexGrid1->rowAt(1), 0);
}

QTEST_MAIN(TstKonto)
#include "tst_konto.moc"
