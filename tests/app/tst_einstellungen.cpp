// The settings window and the calculator opened from the main window's menu:
// the card follows what the window stores, and the password decides the
// next start.

#include "Testbett.h"
#include "core/Passwort.h"
#include "extras/FormExtras.h"
#include "extras/pwfrage.h"
#include "platform/NumericField.h"
#include "support/TestUtil.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

class TestEinstellungen final : public QObject {
    Q_OBJECT
private slots:
    // Target below the quote: the card of the chosen package shows the alert
    // as soon as the window stored it, and keeps its header.
    void kurszielAufDerKarte() {
        Testbett t;
        t.paket(QStringLiteral("Alpha"), 10, QStringLiteral("20"), QStringLiteral("5"),
                QStringLiteral("21"));
        const Bookmark beta = t.paket(QStringLiteral("Beta"), 10, QStringLiteral("20"),
                                      QStringLiteral("5"), QStringLiteral("30"));
        auto& f = t.laden();
        f.Command5->click(); // the card, on the first package
        QVERIFY(f.karte().Labelkursziel->isHidden());

        QString tabs;
        bool kopfWaehrend = true;
        f.setModalRunner([&](QDialog& d) {
            auto& e = dynamic_cast<FormExtras&>(d);
            e.show();
            for (int i = 0; i < e.SSTab1->count(); ++i)
                if (e.SSTab1->isTabEnabled(i)) tabs += QString::number(i);
            kopfWaehrend = !f.karte().Labelaktie->isHidden();
            e.Combo1->setCurrentIndex(1);
            emit e.Combo1->activated(1);
            e.Text3->clear();
            typeText(e.Text3, QStringLiteral("25"));
            e.Command3->click();
            e.Command1->click();
            return 0;
        });
        f.aktion(QStringLiteral("menu_zielkurs"))->trigger();

        QCOMPARE(tabs, QStringLiteral("0"));
        QVERIFY(!kopfWaehrend);
        QCOMPARE(f.Daten1().bookmark(), beta);
        QCOMPARE(t.modul.lesezeichen, beta);
        QVERIFY(!f.karte().Labelkursziel->isHidden());
        QCOMPARE(f.karte().Labelkursziel->text(), QStringLiteral("Kursziel ist erreicht"));
        QVERIFY(!f.karte().Labelaktie->isHidden());
        QCOMPARE(f.karte().Labelaktie->text(), QStringLiteral("Beta"));
    }

    void spekulationsfristAufDerKarte() {
        Testbett t;
        t.paket(QStringLiteral("Alpha"), 10, QStringLiteral("20"), QStringLiteral("5"),
                QStringLiteral("21"), QStringLiteral("0"), t.uhr.today().addDays(-40));
        auto& f = t.laden();
        f.Command5->click();
        QVERIFY(f.karte().Label16->isHidden()); // 12 months
        f.setModalRunner([&](QDialog& d) {
            auto& e = dynamic_cast<FormExtras&>(d);
            e.show();
            e.Text5->clear();
            typeText(e.Text5, QStringLiteral("1"));
            e.Command4->click();
            e.Command1->click();
            return 0;
        });
        f.aktion(QStringLiteral("menu_spekufrist"))->trigger();
        QVERIFY(!f.karte().Label16->isHidden());
        QCOMPARE(t.kennwortWert(QStringLiteral("spekufrist")).toInt(), 1);
    }

    // Setting and deleting the password through the tab decides whether the
    // next start asks for it.
    void passwortFuerDenNaechstenStart() {
        Testbett t;
        t.laden();
        const auto tabPasswort = [&](const QString& neu) {
            t.fenster->setModalRunner([&](QDialog& d) {
                auto& e = dynamic_cast<FormExtras&>(d);
                e.show();
                if (neu.isEmpty()) {
                    e.Command6->click();
                } else {
                    e.Command7->click();
                    typeText(e.Text1, neu);
                    pressEnter(e.Text1);
                    typeText(e.Text2, neu);
                    pressEnter(e.Text2);
                }
                return 0;
            });
            t.fenster->aktion(QStringLiteral("menu_passwort"))->trigger();
        };

        tabPasswort(QStringLiteral("Ab1"));
        QCOMPARE(t.kennwortWert(QStringLiteral("passwort")).toString(), QStringLiteral("*b**1A**"));
        t.laden();
        QVERIFY(t.fenster->passwortFenster());
        pwfrage* frage = t.fenster->passwortFenster();
        frage->Textpwfrage->setText(QStringLiteral("Ab1"));
        frage->Schalter3->click();
        QVERIFY(t.fenster->isVisible());

        tabPasswort(QString());
        QCOMPARE(t.kennwortWert(QStringLiteral("passwort")).toString(), Passwort::keines());
        QVERIFY(t.modul.PasswortAktuell.isEmpty());
        t.laden();
        QVERIFY(!t.fenster->passwortFenster());
        QVERIFY(t.fenster->isVisible());
    }

    void rechnerOeffnen() {
        Testbett t;
        auto& f = t.laden();
        f.aktion(QStringLiteral("menu_rechner"))->trigger();
        QCOMPARE(t.modalGeoeffnet, QStringList{QStringLiteral("Rechner")});
    }
};

QTEST_MAIN(TestEinstellungen)
#include "tst_einstellungen.moc"
