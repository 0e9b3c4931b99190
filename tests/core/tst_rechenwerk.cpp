// The calculator engine, driven key by key.
#include "core/Rechenwerk.h"

#include <QTest>

namespace {

// Keys separated by blanks: digits, ",", "/", "+", "X", "-", "=", "%", "C",
// "CE", and "EU" / "DM" for the two conversion options. Returns the last
// message shown.
QString tippen(Rechenwerk& r, const QString& tasten) {
    QString meldung;
    for (const QString& t : tasten.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (t == QLatin1String("C"))
            r.allesLoeschen();
        else if (t == QLatin1String("CE"))
            r.eingabeLoeschen();
        else if (t == QLatin1String("EU"))
            r.setRichtung(Rechenwerk::Richtung::InEuro);
        else if (t == QLatin1String("DM"))
            r.setRichtung(Rechenwerk::Richtung::InDm);
        else if (t == QLatin1String(","))
            r.komma();
        else if (t == QLatin1String("%"))
            r.prozent();
        else if (t.at(0).isDigit())
            for (QChar z : t)
                r.ziffer(z.digitValue());
        else if (const QString m = r.rechenzeichen(t.at(0)); !m.isEmpty())
            meldung = m;
    }
    return meldung;
}

} // namespace

class TstRechenwerk final : public QObject {
    Q_OBJECT
private slots:
    void start() {
        Rechenwerk r;
        QCOMPARE(r.anzeige(), QStringLiteral("0,"));
        QCOMPARE(r.umgerechnet(), QStringLiteral("0,"));
        QCOMPARE(r.einheitAnzeige(), QStringLiteral("DM"));
        QCOMPARE(r.einheitUmgerechnet(), QStringLiteral("EU"));
        QCOMPARE(r.offenerOperator(), QLatin1Char(' '));
        QVERIFY(r.optionenFrei());
    }

    void folgen_data() {
        QTest::addColumn<QString>("tasten");
        QTest::addColumn<QString>("anzeige");
        QTest::addColumn<QString>("umgerechnet");
        QTest::addColumn<QString>("meldung");
        const QString keine;
        const QString null = QStringLiteral("Division durch Null ist nicht möglich");
        QTest::newRow("Ziffern stehen vor dem Komma") << "1 2"
                                                      << "12,"
                                                      << "0," << keine;
        QTest::newRow("Nachkommastellen") << "3 , 2 5"
                                          << "3,25"
                                          << "0," << keine;
        QTest::newRow("Summe in Euro umgerechnet") << "7 + 5 ="
                                                   << "12"
                                                   << "6,14" << keine;
        QTest::newRow("Quotient mit Kurs") << "12 / 1 , 9 5 5 8 3 ="
                                           << "6,13550257435462"
                                           << "3,14" << keine;
        QTest::newRow("Produkt in DM umgerechnet") << "DM 100 X 1 ="
                                                   << "100"
                                                   << "195,58" << keine;
        // The fifth decimal of the rate decides the cents (1,9558 gives 511,30 and 1955,80).
        QTest::newRow("Kurs auf fünf Stellen, in Euro") << "1000 X 1 ="
                                                        << "1000"
                                                        << "511,29" << keine;
        QTest::newRow("Kurs auf fünf Stellen, in DM") << "DM 1000 X 1 ="
                                                      << "1000"
                                                      << "1955,83" << keine;
        QTest::newRow("Option setzt nur die Anzeige zurück") << "7 + DM 5 ="
                                                             << "12"
                                                             << "23,47" << keine;
        QTest::newRow("Prozent vom ersten Operanden") << "200 X 5 % ="
                                                      << "10"
                                                      << "5,11" << keine;
        QTest::newRow("Zahl nach Prozent bleibt rechenbar") << "200 X 5 % 3 ="
                                                            << "600"
                                                            << "306,78" << keine;
        QTest::newRow("Minus zuerst macht negativ") << "- 5"
                                                    << "-5,"
                                                    << "0,00" << keine;
        QTest::newRow("negativer erster Operand") << "- 5 + 3 ="
                                                  << "-2"
                                                  << "-1,02" << keine;
        QTest::newRow("Minus nach Operator") << "5 + - 3 ="
                                             << "2"
                                             << "1,02" << keine;
        QTest::newRow("Minus vor Komma") << "- , 5 X 2 ="
                                         << "-1"
                                         << "-0,51" << keine;
        QTest::newRow("Differenz") << "5 - 8 ="
                                   << "-3"
                                   << "-1,53" << keine;
        QTest::newRow("Kettenrechnung") << "2 + 3 X 4 ="
                                        << "20"
                                        << "10,23" << keine;
        QTest::newRow("Zahl nach = beginnt neu") << "9 + 1 = 4 + 1 ="
                                                 << "5"
                                                 << "2,56" << keine;
        QTest::newRow("Periode auf 15 Stellen") << "1 / 3 ="
                                                << "0,333333333333333"
                                                << "0,17" << keine;
        QTest::newRow("keine Binärreste") << ", 1 + , 2 ="
                                          << "0,3"
                                          << "0,15" << keine;
        QTest::newRow("Division durch Null") << "8 / 0 ="
                                             << "8"
                                             << "4,09" << null;
        QTest::newRow("nach Division durch Null weiter") << "8 / 0 = + 2 ="
                                                         << "10"
                                                         << "5,11" << null;
        QTest::newRow("CE löscht nur die Eingabe") << "5 + 9 CE 3 ="
                                                   << "8"
                                                   << "4,09" << keine;
        QTest::newRow("C nach Rechnung") << "7 + 5 = C"
                                         << "0,"
                                         << "0," << keine;
        QTest::newRow("C mitten in der Eingabe") << "7 + 5 C"
                                                 << "0,"
                                                 << "0," << keine;
        QTest::newRow("C vergisst den Operanden") << "7 + C 5 ="
                                                  << "5,"
                                                  << "2,56" << keine;
    }
    void folgen() {
        QFETCH(QString, tasten);
        QFETCH(QString, anzeige);
        QFETCH(QString, umgerechnet);
        QFETCH(QString, meldung);
        Rechenwerk r;
        QCOMPARE(tippen(r, tasten), meldung);
        QCOMPARE(r.anzeige(), anzeige);
        QCOMPARE(r.umgerechnet(), umgerechnet);
    }

    // The options are locked while a number is typed; operators, C and CE free them.
    void optionen_data() {
        QTest::addColumn<QString>("tasten");
        QTest::addColumn<bool>("frei");
        QTest::newRow("Ziffer") << "7" << false;
        QTest::newRow("Komma") << "," << false;
        QTest::newRow("Operator") << "7 +" << true;
        QTest::newRow("C") << "7 C" << true;
        QTest::newRow("CE") << "7 CE" << true;
        QTest::newRow("gleich") << "7 + 1 =" << true;
    }
    void optionen() {
        QFETCH(QString, tasten);
        QFETCH(bool, frei);
        Rechenwerk r;
        tippen(r, tasten);
        QCOMPARE(r.optionenFrei(), frei);
    }

    // A result beyond double range is refused like a division by zero.
    void ueberlauf() {
        Rechenwerk r;
        const QString gross(22, QLatin1Char('9'));
        QString meldung = tippen(r, gross + QStringLiteral(" X ") + gross + QStringLiteral(" ="));
        for (int i = 0; i < 20 && meldung.isEmpty(); ++i)
            meldung = tippen(r, QStringLiteral("X ") + gross + QStringLiteral(" ="));
        QCOMPARE(meldung, QStringLiteral("Das Ergebnis ist zu groß für den Rechner."));
        QVERIFY(qIsFinite(r.ersterOperand()));
        QVERIFY(r.anzeige().contains(QStringLiteral("e+")));
        QVERIFY(!r.umgerechnet().isEmpty());
    }

    void cLaedtNeu() {
        Rechenwerk r;
        tippen(r, QStringLiteral("DM 4 X 5 % C"));
        QCOMPARE(r.operanden(), 0);
        QCOMPARE(r.letzteEingabe(), Rechenwerk::Eingabe::Keine);
        QCOMPARE(r.offenerOperator(), QLatin1Char(' '));
        QCOMPARE(r.ersterOperand(), 0.0);
        // The chosen conversion stays.
        QCOMPARE(r.einheitAnzeige(), QStringLiteral("EU"));
        QCOMPARE(r.einheitUmgerechnet(), QStringLiteral("DM"));
    }
};

QTEST_MAIN(TstRechenwerk)
#include "tst_rechenwerk.moc"
