#include "core/Rtf.h"

#include <QHash>
#include <algorithm>
#include <vector>

namespace Rtf {

namespace {

// Code page 1252 at 0x80..0x9F; the rest of the page equals Latin-1.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QChar fromCp1252(int byte) {
    if (byte >= 0x80 && byte < 0xA0) return QChar(Cp1252High[byte - 0x80]);
    return QChar(static_cast<char16_t>(byte & 0xFF));
}

/// The code page 1252 byte of a character, or -1 when it has none.
int toCp1252(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return u;
    for (int i = 0; i < 32; ++i)
        if (Cp1252High[i] == u && u > 0xFF) return 0x80 + i;
    return -1;
}

// Deeper nesting than this is read as skipped text; keeps memory bounded.
constexpr int MaxDepth = 256;

enum class Dest { Text, Skip, FontTable, ColorTable };

struct State {
    Dest dest = Dest::Text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 0;
    int colorIndex = 0;
    int fontIndex = -1;
    int uc = 1;
};

class Reader {
public:
    explicit Reader(const QString& in) : m_in(in) {}

    Document run() {
        m_doc.paragraphs.append(Paragraph());
        const qsizetype n = m_in.size();
        while (m_pos < n) {
            const QChar c = m_in.at(m_pos++);
            if (c == QLatin1Char('{')) {
                openGroup();
            } else if (c == QLatin1Char('}')) {
                closeGroup();
            } else if (c == QLatin1Char('\\')) {
                control();
            } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
                continue;
            } else {
                character(c);
            }
        }
        // The last "\par" leaves an empty paragraph behind; it is not content.
        if (m_closed > 0 && m_doc.paragraphs.last().runs.isEmpty()) m_doc.paragraphs.removeLast();
        return m_doc;
    }

private:
    State& st() { return m_stack.back(); }

    void openGroup() {
        if (m_overflow > 0 || static_cast<int>(m_stack.size()) >= MaxDepth) {
            ++m_overflow;
            return;
        }
        m_stack.push_back(m_stack.back());
        m_ignorableNext = false;
    }

    void closeGroup() {
        if (m_overflow > 0) {
            --m_overflow;
            return;
        }
        if (st().dest == Dest::FontTable) finishFontName();
        if (m_stack.size() > 1) m_stack.pop_back();
        m_skipChars = 0;
    }

    bool skipping() const { return m_overflow > 0 || m_stack.back().dest == Dest::Skip; }

    void character(QChar c) {
        if (m_skipChars > 0) {
            --m_skipChars;
            return;
        }
        if (skipping()) return;
        switch (st().dest) {
        case Dest::Text:
            emitChar(c);
            break;
        case Dest::FontTable:
            if (c == QLatin1Char(';'))
                finishFontName();
            else
                m_fontName += c;
            break;
        case Dest::ColorTable:
            if (c == QLatin1Char(';')) {
                m_colors.append(m_colorSet ? std::optional<quint32>(m_color) : std::nullopt);
                m_color = 0;
                m_colorSet = false;
            }
            break;
        case Dest::Skip:
            break;
        }
    }

    void finishFontName() {
        const QString name = m_fontName.trimmed();
        if (m_fontIndexInTable >= 0 && !name.isEmpty() && !m_fonts.contains(m_fontIndexInTable))
            m_fonts.insert(m_fontIndexInTable, name);
        m_fontName.clear();
    }

    void emitChar(QChar c) {
        Run fmt;
        const State& s = m_stack.back();
        fmt.bold = s.bold;
        fmt.italic = s.italic;
        fmt.underline = s.underline;
        fmt.halfPoints = s.halfPoints;
        if (s.colorIndex > 0 && s.colorIndex < m_colors.size())
            fmt.color = m_colors.at(s.colorIndex);
        // The document's default font is the notes box's own font.
        if (s.fontIndex != m_defaultFont) fmt.font = m_fonts.value(s.fontIndex);
        QList<Run>& runs = m_doc.paragraphs.last().runs;
        if (runs.isEmpty() || !runs.last().sameFormat(fmt)) {
            fmt.text = c;
            runs.append(fmt);
        } else {
            runs.last().text += c;
        }
    }

    void newParagraph() {
        if (skipping() || st().dest != Dest::Text) return;
        m_doc.paragraphs.append(Paragraph());
        ++m_closed;
    }

    void control() {
        const qsizetype n = m_in.size();
        if (m_pos >= n) return;
        const QChar c = m_in.at(m_pos);
        if (!c.isLetter() || c.unicode() > 0x7F) {
            ++m_pos;
            symbol(c);
            return;
        }
        QString word;
        while (m_pos < n && m_in.at(m_pos).unicode() < 0x80 && m_in.at(m_pos).isLetter()) {
            if (word.size() < 32) word += m_in.at(m_pos);
            ++m_pos;
        }
        bool hasParam = false;
        bool negative = false;
        long long param = 0;
        if (m_pos < n && m_in.at(m_pos) == QLatin1Char('-')) {
            negative = true;
            ++m_pos;
        }
        int digits = 0;
        while (m_pos < n && m_in.at(m_pos).isDigit() && m_in.at(m_pos).unicode() < 0x80) {
            if (digits < 10) param = param * 10 + (m_in.at(m_pos).unicode() - '0');
            ++digits;
            ++m_pos;
            hasParam = true;
        }
        if (negative) param = -param;
        param = std::clamp<long long>(param, -2147483647LL, 2147483647LL);
        if (m_pos < n && m_in.at(m_pos) == QLatin1Char(' ')) ++m_pos;
        word_(word, hasParam, static_cast<int>(param));
    }

    void symbol(QChar c) {
        switch (c.unicode()) {
        case '\\':
        case '{':
        case '}':
            character(c);
            break;
        case '~':
            character(QChar(0x00A0));
            break;
        case '_':
            character(QChar(0x2011));
            break;
        case '\'': {
            int value = 0;
            int got = 0;
            while (got < 2 && m_pos < m_in.size()) {
                const int h = hexValue(m_in.at(m_pos));
                if (h < 0) break;
                value = value * 16 + h;
                ++m_pos;
                ++got;
            }
            if (got > 0) character(fromCp1252(value));
            break;
        }
        case '*':
            m_ignorableNext = true;
            break;
        case '\r':
        case '\n':
            newParagraph();
            break;
        default:
            break; // "\-" (optional hyphen) and unknown symbols
        }
    }

    static int hexValue(QChar c) {
        const char16_t u = c.unicode();
        if (u >= '0' && u <= '9') return u - '0';
        if (u >= 'a' && u <= 'f') return u - 'a' + 10;
        if (u >= 'A' && u <= 'F') return u - 'A' + 10;
        return -1;
    }

    void setDest(Dest d) {
        if (m_overflow == 0) st().dest = d;
    }

    void word_(const QString& w, bool hasParam, int param) {
        const bool ignorable = m_ignorableNext;
        m_ignorableNext = false;
        if (m_overflow > 0) return;
        State& s = st();
        const bool on = !hasParam || param != 0;

        // Destinations
        if (w == QLatin1String("fonttbl")) {
            setDest(Dest::FontTable);
            return;
        }
        if (w == QLatin1String("colortbl")) {
            setDest(Dest::ColorTable);
            return;
        }
        static const char* const skipped[] = {"stylesheet",
                                              "info",
                                              "pict",
                                              "object",
                                              "header",
                                              "footer",
                                              "headerl",
                                              "headerr",
                                              "headerf",
                                              "footerl",
                                              "footerr",
                                              "footerf",
                                              "footnote",
                                              "fldinst",
                                              "themedata",
                                              "colorschememapping",
                                              "latentstyles",
                                              "datastore",
                                              "xmlnstbl",
                                              "listtable",
                                              "listoverridetable",
                                              "rsidtbl",
                                              "generator",
                                              "filetbl",
                                              "revtbl",
                                              "pntext",
                                              "pntxta",
                                              "pntxtb"};
        for (const char* d : skipped) {
            if (w == QLatin1String(d)) {
                setDest(Dest::Skip);
                return;
            }
        }
        if (ignorable) {
            // {\* ...} with a destination we do not know.
            setDest(Dest::Skip);
            return;
        }

        if (s.dest == Dest::FontTable) {
            if (w == QLatin1String("f") && hasParam) {
                finishFontName();
                m_fontIndexInTable = param;
            }
            return;
        }
        if (s.dest == Dest::ColorTable) {
            const int v = std::clamp(param, 0, 255);
            if (w == QLatin1String("red")) {
                m_color = (m_color & 0x00FFFFu) | (static_cast<quint32>(v) << 16);
                m_colorSet = true;
            } else if (w == QLatin1String("green")) {
                m_color = (m_color & 0xFF00FFu) | (static_cast<quint32>(v) << 8);
                m_colorSet = true;
            } else if (w == QLatin1String("blue")) {
                m_color = (m_color & 0xFFFF00u) | static_cast<quint32>(v);
                m_colorSet = true;
            }
            return;
        }

        if (w == QLatin1String("par") || w == QLatin1String("sect")) {
            newParagraph();
        } else if (w == QLatin1String("line")) {
            character(QLatin1Char('\n'));
        } else if (w == QLatin1String("tab")) {
            character(QLatin1Char('\t'));
        } else if (w == QLatin1String("b")) {
            s.bold = on;
        } else if (w == QLatin1String("i")) {
            s.italic = on;
        } else if (w == QLatin1String("ul")) {
            s.underline = on;
        } else if (w == QLatin1String("ulnone")) {
            s.underline = false;
        } else if (w == QLatin1String("fs")) {
            s.halfPoints = hasParam ? std::clamp(param, 0, 3276) : 0;
        } else if (w == QLatin1String("cf")) {
            s.colorIndex = std::max(param, 0);
        } else if (w == QLatin1String("f")) {
            s.fontIndex = param;
        } else if (w == QLatin1String("plain")) {
            s.bold = s.italic = s.underline = false;
            s.halfPoints = 0;
            s.colorIndex = 0;
            s.fontIndex = m_defaultFont;
        } else if (w == QLatin1String("deff")) {
            m_defaultFont = param;
            s.fontIndex = param;
        } else if (w == QLatin1String("uc")) {
            s.uc = std::clamp(param, 0, 8);
        } else if (w == QLatin1String("u") && hasParam) {
            int code = param;
            if (code < 0) code += 65536;
            if (code >= 0 && code <= 0xFFFF) character(QChar(static_cast<char16_t>(code)));
            m_skipChars = s.uc;
            return; // keep the skip count for the fallback characters
        } else if (w == QLatin1String("emdash")) {
            character(QChar(0x2014));
        } else if (w == QLatin1String("endash")) {
            character(QChar(0x2013));
        } else if (w == QLatin1String("bullet")) {
            character(QChar(0x2022));
        } else if (w == QLatin1String("lquote")) {
            character(QChar(0x2018));
        } else if (w == QLatin1String("rquote")) {
            character(QChar(0x2019));
        } else if (w == QLatin1String("ldblquote")) {
            character(QChar(0x201C));
        } else if (w == QLatin1String("rdblquote")) {
            character(QChar(0x201D));
        }
        // Any other control word is skipped. A fallback skip ends at a control word.
        m_skipChars = 0;
    }

    const QString& m_in;
    qsizetype m_pos = 0;
    std::vector<State> m_stack{State()};
    int m_overflow = 0;
    bool m_ignorableNext = false;
    int m_skipChars = 0;
    int m_closed = 0;
    Document m_doc;
    QHash<int, QString> m_fonts;
    int m_fontIndexInTable = -1;
    QString m_fontName;
    int m_defaultFont = -1;
    QList<std::optional<quint32>> m_colors;
    quint32 m_color = 0;
    bool m_colorSet = false;
};

void appendEscaped(QString& out, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const char16_t u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += QLatin1Char('\\');
            out += c;
        } else if (u == '\n') {
            out += QLatin1String("\\line ");
        } else if (u == '\t') {
            out += QLatin1String("\\tab ");
        } else if (u >= 0x20 && u < 0x7F) {
            out += c;
        } else if (const int b = toCp1252(c); b >= 0x80 || (b >= 0 && b < 0x20)) {
            out += QStringLiteral("\\'%1").arg(b, 2, 16, QLatin1Char('0'));
        } else {
            // Signed 16-bit as RTF wants it; "?" for readers without Unicode.
            const int code = u > 0x7FFF ? static_cast<int>(u) - 65536 : static_cast<int>(u);
            out += QStringLiteral("\\u%1?").arg(code);
        }
    }
}

} // namespace

QString Paragraph::text() const {
    QString t;
    for (const Run& r : runs)
        t += r.text;
    return t;
}

QString Document::plainText() const {
    QStringList lines;
    for (const Paragraph& p : paragraphs)
        lines.append(p.text());
    return lines.join(QLatin1Char('\n'));
}

bool isRtf(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    return QStringView(text).mid(i).startsWith(QLatin1String("{\\rtf"));
}

Document parse(const QString& text) {
    if (!isRtf(text)) return fromPlainText(text);
    return Reader(text).run();
}

Document fromPlainText(const QString& text) {
    Document doc;
    QString t = text;
    t.remove(QLatin1Char('\r'));
    for (const QString& line : t.split(QLatin1Char('\n'))) {
        Paragraph p;
        if (!line.isEmpty())
            p.runs.append(Run{line, false, false, false, 0, std::nullopt, QString()});
        doc.paragraphs.append(p);
    }
    return doc;
}

QString write(const Document& doc) {
    // Tables first: fonts and colours used by the runs, in order of appearance.
    QStringList fonts{QStringLiteral("Arial")};
    QList<quint32> colors;
    for (const Paragraph& p : doc.paragraphs) {
        for (const Run& r : p.runs) {
            if (!r.font.isEmpty() && !fonts.contains(r.font)) fonts.append(r.font);
            if (r.color && !colors.contains(*r.color)) colors.append(*r.color);
        }
    }
    QString out = QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl");
    for (int i = 0; i < fonts.size(); ++i) {
        out += QStringLiteral("{\\f%1\\fnil\\fcharset0 ").arg(i);
        appendEscaped(out, QString(fonts.at(i)).remove(QLatin1Char(';')));
        out += QLatin1String(";}");
    }
    out += QLatin1Char('}');
    if (!colors.isEmpty()) {
        out += QLatin1String("{\\colortbl ;");
        for (quint32 c : colors)
            out += QStringLiteral("\\red%1\\green%2\\blue%3;")
                       .arg((c >> 16) & 0xFF)
                       .arg((c >> 8) & 0xFF)
                       .arg(c & 0xFF);
        out += QLatin1Char('}');
    }
    out += QLatin1String("\n\\viewkind4\\uc1\\pard");
    for (const Paragraph& p : doc.paragraphs) {
        for (const Run& r : p.runs) {
            // Each run states its whole format, so runs never depend on each other.
            out += QLatin1String("\\plain");
            out += QStringLiteral("\\f%1").arg(r.font.isEmpty() ? 0 : fonts.indexOf(r.font));
            if (r.halfPoints > 0) out += QStringLiteral("\\fs%1").arg(r.halfPoints);
            if (r.color) out += QStringLiteral("\\cf%1").arg(colors.indexOf(*r.color) + 1);
            if (r.bold) out += QLatin1String("\\b");
            if (r.italic) out += QLatin1String("\\i");
            if (r.underline) out += QLatin1String("\\ul");
            out += QLatin1Char(' ');
            appendEscaped(out, r.text);
        }
        out += QLatin1String("\\par\n");
    }
    out += QLatin1Char('}');
    return out;
}

} // namespace Rtf
