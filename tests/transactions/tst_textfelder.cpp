// Names and booking texts: at most their column's 255 characters, and no
// line feeds, carriage returns or tabs from a paste.

#include "db/Database.h"
#include "db/Recordset.h"
#include "platform/HoverButton.h"
#include "platform/NumericField.h"
#include "support/FakeMainWindow.h"
#include "support/TestUtil.h"
#include "transactions/FormAVEdit.h"
#include "transactions/FormAVNeu.h"
#include "transactions/FormDepotKonto.h"
#include "transactions/FormSonstige.h"

#include <QLineEdit>
#include <QtTest>
#include <memory>

namespace {

enum Fenster { Kauf, Edit, Konto, Sonstige };

QString gespeichert(Database& db, Fenster f) {
    const QString sql = f == Kauf || f == Edit
                            ? QStringLiteral("SELECT aktie FROM Aktiendaten ORDER BY _nr DESC LIMIT 1")
                            : QStringLiteral("SELECT text FROM Gewinne ORDER BY _nr DESC LIMIT 1");
    return db.scalar(sql).toString();
}

} // namespace

class TstTextfelder final : public QObject {
    Q_OBJECT
private slots:
    void feld_data();
    void feld();
};

void TstTextfelder::feld_data() {
    QTest::addColumn<int>("fenster");
    QTest::addColumn<QString>("eingefuegt");
    QTest::addColumn<QString>("bleibt");
    const QString lang = QString(20000, QLatin1Char('N'));
    const QString mitUmbruch = QStringLiteral("Deutsche\nBank\r\tAG\u2028");
    for (const auto& [f, name] : {std::pair{Kauf, "Kauf"}, std::pair{Edit, "Bearbeiten"},
                                  std::pair{Konto, "Depotkonto"}, std::pair{Sonstige, "Sonstige"}}) {
        QTest::addRow("%s: 20000 Zeichen", name) << int(f) << lang << QString(255, QLatin1Char('N'));
        QTest::addRow("%s: Zeilenumbrüche und Tabulatoren", name)
            << int(f) << mitUmbruch << QStringLiteral("DeutscheBankAG");
    }
}

void TstTextfelder::feld() {
    QFETCH(int, fenster);
    QFETCH(QString, eingefuegt);
    QFETCH(QString, bleibt);
    TempProgramDir dir(false, QDate(2024, 3, 15));
    FakeMainWindow api(dir.dbPath());
    api.addBuchung(QDate(2024, 3, 1), QStringLiteral("Einzahlung"), QStringLiteral("1000"));
    api.modul().lesezeichen =
        api.addPaket(QStringLiteral("Alt"), 1, QStringLiteral("1"), QStringLiteral("0"),
                     QStringLiteral("1"));

    // insert() is what a paste does with the clipboard's text.
    switch (Fenster(fenster)) {
    case Kauf: {
        FormAVNeu w(api);
        w.show();
        w.Textaktie->insert(eingefuegt);
        QCOMPARE(w.Textaktie->text(), bleibt);
        typeText(w.Kennummer, QStringLiteral("1"));
        typeText(w.Textstueck, QStringLiteral("1"));
        typeText(w.Textgebuehren, QStringLiteral("0"));
        typeText(w.Textkaufpreis, QStringLiteral("1"));
        w.schalter[11]->click();
        break;
    }
    case Edit: {
        FormAVEdit w(api);
        w.ausPaketFuellen();
        w.show();
        w.Textaktie->clear();
        w.Textaktie->insert(eingefuegt);
        QCOMPARE(w.Textaktie->text(), bleibt);
        w.schalter[11]->click();
        break;
    }
    case Konto: {
        FormDepotKonto w(api);
        w.show();
        w.Text2->insert(eingefuegt);
        QCOMPARE(w.Text2->text(), bleibt);
        typeText(w.Text1, QStringLiteral("5"));
        pressEnter(w.Text1);
        break;
    }
    case Sonstige: {
        FormSonstige w(api);
        w.show();
        w.Text2->insert(eingefuegt);
        QCOMPARE(w.Text2->text(), bleibt);
        typeText(w.Text3, QStringLiteral("5"));
        pressEnter(w.Text3);
        break;
    }
    }
    QCOMPARE(api.scripted().shown.size(), 1); // the question, then stored
    QCOMPARE(gespeichert(api.database(), Fenster(fenster)), bleibt);
}

QTEST_MAIN(TstTextfelder)
#include "tst_textfelder.moc"
