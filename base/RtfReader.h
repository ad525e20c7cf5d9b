// The rich-text (RTF) reader of the viewer: the text of a document that a word processor wrote,
// with the character formatting the viewer shows, as paragraphs of runs.
//
// It takes what real word processors write: the header's tables and every destination that is
// not body text are skipped; \par, \line, \tab, \'hh in the document's \ansicpg (or the font's
// \fcharset), \uN with \ucN fallbacks, \binN, and groups nested to any depth (the reader keeps
// its own stack, no recursion; past a depth of 1000 groups are read flat, so that deep nesting
// costs no memory). Formatting kept: bold, italic, underline, font size, colour,
// font name and paragraph alignment.
#pragma once

#include <QByteArrayView>
#include <QString>

#include <cstddef>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

struct RtfCharFormat
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 24;      // \fs: font size in half points (RTF's default is 12 pt)
    bool hasColor = false;    // false: the text colour of the viewer
    unsigned int rgb = 0;     // 0xRRGGBB when hasColor
    QString fontFamily;       // empty: the viewer's font

    bool operator==(const RtfCharFormat &other) const = default;
};

struct RtfRun
{
    QString text; // line breaks within the paragraph as U+2028, tabs as '\t'
    RtfCharFormat format;
};

struct RtfParagraph
{
    enum class Alignment { Left, Center, Right, Justify };
    Alignment alignment = Alignment::Left;
    std::vector<RtfRun> runs;
};

struct RtfDocument
{
    std::vector<RtfParagraph> paragraphs; // at least one
    // False when reading stopped at the caller's limit of paragraphs.
    bool complete = true;
    // The text without formatting, paragraphs and line breaks separated by "\n".
    QString plainText() const;
};

// True when the bytes start as a rich-text document does ("{\rtf").
bool isRtf(QByteArrayView bytes);

// Reads a document a part at a time, so that the caller can do other work between the parts; the
// parts together read what readRtf reads at once. The bytes must start as rich text (isRtf) and
// outlive the reader.
class RtfReader
{
public:
    explicit RtfReader(QByteArrayView bytes,
                       std::size_t maximumParagraphs = std::numeric_limits<std::size_t>::max());
    ~RtfReader();
    RtfReader(RtfReader &&) noexcept;
    RtfReader &operator=(RtfReader &&) noexcept;

    // Reads on from where the part before stopped, about `bytes` bytes: a control word and the
    // binary data after \binN are read whole.
    void readPart(qsizetype bytes);
    // True when the document is read: its end, or the caller's limit of paragraphs, is reached.
    bool atEnd() const;
    // The document read, once atEnd().
    RtfDocument takeDocument();

private:
    class Parser;
    std::unique_ptr<Parser> m_parser;
};

// The document, or nothing when the bytes are not rich text (the caller reads them as plain
// text then). A document cut short or with unbalanced groups is read as far as it goes. Reading
// stops, leaving the document incomplete, as soon as it has more than `maximumParagraphs`.
std::optional<RtfDocument> readRtf(QByteArrayView bytes,
                                   std::size_t maximumParagraphs = std::numeric_limits<std::size_t>::max());
