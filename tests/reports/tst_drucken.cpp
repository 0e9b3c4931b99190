// Printing the reports and the order form, read back from the PDF files;
// the print form's emphasis; the print questions; the system printer's
// choice of printer and its PDF fallback.

#include "core/Numbers.h"
#include "db/Schema.h"
#include "platform/Drucker.h"
#include "reports/BefehleBerichte.h"
#include "reports/BerichtDaten.h"
#include "reports/FormDruckRtf.h"
#include "support/FakeMainWindow.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QProgressBar>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <unistd.h>

namespace {

/// The text of a PDF as pdftotext lays it out.
QString pdfText(const QString& datei) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), datei, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return QStringLiteral("<pdftotext>");
    return QString::fromUtf8(p.readAllStandardOutput());
}

/// "Page size: 595.276 x 841.89 pts (A4)" → true for a page wider than high.
bool querformat(const QString& datei) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {datei});
    p.waitForFinished(30000);
    for (const QString& z : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n')))
        if (z.startsWith(QStringLiteral("Page size:"))) {
            const QStringList teile = z.simplified().split(QLatin1Char(' '));
            return teile.size() > 4 && teile[2].toDouble() > teile[4].toDouble();
        }
    return false;
}

/// Lines with their runs of blanks folded, empty lines dropped.
QStringList gefaltet(const QString& text) {
    QStringList zeilen;
    for (const QString& z : text.split(QRegularExpression(QStringLiteral("\r?\n|\f"))))
        if (!z.simplified().isEmpty()) zeilen << z.simplified();
    return zeilen;
}

/// The font a character of the document is drawn in.
QFont schriftBei(QTextDocument& d, int position) {
    QTextCursor c(&d);
    c.setPosition(position + 1); // the format of the character before the cursor
    return c.charFormat().font().resolve(d.defaultFont());
}

/// Scripted printers: each prints into "<name>.pdf" in a folder; the print
/// dialog records the printer and orientation it opened on and gives the
/// scripted answer.
class GeskriptetWahl final : public Druckerwahl {
public:
    struct Dialog {
        QString drucker;
        QPageLayout::Orientation lage;
    };
    QStringList installiert;
    QString standardName;
    bool annehmen = true;
    int kopien = 1; ///< chosen in the dialog
    QString ordner;
    QList<Dialog> dialoge;

    QStringList namen() const override { return installiert; }
    QString standard() const override { return standardName; }
    std::unique_ptr<QPrinter> drucker(const QString& name) override {
        auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(QDir(ordner).filePath(name + QStringLiteral(".pdf")));
        return p;
    }
    bool waehlen(QPrinter& p, QWidget*) override {
        dialoge.append(
            {QFileInfo(p.outputFileName()).completeBaseName(), p.pageLayout().orientation()});
        p.setCopyCount(kopien);
        return annehmen;
    }
};

struct Depot {
    TempProgramDir dir{false, QDate(2024, 3, 15)};
    std::unique_ptr<FakeMainWindow> api;

    Depot() {
        api = std::make_unique<FakeMainWindow>(dir.dbPath());
        api->addPaket(QStringLiteral("Allianz"), 10, QStringLiteral("200"), QStringLiteral("9,9"),
                      QStringLiteral("180,5"), QDate(2024, 1, 2));
        api->addPaket(QStringLiteral("Deutsche Weltfonds Anlage Plus"), 25, QStringLiteral("40"),
                      QStringLiteral("5"), QStringLiteral("40"), QDate(2023, 2, 10));
        db().exec(QStringLiteral("UPDATE Aktiendaten SET datum = '2024-03-14', altkurs = ?"),
                  {QVariant::fromValue(*Numbers::parseCurrency(QStringLiteral("185")))});
        db().exec(QStringLiteral("UPDATE kennwort SET altallwert = ?"),
                  {QVariant::fromValue(*Numbers::parseCurrency(QStringLiteral("2900")))});
        api->PaketeZaehlen();
        api->SummenAktualisieren();
    }
    Database& db() { return api->database(); }
    ScriptedDialogs& dialogs() { return api->scripted(); }
    QList<PdfDrucker::Auftrag>& auftraege() { return api->pdf().auftraege; }
    void index(const QString& name, double zahl) {
        db().exec(QStringLiteral("INSERT INTO Indexkurse (indexname, indexzahl, datum) VALUES "
                                 "(?, ?, '2024-03-15')"),
                  {name, zahl});
    }
};

} // namespace

class TstDrucken final : public QObject {
    Q_OBJECT
private slots:
    void kurzberichtImPdf() {
        Depot d;
        QVERIFY(DruckeKurzbericht(*d.api));
        QCOMPARE(d.auftraege().size(), 1);
        const auto& a = d.auftraege().first();
        QVERIFY(a.ok);
        QCOMPARE(a.was, QStringLiteral("Bericht Kurzfassung"));
        QVERIFY(!querformat(a.datei));
        // The text printed is the printed layout, kept in berichttext.
        QCOMPARE(gefaltet(pdfText(a.datei)), gefaltet(d.api->modul().berichttext));
        QVERIFY(d.api->modul().berichttext.contains(QStringLiteral("Deutsche Weltfonds Anlage ")));
    }

    void komplettberichtQuer() {
        Depot d;
        QVERIFY(komplettberichtDrucken(*d.api));
        const auto& a = d.auftraege().first();
        QCOMPARE(a.was, QStringLiteral("Bericht Komplettfassung"));
        QVERIFY(querformat(a.datei));
        const QStringList gedruckt = gefaltet(pdfText(a.datei));
        QCOMPARE(gedruckt, gefaltet(d.api->modul().berichttext));
        QVERIFY(gedruckt.contains(QStringLiteral(
            "14.03.2024 123456 Allianz 10 9,90 02.01.2024 200,00 180,50 1805,00")));
    }

    void vieleSeiten() {
        Depot d;
        for (int i = 0; i < 150; ++i)
            d.api->addPaket(QStringLiteral("Paket %1").arg(i), 1, QStringLiteral("1"),
                            QStringLiteral("0"), QStringLiteral("2"));
        QVERIFY(komplettberichtDrucken(*d.api));
        const QString text = pdfText(d.auftraege().first().datei);
        QVERIFY(text.count(QLatin1Char('\f')) >= 2); // page after page
        for (const QString& name : {QStringLiteral("Paket 0 "), QStringLiteral("Paket 149 ")})
            QVERIFY2(text.contains(name), qPrintable(name));
        QVERIFY(text.contains(QStringLiteral("Werte in Euro (DM-Werte in Klammern)")));
    }

    void hervorhebungen_data() {
        QTest::addColumn<int>("art");
        QTest::addColumn<QString>("titel");
        QTest::addColumn<bool>("titelUnterstrichen");
        QTest::addColumn<QString>("kopfAnfang"); // empty: no second range
        QTest::addColumn<bool>("kopfUnterstrichen");
        QTest::newRow("kurz") << 1 << "   BERICHT AKTIENBESTAND " << false << "" << false;
        QTest::newRow("komplett") << 3 << "BERICHT AKTIENBESTAND" << true << "___" << false;
        QTest::newRow("differenz") << 2 << "Bericht Aktien-Wertdifferenz" << true << "  Datum"
                                   << true;
    }
    void hervorhebungen() {
        QFETCH(int, art);
        QFETCH(QString, titel);
        QFETCH(bool, titelUnterstrichen);
        QFETCH(QString, kopfAnfang);
        QFETCH(bool, kopfUnterstrichen);
        Depot d;
        FormDruckRtf form;
        Berichte::Bereich t, k;
        if (art == 3) {
            DruckeKomplettbericht(*d.api, form);
            QCOMPARE(form.caption, QStringLiteral("Bericht Komplettfassung"));
            t = Berichte::KomplettDruckTitel;
            k = Berichte::KomplettDruckKopf;
        } else {
            // The same text and emphasis as the print procedures give.
            const QString text =
                art == 1 ? Berichte::kurzfassungDruck(Berichte::paketeLesen(d.db()).pakete, QDate(2024, 3, 15))
                         : Berichte::differenzDruck(Berichte::paketeLesen(d.db()).pakete,
                                                    Berichte::tageswerteLesen(d.db()), "DAX");
            form.textSetzen(text);
            t = art == 1 ? Berichte::KurzDruckTitel : Berichte::DifferenzDruckTitel;
            form.titelBetonen(t, titelUnterstrichen);
            if (art == 2) {
                k = Berichte::DifferenzDruckKopf;
                form.kopfBetonen(k, true);
            }
        }
        QTextDocument& doc = form.RText2();
        const int von = form.dokumentPosition(t.start);
        const int bis = form.dokumentPosition(t.start + t.laenge);
        QCOMPARE(bis - von, titel.size());
        QTextCursor c(&doc);
        c.setPosition(von);
        c.setPosition(bis, QTextCursor::KeepAnchor);
        QCOMPARE(c.selectedText(), titel);
        for (int p = von; p < bis; ++p) {
            const QFont f = schriftBei(doc, p);
            QCOMPARE(f.family(), QStringLiteral("Arial"));
            QCOMPARE(f.pointSizeF(), 14.0);
            QVERIFY(f.bold());
            QCOMPARE(f.underline(), titelUnterstrichen);
        }
        // Before and after the title: the box's own face.
        for (int p : {von - 1, bis}) {
            const QFont f = schriftBei(doc, p);
            QCOMPARE(f.family(), QStringLiteral("Courier New"));
            QCOMPARE(f.pointSizeF(), 8.25);
            QVERIFY(f.bold());
            QVERIFY(!f.underline());
        }
        if (!kopfAnfang.isEmpty()) {
            const int kv = form.dokumentPosition(k.start);
            const int kb = form.dokumentPosition(k.start + k.laenge);
            c.setPosition(kv);
            c.setPosition(kb, QTextCursor::KeepAnchor);
            QVERIFY(c.selectedText().startsWith(kopfAnfang));
            for (int p = kv; p < kb; ++p) {
                const QFont f = schriftBei(doc, p);
                QVERIFY(f.bold());
                QCOMPARE(f.pointSizeF(), 8.25);
                QCOMPARE(f.underline(), kopfUnterstrichen);
            }
            QVERIFY(!schriftBei(doc, kb).underline());
        }
    }

    // The names of all packages are read into one text the packages point
    // into: long, non-Latin, empty and missing names, enough of them that the
    // text grows several times while it is read, and still right in a copy
    // that outlives the object they were read into.
    void namenAusDerDatei() {
        Depot d;
        QStringList aktien, wpkn;
        for (int i = 0; i < 400; ++i) {
            QString name = QStringLiteral("Müller & Söhne 株式 %1 😀 ").arg(i);
            name += QString(i % 5 == 0 ? 200 : i % 7, QChar(u'x'));
            const QVariant nummer = i % 11 == 0 ? QVariant() : QVariant(QString::number(100000 + i));
            d.db().exec(QStringLiteral("INSERT INTO Aktiendaten (aktie, \"WP-KNummer\") VALUES (?, ?)"),
                        {i % 13 == 0 ? QString() : name, nummer});
        }
        for (const QVariantList& z :
             d.db().rows(QStringLiteral("SELECT aktie, \"WP-KNummer\" FROM Aktiendaten ORDER BY _nr"))) {
            aktien << z.value(0).toString();
            wpkn << z.value(1).toString();
        }
        std::optional<BerichtBestand> kopie;
        {
            const BerichtBestand gelesen = Berichte::paketeLesen(d.db());
            kopie = gelesen;
        }
        QCOMPARE(kopie->pakete.size(), aktien.size());
        for (qsizetype i = 0; i < aktien.size(); ++i) {
            QCOMPARE(kopie->pakete[i].aktie.toString(), aktien[i]);
            QCOMPARE(kopie->pakete[i].wpkn.toString(), wpkn[i]);
        }
    }

    void differenzMitGemerktemIndexnamen() {
        Depot d;
        d.index(QStringLiteral("DAX"), 16850.5);
        const BerichtSeite s = berichtDifferenz(*d.api);
        QVERIFY(s.text.endsWith(QStringLiteral(" Index (DAX) = 16850,50")));
        QCOMPARE(d.api->modul().berichtart, 2);
        // A new index row with another name after the screen report.
        d.index(QStringLiteral("Euro Stoxx"), 4980.25);
        QVERIFY(DruckeDifferenzbericht(*d.api));
        QVERIFY(d.api->modul().berichttext.endsWith(
            QStringLiteral("              Index (DAX)  = 4980,25   ")));
        const QString pdf = pdfText(d.auftraege().first().datei).simplified();
        QVERIFY(pdf.contains(QStringLiteral("Index (DAX) = 4980,25")));
        QVERIFY(pdf.contains(QStringLiteral("Tagesverlust = -95,00 Euro")));
        QVERIFY(!querformat(d.auftraege().first().datei));
    }

    void leererIndex() {
        Depot d;
        const BerichtSeite s = berichtDifferenz(*d.api);
        QVERIFY(s.text.endsWith(QStringLiteral("\r\n\r\n Index () = ")));
    }

    void fortschrittJeZeile() {
        Depot d;
        QProgressBar& balken = d.api->ProgressBar1();
        QList<int> werte;
        connect(&balken, &QProgressBar::valueChanged, this, [&](int v) { werte << v; });
        berichtKurzfassung(*d.api);
        QVERIFY(!balken.isHidden()); // the main window hides it once the report shows
        QCOMPARE(balken.minimum(), 1);
        QCOMPARE(balken.maximum(), 2);
        QCOMPARE(werte.last(), 2);
    }

    void druckfrage_data() {
        QTest::addColumn<int>("berichtart");
        QTest::addColumn<Dialogs::Answer>("antwort");
        QTest::addColumn<QString>("gedruckt");
        QTest::addColumn<int>("meldungen");
        QTest::newRow("kurz, Ja") << 1 << Dialogs::Answer::Yes << "Bericht Kurzfassung" << 1;
        QTest::newRow("kurz, Nein") << 1 << Dialogs::Answer::No << "" << 1;
        QTest::newRow("differenz, Ja")
            << 2 << Dialogs::Answer::Yes << "Bericht Differenz zum Vortag" << 1;
        QTest::newRow("differenz, Nein") << 2 << Dialogs::Answer::No << "" << 1;
        // The complete report prints from its own window; here the user is told.
        QTest::newRow("komplett, Ja") << 3 << Dialogs::Answer::Yes << "" << 2;
        QTest::newRow("komplett, Nein") << 3 << Dialogs::Answer::No << "" << 1;
    }
    void druckfrage() {
        QFETCH(int, berichtart);
        QFETCH(Dialogs::Answer, antwort);
        QFETCH(QString, gedruckt);
        QFETCH(int, meldungen);
        Depot d;
        d.api->modul().berichtart = berichtart;
        d.api->modul().berichttext = QStringLiteral("unverändert");
        d.dialogs().answers = {antwort};
        berichtDrucken(*d.api);
        const auto& gezeigt = d.dialogs().shown;
        QCOMPARE(gezeigt.size(), meldungen);
        QCOMPARE(gezeigt.first().text, QStringLiteral("Möchten Sie den Bericht jetzt drucken?"));
        QCOMPARE(gezeigt.first().icon, Dialogs::Icon::Question);
        QCOMPARE(gezeigt.first().buttons, Dialogs::Buttons::YesNo);
        QCOMPARE(gezeigt.first().title, QStringLiteral("Kapito 3.6"));
        if (meldungen == 2) QCOMPARE(gezeigt.last().icon, Dialogs::Icon::Exclamation);
        QCOMPARE(d.auftraege().size(), gedruckt.isEmpty() ? 0 : 1);
        if (!gedruckt.isEmpty()) QCOMPARE(d.auftraege().first().was, gedruckt);
        else QCOMPARE(d.api->modul().berichttext, QStringLiteral("unverändert"));
    }

    void bestellschein_data() {
        QTest::addColumn<bool>("vorhanden");
        QTest::addColumn<Dialogs::Answer>("antwort");
        QTest::addColumn<QStringList>("meldungen");
        QTest::addColumn<bool>("gedruckt");
        const QString frage = QStringLiteral("Möchten Sie einen Bestellschein drucken?");
        const QString fehlt = QStringLiteral("Die Datei \"bestellschein.txt\" wurde nicht "
                                             "gefunden!\nBitte kopieren Sie die Datei in das "
                                             "Programmverzeichnis.");
        QTest::newRow("vorhanden, Ja") << true << Dialogs::Answer::Yes << QStringList{frage} << true;
        QTest::newRow("vorhanden, Nein")
            << true << Dialogs::Answer::No << QStringList{frage} << false;
        QTest::newRow("fehlt, Ja") << false << Dialogs::Answer::Yes << QStringList{frage, fehlt}
                                   << false;
        QTest::newRow("fehlt, Nein") << false << Dialogs::Answer::No << QStringList{frage} << false;
    }
    void bestellschein() {
        QFETCH(bool, vorhanden);
        QFETCH(Dialogs::Answer, antwort);
        QFETCH(QStringList, meldungen);
        QFETCH(bool, gedruckt);
        Depot d;
        const QString vorlage = qEnvironmentVariable("KAPITO_SOURCE_DIR") +
                                QStringLiteral("/resources/bestellschein.txt");
        const QString ziel = d.dir.path() + QStringLiteral("/bestellschein.txt");
        if (vorhanden) QVERIFY(QFile::copy(vorlage, ziel));
        d.dialogs().answers = {antwort};
        DruckeBestellschein(*d.api, d.dir.path());
        QStringList gezeigt;
        for (const auto& m : d.dialogs().shown)
            gezeigt << m.text;
        QCOMPARE(gezeigt, meldungen);
        QCOMPARE(d.dialogs().shown.last().icon,
                 meldungen.size() == 2 ? Dialogs::Icon::Exclamation : Dialogs::Icon::Question);
        QCOMPARE(d.auftraege().size(), gedruckt ? 1 : 0);
        if (gedruckt) {
            QFile f(vorlage);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QString datei = QString::fromUtf8(f.readAll());
            QVERIFY(datei.contains(QStringLiteral("WP-KN")));
            QCOMPARE(gefaltet(pdfText(d.auftraege().first().datei)), gefaltet(datei));
            QCOMPARE(d.auftraege().first().was, QStringLiteral("Bestellschein"));
        }
    }

    void bestellscheinUnlesbar() {
        if (::geteuid() == 0) QSKIP("root reads every file");
        Depot d;
        const QString ziel = d.dir.path() + QStringLiteral("/bestellschein.txt");
        QFile f(ziel);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Bestellschein\n");
        f.close();
        QVERIFY(f.setPermissions(QFileDevice::Permissions()));
        DruckeBestellschein(*d.api, d.dir.path());
        QCOMPARE(d.dialogs().lastText(),
                 QStringLiteral("Die Datei \"bestellschein.txt\" konnte nicht gelesen werden."));
        QVERIFY(d.auftraege().isEmpty());
    }

    void bestellscheinAlterZeichensatz() {
        Depot d;
        QFile f(d.dir.path() + QStringLiteral("/bestellschein.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("St\xfc""ck:  ____\r\nGr\xfc\xdf""e\r\n"); // Windows code page
        f.close();
        DruckeBestellschein(*d.api, d.dir.path());
        QCOMPARE(gefaltet(pdfText(d.auftraege().first().datei)),
                 (QStringList{QStringLiteral("Stück: ____"), QStringLiteral("Grüße")}));
    }

    void systemDruckerWahl_data() {
        QTest::addColumn<QStringList>("installiert");
        QTest::addColumn<QString>("standard");
        QTest::addColumn<bool>("annehmen");
        QTest::addColumn<QString>("dialogAuf");   // empty: no dialog
        QTest::addColumn<QString>("gedrucktAuf"); // empty: nothing printed
        QTest::addColumn<int>("kopien");          // chosen in the dialog
        const QStringList zwei{QStringLiteral("Buero"), QStringLiteral("Keller")};
        QTest::newRow("one printer: at once")
            << QStringList{QStringLiteral("Buero")} << "Buero" << false << ""
            << "Buero" << 1;
        QTest::newRow("two, accepted") << zwei << "Keller" << true << "Keller"
                                       << "Keller" << 1;
        QTest::newRow("two, Abbrechen") << zwei << "Keller" << false << "Keller"
                                        << "" << 1;
        QTest::newRow("two, no default") << zwei << "" << true << "Buero"
                                         << "Buero" << 1;
        QTest::newRow("two, 2 copies to a file") << zwei << "Keller" << true << "Keller"
                                                 << "Keller" << 2;
    }

    // With several printers the print dialog opens on the default printer and
    // the print's orientation; Abbrechen prints nothing and says nothing.
    // Printed text stays text.
    void systemDruckerWahl() {
        QFETCH(QStringList, installiert);
        QFETCH(QString, standard);
        QFETCH(bool, annehmen);
        QFETCH(QString, dialogAuf);
        QFETCH(QString, gedrucktAuf);
        QFETCH(int, kopien);
        TempProgramDir dir(false);
        ScriptedDialogs dialogs;
        FixedClock uhr(QDateTime(QDate(2026, 12, 7), QTime(14, 3, 11)));
        GeskriptetWahl wahl;
        wahl.installiert = installiert;
        wahl.standardName = standard;
        wahl.annehmen = annehmen;
        wahl.kopien = kopien;
        wahl.ordner = dir.path();
        SystemDrucker drucker(dialogs, uhr, dir.path(), nullptr, &wahl);
        QTextDocument doc;
        doc.setPlainText(QStringLiteral("Zeile eins\nZeile zwei"));
        QCOMPARE(drucker.dokument(QStringLiteral("Bericht Komplettfassung"), doc,
                                  Drucker::Ausrichtung::Querformat),
                 !gedrucktAuf.isEmpty());
        QCOMPARE(wahl.dialoge.size(), dialogAuf.isEmpty() ? 0 : 1);
        if (!dialogAuf.isEmpty()) {
            QCOMPARE(wahl.dialoge[0].drucker, dialogAuf);
            QCOMPARE(wahl.dialoge[0].lage, QPageLayout::Landscape);
        }
        const QStringList pdfs = QDir(dir.path()).entryList({QStringLiteral("*.pdf")});
        QCOMPARE(pdfs, gedrucktAuf.isEmpty() ? QStringList()
                                             : QStringList{gedrucktAuf + QStringLiteral(".pdf")});
        if (!gedrucktAuf.isEmpty()) {
            const QString datei = dir.path() + QLatin1Char('/') + pdfs[0];
            QStringList zeilen;
            for (int k = 0; k < kopien; ++k)
                zeilen << QStringLiteral("Zeile eins") << QStringLiteral("Zeile zwei");
            QCOMPARE(gefaltet(pdfText(datei)), zeilen);
            QVERIFY(querformat(datei));
        }
        QVERIFY(dialogs.shown.isEmpty());
        QVERIFY(!QFileInfo::exists(dir.path() + QStringLiteral("/Ausdrucke")));
    }

    // Without a printer the print becomes a PDF in "Ausdrucke" and the user
    // is told where; a print that cannot be written is reported.
    void systemDruckerOhneDrucker() {
        TempProgramDir dir(false);
        ScriptedDialogs dialogs;
        FixedClock uhr(QDateTime(QDate(2026, 12, 7), QTime(14, 3, 11)));
        GeskriptetWahl keiner;
        SystemDrucker drucker(dialogs, uhr, dir.path(), nullptr, &keiner);
        QTextDocument doc;
        doc.setPlainText(QStringLiteral("Zeile eins\nZeile zwei"));
        QVERIFY(drucker.dokument(QStringLiteral("Bericht Kurzfassung"), doc,
                                 Drucker::Ausrichtung::Hochformat));
        const QString datei =
            dir.path() + QStringLiteral("/Ausdrucke/Bericht Kurzfassung 2026-12-07 14-03-11.pdf");
        QVERIFY(QFile::exists(datei));
        QCOMPARE(gefaltet(pdfText(datei)),
                 (QStringList{QStringLiteral("Zeile eins"), QStringLiteral("Zeile zwei")}));
        QCOMPARE(dialogs.shown.size(), 1);
        QCOMPARE(dialogs.shown[0].text, QStringLiteral("Es ist kein Drucker eingerichtet.\nDer "
                                                       "Ausdruck wurde als PDF-Datei "
                                                       "gespeichert:\n") +
                                            QDir::toNativeSeparators(datei));
        QCOMPARE(dialogs.shown[0].icon, Dialogs::Icon::Exclamation);
        QCOMPARE(dialogs.shown[0].title, QStringLiteral("Kapito 3.6"));

        // A second print in the same second keeps the first file.
        QVERIFY(drucker.seite(QStringLiteral("Bericht Kurzfassung"), Drucker::Ausrichtung::Querformat,
                              [](QPainter&, const QRectF&) {}));
        const QString zweite =
            dir.path() + QStringLiteral("/Ausdrucke/Bericht Kurzfassung 2026-12-07 14-03-11 (2).pdf");
        QVERIFY(QFile::exists(zweite));
        QVERIFY(querformat(zweite));
    }

    void systemDruckerOrdnerFehlt() {
        TempProgramDir dir(false);
        // A file where the folder should be.
        QFile weg(dir.path() + QStringLiteral("/Ausdrucke"));
        QVERIFY(weg.open(QIODevice::WriteOnly));
        weg.close();
        ScriptedDialogs dialogs;
        FixedClock uhr(QDateTime(QDate(2026, 12, 7), QTime(14, 3, 11)));
        GeskriptetWahl keiner;
        SystemDrucker drucker(dialogs, uhr, dir.path(), nullptr, &keiner);
        QVERIFY(!drucker.bild(QStringLiteral("Bilanz-Chart"), QImage(10, 10, QImage::Format_RGB32),
                              Drucker::Ausrichtung::Querformat));
        QCOMPARE(dialogs.shown.size(), 1);
        QVERIFY(dialogs.shown[0].text.endsWith(QStringLiteral("Der Ausdruck ist fehlgeschlagen.")));
    }

    void pdfNamen() {
        const QDateTime t(QDate(2026, 12, 7), QTime(14, 3, 11));
        QCOMPARE(Drucker::pdfName(QStringLiteral("Bericht Kurzfassung"), t),
                 QStringLiteral("Bericht Kurzfassung 2026-12-07 14-03-11.pdf"));
        QCOMPARE(Drucker::pdfName(QStringLiteral("30/100: Chart"), t),
                 QStringLiteral("30-100- Chart 2026-12-07 14-03-11.pdf"));
    }
};

QTEST_MAIN(TstDrucken)
#include "tst_drucken.moc"
