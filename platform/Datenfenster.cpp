#include "platform/Datenfenster.h"

#include "platform/HoverButton.h"
#include "platform/MainWindowApi.h"

Datenfenster::Datenfenster(MainWindowApi& api, QWidget* parent) : QDialog(parent), m_api(api) {}

void Datenfenster::schalterAnlegen() {
    const struct {
        int index;
        const char* text;
        const char* hinweis;
    } knoepfe[] = {{10, " Hilfe aufrufen ", " Windows - Hilfe anzeigen"},
                   {11, " Daten speichern ", " Daten speichern"},
                   {12, " Fenster schließen ", " Daten-Fenster schließen"}};
    for (const auto& k : knoepfe) {
        auto* b = new HoverButton(this);
        b->setText(QString::fromUtf8(k.text));
        b->setObjectName(QStringLiteral("schalter(%1)").arg(k.index));
        b->setHint(QString::fromUtf8(k.hinweis));
        connect(b, &HoverButton::hinweis, this, [this](const QString& h) { m_api.setHinweis(h); });
        connect(b, &QAbstractButton::clicked, this, [this, i = k.index] { schalter_Click(i); });
        schalter[static_cast<size_t>(k.index)] = b;
    }
}

void Datenfenster::schalter_Click(int index) {
    switch (index) {
    case 10:
        m_api.hilfeAnzeigen();
        break;
    case 11:
        speichern();
        break;
    case 12:
        m_api.zumLesezeichen();
        reject();
        break;
    default:
        break;
    }
}

void Datenfenster::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (m_erstesFeld) m_erstesFeld->setFocus();
}
