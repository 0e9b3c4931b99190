#include "platform/RtfText.h"

#include <QColor>
#include <QFont>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace RtfText {

namespace {

QTextCharFormat toFormat(const Rtf::Run& run) {
    QTextCharFormat f;
    f.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(run.italic);
    f.setFontUnderline(run.underline);
    if (run.halfPoints > 0) f.setFontPointSize(run.halfPoints / 2.0);
    if (run.color) f.setForeground(QColor::fromRgb(static_cast<QRgb>(*run.color | 0xFF000000u)));
    if (!run.font.isEmpty()) f.setFontFamilies(QStringList{run.font});
    return f;
}

Rtf::Run fromFormat(const QTextCharFormat& f, const QString& text) {
    Rtf::Run run;
    run.text = text;
    run.text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    run.bold = f.fontWeight() > QFont::Medium;
    run.italic = f.fontItalic();
    run.underline = f.fontUnderline();
    if (f.hasProperty(QTextFormat::FontPointSize)) run.halfPoints = qRound(f.fontPointSize() * 2);
    if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
        run.color = f.foreground().color().rgb() & 0xFFFFFFu;
    if (f.hasProperty(QTextFormat::FontFamilies)) {
        const QStringList families = f.fontFamilies().toStringList();
        if (!families.isEmpty()) run.font = families.first();
    }
    return run;
}

} // namespace

void fill(QTextDocument* doc, const Rtf::Document& rtfDoc) {
    doc->clear();
    QTextCursor cursor(doc);
    bool first = true;
    for (const Rtf::Paragraph& p : rtfDoc.paragraphs) {
        if (!first) cursor.insertBlock();
        first = false;
        for (const Rtf::Run& run : p.runs) {
            QString text = run.text;
            text.replace(QLatin1Char('\n'), QChar::LineSeparator);
            cursor.insertText(text, toFormat(run));
        }
    }
}

Rtf::Document read(const QTextDocument* doc) {
    Rtf::Document out;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        Rtf::Paragraph p;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid() || fragment.text().isEmpty()) continue;
            Rtf::Run run = fromFormat(fragment.charFormat(), fragment.text());
            if (!p.runs.isEmpty() && p.runs.last().sameFormat(run))
                p.runs.last().text += run.text;
            else
                p.runs.append(run);
        }
        out.paragraphs.append(p);
    }
    if (out.paragraphs.isEmpty()) out.paragraphs.append(Rtf::Paragraph());
    return out;
}

void setRtf(QTextEdit* edit, const QString& rtf) {
    fill(edit->document(), Rtf::parse(rtf));
}

QString rtf(const QTextEdit* edit) {
    return Rtf::write(read(edit->document()));
}

} // namespace RtfText
