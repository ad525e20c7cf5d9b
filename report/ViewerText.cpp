// Building the viewer's document from a file and reading its plain text back.
#include "ViewerText.h"

#include "Cp1251.h"
#include "Errors.h"
#include "RtfReader.h"
#include "TextFile.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <vector>

namespace {

// Far beyond any text the box can show with comfort, and short of what it cannot hold at all.
constexpr qsizetype maximumLoadSize = qsizetype(256) << 20;

// What the box can lay out without holding up the window. It lays a long text out in steps of
// up to 200000 characters between events; a step costs about a microsecond and a half per
// paragraph in it, and walks every paragraph laid out before it; a paragraph is laid out (and hit
// by every click) as a whole. Beyond these limits the text is refused rather than frozen on.
constexpr qsizetype layoutStep = 200000;
constexpr qsizetype maximumParagraphsPerStep = 50000;
constexpr qsizetype maximumParagraphs = 300000;
constexpr qsizetype maximumParagraphLength = 100000;

// Follows the paragraphs of a text as they come, and refuses the text as soon as they exceed
// what the box can hold.
class CapacityCheck
{
public:
    CapacityCheck()
        : m_recentEnds(std::size_t(maximumParagraphsPerStep), -layoutStep - 1)
    {
    }

    // A paragraph of `length` characters, followed by its end.
    void paragraph(qsizetype length)
    {
        if (length > maximumParagraphLength || ++m_paragraphs > maximumParagraphs)
            throw LoadError::failedToLoadStream();
        m_position += length + 1;
        // The end of the paragraph maximumParagraphsPerStep back must lie a step away.
        qsizetype &oldest = m_recentEnds[std::size_t(m_paragraphs % maximumParagraphsPerStep)];
        if (m_position - oldest <= layoutStep)
            throw LoadError::failedToLoadStream();
        oldest = m_position;
    }

private:
    std::vector<qsizetype> m_recentEnds; // ring of the positions of the last paragraph ends
    qsizetype m_paragraphs = 0;
    qsizetype m_position = 0;
};

void checkRichCapacity(const RtfDocument &rtf)
{
    if (!rtf.complete)
        throw LoadError::failedToLoadStream();
    CapacityCheck check;
    for (const RtfParagraph &paragraph : rtf.paragraphs) {
        qsizetype length = 0;
        for (const RtfRun &run : paragraph.runs)
            length += run.text.size();
        check.paragraph(length);
    }
}

QTextCharFormat charFormatOf(const RtfCharFormat &format)
{
    QTextCharFormat result;
    result.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    result.setFontItalic(format.italic);
    result.setFontUnderline(format.underline);
    result.setFontPointSize(format.halfPoints / 2.0);
    if (format.hasColor)
        result.setForeground(QColor(QRgb(format.rgb)));
    if (!format.fontFamily.isEmpty())
        result.setFontFamilies(QStringList{format.fontFamily});
    return result;
}

Qt::Alignment alignmentOf(RtfParagraph::Alignment alignment)
{
    switch (alignment) {
    case RtfParagraph::Alignment::Center:
        return Qt::AlignHCenter;
    case RtfParagraph::Alignment::Right:
        return Qt::AlignRight;
    case RtfParagraph::Alignment::Justify:
        return Qt::AlignJustify;
    case RtfParagraph::Alignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

// The text with "\n" line ends (CR LF, lone CR and lone LF each end a line), refused as soon as
// it exceeds the box's capacity; decoded a part at a time, `betweenParts` called between them.
QString plainViewerText(const QByteArray &bytes, const std::function<void()> &betweenParts)
{
    const qsizetype size = bytes.size();
    const qsizetype part = betweenParts ? ViewerTextPieces::maximumReadPartBytes : std::max<qsizetype>(size, 1);
    QString text(size, Qt::Uninitialized);
    QChar *const begin = text.data();
    QChar *out = begin;
    const QChar *lineStart = begin;
    CapacityCheck check;
    bool afterCr = false; // a line feed right after it belongs to the same line end
    for (qsizetype from = 0; from < size; from += part) {
        if (from > 0)
            betweenParts();
        const QByteArrayView slice = QByteArrayView(bytes).sliced(from, std::min(part, size - from));
        // A NUL byte does not occur in text: such a file (a word processor's binary document,
        // UTF-16) would show as garbage cut short, so it is refused as a whole.
        if (slice.contains('\0'))
            throw LoadError::failedToLoadStream();
        const QString decoded = decodeCp1251(slice);
        for (const QChar c : decoded) {
            if (c == u'\n' && afterCr) {
                afterCr = false;
                continue;
            }
            afterCr = c == u'\r';
            if (c == u'\r' || c == u'\n') {
                check.paragraph(out - lineStart);
                *out++ = u'\n';
                lineStart = out;
            } else {
                *out++ = c;
            }
        }
    }
    check.paragraph(out - lineStart);
    text.truncate(out - begin);
    return text;
}

// Paragraphs [first, end) of the document, appended at the end of what is there.
void appendRich(QTextDocument &document, const RtfDocument &rtf, std::size_t first, std::size_t end)
{
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    for (std::size_t i = first; i < end; ++i) {
        const RtfParagraph &paragraph = rtf.paragraphs[i];
        QTextBlockFormat blockFormat;
        blockFormat.setAlignment(alignmentOf(paragraph.alignment));
        const QTextCharFormat firstFormat = paragraph.runs.empty()
                                                ? QTextCharFormat()
                                                : charFormatOf(paragraph.runs.front().format);
        if (i == 0)
            cursor.setBlockFormat(blockFormat);
        else
            cursor.insertBlock(blockFormat, firstFormat);
        for (const RtfRun &run : paragraph.runs)
            cursor.insertText(run.text, charFormatOf(run.format));
    }
    cursor.endEditBlock();
}

// Read whole and checked: a failing device or a file that shrank while it was read gives no
// document rather than part of one. A device that never ends (/dev/zero) is stopped by the
// NUL test or by the size no text box could hold.
QByteArray readViewerFile(const QString &fullPath, const std::function<void()> &betweenParts)
{
    // Opening a pipe would wait for the program at its other end.
    if (const QString refusal = refusalToRead(fullPath); !refusal.isEmpty())
        throw LoadError::cannotOpen(QDir::toNativeSeparators(fullPath), refusal);
    QFile file(fullPath);
    if (!file.open(QIODevice::ReadOnly))
        throw LoadError::cannotOpen(QDir::toNativeSeparators(fullPath), file.errorString());
    constexpr qint64 chunkSize = ViewerTextPieces::maximumReadPartBytes;
    const qint64 expected = file.size();
    QByteArray bytes;
    bytes.reserve(qsizetype(std::clamp<qint64>(expected, 0, maximumLoadSize) + chunkSize));
    bool rich = false;
    while (true) {
        const qsizetype before = bytes.size();
        bytes.resize(before + chunkSize);
        const qint64 read = file.read(bytes.data() + before, chunkSize);
        if (read < 0)
            throw LoadError::failedToLoadStream();
        bytes.resize(before + qsizetype(read));
        if (before == 0)
            rich = isRtf(bytes);
        if (!rich && QByteArrayView(bytes).sliced(before).contains('\0'))
            throw LoadError::failedToLoadStream();
        if (bytes.size() > maximumLoadSize)
            throw LoadError::failedToLoadStream();
        if (read == 0)
            break;
        if (betweenParts && read == chunkSize) // more may follow
            betweenParts();
    }
    if (file.error() != QFileDevice::NoError || bytes.size() < expected)
        throw LoadError::failedToLoadStream();
    file.close();
    return bytes;
}

} // namespace

ViewerTextPieces ViewerTextPieces::fromBytes(const QByteArray &bytes, const std::function<void()> &betweenParts)
{
    ViewerTextPieces pieces;
    if (isRtf(bytes)) {
        // With nothing to do between the parts, the text is read at once.
        const qsizetype part = betweenParts ? maximumParsePartBytes : bytes.size();
        RtfReader reader(bytes, std::size_t(maximumParagraphs));
        reader.readPart(part);
        while (!reader.atEnd()) {
            betweenParts();
            reader.readPart(part);
        }
        pieces.m_rich = reader.takeDocument();
        checkRichCapacity(*pieces.m_rich);
    } else {
        pieces.m_plain = plainViewerText(bytes, betweenParts);
    }
    return pieces;
}

ViewerTextPieces ViewerTextPieces::fromFile(const QString &fullPath, const std::function<void()> &betweenParts)
{
    return fromBytes(readViewerFile(fullPath, betweenParts), betweenParts);
}

bool ViewerTextPieces::atEnd() const
{
    // An empty plain text is one empty paragraph, appended as an empty piece.
    return m_rich ? m_next >= qsizetype(m_rich->paragraphs.size()) : m_next > m_plain.size();
}

void ViewerTextPieces::appendNextPiece(QTextDocument &document)
{
    if (atEnd())
        return;
    if (m_rich) {
        const qsizetype paragraphs = qsizetype(m_rich->paragraphs.size());
        qsizetype end = m_next;
        qsizetype characters = 0;
        while (end < paragraphs && end - m_next < maximumPieceParagraphs
               && (end == m_next || characters < maximumPieceCharacters)) {
            for (const RtfRun &run : m_rich->paragraphs[std::size_t(end)].runs)
                characters += run.text.size();
            ++end;
        }
        appendRich(document, *m_rich, std::size_t(m_next), std::size_t(end));
        m_next = end;
        return;
    }
    // Up to the line end that closes the piece's last paragraph, or to the end of the text.
    const qsizetype size = m_plain.size();
    qsizetype end = m_next;
    for (qsizetype paragraphs = 0; end < size && paragraphs < maximumPieceParagraphs; ++paragraphs) {
        if (paragraphs > 0 && end - m_next >= maximumPieceCharacters)
            break;
        const qsizetype lineEnd = m_plain.indexOf(u'\n', end);
        end = lineEnd < 0 ? size : lineEnd + 1;
    }
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringView(m_plain).sliced(m_next, end - m_next).toString());
    // The position after the end marks the last piece as appended, also for an empty text.
    m_next = end == size ? size + 1 : end;
}

std::unique_ptr<QTextDocument> viewerDocumentFromBytes(const QByteArray &bytes, const QFont &defaultFont)
{
    auto document = std::make_unique<QTextDocument>();
    // The loaded text is where undoing stops; recording its insertion would only cost memory.
    document->setUndoRedoEnabled(false);
    document->setDefaultFont(defaultFont);
    ViewerTextPieces pieces = ViewerTextPieces::fromBytes(bytes);
    while (!pieces.atEnd())
        pieces.appendNextPiece(*document);
    document->setUndoRedoEnabled(true);
    document->setModified(false);
    return document;
}

std::unique_ptr<QTextDocument> readViewerDocument(const QString &fullPath, const QFont &defaultFont)
{
    return viewerDocumentFromBytes(readViewerFile(fullPath, {}), defaultFont);
}

QString viewerPlainText(const QTextDocument &document)
{
    // The raw text keeps every character as typed (toPlainText() would turn no-break spaces
    // into spaces); paragraph and line separators and the marks of tables become line ends.
    const QString raw = document.toRawText();
    qsizetype lineEnds = 0;
    for (const QChar c : raw) {
        const char16_t unit = c.unicode();
        lineEnds += unit == QChar::ParagraphSeparator || unit == QChar::LineSeparator
                    || unit == 0xFDD0 || unit == 0xFDD1 || unit == u'\n';
    }
    QString text(raw.size() + lineEnds, Qt::Uninitialized);
    QChar *out = text.data();
    for (const QChar c : raw) {
        switch (c.unicode()) {
        case QChar::ParagraphSeparator:
        case QChar::LineSeparator:
        case 0xFDD0: // beginning of a frame or table
        case 0xFDD1: // end of a frame or table
        case u'\n':
            *out++ = u'\r';
            *out++ = u'\n';
            break;
        case QChar::ObjectReplacementCharacter:
            break;
        default:
            *out++ = c;
        }
    }
    text.truncate(out - text.constData());
    return text;
}
