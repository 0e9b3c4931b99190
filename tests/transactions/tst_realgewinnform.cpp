// The realised-gains window: opening, unit switch, sum and caret.

#include "core/Numbers.h"
#include "db/Recordset.h"
#include "support/FakeMainWindow.h"
#include "support/TestUtil.h"
#include "transactions/BefehleKonto.h"
#include "transactions/Festbreitenansicht.h"
#include "transactions/KontoOperationen.h"
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
    void ausDemKontoWieAusDerListe();
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
    // Enter in the statement switches nothing.
    t->setFocus();
    pressEnter(t);
    QCOMPARE(w.einheitAnzeige(), QStringLiteral("DM"));
    QVERIFY(QFontInfo(t->font()).fixedPitch());
}

void TstRealgewinnform::ausDemKontoWieAusDerListe() {
    // The statement is written straight from the stored rows: dates, texts
    // beyond ASCII, empty rows and huge amounts come out as the bookings do.
    Umgebung u;
    Database& db = u.api->database();
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    const QString lang = QStringLiteral("€") + emoji + QStringLiteral(" 12345678901234567890") +
                         emoji + QStringLiteral(" Rest");
    const QString bom = QChar(0xFEFF) + QStringLiteral("mit BOM");
    const QList<QVariantList> zeilen{
        {QStringLiteral("2024-01-02"), QStringLiteral("Einzahlung"), 50000000},
        {QStringLiteral("2024-02-29"), QStringLiteral("Kauf 100 Stück Ölwerke Süd AG"), -19751927},
        {QStringLiteral("2024-02-30"), QStringLiteral("kein gültiges Datum"), 5},
        {QStringLiteral("1.2.2024"), QStringLiteral("Datum in anderer Form"), -49999},
        {QVariant(), QVariant(), QVariant()},
        {QStringLiteral("2024-03-01"), lang, Q_INT64_C(4611686018427387904)},
        {QStringLiteral("2024-03-02"), bom, -1},
        // Plain letters where the line cuts the text, other ones behind or at the cut.
        {QStringLiteral("2024-03-03"), QStringLiteral("Kauf 100 Stueck Nordche Ölwerke Süd"), 7},
        {QStringLiteral("2024-03-04"), QStringLiteral("Kauf 100 Stueck Nordchem") + emoji, 8},
        {QStringLiteral("2024-03-05"), QStringLiteral("Kauf 100 Stueck Nordche") + emoji, 9}};
    for (const QVariantList& z : zeilen)
        QVERIFY(db.exec(QStringLiteral("INSERT INTO Gewinne (datum, text, summe) VALUES (?, ?, ?)"),
                        z));
    const QList<Buchung> erwartet{
        {QDate(2024, 1, 2), QStringLiteral("Einzahlung"), Currency::fromRaw(50000000)},
        {QDate(2024, 2, 29), QStringLiteral("Kauf 100 Stück Ölwerke Süd AG"),
         Currency::fromRaw(-19751927)},
        {QDate(), QStringLiteral("kein gültiges Datum"), Currency::fromRaw(5)},
        // Read as the account window's list reads it.
        {QDate(2024, 2, 1), QStringLiteral("Datum in anderer Form"), Currency::fromRaw(-49999)},
        {QDate(), QString(), Currency()},
        {QDate(2024, 3, 1), lang, Currency::fromRaw(Q_INT64_C(4611686018427387904))},
        {QDate(2024, 3, 2), bom, Currency::fromRaw(-1)},
        {QDate(2024, 3, 3), QStringLiteral("Kauf 100 Stueck Nordche Ölwerke Süd"),
         Currency::fromRaw(7)},
        {QDate(2024, 3, 4), QStringLiteral("Kauf 100 Stueck Nordchem") + emoji,
         Currency::fromRaw(8)},
        {QDate(2024, 3, 5), QStringLiteral("Kauf 100 Stueck Nordche") + emoji,
         Currency::fromRaw(9)}};
    for (Einheit e : {Einheit::DM, Einheit::Euro}) {
        const Realgewinn soll = realgewinnAufstellung(erwartet, e);
        const Realgewinn ist = Konto::realgewinnAusDemKonto(db, e);
        QCOMPARE(ist.text, soll.text);
        QCOMPARE(ist.saldo, soll.saldo);
        QCOMPARE(realgewinnAufstellung(Konto::buchungenInEingabeReihenfolge(db), e).text,
                 soll.text);
    }
}

QTEST_MAIN(TstRealgewinnform)
#include "tst_realgewinnform.moc"
