#include "reports/FormDruckRtf.h"

#include <QFont>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

FormDruckRtf::FormDruckRtf() : m_rtext2(std::make_unique<QTextDocument>()) {
    QFont schrift(QStringLiteral("Courier New"));
    schrift.setStyleHint(QFont::TypeWriter);
    schrift.setPointSizeF(8.25);
    schrift.setBold(true);
    m_rtext2->setDefaultFont(schrift);
}

FormDruckRtf::~FormDruckRtf() = default;

void FormDruckRtf::textSetzen(const QString& text) {
    m_text = text;
    QString absaetze = text;
    absaetze.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    m_rtext2->setPlainText(absaetze);
}

int FormDruckRtf::dokumentPosition(int textPosition) const {
    // Each CR LF before the position is one paragraph break in the document.
    const int bis = std::clamp(textPosition, 0, int(m_text.size()));
    int paare = 0;
    for (int i = 1; i < bis; ++i)
        if (m_text.at(i) == QLatin1Char('\n') && m_text.at(i - 1) == QLatin1Char('\r')) ++paare;
    return bis - paare;
}

namespace {

void betonen(QTextDocument& d, int von, int bis, const QTextCharFormat& f) {
    const int ende = d.characterCount() - 1;
    von = std::clamp(von, 0, ende);
    bis = std::clamp(bis, von, ende);
    if (von == bis) return;
    QTextCursor c(&d);
    c.setPosition(von);
    c.setPosition(bis, QTextCursor::KeepAnchor);
    c.mergeCharFormat(f);
}

} // namespace

void FormDruckRtf::titelBetonen(Berichte::Bereich b, bool unterstrichen) {
    QTextCharFormat f;
    f.setFontFamilies({QStringLiteral("Arial")});
    f.setFontPointSize(14);
    f.setFontWeight(QFont::Bold);
    f.setFontUnderline(unterstrichen);
    betonen(*m_rtext2, dokumentPosition(b.start), dokumentPosition(b.start + b.laenge), f);
}

void FormDruckRtf::kopfBetonen(Berichte::Bereich b, bool unterstrichen) {
    QTextCharFormat f;
    f.setFontWeight(QFont::Bold);
    if (unterstrichen) f.setFontUnderline(true);
    betonen(*m_rtext2, dokumentPosition(b.start), dokumentPosition(b.start + b.laenge), f);
}

bool FormDruckRtf::drucken(Drucker& drucker, const QString& was, Drucker::Ausrichtung a) {
    return drucker.dokument(was, *m_rtext2, a);
}
