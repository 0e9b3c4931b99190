// Notes in the rich-text box: stored RTF shown and read back unchanged.
#include "platform/RtfText.h"

#include <QTest>
#include <QTextEdit>

class TstRtfText final : public QObject {
    Q_OBJECT
private slots:
    void plainNotes_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("point") << "."
                               << ".";
        QTest::newRow("plain lines") << "eins\nzwei"
                                     << "eins\nzwei";
        QTest::newRow("rtf with umlauts")
            << "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Gr\\'fc\\'dfe\\par Zeile\\line zwei\\par}"
            << "Grüße\nZeile\nzwei";
    }
    void plainNotes() {
        QFETCH(QString, stored);
        QTextEdit edit;
        RtfText::setRtf(&edit, stored);
        QTEST(edit.toPlainText(), "shown");
        // What the box writes reads back to the same text.
        QCOMPARE(Rtf::toPlainText(RtfText::rtf(&edit)),
                 Rtf::toPlainText(
                     stored.contains(QLatin1String("\\rtf")) ? stored : Rtf::plainToRtf(stored)));
    }

    void formatsSurvive() {
        Rtf::Document d;
        Rtf::Paragraph p;
        p.runs.append(Rtf::Run{"normal ", false, false, false, 0, std::nullopt, {}});
        p.runs.append(Rtf::Run{"fett", true, false, false, 0, std::nullopt, {}});
        p.runs.append(Rtf::Run{" rot", false, true, true, 28, 0xC00000u, "Courier New"});
        d.paragraphs = {p, Rtf::Paragraph()};
        QTextEdit edit;
        RtfText::setRtf(&edit, Rtf::write(d));
        const Rtf::Document back = Rtf::parse(RtfText::rtf(&edit));
        QCOMPARE(back, d);
    }

    void typedTextIsStored() {
        QTextEdit edit;
        RtfText::setRtf(&edit, QStringLiteral("."));
        edit.selectAll();
        edit.setFontWeight(QFont::Bold);
        edit.insertPlainText(QStringLiteral("Öl € 5"));
        const Rtf::Document back = Rtf::parse(RtfText::rtf(&edit));
        QCOMPARE(back.plainText(), QStringLiteral("Öl € 5"));
        QVERIFY(back.paragraphs[0].runs[0].bold);
    }
};

QTEST_MAIN(TstRtfText)
#include "tst_rtftext.moc"
