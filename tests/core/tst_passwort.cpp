// The stored form of the start password.
#include "core/Passwort.h"

#include <QTest>

class TstPasswort final : public QObject {
    Q_OBJECT
private slots:
    void speicherform_data() {
        QTest::addColumn<QString>("klar");
        QTest::addColumn<QString>("gespeichert");
        QTest::newRow("none") << ""
                              << "********";
        QTest::newRow("one character at the sixth place") << "a"
                                                          << "*****a**";
        QTest::newRow("eight characters, no padding") << "12345678"
                                                      << "82473156";
        QTest::newRow("umlaut") << "Hü"
                                << "*ü***H**";
    }
    void speicherform() {
        QFETCH(QString, klar);
        QFETCH(QString, gespeichert);
        QCOMPARE(Passwort::speicherform(klar), gespeichert);
        QCOMPARE(Passwort::klartext(gespeichert), klar);
    }

    void roundTripAllLengths() {
        const QString voll = QStringLiteral("Abc9xY7z");
        for (int n = 0; n <= 8; ++n) {
            const QString klar = voll.left(n);
            const QString s = Passwort::speicherform(klar);
            QCOMPARE(s.size(), 8);
            QCOMPARE(Passwort::klartext(s), klar);
            QCOMPARE(Passwort::istGesetzt(s), n > 0);
        }
    }

    void damagedStoredForm() {
        // Shorter or longer texts than eight never read past the end.
        QCOMPARE(Passwort::klartext(QString()), QString());
        QCOMPARE(Passwort::klartext(QStringLiteral("ab")), QStringLiteral("ba"));
        QCOMPARE(Passwort::klartext(QStringLiteral("82473156XYZ")), QStringLiteral("12345678"));
    }
};

QTEST_MAIN(TstPasswort)
#include "tst_passwort.moc"
