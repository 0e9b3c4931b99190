// The chart model and what each chart is fed with.
#include "core/Chartmodell.h"
#include "core/Charts.h"
#include "core/Numbers.h"

#include <QTest>
#include <cmath>

namespace {

Currency cur(const QString& text) {
    return *Numbers::parseCurrency(text);
}

} // namespace

class TstCharts final : public QObject {
    Q_OBJECT
private slots:
    // ---- the model

    void automatischWeiterFuelltInSchreibreihenfolge() {
        Chartmodell m;
        m.setPunktzahl(3);
        m.setAutoWeiter(true);
        for (double w : {1.5, 2.5, 3.5, 4.5}) // the fourth has no point
            m.setWert(w);
        QCOMPARE(m.werte(), (QList<double>{1.5, 2.5, 3.5}));
        // Without the advance every write lands on the named point.
        m.setAutoWeiter(false);
        m.setPunkt(2);
        m.setWert(9);
        m.setWert(8);
        m.setBeschriftung(QStringLiteral("zwei"));
        QCOMPARE(m.werte(), (QList<double>{1.5, 8, 3.5}));
        QCOMPARE(m.beschriftung(2), QStringLiteral("zwei"));
        QCOMPARE(m.beschriftung(1), QString());
        m.setPunkt(0);
        m.setWert(7);
        QCOMPARE(m.werte(), (QList<double>{1.5, 8, 3.5}));
    }

    void neuePunktzahlBeginntNeueReiheUndBehaeltDenRest() {
        Chartmodell m;
        m.setPunktzahl(2);
        m.setPunkt(2);
        m.setWert(5);
        m.setBeschriftung(QStringLiteral("alt"));
        m.setUntertitel(QStringLiteral("unten"));
        m.setGitter(Chartmodell::Waagerecht);
        m.setPunktzahl(2);
        QCOMPARE(m.werte(), (QList<double>{0, 0}));
        QVERIFY(!m.hatBeschriftungen());
        QCOMPARE(m.punkt(), 1);
        QCOMPARE(m.untertitel(), QStringLiteral("unten"));
        QCOMPARE(m.gitter(), std::optional<int>(Chartmodell::Waagerecht));
    }

    // ---- the y axis

    void yAchse_data() {
        QTest::addColumn<QList<double>>("werte");
        QTest::addColumn<bool>("balken");
        QTest::newRow("quotes around 12") << QList<double>{12.1, 12.4, 12.25} << false;
        QTest::newRow("large quotes") << QList<double>{1510.0, 1620.5, 1580.0} << false;
        QTest::newRow("tiny spread") << QList<double>{0.101, 0.104} << false;
        QTest::newRow("flat line") << QList<double>{7.0, 7.0} << false;
        QTest::newRow("gains only") << QList<double>{120.0, 80.5} << true;
        QTest::newRow("gains and losses") << QList<double>{-35.2, 140.0, 12.0} << true;
        QTest::newRow("losses only") << QList<double>{-5.0} << true;
        QTest::newRow("all zero bars") << QList<double>{0.0, 0.0} << true;
        QTest::newRow("negative index") << QList<double>{-3.0, -1.0} << false;
    }
    void yAchse() {
        QFETCH(QList<double>, werte);
        QFETCH(bool, balken);
        const YAchse a = yAchseFuer(werte, balken);
        QVERIFY(a.max > a.min);
        for (double w : werte)
            QVERIFY2(w >= a.min && w <= a.max, qPrintable(QString::number(w)));
        QVERIFY(a.ticks >= 2 && a.ticks <= 12);
        // Round steps: 1, 2, 2.5 or 5 times a power of ten.
        const double schritt = (a.max - a.min) / (a.ticks - 1);
        const double mantisse = schritt / std::pow(10.0, std::floor(std::log10(schritt) + 1e-9));
        QVERIFY2(std::fabs(mantisse - 1) < 1e-6 || std::fabs(mantisse - 2) < 1e-6 ||
                     std::fabs(mantisse - 2.5) < 1e-6 || std::fabs(mantisse - 5) < 1e-6,
                 qPrintable(QString::number(schritt)));
        // Every tick can be written exactly with the decimals given.
        const double faktor = std::pow(10.0, a.nachkommastellen);
        for (int i = 0; i < a.ticks; ++i) {
            const double tick = (a.min + i * schritt) * faktor;
            QVERIFY2(std::fabs(tick - std::round(tick)) < 1e-6,
                     qPrintable(QString::number(a.min + i * schritt)));
        }
        if (balken) {
            // The zero line is a tick: bars stand on it or hang from it.
            QVERIFY(a.min <= 0 && a.max >= 0);
            const double nullTick = -a.min / schritt;
            QVERIFY(std::fabs(nullTick - std::round(nullTick)) < 1e-6);
        }
    }

    // ---- the quote charts

    void chart30KurseAlsBeschriftung() {
        Chartmodell m;
        Charts::chart30(m, {cur(QStringLiteral("12,5")), cur(QStringLiteral("12,5")),
                            cur(QStringLiteral("0,005")), cur(QStringLiteral("1234,5678"))});
        QCOMPARE(m.beschriftungen(),
                 (QList<QString>{QStringLiteral("12,50"), QStringLiteral("12,50"),
                                 QStringLiteral("0,01"), QStringLiteral("1234,57")}));
        QCOMPARE(m.wert(4), 1234.5678);
    }

    // ---- balance and index chart

    void bilanz() {
        Chartmodell m;
        m.setTitel(QStringLiteral("30-Tage-Chart"));
        m.setUntertitel(QStringLiteral("bleibt"));
        Charts::bilanzchart(m, {{QStringLiteral("Alpha"), cur(QStringLiteral("120,4"))},
                                {QStringLiteral(" Beta "), cur(QStringLiteral("-5,005"))},
                                {QStringLiteral("Gamma"), cur(QStringLiteral("0,0049"))}});
        QCOMPARE(m.typ(), int(Chartmodell::Balken2D));
        QCOMPARE(m.punktzahl(), 3);
        QCOMPARE(m.titel(), QString());
        QCOMPARE(m.gitter(), std::optional<int>(Chartmodell::Waagerecht));
        QCOMPARE(m.labelModus(), int(Chartmodell::BeideAchsen));
        // Bars in whole cents as "0.00" writes the gain; a loss hangs below zero.
        QCOMPARE(m.werte(), (QList<double>{120.4, -5.01, 0.0}));
        QCOMPARE(m.beschriftung(1), QStringLiteral("Alpha   120,40"));
        QCOMPARE(m.beschriftung(2), QStringLiteral(" Beta    -5,01"));
        QCOMPARE(m.beschriftung(3), QStringLiteral("Gamma   0,00"));
        // What the balance chart does not set stays.
        QCOMPARE(m.untertitel(), QStringLiteral("bleibt"));
        QCOMPARE(Charts::bilanzTitel(QDate(2024, 3, 5)),
                 QStringLiteral("Gewinn / Verlust am  05.03.2024"));
    }

    void namensKern() {
        QCOMPARE(Charts::namensKern(QStringLiteral("  BASF AG  ")), QStringLiteral("BASF AG"));
        // Only blanks count, as the table's trim() does.
        QCOMPARE(Charts::namensKern(QStringLiteral("\tBASF ")), QStringLiteral("\tBASF"));
        QCOMPARE(Charts::zuWenigKurse(QStringLiteral(" BASF ")),
                 QStringLiteral("Keine Anzeige des Chart möglich!\n\nEs müssen mindestens 2 Kurse "
                                "gespeichert sein!\nVon  \"BASF\"  sind weniger als 2 Kurse "
                                "gespeichert!"));
    }
};

QTEST_APPLESS_MAIN(TstCharts)
#include "tst_charts.moc"
