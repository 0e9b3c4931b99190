// The realised-gains window: opening, unit switch, sum and caret.

#include "core/Numbers.h"
#include "db/Recordset.h"
#include "support/FakeMainWindow.h"
#include "support/TestUtil.h"
#include "transactions/BefehleKonto.h"
#include "transactions/Festbreitenansicht.h"
#include "transactions/Realgewinnform.h"

#include <QPushButton>
#include <QScrollBar>
#include <QtTest>
#include <memory>

namespace {
struct Umgebung {
    TempProgramDir dir{false, QDate(2024, 3, 15)};
    std::unique_ptr<FakeMainWindow> api;
    Umgebung() { api = std::make_unique<FakeMainWindow>(dir.dbPath()); }
};
} // namespace

class TstRealgewinnform final : public QObject {
    Q_OBJECT
private slots:
    void leeresKontoOeffnetNicht();
    void einheitUndSaldo();
};

void TstRealgewinnform::leeresKontoOeffnetNicht() {
    Umgebung u;
    bool geoeffnet = false;
    menuGewinne(*u.api, [&](QDialog&) {
        geoeffnet = true;
        return 0;
    });
    QVERIFY(!geoeffnet);
    QCOMPARE(u.api->scripted().lastText(), QStringLiteral("Es sind noch keine Werte gespeichert!"));
    QCOMPARE(u.api->scripted().shown.first().icon, Dialogs::Icon::Exclamation);

    u.api->addBuchung(QDate(2024, 1, 1), QStringLiteral("E"), QStringLiteral("1"));
    menuGewinne(*u.api, [&](QDialog& w) {
        geoeffnet = w.windowTitle() == QLatin1String("Realisierte Gewinne / Verluste / Dividenden");
        return 0;
    });
    QVERIFY(geoeffnet);
}

void TstRealgewinnform::einheitUndSaldo() {
    Umgebung u;
    for (int i = 0; i < 200; ++i)
        u.api->addBuchung(QDate(2024, 1, 1).addDays(200 - i), QStringLiteral("Zins %1").arg(i),
                          QStringLiteral("0,01"));
    u.api->addBuchung(QDate(2023, 1, 2), QStringLiteral("Kauf 100 Stück X"),
                      QStringLiteral("-1975,19"));
    Realgewinnform w(*u.api);
    w.resize(600, 400);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    Festbreitenansicht* t = w.aufstellung();

    QCOMPARE(w.einheitAnzeige(), QStringLiteral("DM"));
    QCOMPARE(w.saldoText(), QStringLiteral("-1973,19"));
    // Rows in order of entry, not by date; the caret after the last one.
    QVERIFY(t->zeile(0).startsWith(QStringLiteral(" 19.07.2024  Zins 0 ")));
    QCOMPARE(t->zeile(200), QStringLiteral(" 02.01.2023  Kauf 100 Stück X           -1975,19"));
    QCOMPARE(t->caretZeile(), t->zeilenAnzahl() - 1);
    QVERIFY(t->verticalScrollBar()->maximum() > 0);
    QCOMPARE(t->verticalScrollBar()->value(), t->verticalScrollBar()->maximum());

    // In Euro each 0,01 DM shows as 0,01 and the sum adds what is shown.
    w.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    QCOMPARE(w.einheitAnzeige(), QStringLiteral("Euro"));
    QCOMPARE(t->zeile(200), QStringLiteral(" 02.01.2023  Kauf 100 Stück X           -1009,90"));
    QCOMPARE(w.saldoText(), QStringLiteral("-1007,90"));
    QCOMPARE(t->verticalScrollBar()->value(), t->verticalScrollBar()->maximum());

    w.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    QCOMPARE(w.saldoText(), QStringLiteral("-1973,19"));
    QVERIFY(QFontInfo(t->font()).fixedPitch());
}

QTEST_MAIN(TstRealgewinnform)
#include "tst_realgewinnform.moc"
