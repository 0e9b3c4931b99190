#include "platform/Textfeld.h"

#include <QLineEdit>
#include <QValidator>

namespace {

// Takes out control characters instead of refusing the whole paste.
class OhneSteuerzeichen final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override {
        int vorDemCursor = 0;
        QString sauber;
        sauber.reserve(input.size());
        for (int i = 0; i < input.size(); ++i) {
            if (Eingabe::steuerzeichen(input.at(i))) {
                if (i < pos) ++vorDemCursor;
                continue;
            }
            sauber += input.at(i);
        }
        if (sauber.size() != input.size()) {
            input = sauber;
            pos -= vorDemCursor;
        }
        return Acceptable;
    }
};

} // namespace

void einzeiligesFeld(QLineEdit* field, int maxLength) {
    field->setMaxLength(maxLength);
    field->setValidator(new OhneSteuerzeichen(field));
}
