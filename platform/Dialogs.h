#pragma once
// Message and input boxes behind a seam: the program uses QMessageBox and
// QInputDialog through this; tests script the answers and record the texts.

#include <QList>
#include <QString>

class QWidget;

class Dialogs {
public:
    enum class Icon { None, Information, Question, Exclamation, Stop };
    enum class Buttons { Ok, YesNo };
    enum class Answer { Ok, Yes, No, Cancel };

    /// The default title of every message box.
    static QString defaultTitle() { return QStringLiteral("Kapito 3.6"); }

    virtual ~Dialogs() = default;
    virtual Answer message(QWidget* parent, const QString& text, Icon icon,
                           Buttons buttons = Buttons::Ok,
                           const QString& title = defaultTitle()) = 0;
    /// Returns false on Cancel.
    virtual bool input(QWidget* parent, const QString& prompt, const QString& title,
                       const QString& preset, QString* result) = 0;
    /// The same box for a password: what is typed shows as "*".
    virtual bool passwortEingabe(QWidget* parent, const QString& prompt, const QString& title,
                                 QString* result) {
        return input(parent, prompt, title, {}, result);
    }

    // Shorthands for the program's usual boxes.
    void notice(QWidget* p, const QString& text) { message(p, text, Icon::Exclamation); }
    bool ask(QWidget* p, const QString& text) {
        return message(p, text, Icon::Question, Buttons::YesNo) == Answer::Yes;
    }
    bool askStop(QWidget* p, const QString& text) {
        return message(p, text, Icon::Stop, Buttons::YesNo) == Answer::Yes;
    }
};

/// The real boxes (QMessageBox with German standard buttons, QInputDialog).
class WidgetDialogs final : public Dialogs {
public:
    Answer message(QWidget* parent, const QString& text, Icon icon, Buttons buttons,
                   const QString& title) override;
    bool input(QWidget* parent, const QString& prompt, const QString& title, const QString& preset,
               QString* result) override;
    bool passwortEingabe(QWidget* parent, const QString& prompt, const QString& title,
                         QString* result) override;
};

/// Scripted boxes for tests: answers are taken in order (default Yes / Ok),
/// every box shown is recorded.
class ScriptedDialogs final : public Dialogs {
public:
    struct Shown {
        QString text;
        Icon icon;
        Buttons buttons;
        QString title;
    };
    struct Prompt {
        QString prompt;
        QString title;
        QString preset;
    };
    QList<Answer> answers; ///< consumed front to back
    QList<QString> inputs; ///< consumed front to back; empty list = Cancel
    QList<Shown> shown;
    QList<Prompt> prompts; ///< every input box shown

    Answer message(QWidget*, const QString& text, Icon icon, Buttons buttons,
                   const QString& title) override;
    bool input(QWidget*, const QString& prompt, const QString& title, const QString& preset,
               QString* result) override;
    QString lastText() const { return shown.isEmpty() ? QString() : shown.last().text; }
};
