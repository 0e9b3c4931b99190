// The report window with the complete report: contents, buttons, layout.

#include "core/Numbers.h"
#include "platform/HoverButton.h"
#include "reports/BefehleBerichte.h"
#include "reports/FormListe1.h"
#include "support/FakeMainWindow.h"
#include "support/TestUtil.h"

#include <QEnterEvent>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTest>

namespace {

struct Depot {
    TempProgramDir dir{false, QDate(2024, 3, 15)};
    std::unique_ptr<FakeMainWindow> api;
    Bookmark erstes = -1, zweites = -1;

    Depot() {
        api = std::make_unique<FakeMainWindow>(dir.dbPath());
        erstes = api->addPaket(QStringLiteral("Alpha"), 10, QStringLiteral("20"),
                               QStringLiteral("5"), QStringLiteral("21"));
        zweites = api->addPaket(QStringLiteral("Beta"), 3, QStringLiteral("100"),
                                QStringLiteral("0"), QStringLiteral("90"));
        api->PaketeZaehlen();
        api->Daten1().setBookmark(erstes);
    }
};

/// Opens the report window through the command; inspect runs while it is open.
void oeffnen(Depot& d, const std::function<void(FormListe1&)>& inspect) {
    menuBerichtlang(*d.api, [&](QDialog& dialog) {
        auto& f = static_cast<FormListe1&>(dialog);
        f.show();
        inspect(f);
        return 0;
    });
}

} // namespace

class TstFormListe1 final : public QObject {
    Q_OBJECT
private slots:
    void zeigtDieKomplettfassung() {
        Depot d;
        bool geprueft = false;
        oeffnen(d, [&](FormListe1& f) {
            QCOMPARE(f.windowTitle(), QStringLiteral("Bericht Komplettfassung"));
            QCOMPARE(f.Label2->text(),
                     QStringLiteral("\n    BERICHT AKTIENBESTAND   am 15.03.2024\n"));
            QVERIFY(f.Label3->text().startsWith(QStringLiteral("      Datum                 WP-KN")));
            QString text = d.api->modul().berichttext;
            text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            QCOMPARE(f.RText1->toPlainText(), text);
            QVERIFY(text.contains(QStringLiteral("Alpha")) && text.contains(QStringLiteral("Beta")));
            QVERIFY(f.RText1->textCursor().atEnd());
            QVERIFY(f.RText1->isReadOnly());
            QCOMPARE(f.RText1->font().family(), QStringLiteral("Courier New"));
            QCOMPARE(f.RText1->font().pointSizeF(), 8.25);
            QCOMPARE(f.Label1->text(), QStringLiteral("Kapito 3.5"));
            // The progress bar stands full while the window is open.
            QVERIFY(!d.api->ProgressBar1().isHidden());
            QCOMPARE(d.api->ProgressBar1().value(), 2);
            geprueft = true;
        });
        QVERIFY(geprueft);
        QCOMPARE(d.api->modul().berichtart, 3);
        QVERIFY(d.api->ProgressBar1().isHidden());
        QCOMPARE(d.api->Daten1().bookmark(), d.erstes);
    }

    void knoepfe_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QList<Dialogs::Answer>>("antworten");
        QTest::addColumn<int>("drucke");
        QTest::addColumn<int>("hilfe");
        QTest::addColumn<bool>("offen");
        const QList<Dialogs::Answer> ja{Dialogs::Answer::Yes}, nein{Dialogs::Answer::No};
        QTest::newRow("13 Hilfe") << 13 << QList<Dialogs::Answer>{} << 0 << 1 << true;
        QTest::newRow("14 Ja") << 14 << ja << 1 << 0 << true;
        QTest::newRow("14 Nein") << 14 << nein << 0 << 0 << true;
        QTest::newRow("15 schließen") << 15 << QList<Dialogs::Answer>{} << 0 << 0 << false;
    }
    void knoepfe() {
        QFETCH(int, index);
        QFETCH(QList<Dialogs::Answer>, antworten);
        QFETCH(int, drucke);
        QFETCH(int, hilfe);
        QFETCH(bool, offen);
        Depot d;
        oeffnen(d, [&](FormListe1& f) {
            d.api->Daten1().setBookmark(d.zweites); // moved meanwhile
            d.api->scripted().answers = antworten;
            f.schalter(index)->click();
            QCOMPARE(f.isVisible(), offen);
            QCOMPARE(d.api->Daten1().bookmark(), d.erstes); // lesezeichen again
        });
        const auto& gezeigt = d.api->scripted().shown;
        QCOMPARE(gezeigt.size(), antworten.size());
        if (index == 14)
            QCOMPARE(gezeigt.first().text, QStringLiteral("Möchten Sie den Bericht jetzt drucken?"));
        QCOMPARE(d.api->hilfeCalls, hilfe);
        const auto& auftraege = d.api->pdf().auftraege;
        QCOMPARE(auftraege.size(), drucke);
        if (drucke) {
            QCOMPARE(auftraege.first().was, QStringLiteral("Bericht Komplettfassung"));
            QCOMPARE(auftraege.first().ausrichtung, Drucker::Ausrichtung::Querformat);
            QVERIFY(auftraege.first().ok);
            // The print put the printed layout into berichttext.
            QVERIFY(d.api->modul().berichttext.startsWith(
                QStringLiteral("\r\n\r\n            BERICHT AKTIENBESTAND   am ")));
        }
    }

    void enterDruecktKeinenKnopf() {
        Depot d;
        oeffnen(d, [&](FormListe1& f) {
            for (int i : {13, 14, 15}) {
                QVERIFY(!f.schalter(i)->autoDefault());
                QVERIFY(!f.schalter(i)->accessibleName().isEmpty());
            }
            f.schalter(14)->setFocus();
            QTest::keyClick(&f, Qt::Key_Return);
            QVERIFY(f.isVisible());
            QVERIFY(d.api->scripted().shown.isEmpty());
        });
    }

    void anordnung_data() {
        QTest::addColumn<QSize>("groesse");
        QTest::newRow("800 x 600") << QSize(800, 600);
        QTest::newRow("1100 x 700") << QSize(1100, 700);
    }
    void anordnung() {
        QFETCH(QSize, groesse);
        Depot d;
        oeffnen(d, [&](FormListe1& f) {
            f.resize(groesse);
            QTest::qWait(1);
            const int w = f.width(), h = f.height();
            QCOMPARE(f.RText1->width(), w - 23);
            QCOMPARE(f.RText1->height(), h - f.Label2->height() - f.Label3->height() - 63);
            QCOMPARE(f.Label2->width(), w - 23);
            QCOMPARE(f.Label3->width(), w - 23);
            QCOMPARE(f.Shape1->size(), QSize(w - 24, h - 62));
            const int links[3] = {w - 135, w - 90, w - 45};
            for (int i = 0; i < 3; ++i)
                QCOMPARE(f.schalter(13 + i)->geometry(), QRect(links[i], h - 34, 27, 27));
            QCOMPARE(f.Label1->y(), h - 28);
            // Title, header and text stand one below the other.
            QVERIFY(f.Label3->y() >= f.Label2->geometry().bottom());
            QVERIFY(f.RText1->y() >= f.Label3->geometry().bottom());
        });
    }

    void hoverLook() {
        Depot d;
        oeffnen(d, [&](FormListe1& f) {
            QEnterEvent e(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
            QCoreApplication::sendEvent(f.schalter(14), &e);
            QVERIFY(f.schalter(14)->isHover());
            QMouseEvent bewegung(QEvent::MouseMove, QPointF(3, 3), QPointF(3, 3), Qt::NoButton,
                                 Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(&f, &bewegung);
            for (int i : {13, 14, 15})
                QVERIFY(!f.schalter(i)->isHover());
        });
    }

    void leeresDepotOhneFortschritt() {
        TempProgramDir dir(false, QDate(2024, 3, 15));
        FakeMainWindow api(dir.dbPath());
        int gezeigt = 0;
        QString text;
        menuBerichtlang(api, [&](QDialog& dialog) {
            gezeigt += api.ProgressBar1().isHidden() ? 0 : 1;
            text = static_cast<FormListe1&>(dialog).RText1->toPlainText();
            return 0;
        });
        QVERIFY(!text.contains(QLatin1Char('_'))); // no rule without packages
        QVERIFY(text.contains(QStringLiteral("Gesamtkaufpreis        =         0,00 Euro")));
        QCOMPARE(gezeigt, 0);
    }
};

QTEST_MAIN(TstFormListe1)
#include "tst_formliste1.moc"
