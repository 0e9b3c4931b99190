#include "platform/Dialogs.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace {

QMessageBox::Icon boxIcon(Dialogs::Icon icon) {
    switch (icon) {
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    case Dialogs::Icon::Question:
        return QMessageBox::Question;
    case Dialogs::Icon::Exclamation:
        return QMessageBox::Warning;
    case Dialogs::Icon::Stop:
        return QMessageBox::Critical;
    case Dialogs::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

Dialogs::Answer WidgetDialogs::message(QWidget* parent, const QString& text, Icon icon,
                                       Buttons buttons, const QString& title) {
    const QMessageBox::StandardButtons standard =
        buttons == Buttons::YesNo ? (QMessageBox::Yes | QMessageBox::No)
                                  : QMessageBox::StandardButtons(QMessageBox::Ok);
    QMessageBox box(boxIcon(icon), title, text, standard, parent);
    box.setDefaultButton(buttons == Buttons::YesNo ? QMessageBox::Yes : QMessageBox::Ok);
    if (buttons == Buttons::YesNo) box.setEscapeButton(QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    }
}

bool WidgetDialogs::input(QWidget* parent, const QString& prompt, const QString& title,
                          const QString& preset, QString* result) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, preset, &ok);
    if (ok && result) *result = text;
    return ok;
}

bool WidgetDialogs::passwortEingabe(QWidget* parent, const QString& prompt, const QString& title,
                                    QString* result) {
    QInputDialog box(parent);
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setTextEchoMode(QLineEdit::Password);
    box.setAccessibleName(title);
    if (auto* feld = box.findChild<QLineEdit*>()) feld->setAccessibleName(QStringLiteral("Passwort"));
    if (box.exec() != QDialog::Accepted) return false;
    if (result) *result = box.textValue();
    return true;
}

Dialogs::Answer ScriptedDialogs::message(QWidget*, const QString& text, Icon icon, Buttons buttons,
                                         const QString& title) {
    shown.append(Shown{text, icon, buttons, title});
    if (!answers.isEmpty()) return answers.takeFirst();
    return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
}

bool ScriptedDialogs::input(QWidget*, const QString& prompt, const QString& title,
                            const QString& preset, QString* result) {
    prompts.append(Prompt{prompt, title, preset});
    if (inputs.isEmpty()) return false;
    const QString text = inputs.takeFirst();
    if (result) *result = text;
    return true;
}
