#include "platform/Wertanzeige.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QTextDocument>

namespace {

const char* const Beschriftung = "kapitoWertBeschriftung";

// Asked for the name, it reads the label as it is now.
class Wertzugang final : public QAccessibleWidget {
public:
    explicit Wertzugang(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name) return QAccessibleWidget::text(t);
        const auto* label = static_cast<const QLabel*>(widget());
        QString wert = label->text();
        if (label->textFormat() == Qt::RichText ||
            (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(wert))) {
            QTextDocument d;
            d.setHtml(wert);
            wert = d.toPlainText();
        }
        wert = wert.simplified();
        const QString vor = label->property(Beschriftung).toString();
        return wert.isEmpty() ? vor : vor + QStringLiteral(": ") + wert;
    }
};

QAccessibleInterface* fabrik(const QString& klasse, QObject* objekt) {
    if (klasse != QLatin1String("QLabel")) return nullptr;
    auto* label = qobject_cast<QLabel*>(objekt);
    if (!label || !label->property(Beschriftung).isValid()) return nullptr;
    return new Wertzugang(label);
}

} // namespace

void wertanzeige(QLabel* label, const QString& beschriftung) {
    // Factories installed later are asked first: this one before Qt's own.
    static const bool eingesetzt = [] {
        QAccessible::installFactory(fabrik);
        return true;
    }();
    Q_UNUSED(eingesetzt);
    label->setProperty(Beschriftung, beschriftung.trimmed());
    // An empty name lets the label report each change of its text.
    label->setAccessibleName(QString());
    // One made before is dropped: the next one asked for reads the caption.
    if (QAccessibleInterface* alt = QAccessible::queryAccessibleInterface(label))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(alt));
}
