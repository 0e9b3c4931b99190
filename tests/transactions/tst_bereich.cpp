// Every number field of the transaction windows: the largest accepted value
// books and shows exactly, one more digit is refused in German before any
// question, and nothing is written then. Sums that cannot be formed are said,
// never shown as a wrong number.

#include "charts/Formchartkurse100.h"
#include "core/Eingabe.h"
#include "core/Numbers.h"
#include "db/Database.h"
#include "db/Depot.h"
#include "db/Recordset.h"
#include "platform/HoverButton.h"
#include "platform/NumericField.h"
#include "support/FakeMainWindow.h"
#include "support/TestUtil.h"
#include "transactions/BefehleKonto.h"
#include "transactions/FormAVEdit.h"
#include "transactions/FormAVNeu.h"
#include "transactions/FormAlleKurseNeu.h"
#include "transactions/FormDepotKonto.h"
#include "transactions/FormNeuKurs.h"
#include "transactions/FormSonstige.h"
#include "transactions/Formverkaufen.h"
#include "extras/FormExtras.h"
#include "watch/FormBeobachten.h"
#include "watch/FormIndex.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QtTest>
#include <memory>

namespace {

const QString Max = QStringLiteral("99999999999,9999");
const QString MaxMehr = QStringLiteral("999999999999,9999");
// The largest Euro amount whose DM value, to the cent, lies within the range.
const QString MaxInDm = QStringLiteral("51129188119,6192");
const QString MaxInDmMehr = QStringLiteral("51129188119,6193");
const QString MaxCent = QStringLiteral("99999999999,99");
const QString MaxCentMehr = QStringLiteral("999999999999,99");
// Beneath the smallest value of a field without a sign: pasted, as no key types it.
const QString Unter = QStringLiteral("-0,0001");
const QString UnterCent = QStringLiteral("-0,01");

enum Fenster {
    Kauf,
    Edit,
    NeuKurs,
    AlleKurse,
    Verkauf,
    Konto,
    Sonstige,
    Beobachten,     ///< a new entry of the watch list
    Zelle,          ///< a cell of the watch list changed through its input box
    Index,          ///< a new index value
    Chartkurse,     ///< a stored chart quote changed
    Grenzkurse      ///< target and stop price
};

struct Umgebung {
    TempProgramDir dir{false, QDate(2024, 3, 15)};
    std::unique_ptr<FakeMainWindow> api;
    Umgebung() { api = std::make_unique<FakeMainWindow>(dir.dbPath()); }
    Database& db() { return api->database(); }
    QStringList gezeigt() const {
        QStringList t;
        for (const auto& s : api->scripted().shown)
            t << s.text;
        return t;
    }
    /// Everything the operations may write, as text.
    QString abbild() {
        QString out;
        for (const char* t : {"Aktiendaten", "kurse", "Gewinne", "kennwort", "Beobachten",
                              "KurseVirtuell", "Indexkurse"})
            for (const QVariantList& r :
                 db().rows(QStringLiteral("SELECT * FROM %1 ORDER BY _nr").arg(QLatin1String(t))))
                for (const QVariant& v : r)
                    out += v.toString() + QLatin1Char('|');
        return out;
    }
    QString kontostandAnzeige() {
        FormDepotKonto k(*api);
        return k.Label5->text();
    }
};

Currency cur(const QString& text) {
    return *Numbers::parseCurrency(text);
}

/// Fields that took a minus sign their keys refuse, when it was pasted.
int minusAngenommen = 0;

/// Types text into a field; a minus sign the field's keys refuse arrives as pasted.
void eingeben(QLineEdit* f, const QString& text) {
    auto* n = qobject_cast<NumericField*>(f);
    if (text.startsWith(QLatin1Char('-')) && n &&
        n->filter()->config().chars != NumericConfig::Chars::SignedDecimal) {
        f->insert(text);
        if (f->text().contains(QLatin1Char('-'))) ++minusAngenommen;
    } else {
        typeText(f, text);
    }
}

/// The target/stop tab with the first package chosen, as a click on the list does.
void grenzkurseWaehlen(FormExtras& w) {
    w.Combo1->setCurrentIndex(0);
    emit w.Combo1->activated(0);
}

void klicken(QTableView* grid, int zeile, int spalte) {
    const QModelIndex i = grid->model()->index(zeile, spalte);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(i).center());
}

/// The watch list's column of a field.
int beobachtenSpalte(const QString& feld) {
    return feld == QLatin1String("stueck") ? 3 : feld == QLatin1String("kaufpreis") ? 4 : 5;
}

/// The edit window filled from the current package, as its opener does.
QStringList editAnzeige(FakeMainWindow& api) {
    FormAVEdit w(api);
    w.ausPaketFuellen();
    return {w.Textstueck->text(), w.Textkaufpreis->text(), w.Textgebuehren->text(),
            w.Texttageskurs->text()};
}

} // namespace

class TstBereich final : public QObject {
    Q_OBJECT
private slots:
    void feld_data();
    void feld();
    void ergebnisZuGross_data();
    void ergebnisZuGross();
    void kontostandNichtBildbar();
    void summenNichtBildbar();
};

void TstBereich::feld_data() {
    QTest::addColumn<int>("fenster");
    QTest::addColumn<QString>("feld");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("gespeichert"); // stored value; empty = refused
    QTest::addColumn<QString>("anzeige");     // what a window shows afterwards / the refusal

    const QString stueck = Eingabe::stueckZuGrossText();
    auto zuGross = [](const char* feld) { return Eingabe::zuGrossText(QString::fromUtf8(feld)); };

    // The account is kept in DM: the debit (Euro × 1,95583, to the cent) must
    // lie within the range, so the largest price of a single unit is smaller.
    const QString kaufbetrag = Eingabe::ergebnisZuGrossText(QStringLiteral("Kaufbetrag"));
    QTest::newRow("Kauf: Kaufkurs") << int(Kauf) << "kaufpreis" << Max << "" << kaufbetrag;
    QTest::newRow("Kauf: Kaufkurs, größter Kaufbetrag in DM")
        << int(Kauf) << "kaufpreis" << MaxInDm << MaxInDm << "51129188119,62";
    QTest::newRow("Kauf: Kaufkurs, ein Zehntausendstel mehr")
        << int(Kauf) << "kaufpreis" << MaxInDmMehr << "" << kaufbetrag;
    QTest::newRow("Kauf: Kaufkurs, eine Stelle mehr")
        << int(Kauf) << "kaufpreis" << MaxMehr << "" << zuGross("Kaufkurs");
    QTest::newRow("Kauf: Gebühren") << int(Kauf) << "gebühren" << Max << "" << kaufbetrag;
    QTest::newRow("Kauf: Gebühren, größter Kaufbetrag in DM")
        << int(Kauf) << "gebühren" << MaxInDm << MaxInDm << "51129188119,62";
    QTest::newRow("Kauf: Gebühren, eine Stelle mehr")
        << int(Kauf) << "gebühren" << MaxMehr << "" << zuGross("Gebühren");
    QTest::newRow("Kauf: Stück") << int(Kauf) << "stück" << "999999999"
                                 << "999999999"
                                 << "999999999";
    QTest::newRow("Kauf: Stück, eine Stelle mehr")
        << int(Kauf) << "stück" << "9999999999" << "" << stueck;

    QTest::newRow("Bearbeiten: Kaufkurs")
        << int(Edit) << "kaufpreis" << Max << Max << "100000000000,00";
    QTest::newRow("Bearbeiten: Kaufkurs, eine Stelle mehr")
        << int(Edit) << "kaufpreis" << MaxMehr << "" << zuGross("Kaufkurs");
    QTest::newRow("Bearbeiten: Gebühren")
        << int(Edit) << "gebühren" << Max << Max << "100000000000,00";
    QTest::newRow("Bearbeiten: Gebühren, eine Stelle mehr")
        << int(Edit) << "gebühren" << MaxMehr << "" << zuGross("Gebühren");
    QTest::newRow("Bearbeiten: Tageskurs")
        << int(Edit) << "tageskurs" << Max << Max << "100000000000,00";
    QTest::newRow("Bearbeiten: Tageskurs, eine Stelle mehr")
        << int(Edit) << "tageskurs" << MaxMehr << "" << zuGross("Tageskurs");
    QTest::newRow("Bearbeiten: Stück") << int(Edit) << "stück" << "999999999"
                                       << "999999999"
                                       << "999999999";
    QTest::newRow("Bearbeiten: Stück, eine Stelle mehr")
        << int(Edit) << "stück" << "9999999999" << "" << stueck;

    QTest::newRow("Einzelkurs")
        << int(NeuKurs) << "tageskurs" << Max << Max << "100000000000,00";
    QTest::newRow("Einzelkurs, eine Stelle mehr")
        << int(NeuKurs) << "tageskurs" << MaxMehr << "" << zuGross("Neuer Kurs");

    // The all-quotes window keeps two decimals.
    QTest::newRow("Alle Kurse") << int(AlleKurse) << "tageskurs" << MaxCent << MaxCent << MaxCent;
    QTest::newRow("Alle Kurse, eine Stelle mehr")
        << int(AlleKurse) << "tageskurs" << MaxCentMehr << ""
        << "Der Kurs für Alpha ist zu groß!\nErlaubt sind Beträge bis 99.999.999.999,99.";
    QTest::newRow("Alle Kurse, 1e15 wie gemeldet")
        << int(AlleKurse) << "tageskurs" << "1000000000000000" << ""
        << "Der Kurs für Alpha ist zu groß!\nErlaubt sind Beträge bis 99.999.999.999,99.";

    // Sales: the proceeds in DM, as the account shows them afterwards.
    // The proceeds are credited in DM, to the cent, within the range.
    const QString erloes = Eingabe::ergebnisZuGrossText(QStringLiteral("Verkaufserlös"));
    QTest::newRow("Verkauf: Verkaufskurs") << int(Verkauf) << "kurs" << Max << "" << erloes;
    QTest::newRow("Verkauf: Verkaufskurs, größter Erlös in DM")
        << int(Verkauf) << "kurs" << MaxInDm << "99999999999,99" << "99999999999,99 DM";
    QTest::newRow("Verkauf: Verkaufskurs, ein Zehntausendstel mehr")
        << int(Verkauf) << "kurs" << MaxInDmMehr << "" << erloes;
    QTest::newRow("Verkauf: Verkaufskurs, eine Stelle mehr")
        << int(Verkauf) << "kurs" << MaxMehr << "" << zuGross("Verkaufskurs");
    QTest::newRow("Verkauf: Gebühren") << int(Verkauf) << "gebühren" << Max << "" << erloes;
    QTest::newRow("Verkauf: Gebühren, kleinster Erlös in DM")
        << int(Verkauf) << "gebühren" << MaxInDm << "-99999999999,99" << "-99999999999,99 DM";
    QTest::newRow("Verkauf: Gebühren, ein Zehntausendstel mehr")
        << int(Verkauf) << "gebühren" << MaxInDmMehr << "" << erloes;
    QTest::newRow("Verkauf: Gebühren 1e15 wie gemeldet")
        << int(Verkauf) << "gebühren" << "1000000000000000" << "" << zuGross("Gebühren");
    QTest::newRow("Verkauf: Anzahl") << int(Verkauf) << "anzahl" << "999999999"
                                     << "1955829998,04"
                                     << "1955829998,04 DM";
    QTest::newRow("Verkauf: Anzahl, eine Stelle mehr")
        << int(Verkauf) << "anzahl" << "9999999999" << "" << stueck;

    const QString kontoText = Eingabe::zuGrossText(QStringLiteral("DM"), true, 2);
    QTest::newRow("Depotkonto: Einzahlung")
        << int(Konto) << "summe" << MaxCent << MaxCent << "99999999999,99 DM";
    QTest::newRow("Depotkonto: Abgang") << int(Konto) << "summe" << "-" + MaxCent << "-" + MaxCent
                                        << "-99999999999,99 DM";
    QTest::newRow("Depotkonto: eine Stelle mehr")
        << int(Konto) << "summe" << MaxCentMehr << "" << kontoText;
    QTest::newRow("Depotkonto: Abgang, eine Stelle mehr")
        << int(Konto) << "summe" << "-" + MaxCentMehr << "" << kontoText;
    QTest::newRow("Depotkonto: 1e15 wie gemeldet")
        << int(Konto) << "summe" << "1000000000000000" << "" << kontoText;

    QTest::newRow("Sonstige Gewinne") << int(Sonstige) << "summe" << Max << Max
                                      << "100000000000,00 DM";
    QTest::newRow("Sonstige Gewinne, eine Stelle mehr")
        << int(Sonstige) << "summe" << MaxMehr << "" << zuGross("Summe");

    // The smallest values, and one beneath them.
    // A field without a sign takes no minus sign, not even pasted: an empty
    // "anzeige" says so.
    const QString keineZahl;
    QTest::newRow("Kauf: Kaufkurs 0") << int(Kauf) << "kaufpreis" << "0" << "0" << "0,00";
    QTest::newRow("Kauf: Kaufkurs unter 0") << int(Kauf) << "kaufpreis" << Unter << "" << keineZahl;
    QTest::newRow("Kauf: Gebühren 0") << int(Kauf) << "gebühren" << "0" << "0" << "0,00";
    QTest::newRow("Kauf: Gebühren unter 0") << int(Kauf) << "gebühren" << Unter << "" << keineZahl;
    QTest::newRow("Kauf: Stück 0") << int(Kauf) << "stück" << "0" << "0" << "0";
    QTest::newRow("Kauf: Stück unter 0") << int(Kauf) << "stück" << "-1" << "" << keineZahl;
    QTest::newRow("Bearbeiten: Kaufkurs 0") << int(Edit) << "kaufpreis" << "0" << "0" << "0,00";
    QTest::newRow("Bearbeiten: Kaufkurs unter 0")
        << int(Edit) << "kaufpreis" << Unter << "" << keineZahl;
    QTest::newRow("Bearbeiten: Gebühren 0") << int(Edit) << "gebühren" << "0" << "0" << "0,00";
    QTest::newRow("Bearbeiten: Gebühren unter 0")
        << int(Edit) << "gebühren" << Unter << "" << keineZahl;
    QTest::newRow("Bearbeiten: Tageskurs 0") << int(Edit) << "tageskurs" << "0" << "0" << "0,00";
    QTest::newRow("Bearbeiten: Tageskurs unter 0")
        << int(Edit) << "tageskurs" << Unter << "" << keineZahl;
    QTest::newRow("Bearbeiten: Stück 0") << int(Edit) << "stück" << "0" << "0" << "0";
    QTest::newRow("Bearbeiten: Stück unter 0") << int(Edit) << "stück" << "-1" << "" << keineZahl;
    QTest::newRow("Einzelkurs 0") << int(NeuKurs) << "tageskurs" << "0" << "0" << "0,00";
    QTest::newRow("Einzelkurs unter 0") << int(NeuKurs) << "tageskurs" << Unter << "" << keineZahl;
    QTest::newRow("Alle Kurse 0") << int(AlleKurse) << "tageskurs" << "0" << "0" << "0,00";
    QTest::newRow("Alle Kurse unter 0")
        << int(AlleKurse) << "tageskurs" << UnterCent << "" << keineZahl;
    QTest::newRow("Verkauf: Verkaufskurs 0") << int(Verkauf) << "kurs" << "0" << "0" << "0,00 DM";
    QTest::newRow("Verkauf: Verkaufskurs unter 0")
        << int(Verkauf) << "kurs" << Unter << "" << keineZahl;
    QTest::newRow("Verkauf: Gebühren 0") << int(Verkauf) << "gebühren" << "0" << "0" << "0,00 DM";
    QTest::newRow("Verkauf: Gebühren unter 0")
        << int(Verkauf) << "gebühren" << Unter << "" << keineZahl;
    QTest::newRow("Verkauf: Anzahl 0") << int(Verkauf) << "anzahl" << "0" << "0" << "0,00 DM";
    QTest::newRow("Verkauf: Anzahl unter 0")
        << int(Verkauf) << "anzahl" << "-1" << "" << keineZahl;
    QTest::newRow("Sonstige Gewinne 0") << int(Sonstige) << "summe" << "0" << "0" << "0,00 DM";
    QTest::newRow("Sonstige Gewinne unter 0")
        << int(Sonstige) << "summe" << Unter << "" << keineZahl;

    // The watch list keeps its prices with two decimals.
    auto passtNicht = [](const QString& text, const char* spalte) {
        return QStringLiteral("Die Eingabe \"%1\" passt nicht in das Feld \"%2\".\n"
                              "Die Daten bleiben unverändert.")
            .arg(text, QString::fromUtf8(spalte));
    };
    for (const Fenster f : {Beobachten, Zelle}) {
        const QString w = f == Beobachten ? QStringLiteral("Beobachten neu: ")
                                          : QStringLiteral("Beobachten Zelle: ");
        const auto row = [&w](const char* name) { return (w + QString::fromUtf8(name)).toUtf8(); };
        QTest::newRow(row("Stück").constData()) << int(f) << "stueck" << "999999999" << "999999999"
                                    << "999999999";
        QTest::newRow(row("Stück, eine Stelle mehr").constData())
            << int(f) << "stueck" << "9999999999" << "" << stueck;
        QTest::newRow(row("Stück 0").constData()) << int(f) << "stueck" << "0" << "0" << "0";
        // The input box takes any text; the entry fields take no sign.
        const bool box = f == Zelle;
        QTest::newRow(row("Stück unter 0").constData())
            << int(f) << "stueck" << "-1" << "" << (box ? passtNicht("-1", "Stück") : keineZahl);
        QTest::newRow(row("Kaufkurs").constData()) << int(f) << "kaufpreis" << MaxCent << MaxCent << MaxCent;
        QTest::newRow(row("Kaufkurs, eine Stelle mehr").constData())
            << int(f) << "kaufpreis" << MaxCentMehr << ""
            << Eingabe::zuGrossText(QStringLiteral("Kaufkurs"), false, 2);
        QTest::newRow(row("Kaufkurs 0").constData()) << int(f) << "kaufpreis" << "0" << "0" << "0";
        QTest::newRow(row("Kaufkurs unter 0").constData())
            << int(f) << "kaufpreis" << UnterCent << ""
            << (box ? passtNicht(UnterCent, "Kaufkurs") : keineZahl);
    }
    QTest::newRow("Beobachten Zelle: Akt. Kurs") << int(Zelle) << "kurs" << MaxCent << MaxCent
                                                 << MaxCent;
    QTest::newRow("Beobachten Zelle: Akt. Kurs, eine Stelle mehr")
        << int(Zelle) << "kurs" << MaxCentMehr << ""
        << Eingabe::zuGrossText(QStringLiteral("Akt. Kurs"), false, 2);
    QTest::newRow("Beobachten Zelle: Akt. Kurs 0") << int(Zelle) << "kurs" << "0" << "0" << "0";
    QTest::newRow("Beobachten Zelle: Akt. Kurs unter 0")
        << int(Zelle) << "kurs" << UnterCent << "" << passtNicht(UnterCent, "Akt. Kurs");

    QTest::newRow("Index") << int(Index) << "indexzahl" << Max << Max << "100000000000,00";
    QTest::newRow("Index, eine Stelle mehr")
        << int(Index) << "indexzahl" << MaxMehr << "" << zuGross("Neuer Stand");
    QTest::newRow("Index 0") << int(Index) << "indexzahl" << "0" << "0" << "0,00";
    QTest::newRow("Index unter 0") << int(Index) << "indexzahl" << Unter << "" << keineZahl;

    QTest::newRow("Chartkurs") << int(Chartkurse) << "kurs" << Max << Max << Max;
    QTest::newRow("Chartkurs, eine Stelle mehr")
        << int(Chartkurse) << "kurs" << MaxMehr << "" << zuGross("Kurs");
    QTest::newRow("Chartkurs 0") << int(Chartkurse) << "kurs" << "0" << "0" << "0";
    QTest::newRow("Chartkurs unter 0") << int(Chartkurse) << "kurs" << Unter << "" << keineZahl;

    for (const char* f : {"ziel", "stop"}) {
        const QString name = QString::fromLatin1(f) == QLatin1String("ziel")
                                 ? QStringLiteral("Zielkurs")
                                 : QStringLiteral("Stopkurs");
        const auto row = [&name](const char* was) {
            return (name + QString::fromUtf8(was)).toUtf8();
        };
        QTest::newRow(row("").constData()) << int(Grenzkurse) << f << Max << Max << Max;
        QTest::newRow(row(", eine Stelle mehr").constData())
            << int(Grenzkurse) << f << MaxMehr << "" << Eingabe::zuGrossText(name);
        QTest::newRow(row(" 0").constData()) << int(Grenzkurse) << f << "0" << "0" << "0";
        QTest::newRow(row(" unter 0").constData()) << int(Grenzkurse) << f << Unter << "" << keineZahl;
    }
}

void TstBereich::feld() {
    QFETCH(int, fenster);
    QFETCH(QString, feld);
    QFETCH(QString, text);
    QFETCH(QString, gespeichert);
    QFETCH(QString, anzeige);
    const bool angenommen = !gespeichert.isEmpty();
    minusAngenommen = 0;

    Umgebung u;
    FakeMainWindow& api = *u.api;
    Bookmark paket = -1;
    switch (fenster) {
    case Kauf:
        api.addBuchung(QDate(2024, 3, 1), QStringLiteral("Einzahlung"),
                       QStringLiteral("300000000000"));
        break;
    case Verkauf:
        paket = api.addPaket(QStringLiteral("Alpha"), feld == QLatin1String("anzahl") ? 999999999 : 1,
                             QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("1"));
        break;
    case Edit:
    case NeuKurs:
    case AlleKurse:
    case Chartkurse:
    case Grenzkurse:
        // The field under test starts away from the value typed into it.
        paket = api.addPaket(
            QStringLiteral("Alpha"), 1,
            fenster == Edit && feld == QLatin1String("kaufpreis") ? QStringLiteral("1")
                                                                 : QStringLiteral("0"),
            fenster == Edit && feld == QStringLiteral("gebühren") ? QStringLiteral("1")
                                                                  : QStringLiteral("0"),
            QStringLiteral("1"));
        if (fenster == Grenzkurse)
            QVERIFY(u.db().exec(QStringLiteral("UPDATE Aktiendaten SET kursziel = 1, stopkurs = 1")));
        break;
    case Zelle:
        QVERIFY(u.db().exec(QStringLiteral("INSERT INTO Beobachten (datum, aktie, wpkn, stueck, "
                                           "kaufpreis, kurs) VALUES ('2024-03-01', 'Alpha', "
                                           "'1', 1, 10000, 10000)")));
        break;
    default:
        break;
    }
    if (fenster == Chartkurse)
        QVERIFY(u.db().exec(QStringLiteral("INSERT INTO kurse (aktie, datum, kurs) VALUES "
                                           "('Alpha', '2024-03-01', 10000)")));
    api.modul().lesezeichen = paket;
    const QString vorher = u.abbild();

    switch (fenster) {
    case Kauf: {
        FormAVNeu w(api);
        w.show();
        typeText(w.Textaktie, QStringLiteral("Neu"));
        typeText(w.Kennummer, QStringLiteral("123456"));
        eingeben(w.Textstueck, feld == QStringLiteral("stück") ? text : QStringLiteral("1"));
        eingeben(w.Textgebuehren, feld == QStringLiteral("gebühren") ? text : QStringLiteral("0"));
        eingeben(w.Textkaufpreis, feld == QLatin1String("kaufpreis") ? text : QStringLiteral("0"));
        w.schalter[11]->click();
        break;
    }
    case Edit: {
        FormAVEdit w(api);
        w.ausPaketFuellen();
        w.show();
        NumericField* f = feld == QStringLiteral("stück")       ? w.Textstueck
                          : feld == QLatin1String("kaufpreis") ? w.Textkaufpreis
                          : feld == QStringLiteral("gebühren")  ? w.Textgebuehren
                                                               : w.Texttageskurs;
        f->clear();
        eingeben(f, text);
        w.schalter[11]->click();
        break;
    }
    case NeuKurs: {
        FormNeuKurs w(api);
        w.show();
        eingeben(w.Text2, text);
        pressEnter(w.Text2);
        break;
    }
    case AlleKurse: {
        FormAlleKurseNeu w(api);
        w.show();
        eingeben(w.Text[0], text);
        pressEnter(w.Text[0]);
        break;
    }
    case Verkauf: {
        Formverkaufen w(api);
        w.show();
        if (feld == QLatin1String("anzahl")) {
            w.Text2->clear();
            eingeben(w.Text2, text);
            w.Text3->clear();
            typeText(w.Text3, QStringLiteral("1"));
        } else {
            w.Text3->clear();
            eingeben(w.Text3, feld == QLatin1String("kurs") ? text : QStringLiteral("0"));
            if (feld == QStringLiteral("gebühren")) eingeben(w.Text4, text);
        }
        pressEnter(w.Text4);
        break;
    }
    case Konto: {
        FormDepotKonto w(api);
        w.show();
        typeText(w.Text2, QStringLiteral("Einzahlung"));
        eingeben(w.Text1, text);
        pressEnter(w.Text1);
        break;
    }
    case Sonstige: {
        FormSonstige w(api);
        w.show();
        typeText(w.Text2, QStringLiteral("Dividende"));
        eingeben(w.Text3, text);
        pressEnter(w.Text3);
        break;
    }
    case Beobachten: {
        FormBeobachten w(api);
        w.show();
        typeText(w.Text1, QStringLiteral("Neu"));
        typeText(w.Text3, QStringLiteral("1"));
        eingeben(w.Text4, feld == QLatin1String("stueck") ? text : QStringLiteral("1"));
        eingeben(w.Text2, feld == QLatin1String("kaufpreis") ? text : QStringLiteral("1"));
        pressEnter(w.Text2);
        break;
    }
    case Zelle: {
        FormBeobachten w(api);
        w.show();
        api.scripted().inputs = {text};
        klicken(w.MSFlexGrid1, 0, beobachtenSpalte(feld));
        break;
    }
    case Index: {
        FormIndex w(api);
        w.show();
        eingeben(w.Text1, text);
        pressEnter(w.Text1);
        break;
    }
    case Chartkurse: {
        Formchartkurse100 w(api);
        w.show();
        w.Text3->clear();
        eingeben(w.Text3, text);
        pressEnter(w.Text3);
        break;
    }
    case Grenzkurse: {
        FormExtras w(api);
        w.show();
        grenzkurseWaehlen(w);
        for (NumericField* f : {w.Text3, w.Text4}) {
            f->clear();
            eingeben(f, (f == w.Text3) == (feld == QLatin1String("ziel")) ? text
                                                                          : QStringLiteral("1"));
        }
        w.Command3->click();
        break;
    }
    }

    const QStringList gezeigt = u.gezeigt();
    if (anzeige.isEmpty()) {
        // Beneath 0 in a field without a sign: the field never holds it; what
        // follows is the window's handling of an empty field.
        QCOMPARE(minusAngenommen, 0);
        return;
    }
    QCOMPARE(minusAngenommen, 0);
    if (!angenommen) {
        // Refused before any question, and nothing written.
        QCOMPARE(gezeigt, QStringList{anzeige});
        QCOMPARE(api.scripted().shown.first().icon, Dialogs::Icon::Exclamation);
        QCOMPARE(u.abbild(), vorher);
        return;
    }
    if (fenster == Chartkurse) {
        QCOMPARE(gezeigt, QStringList{}); // written as the row is left, unasked
    } else {
        QCOMPARE(gezeigt.size(), 1); // the question only
        QCOMPARE(api.scripted().shown.first().buttons, Dialogs::Buttons::YesNo);
    }
    QVERIFY(u.abbild() != vorher);

    Database& db = u.db();
    const auto zuletzt = [&db](const QString& sql) {
        return db.rows(sql + QStringLiteral(" ORDER BY _nr DESC LIMIT 1")).value(0).value(0);
    };
    switch (fenster) {
    case Kauf:
    case Edit: {
        const QString spalte = feld == QStringLiteral("stück") ? QStringLiteral("\"stück\"")
                               : feld == QStringLiteral("gebühren") ? QStringLiteral("\"gebühren\"")
                                                                   : feld;
        const QVariant wert = zuletzt(QStringLiteral("SELECT %1 FROM Aktiendaten").arg(spalte));
        if (feld == QStringLiteral("stück"))
            QCOMPARE(wert.toLongLong(), gespeichert.toLongLong());
        else
            QCOMPARE(wert.toLongLong(), cur(gespeichert).raw());
        api.Daten1().requery();
        api.Daten1().moveLast();
        const QStringList felder = editAnzeige(api);
        const int i = feld == QStringLiteral("stück")       ? 0
                      : feld == QLatin1String("kaufpreis") ? 1
                      : feld == QStringLiteral("gebühren")  ? 2
                                                           : 3;
        QCOMPARE(felder.at(i), anzeige);
        break;
    }
    case NeuKurs:
    case AlleKurse: {
        QCOMPARE(zuletzt(QStringLiteral("SELECT tageskurs FROM Aktiendaten")).toLongLong(),
                 cur(gespeichert).raw());
        QCOMPARE(zuletzt(QStringLiteral("SELECT kurs FROM kurse")).toLongLong(),
                 cur(gespeichert).raw());
        api.Daten1().requery();
        api.Daten1().setBookmark(paket);
        Formverkaufen w(api);
        w.show();
        QCOMPARE(w.Text3->text(), anzeige);
        break;
    }
    case Verkauf:
    case Konto:
    case Sonstige:
        QCOMPARE(zuletzt(QStringLiteral("SELECT summe FROM Gewinne")).toLongLong(),
                 cur(gespeichert).raw());
        QCOMPARE(u.kontostandAnzeige(), anzeige);
        break;
    case Beobachten:
    case Zelle: {
        const QVariant wert = zuletzt(QStringLiteral("SELECT %1 FROM Beobachten").arg(feld));
        QCOMPARE(wert.toLongLong(), feld == QLatin1String("stueck") ? gespeichert.toLongLong()
                                                                    : cur(gespeichert).raw());
        FormBeobachten w(api);
        QCOMPARE(w.zelle(0, beobachtenSpalte(feld)), anzeige);
        break;
    }
    case Index: {
        QCOMPARE(zuletzt(QStringLiteral("SELECT indexzahl FROM Indexkurse")).toDouble(),
                 cur(gespeichert).toDouble());
        FormIndex w(api);
        QCOMPARE(w.Label1->text(), anzeige);
        break;
    }
    case Chartkurse: {
        QCOMPARE(zuletzt(QStringLiteral("SELECT kurs FROM kurse")).toLongLong(),
                 cur(gespeichert).raw());
        Formchartkurse100 w(api);
        QCOMPARE(w.Text3->text(), anzeige);
        break;
    }
    case Grenzkurse: {
        const QString spalte =
            feld == QLatin1String("ziel") ? QStringLiteral("kursziel") : QStringLiteral("stopkurs");
        QCOMPARE(zuletzt(QStringLiteral("SELECT %1 FROM Aktiendaten").arg(spalte)).toDouble(),
                 cur(gespeichert).toDouble());
        FormExtras w(api);
        grenzkurseWaehlen(w);
        QCOMPARE((feld == QLatin1String("ziel") ? w.Text3 : w.Text4)->text(), anzeige);
        break;
    }
    }
}

void TstBereich::ergebnisZuGross_data() {
    QTest::addColumn<int>("fenster");
    QTest::addColumn<QString>("meldung");
    QTest::newRow("Kauf: größter Kurs mal größte Stückzahl")
        << int(Kauf) << Eingabe::ergebnisZuGrossText(QStringLiteral("Kaufbetrag"));
    QTest::newRow("Bearbeiten: größter Tageskurs mal größte Stückzahl")
        << int(Edit) << Eingabe::ergebnisZuGrossText(QStringLiteral("Wert des Aktienpakets"));
    QTest::newRow("Einzelkurs für ein großes Paket")
        << int(NeuKurs)
        << "Mit diesem Kurs wäre der Wert des Aktienpakets \"Alpha\" zu groß!\nErlaubt sind "
           "Beträge bis 99.999.999.999,9999.";
    QTest::newRow("Verkauf: größter Kurs mal größte Anzahl")
        << int(Verkauf) << Eingabe::ergebnisZuGrossText(QStringLiteral("Verkaufserlös"));
}

// Each field within the range, but their product is not: refused before the question.
void TstBereich::ergebnisZuGross() {
    QFETCH(int, fenster);
    QFETCH(QString, meldung);
    Umgebung u;
    FakeMainWindow& api = *u.api;
    api.addBuchung(QDate(2024, 3, 1), QStringLiteral("Einzahlung"), QStringLiteral("300000000000"));
    const Bookmark paket = api.addPaket(QStringLiteral("Alpha"), 999999999, QStringLiteral("1"),
                                        QStringLiteral("0"), QStringLiteral("1"));
    api.modul().lesezeichen = paket;
    const QString vorher = u.abbild();
    switch (fenster) {
    case Kauf: {
        FormAVNeu w(api);
        w.show();
        typeText(w.Textaktie, QStringLiteral("Neu"));
        typeText(w.Kennummer, QStringLiteral("1"));
        typeText(w.Textstueck, QStringLiteral("999999999"));
        typeText(w.Textgebuehren, QStringLiteral("0"));
        typeText(w.Textkaufpreis, Max);
        w.schalter[11]->click();
        break;
    }
    case Edit: {
        FormAVEdit w(api);
        w.ausPaketFuellen();
        w.Texttageskurs->clear();
        typeText(w.Texttageskurs, Max);
        w.schalter[11]->click();
        break;
    }
    case NeuKurs: {
        FormNeuKurs w(api);
        w.show();
        typeText(w.Text2, QStringLiteral("1000"));
        pressEnter(w.Text2);
        break;
    }
    case Verkauf: {
        Formverkaufen w(api);
        w.show();
        w.Text3->clear();
        typeText(w.Text3, Max);
        pressEnter(w.Text3);
        break;
    }
    }
    QCOMPARE(u.gezeigt(), QStringList{meldung});
    QCOMPARE(u.abbild(), vorher);
}

// A ledger written by another program whose sum leaves the 64-bit range: the
// balance is never shown as a wrong number, and buying is not offered.
void TstBereich::kontostandNichtBildbar() {
    Umgebung u;
    FakeMainWindow& api = *u.api;
    for (int i = 0; i < 2; ++i)
        QVERIFY(u.db().exec(QStringLiteral("INSERT INTO Gewinne (datum, text, summe) VALUES "
                                           "('2024-03-01', 'Einzahlung', ?)"),
                            {QVariant::fromValue<qint64>(9'000'000'000'000'000'000)}));
    QVERIFY(!Depot::kontostand(u.db()));

    FormDepotKonto w(api);
    w.show();
    QTRY_COMPARE(u.gezeigt(), QStringList{Depot::kontostandFehlerText()});
    QVERIFY(w.Label5->text() != QStringLiteral("0,00 DM"));
    QVERIFY(!w.Label5->text().contains(QRegularExpression(QStringLiteral("[0-9]"))));

    // Deleting one of them mends it.
    api.scripted().answers = {Dialogs::Answer::Yes};
    w.Daten1().moveFirst();
    w.Schalter3_Click();
    QCOMPARE(w.Label5->text(), QStringLiteral("900000000000000,00 DM"));

    // F2 with a balance that cannot be formed says so instead of "no money".
    u.db().exec(QStringLiteral("INSERT INTO Gewinne (datum, text, summe) VALUES ('2024-03-01', "
                               "'x', 9000000000000000000)"));
    api.scripted().shown.clear();
    bool geoeffnet = false;
    menuNeu(api, [&](QDialog&) {
        geoeffnet = true;
        return 0;
    });
    QVERIFY(!geoeffnet);
    QCOMPARE(u.gezeigt(), QStringList{Depot::kontostandFehlerText()});
    QCOMPARE(api.depotkontoCalls, 0);
}

// Totals over packages that leave the 64-bit range are an error, not a total.
void TstBereich::summenNichtBildbar() {
    Umgebung u;
    u.api->addPaket(QStringLiteral("Alpha"), 999999999, QStringLiteral("1"), QStringLiteral("0"),
                    QStringLiteral("1"));
    QVERIFY(u.db().exec(QStringLiteral("UPDATE Aktiendaten SET tageskurs = 9000000000000000")));
    QVERIFY(!Depot::summen(u.db()));
    u.api->SummenAktualisieren();
    QVERIFY(!u.api->gesamtwertText().contains(QRegularExpression(QStringLiteral("[0-9]"))));
}

QTEST_MAIN(TstBereich)
#include "tst_bereich.moc"
