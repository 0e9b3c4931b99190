// Money rules: rounding of currency values, the "0.00" format, reading
// numbers from text and the DM/Euro conversion.
#include "core/DecimalRound.h"
#include "core/Numbers.h"

#include <QTest>
#include <limits>

class TstGeld final : public QObject {
    Q_OBJECT
private slots:
    void fromDouble_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("raw");
        QTest::newRow("half to even down") << 1.23445 << qint64(12344);
        QTest::newRow("half to even up") << 1.23455 << qint64(12346);
        QTest::newRow("below half") << 0.00004 << qint64(0);
        QTest::newRow("half of the last place, even") << 0.00005 << qint64(0);
        QTest::newRow("half of the last place, odd") << 0.00015 << qint64(2);
        QTest::newRow("negative half to even") << -2.00005 << qint64(-20000);
        QTest::newRow("negative above half") << -2.000051 << qint64(-20001);
        QTest::newRow("purchase in DM") << 1009.90 * 1.95583 << qint64(19751927);
        QTest::newRow("whole") << 12.0 << qint64(120000);
        QTest::newRow("NaN") << std::nan("") << qint64(0);
    }
    void fromDouble() {
        QFETCH(double, value);
        QFETCH(qint64, raw);
        QCOMPARE(Currency::fromDouble(value).raw(), raw);
    }

    void fromDoubleSaturates() {
        QCOMPARE(Currency::fromDouble(1e300).raw(), std::numeric_limits<qint64>::max());
        QCOMPARE(Currency::fromDouble(-1e300).raw(), std::numeric_limits<qint64>::min());
    }

    void product_data() {
        QTest::addColumn<qint64>("a");
        QTest::addColumn<qint64>("b");
        QTest::addColumn<qint64>("raw");
        QTest::newRow("exact") << qint64(20000) << qint64(105000) << qint64(210000);
        QTest::newRow("half to even down") << qint64(5) << qint64(5000) << qint64(2);
        QTest::newRow("half to even up") << qint64(15) << qint64(5000) << qint64(8);
        QTest::newRow("negative half to even") << qint64(-5) << qint64(5000) << qint64(-2);
        // 922337203685477.5807 × 1 must not overflow the intermediate product
        QTest::newRow("large times one") << std::numeric_limits<qint64>::max() << qint64(10000)
                                         << std::numeric_limits<qint64>::max();
    }
    void product() {
        QFETCH(qint64, a);
        QFETCH(qint64, b);
        QFETCH(qint64, raw);
        QCOMPARE((Currency::fromRaw(a) * Currency::fromRaw(b)).raw(), raw);
    }

    void format00_data() {
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << "0,00";
        QTest::newRow("half cent away from zero") << qint64(50) << "0,01";
        QTest::newRow("below half cent") << qint64(49) << "0,00";
        QTest::newRow("negative half cent") << qint64(-50) << "-0,01";
        QTest::newRow("no negative zero") << qint64(-40) << "0,00";
        QTest::newRow("thousands without separator") << qint64(12345000) << "1234,50";
        QTest::newRow("negative") << qint64(-50000) << "-5,00";
        QTest::newRow("carry into whole") << qint64(19999) << "2,00";
        QTest::newRow("minimum") << std::numeric_limits<qint64>::min() << "-922337203685477,58";
    }
    void format00() {
        QFETCH(qint64, raw);
        QFETCH(QString, text);
        QCOMPARE(Currency::fromRaw(raw).format00(), text);
    }

    void format00Double_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("0.005") << 0.005 << "0,01";
        QTest::newRow("1.005 as written") << 1.005 << "1,01";
        QTest::newRow("-0.004") << -0.004 << "0,00";
        QTest::newRow("-2.5") << -2.5 << "-2,50";
        QTest::newRow("1234.5") << 1234.5 << "1234,50";
        // Percentages of a near-zero purchase price come out this large; the
        // cents exist, a Currency of them does not.
        QTest::newRow("beyond Currency") << 1e17 << "100000000000000000,00";
        QTest::newRow("negative beyond Currency") << -9.2e18 / 100 * 3 << "-276000000000000000,00";
        QTest::newRow("largest cents") << 9.2e16 << "92000000000000000,00";
    }
    void format00Double() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(Numbers::format00(value), text);
    }

    void plainText_data() {
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<QString>("text");
        QTest::newRow("10.5") << qint64(105000) << "10,5";
        QTest::newRow("9.9") << qint64(99000) << "9,9";
        QTest::newRow("12") << qint64(120000) << "12";
        QTest::newRow("smallest negative") << qint64(-1) << "-0,0001";
        QTest::newRow("zero") << qint64(0) << "0";
    }
    void plainText() {
        QFETCH(qint64, raw);
        QFETCH(QString, text);
        QCOMPARE(Currency::fromRaw(raw).plainText(), text);
    }

    // The one reader, every mode on the same inputs: what each reads, as an
    // amount in the engine's plain form; "-" is no number, "zu groß" one
    // beyond the range.
    void modes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("index");
        QTest::addColumn<QString>("leading");
        QTest::addColumn<QString>("display");
        const auto row = [](const char* name, const char* text, const char* field,
                            const char* stored, const char* index, const char* leading,
                            const char* display) {
            QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(field)
                                << QString::fromUtf8(stored) << QString::fromUtf8(index)
                                << QString::fromUtf8(leading) << QString::fromUtf8(display);
        };
        row("comma", "12,5", "12,5", "12,5", "12,5", "12,5", "12,5");
        row("thousands and comma", "1.234,5", "1234,5", "1234,5", "1234,5", "1,234", "-");
        row("digits", "42", "42", "42", "42", "42", "42");
        row("blanks", "  7,25 ", "7,25", "7,25", "7,25", "7,25", "7,25");
        row("tab and line break", "\t7,25\n", "-", "7,25", "7,25", "7,25", "7,25");
        row("negative", "-3,5", "-3,5", "-3,5", "-3,5", "-3,5", "-3,5");
        row("plus", "+7", "7", "7", "7", "7", "7");
        row("leading comma", ",5", "0,5", "0,5", "0,5", "0,5", "0,5");
        row("comma at the end", "12,", "12", "12", "12", "12", "12");
        row("empty", "", "-", "-", "-", "-", "-");
        row("letters", "abc", "-", "-", "-", "-", "-");
        row("sign only", "-", "-", "-", "-", "-", "-");
        row("two commas", "1,2,3", "-", "-", "1,2", "1,2", "-");
        row("trailing text", "12,5 DM", "-", "-", "12,5", "12,5", "-");
        // A point: thousands when it stands before three digits after a first
        // group of one to three, else no number, or in the index the decimal sign.
        row("point before one digit", "12.5", "-", "-", "12,5", "12,5", "-");
        row("point before two digits", "12.34", "-", "-", "12,34", "12,34", "-");
        row("point before four digits", "12.3456", "-", "-", "12,3456", "12,3456", "-");
        row("thousands point", "12.345", "12345", "12345", "12345", "12,345", "-");
        row("two thousands points", "1.234.567", "1234567", "1234567", "1234567", "1,234", "-");
        row("first group of four", "1234.567", "-", "-", "1234,567", "1234,567", "-");
        row("first group zero", "0.123", "123", "123", "0,123", "0,123", "-");
        row("second point before one digit", "1.234.5", "-", "-", "1,234", "1,234", "-");
        row("point first", ".5", "-", "-", "0,5", "0,5", "-");
        row("exponent", "1,5e+3", "-", "-", "1,5", "1,5", "1500");
        row("small exponent", "1e-05", "-", "-", "1", "1", "0");
        row("exponent beyond the range", "1,5e+20", "-", "-", "1,5", "1,5", "zu groß");
        row("beyond the range", "922.337.203.685.477,5808", "zu groß", "zu groß", "zu groß",
            "922,337", "-");
    }
    void modes() {
        QFETCH(QString, text);
        const auto gelesen = [&text](Numbers::Mode mode) {
            const Numbers::AmountReading r = Numbers::readAmount(text, 4, mode);
            if (r.reading == Numbers::Reading::TooLarge) return QStringLiteral("zu groß");
            return r.reading == Numbers::Reading::Number ? r.value.plainText()
                                                         : QStringLiteral("-");
        };
        QTEST(gelesen(Numbers::Mode::Field), "field");
        QTEST(gelesen(Numbers::Mode::Stored), "stored");
        QTEST(gelesen(Numbers::Mode::Index), "index");
        QTEST(gelesen(Numbers::Mode::Leading), "leading");
        QTEST(gelesen(Numbers::Mode::Display), "display");
    }

    void parseCurrencyRoundsOnDigits() {
        QCOMPARE(Numbers::parseCurrency("0,00005")->raw(), 0);
        QCOMPARE(Numbers::parseCurrency("0,00015")->raw(), 2);
        QCOMPARE(Numbers::parseCurrency("1.009,90")->raw(), 10099000);
        QVERIFY(!Numbers::parseCurrency("99999999999999999999").has_value());
    }

    // The ends of the range: the largest and smallest amount are read, one
    // past them is refused, never read with its sign flipped.
    void readAmountAtTheEnds_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<bool>("read");
        QTest::addColumn<qint64>("raw");
        const qint64 max = std::numeric_limits<qint64>::max();
        const qint64 min = std::numeric_limits<qint64>::min();
        QTest::newRow("largest") << "922337203685477,5807" << 4 << true << max;
        QTest::newRow("one past the largest") << "922337203685477,5808" << 4 << false << qint64(0);
        QTest::newRow("one past, with thousands")
            << "922.337.203.685.477,5808" << 4 << false << qint64(0);
        QTest::newRow("rounded up past the largest")
            << "922337203685477,58075" << 4 << false << qint64(0);
        QTest::newRow("smallest") << "-922337203685477,5808" << 4 << true << min;
        QTest::newRow("one below the smallest")
            << "-922337203685477,5809" << 4 << false << qint64(0);
        QTest::newRow("largest in cents") << "922337203685477,58" << 2 << true << max - 7;
        QTest::newRow("one cent past") << "922337203685477,59" << 2 << false << qint64(0);
    }
    void readAmountAtTheEnds() {
        QFETCH(QString, text);
        QFETCH(int, decimals);
        QFETCH(bool, read);
        QFETCH(qint64, raw);
        const Numbers::AmountReading r = Numbers::readAmount(text, decimals);
        QCOMPARE(r.reading, read ? Numbers::Reading::Number : Numbers::Reading::TooLarge);
        if (read) QCOMPARE(r.value.raw(), raw);
        QCOMPARE(
            (decimals == 4 ? Numbers::parseCurrency(text) : Numbers::parseCents(text)).has_value(),
            read);
    }

    void leadingNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("with unit") << "12,5 DM" << 12.5;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("point and junk") << "-3.5x" << -3.5;
        QTest::newRow("label with point") << "1000.00" << 1000.0;
        QTest::newRow("blanks and sign") << "  +7" << 7.0;
        QTest::newRow("second separator ends it") << "1,5,7" << 1.5;
        QTest::newRow("text") << "abc" << 0.0;
        QTest::newRow("point first") << ".5" << 0.5;
    }
    void leadingNumber() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(Numbers::leadingNumber(text), value);
    }

    // The 64-bit path of the rounded quotient against plain 128-bit
    // arithmetic: halves either way, both signs, and the edges where the
    // dividend or the divisor just fits 64 bits or just does not.
    void quotientHalbeZurGeraden() {
        using I = __int128;
        auto referenz = [](I n, I d) {
            I q = n / d;
            I r = n % d;
            if (r < 0) r = -r;
            if (2 * r > d || (2 * r == d && q % 2 != 0)) q += n < 0 ? -1 : 1;
            return q;
        };
        const I g = std::numeric_limits<qint64>::max();
        QList<I> teiler = {1, 2, 3, 10, 100, 195583, 100000, 10000, g / 2, g - 1, g, g + 1};
        QList<I> zaehler = {0,     1,      2,         3,           5,          15,    25,
                            50000, 150000, 250000,    97791,       293374,     g - 1, g,
                            g + 1, g / 2,  g / 2 + 1, 3 * (g / 2), I(1) << 100};
        for (qint64 betrag :
             {qint64(1), qint64(12345678), qint64(47'000'000'000'000), qint64(47'158'000'000'000)})
            zaehler << I(betrag) * 195583 << I(betrag) * 100000;
        for (const I d : teiler) {
            // Exact halves of d, with an even and an odd quotient below them.
            if (d % 2 == 0) zaehler << 4 * d + d / 2 << 5 * d + d / 2;
            for (const I n : zaehler) {
                for (const I z : {n, -n}) {
                    const I ist = DecimalRound::quotientHalfEven(z, d);
                    const I soll = referenz(z, d);
                    QVERIFY2(ist == soll, qPrintable(QStringLiteral("%1 / %2")
                                                         .arg(double(z), 0, 'g', 20)
                                                         .arg(double(d), 0, 'g', 20)));
                }
            }
        }
    }

    void conversion() {
        QCOMPARE(Numbers::euroToDm(Currency::fromWhole(100)).format00(), QStringLiteral("195,58"));
        QCOMPARE(Numbers::dmToEuro(*Numbers::parseCurrency("195,58")).format00(),
                 QStringLiteral("100,00"));
        QCOMPARE(Numbers::dmText(Currency::fromRaw(125000)), QStringLiteral("12,50 DM"));
        QCOMPARE(Numbers::euroText(Currency::fromRaw(-125000)), QStringLiteral("-12,50 Euro"));
    }

    void dmEquivalent_data() {
        QTest::addColumn<QString>("euro");
        QTest::addColumn<QString>("dm");
        QTest::newRow("label with point") << "1000.00"
                                          << "1955,83 DM";
        QTest::newRow("comma") << "1000,00"
                               << "1955,83 DM";
        QTest::newRow("negative") << "-5.00"
                                  << "-9,78 DM";
        QTest::newRow("thousands and comma") << "1.000,00"
                                             << "1955,83 DM";
        QTest::newRow("unreadable") << "abc"
                                    << "";
    }
    void dmEquivalent() {
        QFETCH(QString, euro);
        QFETCH(QString, dm);
        QCOMPARE(Numbers::dmEquivalentText(euro), dm);
    }

    void withDecimalPoint() {
        QCOMPARE(Numbers::withDecimalPoint("1234,50"), QStringLiteral("1234.50"));
        QCOMPARE(Numbers::withDecimalPoint("-5,00"), QStringLiteral("-5.00"));
    }
};

QTEST_MAIN(TstGeld)
#include "tst_geld.moc"
