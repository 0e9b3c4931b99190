// Message boxes: the scripted stand-in and the real boxes in German.
#include "platform/Dialogs.h"
#include "platform/Translations.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class TstDialogs final : public QObject {
    Q_OBJECT
private slots:
    void scriptedAnswersInOrder() {
        ScriptedDialogs scripted;
        Dialogs& d = scripted;
        scripted.answers = {Dialogs::Answer::No};
        QVERIFY(!d.ask(nullptr, QStringLiteral("Frage?")));
        QVERIFY(d.ask(nullptr, QStringLiteral("Noch eine?"))); // default Yes
        QCOMPARE(d.message(nullptr, QStringLiteral("Hinweis"), Dialogs::Icon::Information),
                 Dialogs::Answer::Ok);
        d.askStop(nullptr, QStringLiteral("Löschen?"));
        QCOMPARE(scripted.shown.size(), 4);
        QCOMPARE(scripted.shown[0].icon, Dialogs::Icon::Question);
        QCOMPARE(scripted.shown[0].buttons, Dialogs::Buttons::YesNo);
        QCOMPARE(scripted.shown[2].title, QStringLiteral("Kapito 3.6"));
        QCOMPARE(scripted.shown[3].icon, Dialogs::Icon::Stop);
        QCOMPARE(scripted.lastText(), QStringLiteral("Löschen?"));
    }

    void scriptedInputs() {
        ScriptedDialogs d;
        d.inputs = {QStringLiteral("12,5")};
        QString r = QStringLiteral("unchanged");
        QVERIFY(d.input(nullptr, QStringLiteral("Wert:"), QStringLiteral("Titel"),
                        QStringLiteral("0"), &r));
        QCOMPARE(r, QStringLiteral("12,5"));
        QVERIFY(!d.input(nullptr, QStringLiteral("Wert:"), QStringLiteral("Titel"), QString(), &r));
        QCOMPARE(r, QStringLiteral("12,5"));
        QCOMPARE(d.prompts.size(), 2);
        QCOMPARE(d.prompts[0].preset, QStringLiteral("0"));
    }

    void germanStandardButtons() {
        QVERIFY(installGermanTranslations(*QCoreApplication::instance()));
        QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
        QStringList seen;
        QString title;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            for (QAbstractButton* b : box->buttons())
                seen << b->text().remove(QLatin1Char('&'));
            box->button(QMessageBox::No)->click();
        });
        WidgetDialogs widgets;
        Dialogs& d = widgets;
        const auto answer = d.message(nullptr, QStringLiteral("Das Programm jetzt beenden?"),
                                      Dialogs::Icon::Question, Dialogs::Buttons::YesNo);
        QCOMPARE(answer, Dialogs::Answer::No);
        seen.sort();
        QCOMPARE(seen, (QStringList{QStringLiteral("Ja"), QStringLiteral("Nein")}));
        QCOMPARE(title, QStringLiteral("Kapito 3.6"));
    }
};

QTEST_MAIN(TstDialogs)
#include "tst_dialogs.moc"
