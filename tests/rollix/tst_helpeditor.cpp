// The help window, the manual it shows, and the start of the text editor.

#include "platform/Dialogs.h"
#include "platform/HelpViewer.h"
#include "platform/Launcher.h"
#include "support/FakeServices.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

namespace {

QString manualPath() {
    return qEnvironmentVariable("KAPITO_SOURCE_DIR") + QStringLiteral("/resources/Kapito.html");
}

// Records the message boxes shown.
class RecordingDialogs final : public Dialogs {
public:
    struct Box {
        QString text;
        Icon icon;
        QString title;
    };
    QList<Box> shown;
    Answer message(QWidget*, const QString& text, Icon icon, Buttons,
                   const QString& title) override {
        shown.append({text, icon, title});
        return Answer::Ok;
    }
    bool input(QWidget*, const QString&, const QString&, const QString&, QString*) override {
        return false;
    }
};

} // namespace

class tst_HelpEditor : public QObject {
    Q_OBJECT
private slots:
    void manualHasContentsAndATopicPerCommand() {
        QFile f(manualPath());
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(manualPath()));
        const QString html = QString::fromUtf8(f.readAll());
        QSet<QString> anchors;
        for (const auto& m :
             QRegularExpression(QStringLiteral("<a name=\"([^\"]+)\"")).globalMatch(html))
            anchors.insert(m.captured(1));
        const QStringList wanted{
            // contents page, windows
            "inhalt", "start", "pwfrage", "ende", "Aktiendataform", "karteikarte", "uebersicht",
            "FormAVNeu", "FormNeuKurs", "FormAlleKurseNeu", "Formverkaufen", "FormAVEdit",
            "FormDepotKonto", "FormSonstige", "Realgewinnform", "FormListe1", "statistik",
            "Formchartkurse100", "FormIndex", "FormBeobachten", "FormExtras", "Rechner", "FormInfo",
            // every menu command
            "menu_depotkonto", "menu_neu", "menu_verkaufen", "menu_gewinn_verlust", "menu_loeschen",
            "menu_ende", "menu_kursaktuell", "menu_alleKurseneu", "menu_index", "menu_edit",
            "menu_k100", "menu_kurseloeschen", "menu_berichtkurz", "menu_berichtlang",
            "menu_differenzvortag", "menu_Chart30", "menu_Chart100", "menu_bilanz",
            "menu_indexchart", "menu_gewinne", "menu_DManzeigen", "menu_vermoegenanzeigen",
            "menu_beobachten", "menu_einstellungen", "menu_passwort", "menu_zielkurs",
            "menu_spekufrist", "menu_zusammen", "menu_split", "menu_notepad", "menu_rechner",
            "menu_hilfeinhalt", "menu_bestellschein", "menu_info"};
        for (const QString& a : wanted)
            QVERIFY2(anchors.contains(a), qPrintable(a));
        // Every internal link leads somewhere.
        for (const auto& m :
             QRegularExpression(QStringLiteral("href=\"#([^\"]+)\"")).globalMatch(html))
            QVERIFY2(anchors.contains(m.captured(1)), qPrintable(m.captured(1)));
    }

    void helpOpensAtContentsAndCloses() {
        HelpViewer help(manualPath());
        QVERIFY(!help.isOpen());
        help.closeIfOpen(); // nothing open: harmless
        help.showContents();
        QVERIFY(help.isOpen());
        QCOMPARE(help.browser()->source(), QUrl::fromLocalFile(manualPath()));
        QVERIFY(help.browser()->toPlainText().contains(QStringLiteral("Hilfe Inhalt")));
        help.browser()->scrollToAnchor(QStringLiteral("menu_info"));
        help.showContents(); // again: back at the contents, one window
        QCOMPARE(help.browser()->source(), QUrl::fromLocalFile(manualPath()));
        help.closeIfOpen();
        QVERIFY(!help.isOpen());
    }

    // Escape and the window's own button close it; Tab reaches the button.
    void helpClosesFromTheKeyboard() {
        HelpViewer help(manualPath());
        help.showContents();
        QWidget* fenster = help.browser()->window();
        auto* knopf = fenster->findChild<QPushButton*>();
        QVERIFY(knopf);
        QCOMPARE(knopf->text(), QStringLiteral(" Fenster schließen "));
        QCOMPARE(knopf->accessibleName(), QStringLiteral("Fenster schließen"));
        QWidget* danach = help.browser()->nextInFocusChain();
        while (help.browser()->isAncestorOf(danach) || !(danach->focusPolicy() & Qt::TabFocus))
            danach = danach->nextInFocusChain();
        QCOMPARE(danach, knopf);
        QTest::keyClick(help.browser(), Qt::Key_Escape);
        QVERIFY(!help.isOpen());
        help.showContents();
        QVERIFY(help.isOpen());
        knopf->click();
        QVERIFY(!help.isOpen());
    }

    void missingHelpFileIsReportedInTheWindow() {
        QTemporaryDir dir;
        HelpViewer help(dir.path() + QStringLiteral("/Kapito.html"));
        help.showContents();
        QVERIFY(help.isOpen());
        QVERIFY(help.browser()->toPlainText().contains(QStringLiteral("nicht vorhanden")));
        help.closeIfOpen();
    }

    void helpFromAModalWindowIsUsable() {
        // A window shown while a modal one is open would be blocked; the help
        // window therefore belongs to the modal window.
        HelpViewer help(manualPath());
        {
            QDialog modal;
            modal.setWindowModality(Qt::ApplicationModal);
            modal.show();
            QCOMPARE(QApplication::activeModalWidget(), &modal);
            help.showContents();
            QCOMPARE(help.browser()->window()->parentWidget(), &modal);
            QVERIFY(help.isOpen());
        }
        QVERIFY(!help.isOpen()); // went with its modal window
        help.showContents();     // and comes back on the next call
        QVERIFY(help.isOpen());
        QCOMPARE(help.browser()->window()->parentWidget(), nullptr);
        help.closeIfOpen();
    }

    void editorChoice_data() {
        QTest::addColumn<QString>("visual");
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QStringList>("failing"); // installed but the start fails
        QTest::addColumn<QString>("expected");    // empty: none started
        QTest::newRow("first known editor")
            << ""
            << "" << QStringList{"mousepad", "gedit"} << QStringList() << "/usr/bin/gedit";
        QTest::newRow("terminal editor in VISUAL is passed over")
            << "vim"
            << "nano" << QStringList{"vim", "nano", "kate"} << QStringList() << "/usr/bin/kate";
        QTest::newRow("graphical editor in VISUAL first")
            << "mousepad"
            << "" << QStringList{"gedit", "mousepad"} << QStringList() << "/usr/bin/mousepad";
        QTest::newRow("EDITOR with arguments")
            << ""
            << "gvim -f" << QStringList{"gvim", "gedit"} << QStringList() << "/usr/bin/gvim";
        QTest::newRow("failed start tries the next")
            << ""
            << "" << QStringList{"gnome-text-editor", "gedit"} << QStringList{"gnome-text-editor"}
            << "/usr/bin/gedit";
        QTest::newRow("none installed") << "vi"
                                        << "" << QStringList{"vi"} << QStringList() << "";
    }
    void editorChoice() {
        QFETCH(QString, visual);
        QFETCH(QString, editor);
        QFETCH(QStringList, installed);
        QFETCH(QStringList, failing);
        QFETCH(QString, expected);
        QStringList tried;
        DesktopEditorLauncher launcher(
            [&](const QString& name) {
                return installed.contains(name) ? QStringLiteral("/usr/bin/") + name : QString();
            },
            [&](const QString& program) {
                tried.append(program);
                return !failing.contains(program.section(QLatin1Char('/'), -1));
            },
            [&](const char* name) { return QByteArray(name) == "VISUAL" ? visual : editor; });
        QCOMPARE(launcher.startEditor(), !expected.isEmpty());
        QCOMPARE(launcher.started(), expected);
        if (!expected.isEmpty()) QCOMPARE(tried.last(), expected);
    }

    void notepadCommandSaysWhenNoEditorStarts_data() {
        QTest::addColumn<bool>("starts");
        QTest::newRow("editor starts") << true;
        QTest::newRow("no editor") << false;
    }
    void notepadCommandSaysWhenNoEditorStarts() {
        QFETCH(bool, starts);
        FakeEditorLauncher editor;
        editor.result = starts;
        RecordingDialogs dialogs;
        NotepadStarten(editor, dialogs, nullptr);
        QCOMPARE(editor.starts, 1);
        QCOMPARE(dialogs.shown.size(), starts ? 0 : 1);
        if (!starts) {
            QCOMPARE(dialogs.shown.last().text,
                     QStringLiteral("Es konnte kein Texteditor gestartet werden."));
            QCOMPARE(dialogs.shown.last().icon, Dialogs::Icon::Exclamation);
            QCOMPARE(dialogs.shown.last().title, QStringLiteral("Kapito 3.6"));
        }
    }
};

QTEST_MAIN(tst_HelpEditor)
#include "tst_helpeditor.moc"
