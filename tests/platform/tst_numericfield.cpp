// Numeric entry fields: key filter, Enter action and the one-comma rule.
#include "platform/Dialogs.h"
#include "platform/NumericField.h"
#include "support/TestUtil.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

using Chars = NumericConfig::Chars;
Q_DECLARE_METATYPE(NumericConfig::Chars)

class TstNumericField final : public QObject {
    Q_OBJECT
private slots:
    void typing_data() {
        QTest::addColumn<Chars>("chars");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("messages");
        QTest::newRow("point becomes comma") << Chars::Decimal << "12.5"
                                             << "12,5" << 0;
        QTest::newRow("second comma refused") << Chars::Decimal << "12.5,"
                                              << "12,5" << 1;
        QTest::newRow("second point refused") << Chars::Decimal << "12,5."
                                              << "12,5" << 1;
        QTest::newRow("letters and minus dropped") << Chars::Decimal << "1a-2ü€"
                                                   << "12" << 0;
        QTest::newRow("minus in signed field") << Chars::SignedDecimal << "-3,5"
                                               << "-3,5" << 0;
        QTest::newRow("digits only") << Chars::Digits << "12,.3-4"
                                     << "1234" << 0;
        QTest::newRow("typing on after refusal") << Chars::Decimal << "1,,2"
                                                 << "1,2" << 1;
    }
    void typing() {
        QFETCH(Chars, chars);
        QFETCH(QString, typed);
        ScriptedDialogs dialogs;
        NumericConfig cfg;
        cfg.chars = chars;
        cfg.oneComma = chars != Chars::Digits;
        NumericField field(dialogs, cfg);
        typeText(&field, typed);
        QTEST(field.text(), "text");
        QTEST(int(dialogs.shown.size()), "messages");
        if (!dialogs.shown.isEmpty()) {
            const auto& box = dialogs.shown.first();
            QCOMPARE(box.text, QStringLiteral("Sie dürfen das Dezimalzeichen nur einmal setzen!"));
            QCOMPARE(box.icon, Dialogs::Icon::Exclamation);
            QCOMPARE(box.buttons, Dialogs::Buttons::Ok);
            QCOMPARE(box.title, QStringLiteral("Kapito 3.6"));
        }
        QCOMPARE(field.cursorPosition(), int(field.text().size()));
    }

    void otherWordingAndNoRule() {
        ScriptedDialogs dialogs;
        NumericField koennen(dialogs, NumericConfig::decimal(NumericConfig::koennen()));
        typeText(&koennen, QStringLiteral("1,2,"));
        QCOMPARE(dialogs.lastText(),
                 QStringLiteral("Sie können das Dezimalzeichen nur einmal setzen!"));

        // Without the rule a point stays a point and nothing is refused.
        ScriptedDialogs quiet;
        NumericConfig cfg = NumericConfig::decimal();
        cfg.oneComma = false;
        NumericField field(quiet, cfg);
        typeText(&field, QStringLiteral("1.2,3,"));
        QCOMPARE(field.text(), QStringLiteral("1.2,3,"));
        QVERIFY(quiet.shown.isEmpty());
    }

    void secondCommaInTheMiddleKeepsTheRest() {
        ScriptedDialogs dialogs;
        NumericField field(dialogs, NumericConfig::decimal());
        typeText(&field, QStringLiteral("12,5"));
        field.setCursorPosition(1);
        typeText(&field, QStringLiteral(","));
        QCOMPARE(field.text(), QStringLiteral("12,5"));
        QCOMPARE(dialogs.shown.size(), 1);
    }

    void editingKeysAndLength() {
        ScriptedDialogs dialogs;
        NumericConfig cfg = NumericConfig::digits();
        cfg.maxLength = 4;
        NumericField field(dialogs, cfg);
        typeText(&field, QStringLiteral("123456"));
        QCOMPARE(field.text(), QStringLiteral("1234"));
        QTest::keyClick(&field, Qt::Key_Backspace);
        QTest::keyClick(&field, Qt::Key_Home);
        QTest::keyClick(&field, Qt::Key_Delete);
        QCOMPARE(field.text(), QStringLiteral("23"));
        QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(field.selectedText(), QStringLiteral("23"));
    }

    void enterRunsTheAction() {
        ScriptedDialogs dialogs;
        int runs = 0;
        NumericConfig cfg = NumericConfig::decimal();
        cfg.onEnter = [&] { ++runs; };
        NumericField field(dialogs, cfg);
        typeText(&field, QStringLiteral("7"));
        pressEnter(&field);
        QTest::keyClick(&field, Qt::Key_Enter);
        QCOMPARE(runs, 2);
        QCOMPARE(field.text(), QStringLiteral("7"));
    }

    void pasteFollowsTheRules() {
        ScriptedDialogs dialogs;
        NumericField field(dialogs, NumericConfig::decimal());
        QApplication::clipboard()->setText(QStringLiteral("3.75"));
        field.paste();
        QCOMPARE(field.text(), QStringLiteral("3,75"));
        QApplication::clipboard()->setText(QStringLiteral("abc"));
        field.paste();
        QCOMPARE(field.text(), QStringLiteral("3,75"));
        QApplication::clipboard()->setText(QStringLiteral(",1"));
        field.paste();
        QCOMPARE(field.text(), QStringLiteral("3,75"));
        QCOMPARE(dialogs.shown.size(), 1);
    }

    void filterOnPlainLineEdit() {
        ScriptedDialogs dialogs;
        QLineEdit edit;
        NumericFilter::install(&edit, dialogs, NumericConfig::signedDecimal());
        typeText(&edit, QStringLiteral("-x1.5"));
        QCOMPARE(edit.text(), QStringLiteral("-1,5"));
        // Text set by the program runs the rule as well.
        edit.setText(QStringLiteral("2.5"));
        QCOMPARE(edit.text(), QStringLiteral("2,5"));
    }
};

QTEST_MAIN(TstNumericField)
#include "tst_numericfield.moc"
