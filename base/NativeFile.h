// The operating system's side of the text files: the one place that calls the system's file
// functions, so that each failure carries the error number of the step that failed.
//
// Plain C++ on purpose (no Qt): the Windows half can be checked by a cross compiler alone.
#pragma once

#include <cstddef>
#include <string>

namespace nativefile {

#ifdef _WIN32
using Path = std::wstring;
using Handle = void *; // a HANDLE
inline constexpr Handle noHandle = nullptr;
#else
using Path = std::string;
using Handle = int; // a file descriptor
inline constexpr Handle noHandle = -1;
#endif

// A failed step: the system's error number (errno, or GetLastError() on Windows), or a refusal of
// our own for a file that would block (a pipe, a socket), which reads as access denied.
struct Failure
{
    enum class Kind { System, WouldBlock };
    Kind kind = Kind::System;
    int code = 0;
};

// How the content reaches the disk; chosen when the file is opened, changed by commit() only
// towards InPlace.
enum class Route {
    NewFile,   // a temporary file beside the target, renamed to the target's name
    Replace,   // the same over an existing file, with its owner and mode
    InPlace,   // the existing file emptied and rewritten: the folder is not ours to write, the
               // owner would change, or there is no room for a second copy
    Device,    // a character or block device, written as it is
};

class Writer
{
public:
    // Opens the file for writing; Failure when it cannot be. Nothing of the target changes yet.
    explicit Writer(const Path &path);
    // Closes what is open and removes the temporary file, if any: an abandoned write leaves the
    // target as it was.
    ~Writer();
    Writer(const Writer &) = delete;
    Writer &operator=(const Writer &) = delete;

    // Makes `data` the file's whole content and closes it; Failure on the first step that fails.
    void commit(const char *data, std::size_t size);
    // On the routes through a temporary file, writes the content's beginning now, so that a long
    // content need not be held; commit() then adds the rest. False, and nothing written, on the
    // other routes, which need the whole content at once. Once content is written ahead, a failed
    // commit no longer falls back to rewriting the file in place.
    bool writeAhead(const char *data, std::size_t size);

    Route route() const { return m_route; }
    // Leaves the content to the system's cache at commit() instead of waiting for the disk.
    void skipSync() { m_synced = false; }

private:
    // Looks at the target and opens what its route needs; the system's half of the constructor.
    void chooseRoute();
    void writeInPlace(const char *data, std::size_t size);
    void dropTemporary();

    Path m_path;
    Path m_temporaryPath;
    Route m_route = Route::NewFile;
    Handle m_target = noHandle; // the existing file, kept open (on Windows to refuse other writers)
    Handle m_temporary = noHandle;
    bool m_wroteAhead = false;
    bool m_synced = true;
};

// The name the system's file functions are given for `path`: on Windows a full name longer than
// MAX_PATH in its extended form ("\\?\C:\..."), so that deep folders work as Explorer shows them;
// everything else as it is.
Path systemPath(const Path &path);

// Throws Failure{WouldBlock} when reading `path` would wait for another program (a named pipe, a
// socket); a file, a folder, a device and a missing file pass, their errors are the reader's.
void refuseBlockingRead(const Path &path);

} // namespace nativefile
