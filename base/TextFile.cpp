// The text-file output convention on top of the system's file calls, with each failing step's own
// error put on the row of the file layer's message table.
#include "TextFile.h"

#include "Cp1251.h"
#include "Errors.h"
#include "NativeFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace {

// The file layer's codes (the Windows numbering).
constexpr int invalidFilename = 3;
constexpr int tooManyOpenFiles = 4;
constexpr int accessDenied = 5;
constexpr int fileNotOpen = 103; // a write after the close

#ifdef Q_OS_WIN
// The system's numbers are the table's own codes.
[[noreturn]] void failWithSystemError(int error)
{
    if (error >= 2 && error <= accessDenied)
        throw InOutError(error);
    throw InOutError::otherFailure(error);
}
#else
// Each failure goes on the table's row of its kind; the rest keep the platform's own number.
[[noreturn]] void failWithSystemError(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
    case ELOOP:
        throw InOutError(invalidFilename);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        throw InOutError(accessDenied);
    case EMFILE:
    case ENFILE:
        throw InOutError(tooManyOpenFiles);
    default:
        throw InOutError::otherFailure(error);
    }
}
#endif

[[noreturn]] void raise(const nativefile::Failure &failure)
{
    // A pipe or a socket would hold the program until another one serves it.
    if (failure.kind == nativefile::Failure::Kind::WouldBlock)
        throw InOutError(accessDenied);
    failWithSystemError(failure.code);
}

nativefile::Path nativePath(const QString &path)
{
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(path).toStdWString();
#else
    return QFile::encodeName(path).toStdString();
#endif
}

// The name the content goes to: a link is followed to the file it names, so that the link stays
// a link.
QString finalTarget(const QString &fullPath)
{
    QFileInfo info(fullPath);
    for (int depth = 0; depth < 128 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? fullPath : info.filePath();
}

void checkName(const QString &fullPath)
{
    if (fullPath.isEmpty() || fullPath.contains(QChar(0)))
        throw InOutError(invalidFilename);
    const QFileInfo target(fullPath);
    if (target.fileName().isEmpty() || fullPath.endsWith(QLatin1Char('/'))
        || fullPath.endsWith(QDir::separator()))
        throw InOutError(invalidFilename);
#ifdef Q_OS_WIN
    // Windows drops a final dot or space from a name: the file would be written under another
    // name than the one confirmed, over a file of that name, and not be found under its own.
    if (target.fileName().endsWith(QLatin1Char('.')) || target.fileName().endsWith(QLatin1Char(' ')))
        throw InOutError(invalidFilename);
#endif
}

} // namespace

struct TextFileWriter::State
{
    explicit State(const QString &path)
        : file(nativePath(path))
    {
    }

    nativefile::Writer file;
    // The whole content: only at the close is it known whether the file can be replaced or
    // must be rewritten where it is. A streamed file holds only what is not yet written ahead.
    QByteArray content;
    TextEncoding encoding = TextEncoding::Cp1251;
    bool streamed = false;
    bool closed = false;
};

namespace {

constexpr qsizetype streamedChunk = 1 << 16;

} // namespace

TextFileWriter::TextFileWriter(const QString &fullPath, TextEncoding encoding)
{
    checkName(fullPath);
    try {
        m_state = std::make_unique<State>(finalTarget(fullPath));
        m_state->encoding = encoding;
    } catch (const nativefile::Failure &failure) {
        raise(failure);
    }
}

TextFileWriter::~TextFileWriter() = default;

void TextFileWriter::write(QStringView text)
{
    if (m_state->closed)
        throw InOutError(fileNotOpen);
    if (m_state->encoding == TextEncoding::Utf8)
        m_state->content.append(text.toUtf8());
    else
        m_state->content.append(encodeCp1251(text));
    if (m_state->streamed && m_state->content.size() >= streamedChunk) {
        try {
            if (m_state->file.writeAhead(m_state->content.constData(), std::size_t(m_state->content.size())))
                m_state->content.clear();
        } catch (const nativefile::Failure &failure) {
            m_state->closed = true;
            raise(failure);
        }
    }
}

void TextFileWriter::streamToDisk()
{
    m_state->streamed = true;
}

void TextFileWriter::skipSync()
{
    m_state->file.skipSync();
}

void TextFileWriter::writeLine(QStringView text)
{
    write(text);
    m_state->content.append("\r\n", 2);
}

void TextFileWriter::commit()
{
    if (m_state->closed)
        throw InOutError(fileNotOpen);
    m_state->closed = true;
    try {
        m_state->file.commit(m_state->content.constData(), std::size_t(m_state->content.size()));
    } catch (const nativefile::Failure &failure) {
        raise(failure);
    }
}

QString refusalToRead(const QString &fullPath)
{
    if (fullPath.isEmpty() || fullPath.contains(QChar(0)))
        return QString();
    try {
        nativefile::refuseBlockingRead(nativePath(fullPath));
    } catch (const nativefile::Failure &) {
#ifdef Q_OS_WIN
        return qt_error_string(231); // ERROR_PIPE_BUSY
#else
        return qt_error_string(ENXIO);
#endif
    }
    return QString();
}
