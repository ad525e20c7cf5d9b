// The rich-text reader: one pass over the bytes with an explicit stack of group states.
#include "RtfReader.h"

#include "Cp1251.h"

#include <QByteArray>
#include <QHash>

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <utility>

namespace {

using Table = std::array<char16_t, 256>;

const Table &cp1251Table()
{
    static const Table table = [] {
        Table t{};
        QByteArray all(256, Qt::Uninitialized);
        for (int byte = 0; byte < 256; ++byte)
            all[byte] = char(byte);
        const QString text = decodeCp1251(all);
        for (int byte = 0; byte < 256; ++byte)
            t[byte] = text[byte].unicode();
        return t;
    }();
    return table;
}

// Windows-1252, also the stand-in for the single-byte code pages the viewer does not know: their
// letters come out wrong, but nothing is lost from the structure of the text.
const Table &cp1252Table()
{
    static const Table table = [] {
        static constexpr char16_t upper[32] = {
            0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
        };
        Table t{};
        for (int byte = 0; byte < 256; ++byte)
            t[byte] = char16_t(byte);
        for (int byte = 0x80; byte < 0xA0; ++byte)
            t[byte] = upper[byte - 0x80];
        return t;
    }();
    return table;
}

const Table &tableForCodePage(int codePage)
{
    return codePage == 1251 ? cp1251Table() : cp1252Table();
}

// \fcharsetN → code page; 0 means "the document's \ansicpg".
int codePageOfCharset(int charset)
{
    switch (charset) {
    case 0:
        return 1252;
    case 204:
        return 1251;
    case 238:
        return 1250;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 163:
        return 1258;
    default:
        return 0;
    }
}

// Destinations whose text is not part of the body: the header's tables and the document's
// furniture (headers, footers, notes, pictures, embedded objects, field instructions …).
bool isSkippedDestination(QByteArrayView word)
{
    static const QHash<QByteArray, bool> skipped = [] {
        QHash<QByteArray, bool> words;
        for (const char *name :
             {"stylesheet", "info", "pict", "object", "objdata", "header", "headerl", "headerr",
              "headerf", "footer", "footerl", "footerr", "footerf", "footnote", "annotation",
              "listtable", "listoverridetable", "revtbl", "rsidtbl", "filetbl", "xmlnstbl",
              "themedata", "colorschememapping", "latentstyles", "datastore", "generator",
              "fldinst", "docvar", "template", "userprops", "nonshppict", "shpinst", "sp", "sn",
              "sv", "txe", "xe", "tc", "bkmkstart", "bkmkend", "atnid", "atnauthor", "atndate",
              "ftnsep", "ftnsepc", "ftncn", "aftnsep", "aftnsepc", "aftncn", "pgdsctbl",
              "pnseclvl", "mmathPr", "keywords", "comment", "title", "subject", "author",
              "operator", "doccomm", "company", "category", "manager", "hlinkbase", "fontemb",
              "fontfile", "printim", "buptim", "creatim", "revtim", "falt", "panose",
              "blipuid", "passwordhash", "wgrffmtfilter", "defchp", "defpap"})
            words.insert(QByteArray(name), true);
        return words;
    }();
    return skipped.contains(QByteArray::fromRawData(word.data(), word.size()));
}

enum class Destination { Body, Skip, FontTable, ColorTable };

struct GroupState
{
    Destination destination = Destination::Body;
    RtfCharFormat format;
    int font = -1; // -1: the document's default font
    int unicodeSkip = 1;
    RtfParagraph::Alignment alignment = RtfParagraph::Alignment::Left;
};

struct Font
{
    QString name;
    int charset = 1;
    bool nameDone = false;
};

struct Color
{
    int red = -1;
    int green = -1;
    int blue = -1;
};

} // namespace

class RtfReader::Parser
{
public:
    Parser(QByteArrayView bytes, std::size_t maximumParagraphs)
        : m_bytes(bytes)
        , m_maximumParagraphs(maximumParagraphs)
    {
        m_document.paragraphs.emplace_back();
        // The outermost '{' opens the document's own group.
        m_stack.emplace_back();
    }

    bool atEnd() const { return m_next >= m_bytes.size() || m_stack.empty() || !m_document.complete; }

    // Everything the loop needs between parts is kept in members, so that reading in parts
    // gives the same document as reading at once.
    void readPart(qsizetype bytes)
    {
        const qsizetype size = m_bytes.size();
        const qsizetype stop = bytes >= size - m_next ? size : m_next + std::max<qsizetype>(bytes, 1);
        qsizetype i = m_next;
        while (i < stop && !m_stack.empty() && m_document.complete) {
            const char c = m_bytes[i];
            switch (c) {
            case '{':
                // Past a depth no writer uses, groups are read flat: each would cost a copy of
                // the state, and a file of nothing but "{" would cost a hundred times its size.
                if (m_stack.size() >= maximumDepth)
                    ++m_flatGroups;
                else
                    m_stack.push_back(m_stack.back());
                m_ignorableNext = false;
                m_pendingSkip = 0;
                ++i;
                break;
            case '}':
                if (m_flatGroups > 0) {
                    --m_flatGroups;
                    m_ignorableNext = false;
                    m_pendingSkip = 0;
                    ++i;
                    break;
                }
                // The end of the (first) table itself, not of one of its entries: each pass over
                // the stack happens once, however the groups nest.
                if (!m_fontTableRead && m_stack.back().destination == Destination::FontTable
                    && (m_stack.size() < 2 || m_stack[m_stack.size() - 2].destination != Destination::FontTable))
                    fontTableRead();
                m_stack.pop_back();
                m_ignorableNext = false;
                m_pendingSkip = 0;
                ++i;
                break;
            case '\\':
                i = controlAt(i);
                break;
            case '\r':
            case '\n':
                ++i;
                break;
            default:
                byteOfText(std::uint8_t(c));
                ++i;
                break;
            }
        }
        m_next = i;
    }

    RtfDocument takeDocument()
    {
        finish();
        return std::move(m_document);
    }

private:
    GroupState &top() { return m_stack.back(); }

    // Reads the control word or symbol at `at` (a backslash) and returns the index after it.
    qsizetype controlAt(qsizetype at)
    {
        const qsizetype size = m_bytes.size();
        qsizetype i = at + 1;
        if (i >= size)
            return i;
        const char first = m_bytes[i];
        if (!isLetter(first))
            return controlSymbolAt(i);

        const qsizetype wordStart = i;
        while (i < size && isLetter(m_bytes[i]) && i - wordStart < 32)
            ++i;
        const QByteArrayView word = m_bytes.sliced(wordStart, i - wordStart);
        bool hasParameter = false;
        bool negative = false;
        long long parameter = 0;
        if (i < size && m_bytes[i] == '-' && i + 1 < size && isDigit(m_bytes[i + 1])) {
            negative = true;
            ++i;
        }
        while (i < size && isDigit(m_bytes[i])) {
            hasParameter = true;
            if (parameter < std::numeric_limits<int>::max())
                parameter = parameter * 10 + (m_bytes[i] - '0');
            ++i;
        }
        if (parameter > std::numeric_limits<int>::max())
            parameter = std::numeric_limits<int>::max();
        if (negative)
            parameter = -parameter;
        if (i < size && m_bytes[i] == ' ')
            ++i; // the delimiter belongs to the word

        if (word == "bin") {
            // Binary data of the given length follows; it is never text.
            const qsizetype length = hasParameter && parameter > 0 ? qsizetype(parameter) : 0;
            return i + std::min(length, size - i);
        }
        controlWord(word, hasParameter, int(parameter));
        return i;
    }

    qsizetype controlSymbolAt(qsizetype i)
    {
        const char symbol = m_bytes[i];
        switch (symbol) {
        case '\'': {
            const qsizetype size = m_bytes.size();
            int value = 0;
            int digits = 0;
            while (digits < 2 && i + 1 + digits < size && hexValue(m_bytes[i + 1 + digits]) >= 0) {
                value = value * 16 + hexValue(m_bytes[i + 1 + digits]);
                ++digits;
            }
            if (digits > 0)
                byteOfText(std::uint8_t(value), true);
            return i + 1 + digits;
        }
        case '\\':
        case '{':
        case '}':
            byteOfText(std::uint8_t(symbol), true);
            return i + 1;
        case '~':
            character(u'\u00A0');
            return i + 1;
        case '_':
            character(u'-');
            return i + 1;
        case '*':
            m_ignorableNext = true;
            return i + 1;
        case '\r':
        case '\n':
            controlWord("par", false, 0);
            return i + 1;
        default:
            // \- (optional hyphen), \: and \| and unknown symbols show nothing; each still
            // takes the place of one fallback character after \uN.
            if (m_pendingSkip > 0)
                --m_pendingSkip;
            return i + 1;
        }
    }

    void controlWord(QByteArrayView word, bool hasParameter, int parameter)
    {
        GroupState &state = top();
        const bool ignorable = std::exchange(m_ignorableNext, false);
        if (ignorable || isSkippedDestination(word)) {
            // An unknown destination marked with \* and every known non-body one: skip the group.
            state.destination = Destination::Skip;
            return;
        }
        const int value = hasParameter ? parameter : 1;

        if (word == "fonttbl") {
            state.destination = Destination::FontTable;
            return;
        }
        if (word == "colortbl") {
            state.destination = Destination::ColorTable;
            m_colors.clear();
            m_currentColor = Color{};
            return;
        }
        if (state.destination == Destination::FontTable) {
            if (word == "f") {
                m_currentFont = parameter;
                m_fonts[m_currentFont] = Font{};
            } else if (word == "fcharset") {
                m_fonts[m_currentFont].charset = parameter;
            }
            return;
        }
        if (state.destination == Destination::ColorTable) {
            const int component = std::clamp(parameter, 0, 255);
            if (word == "red")
                m_currentColor.red = component;
            else if (word == "green")
                m_currentColor.green = component;
            else if (word == "blue")
                m_currentColor.blue = component;
            return;
        }

        // Document properties, read wherever they stand.
        if (word == "ansicpg") {
            if (hasParameter)
                m_codePage = parameter;
            return;
        }
        if (word == "deff") {
            m_defaultFont = parameter;
            return;
        }
        if (word == "uc") {
            state.unicodeSkip = std::clamp(parameter, 0, 16);
            return;
        }
        if (word == "u") {
            if (!hasParameter)
                return;
            // A \u never counts as the fallback of the one before it: writers that leave the
            // fallbacks out (\uc0 forgotten) lose nothing.
            m_pendingSkip = 0;
            const int code = parameter < 0 ? parameter + 65536 : parameter;
            if (code >= 0 && code <= 0xFFFF)
                character(char16_t(code));
            m_pendingSkip = state.unicodeSkip;
            return;
        }

        // Character formatting.
        RtfCharFormat &format = state.format;
        if (word == "b") {
            format.bold = value != 0;
        } else if (word == "i") {
            format.italic = value != 0;
        } else if (word == "ulnone") {
            format.underline = false;
        } else if (word.size() >= 2 && word[0] == 'u' && word[1] == 'l' && word != "ulc") {
            format.underline = value != 0;
        } else if (word == "fs") {
            format.halfPoints = hasParameter && parameter > 0 ? std::min(parameter, 3276) : 24;
        } else if (word == "cf") {
            setColor(format, parameter);
        } else if (word == "f") {
            state.font = parameter;
            format.fontFamily = fontName(parameter);
        } else if (word == "plain") {
            format = RtfCharFormat{};
            state.font = -1;
            format.fontFamily = fontName(m_defaultFont);
        }
        // Paragraph formatting.
        else if (word == "pard") {
            state.alignment = RtfParagraph::Alignment::Left;
        } else if (word == "ql") {
            state.alignment = RtfParagraph::Alignment::Left;
        } else if (word == "qc") {
            state.alignment = RtfParagraph::Alignment::Center;
        } else if (word == "qr") {
            state.alignment = RtfParagraph::Alignment::Right;
        } else if (word == "qj") {
            state.alignment = RtfParagraph::Alignment::Justify;
        }
        // Characters and breaks.
        else if (word == "par" || word == "sect" || word == "page" || word == "row"
                 || word == "nestrow") {
            paragraphEnd();
        } else if (word == "line") {
            character(u'\u2028');
        } else if (word == "tab" || word == "cell" || word == "nestcell") {
            character(u'\t');
        } else if (word == "emdash") {
            character(u'\u2014');
        } else if (word == "endash") {
            character(u'\u2013');
        } else if (word == "bullet") {
            character(u'\u2022');
        } else if (word == "lquote") {
            character(u'\u2018');
        } else if (word == "rquote") {
            character(u'\u2019');
        } else if (word == "ldblquote") {
            character(u'\u201C');
        } else if (word == "rdblquote") {
            character(u'\u201D');
        } else if (word == "emspace" || word == "enspace" || word == "qmspace") {
            character(u' ');
        }
    }

    // Text before any \f is in the default font, which is known only now.
    void fontTableRead()
    {
        m_fontTableRead = true;
        const QString name = fontName(m_defaultFont);
        for (GroupState &state : m_stack) {
            if (state.font < 0)
                state.format.fontFamily = name;
        }
    }

    void setColor(RtfCharFormat &format, int index)
    {
        // Entry 0, and any entry without components, is the automatic colour.
        if (index <= 0 || index >= int(m_colors.size())
            || (m_colors[index].red < 0 && m_colors[index].green < 0 && m_colors[index].blue < 0)) {
            format.hasColor = false;
            format.rgb = 0;
            return;
        }
        const Color &color = m_colors[index];
        format.hasColor = true;
        format.rgb = (unsigned(std::max(color.red, 0)) << 16) | (unsigned(std::max(color.green, 0)) << 8)
                     | unsigned(std::max(color.blue, 0));
    }

    QString fontName(int font) const
    {
        const auto found = m_fonts.find(font < 0 ? m_defaultFont : font);
        return found == m_fonts.end() ? QString() : found->name;
    }

    int codePageOf(const GroupState &state) const
    {
        const auto found = m_fonts.find(state.font < 0 ? m_defaultFont : state.font);
        if (found != m_fonts.end()) {
            if (const int codePage = codePageOfCharset(found->charset))
                return codePage;
        }
        return m_codePage;
    }

    // A byte of text, raw or written as \'hh, \\, \{ or \}.
    void byteOfText(std::uint8_t byte, bool escaped = false)
    {
        GroupState &state = top();
        if (m_pendingSkip > 0) {
            --m_pendingSkip;
            return;
        }
        switch (state.destination) {
        case Destination::Skip:
            return;
        case Destination::FontTable: {
            Font &font = m_fonts[m_currentFont];
            if (byte == ';' && !escaped)
                font.nameDone = true;
            else if (!font.nameDone && byte >= 0x20)
                font.name += QChar(tableForCodePage(m_codePage)[byte]);
            return;
        }
        case Destination::ColorTable:
            if (byte == ';' && !escaped) {
                m_colors.push_back(m_currentColor);
                m_currentColor = Color{};
            }
            return;
        case Destination::Body:
            break;
        }
        if (byte == '\t') {
            append(u'\t');
            return;
        }
        if (byte < 0x20)
            return; // control bytes are not text; line ends in the source are not line ends
        append(tableForCodePage(codePageOf(state))[byte]);
    }

    // A character named by a control word: counts as text, not as a fallback byte.
    void character(char16_t unit)
    {
        if (m_pendingSkip > 0) {
            // A character word in the place of a fallback character is the fallback.
            --m_pendingSkip;
            return;
        }
        // Control characters are no text (a CR or LF would make a line end of its own).
        if (top().destination == Destination::Body && (unit >= 0x20 || unit == u'\t'))
            append(unit);
    }

    void append(char16_t unit)
    {
        RtfParagraph &paragraph = m_document.paragraphs.back();
        // The paragraph's properties are those in force at its mark, or at its last text when
        // the document ends without one.
        paragraph.alignment = top().alignment;
        std::vector<RtfRun> &runs = paragraph.runs;
        const RtfCharFormat &format = top().format;
        if (runs.empty() || !(runs.back().format == format))
            runs.push_back(RtfRun{QString(), format});
        runs.back().text += QChar(unit);
    }

    void paragraphEnd()
    {
        if (m_pendingSkip > 0)
            m_pendingSkip = 0;
        if (top().destination != Destination::Body)
            return;
        m_document.paragraphs.back().alignment = top().alignment;
        m_document.paragraphs.emplace_back();
        if (m_document.paragraphs.size() > m_maximumParagraphs)
            m_document.complete = false;
    }

    void finish()
    {
        std::vector<RtfParagraph> &paragraphs = m_document.paragraphs;
        // The last paragraph mark of a document closes its last paragraph; it opens no new one.
        if (paragraphs.size() > 1 && paragraphs.back().runs.empty())
            paragraphs.pop_back();
    }

    static bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }
    static int hexValue(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    static constexpr std::size_t maximumDepth = 1000;

    QByteArrayView m_bytes;
    qsizetype m_next = 1; // the byte the next part starts with, after the document's '{'
    std::size_t m_maximumParagraphs;
    std::vector<GroupState> m_stack;
    std::size_t m_flatGroups = 0; // groups opened beyond maximumDepth and not closed yet
    RtfDocument m_document;
    QHash<int, Font> m_fonts;
    std::vector<Color> m_colors;
    Color m_currentColor;
    int m_currentFont = 0;
    int m_defaultFont = 0;
    int m_codePage = 1252;
    int m_pendingSkip = 0;
    bool m_ignorableNext = false;
    bool m_fontTableRead = false;
};

RtfReader::RtfReader(QByteArrayView bytes, std::size_t maximumParagraphs)
    : m_parser(std::make_unique<Parser>(bytes, maximumParagraphs))
{
}

RtfReader::~RtfReader() = default;
RtfReader::RtfReader(RtfReader &&) noexcept = default;
RtfReader &RtfReader::operator=(RtfReader &&) noexcept = default;

void RtfReader::readPart(qsizetype bytes)
{
    m_parser->readPart(bytes);
}

bool RtfReader::atEnd() const
{
    return m_parser->atEnd();
}

RtfDocument RtfReader::takeDocument()
{
    return m_parser->takeDocument();
}

QString RtfDocument::plainText() const
{
    QString text;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        if (i > 0)
            text += QLatin1Char('\n');
        for (const RtfRun &run : paragraphs[i].runs)
            text += run.text;
    }
    text.replace(QChar(0x2028), QLatin1Char('\n'));
    return text;
}

bool isRtf(QByteArrayView bytes)
{
    if (!bytes.startsWith("{\\rtf"))
        return false;
    // "{\rtf1", "{\rtf " or "{\rtf\ansi": not the start of some longer control word.
    return bytes.size() == 5 || !((bytes[5] >= 'a' && bytes[5] <= 'z') || (bytes[5] >= 'A' && bytes[5] <= 'Z'));
}

std::optional<RtfDocument> readRtf(QByteArrayView bytes, std::size_t maximumParagraphs)
{
    if (!isRtf(bytes))
        return std::nullopt;
    RtfReader reader(bytes, maximumParagraphs);
    reader.readPart(bytes.size());
    return reader.takeDocument();
}
