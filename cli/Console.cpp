// Standard output and error on Windows consoles and everywhere else.
#include "Console.h"

#include <algorithm>
#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#endif

namespace {

// A file or a pipe gets the very bytes, "\n" included, as on every other system: the C
// library's text mode would turn each line end into CR LF.
void useBinaryMode()
{
#ifdef Q_OS_WIN
    static const bool output = (_setmode(_fileno(stdout), 0x8000 /* _O_BINARY */), true);
    static const bool error = (_setmode(_fileno(stderr), 0x8000), true);
    Q_UNUSED(output);
    Q_UNUSED(error);
#endif
}

void print(std::FILE *stream, const QString &text)
{
#ifdef Q_OS_WIN
    // A console shows Cyrillic only through the wide interface; a file or a pipe gets UTF-8.
    const HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
        std::fflush(stream);
        // A console may take a long text in parts.
        const wchar_t *rest = reinterpret_cast<const wchar_t *>(text.utf16());
        qsizetype left = text.size();
        while (left > 0) {
            DWORD written = 0;
            if (!WriteConsoleW(handle, rest, DWORD(std::min<qsizetype>(left, 8192)), &written, nullptr) || written == 0)
                return;
            rest += written;
            left -= qsizetype(written);
        }
        return;
    }
#endif
    useBinaryMode();
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
}

} // namespace

void printText(const QString &text)
{
    print(stdout, text);
}

void printError(const QString &text)
{
    print(stderr, text);
}

bool standardOutputIsConsole()
{
#ifdef Q_OS_WIN
    DWORD mode = 0;
    const HANDLE handle = GetStdHandle(STD_OUTPUT_HANDLE);
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
#else
    return false;
#endif
}

bool writeOutput(QByteArrayView bytes)
{
    // The schedule's own bytes, with its own line ends.
    useBinaryMode();
    return std::fwrite(bytes.data(), 1, std::size_t(bytes.size()), stdout) == std::size_t(bytes.size());
}

bool flushOutput()
{
    return std::fflush(stdout) == 0 && !std::ferror(stdout);
}
