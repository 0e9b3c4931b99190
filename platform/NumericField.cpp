#include "platform/NumericField.h"
#include "platform/Dialogs.h"

#include <QKeyEvent>
#include <QValidator>

QString NumericConfig::characterSet() const {
    switch (chars) {
    case Chars::Digits:
        return QStringLiteral("0123456789");
    case Chars::Decimal:
        return QStringLiteral("0123456789,.");
    case Chars::SignedDecimal:
        return QStringLiteral("0123456789,.-");
    }
    return {};
}

namespace {

// Pasted or dropped text must hold only the field's characters, as typed text does.
class CharsetValidator final : public QValidator {
public:
    CharsetValidator(QString set, QObject* parent) : QValidator(parent), m_set(std::move(set)) {}
    State validate(QString& input, int&) const override {
        for (QChar c : input)
            if (!m_set.contains(c)) return Invalid;
        return Acceptable;
    }

private:
    QString m_set;
};

int countOf(const QString& text, QChar c) {
    return static_cast<int>(text.count(c));
}

} // namespace

NumericFilter* NumericFilter::install(QLineEdit* edit, Dialogs& dialogs, NumericConfig config) {
    return new NumericFilter(edit, dialogs, std::move(config));
}

NumericFilter::NumericFilter(QLineEdit* edit, Dialogs& dialogs, NumericConfig config)
    : QObject(edit), m_edit(edit), m_dialogs(dialogs), m_config(std::move(config)) {
    edit->installEventFilter(this);
    edit->setValidator(new CharsetValidator(m_config.characterSet(), this));
    if (m_config.maxLength > 0) edit->setMaxLength(m_config.maxLength);
    m_accepted = edit->text();
    connect(edit, &QLineEdit::textChanged, this, &NumericFilter::textChanged);
}

bool NumericFilter::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_edit || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        if (!m_config.onEnter) return false;
        m_config.onEnter();
        return true;
    }
    // Shortcuts (copy, paste, select all) and keys without text keep working.
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString text = key->text();
    if (text.isEmpty()) return false;
    const QString set = m_config.characterSet();
    for (QChar c : text) {
        if (!c.isPrint()) return false; // Backspace, Tab, Escape
        if (!set.contains(c)) return true;
    }
    return false;
}

QString NumericFilter::applyRule(const QString& before, const QString& input, bool* refused) {
    QString text = input;
    if (refused) *refused = false;
    // A change of the text runs the rule again, so loop until it holds.
    for (int guard = 0; guard < 1000; ++guard) {
        if (countOf(text, QLatin1Char(',')) > 1) {
            if (refused) *refused = true;
            // Undo the change that brought the second separator (for a key
            // typed at the end that is its last character); a change that
            // started from a text breaking the rule itself loses its last character.
            if (countOf(before, QLatin1Char(',')) <= 1 && !before.contains(QLatin1Char('.')) &&
                text != before)
                text = before;
            else
                text.chop(1);
            continue;
        }
        const qsizetype point = text.indexOf(QLatin1Char('.'));
        if (point >= 0) {
            text[point] = QLatin1Char(',');
            continue;
        }
        break;
    }
    return text;
}

void NumericFilter::textChanged(const QString& text) {
    if (m_inRule || !m_edit) return;
    if (!m_config.oneComma) {
        m_accepted = text;
        return;
    }
    m_inRule = true;
    bool refused = false;
    const QString result = applyRule(m_accepted, text, &refused);
    if (refused)
        m_dialogs.message(m_edit->window(), m_config.message, Dialogs::Icon::Exclamation,
                          Dialogs::Buttons::Ok, Dialogs::defaultTitle());
    if (m_edit && result != text) {
        m_edit->setText(result);
        m_edit->setCursorPosition(static_cast<int>(result.size()));
    }
    m_accepted = result;
    m_inRule = false;
}

NumericField::NumericField(Dialogs& dialogs, NumericConfig config, QWidget* parent)
    : QLineEdit(parent), m_filter(NumericFilter::install(this, dialogs, std::move(config))) {}
