// The plain Gregorian arithmetic against QDate: the same day for every
// stored text, the same "dd.MM.yyyy", across centuries and at the corners.
#include "core/Kalender.h"

#include <QTest>

class TstKalender final : public QObject {
    Q_OBJECT
private slots:
    // Every day from 1599 to 2401 and a stretch around QDate's first years:
    // there and back through the Julian day, and written as QDate writes it.
    void tageWieQDate() {
        auto pruefe = [](const QDate& d) {
            const Kalender::Tag t = Kalender::ausJulianTag(d.toJulianDay());
            const int jahr = d.year() < 0 ? d.year() + 1 : d.year(); // QDate has no year 0
            if (t.jahr != jahr || t.monat != d.month() || t.tag != d.day()) return false;
            if (Kalender::julianTag(t.jahr, t.monat, t.tag) != d.toJulianDay()) return false;
            char text[11] = {};
            const bool geschrieben = Kalender::punktform(d, text);
            if (d.year() < 1 || d.year() > 9999) return !geschrieben;
            return geschrieben &&
                   QLatin1String(text, 10) == d.toString(QStringLiteral("dd.MM.yyyy"));
        };
        for (QDate d(1599, 1, 1); d <= QDate(2401, 12, 31); d = d.addDays(1))
            QVERIFY2(pruefe(d), qPrintable(d.toString(Qt::ISODate)));
        for (QDate d(-3, 1, 1); d <= QDate(3, 12, 31); d = d.addDays(1))
            QVERIFY2(pruefe(d), qPrintable(d.toString(Qt::ISODate)));
        for (const QDate& d : {QDate(9999, 12, 31), QDate(10000, 1, 1), QDate(-4713, 1, 1)})
            QVERIFY2(pruefe(d), qPrintable(d.toString(Qt::ISODate)));
        char text[10];
        QVERIFY(!Kalender::punktform(QDate(), text));
    }

    void gespeicherteForm_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("form");
        QTest::addColumn<QDate>("datum");
        QTest::newRow("gewöhnlich") << QByteArray("2024-03-15") << true << QDate(2024, 3, 15);
        QTest::newRow("Schalttag") << QByteArray("2024-02-29") << true << QDate(2024, 2, 29);
        QTest::newRow("2000 Schaltjahr") << QByteArray("2000-02-29") << true << QDate(2000, 2, 29);
        QTest::newRow("erster Tag") << QByteArray("0001-01-01") << true << QDate(1, 1, 1);
        QTest::newRow("letzter Tag") << QByteArray("9999-12-31") << true << QDate(9999, 12, 31);
        // Of the stored form, but no day: invalid.
        QTest::newRow("kein Schaltjahr") << QByteArray("2023-02-29") << true << QDate();
        QTest::newRow("1900 kein Schaltjahr") << QByteArray("1900-02-29") << true << QDate();
        QTest::newRow("Jahr 0") << QByteArray("0000-06-01") << true << QDate();
        QTest::newRow("Monat 13") << QByteArray("2024-13-01") << true << QDate();
        QTest::newRow("Tag 0") << QByteArray("2024-04-00") << true << QDate();
        QTest::newRow("31. April") << QByteArray("2024-04-31") << true << QDate();
        // Another form: left to the caller's slower reading.
        QTest::newRow("Punkte") << QByteArray("15.03.2024") << false << QDate();
        QTest::newRow("Zeichen") << QByteArray("2024-0x-15") << false << QDate();
        QTest::newRow("kurz") << QByteArray("2024-3-15") << false << QDate();
        QTest::newRow("leer") << QByteArray() << false << QDate();
    }
    void gespeicherteForm() {
        QFETCH(QByteArray, text);
        QFETCH(bool, form);
        QFETCH(QDate, datum);
        const auto d = Kalender::ausIso(text.isNull() ? nullptr : text.constData(), text.size());
        QCOMPARE(d.has_value(), form);
        if (!d) return;
        QCOMPARE(*d, datum);
        // The same as QDate's own reading of the stored form.
        QCOMPARE(*d, QDate::fromString(QString::fromLatin1(text), Qt::ISODate));
    }
};

QTEST_GUILESS_MAIN(TstKalender)
#include "tst_kalender.moc"
