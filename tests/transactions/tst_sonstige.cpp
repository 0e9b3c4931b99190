// Other gains, losses and dividends: the amount field, saving by Enter and
// what is stored.

#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/HoverButton.h"
#include "platform/NumericField.h"
#include "support/FakeMainWindow.h"
#include "support/TestUtil.h"
#include "transactions/FormSonstige.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QtTest>
#include <memory>

namespace {
struct Umgebung {
    TempProgramDir dir{false, QDate(2024, 3, 15)};
    std::unique_ptr<FakeMainWindow> api;
    Bookmark a = -1;
    Umgebung() {
        api = std::make_unique<FakeMainWindow>(dir.dbPath());
        a = api->addPaket(QStringLiteral("A"), 1, QStringLiteral("1"), QStringLiteral("0"),
                          QStringLiteral("1"));
        api->addPaket(QStringLiteral("B"), 1, QStringLiteral("1"), QStringLiteral("0"),
                      QStringLiteral("1"));
        api->modul().lesezeichen = a;
    }
    QList<QVariantList> buchungen() {
        return api->database().rows(QStringLiteral("SELECT datum, text, summe FROM Gewinne"));
    }
};
} // namespace

class TstSonstige final : public QObject {
    Q_OBJECT
private slots:
    void speichern_data();
    void speichern();
    void keinMinusUndFreigabe();
};

void TstSonstige::speichern_data() {
    QTest::addColumn<QString>("enterIn");
    QTest::addColumn<QString>("betrag");
    QTest::addColumn<bool>("ja");
    QTest::addColumn<qint64>("summe"); // stored raw, -1 = nothing
    QTest::newRow("Enter im Text, vier Nachkommastellen wie eingegeben")
        << "Text2"
        << "12,3456" << true << Q_INT64_C(123456);
    QTest::newRow("Enter im Betrag, Punkt als Komma") << "Text3"
                                                      << "7.5" << true << Q_INT64_C(75000);
    QTest::newRow("Nein speichert nichts") << "Text3"
                                           << "7" << false << Q_INT64_C(-1);
    QTest::newRow("nur ein Komma") << "Text3"
                                   << "," << true << Q_INT64_C(-1);
}

void TstSonstige::speichern() {
    QFETCH(QString, enterIn);
    QFETCH(QString, betrag);
    QFETCH(bool, ja);
    QFETCH(qint64, summe);
    Umgebung u;
    u.api->scripted().answers = {ja ? Dialogs::Answer::Yes : Dialogs::Answer::No};
    FormSonstige w(*u.api);
    w.show();
    w.DTPicker1->setDate(QDate(2024, 3, 1));
    typeText(w.Text2, QStringLiteral("Dividende Müller"));
    typeText(w.Text3, betrag);
    u.api->Daten1().moveLast();
    pressEnter(enterIn == QLatin1String("Text2") ? static_cast<QWidget*>(w.Text2) : w.Text3);

    const auto rows = u.buchungen();
    if (summe < 0) {
        QVERIFY(rows.isEmpty());
        QVERIFY(w.isVisible());
        QVERIFY(!w.Text3->text().isEmpty());
        return;
    }
    QCOMPARE(u.api->scripted().shown.size(), 1);
    QCOMPARE(u.api->scripted().shown.first().text,
             QStringLiteral("Möchten Sie diese Werte jetzt speichern?\n\r"));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first().at(0).toString(), QStringLiteral("2024-03-01"));
    QCOMPARE(rows.first().at(1).toString(), QStringLiteral("Dividende Müller"));
    QCOMPARE(rows.first().at(2).toLongLong(), summe);
    QVERIFY(!w.isVisible());
    QCOMPARE(u.api->Daten1().bookmark(), u.a);
}

void TstSonstige::keinMinusUndFreigabe() {
    Umgebung u;
    FormSonstige w(*u.api);
    w.show();
    QVERIFY(!w.Schalter3->isEnabled());
    typeText(w.Text3, QStringLiteral("-12,5"));
    QCOMPARE(w.Text3->text(), QStringLiteral("12,5"));
    QVERIFY(!w.Schalter3->isEnabled());
    pressEnter(w.Text3);
    QVERIFY(u.api->scripted().shown.isEmpty());
    typeText(w.Text2, QStringLiteral("Zins"));
    QVERIFY(w.Schalter3->isEnabled());

    w.schalter4->click();
    QVERIFY(!w.isVisible());
    QVERIFY(u.buchungen().isEmpty());
}

QTEST_MAIN(TstSonstige)
#include "tst_sonstige.moc"
