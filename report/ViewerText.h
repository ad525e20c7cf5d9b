// The viewer's text as a document: built from a file's bytes (rich text first, then plain
// Windows-1251 text) and read back as the plain text that a save writes.
#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QFont;
class QTextDocument;

// The content of the file at `fullPath` as a new document with `defaultFont`; LoadError when the
// file cannot be opened or is a pipe or a socket ("Cannot open file …"), or its content is not
// text or more than the box can lay out without holding up the window ("Failed to Load Stream": a
// read error, a NUL byte outside rich text, too many paragraphs or too long a paragraph).
std::unique_ptr<QTextDocument> readViewerDocument(const QString &fullPath, const QFont &defaultFont);

// The same for bytes already read.
std::unique_ptr<QTextDocument> viewerDocumentFromBytes(const QByteArray &bytes, const QFont &defaultFont);

// The document's text with CR LF between lines and nothing after the last one. Pictures and other
// embedded objects have no text and are left out.
QString viewerPlainText(const QTextDocument &document);
