// RTF of the notes: reading what the notes box writes, writing it back,
// and surviving anything else.
#include "core/Rtf.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Rtf;

class TstRtf final : public QObject {
    Q_OBJECT
private slots:
    void plainText_data() {
        QTest::addColumn<QString>("rtf");
        QTest::addColumn<QString>("text");
        QTest::newRow("typical notes box")
            << "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\fswiss\\fcharset0 "
               "Arial;}}\n\\viewkind4\\uc1\\pard\\f0\\fs17 Kaufen bei 12,5\\par\n}"
            << "Kaufen bei 12,5";
        QTest::newRow("umlauts as hex") << "{\\rtf1 M\\'fcller \\'e4\\'f6\\'df \\'80}"
                                        << "Müller äöß €";
        QTest::newRow("unicode with fallback") << "{\\rtf1\\uc1 a\\u8364?b\\u-4064?c}"
                                               << "a€b\uF020c";
        QTest::newRow("two paragraphs") << "{\\rtf1 eins\\par zwei\\par}"
                                        << "eins\nzwei";
        QTest::newRow("empty middle paragraph") << "{\\rtf1 a\\par\\par b}"
                                                << "a\n\nb";
        QTest::newRow("ignorable destination") << "{\\rtf1{\\*\\generator Msftedit;}{\\*\\foo "
                                                  "{bar}}x}"
                                               << "x";
        QTest::newRow("skipped tables") << "{\\rtf1{\\stylesheet{\\s0 Normal;}}{\\info{\\title "
                                           "T}}y}"
                                        << "y";
        QTest::newRow("escaped braces") << "{\\rtf1 \\{a\\}\\\\}"
                                        << "{a}\\";
        QTest::newRow("unknown words skipped") << "{\\rtf1\\foo12\\barx z}"
                                               << "z";
        QTest::newRow("line and tab") << "{\\rtf1 a\\line b\\tab c}"
                                      << "a\nb\tc";
        QTest::newRow("not rtf at all") << "."
                                        << ".";
        QTest::newRow("plain lines") << "a\r\nb"
                                     << "a\nb";
        QTest::newRow("unclosed") << "{\\rtf1 {\\b abc"
                                  << "abc";
        QTest::newRow("too many closing") << "{\\rtf1 a}}}} b"
                                          << "a b";
        QTest::newRow("dangling backslash") << "{\\rtf1 a\\"
                                            << "a";
        QTest::newRow("short hex") << "{\\rtf1 a\\'f"
                                   << "a\u000f";
    }
    void plainText() {
        QFETCH(QString, rtf);
        QTEST(parse(rtf).plainText(), "text");
    }

    void formats() {
        const Document d = parse(QStringLiteral(
            "{\\rtf1\\deff0{\\fonttbl{\\f0 Arial;}{\\f1\\fmodern Courier New;}}"
            "{\\colortbl ;\\red255\\green0\\blue0;}"
            "\\pard normal \\b fett\\b0  {\\i kursiv} \\ul unter\\ulnone  \\cf1\\fs32 rot\\cf0  "
            "\\f1 mono\\par}"));
        QCOMPARE(d.paragraphs.size(), 1);
        const QList<Run>& r = d.paragraphs[0].runs;
        QCOMPARE(d.plainText(), QStringLiteral("normal fett kursiv unter rot mono"));
        auto find = [&](const QString& t) -> const Run& {
            for (const Run& run : r)
                if (run.text.contains(t)) return run;
            return r.first();
        };
        QVERIFY(!find("normal").bold);
        QVERIFY(find("fett").bold);
        QVERIFY(find("kursiv").italic);
        QVERIFY(!find("unter").italic); // the group ended
        QVERIFY(find("unter").underline);
        QCOMPARE(find("rot").color, std::optional<quint32>(0xFF0000));
        QCOMPARE(find("rot").halfPoints, 32);
        QCOMPARE(find("mono").font, QStringLiteral("Courier New"));
        QCOMPARE(find("mono").color, std::nullopt);
        QVERIFY(find("normal").font.isEmpty()); // the default font is the box's own
    }

    void roundTrip_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("single point") << ".";
        QTest::newRow("empty") << "";
        QTest::newRow("umlauts and euro") << "Öl für 12,50 €";
        QTest::newRow("outside cp1252") << "Ω ≥ 😀";
        QTest::newRow("special characters") << "a{b}c\\d";
        QTest::newRow("lines") << "eins\n\nzwei\n";
    }
    void roundTrip() {
        QFETCH(QString, text);
        const QString rtf = plainToRtf(text);
        for (QChar c : rtf)
            QVERIFY2(c.unicode() < 0x80, "RTF must be plain ASCII");
        QCOMPARE(toPlainText(rtf), text);
    }

    // A note that holds control characters (a carriage return among them)
    // keeps them when it is written again.
    void controlCharactersKept() {
        for (const char* rtf : {"{\\rtf1 a\\'0db}", "{\\rtf1 a\\'d}b", "{\\rtf1 a\\'01\\'1fb}"}) {
            const Document d = parse(QString::fromLatin1(rtf));
            QCOMPARE(parse(write(d)).plainText(), d.plainText());
        }
    }

    void formattedRoundTrip() {
        Document d;
        Paragraph p;
        p.runs.append(Run{"fett", true, false, false, 0, std::nullopt, {}});
        p.runs.append(Run{" rot;", false, true, true, 24, 0x00FF00u, "Courier New"});
        d.paragraphs.append(p);
        d.paragraphs.append(Paragraph());
        Paragraph q;
        q.runs.append(Run{"Ä", false, false, false, 0, 0x123456u, "Font;With;Semicolons"});
        d.paragraphs.append(q);
        const Document back = parse(write(d));
        QCOMPARE(back.paragraphs.size(), 3);
        QCOMPARE(back.paragraphs[0], d.paragraphs[0]);
        QCOMPARE(back.paragraphs[1], d.paragraphs[1]);
        QCOMPARE(back.paragraphs[2].runs[0].font, QStringLiteral("FontWithSemicolons"));
        QCOMPARE(back.paragraphs[2].runs[0].color, std::optional<quint32>(0x123456));
    }

    void deepNesting() {
        // Far deeper than any real document; must neither crash nor lose the outer text.
        const QString rtf = QStringLiteral("{\\rtf1 a") + QString(200000, QLatin1Char('{')) +
                            QStringLiteral("x") + QString(200000, QLatin1Char('}')) +
                            QStringLiteral("b}");
        const QString t = parse(rtf).plainText();
        QVERIFY(t.startsWith(QLatin1Char('a')));
        QVERIFY(t.endsWith(QLatin1Char('b')));
    }

    void randomInput() {
        // Mutations of real notes and plain noise: any input gives a document.
        const QString seeds[] = {
            write(fromPlainText(QStringLiteral("Kurs ü 12,5\nzweite Zeile"))),
            QStringLiteral("{\\rtf1{\\fonttbl{\\f0 A;}}{\\colortbl;\\red1;}\\b\\u-1?\\'e4{\\*\\x}"
                           "\\par}"),
        };
        const char alphabet[] = "{}\\'*;?-0123456789abfiuplrcdtx \n";
        QRandomGenerator rng(4711);
        for (int round = 0; round < 4000; ++round) {
            QString s = seeds[round % 2];
            if (round % 5 == 4) {
                s.clear();
                const int len = rng.bounded(200);
                for (int i = 0; i < len; ++i)
                    s += QChar(static_cast<char16_t>(rng.bounded(0x3000)));
                s.prepend(QStringLiteral("{\\rtf"));
            } else {
                const int edits = 1 + rng.bounded(8);
                for (int e = 0; e < edits && !s.isEmpty(); ++e) {
                    const int pos = rng.bounded(static_cast<int>(s.size()));
                    switch (rng.bounded(3)) {
                    case 0:
                        s.remove(pos, 1 + rng.bounded(4));
                        break;
                    case 1:
                        s.insert(pos, QLatin1Char(alphabet[rng.bounded(int(sizeof alphabet) - 1)]));
                        break;
                    default:
                        s.insert(pos, s.mid(rng.bounded(static_cast<int>(s.size())), 12));
                        break;
                    }
                }
            }
            const Document d = parse(s);
            QVERIFY(!d.paragraphs.isEmpty());
            // What we write from it reads back to the same text.
            QCOMPARE(parse(write(d)).plainText(), d.plainText());
        }
    }
};

QTEST_MAIN(TstRtf)
#include "tst_rtf.moc"
