#pragma once
// A small RTF reader and writer for the package notes. It covers what the
// notes box produces: paragraphs, bold, italic, underline, font, size and
// colour, and any character (through \'xx in code page 1252 or \uN).
// Everything else is skipped; any input, however malformed, gives a document.

#include <QList>
#include <QString>
#include <optional>

namespace Rtf {

/// A stretch of text in one character format. "\n" in the text is a line
/// break inside the paragraph, "\t" a tab.
struct Run {
    QString text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 0;           ///< font size in half points; 0 = default
    std::optional<quint32> color; ///< 0xRRGGBB; none = default colour
    QString font;                 ///< font family; empty = default

    bool sameFormat(const Run& o) const {
        return bold == o.bold && italic == o.italic && underline == o.underline &&
               halfPoints == o.halfPoints && color == o.color && font == o.font;
    }
    bool operator==(const Run& o) const { return text == o.text && sameFormat(o); }
};

struct Paragraph {
    QList<Run> runs;
    QString text() const;
    bool operator==(const Paragraph& o) const { return runs == o.runs; }
};

/// A document always holds at least one paragraph once read.
struct Document {
    QList<Paragraph> paragraphs;
    /// The paragraphs' texts joined by "\n".
    QString plainText() const;
    bool operator==(const Document& o) const { return paragraphs == o.paragraphs; }
};

/// True when the text starts (after blanks) with "{\rtf".
bool isRtf(const QString& text);

/// Reads RTF. A text that is not RTF is taken as plain text.
Document parse(const QString& text);

/// Writes RTF in plain ASCII (other characters escaped).
QString write(const Document& doc);

/// A document holding plain text, one paragraph per line.
Document fromPlainText(const QString& text);

/// Shorthands: the plain text of stored notes, and plain text as RTF.
inline QString toPlainText(const QString& rtf) {
    return parse(rtf).plainText();
}
inline QString plainToRtf(const QString& text) {
    return write(fromPlainText(text));
}

} // namespace Rtf
