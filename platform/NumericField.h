#pragma once
// Numeric entry: a key filter with the field's character set, the Enter
// action, and the one-comma rule (a typed point becomes the decimal comma, a
// second decimal separator is refused with a message). One component for
// every numeric field of the program: either the line edit NumericField, or
// NumericFilter::install() on any existing QLineEdit.

#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <functional>

class Dialogs;

struct NumericConfig {
    enum class Chars { Digits, Decimal, SignedDecimal };

    static QString duerfen() {
        return QStringLiteral("Sie dürfen das Dezimalzeichen nur einmal setzen!");
    }
    static QString koennen() {
        return QStringLiteral("Sie können das Dezimalzeichen nur einmal setzen!");
    }

    Chars chars = Chars::Decimal;
    bool oneComma = true;          ///< apply the one-comma rule
    QString message = duerfen();   ///< text of the refusal
    int maxLength = 0;             ///< 0 = no limit
    std::function<void()> onEnter; ///< run on Return/Enter; unset = Enter passes on

    /// The characters a key may type.
    QString characterSet() const;

    // Shorthands for the usual fields.
    static NumericConfig digits() { return {Chars::Digits, false, QString(), 0, {}}; }
    static NumericConfig decimal(const QString& msg = duerfen()) {
        return {Chars::Decimal, true, msg, 0, {}};
    }
    static NumericConfig signedDecimal(const QString& msg = duerfen()) {
        return {Chars::SignedDecimal, true, msg, 0, {}};
    }
};

/// The filter; it lives as a child of its line edit.
class NumericFilter final : public QObject {
    Q_OBJECT
public:
    /// Installs the filter on edit (replacing its validator and max length).
    static NumericFilter* install(QLineEdit* edit, Dialogs& dialogs, NumericConfig config);

    const NumericConfig& config() const { return m_config; }
    void setEnterAction(std::function<void()> action) { m_config.onEnter = std::move(action); }

    /// The text the one-comma rule makes of a change from before to input;
    /// *refused is set when a second decimal separator was refused.
    static QString applyRule(const QString& before, const QString& input, bool* refused);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    NumericFilter(QLineEdit* edit, Dialogs& dialogs, NumericConfig config);
    void textChanged(const QString& text);

    QPointer<QLineEdit> m_edit;
    Dialogs& m_dialogs;
    NumericConfig m_config;
    QString m_accepted; ///< the text as it stood after the last rule run
    bool m_inRule = false;
};

/// A line edit with the filter built in.
class NumericField final : public QLineEdit {
    Q_OBJECT
public:
    NumericField(Dialogs& dialogs, NumericConfig config, QWidget* parent = nullptr);
    NumericFilter* filter() const { return m_filter; }
    void setEnterAction(std::function<void()> action) {
        m_filter->setEnterAction(std::move(action));
    }

private:
    NumericFilter* m_filter;
};
