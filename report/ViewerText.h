// The viewer's text as a document: built from a file's bytes (rich text first, then plain
// Windows-1251 text), whole or piece by piece, and read back as the plain text that a save writes.
#pragma once

#include "RtfReader.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QFont;
class QTextDocument;

// The content of the file at `fullPath` as a new document with `defaultFont`; LoadError when the
// file cannot be opened or is a pipe or a socket ("Cannot open file …"), or its content is not
// text or more than the box can lay out without holding up the window ("Failed to Load Stream": a
// read error, a NUL byte outside rich text, too many paragraphs or too long a paragraph).
std::unique_ptr<QTextDocument> readViewerDocument(const QString &fullPath, const QFont &defaultFont);

// The same for bytes already read.
std::unique_ptr<QTextDocument> viewerDocumentFromBytes(const QByteArray &bytes, const QFont &defaultFont);

// A file's text, read and checked whole (so that a load fails before anything changes), then
// appended to a document piece by piece: whole paragraphs, up to maximumPieceCharacters characters
// or maximumPieceParagraphs paragraphs a piece (a longer paragraph is a piece of its own). The
// pieces together give the document that readViewerDocument builds at once.
class ViewerTextPieces
{
public:
    static constexpr qsizetype maximumPieceCharacters = 32768;
    static constexpr qsizetype maximumPieceParagraphs = 1250;
    // The file is read, and its plain text decoded or its rich text parsed, in parts of at most
    // so many bytes; `betweenParts` is called after each part but the last, where the caller may
    // answer its events.
    static constexpr qsizetype maximumReadPartBytes = 1 << 20;
    static constexpr qsizetype maximumParsePartBytes = 256 << 10;

    // LoadError as readViewerDocument and viewerDocumentFromBytes.
    static ViewerTextPieces fromFile(const QString &fullPath, const std::function<void()> &betweenParts = {});
    static ViewerTextPieces fromBytes(const QByteArray &bytes, const std::function<void()> &betweenParts = {});

    // Appends the next piece at the end of `document`, which holds the pieces before it.
    void appendNextPiece(QTextDocument &document);
    bool atEnd() const;

private:
    QString m_plain;                  // with "\n" line ends, when the text is not rich
    std::optional<RtfDocument> m_rich;
    qsizetype m_next = 0;             // the character or paragraph the next piece starts with
};

// The document's text with CR LF between lines and nothing after the last one. Pictures and other
// embedded objects have no text and are left out.
QString viewerPlainText(const QTextDocument &document);
