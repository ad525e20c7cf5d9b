// The text-file output convention on top of QSaveFile, with the platform's errors put on the rows
// of the file layer's message table.
#include "TextFile.h"

#include "Cp1251.h"
#include "Errors.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <memory>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

// The file layer's codes (the Windows numbering).
constexpr int invalidFilename = 3;
constexpr int tooManyOpenFiles = 4;
constexpr int accessDenied = 5;
constexpr int fileNotOpen = 103; // a write after the close

// Each failure goes on the table's row of its kind; the rest keep the platform's own number.
[[noreturn]] void fail(int error)
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
        // A failure whose number was lost (errno cleared on the way) is still a failure.
        throw InOutError::otherFailure(error != 0 ? error : EIO);
    }
}

// The checks QSaveFile leaves to us, made before anything is created: a name that cannot be a
// file, a target that is a folder, and an existing file that we may not write (QSaveFile would
// replace it by renaming, which only needs the folder to be writable).
void checkTarget(const QString &fullPath)
{
    if (fullPath.isEmpty() || fullPath.contains(QChar(0)))
        throw InOutError(invalidFilename);
    const QFileInfo target(fullPath);
    if (target.fileName().isEmpty() || fullPath.endsWith(QLatin1Char('/'))
        || fullPath.endsWith(QDir::separator()))
        throw InOutError(invalidFilename);
    if (!target.exists())
        return;
    if (target.isDir())
        throw InOutError(accessDenied);
#ifdef Q_OS_UNIX
    if (::access(QFile::encodeName(fullPath).constData(), W_OK) != 0)
        fail(errno);
#else
    if (!target.isWritable())
        throw InOutError(accessDenied);
#endif
}

// Enough to keep the number of system calls small for big texts; the file is complete only
// after commit() anyway.
constexpr qsizetype bufferSize = 64 * 1024;

} // namespace

struct TextFileWriter::State
{
    // A regular file (or a new one) is written beside the target and put in its place at the
    // end; a device or a pipe cannot be replaced and is written directly.
    explicit State(const QString &fullPath)
    {
        const QFileInfo target(fullPath);
        if (target.exists() && !target.isFile())
            file = std::make_unique<QFile>(fullPath);
        else
            file = std::make_unique<QSaveFile>(fullPath);
    }

    QSaveFile *saveFile() const { return qobject_cast<QSaveFile *>(file.get()); }

    void flush()
    {
        if (buffer.isEmpty())
            return;
        const char *data = buffer.constData();
        qsizetype left = buffer.size();
        while (left > 0) {
            errno = 0;
            const qint64 written = file->write(data, left);
            if (written <= 0)
                fail(written < 0 ? errno : ENOSPC);
            data += written;
            left -= qsizetype(written);
        }
        buffer.clear();
    }

    void append(const QByteArray &bytes)
    {
        buffer.append(bytes);
        if (buffer.size() >= bufferSize)
            flush();
    }

    std::unique_ptr<QFileDevice> file;
    QByteArray buffer;
    bool closed = false;
};

TextFileWriter::TextFileWriter(const QString &fullPath)
{
    checkTarget(fullPath);
    auto state = std::make_unique<State>(fullPath);
    errno = 0;
    // Unbuffered: each write reaches the system at once, so its errno is still ours to read.
    if (!state->file->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        fail(errno);
    state->buffer.reserve(bufferSize);
    m_state = std::move(state);
}

TextFileWriter::~TextFileWriter()
{
    if (m_state && !m_state->closed) {
        if (QSaveFile *saveFile = m_state->saveFile())
            saveFile->cancelWriting(); // its destructor then removes the temporary file
    }
}

void TextFileWriter::write(QStringView text)
{
    if (m_state->closed)
        throw InOutError(fileNotOpen);
    m_state->append(encodeCp1251(text));
}

void TextFileWriter::writeLine(QStringView text)
{
    write(text);
    m_state->append(QByteArrayLiteral("\r\n"));
}

void TextFileWriter::commit()
{
    if (m_state->closed)
        throw InOutError(fileNotOpen);
    m_state->flush();
#ifdef Q_OS_UNIX
    // A full disk or a failing device may show only now; ask before the file replaces the target.
    if (::fsync(m_state->file->handle()) != 0 && errno != EINVAL && errno != EROFS)
        fail(errno);
#endif
    m_state->closed = true;
    errno = 0;
    if (QSaveFile *saveFile = m_state->saveFile()) {
        const bool done = saveFile->commit();
        if (!done)
            fail(errno);
        return;
    }
    m_state->file->close();
    if (m_state->file->error() != QFileDevice::NoError)
        fail(errno);
}
