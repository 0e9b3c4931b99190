// The realised-gains statement: column rules, unit switch and the sum.

#include "core/Numbers.h"
#include "core/Realgewinn.h"

#include <QRandomGenerator>
#include <QtTest>
#include <cmath>

namespace {
Currency dm(const char* text) {
    return *Numbers::parseCurrency(QString::fromUtf8(text));
}
} // namespace

class TstRealgewinn final : public QObject {
    Q_OBJECT
private slots:
    void zeile_data();
    void zeile();
    void saldoUndReihenfolge();
    void saldoZuGross();
    void betragWieFormatiert();
};

void TstRealgewinn::zeile_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("summe");
    QTest::addColumn<bool>("euro");
    QTest::addColumn<QString>("erwartet");
    QTest::addColumn<QString>("angezeigt");

    QTest::newRow("kurzer Text, DM")
        << "Einzahlung"
        << "5000" << false << " 02.01.2024  Einzahlung                  5000,00"
        << "5000,00";
    QTest::newRow("Kaufbuchung mit langem Namen wird nach 24 Zeichen abgeschnitten")
        << "Kauf 100 Stück Deutsche Telekom"
        << "-1975,19" << false << " 02.01.2024  Kauf 100 Stück Deutsche    -1975,19"
        << "-1975,19";
    QTest::newRow("genau 24 Zeichen bleiben ganz")
        << "123456789012345678901234"
        << "1" << false << " 02.01.2024  123456789012345678901234       1,00"
        << "1,00";
    QTest::newRow("DM in Euro umgerechnet")
        << "Kauf 100 Stück X"
        << "-1975,19" << true << " 02.01.2024  Kauf 100 Stück X           -1009,90"
        << "-1009,90";
    QTest::newRow("vier Nachkommastellen werden kaufmännisch gerundet")
        << "Rest"
        << "0,005" << false << " 02.01.2024  Rest                           0,01"
        << "0,01";
    QTest::newRow("zu langer Betrag behält seine ersten 11 Zeichen")
        << "Gross"
        << "123456789012,34" << false << " 02.01.2024  Gross                   12345678901"
        << "123456789012,34";
}

void TstRealgewinn::zeile() {
    QFETCH(QString, text);
    QFETCH(QString, summe);
    QFETCH(bool, euro);
    QFETCH(QString, erwartet);
    QFETCH(QString, angezeigt);
    const Buchung b{QDate(2024, 1, 2), text, *Numbers::parseCurrency(summe)};
    Currency betrag;
    const QString z = realgewinnZeile(b, euro ? Einheit::Euro : Einheit::DM, &betrag);
    QCOMPARE(z, erwartet);
    QCOMPARE(z.size(), 48);
    QCOMPARE(betrag.format00(), angezeigt);
}

void TstRealgewinn::saldoUndReihenfolge() {
    // Entered out of date order; the statement keeps the order given.
    const QList<Buchung> buchungen{
        {QDate(2024, 3, 1), QStringLiteral("Einzahlung"), dm("10000")},
        {QDate(2024, 1, 5), QStringLiteral("Kauf 100 Stück X"), dm("-1975,19")},
        {QDate(2024, 2, 9), QStringLiteral("Dividende"), dm("0,01")},
        {QDate(2024, 2, 9), QStringLiteral("Zinsen"), dm("0,01")},
    };
    const Realgewinn inDm = realgewinnAufstellung(buchungen, Einheit::DM);
    const QStringList zeilen = inDm.text.split(QStringLiteral("\r\n"));
    QCOMPARE(zeilen.size(), 5);
    QVERIFY(zeilen.last().isEmpty());
    QVERIFY(zeilen.at(0).startsWith(QStringLiteral(" 01.03.2024  Einzahlung")));
    QVERIFY(zeilen.at(1).startsWith(QStringLiteral(" 05.01.2024  Kauf")));
    QVERIFY(zeilen.at(2).startsWith(QStringLiteral(" 09.02.2024  Dividende")));
    QCOMPARE(inDm.saldo.format00(), QStringLiteral("8024,83"));

    // In Euro the sum is that of the rounded amounts shown:
    // 5112,92 − 1009,90 + 0,01 + 0,01 = 4103,04, while the DM sum ÷ 1.95583
    // would give 4103,03.
    const Realgewinn inEuro = realgewinnAufstellung(buchungen, Einheit::Euro);
    QCOMPARE(inEuro.saldo.format00(), QStringLiteral("4103,04"));
    QCOMPARE(Numbers::format00(dm("8024,83").toDouble() / Numbers::DmRate),
             QStringLiteral("4103,03"));

    QVERIFY(realgewinnAufstellung({}, Einheit::DM).text.isEmpty());
}

void TstRealgewinn::betragWieFormatiert() {
    // The statement rounds without going through text; it must show and sum
    // exactly what "0.00" of the quotient shows, also next to half cents.
    QRandomGenerator zufall(4711);
    QList<std::int64_t> werte;
    for (int k = 0; k < 5000; ++k) {
        const auto halb = static_cast<std::int64_t>(std::llround(195.583 * (k * 37 + 0.5)));
        werte << halb << halb - 1 << halb + 1 << -halb;
    }
    for (int k = 0; k < 20000; ++k)
        werte << static_cast<std::int64_t>(zufall.bounded(Q_INT64_C(2000000000000))) -
                     Q_INT64_C(1000000000000);
    for (std::int64_t raw : werte) {
        const Buchung b{QDate(2024, 1, 2), QString(), Currency::fromRaw(raw)};
        Currency euro, dmBetrag;
        const QString zeile = realgewinnZeile(b, Einheit::Euro, &euro);
        realgewinnZeile(b, Einheit::DM, &dmBetrag);
        const QString erwartet =
            Numbers::format00(Currency::fromRaw(raw).toDouble() / Numbers::DmRate);
        if (euro.format00() != erwartet ||
            zeile.mid(37) != erwartet.rightJustified(11, QLatin1Char(' '), true))
            QFAIL(qPrintable(
                QStringLiteral("%1: %2 statt %3").arg(raw).arg(euro.format00(), erwartet)));
        if (dmBetrag.format00() != Currency::fromRaw(raw).format00())
            QFAIL(qPrintable(QString::number(raw)));
    }
}

// Bookings written by another program whose sum leaves the 64-bit range.
void TstRealgewinn::saldoZuGross() {
    const Buchung gross{QDate(2024, 1, 1), QStringLiteral("x"),
                        Currency::fromRaw(9'000'000'000'000'000'000)};
    const Realgewinn r = realgewinnAufstellung({gross, gross}, Einheit::DM);
    QVERIFY(r.saldoZuGross);
    QVERIFY(!realgewinnAufstellung({gross}, Einheit::DM).saldoZuGross);
}

QTEST_MAIN(TstRealgewinn)
#include "tst_realgewinn.moc"
